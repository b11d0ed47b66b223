// The event scheduler of the whole program over the fake platform: the four periodicity rules,
// list order, defaults of a listed number without a section, the one-time clean-up, the guard
// that ends a scan at a failure, and one firing per second however often the time refreshes.
#include <gtest/gtest.h>

#include <filesystem>

#include "events/event_store.h"
#include "tests/unit/program_fixture.h"

using testing_support::EventsProgramTest;

namespace {

class SchedulerTest : public EventsProgramTest {
 protected:
  // An event that opens `file`, so its firings show in the shell's log.
  void AddFileEvent(const std::string& number, const std::string& time, const std::string& period,
                    const std::string& date, const std::string& file) {
    StoreEvent(number, "1", time, date, period, file);
  }

  void StartOn(int y, int mo, int d, int h, int m, int s, int ms = 500, const std::string& config = "") {
    EndInstance();
    if (!config.empty()) dir.Write("Cfg/Clock_config.ini", config);
    SetClock(y, mo, d, h, m, s, ms);
    ASSERT_FALSE(Start());
  }
};

using Files = std::vector<std::string>;

TEST_F(SchedulerTest, DailyEventFiresOnceInItsSecondWhateverItsDate) {
  AddFileEvent("1", "09:05:10", "2", "01.01.2000", "a.bat");
  StartOn(2026, 12, 7, 9, 5, 8);
  AdvanceTo(9, 5, 9, 900);
  EXPECT_EQ(Opened(), Files{});
  AdvanceTo(9, 5, 10, 900);
  EXPECT_EQ(Opened(), Files{"a.bat"});
  AdvanceTo(9, 5, 15);
  EXPECT_EQ(Opened(), Files{"a.bat"});
}

TEST_F(SchedulerTest, EventsOfOneSecondFireInListOrder) {
  AddFileEvent("500", "09:05:10", "2", "01.01.2020", "first.bat");
  AddFileEvent("30", "09:05:10", "2", "01.01.2020", "second.bat");
  AddFileEvent("7", "09:05:11", "2", "01.01.2020", "third.bat");
  StartOn(2026, 12, 7, 9, 5, 9);
  AdvanceTo(9, 5, 12);
  EXPECT_EQ(Opened(), (Files{"first.bat", "second.bat", "third.bat"}));
}

TEST_F(SchedulerTest, AListedNumberWithoutSectionIsADailyEventThatOpensTheFile0) {
  dir.Write("Gear/Events.txt", "777\r\n");
  StartOn(2026, 12, 7, 1, 1, 4);
  AdvanceTo(1, 1, 6);
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "0", "", "");
}

TEST_F(SchedulerTest, OnceEventFiresOnItsDateAndStaysWithoutKillTask) {
  AddFileEvent("1", "09:05:10", "1", "08.12.2026", "tomorrow.bat");
  AddFileEvent("2", "09:05:10", "1", "07.12.2026", "today.bat");
  StartOn(2026, 12, 7, 9, 5, 9);
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Files{"today.bat"});
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "1\r\n2\r\n");
  EXPECT_EQ(Store().Read("2", "time", ""), "09:05:10");

  StartOn(2026, 12, 8, 9, 5, 9);
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), (Files{"today.bat", "tomorrow.bat"}));
}

