// How the scan follows a moving clock, on the fake clock with a changeable UTC offset: summer
// time beginning and ending, the clock set back and forward, a restart in the second an event
// fired, and times put off in real time (snooze, "Отложить на 10 минут", the face countdown).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "events/event_store.h"
#include "events/next_firing.h"
#include "events/one_time_events.h"
#include "events/power_countdown.h"
#include "events/scheduler.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/program_fixture.h"
#include "tests/unit/temp_dir.h"

namespace {

using Log = std::vector<std::string>;
constexpr int kWinter = 3600, kSummer = 7200;  // UTC offsets of a zone with summer time

std::string Text(const platform::DateTime& t) { return platform::FormatPicture("dd.MM.yyyy HH:mm:ss", t); }

// The scheduler alone over a store in a temporary folder; each firing is logged as
// "number@time of the clock then".
class TimeRulesTest : public ::testing::Test {
 protected:
  TimeRulesTest() {
    dir.Write("Gear/Events.txt", "");
    dir.Write("Cfg/Clock_config.ini", "");
    clock.utcOffset = kWinter;
  }

  // Daily events "1", "2", ... at the given times, written as the store keeps them.
  void Daily(const std::vector<std::string>& times) {
    std::string list, detail;
    for (std::size_t i = 0; i < times.size(); ++i) {
      const std::string number = std::to_string(i + 1);
      list += number + "\r\n";
      detail += "[" + number + "]\r\ntime=" + times[i] + "\r\nperiod=2\r\n";
    }
    dir.Write("Gear/Events.txt", list);
    dir.Write("Gear/gear.ini", detail);
    scheduler.LoadList();
    scheduler.Reload();
  }
  void Tick() {
    const platform::ZonedTime now = clock.NowZoned();
    scheduler.Scan(now.local, "HH:mm:ss", "dd.MM.yyyy", now.utcOffset);
  }
  // Real seconds pass, one tick in each.
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      clock.Advance(1000);
      Tick();
    }
  }
  std::size_t Missed() { return scheduler.TakeMissed().firings.size(); }

  testing_support::TempDir dir;
  platform::FakeClock clock;
  config::Settings settings{dir.Str() + "Cfg\\Clock_config.ini"};
  events::EventStore store{dir.Str()};
  Log fired;
  events::Scheduler scheduler{store, settings, [this](const std::string& number) {
                                fired.push_back(number + "@" + platform::FormatPicture("HH:mm:ss", clock.Now()));
                              }};
};

TEST_F(TimeRulesTest, SummerTimeBeginningFiresTheSkippedHourAtTheChangeInOrderAndReportsNothing) {
  Daily({"02:59:59", "02:00:00", "02:30:00", "01:59:59", "03:00:00", "03:00:01"});
  clock.Set(2027, 3, 28, 1, 59, 50, 500);
  clock.ChangeOffsetAt(2027, 3, 28, 2, 0, 0, kSummer);
  Tick();
  Run(9);
  EXPECT_EQ(fired, Log{"4@01:59:59"});
  Run(1);
  EXPECT_EQ(Text(clock.Now()), "28.03.2027 03:00:00");
  EXPECT_EQ(fired, (Log{"4@01:59:59", "2@03:00:00", "3@03:00:00", "1@03:00:00", "5@03:00:00"}));
  Run(5);
  EXPECT_EQ(fired.size(), 6u);
  EXPECT_EQ(Missed(), 0u);
}

TEST_F(TimeRulesTest, TheSameJumpSetByHandIsReported) {
  Daily({"02:30:00", "03:00:00"});
  clock.Set(2027, 3, 28, 1, 59, 59, 500);
  Tick();
  clock.Set(2027, 3, 28, 3, 0, 0, 500);
  Tick();
  EXPECT_EQ(fired, Log{"2@03:00:00"});
  EXPECT_EQ(Missed(), 1u);
}

TEST_F(TimeRulesTest, SummerTimeEndingFiresEachEventOfTheRepeatedHourOnceHoweverMany) {
  std::vector<std::string> times;
  for (int i = 0; i < 5000; ++i) times.push_back(testing_support::Hms({2027, 10, 31, 2, i % 3600 / 60, i % 60}));
  Daily(times);
  clock.utcOffset = kSummer;
  clock.Set(2027, 10, 31, 1, 59, 59, 500);
  clock.ChangeOffsetAt(2027, 10, 31, 3, 0, 0, kWinter);
  Tick();
  Run(2 * 3600 + 10);  // the summer hour from 02:00, the winter one again, on to 03:00:09
  EXPECT_EQ(Text(clock.Now()), "31.10.2027 03:00:09");
  EXPECT_EQ(fired.size(), 5000u);
  EXPECT_EQ(Missed(), 0u);
  // The next day each fires again.
  clock.Set(2027, 11, 1, 1, 59, 59, 500);
  Tick();
  Run(3601);
  EXPECT_EQ(fired.size(), 10000u);
}

