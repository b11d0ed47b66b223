// The event engines on their own, with no window and no program around them: the scheduler and
// the actions over a fake platform and an event store in a temporary folder.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "events/actions.h"
#include "events/event_store.h"
#include "events/one_time_events.h"
#include "events/scheduler.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

class EnginesTest : public ::testing::Test {
 protected:
  EnginesTest() {
    dir.Write("Gear/Events.txt", "");
    dir.Write("Cfg/Clock_config.ini", "");
    dir.Write("notes/-1.zqt", "");
  }

  platform::DateTime At(int h, int m, int s) {
    platform->fakeClock().Set(2026, 12, 7, h, m, s, 500);  // a Monday
    return platform->fakeClock().Now();
  }
  void Scan(int h, int m, int s) { scheduler.Scan(At(h, m, s), "HH:mm:ss", "dd.MM.yyyy"); }

  void Add(const std::string& number, const std::string& time, const std::string& period, const std::string& type,
           const std::string& file) {
    events::EventRecord e;
    e.number = number;
    e.time = time;
    e.date = "07.12.2026";
    e.type = type;
    e.period = period;
    e.pathToFile = file;
    e.sideText = type == "5" ? "{\\rtf1 " + file + "}" : "";
    store.AddEvent(e);
  }
  void Load() {
    scheduler.LoadList();
    scheduler.Reload();
  }
  Log Opened() const {
    Log files;
    for (const auto& call : platform->fakeShell().calls) files.push_back(call.file);
    return files;
  }

  testing_support::TempDir dir;
  platform::FakeSystem system;
  std::unique_ptr<platform::FakePlatform> platform = std::make_unique<platform::FakePlatform>(system);
  config::Settings settings{dir.Str() + "Cfg\\Clock_config.ini"};
  events::EventStore store{dir.Str()};
  // The reminder "window": the files it was given, or no window at all.
  bool reminderWindow = true;
  Log reminders;
  events::Actions actions{*platform, store, settings, [this](const std::string& file) {
                            if (!reminderWindow) throw events::ActionUnavailable("no window");
                            reminders.push_back(file);
                          }};
  events::Scheduler scheduler{store, settings, [this](const std::string& number) { actions.Run(number); }};
};

TEST_F(EnginesTest, TheScanFiresTheEventsOfTheGivenSecondOnceInListOrder) {
  Add("3", "09:05:10", "2", "1", "C:\\a\\first.bat");
  Add("1", "09:05:10", "2", "1", "second.bat");
  Add("2", "09:05:11", "2", "1", "later.bat");
  Load();
  EXPECT_EQ(scheduler.Names(), (Log{"3", "1", "2"}));
  EXPECT_EQ(scheduler.Times(), (Log{"09:05:10", "09:05:10", "09:05:11"}));
  Scan(9, 5, 9);
  Scan(9, 5, 10);
  Scan(9, 5, 10);
  EXPECT_EQ(Opened(), (Log{"first.bat", "second.bat"}));
  EXPECT_EQ(platform->fakeShell().calls[0].directory, "C:\\a\\");
  Scan(9, 5, 11);
  EXPECT_EQ(Opened(), (Log{"first.bat", "second.bat", "later.bat"}));
}

TEST_F(EnginesTest, RemoveTakesAnEventOutOfTheScanAtOnceAndLeavesTheStore) {
  Add("1", "09:05:10", "2", "1", "a.bat");
  Add("2", "09:05:10", "2", "1", "b.bat");
  Load();
  EXPECT_TRUE(scheduler.Remove("1"));
  EXPECT_FALSE(scheduler.Remove("1"));
  EXPECT_EQ(scheduler.Names(), Log{"2"});
  EXPECT_EQ(scheduler.Times(), Log{"09:05:10"});
  Scan(9, 5, 10);
  EXPECT_EQ(Opened(), Log{"b.bat"});
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "1\r\n2\r\n");
}

TEST_F(EnginesTest, KillTaskRemovesAFiredOnceEventAndTellsTheListWindow) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nKillTask=1\r\n");
  Add("1", "09:05:10", "1", "5", "note");
  Add("2", "09:05:10", "2", "1", "daily.bat");
  Load();
  int removed = 0;
  scheduler.OnScanRemoved = [&] { ++removed; };
  Scan(9, 5, 10);
  EXPECT_EQ(reminders, Log{dir.Str() + "notes\\1.zqt"});
  EXPECT_EQ(Opened(), Log{"daily.bat"});
  EXPECT_EQ(removed, 1);
  EXPECT_EQ(scheduler.Names(), Log{"2"});
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "2\r\n");
  EXPECT_FALSE(dir.Exists("notes/1.zqt"));
}