TEST_F(SchedulerTest, KillTaskRemovesAFiredOnceEventAndTheScanGoesOnWithTheNextEntry) {
  events::EventRecord reminder;
  reminder.number = "10";
  reminder.time = "09:05:10";
  reminder.date = "07.12.2026";
  reminder.type = "5";
  reminder.sideText = "{\\rtf1 text}";
  reminder.period = "1";
  Store().AddEvent(reminder);
  AddFileEvent("20", "09:05:10", "1", "07.12.2026", "after.bat");
  AddFileEvent("30", "09:05:10", "2", "07.12.2026", "daily.bat");
  AddFileEvent("40", "09:05:10", "1", "08.12.2026", "later.bat");
  StartOn(2026, 12, 7, 9, 5, 9, 500, "[Clock]\r\nKillTask=1\r\n");
  int rebuilt = 0;
  Form1->scheduler.OnScanRemoved = [&] { ++rebuilt; };
  // The settings window adds an event meanwhile; the main window has not reloaded its list.
  AddFileEvent("50", "10:00:00", "2", "07.12.2026", "new.bat");

  AdvanceTo(9, 5, 10, 600);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Opened(), (Files{"after.bat", "daily.bat"}));
  EXPECT_EQ(rebuilt, 2);
  EXPECT_EQ(Form1->scheduler.Names(), (std::vector<std::string>{"30", "40"}));
  EXPECT_EQ(Form1->scheduler.Times().size(), 2u);
  EXPECT_EQ(Form1->scheduler.Dates(), (std::vector<std::string>{"07.12.2026", "08.12.2026"}));
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "30\r\n40\r\n50\r\n");
  const std::string detail = dir.Read("Gear/gear.ini").value();
  EXPECT_EQ(detail.find("[10]"), std::string::npos);
  EXPECT_EQ(detail.find("[20]"), std::string::npos);
  EXPECT_NE(detail.find("[30]"), std::string::npos);
  EXPECT_FALSE(dir.Exists("notes/10.zqt"));

  AdvanceTo(9, 5, 12);
  EXPECT_EQ(Opened(), (Files{"after.bat", "daily.bat"}));
}

TEST_F(SchedulerTest, ARefreshNestedInTheScanFiresNothingTwice) {
  // A modal message box of an action lets the tick run inside the scan; the clean-up's hook
  // stands in for it here.
  AddFileEvent("1", "09:05:10", "1", "07.12.2026", "once.bat");
  AddFileEvent("2", "09:05:10", "1", "07.12.2026", "once more.bat");
  AddFileEvent("3", "09:05:10", "2", "07.12.2026", "daily.bat");
  StartOn(2026, 12, 7, 9, 5, 9, 500, "[Clock]\r\nKillTask=1\r\n");
  Form1->scheduler.OnScanRemoved = [] { Form1->RefreshTime(); };
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), (Files{"once.bat", "once more.bat", "daily.bat"}));
  EXPECT_EQ(Form1->scheduler.Names(), std::vector<std::string>{"3"});
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "3\r\n");
}

TEST_F(SchedulerTest, MonthlyEventFiresOnItsDayOfTheMonthOnly) {
  AddFileEvent("1", "09:05:10", "3", "31.01.2026", "31st.bat");
  AddFileEvent("2", "09:05:10", "3", "07.05.2020", "7th.bat");
  struct Day {
    int y, m, d;
    Files opened;  // in all, after that day
  };
  const Day days[] = {
      {2026, 12, 7, {"7th.bat"}},
      {2026, 11, 30, {"7th.bat"}},
      {2027, 2, 28, {"7th.bat"}},
      {2026, 12, 31, {"7th.bat", "31st.bat"}},
      {2027, 1, 7, {"7th.bat", "31st.bat", "7th.bat"}},
  };
  for (const Day& day : days) {
    StartOn(day.y, day.m, day.d, 9, 5, 9);
    AdvanceTo(9, 5, 11);
    EXPECT_EQ(Opened(), day.opened) << day.d << "." << day.m;
  }
}

TEST_F(SchedulerTest, WeekdayEventFiresOnChosenDaysAndAMissingKeyCountsAsChosen) {
  events::EventRecord sunday;
  sunday.number = "1";
  sunday.time = "09:05:10";
  sunday.date = "01.01.2026";
  sunday.pathToFile = "sunday.bat";
  sunday.period = "4";
  sunday.weekdays = {false, false, false, false, false, false, true};
  Store().AddEvent(sunday);
  dir.Write("Gear/gear.ini", dir.Read("Gear/gear.ini").value() +
                                 "[2]\r\ntime=09:05:10\r\npathtofile=every.bat\r\nperiod=4\r\n"
                                 "[3]\r\ntime=09:05:10\r\npathtofile=notmonday.bat\r\nperiod=4\r\nMon=0\r\n");
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");

  StartOn(2026, 12, 7, 9, 5, 9);  // a Monday
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Files{"every.bat"});
  StartOn(2026, 12, 13, 9, 5, 9);  // a Sunday
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), (Files{"every.bat", "sunday.bat", "every.bat", "notmonday.bat"}));
}

