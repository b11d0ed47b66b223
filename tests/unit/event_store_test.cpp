// The event store's files: the bytes the writer produces, files written by hand or by another
// copy of the program, side files found by their file name only, and new event numbers.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "events/event_store.h"
#include "platform/files.h"
#include "tests/unit/program_fixture.h"

using events::EventRecord;
using events::EventStore;
using events::SideFolder;
using testing_support::TempDir;

namespace {

class EventStoreTest : public ::testing::Test {
 protected:
  EventStoreTest() : store(dir.Str()) {
    dir.Write("Gear/Events.txt", "");
    std::filesystem::create_directories(dir.Path() / "notes");
    std::filesystem::create_directories(dir.Path() / "days");
  }
  TempDir dir;
  EventStore store;
};

TEST_F(EventStoreTest, WriterStoresEachTypesKeysInOrderWithCrLfAndCp1251) {
  EventRecord signal;
  signal.number = "4711";
  signal.time = "20:00:00";
  signal.date = "01.02.2003";
  signal.type = "0";
  signal.ms = "300";
  signal.hz = "440";
  signal.period = "1";
  store.AddEvent(signal);

  EventRecord reminder;
  reminder.number = "12";
  reminder.time = "07:30:00";
  reminder.date = "06.12.2026";
  reminder.type = "5";
  reminder.sideText = "{\\rtf1\\ansi\\ansicpg1251 Позвонить маме}";
  reminder.period = "4";
  reminder.weekdays = {true, false, true, false, true, false, false};
  store.AddEvent(reminder);

  EventRecord birthday;
  birthday.number = "0";
  birthday.time = "00:00:00";
  birthday.date = "15.03.2027";
  birthday.type = "6";
  birthday.sideText = "С днём рождения!";
  birthday.birthday = true;
  birthday.foto = "C:\\Фото\\Аня.jpg";
  birthday.email = "anya@mail.ru";
  store.AddEvent(birthday);

  EventRecord file;
  file.number = "99998";
  file.time = "23:59:59";
  file.date = "31.01.2026";
  file.type = "1";
  file.pathToFile = "C:\\Tools\\run.bat";
  file.period = "3";
  EXPECT_EQ(store.AddEvent(file), (std::vector<std::string>{"4711", "12", "0", "99998"}));

  const std::string app = dir.Str();
  EXPECT_EQ(dir.Read("Gear/gear.ini").value(),
            "[4711]\r\ntime=20:00:00\r\ndate=01.02.2003\r\ntype=0\r\nms=300\r\nhz=440\r\nperiod=1\r\n"
            "[12]\r\ntime=07:30:00\r\ndate=06.12.2026\r\ntype=5\r\npathtotxt=" + app + "notes\\12.zqt\r\n"
            "period=4\r\nMon=1\r\nTue=0\r\nWed=1\r\nThu=0\r\nFri=1\r\nSat=0\r\nSun=0\r\n"
            "[0]\r\ntime=00:00:00\r\ndate=15.03.2027\r\ntype=6\r\npathtobirthday=" + app + "days\\0.zqd\r\n"
            "Brith?=1\r\nFoto=C:\\\xD4\xEE\xF2\xEE\\\xC0\xED\xFF.jpg\r\nEmail=anya@mail.ru\r\n"
            "[99998]\r\ntime=23:59:59\r\ndate=31.01.2026\r\ntype=1\r\npathtofile=C:\\Tools\\run.bat\r\nperiod=3\r\n");
  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "4711\r\n12\r\n0\r\n99998\r\n");
  EXPECT_EQ(dir.Read("notes/12.zqt").value(), reminder.sideText);
  EXPECT_EQ(dir.Read("days/0.zqd").value(), "\xD1 \xE4\xED\xB8\xEC \xF0\xEE\xE6\xE4\xE5\xED\xE8\xFF!");
}

TEST_F(EventStoreTest, WriterReplacesASectionThatNoListedNumberOwns) {
  dir.Write("Gear/gear.ini", "[7]\r\npathtotxt=old\r\ntime=01:00:00\r\nperiod=4\r\nMon=0\r\n");
  EventRecord e;
  e.number = "7";
  e.time = "02:00:00";
  e.date = "01.01.2026";
  e.type = "2";
  store.AddEvent(e);
  EXPECT_EQ(dir.Read("Gear/gear.ini").value(), "[7]\r\ntime=02:00:00\r\ndate=01.01.2026\r\ntype=2\r\nperiod=2\r\n");
}