TEST_F(TimeRulesTest, SetBackUpToThreeHoursNothingFiresTwiceFurtherTheScanGoesOnFromTheNewTime) {
  Daily({"12:00:00", "11:30:00"});
  for (const int back : {3600, 3 * 3600, 3 * 3600 + 1, 86400}) {
    SCOPED_TRACE(back);
    fired.clear();
    scheduler.ContinueFrom(platform::DateTime{2027, 1, 9, 0, 0, 0});
    clock.Set(2027, 1, 10, 11, 59, 58, 500);
    Tick();
    Missed();  // the day since the stamp
    Run(3);
    ASSERT_EQ(fired, Log{"1@12:00:00"});
    clock.wallMs -= back * 1000LL;
    Tick();
    for (int i = 0; i < back + 5; i += 60) Run(60);
    if (back <= 3 * 3600) {
      EXPECT_EQ(fired, Log{"1@12:00:00"});
    } else {
      // A correction: both come round again by the new time.
      EXPECT_EQ(fired, (Log{"1@12:00:00", "2@11:30:00", "1@12:00:00"}));
    }
    EXPECT_EQ(Missed(), 0u);
  }
}

TEST_F(TimeRulesTest, SetForwardUpTo60SecondsIsCaughtUpBeyondReported) {
  for (const int forward : {59, 60, 61}) {
    SCOPED_TRACE(forward);
    fired.clear();
    Daily({testing_support::Hms({2027, 1, 10, 9, 0, 0}), testing_support::Hms(events::FromSerialSecond(9 * 3600 + forward))});
    scheduler.ContinueFrom(platform::DateTime{2027, 1, 9, 0, 0, 0});
    clock.Set(2027, 1, 10, 8, 59, 59, 500);
    Tick();
    Missed();
    clock.wallMs += forward * 1000LL;
    Run(1);  // the tick after 08:59:59 reads 09:00:00 + forward
    if (forward <= 60) {
      const std::string now = testing_support::Hms(clock.Now());
      EXPECT_EQ(fired, (Log{"1@" + now, "2@" + now}));
      EXPECT_EQ(Missed(), 0u);
    } else {
      EXPECT_EQ(fired, Log{"2@09:01:01"});
      EXPECT_EQ(Missed(), 1u);
    }
  }
}

TEST_F(TimeRulesTest, AStartNeverExaminesTheStampedSecondAgainAndTheStampIsTakenBeforeTheAction) {
  Daily({"10:00:00", "10:00:00"});
  scheduler.OnStamp = [&](const platform::DateTime& at) { fired.push_back("stamp " + Text(at)); };
  clock.Set(2027, 1, 10, 9, 59, 59, 500);
  Tick();
  Run(3);
  // Once for both events, before their actions.
  EXPECT_EQ(fired, (Log{"stamp 10.01.2027 10:00:00", "1@10:00:00", "2@10:00:00"}));
  // A start in the same second, and one a little later, from the kept stamp.
  for (const int later : {0, 1}) {
    events::Scheduler restarted{store, settings, [&](const std::string& n) { fired.push_back("again " + n); }};
    restarted.LoadList();
    restarted.Reload();
    restarted.ContinueFrom(platform::DateTime{2027, 1, 10, 10, 0, 0});
    clock.Set(2027, 1, 10, 10, 0, later, 900);
    const platform::ZonedTime now = clock.NowZoned();
    restarted.Scan(now.local, "HH:mm:ss", "dd.MM.yyyy", now.utcOffset);
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_TRUE(restarted.TakeMissed().Empty());
  }
}

TEST_F(TimeRulesTest, AnActionThatCouldNotRunFiresAtTheNextRefreshOfItsSecondAndOthersDoNot) {
  Daily({"10:00:00", "10:00:00", "10:00:00"});
  bool available = false;
  events::Scheduler picky{store, settings, [&](const std::string& n) {
                            if (n == "2" && !available) throw events::ActionUnavailable("later");
                            fired.push_back(n);
                          }};
  picky.LoadList();
  picky.Reload();
  clock.Set(2027, 1, 10, 10, 0, 0, 100);
  picky.Scan(clock.Now(), "HH:mm:ss", "dd.MM.yyyy");
  EXPECT_EQ(fired, Log{"1"});
  available = true;
  picky.Scan(clock.Now(), "HH:mm:ss", "dd.MM.yyyy");
  picky.Scan(clock.Now(), "HH:mm:ss", "dd.MM.yyyy");
  EXPECT_EQ(fired, (Log{"1", "2", "3"}));
}

