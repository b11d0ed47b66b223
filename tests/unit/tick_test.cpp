// The clock tick of the whole program over the fake platform: time labels and leading zeros,
// chimes, sound file errors, the fade-in, the time in other windows' captions, and ticks that
// see every second exactly once.
#include <gtest/gtest.h>

#include <random>

#include "platform/files.h"
#include "tests/unit/program_fixture.h"

using testing_support::Hms;
using testing_support::ProgramTest;

namespace {

class TickTest : public ProgramTest {
 protected:
  // Starts the program at h:m:s and `ms` of 7 December 2026 with `config` as its settings.
  void StartAt(int h, int m, int s, int ms, const std::string& config = "") {
    if (!config.empty()) dir.Write("Cfg/Clock_config.ini", config);
    SetClock(2026, 12, 7, h, m, s, ms);
    ASSERT_FALSE(Start());
  }

  std::vector<std::string> Beeps() const {
    std::vector<std::string> out;
    for (const auto& b : platform->fakeSound().beeps)
      out.push_back(Hms(b.at) + " " + std::to_string(b.frequency) + "/" + std::to_string(b.durationMs));
    return out;
  }

  std::vector<std::string> Played() const {
    std::vector<std::string> out;
    for (const auto& p : platform->fakeSound().played) out.push_back(Hms(p.at) + " " + p.path);
    return out;
  }

  std::vector<std::string> Labels() const {
    return {Form1->Label2->Caption(), Form1->Label3->Caption(), Form1->Label4->Caption()};
  }
};

const char* const kAllChimes =
    "[AckConfig]\r\nMidnightAck=600\r\nHourAck=700\r\nMinAck=900\r\n"
    "MidnightFileAck=C:\\s\\midnight.wav\r\nHourFileAck=C:\\s\\hour.mp3\r\nMinFileAck=C:\\s\\minute.wav\r\n";

TEST_F(TickTest, LeadingZerosFollowHideNullsAndHideHourNulls) {
  struct Case {
    const char* config;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {"", {"09", "05", "07"}},
      {"[Clock]\r\nHideNulls=1\r\n", {"09", "5", "7"}},
      {"[Clock]\r\nHideNulls=1\r\nHideHourNulls=1\r\n", {"9", "5", "7"}},
      {"[Clock]\r\nHideHourNulls=1\r\n", {"09", "05", "07"}},
  };
  for (const Case& c : cases) {
    EndInstance();
    dir.Write("Cfg/Clock_config.ini", c.config);
    StartAt(9, 5, 6, 500);
    AdvanceTo(9, 5, 7);
    EXPECT_EQ(Labels(), c.labels) << c.config;
  }
}

TEST_F(TickTest, FullHourIsAnnouncedThenChimedOnceAndTheNextMinuteHasItsOwnSignal) {
  StartAt(13, 59, 50, 500, kAllChimes);
  AdvanceTo(14, 1, 1);
  EXPECT_EQ(Beeps(), (std::vector<std::string>{"13:59:55 1000/100", "13:59:56 1000/100", "13:59:57 1000/100",
                                               "13:59:58 1000/100", "13:59:59 1000/100", "14:00:00 700/500",
                                               "14:01:00 900/70"}));
  EXPECT_EQ(Played(), (std::vector<std::string>{"14:00:00 C:\\s\\hour.mp3", "14:01:00 C:\\s\\minute.wav"}));
  EXPECT_EQ(Form1->MediaPlayer1->FileName(), "C:\\s\\minute.wav");
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

TEST_F(TickTest, MidnightChangesTheDateAndSoundsOnlyTheMidnightSignal) {
  StartAt(23, 59, 50, 500, kAllChimes);
  EXPECT_EQ(Form1->Label1->Caption(), "07.12.2026");
  AdvanceTo(0, 0, 1);
  EXPECT_EQ(Form1->Label1->Caption(), "08.12.2026");
  EXPECT_EQ(Beeps(), (std::vector<std::string>{"23:59:55 800/100", "23:59:56 800/100", "23:59:57 800/100",
                                               "23:59:58 800/100", "23:59:59 800/100", "00:00:00 600/1000"}));
  EXPECT_EQ(Played(), (std::vector<std::string>{"00:00:00 C:\\s\\midnight.wav"}));
}

TEST_F(TickTest, ZeroFrequencySilencesOnlyTheBeepAndEmptyFileOnlyTheFile) {
  StartAt(13, 59, 58, 500, "[AckConfig]\r\nHourAck=700\r\nHourFileAck=\r\nMinAck=0\r\nMinFileAck=C:\\m.wav\r\n");
  AdvanceTo(14, 1, 1);
  EXPECT_EQ(Beeps(), (std::vector<std::string>{"13:59:58 1000/100", "13:59:59 1000/100", "14:00:00 700/500"}));
  EXPECT_EQ(Played(), (std::vector<std::string>{"14:01:00 C:\\m.wav"}));
}

TEST_F(TickTest, EmptyConfigurationPlaysTheDefaultFileAtEveryFullMinuteWithoutBeeps) {
  StartAt(23, 58, 50, 500);
  AdvanceTo(0, 1, 30);
  const std::string path = dir.Str() + "Sound\\Beep.wav";
  EXPECT_EQ(Played(), (std::vector<std::string>{"23:59:00 " + path, "00:00:00 " + path, "00:01:00 " + path}));
  EXPECT_TRUE(Beeps().empty());
}

TEST_F(TickTest, TheStarterConfigurationChimesAtTheHourAndMidnightButNotEachMinute) {
  const auto starter = platform::ReadFile(std::string(HORAVO_SOURCE_DIR) + "/data/Cfg/Clock_config.ini");
  ASSERT_TRUE(starter);
  StartAt(23, 58, 50, 500, *starter);
  AdvanceTo(1, 0, 30);
  // Stored relative to the program folder, played from where the folder is now.
  const std::string path = dir.Str() + "Sound\\Beep.wav";
  EXPECT_EQ(Played(), (std::vector<std::string>{"00:00:00 " + path, "01:00:00 " + path}));
  EXPECT_TRUE(Beeps().empty());
  // The settings written back at the first start keep the paths relative and the minute off.
  const std::string config = Config();
  for (const char* line : {"MidnightFileAck=Sound\\Beep.wav\r\n", "HourFileAck=Sound\\Beep.wav\r\n", "MinFileAck=\r\n"})
    EXPECT_NE(config.find(line), std::string::npos) << line << " in " << config;
}

TEST_F(TickTest, FailingSoundFileIsShownAndTheRestOfThatRefreshIsSkipped) {
  std::string config = kAllChimes;
  config += "[Clock]\r\nshowIntitle=1\r\n";
  platform->fakeSound().failures["C:\\s\\hour.mp3"] = "Указанный файл не найден.";
  auto& desktop = platform->fakeDesktop();
  desktop.windows[0x100] = "Блокнот";
  desktop.foreground = 0x100;
  StartAt(13, 59, 58, 500, config);
  AdvanceTo(13, 59, 59);
  const std::size_t captionsBefore = desktop.captionsSet.size();
  ASSERT_GT(captionsBefore, 0u);

  AdvanceTo(14, 0, 0);
  auto& shown = platform->fakeDialogs().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Указанный файл не найден.");
  EXPECT_EQ(shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(Beeps().back(), "13:59:59 1000/100");  // the hour's beep after the file did not sound
  EXPECT_EQ(desktop.captionsSet.size(), captionsBefore);
  EXPECT_EQ(Form1->TrayIcon1->Hint(), "Время 14:00:00 | Число 07.12.2026");

  AdvanceTo(14, 0, 1);
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"14", "00", "01"}));
  EXPECT_EQ(desktop.windows[0x100], "Блокнот" + std::string("Время 14:00:01 | Число 07.12.2026"));
}

