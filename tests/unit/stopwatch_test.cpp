// The stopwatch in the time labels and the uptime in the date label, driven by clicks on the
// labels and the stopwatch menu, with the fake clock firing the main window's timer.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "clock/stopwatch.h"
#include "tests/unit/program_fixture.h"

using testing_support::ProgramTest;

namespace {

class StopwatchTest : public ProgramTest {
 protected:
  void SetUp() override {
    // Labels apart from each other, so that a click finds the one it is aimed at.
    dir.Write("Skins/default/skin.ini",
              "[skin]\r\nNameOfSkin=default\r\nHourPositionLeft=20\r\nMinPositionLeft=60\r\n"
              "SecPositionLeft=100\r\nDiv1=:\r\nDiv1PositionLeft=140\r\nDiv2=:\r\nDiv2PositionLeft=155\r\n");
    platform->fakeClock().Set(2026, 12, 7, 9, 5, 6, 500);
    ASSERT_FALSE(Start());
  }

  static std::vector<ui::TLabel*> TimeLabels() {
    return {Form1->Label2, Form1->Label3, Form1->Label4, Form1->Label5, Form1->Label6};
  }

  // Each time label's hint is `hint`, and its right button opens `menu`.
  void ExpectTimeLabelsAnswer(const std::string& hint, ui::TPopupMenu* menu) {
    for (ui::TLabel* label : TimeLabels()) {
      EXPECT_EQ(label->Hint(), hint) << label->Caption();
      EXPECT_EQ(label->PopupMenu(), menu) << label->Caption();
    }
  }

  std::vector<std::string> Labels() const {
    return {Form1->Label2->Caption(), Form1->Label3->Caption(), Form1->Label4->Caption()};
  }

  // A left click in the middle of a control of the main window, routed as the user's would be.
  void ClickOn(ui::TControl* control, ui::TMouseButton button = ui::TMouseButton::mbLeft) {
    ui::TRect r = control->BoundsRect();
    ui::TPoint at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Form1->RouteMouseDown(button, 0, at);
    Form1->RouteMouseUp(button, 0, at);
  }

  // Sets the milliseconds since the system started. They keep the wall clock's half second, so
  // that the uptime turns its seconds together with the clock's ticks.
  void SetUptime(std::uint64_t ms) {
    platform->fakeClock().tickMs = ms + 500;
    widgets->RunDueTimers();
  }

  void ShowStopwatchAndStart() {
    Form1->Label2->Click();
    Form1->N1->Click();
  }
};

TEST(StopwatchRules, UptimeTexts) {
  const std::uint32_t hour = 3'600'000;
  EXPECT_EQ(clockface::UptimeText("H:mm:ss", 2 * hour + 3 * 60'000 + 4'999), "2:03:04");
  EXPECT_EQ(clockface::UptimeText("HH:mm:ss", 0), "00:00:00");
  EXPECT_EQ(clockface::UptimeText("HH:mm:ss", 24 * hour - 1), "23:59:59");
  EXPECT_EQ(clockface::UptimeText("HH:mm:ss", 27 * hour + 3 * 60'000 + 9'000), "27:03:09");
  EXPECT_EQ(clockface::UptimeText("H:mm:ss", 24 * hour), "24:00:00");
  EXPECT_EQ(clockface::UptimeText("h:mm:ss tt", 2 * hour), "2:00:00 AM");
  EXPECT_EQ(clockface::UptimeText("h:mm:ss tt", 27 * hour + 9'000), "27:00:09");
  EXPECT_EQ(clockface::UptimeText("tt hh:mm:ss", 30 * hour), "30:00:00");
  EXPECT_EQ(clockface::UptimeText("HH'h'mm", 25 * hour), "25h00");
  // The system's counter wraps after 49.7 days: its largest value still reads as hours.
  EXPECT_EQ(clockface::UptimeText("HH:mm:ss", 0xFFFFFFFFu), "1193:02:47");
}

TEST_F(StopwatchTest, ClickOnTheTimeShowsTheStopwatchWithItsMenuAndFastTick) {
  ClickOn(Form1->Label3);
  EXPECT_EQ(Form1->clockMode, 0);
  EXPECT_EQ(Form1->stopwatchMode, 1);
  EXPECT_EQ(Form1->Timer1->Interval(), 10);
  Advance(10);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "00", "00"}));

  // Every part of the time says it is the stopwatch and opens its menu; the date keeps the
  // clock's menu.
  for (ui::TLabel* label : TimeLabels()) {
    EXPECT_EQ(label->Hint(), "Это таймер") << label->Caption();
    ClickOn(label, ui::TMouseButton::mbRight);
  }
  EXPECT_EQ(Form1->PopupMenu1->PopupCount(), 5);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 0);
  ClickOn(Form1->Label1, ui::TMouseButton::mbRight);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 1);
  std::vector<std::string> captions;
  for (auto* item : Form1->PopupMenu1->Items()->Items()) {
    captions.push_back(item->Caption);
    EXPECT_EQ(item->Bitmap.width, 16);
    EXPECT_EQ(item->Bitmap.height, 16);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Пуск", "Стоп", "Сброс"}));
  EXPECT_NE(Form1->N1->Bitmap, Form1->N2->Bitmap);
  EXPECT_NE(Form1->N2->Bitmap, Form1->N3->Bitmap);
}

TEST_F(StopwatchTest, EveryTimeLabelAndSeparatorSwitches) {
  ExpectTimeLabelsAnswer("Это текущее время", Form1->PopupMenu2);
  for (ui::TLabel* label : TimeLabels()) {
    ClickOn(label);
    EXPECT_EQ(Form1->stopwatchMode, 1) << label->Caption();
    ClickOn(label);
    EXPECT_EQ(Form1->clockMode, 1);
  }
}