TEST_F(TimeRulesTest, AGapOfAYearListsTheNewestFiringsAndCountsEveryOther) {
  std::vector<std::string> times;
  for (int i = 0; i < 1500; ++i) times.push_back(testing_support::Hms({2027, 1, 10, 10, i / 60, i % 60}));
  Daily(times);
  scheduler.ContinueFrom(platform::DateTime{2026, 1, 1, 12, 0, 0});
  clock.Set(2027, 1, 10, 12, 0, 0, 500);
  Tick();
  const events::MissedEvents missed = scheduler.TakeMissed();
  // Each event fires on the 374 days from 2 January 2026 to 10 January 2027.
  ASSERT_EQ(missed.firings.size(), events::kMostMissedRows);
  EXPECT_EQ(missed.firings.size() + missed.older, 1500u * 374);
  EXPECT_EQ(Text(missed.firings.front().when), "10.01.2027 10:08:20");
  EXPECT_EQ(missed.firings.front().number, "501");
  EXPECT_EQ(Text(missed.firings.back().when), "10.01.2027 10:24:59");
  EXPECT_EQ(missed.firings.back().number, "1500");
}

// Put-off times count real time across the changes of the offset.
TEST(RealTimePutOffs, SnoozesAcrossSummerTimeBeginningAndEnding) {
  platform::FakeClock clock;
  clock.utcOffset = kWinter;
  clock.Set(2027, 3, 28, 1, 30, 0, 200);
  clock.ChangeOffsetAt(2027, 3, 28, 2, 0, 0, kSummer);
  clock.ChangeOffsetAt(2027, 10, 31, 3, 0, 0, kWinter);
  auto snooze = [&](int minutes) { return Text(events::SnoozedUntil(clock, clock.NowZoned(), minutes)); };
  EXPECT_EQ(snooze(60), "28.03.2027 03:30:00");
  EXPECT_EQ(snooze(5), "28.03.2027 01:35:00");
  EXPECT_EQ(snooze(events::kSnoozeTillTomorrow), "29.03.2027 01:30:00");
  // 02:30 does not exist on the day summer time begins: the first second after the hour.
  clock.Set(2027, 3, 27, 2, 30, 0, 0);
  EXPECT_EQ(snooze(events::kSnoozeTillTomorrow), "28.03.2027 03:00:00");
  clock.Set(2027, 3, 27, 3, 30, 0, 0);
  EXPECT_EQ(snooze(events::kSnoozeTillTomorrow), "28.03.2027 03:30:00");

  // Summer time ends at 03:00: 02:30 comes twice.
  clock.Set(2027, 10, 31, 1, 30, 0, 0);
  clock.utcOffset = kSummer;
  EXPECT_EQ(snooze(60), "31.10.2027 02:30:00");  // the first 02:30
  clock.Set(2027, 10, 31, 2, 50, 0, 0);
  // An hour later it is 02:50 again, a time the scan has passed: the first one it examines.
  EXPECT_EQ(snooze(60), "31.10.2027 03:00:00");
  EXPECT_EQ(snooze(90), "31.10.2027 03:20:00");
  clock.Set(2027, 10, 30, 2, 30, 0, 0);
  EXPECT_EQ(snooze(events::kSnoozeTillTomorrow), "31.10.2027 02:30:00");
}

TEST(RealTimePutOffs, TheCountdownShowsTheRealTimeLeftAcrossAChange) {
  platform::FakeClock clock;
  clock.utcOffset = kWinter;
  clock.Set(2027, 3, 28, 1, 52, 0, 0);
  clock.ChangeOffsetAt(2027, 3, 28, 2, 0, 0, kSummer);
  clock.ChangeOffsetAt(2027, 10, 31, 3, 0, 0, kWinter);
  auto text = [&](const std::optional<events::PowerCountdown>& c) {
    const platform::ZonedTime now = clock.NowZoned();
    return events::CountdownText(c, now.local, now.utcOffset);
  };
  platform::ZonedTime start = clock.NowZoned();
  auto countdown = events::StartCountdown(false, 16 * 60, start.local, start.utcOffset);
  clock.Advance(8 * 60 * 1000);
  EXPECT_EQ(Text(clock.Now()), "28.03.2027 03:00:00");
  EXPECT_EQ(text(countdown), "Выключение через 8:00");

  clock.utcOffset = kSummer;
  clock.Set(2027, 10, 31, 2, 52, 0, 0);
  start = clock.NowZoned();
  countdown = events::StartCountdown(true, 16 * 60, start.local, start.utcOffset);
  clock.Advance(8 * 60 * 1000);
  EXPECT_EQ(Text(clock.Now()), "31.10.2027 02:00:00");
  EXPECT_EQ(text(countdown), "Перезагрузка через 8:00");
  clock.Advance(8 * 60 * 1000);
  EXPECT_EQ(text(countdown), "");
}

