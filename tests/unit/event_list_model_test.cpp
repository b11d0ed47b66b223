// The settings window's event list without its controls, and the store changes it and the
// editor make: filters, rows with the list's defaults, the detail view's reads, the keys each
// type records, and removal with the side file of the event's own type.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/convert.h"
#include "events/next_firing.h"
#include "events/store_changes.h"
#include "settings/event_list_model.h"
#include "tests/unit/program_fixture.h"

namespace {

using events::EventRecord;
using events::KeyValues;
using settings::EventRow;
using testing_support::TempDir;

class EventListModelTest : public ::testing::Test {
 protected:
  EventListModelTest() : store(dir.Str()) {
    dir.Write("Gear/Events.txt", "");
    std::filesystem::create_directories(dir.Path() / "notes");
    std::filesystem::create_directories(dir.Path() / "days");
  }
  config::TIniSnapshot Detail() const { return config::TIniSnapshot(config::TIniFile(store.DetailPath())); }
  std::vector<std::string> Listed(int filter) const {
    std::vector<EventRow> rows;
    settings::ListRows(Detail(), store.LoadList(), filter, rows);
    std::vector<std::string> numbers;
    for (const auto& row : rows) numbers.push_back(row.number);
    return numbers;
  }

  TempDir dir;
  events::EventStore store;
};

using Numbers = std::vector<std::string>;

TEST_F(EventListModelTest, FiltersListByTypeAndTheStandardViewLeavesOutCelebrations) {
  dir.Write("Gear/Events.txt", "10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n18\r\n");
  dir.Write("Gear/gear.ini",
            "[10]\r\ntype=0\r\n[11]\r\ntype=1\r\n[12]\r\ntype=2\r\n[13]\r\ntype=3\r\n[14]\r\ntype=4\r\n"
            "[15]\r\ntype=5\r\n[16]\r\ntype=6\r\n[18]\r\ntype=06\r\n");  // 17 has no section: type "1"
  EXPECT_EQ(Listed(settings::kFilterStandard), (Numbers{"10", "11", "12", "13", "14", "15", "17", "18"}));
  EXPECT_EQ(Listed(settings::kFilterAll), (Numbers{"10", "11", "12", "13", "14", "15", "16", "17", "18"}));
  EXPECT_EQ(Listed(settings::kFilterCelebrations), (Numbers{"16", "18"}));
  EXPECT_EQ(Listed(0), Numbers{"10"});
  EXPECT_EQ(Listed(1), (Numbers{"11", "17"}));
  EXPECT_EQ(Listed(5), Numbers{"15"});
}

TEST_F(EventListModelTest, ATypeThatIsNoNumberStopsATypeFilterAfterTheRowsBeforeIt) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini", "[1]\r\ntype=2\r\n[2]\r\ntype=x\r\n[3]\r\ntype=2\r\n");
  std::vector<EventRow> rows;
  EXPECT_THROW(settings::ListRows(Detail(), store.LoadList(), 2, rows), config::EConvertError);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].number, "1");
  // The standard view compares the text and shows the damaged type as it is stored.
  rows.clear();
  settings::ListRows(Detail(), store.LoadList(), settings::kFilterStandard, rows);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].typeName, "x");
}

TEST_F(EventListModelTest, RowsShowTheStoredTextsWithTheListsOwnDefaults) {
  dir.Write("Gear/Events.txt", "7\r\n8\r\n9\r\n");
  dir.Write("Gear/gear.ini",
            "[7]\r\ntime=20:15:00\r\ndate=31.12.2026\r\ntype=5\r\nactive=0\r\n"
            "[9]\r\ntype=9\r\nactive=yes\r\n");
  std::vector<EventRow> rows;
  settings::ListRows(Detail(), store.LoadList(), settings::kFilterAll, rows);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].typeName, "Напоминание текстом");
  EXPECT_EQ(rows[0].time, "20:15:00");
  EXPECT_EQ(rows[0].date, "31.12.2026");
  EXPECT_FALSE(rows[0].active);
  EXPECT_EQ(rows[1].typeName, "Любой файл");  // no section: type "1", time and date "1", active
  EXPECT_EQ(rows[1].time, "1");
  EXPECT_EQ(rows[1].date, "1");
  EXPECT_TRUE(rows[1].active);
  EXPECT_EQ(rows[2].typeName, "9");  // outside 0..6: the stored text
  EXPECT_TRUE(rows[2].active);       // anything but "0" is on, as the scan reads it
}