TEST_F(StopwatchTest, SixtySecondsOfIrregularTicksReadOneMinute) {
  ShowStopwatchAndStart();
  // Timer messages come every 10 to 16 ms, never exactly as asked.
  auto& clock = platform->fakeClock();
  std::mt19937 random(7);
  std::uint64_t passed = 0;
  int ticks = 0;
  while (passed < 60'000) {
    std::uint64_t step = std::min<std::uint64_t>(10 + random() % 7, 60'000 - passed);
    clock.Advance(step);
    passed += step;
    Form1->Timer1Timer(Form1->Timer1);
    ++ticks;
    if (passed == 30'000 || ticks == 100) {
      const auto shown = Labels();
      ASSERT_LE(std::stoi(shown[2]), 99);
      ASSERT_LE(std::stoi(shown[1]), 59);
    }
  }
  EXPECT_LT(ticks, 6000);  // far fewer ticks than hundredths: the count does not depend on them
  EXPECT_EQ(Labels(), (std::vector<std::string>{"01", "00", "00"}));
  EXPECT_EQ(Form1->stopwatchRunning, 1);
}

TEST_F(StopwatchTest, StopKeepsTheShownValueAndStartGoesOnFromIt) {
  ShowStopwatchAndStart();
  Advance(2'345);
  Form1->N2->Click();
  Advance(10);
  const auto stopped = Labels();
  EXPECT_EQ(stopped, (std::vector<std::string>{"00", "02", "34"}));
  EXPECT_EQ(Form1->stopwatchRunning, 0);
  Advance(5'000);
  EXPECT_EQ(Labels(), stopped);

  Form1->N1->Click();
  Advance(1'005);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "03", "34"}));
  Form1->N3->Click();
  Advance(10);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "00", "00"}));
}

TEST_F(StopwatchTest, RunsUpTo20AndStopsThereAndStartAgainStaysThere) {
  ShowStopwatchAndStart();
  Advance(20 * 60'000 + 1'000);  // twenty minutes, and then some
  EXPECT_EQ(Labels(), (std::vector<std::string>{"20", "00", "00"}));
  EXPECT_EQ(Form1->stopwatchRunning, 0);
  Form1->N1->Click();
  Advance(10);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"20", "00", "00"}));
  EXPECT_EQ(Form1->stopwatchRunning, 0);
}

TEST_F(StopwatchTest, BackToTheClockAndAgainToTheStopwatchShowsZeroStopped) {
  ShowStopwatchAndStart();
  Advance(10 * 70);
  Form1->Label2->Click();
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->stopwatchMode, 0);
  ExpectTimeLabelsAnswer("Это текущее время", Form1->PopupMenu2);
  EXPECT_EQ(Form1->Timer1->Interval(), 1000);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"09", "05", "07"}));  // the time at once, padded
  Advance(1000);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"09", "05", "08"}));

  Form1->Label2->Click();
  Advance(10);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "00", "00"}));
  EXPECT_EQ(Form1->stopwatchRunning, 0);
  Advance(100);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "00", "00"}));
}

TEST_F(StopwatchTest, SwitchingBackWhileTheChimeFailsStillRestoresTheClock) {
  platform->fakeSound().failures[dir.Str() + "Sound\\Beep.wav"] = "Ошибка устройства.";
  Form1->Label2->Click();
  platform->fakeClock().Set(2026, 12, 7, 9, 6, 0, 100);
  program->Application().Guard([] { Form1->Label2->Click(); });  // as the backend runs a click
  EXPECT_EQ(platform->fakeDialogs().shown.size(), 1u);
  ExpectTimeLabelsAnswer("Это текущее время", Form1->PopupMenu2);
  EXPECT_EQ(Form1->Timer1->Interval(), 1000);
}

TEST_F(StopwatchTest, DateClickShowsTheUptimeAndBack) {
  SetUptime(2 * 3'600'000 + 3 * 60'000 + 4'000);
  ClickOn(Form1->Label1);
  EXPECT_EQ(Form1->uptimeMode, 1);
  EXPECT_EQ(Form1->Label1->Caption(), "02:03:04");
  EXPECT_EQ(Form1->Label1->Hint(), "Это время работы Windows");
  Advance(1000);
  EXPECT_EQ(Form1->Label1->Caption(), "02:03:05");

  ClickOn(Form1->Label1);
  EXPECT_EQ(Form1->uptimeMode, 0);
  EXPECT_EQ(Form1->Label1->Caption(), "07.12.2026");
  EXPECT_EQ(Form1->Label1->Hint(), "Это сегодняшнее число");
}

TEST_F(StopwatchTest, UptimeStaysOverMidnight) {
  platform->fakeClock().Set(2026, 12, 7, 23, 59, 58, 500);
  SetUptime(3'600'000);
  Form1->Label1->Click();
  Advance(3000);
  EXPECT_EQ(Form1->Label1->Caption(), "01:00:03");
  Form1->Label1->Click();
  EXPECT_EQ(Form1->Label1->Caption(), "08.12.2026");
}

TEST_F(StopwatchTest, DateClickDoesNothingWhileTheStopwatchShows) {
  Form1->Label2->Click();
  Form1->Label1->Click();
  EXPECT_EQ(Form1->uptimeMode, 0);
  EXPECT_EQ(Form1->Label1->Caption(), "07.12.2026");
  EXPECT_EQ(Form1->Label1->Hint(), "Это сегодняшнее число");
}

}  // namespace