TEST_F(EventStoreTest, LoadsFilesWrittenByHandOrByAnotherCopy) {
  // LF line ends, no final line end, keys in another order and case, blanks around names.
  dir.Write("Gear/Events.txt", "5\n17\n3");
  dir.Write("Gear/gear.ini", "; hand made\n[ 17 ]\nPERIOD = 3\nTime=10:00:00\n\n[5]\r\ntime=11:00:00\r\n");
  EXPECT_EQ(store.LoadList(), (std::vector<std::string>{"5", "17", "3"}));
  EXPECT_EQ(store.Read("17", "time", events::kDefaultTime), "10:00:00");
  EXPECT_EQ(store.Read("17", "period", events::kDefaultPeriod), "3");
  EXPECT_EQ(store.Read("5", "period", events::kDefaultPeriod), "2");
  EXPECT_EQ(store.Read("3", "time", events::kDefaultTime), "01:01:05");

  store.SaveList({"5", "3"});
  EXPECT_EQ(dir.Read("Gear/Events.txt").value(), "5\r\n3\r\n");
  store.EraseSection("17");
  EXPECT_EQ(dir.Read("Gear/gear.ini").value(), "; hand made\n[5]\r\ntime=11:00:00\r\n");
}

TEST_F(EventStoreTest, AFailedWriteTakesBackWhatTheAdditionWroteBeforeIt) {
  const std::string listed = "[1]\r\ntime=01:00:00\r\ntype=2\r\n";
  auto readOnly = [&](const char* file) {
    std::filesystem::permissions(dir.Path() / file, std::filesystem::perms::owner_read);
  };
  auto writable = [&](const char* file) {
    std::filesystem::permissions(dir.Path() / file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  };
  struct Step {
    const char* what;
    std::function<void()> refuse, allow;
  };
  const Step steps[] = {
      {"side file", [&] { std::filesystem::remove_all(dir.Path() / "notes"); std::filesystem::remove_all(dir.Path() / "days"); },
       [&] { std::filesystem::create_directories(dir.Path() / "notes"); std::filesystem::create_directories(dir.Path() / "days"); }},
      {"section", [&] { readOnly("Gear/gear.ini"); }, [&] { writable("Gear/gear.ini"); }},
      {"list line", [&] { readOnly("Gear/Events.txt"); }, [&] { writable("Gear/Events.txt"); }},
  };
  for (const Step& step : steps) {
    for (const char* type : {"5", "6", "2"}) {
      if (step.what == std::string("side file") && type == std::string("2")) continue;  // it has none
      dir.Write("Gear/Events.txt", "1\r\n");
      dir.Write("Gear/gear.ini", listed);
      step.refuse();
      EventRecord e;
      e.number = "42";
      e.type = type;
      e.sideText = "текст";
      EXPECT_THROW(store.AddEvent(e), platform::FileError) << step.what << " " << type;
      step.allow();
      EXPECT_EQ(dir.Read("Gear/gear.ini"), listed) << step.what << " " << type;
      EXPECT_EQ(dir.Read("Gear/Events.txt"), "1\r\n") << step.what << " " << type;
      EXPECT_FALSE(dir.Exists("notes/42.zqt")) << step.what << " " << type;
      EXPECT_FALSE(dir.Exists("days/42.zqd")) << step.what << " " << type;
    }
  }
}

TEST(EventPaths, SplitAtTheLastSeparatorLikeTheProgram) {
  struct Case {
    const char *path, *directory, *name;
  };
  const Case cases[] = {
      {"C:\\Tools\\run.bat", "C:\\Tools\\", "run.bat"},
      {"run.bat", "", "run.bat"},
      {"C:run.bat", "C:", "run.bat"},
      {"/home/u/x.sh", "/home/u/", "x.sh"},
      {"C:\\Tools\\", "C:\\Tools\\", ""},
      {"0", "", "0"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(events::DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(events::FileNamePart(c.path), c.name) << c.path;
  }
}

TEST_F(EventStoreTest, SideFilesAreFoundByFileNameUnderTheProgramsOwnFolders) {
  const std::string app = dir.Str();
  EXPECT_EQ(store.SideFilePath(SideFolder::kNotes, "D:\\Old Horavo\\notes\\12.zqt"), app + "notes\\12.zqt");
  EXPECT_EQ(store.SideFilePath(SideFolder::kDays, "D:\\Old Horavo\\days\\3.zqd"), app + "days\\3.zqd");
  EXPECT_EQ(store.SideFilePath(SideFolder::kNotes, "..\\..\\Cfg\\Clock_config.ini"), app + "notes\\Clock_config.ini");
  EXPECT_EQ(store.SideFilePath(SideFolder::kNotes, "0"), app + "notes\\0");
  for (const char* nothing : {"", "..", "notes\\..", ".", "C:\\x\\"})
    EXPECT_EQ(store.SideFilePath(SideFolder::kDays, nothing), "") << nothing;
}

TEST_F(EventStoreTest, DeletingASideFileTouchesOnlyItsFolder) {
  dir.Write("days/3.zqd", "x");
  dir.Write("3.zqd", "keep");
  dir.Write("notes/3.zqd", "keep");
  dir.Write("Cfg/Clock_config.ini", "keep");
  EXPECT_TRUE(store.DeleteSideFile(SideFolder::kDays, "C:\\Elsewhere\\..\\3.zqd"));
  EXPECT_FALSE(dir.Exists("days/3.zqd"));
  EXPECT_FALSE(store.DeleteSideFile(SideFolder::kDays, "3.zqd"));  // already gone: no error
  EXPECT_FALSE(store.DeleteSideFile(SideFolder::kNotes, "..\\Cfg\\.."));
  EXPECT_FALSE(store.DeleteSideFile(SideFolder::kNotes, "..\\Cfg"));
  EXPECT_TRUE(dir.Exists("3.zqd"));
  EXPECT_TRUE(dir.Exists("notes/3.zqd"));
  EXPECT_TRUE(dir.Exists("Cfg/Clock_config.ini"));
}

TEST(EventNumbers, DrawAgainUntilTheNumberIsNotListed) {
  std::deque<unsigned> values = {5, 99999 + 5, 7};
  auto draw = [&] {
    unsigned v = values.front();
    values.pop_front();
    return v;
  };
  EXPECT_EQ(events::NewEventNumber({"5", "6"}, draw), "7");
  EXPECT_TRUE(values.empty());
  EXPECT_EQ(events::NewEventNumber({}, [] { return 99999u; }), "0");
  EXPECT_EQ(events::NewEventNumber({}, [] { return 2 * 99999u - 1; }), "99998");
}

// A list line with blanks ("9 ") names section [9]: 9 is taken, however the line is written.
TEST(EventNumbers, ANumberListedWithBlanksIsTaken) {
  std::deque<unsigned> values = {9, 12, 4, 13};
  auto draw = [&] {
    unsigned v = values.front();
    values.pop_front();
    return v;
  };
  EXPECT_EQ(events::NewEventNumber({"9 ", " 12", "\t4\t"}, draw), "13");
  // Driven to the first free number after the last draw, blanks still count.
  EXPECT_EQ(events::NewEventNumber({" 5", "6 ", "7"}, [] { return 5u; }), "8");
}

TEST(EventNumbers, AFullListEndsInAnErrorAndANearlyFullOneInTheFreeNumber) {
  std::vector<std::string> all;
  for (int i = 0; i < 99999; ++i) all.push_back(std::to_string(i));
  EXPECT_THROW(events::NewEventNumber(all, [] { return 1u; }), std::runtime_error);
  all.erase(all.begin() + 4242);
  EXPECT_EQ(events::NewEventNumber(all, [] { return 1u; }), "4242");
}

}  // namespace

TEST_F(EventStoreTest, ListenersHearEachChangeOnceAndABatchOnceAtItsEnd) {
  std::vector<std::string> heard;
  const int first = store.Subscribe([&] { heard.push_back("first"); });
  store.Subscribe([&] { heard.push_back("second"); });
  store.Subscribe([] { throw std::runtime_error("a listener's fault stays with it"); });

  EventRecord e;
  e.number = "12";
  e.time = "10:00:00";
  e.date = "01.01.2026";
  e.type = "2";
  store.AddEvent(e);  // a section and a list line: one change
  EXPECT_EQ(heard, (std::vector<std::string>{"first", "second"}));

  heard.clear();
  store.Write("12", "time", "11:00:00");
  EXPECT_EQ(heard.size(), 2u);

  heard.clear();
  {
    const EventStore::ChangeBatch outer(store);
    store.Write("12", "time", "12:00:00");
    {
      const EventStore::ChangeBatch inner(store);
      store.EraseSection("12");
    }
    store.SaveList({});
    EXPECT_TRUE(heard.empty());
  }
  EXPECT_EQ(heard, (std::vector<std::string>{"first", "second"}));

  heard.clear();
  store.Unsubscribe(first);
  { const EventStore::ChangeBatch nothing(store); }
  EXPECT_TRUE(heard.empty());
  store.SaveList({});
  EXPECT_EQ(heard, (std::vector<std::string>{"second"}));
}