TEST_F(EventListModelTest, TheCheckBoxShowsWhatTheScanDoesWithAnyActiveValue) {
  const std::pair<const char*, bool> values[] = {{"active=0\r\n", false}, {"active= 0 \r\n", false},
                                                 {"active=1\r\n", true},  {"active=\r\n", true},
                                                 {"active=yes\r\n", true}, {"active=00\r\n", true},
                                                 {"", true}};
  std::string list, gear;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    list += std::to_string(i) + "\r\n";
    gear += "[" + std::to_string(i) + "]\r\ntime=20:00:00\r\nperiod=2\r\n" + values[i].first;
  }
  dir.Write("Gear/Events.txt", list);
  dir.Write("Gear/gear.ini", gear);
  std::vector<EventRow> rows;
  settings::ListRows(Detail(), store.LoadList(), settings::kFilterAll, rows);
  ASSERT_EQ(rows.size(), std::size(values));
  platform::DateTime noon;
  noon.year = 2026, noon.month = 12, noon.day = 8, noon.hour = 12;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(values[i].first);
    EXPECT_EQ(rows[i].active, values[i].second);
    const auto rule = events::ReadFiringRule(Detail(), rows[i].number);
    EXPECT_EQ(rule.active, values[i].second);
    // The next-firing line names a moment exactly for the rows ticked.
    const std::string line = settings::NextFiringLine(Detail(), rows[i].number, noon, "HH:mm:ss", "dd.MM.yyyy");
    EXPECT_EQ(line.find("08.12.2026 20:00:00") != std::string::npos, values[i].second) << line;
  }
}

TEST_F(EventListModelTest, DetailViewReadsItsOwnDefaultsAndSideFilesUnderTheProgramsFolders) {
  const std::string app = dir.Str();
  const auto none = settings::ReadDetail(Detail(), "404", app);
  EXPECT_EQ(none.type, "0");
  EXPECT_EQ(none.birthday, "0");
  EXPECT_EQ(none.time, "20:00:00");
  EXPECT_EQ(none.date, "01.02.2003");
  EXPECT_EQ(none.hz, "800");
  EXPECT_EQ(none.ms, "1000");
  EXPECT_EQ(none.pathToFile, app + "horavo.exe");
  EXPECT_EQ(none.reminderFile, app + "notes\\-1.zqt");
  EXPECT_EQ(none.celebrationFile, app + "days\\-1.zqd");
  EXPECT_EQ(none.period, "1");
  for (const auto& day : none.weekdays) EXPECT_EQ(day, "1");

  dir.Write("Gear/gear.ini",
            "[5]\r\ntype=6\r\nBrith?=1\r\npathtotxt=D:\\Old\\notes\\5.zqt\r\npathtobirthday=D:\\Old\\days\\5.zqd\r\n"
            "period=4\r\nMon=0\r\nSun=x\r\n");
  const auto moved = settings::ReadDetail(Detail(), "5", app);
  EXPECT_EQ(moved.reminderFile, app + "notes\\5.zqt");
  EXPECT_EQ(moved.celebrationFile, app + "days\\5.zqd");
  EXPECT_EQ(moved.birthday, "1");
  EXPECT_EQ(moved.weekdays[0], "0");
  EXPECT_EQ(moved.weekdays[1], "1");
  EXPECT_EQ(moved.weekdays[6], "x");
  // The test run opens the stored path as it is, or the placeholder of the event's own folder.
  EXPECT_EQ(settings::TestRunFile(Detail(), "5", true, app), "D:\\Old\\days\\5.zqd");
  EXPECT_EQ(settings::TestRunFile(Detail(), "404", true, app), app + "days\\-1.zqd");
  EXPECT_EQ(settings::TestRunFile(Detail(), "404", false, app), app + "notes\\-1.zqt");
}