TEST_F(TickTest, FadeInRaisesTheOpacityOneStepPerTickThenTheClockTicksEverySecond) {
  StartAt(9, 5, 6, 500, "[TranspConfig]\r\nAlpha=100\r\nSpeed=15\r\n");
  EXPECT_EQ(Form1->AlphaBlendValue(), 155);  // set by the settings window as it was created
  RewindFadeIn();
  Advance(15);
  EXPECT_EQ(Form1->AlphaBlendValue(), 2);
  EXPECT_EQ(Form1->TrayIcon1->Hint(), "Время 09:05:06 | Число 07.12.2026");  // each step refreshes
  Advance(15 * 152);
  EXPECT_EQ(Form1->AlphaBlendValue(), 154);
  EXPECT_EQ(Form1->fadingIn, 1);
  Advance(15);
  EXPECT_EQ(Form1->AlphaBlendValue(), 155);
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->Timer1->Interval(), 1000);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"09", "05", "08"}));
  AdvanceTo(9, 5, 11, 600);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"09", "05", "11"}));
  EXPECT_EQ(Form1->AlphaBlendValue(), 155);
}

TEST_F(TickTest, FadeInEndsOnTheFirstTickWhenTheTargetIsAlreadySet) {
  StartAt(9, 5, 6, 500, "[TranspConfig]\r\nAlpha=100\r\n");
  Form1->SetAlphaBlendValue(155);  // as the settings window does when it is created
  Advance(15);
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->clockMode, 1);
  EXPECT_EQ(Form1->AlphaBlendValue(), 155);
}