// The whole program: a restart in the second an event fired, and summer time beginning with a
// reminder and a power-off in the skipped hour.
class TimeRulesProgramTest : public testing_support::EventsProgramTest {
 protected:
  void StartAt(int y, int mo, int d, int h, int m, int s, int ms = 500) {
    EndInstance();
    SetClock(y, mo, d, h, m, s, ms);
    ASSERT_FALSE(Start());
  }
  std::string LastScan() const {
    return config::TIniFile(dir.Str() + "Cfg/Clock_config.ini").ReadString("Clock", "LastScan", "(none)");
  }
};

TEST_F(TimeRulesProgramTest, ARestartAfterACloseOrAKillInTheFiringSecondFiresNothingAgain) {
  StoreEvent("1", "1", "10:00:00", "01.01.2020", "2", "daily.bat");
  for (const bool kill : {false, true}) {
    SCOPED_TRACE(kill);
    platform->fakeShell().calls.clear();
    StartAt(2027, 1, 10, 9, 59, 58, 100);
    AdvanceTo(10, 0, 0, 300);
    ASSERT_EQ(Opened(), Log{"daily.bat"});
    EXPECT_EQ(LastScan(), "2027-01-10 10:00:00");  // kept before the action ran
    if (!kill) CloseMainWindow();
    EndInstance();
    ASSERT_FALSE(Start());
    Advance(900);
    AdvanceTo(10, 0, 5);
    EXPECT_EQ(Opened(), Log{"daily.bat"});
    EXPECT_FALSE(Form9 && Form9->Visible());
    dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
  }
}

TEST_F(TimeRulesProgramTest, SummerTimeBeginningShowsTheSkippedReminderAndRunsThePowerOffAtTheChange) {
  StoreEvent("1", "5", "02:30:00", "28.03.2027", "1", "", "{\\rtf1\\ansi Полить цветы\\par}");
  StoreEvent("2", "4", "02:45:00", "01.01.2020", "2");
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=600\r\n");
  platform->fakeClock().utcOffset = kWinter;
  StartAt(2027, 3, 28, 1, 59, 50);
  platform->fakeClock().ChangeOffsetAt(2027, 3, 28, 2, 0, 0, kSummer);
  Advance(9000);
  EXPECT_FALSE(Form3->Visible());
  Advance(1000);
  EXPECT_EQ(Text(platform->fakeClock().Now()), "28.03.2027 03:00:00");
  EXPECT_TRUE(Form3->Visible());
  EXPECT_FALSE(platform->fakeSession().log.empty());
  EXPECT_EQ(Form1->Label1->Caption(), "Выключение через 10:00");
  Advance(5000);
  EXPECT_FALSE(Form9 && Form9->Visible());
}

TEST_F(TimeRulesProgramTest, TheFaceCountsDownInRealTimeWhenSummerTimeEnds) {
  StoreEvent("1", "4", "02:52:00", "01.01.2020", "2");
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=960\r\n");
  platform->fakeClock().utcOffset = kSummer;
  StartAt(2027, 10, 31, 2, 51, 58);
  platform->fakeClock().ChangeOffsetAt(2027, 10, 31, 3, 0, 0, kWinter);
  AdvanceTo(2, 52, 1);
  ASSERT_EQ(Form1->Label1->Caption(), "Выключение через 15:59");
  Advance(8 * 60 * 1000);
  EXPECT_EQ(Text(platform->fakeClock().Now()), "31.10.2027 02:00:01");
  EXPECT_EQ(Form1->Label1->Caption(), "Выключение через 7:59");
  // The daily power-off is not run again when 02:52 comes round a second time.
  const std::size_t requests = platform->fakeSession().log.size();
  Advance(53 * 60 * 1000);
  EXPECT_EQ(platform->fakeSession().log.size(), requests);
}

TEST_F(TimeRulesProgramTest, PuttingTheCountdownOffStoresTheTimeTenRealMinutesOn) {
  StoreEvent("1", "4", "01:55:00", "01.01.2020", "2");
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n[Shutdown]\r\ntimeout=60\r\n");
  platform->fakeClock().utcOffset = kWinter;
  StartAt(2027, 3, 28, 1, 54, 58);
  platform->fakeClock().ChangeOffsetAt(2027, 3, 28, 2, 0, 0, kSummer);
  AdvanceTo(1, 55, 1);
  ASSERT_EQ(Form1->Label1->Caption(), "Выключение через 0:59");
  // Put off from 01:55:01, ten real minutes later is after the skipped hour.
  Form1->N18->Click();
  const Log list = Store().LoadList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(Store().Read(list[1], "time", ""), "03:05:01");
  EXPECT_EQ(Store().Read(list[1], "date", ""), "28.03.2027");
}

}  // namespace