TEST(EventWritePlan, EachTypeRecordsItsOwnKeysInTheStoredOrder) {
  EventRecord e;
  e.number = "42";
  e.time = "20:00:00";
  e.date = "01.02.2003";
  e.ms = "1000";
  e.hz = "800";
  e.pathToFile = "C:\\a.bat";
  e.sideText = "{\\rtf1 x}";
  e.foto = "C:\\f.jpg";
  e.email = "a@b.ru";
  e.period = "2";
  const KeyValues head = {{"time", "20:00:00"}, {"date", "01.02.2003"}};
  auto keys = [&](const std::string& type, const std::string& period) {
    e.type = type;
    e.period = period;
    return events::PlanEventWrite(e, "C:\\H\\").keys;
  };
  auto with = [&](const std::string& type, KeyValues more) {
    KeyValues all = head;
    all.emplace_back("type", type);
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  EXPECT_EQ(keys("0", "1"), with("0", {{"ms", "1000"}, {"hz", "800"}, {"period", "1"}}));
  EXPECT_EQ(keys("1", "3"), with("1", {{"pathtofile", "C:\\a.bat"}, {"period", "3"}}));
  for (const char* type : {"2", "3", "4"}) EXPECT_EQ(keys(type, "2"), with(type, {{"period", "2"}})) << type;
  EXPECT_EQ(keys("4", ""), with("4", {{"period", ""}}));  // a template after a birthday page
  EXPECT_EQ(keys("5", "1"), with("5", {{"pathtotxt", "C:\\H\\notes\\42.zqt"}, {"period", "1"}}));
  e.birthday = true;
  EXPECT_EQ(keys("6", "4"), with("6", {{"pathtobirthday", "C:\\H\\days\\42.zqd"}, {"Brith?", "1"}, {"Foto", "C:\\f.jpg"},
                                       {"Email", "a@b.ru"}}));
  e.weekdays = {false, false, false, false, false, false, false};
  EXPECT_EQ(keys("2", "4"), with("2", {{"period", "4"}, {"Mon", "0"}, {"Tue", "0"}, {"Wed", "0"}, {"Thu", "0"},
                                       {"Fri", "0"}, {"Sat", "0"}, {"Sun", "0"}}));

  e.type = "5";
  const auto reminder = events::PlanEventWrite(e, "C:\\H\\");
  EXPECT_EQ(reminder.sideFile, "C:\\H\\notes\\42.zqt");
  EXPECT_EQ(reminder.sideText, "{\\rtf1 x}");
  e.type = "0";
  EXPECT_EQ(events::PlanEventWrite(e, "C:\\H\\").sideFile, "");
}

TEST_F(EventListModelTest, RemovalDeletesTheSideFileOfTheEventsOwnTypeAndKeepsTheListOrder) {
  const std::string app = dir.Str();
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n4\r\n2\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntype=5\r\npathtotxt=D:\\Old\\notes\\1.zqt\r\npathtobirthday=2.zqd\r\n"
            "[2]\r\ntype=6\r\npathtobirthday=" + app + "days\\2.zqd\r\npathtotxt=3.zqt\r\n"
            "[3]\r\ntype=0\r\npathtotxt=3.zqt\r\n"
            "[4]\r\ntype=5\r\n");
  for (const char* file : {"notes/1.zqt", "days/2.zqd", "notes/3.zqt", "notes/0", "notes/-1.zqt"}) dir.Write(file, "x");

  EXPECT_EQ(events::RemoveEvent(store, "2"), (Numbers{"1", "3", "4", "2"}));  // the first line only
  EXPECT_FALSE(dir.Exists("days/2.zqd"));
  EXPECT_TRUE(dir.Exists("notes/3.zqt"));  // a reminder's key in a birthday's section is not its file
  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "1\r\n3\r\n4\r\n2\r\n");

  events::RemoveEvent(store, "1");
  EXPECT_FALSE(dir.Exists("notes/1.zqt"));  // found by its file name, wherever the path pointed

  events::RemoveEvent(store, "3");  // a signal owns no side file
  EXPECT_TRUE(dir.Exists("notes/3.zqt"));

  events::RemoveEvent(store, "4");  // a reminder without its key names the file "0"
  EXPECT_FALSE(dir.Exists("notes/0"));
  EXPECT_TRUE(dir.Exists("notes/-1.zqt"));

  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "2\r\n");
  EXPECT_EQ(dir.Read("Gear/gear.ini").value(), "");
  EXPECT_EQ(events::RemoveEvent(store, "77"), Numbers{"2"});  // not listed: nothing else changes
  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "2\r\n");
}