TEST_F(TickTest, FadeInToAnOpacityBeyondFullEndsAtFull) {
  StartAt(9, 5, 6, 500, "[TranspConfig]\r\nAlpha=-20\r\nSpeed=1\r\n");
  Advance(300);
  EXPECT_EQ(Form1->AlphaBlendValue(), 255);
  EXPECT_EQ(Form1->fadingIn, 0);
  EXPECT_EQ(Form1->clockMode, 1);
}

TEST_F(TickTest, CaptionFeatureFollowsTheForegroundWindow) {
  auto& desktop = platform->fakeDesktop();
  desktop.windows = {{0xA0, "Блокнот"}, {0xB0, "Калькулятор"}};
  desktop.foreground = 0xA0;
  StartAt(9, 5, 6, 500, "[Clock]\r\nshowIntitle=1\r\n");
  EXPECT_TRUE(desktop.captionsSet.empty());  // the start-up refresh runs before the setting is read
  const std::string tail = " | Число 07.12.2026";

  AdvanceTo(9, 5, 7);
  EXPECT_EQ(desktop.windows[0xA0], "БлокнотВремя 09:05:07" + tail);
  AdvanceTo(9, 5, 8);
  EXPECT_EQ(desktop.windows[0xA0], "БлокнотВремя 09:05:08" + tail);
  EXPECT_EQ(Form1->activeCaptionBuf, "Блокнот");

  // A window that loses the foreground reads its own caption again at once; only the active
  // one carries the time.
  desktop.foreground = 0xB0;
  AdvanceTo(9, 5, 9);
  EXPECT_EQ(desktop.windows[0xA0], "Блокнот");
  EXPECT_EQ(desktop.windows[0xB0], "КалькуляторВремя 09:05:09" + tail);

  // A renamed itself while in the background (another file opened): back in front, the new
  // caption is its own, not the one remembered before.
  desktop.windows[0xA0] = "Письмо - Блокнот";
  desktop.foreground = 0xA0;
  AdvanceTo(9, 5, 10);
  EXPECT_EQ(desktop.windows[0xB0], "Калькулятор");
  EXPECT_EQ(desktop.windows[0xA0], "Письмо - БлокнотВремя 09:05:10" + tail);
  EXPECT_EQ(Form1->lastActiveWindow, platform::WindowHandle(0xA0));
  EXPECT_EQ(Form1->titleText, "Письмо - БлокнотВремя 09:05:10" + tail);
  // The window kept in front is written once a second, never marked inactive meanwhile.
  desktop.captionsSet.clear();
  AdvanceTo(9, 5, 12);
  EXPECT_EQ(desktop.captionsSet.size(), 2u);
  for (const auto& [window, caption] : desktop.captionsSet) EXPECT_EQ(window, platform::WindowHandle(0xA0));
}

TEST_F(TickTest, CaptionsComeBackWhenTheFeatureIsSwitchedOff) {
  auto& desktop = platform->fakeDesktop();
  desktop.windows = {{0xA0, "Блокнот"}, {0xB0, "Калькулятор"}, {0xC0, "Проводник"}};
  desktop.foreground = 0xA0;
  StartAt(9, 5, 6, 500, "[Clock]\r\nshowIntitle=1\r\n");
  AdvanceTo(9, 5, 7);
  desktop.foreground = 0xB0;
  AdvanceTo(9, 5, 8);
  desktop.foreground = 0xA0;
  AdvanceTo(9, 5, 9);
  ASSERT_EQ(desktop.windows[0xB0], "Калькулятор");

  Form1->SetShowInTitle(0);  // as the settings window does
  EXPECT_EQ(desktop.windows[0xA0], "Блокнот");
  EXPECT_EQ(desktop.windows[0xB0], "Калькулятор");
  const std::size_t calls = desktop.captionsSet.size();
  AdvanceTo(9, 5, 12);
  EXPECT_EQ(desktop.captionsSet.size(), calls);  // nothing more is written

  // On again: the windows are met afresh.
  Form1->SetShowInTitle(1);
  desktop.foreground = 0xC0;
  AdvanceTo(9, 5, 13);
  EXPECT_EQ(desktop.windows[0xC0], "ПроводникВремя 09:05:13 | Число 07.12.2026");
  EXPECT_EQ(desktop.windows[0xA0], "Блокнот");
}

TEST_F(TickTest, CaptionsComeBackWhenTheProgramEndsExceptOfWindowsClosedMeanwhile) {
  auto& desktop = platform->fakeDesktop();
  desktop.windows = {{0xA0, "Блокнот"}, {0xB0, "Калькулятор"}, {0xC0, "Проводник"}};
  desktop.foreground = 0xA0;
  StartAt(9, 5, 6, 500, "[Clock]\r\nshowIntitle=1\r\n");
  AdvanceTo(9, 5, 7);
  desktop.foreground = 0xB0;
  AdvanceTo(9, 5, 8);
  desktop.foreground = 0xC0;
  AdvanceTo(9, 5, 9);
  desktop.windows.erase(0xB0);  // the calculator is closed while the clock runs

  desktop.captionsSet.clear();
  CloseMainWindow();
  EXPECT_EQ(desktop.windows[0xA0], "Блокнот");
  EXPECT_EQ(desktop.windows[0xC0], "Проводник");
  for (const auto& [window, caption] : desktop.captionsSet) EXPECT_NE(window, platform::WindowHandle(0xB0));
}