TEST_F(EnginesTest, TheScanFollowsTheListsAsTheyChangeBetweenAndDuringScans) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nKillTask=1\r\n");
  Add("1", "09:05:10", "1", "1", "once.bat");
  Add("2", "09:05:11", "2", "1", "other second.bat");
  Add("3", "09:05:10", "2", "1", "removed meanwhile.bat");
  Add("4", "09:05:10", "2", "1", "last.bat");
  Load();
  Scan(9, 5, 9);  // a second with nothing due comes first
  // Another window takes an event out while the scan is under way.
  scheduler.OnScanRemoved = [&] { scheduler.Remove("3"); };
  Scan(9, 5, 10);
  EXPECT_EQ(Opened(), (Log{"once.bat", "last.bat"}));
  EXPECT_EQ(scheduler.Names(), (Log{"2", "4"}));

  // A stored time changed and reloaded: the event moves to its new second.
  store.Write("4", "time", "09:05:12");
  Load();
  Scan(9, 5, 11);
  Scan(9, 5, 12);
  EXPECT_EQ(Opened(), (Log{"once.bat", "last.bat", "other second.bat", "last.bat"}));
  // The reloaded list holds event 3 again (only the scan's copy had lost it); 4 is not at 10.
  // Seen a day earlier: the clock set back that far is corrected, its seconds examined anew.
  platform->fakeClock().Set(2026, 12, 6, 9, 5, 10, 500);
  scheduler.Scan(platform->fakeClock().Now(), "HH:mm:ss", "dd.MM.yyyy");
  EXPECT_EQ(Opened().back(), "removed meanwhile.bat");
  EXPECT_EQ(Opened().size(), 5u);
}

TEST_F(EnginesTest, AReminderThatCannotBeShownStopsTheScanWithNothingRemoved) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nKillTask=1\r\n");
  Add("1", "09:05:10", "1", "5", "note");
  Add("2", "09:05:10", "2", "1", "daily.bat");
  Load();
  reminderWindow = false;
  Scan(9, 5, 10);
  EXPECT_TRUE(reminders.empty());
  EXPECT_TRUE(Opened().empty());
  EXPECT_EQ(scheduler.Names(), (Log{"1", "2"}));
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "1\r\n2\r\n");
  EXPECT_TRUE(dir.Exists("notes/1.zqt"));

  // It did not count as fired: once the window exists, a refresh in the same second shows it.
  reminderWindow = true;
  Scan(9, 5, 10);
  EXPECT_EQ(reminders.size(), 1u);
  EXPECT_EQ(Opened(), Log{"daily.bat"});
  EXPECT_EQ(scheduler.Names(), Log{"2"});
}

TEST_F(EnginesTest, ActionsReadTheirSettingsAtEachRequest) {
  Add("1", "09:05:10", "2", "4", "");
  actions.Run("1");
  dir.Write("Cfg/Clock_config.ini", "[Shutdown]\r\ntimeout=5\r\nForceEx=1\r\nComment=Bye\r\n");
  actions.Shutdown(2);
  actions.Shutdown(1);
  actions.AbortShutdown();
  EXPECT_EQ(platform->fakeSession().log,
            (Log{"OpenProcessToken", "EnableShutdownPrivilege", "Shutdown 50 force=0 reboot=0", "OpenProcessToken",
                 "EnableShutdownPrivilege", "Shutdown 5 force=1 reboot=1", "OpenProcessToken",
                 "EnableShutdownPrivilege", "LogOff 4"}));
  EXPECT_EQ(platform->fakeSession().messages.back(), "Bye");
  EXPECT_EQ(Opened(), Log{"shutdown.exe"});
}

// A snooze drawing a number that the list holds with blanks around it ("9 ") draws again:
// event 9 keeps its keys, and the new event has its own section.
TEST_F(EnginesTest, ASnoozeNeverDrawsANumberTheListHoldsWithBlanks) {
  dir.Write("Gear/Events.txt", "9 \r\n 12\r\n");
  dir.Write("Gear/gear.ini", "[9]\r\ntime=10:00:00\r\ntype=1\r\nperiod=2\r\npathtofile=nine.bat\r\n"
                             "[12]\r\ntime=11:00:00\r\ntype=1\r\nperiod=2\r\npathtofile=twelve.bat\r\n");
  Load();
  std::deque<unsigned> values = {9, 12, 9, 30};
  const std::string number = events::AddOneTimeEvent(
      store, scheduler, {"5", At(9, 10, 0), "{\\rtf1 x}"}, "HH:mm:ss", "dd.MM.yyyy", [&] {
        const unsigned v = values.front();
        values.pop_front();
        return v;
      });
  EXPECT_EQ(number, "30");
  EXPECT_EQ(store.Read("9", "pathtofile", ""), "nine.bat");
  EXPECT_EQ(store.Read("9", "time", ""), "10:00:00");
  EXPECT_EQ(store.Read("12", "pathtofile", ""), "twelve.bat");
  EXPECT_EQ(store.Read("30", "type", ""), "5");
  Scan(10, 0, 0);
  EXPECT_EQ(Opened(), Log{"nine.bat"});
}