TEST_F(SchedulerTest, AFailureEndsTheScanOfThatRefreshSilently) {
  AddFileEvent("1", "09:05:10", "2", "01.01.2020", "before.bat");
  AddFileEvent("2", "09:05:10", "3", "31/13/2026", "monthly.bat");
  AddFileEvent("3", "09:05:10", "2", "01.01.2020", "skipped.bat");
  events::EventRecord tone;
  tone.number = "4";
  tone.time = "09:05:11";
  tone.date = "01.01.2020";
  tone.type = "0";
  tone.ms = "100";
  tone.hz = "loud";
  Store().AddEvent(tone);
  AddFileEvent("5", "09:05:11", "2", "01.01.2020", "skipped too.bat");
  AddFileEvent("6", "09:05:12", "2", "01.01.2020", "next second.bat");
  StartOn(2026, 12, 7, 9, 5, 9);
  AdvanceTo(9, 5, 13);
  EXPECT_EQ(Opened(), (Files{"before.bat", "next second.bat"}));
  EXPECT_TRUE(platform->fakeSound().beeps.empty());
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

TEST_F(SchedulerTest, AnEventFiresOnceInItsSecondUnderTheFadeInAndRepeatedRefreshes) {
  // The fade-in refreshes the time every 15 ms for about two seconds.
  AddFileEvent("1", "09:05:10", "2", "01.01.2020", "fade.bat");
  AddFileEvent("2", "09:05:20", "2", "01.01.2020", "click.bat");
  StartOn(2026, 12, 7, 9, 5, 9, 900, "[TranspConfig]\r\nAlpha=100\r\nSpeed=15\r\n");
  RewindFadeIn();
  AdvanceTo(9, 5, 11, 900);
  ASSERT_EQ(Form1->fadingIn, 1);
  EXPECT_EQ(Opened(), Files{"fade.bat"});

  AdvanceTo(9, 5, 20, 100);
  ASSERT_EQ(Form1->fadingIn, 0);
  Form1->RefreshTime();
  Form1->RefreshTime();
  EXPECT_EQ(Opened(), (Files{"fade.bat", "click.bat"}));
}

TEST_F(SchedulerTest, AnActionThatRunsIntoTheNextSecondLosesNoEvent) {
  events::EventRecord tone;
  tone.number = "1";
  tone.time = "09:05:10";
  tone.date = "01.01.2020";
  tone.type = "0";
  tone.ms = "900";
  tone.hz = "500";
  Store().AddEvent(tone);
  AddFileEvent("2", "09:05:10", "2", "01.01.2020", "same second.bat");
  AddFileEvent("3", "09:05:11", "2", "01.01.2020", "next second.bat");
  platform->fakeSound().beepsTakeTime = true;
  StartOn(2026, 12, 7, 9, 5, 9);
  AdvanceTo(9, 5, 13);
  ASSERT_EQ(platform->fakeSound().beeps.size(), 1u);
  EXPECT_EQ(Opened(), (Files{"same second.bat", "next second.bat"}));
}

TEST_F(SchedulerTest, TimesComeFromTheCacheAndOtherKeysFromTheStoreWhenDue) {
  StartOn(2026, 12, 7, 9, 5, 9);
  AddFileEvent("1", "09:05:10", "2", "01.01.2020", "added.bat");
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Files{});  // not loaded yet

  // As when the settings window closes: the list, then the times and dates.
  Store().Write("1", "time", "09:05:13");
  Form1->scheduler.LoadList();
  Form1->RefreshBase();
  Store().Write("1", "time", "09:05:14");
  Store().Write("1", "pathtofile", "changed.bat");
  AdvanceTo(9, 5, 15);
  EXPECT_EQ(Opened(), Files{"changed.bat"});
}

TEST_F(SchedulerTest, AOnceEventsDateComesFromTheCacheAndAMonthlyDayFromTheStore) {
  AddFileEvent("1", "09:05:10", "1", "07.12.2026", "once.bat");
  AddFileEvent("2", "09:05:10", "3", "07.01.2026", "monthly.bat");
  StartOn(2026, 12, 7, 9, 5, 9);
  // Changed behind the loaded lists: the once event keeps the date it was loaded with, the
  // monthly event reads its day when it is due.
  Store().Write("1", "date", "08.12.2026");
  Store().Write("2", "date", "08.01.2026");
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Files{"once.bat"});
}

