// One-time events the program adds by itself, on a whole headless program: a fired reminder
// put off from its window ("Отложить" and its menu), and a restart or power-off countdown
// shown on the clock face and put off by ten minutes. The session service is the fake one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "events/event_store.h"
#include "events/next_firing.h"
#include "events/one_time_events.h"
#include "events/power_countdown.h"
#include "tests/unit/program_fixture.h"

using testing_support::EventsProgramTest;

namespace {

platform::DateTime At(int y, int mo, int d, int h, int mi, int s) {
  platform::DateTime t = events::FromSerialSecond(0);
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
  t.dayOfWeek = platform::DayOfWeek(y, mo, d);
  return t;
}

std::string Text(const platform::DateTime& t) { return platform::FormatPicture("dd.MM.yyyy HH:mm:ss", t); }

TEST(MinutesAfterTest, EachSnoozeChoiceAcrossMidnightMonthAndYearEnds) {
  struct Case {
    platform::DateTime from;
    int minutes;
    const char* at;
  };
  const Case cases[] = {
      {At(2026, 12, 8, 14, 5, 30), 5, "08.12.2026 14:10:30"},
      {At(2026, 12, 8, 14, 5, 30), 10, "08.12.2026 14:15:30"},
      {At(2026, 12, 8, 14, 5, 30), 15, "08.12.2026 14:20:30"},
      {At(2026, 12, 8, 14, 5, 30), 30, "08.12.2026 14:35:30"},
      {At(2026, 12, 8, 14, 5, 30), 60, "08.12.2026 15:05:30"},
      {At(2026, 12, 8, 14, 5, 30), 24 * 60, "09.12.2026 14:05:30"},
      {At(2026, 12, 8, 23, 57, 0), 5, "09.12.2026 00:02:00"},
      {At(2026, 1, 31, 23, 58, 0), 24 * 60, "01.02.2026 23:58:00"},
      {At(2026, 4, 30, 8, 0, 0), 24 * 60, "01.05.2026 08:00:00"},
      {At(2028, 2, 28, 8, 0, 0), 24 * 60, "29.02.2028 08:00:00"},
      {At(2027, 2, 28, 8, 0, 0), 24 * 60, "01.03.2027 08:00:00"},
      {At(2026, 12, 31, 23, 30, 0), 60, "01.01.2027 00:30:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(events::MinutesAfter(c.from, c.minutes)), c.at) << Text(c.from);
  // The day of the week follows the date.
  EXPECT_EQ(events::MinutesAfter(At(2026, 12, 13, 23, 0, 0), 60).dayOfWeek, 1);
}

TEST(PowerCountdownTest, TextOfEachTypeUntilTheCountdownIsOver) {
  const platform::DateTime start = At(2026, 12, 8, 23, 59, 40);
  const auto off = events::StartCountdown(false, 45, start);
  const auto restart = events::StartCountdown(true, 45, start);
  ASSERT_TRUE(off && restart);
  EXPECT_EQ(events::CountdownText(off, start), "Выключение через 0:45");
  EXPECT_EQ(events::CountdownText(restart, start), "Перезагрузка через 0:45");
  // Across midnight, second by second, to the end.
  EXPECT_EQ(events::CountdownText(off, At(2026, 12, 9, 0, 0, 24)), "Выключение через 0:01");
  EXPECT_EQ(events::CountdownText(off, At(2026, 12, 9, 0, 0, 25)), "");
  EXPECT_EQ(events::CountdownText(off, At(2026, 12, 10, 0, 0, 0)), "");
  EXPECT_EQ(events::CountdownText(std::nullopt, start), "");
  EXPECT_STREQ(events::CountdownEventType(*off), "4");
  EXPECT_STREQ(events::CountdownEventType(*restart), "3");
  // No time at all is no countdown.
  EXPECT_FALSE(events::StartCountdown(false, 0, start));
  EXPECT_FALSE(events::StartCountdown(true, -5, start));

  EXPECT_EQ(events::RemainingText(90), "1:30");
  EXPECT_EQ(events::RemainingText(600), "10:00");
  EXPECT_EQ(events::RemainingText(3599), "59:59");
  EXPECT_EQ(events::RemainingText(3600 + 2 * 60 + 3), "1:02:03");
  EXPECT_EQ(events::RemainingText(-3), "0:00");
}

class OneTimeEventsTest : public EventsProgramTest {
 protected:
  std::string Key(const std::string& number, const std::string& key) const { return Store().Read(number, key, "<none>"); }

  void AddEvent(const std::string& number, const std::string& type, const std::string& time,
                const std::string& date, const std::string& text = "") {
    StoreEvent(number, type, time, date, "1", "", text);
  }

  void StartAt(int h, int m, int s, const std::string& config) {
    dir.Write("Cfg/Clock_config.ini", config);
    SetClock(2026, 12, 31, h, m, s);
    ASSERT_FALSE(Start());
  }

  // "Отложить на 10 минут" stands in the face's menu, right after "Остановить выход из системы".
  static bool Offered() {
    const auto& items = Form1->PopupMenu2->Items()->Items();
    const auto at = std::find(items.begin(), items.end(), Form1->N18);
    if (at == items.end()) return false;
    EXPECT_EQ(*(at - 1), Form1->N11);
    return true;
  }

  // The numbers the list holds besides `known`.
  std::vector<std::string> Added(const std::vector<std::string>& known) const {
    std::vector<std::string> added;
    for (const auto& n : Store().LoadList())
      if (std::find(known.begin(), known.end(), n) == known.end()) added.push_back(n);
    return added;
  }
};

// A reminder text with bytes a conversion would change: Rich Text with cp1251 escapes, a raw
// cp1251 byte, a lone LF and a trailing blank.
const std::string kNote = "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'ee\\'e7\\'e2\\'ee\\'ed\\'e8\\'f2\\'fc\\par\n\xC0 }\r\n ";

class SnoozeTest : public OneTimeEventsTest, public testing::WithParamInterface<std::tuple<std::size_t, bool>> {};

TEST_P(SnoozeTest, StoresAOneTimeReminderWithTheSameTextThatFiresInItsSecond) {
  const auto [choice, killTask] = GetParam();
  AddEvent("10", "5", "23:50:00", "31.12.2026", kNote);
  StartAt(23, 49, 58, std::string("[Clock]\r\nRunTray=0\r\nKillTask=") + (killTask ? "1" : "0") + "\r\n");
  AdvanceTo(23, 50, 0, 700);
  ASSERT_TRUE(Form3->Visible());
  // With KillTask on the fired reminder and its text are gone already; the window kept the text.
  EXPECT_EQ(dir.Exists("notes/10.zqt"), !killTask);

  Form3->BitBtn2->Click();
  EXPECT_EQ(Form3->PopupMenu1->PopupCount(), 1);
  ASSERT_EQ(Form3->PopupMenu1->Items()->Count(), 6);
  // The menu's choices and how far each puts the reminder off.
  const std::pair<const char*, int> expected[] = {{"на 5 минут", 5},  {"на 10 минут", 10}, {"на 15 минут", 15},
                                                  {"на 30 минут", 30}, {"на 1 час", 60},     {"до завтра", 1440}};
  ui::TMenuItem* item = Form3->PopupMenu1->Items()->Items()[choice];
  EXPECT_EQ(item->Caption, expected[choice].first);
  item->Click();
  EXPECT_FALSE(Form3->Visible());

  const std::vector<std::string> added = Added({"10"});
  ASSERT_EQ(added.size(), 1u);
  const std::string& n = added[0];
  const platform::DateTime due = events::MinutesAfter(At(2026, 12, 31, 23, 50, 0), expected[choice].second);
  EXPECT_EQ(Key(n, "type"), "5");
  EXPECT_EQ(Key(n, "period"), "1");
  EXPECT_EQ(Key(n, "time"), platform::FormatPicture("HH:mm:ss", due));
  EXPECT_EQ(Key(n, "date"), platform::FormatPicture("dd.MM.yyyy", due));
  EXPECT_EQ(Key(n, "active"), "<none>");  // active, as an addition of the editor
  EXPECT_EQ(Key(n, "pathtotxt"), dir.Str() + "notes\\" + n + ".zqt");
  EXPECT_EQ(dir.Read("notes/" + n + ".zqt"), kNote);

  // The scan holds it at once and fires it in its second, not before.
  SetClock(due.year, due.month, due.day, due.hour, due.minute, due.second, 0);
  Form1->RefreshTime(events::FromSerialSecond(events::SerialSecond(due) - 1));
  EXPECT_FALSE(Form3->Visible());
  Form1->RefreshTime(due);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text().substr(0, 9), "Позвонить");
  const auto& names = Form1->scheduler.Names();
  EXPECT_EQ(std::find(names.begin(), names.end(), n) != names.end(), !killTask);
  EXPECT_EQ(dir.Exists("notes/" + n + ".zqt"), !killTask);
}

INSTANTIATE_TEST_SUITE_P(EachChoice, SnoozeTest,
                         testing::Combine(testing::Range<std::size_t>(0, 6),
                                          testing::Bool()));

TEST_F(OneTimeEventsTest, ASnoozeThatCannotBeStoredKeepsTheWindowOpenAndTheScanUnchanged) {
  AddEvent("10", "5", "23:50:00", "31.12.2026", kNote);
  StartAt(23, 50, 0, "[Clock]\r\nRunTray=0\r\n");
  ASSERT_TRUE(Form3->Visible());
  const auto names = Form1->scheduler.Names();
  std::filesystem::remove_all(dir.Path() / "notes");
  dir.Write("notes", "a file where the folder was");
  EXPECT_ANY_THROW(Form3->Snooze(5));
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Store().LoadList(), std::vector<std::string>{"10"});
  EXPECT_EQ(Form1->scheduler.Names(), names);
}

// ---- The power countdown on the face

class CountdownTest : public OneTimeEventsTest, public testing::WithParamInterface<bool> {
 protected:
  // The date label ends before the skin's buttons on its rows, and within the face.
  static void ExpectClearOfTheButtons() {
    const ui::TRect label = Form1->Label1->BoundsRect();
    EXPECT_LE(label.right, Form1->Width());
    for (const ui::TRect button : {Form1->CloseBut->BoundsRect(), Form1->MinimBut->BoundsRect()}) {
      if (button.top < label.bottom && label.top < button.bottom && button.left > label.left) {
        EXPECT_LE(label.right, button.left) << Form1->Label1->Caption();
      }
    }
  }
};

TEST_P(CountdownTest, TheFaceShowsTheTimeLeftFromTheTrayAndTheDateAfterIt) {
  const bool reboot = GetParam();
  AddEvent("20", reboot ? "3" : "4", "23:59:40", "31.12.2026");
  StartAt(23, 59, 30, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=45\r\n");
  Form1->N6->Click();  // to the tray
  ASSERT_TRUE(Form1->TrayIcon1->Visible());
  EXPECT_FALSE(Offered());

  AdvanceTo(23, 59, 40, 600);
  ASSERT_EQ(platform->fakeSession().log.back(), std::string("Shutdown 45 force=0 reboot=") + (reboot ? "1" : "0"));
  const std::string what = reboot ? "Перезагрузка через " : "Выключение через ";
  EXPECT_EQ(Form1->Label1->Caption(), what + "0:45");
  // Longer than a date: drawn smaller where it would run under the buttons.
  const int skinSize = Form1->skinDateSize;
  EXPECT_LT(Form1->Label1->Font().size, skinSize);
  ExpectClearOfTheButtons();
  EXPECT_FALSE(Form1->TrayIcon1->Visible());
  EXPECT_TRUE(Offered());
  AdvanceTo(0, 0, 10, 600);  // across midnight: the date would change here
  EXPECT_EQ(Form1->Label1->Caption(), what + "0:15");
  AdvanceTo(0, 0, 24, 600);
  EXPECT_EQ(Form1->Label1->Caption(), what + "0:01");
  // Its time is over (here the fake system never acts): the date comes back.
  AdvanceTo(0, 0, 25, 600);
  EXPECT_EQ(Form1->Label1->Caption(), "01.01.2027");
  EXPECT_EQ(Form1->Label1->Font().size, skinSize);
  EXPECT_FALSE(Offered());
  EXPECT_FALSE(Form1->actions.Countdown());
}

TEST_P(CountdownTest, ASkinChosenDuringTheCountdownKeepsItClearOfItsButtons) {
  AddEvent("20", GetParam() ? "3" : "4", "10:00:05", "31.12.2026");
  StartAt(10, 0, 0, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=90\r\n");
  AdvanceTo(10, 0, 5, 600);
  // A skin with a large date font and its buttons on the date's row.
  dir.Write("Skins/wide/skin.ini",
            "[skin]\r\nFormWidth=200\r\nFormHeight=70\r\nDatePositionLeft=10\r\nDatePositionTop=4\r\n"
            "DateSize=16\r\nMinimButPositionLeft=160\r\nMinimButPositionTop=6\r\n"
            "CloseButPositionLeft=178\r\nCloseButPositionTop=6\r\n");
  Form1->files.Config().WriteString("Clock", "skin", "wide");
  Form1->SkinRefresh();
  ExpectClearOfTheButtons();
  AdvanceTo(10, 0, 6, 600);
  ExpectClearOfTheButtons();
  EXPECT_EQ(Form1->Label1->Caption().substr(Form1->Label1->Caption().size() - 4), "1:29");
  Form1->N11->Click();
  EXPECT_EQ(Form1->Label1->Font().size, 16);
}

TEST_P(CountdownTest, PuttingOffAbortsAndStoresTheSameActionTenMinutesOn) {
  const bool reboot = GetParam();
  AddEvent("20", reboot ? "3" : "4", "23:59:40", "31.12.2026");
  StartAt(23, 59, 30, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=60\r\n");
  AdvanceTo(23, 59, 55, 600);
  ASSERT_TRUE(Offered());
  Form1->N18->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "shutdown.exe", " -a", "");
  EXPECT_EQ(Form1->Label1->Caption(), "31.12.2026");
  EXPECT_FALSE(Offered());

  const std::vector<std::string> added = Added({"20"});
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(Key(added[0], "type"), reboot ? "3" : "4");
  EXPECT_EQ(Key(added[0], "period"), "1");
  EXPECT_EQ(Key(added[0], "time"), "00:09:55");
  EXPECT_EQ(Key(added[0], "date"), "01.01.2027");
  EXPECT_EQ(Key(added[0], "pathtotxt"), "<none>");

  // The put-off action comes in its second and starts a new countdown.
  platform->fakeSession().log.clear();
  AdvanceTo(0, 9, 54, 600);
  EXPECT_TRUE(platform->fakeSession().log.empty());
  AdvanceTo(0, 9, 55, 600);
  EXPECT_EQ(platform->fakeSession().log.back(), std::string("Shutdown 60 force=0 reboot=") + (reboot ? "1" : "0"));
  EXPECT_EQ(Form1->Label1->Caption(), (reboot ? "Перезагрузка через " : "Выключение через ") + std::string("1:00"));
}

INSTANTIATE_TEST_SUITE_P(RestartAndPowerOff, CountdownTest, testing::Bool());

TEST_F(OneTimeEventsTest, StoppingTheLogOffBringsTheDateBackAndPuttingOffNeedsACountdown) {
  AddEvent("20", "4", "10:00:05", "31.12.2026");
  StartAt(10, 0, 0, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=30\r\n");
  AdvanceTo(10, 0, 5, 600);
  ASSERT_EQ(Form1->Label1->Caption(), "Выключение через 0:30");
  Form1->N11->Click();  // "Остановить выход из системы"
  EXPECT_EQ(Form1->Label1->Caption(), "31.12.2026");
  EXPECT_FALSE(Offered());
  // Nothing to put off any more: nothing is aborted or stored.
  const std::size_t calls = platform->fakeShell().calls.size();
  EXPECT_FALSE(events::PostponeCountdown(Form1->actions, Form1->store, Form1->scheduler, platform->fakeClock(),
                                         platform->fakeClock().NowZoned(), "HH:mm:ss", "dd.MM.yyyy"));
  EXPECT_EQ(platform->fakeShell().calls.size(), calls);
  EXPECT_EQ(Store().LoadList(), std::vector<std::string>{"20"});
}

TEST_F(OneTimeEventsTest, LogOffAndAZeroTimeoutShowNoCountdown) {
  AddEvent("20", "2", "10:00:05", "31.12.2026");
  AddEvent("21", "4", "10:00:06", "31.12.2026");
  StartAt(10, 0, 0, "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=0\r\n");
  AdvanceTo(10, 0, 7, 600);
  EXPECT_EQ(platform->fakeSession().log.size(), 6u);
  EXPECT_EQ(Form1->Label1->Caption(), "31.12.2026");
  EXPECT_FALSE(Offered());
}

}  // namespace