// Whatever time picture the user has, an event stored under it fires once a day, in the
// second the next-firing line names: the pictures the regional settings offer, a 12-hour one
// without a half-of-day mark (read as 24-hour) and one without seconds (the minute's first).
TEST_F(EnginesTest, EveryTimePictureFiresOnceADayInTheSecondTheNextFiringLineNames) {
  const char* const pictures[] = {"HH:mm:ss", "H:mm:ss",    "h:mm:ss tt", "hh:mm:ss tt", "tt h:mm:ss",
                                  "tt hh:mm:ss", "h:mm:ss", "hh:mm:ss",   "HH:mm"};
  const int moments[][3] = {{0, 0, 0}, {0, 30, 15}, {8, 0, 0}, {11, 59, 59}, {12, 0, 0},
                            {12, 30, 15}, {20, 0, 0}, {23, 59, 59}};
  for (const char* picture : pictures) {
    SCOPED_TRACE(picture);
    const bool seconds = std::string(picture).find('s') != std::string::npos;
    dir.Write("Gear/Events.txt", "");
    dir.Write("Gear/gear.ini", "");
    std::vector<int> expected;
    for (std::size_t i = 0; i < std::size(moments); ++i) {
      const auto [h, m, sec] = moments[i];
      Add(std::to_string(i), events::StoredTimeText(picture, At(h, m, sec)), "2", "1", std::to_string(i));
      expected.push_back(h * 3600 + m * 60 + (seconds ? sec : 0));
    }
    std::vector<std::vector<int>> fired(std::size(moments));
    events::Scheduler scan(store, settings, [&](const std::string& number) {
      fired[std::stoul(number)].push_back(events::SecondOfDay(platform->fakeClock().Now()));
    });
    scan.LoadList();
    scan.Reload();
    for (int second = 0; second < 86400; ++second) scan.Scan(At(second / 3600, second / 60 % 60, second % 60), picture, "dd.MM.yyyy");
    for (std::size_t i = 0; i < std::size(moments); ++i) {
      SCOPED_TRACE(store.Read(std::to_string(i), "time", ""));
      EXPECT_EQ(fired[i], std::vector<int>{expected[i]});
      const auto next = events::NextFiring(events::ReadFiringRule(store, std::to_string(i)), At(0, 0, 0), picture,
                                           "dd.MM.yyyy");
      ASSERT_TRUE(next);
      EXPECT_EQ(events::SecondOfDay(*next), expected[i]);
    }
  }
}

// Texts typed by hand or written under a 12-hour picture before: read as 24-hour where the
// picture cannot tell the halves apart, and never firing where they are not the picture's.
TEST_F(EnginesTest, StoredTimesUnderAPictureWithoutHalvesOfTheDay) {
  EXPECT_EQ(events::StoredTimeText("h:mm:ss", At(20, 5, 0)), "20:05:00");
  EXPECT_EQ(events::StoredTimeText("h:mm:ss", At(8, 5, 0)), "8:05:00");
  EXPECT_EQ(events::StoredTimeText("h:mm:ss tt", At(20, 5, 0)), "8:05:00 PM");
  EXPECT_EQ(events::StoredTimeText("'h' h:mm", At(20, 5, 0)), "h 20:05");
  EXPECT_EQ(events::StoredTimeText("H (h):mm", At(20, 5, 0)), "20 (8):05");
  const std::pair<const char*, std::optional<int>> texts[] = {
      {"8:00:00", 8 * 3600},  {"20:00:00", 20 * 3600}, {"12:00:00", 12 * 3600}, {"0:00:00", 0},
      {"08:00:00", std::nullopt}, {"8:00:00 PM", std::nullopt}, {"24:00:00", std::nullopt}, {"8:0:0", std::nullopt}};
  for (const auto& [text, second] : texts) EXPECT_EQ(events::StoredSecondOfDay(text, "h:mm:ss"), second) << text;
  EXPECT_EQ(events::StoredSecondOfDay("20:00:00", "h:mm:ss tt"), std::nullopt);
  EXPECT_EQ(events::StoredSecondOfDay("8:00:00 PM", "h:mm:ss tt"), 20 * 3600);
  EXPECT_EQ(events::StoredSecondOfDay("08:00", "HH:mm"), 8 * 3600);

  // The editor's picker reads such a text back as the moment it fires at.
  platform->fakeClock().longTimeFormat = "h:mm:ss";
  EXPECT_EQ(platform->fakeClock().ParseTime("20:00:00")->hour, 20);
  EXPECT_EQ(platform->fakeClock().ParseTime("8:00:00")->hour, 8);
}

}  // namespace