TEST_F(SchedulerTest, AnEventAtMidnightFiresWhileTheMidnightBeepBlocks) {
  // The 1000 ms midnight beep carries the clock into 00:00:01 before the scan; the scan still
  // examines the second the tick stands for.
  AddFileEvent("1", "00:00:00", "2", "01.01.2020", "midnight.bat");
  AddFileEvent("2", "00:00:01", "2", "01.01.2020", "a second later.bat");
  platform->fakeSound().beepsTakeTime = true;
  StartOn(2026, 12, 7, 23, 59, 58, 500, "[AckConfig]\r\nMidnightAck=600\r\n");
  AdvanceTo(0, 0, 3);
  EXPECT_EQ(Opened(), (Files{"midnight.bat", "a second later.bat"}));
}

// A reminder due in the very second the program starts: the first scan runs before the
// reminder window would exist if it ran inside the main window's creation.
class StartSecondReminderTest : public SchedulerTest, public testing::WithParamInterface<bool> {};

TEST_P(StartSecondReminderTest, IsShownAndOnlyThenCleanedUp) {
  const bool killTask = GetParam();
  events::EventRecord reminder;
  reminder.number = "10";
  reminder.time = "09:05:07";
  reminder.date = "07.12.2026";
  reminder.type = "5";
  reminder.sideText = "{\\rtf1 Позвонить}";
  reminder.period = "1";
  Store().AddEvent(reminder);
  StartOn(2026, 12, 7, 9, 5, 7, 500, killTask ? "[Clock]\r\nKillTask=1\r\n" : "");

  ASSERT_NE(Form3, nullptr);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text(), "Позвонить");
  EXPECT_EQ(dir.Read("Gear/Events.txt"), killTask ? "" : "10\r\n");
  EXPECT_EQ(dir.Exists("notes/10.zqt"), !killTask);
  EXPECT_EQ(Form1->scheduler.Names().empty(), killTask);
  // Shown once: the next refreshes of that second do not show it again.
  Form3->Close();
  Form1->RefreshTime();
  EXPECT_FALSE(Form3->Visible());
}

TEST_F(SchedulerTest, AReminderShownBeforeTheStartUpAnnouncementsIsNotHiddenToTheTray) {
  events::EventRecord reminder;
  reminder.number = "10";
  reminder.time = "09:05:07";
  reminder.date = "07.12.2026";
  reminder.type = "5";
  reminder.sideText = "{\\rtf1 Позвонить}";
  reminder.period = "1";
  Store().AddEvent(reminder);
  StartOn(2026, 12, 7, 9, 5, 7, 100);  // RunTray is on by default
  ASSERT_TRUE(Form3->Visible());
  Advance(800);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(Form1->TrayIcon1->Visible());
  // Without a reminder on the screen (the next day) the program goes to the tray as configured.
  StartOn(2026, 12, 8, 9, 5, 7, 100);
  ASSERT_FALSE(Form3->Visible());
  Advance(800);
  EXPECT_TRUE(Form1->TrayIcon1->Visible());
}

INSTANTIATE_TEST_SUITE_P(KillTaskOnAndOff, StartSecondReminderTest, testing::Bool());

TEST_F(SchedulerTest, EverySecondFromTheFirstScanOnIsExaminedOnce) {
  // One event in each second around start-up. The program starts late in its second, and the
  // first tick is delivered a little late, as timer messages are while windows are created.
  for (int s = 5; s <= 12; ++s)
    AddFileEvent(std::to_string(s), "09:05:" + std::string(s < 10 ? "0" : "") + std::to_string(s), "2",
                 "01.01.2020", std::to_string(s) + ".bat");
  StartOn(2026, 12, 7, 9, 5, 6, 980);
  auto handler = Form1->Timer1->OnTimer;
  Form1->Timer1->OnTimer = [&](ui::TComponent* sender) {
    platform->fakeClock().Advance(60);
    handler(sender);
  };
  AdvanceTo(9, 5, 12, 600);
  EXPECT_EQ(Opened(), (Files{"6.bat", "7.bat", "8.bat", "9.bat", "10.bat", "11.bat", "12.bat"}));
}

}  // namespace