TEST_F(EventListModelTest, TheNextFiringLineUsesTheSchedulersDefaultsAndTheUsersFormats) {
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=07:30:00\r\ndate=31.12.2026\r\ntype=5\r\nperiod=1\r\n"
            "[2]\r\ntime=07:30:00\r\ndate=01.12.2026\r\ntype=5\r\nperiod=1\r\n"
            "[3]\r\ntime=07:30:00\r\ntype=0\r\n"  // no period: daily, as the scan reads it
            "[4]\r\ntime=07:30:00\r\ntype=0\r\nperiod=2\r\nactive=0\r\n"
            "[5]\r\ntime=00:00:00\r\ndate=08.12.2001\r\ntype=6\r\n");
  platform::DateTime now;
  now.year = 2026, now.month = 12, now.day = 8, now.hour = 12;
  auto line = [&](const std::string& number, const std::string& time = "HH:mm:ss", const std::string& date = "dd.MM.yyyy") {
    return settings::NextFiringLine(Detail(), number, now, time, date);
  };
  EXPECT_EQ(line("1"), "Следующий раз: 31.12.2026 07:30:00");
  EXPECT_EQ(line("2"), "Уже сработало");
  EXPECT_EQ(line("3"), "Следующий раз: 09.12.2026 07:30:00");
  EXPECT_EQ(line("4"), "Следующий раз: не сработает");
  EXPECT_EQ(line("5"), "");
  // No section: the scan's defaults, a daily event at 01:01:05.
  EXPECT_EQ(line("missing"), "Следующий раз: 09.12.2026 01:01:05");
  // The user's formats read the stored texts and write the answer.
  EXPECT_EQ(line("3", "HH:mm:ss", "yyyy-MM-dd"), "Следующий раз: 2026-12-09 07:30:00");
  // A 12-hour picture without AM/PM: the line says the hour on the 24-hour clock, as it fires.
  dir.Write("Gear/gear.ini", "[6]\r\ntime=20:00:00\r\nperiod=2\r\n[7]\r\ntime=8:00:00\r\nperiod=2\r\n"
                             "[8]\r\ntime=20:15\r\nperiod=2\r\n");
  EXPECT_EQ(line("6", "h:mm:ss"), "Следующий раз: 08.12.2026 20:00:00");
  EXPECT_EQ(line("7", "h:mm:ss"), "Следующий раз: 09.12.2026 8:00:00");
  EXPECT_EQ(line("8", "HH:mm"), "Следующий раз: 08.12.2026 20:15");
  EXPECT_EQ(line("6", "h:mm:ss tt"), "Следующий раз: не сработает");  // not that picture's text
}

TEST(FiredOnce, OnlyAOneTimeEventSwitchedOnWhoseSecondHasGoneBy) {
  platform::DateTime now;
  now.year = 2026, now.month = 12, now.day = 8, now.hour = 12, now.millisecond = 900;
  auto fired = [&](const char* time, const char* date, const char* period, bool active = true) {
    events::FiringRule rule;
    rule.time = time, rule.date = date, rule.period = period, rule.active = active;
    return settings::FiredOnce(rule, now, "HH:mm:ss", "dd.MM.yyyy");
  };
  EXPECT_TRUE(fired("11:59:59", "08.12.2026", "1"));
  EXPECT_TRUE(fired("23:00:00", "01.01.2001", "1"));
  EXPECT_FALSE(fired("12:00:00", "08.12.2026", "1"));  // its second is the current one: not yet
  EXPECT_FALSE(fired("12:00:01", "08.12.2026", "1"));
  EXPECT_FALSE(fired("11:59:59", "08.12.2026", "1", false));
  for (const char* period : {"2", "3", "4", "", "x"}) EXPECT_FALSE(fired("11:59:59", "08.12.2026", period)) << period;
  // A moment that does not read back never fired.
  EXPECT_FALSE(fired("11:59", "08.12.2026", "1"));
  EXPECT_FALSE(fired("11:59:59", "31.02.2026", "1"));
  EXPECT_FALSE(fired("11:59:59", "", "1"));
}

}  // namespace