// Ticks come late by a random few milliseconds, as timer messages do; started just before a
// second turns, a tick of a fixed 1000 ms would fall now before and now after it.
TEST_F(TickTest, LateTicksStillSeeEverySecondExactlyOnce) {
  StartAt(9, 5, 6, 990);
  std::mt19937 random(12345);
  std::vector<std::string> seen;
  auto handler = Form1->Timer1->OnTimer;
  auto& clock = platform->fakeClock();
  Form1->Timer1->OnTimer = [&](ui::TComponent* sender) {
    clock.Advance(random() % 60);  // delivered late
    handler(sender);
    seen.push_back(Form1->TrayIcon1->Hint().substr(std::string("Время ").size(), 8));
    clock.Advance(random() % 200);  // and the handler takes its time
  };
  Advance(10 * 60 * 1000);

  ASSERT_GE(seen.size(), 599u);
  auto seconds = [](const std::string& hms) {
    return std::stoi(hms.substr(0, 2)) * 3600 + std::stoi(hms.substr(3, 2)) * 60 + std::stoi(hms.substr(6, 2));
  };
  for (std::size_t i = 1; i < seen.size(); ++i)
    ASSERT_EQ(seconds(seen[i]), seconds(seen[i - 1]) + 1) << "after " << seen[i - 1] << " came " << seen[i];
  EXPECT_EQ(platform->fakeSound().played.size(), 10u);  // each full minute chimed once
}

TEST_F(TickTest, SecondAfterALongMidnightBeepIsStillSeen) {
  platform->fakeSound().beepsTakeTime = true;
  StartAt(23, 59, 58, 500, "[AckConfig]\r\nMidnightAck=600\r\n");
  std::vector<std::string> seen;
  auto handler = Form1->Timer1->OnTimer;
  Form1->Timer1->OnTimer = [&](ui::TComponent* sender) {
    handler(sender);
    seen.push_back(Form1->TrayIcon1->Hint().substr(std::string("Время ").size(), 8));
  };
  AdvanceTo(0, 0, 3);
  EXPECT_EQ(seen, (std::vector<std::string>{"23:59:59", "00:00:00", "00:00:01", "00:00:02", "00:00:03"}));
}

TEST_F(TickTest, DateCatchesUpWhenMidnightPassedWhileTheStopwatchWasShown) {
  StartAt(23, 59, 50, 500);
  Form1->Label2->Click();
  AdvanceTo(0, 0, 30);
  EXPECT_EQ(Form1->Label1->Caption(), "07.12.2026");  // the stopwatch pauses the clock refresh
  Form1->Label2->Click();
  EXPECT_EQ(Form1->Label1->Caption(), "08.12.2026");
  EXPECT_EQ(Labels(), (std::vector<std::string>{"00", "00", "30"}));
}

TEST_F(TickTest, ChimesSoundOnceInTheirSecondWhileTheWindowFadesIn) {
  // The fade-in refreshes the time every 15 ms: 66 refreshes fall into the full hour's second.
  StartAt(13, 59, 59, 900, std::string(kAllChimes) + "[TranspConfig]\r\nAlpha=100\r\nSpeed=15\r\n");
  RewindFadeIn();
  AdvanceTo(14, 0, 1, 100);
  ASSERT_EQ(Form1->fadingIn, 1);
  EXPECT_EQ(Beeps(), (std::vector<std::string>{"13:59:59 1000/100", "14:00:00 700/500"}));
  EXPECT_EQ(Played(), (std::vector<std::string>{"14:00:00 C:\\s\\hour.mp3"}));
}

TEST_F(TickTest, ANonPositiveFadeSpeedStepsAtTheSmallestInterval) {
  for (const char* speed : {"0", "-40"}) {
    SCOPED_TRACE(speed);
    EndInstance();
    StartAt(9, 5, 6, 500, std::string("[TranspConfig]\r\nAlpha=100\r\nSpeed=") + speed + "\r\n");
    EXPECT_EQ(Form1->Timer1->Interval(), 1);
    RewindFadeIn();
    Advance(10);
    EXPECT_EQ(Form1->AlphaBlendValue(), 11);
    Advance(200);
    EXPECT_EQ(Form1->fadingIn, 0);
    EXPECT_EQ(Form1->AlphaBlendValue(), 155);
    AdvanceTo(9, 5, 9);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"09", "05", "09"}));
  }
}

}  // namespace