// The stopwatch and the uptime cover the face only: events, the caption and the tray hint go
// on as in clock mode.
class SchedulerUnderOtherDisplaysTest : public SchedulerTest {
 protected:
  void StartWithEvents() {
    AddFileEvent("1", "09:06:30", "1", "07.12.2026", "once.bat");
    AddFileEvent("2", "09:07:15", "2", "01.01.2020", "daily.bat");
    AddFileEvent("3", "09:09:00", "1", "07.12.2026", "after.bat");
    auto& desktop = platform->fakeDesktop();
    desktop.windows = {{0xA0, "Блокнот"}};
    desktop.foreground = 0xA0;
    StartOn(2026, 12, 7, 9, 5, 8, 500, "[Clock]\r\nshowIntitle=1\r\n");
  }

  void ExpectThreeMinutesAsInClockMode() {
    AdvanceTo(9, 8, 8);
    EXPECT_EQ(Opened(), (Files{"once.bat", "daily.bat"}));
    EXPECT_EQ(platform->fakeDesktop().windows[0xA0], "БлокнотВремя 09:08:08 | Число 07.12.2026");
    EXPECT_EQ(Form1->TrayIcon1->Hint(), "Время 09:08:08 | Число 07.12.2026");
  }
};

TEST_F(SchedulerUnderOtherDisplaysTest, EverySecondIsExaminedWhileTheStopwatchIsShown) {
  StartWithEvents();
  Form1->Label2->Click();
  ASSERT_EQ(Form1->stopwatchMode, 1);
  Form1->N1->Click();
  ExpectThreeMinutesAsInClockMode();
  // Its 10 ms ticks fire nothing twice, and the face still shows the stopwatch.
  EXPECT_NE(Form1->Label2->Caption(), "09");
  AdvanceTo(9, 9, 1);
  EXPECT_EQ(Opened(), (Files{"once.bat", "daily.bat", "after.bat"}));
}

TEST_F(SchedulerUnderOtherDisplaysTest, EverySecondIsExaminedWhileTheUptimeIsShown) {
  StartWithEvents();
  Form1->Label1->Click();
  ASSERT_EQ(Form1->uptimeMode, 1);
  ExpectThreeMinutesAsInClockMode();
}

TEST_F(SchedulerUnderOtherDisplaysTest, StopwatchOverTheUptimeStillExaminesEverySecond) {
  StartWithEvents();
  Form1->Label1->Click();
  Form1->Label2->Click();
  ExpectThreeMinutesAsInClockMode();
}

TEST_F(SchedulerTest, AWriteOfTheDetailFileDropsSectionsNoListedNumberNames) {
  AddFileEvent("1", "09:05:10", "2", "01.01.2020", "a.bat");
  AddFileEvent("2", "09:05:10", "2", "01.01.2020", "b.bat");
  // A removal cut short after the list line: "2" and an older leftover stay in the detail file.
  dir.Write("Gear/Events.txt", "1\r\n");
  std::string detail = dir.Read("Gear/gear.ini").value();
  dir.Write("Gear/gear.ini", detail + "[old]\r\ntime=01:00:00\r\n");

  auto store = Store();
  store.Write("1", "active", "0");
  const std::string after = dir.Read("Gear/gear.ini").value();
  EXPECT_NE(after.find("[1]"), std::string::npos);
  EXPECT_NE(after.find("active=0"), std::string::npos);
  EXPECT_EQ(after.find("[2]"), std::string::npos);
  EXPECT_EQ(after.find("[old]"), std::string::npos);
  EXPECT_EQ(store.Read("1", "pathtofile", ""), "a.bat");
}

TEST_F(SchedulerTest, AnAdditionKeepsItsOwnSectionAndANewListKeepsEverything) {
  AddFileEvent("1", "09:05:10", "2", "01.01.2020", "a.bat");
  // The addition's own section stands before its list line is written.
  AddFileEvent("2", "09:05:10", "2", "01.01.2020", "b.bat");
  auto store = Store();
  EXPECT_EQ(store.LoadList(), (Files{"1", "2"}));
  EXPECT_EQ(store.Read("2", "pathtofile", ""), "b.bat");

  // Without a list, or with an empty one, nothing tells an event from a leftover.
  std::filesystem::remove(dir.Path() / "Gear" / "Events.txt");
  store.Write("1", "active", "1");
  EXPECT_EQ(store.Read("2", "pathtofile", ""), "b.bat");
  dir.Write("Gear/Events.txt", "");
  store.Write("1", "active", "1");
  EXPECT_EQ(store.Read("2", "pathtofile", ""), "b.bat");
}
