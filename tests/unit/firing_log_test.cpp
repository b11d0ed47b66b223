// The firing log "Gear\log.txt": its lines, its caps of 1,000 lines and 256 KB, a write killed
// midway, and the lines a whole program writes as its events fire.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "events/event_store.h"
#include "events/firing_log.h"
#include "events/list_file.h"
#include "platform/files.h"
#include "tests/unit/program_fixture.h"

namespace {

using testing_support::EventsProgramTest;
using testing_support::TempDir;

platform::DateTime At(int y, int mo, int d, int h, int mi, int s) {
  platform::DateTime t;
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
  return t;
}

TEST(FiringLogTest, OneLinePerFiringWhateverTheErrorsText) {
  EXPECT_EQ(events::FiringLogLine(At(2026, 1, 2, 3, 4, 5), "77", "Любой файл", "ok"),
            "02.01.2026\t03:04:05\t77\tЛюбой файл\tok");
  EXPECT_EQ(events::FiringLogLine(At(2026, 12, 31, 23, 59, 59), "5", "Напоминание текстом",
                                  "Cannot open file\r\n\"C:\\x.zqt\"\tnow"),
            "31.12.2026\t23:59:59\t5\tНапоминание текстом\tCannot open file  \"C:\\x.zqt\" now");
}

TEST(FiringLogTest, KeepsTheLastThousandLines) {
  std::string log;
  for (int i = 0; i < 1005; ++i) log = events::AppendCapped(log, "line " + std::to_string(i));
  const std::vector<std::string> lines = events::SplitLines(log);
  ASSERT_EQ(lines.size(), events::kFiringLogLines);
  EXPECT_EQ(lines.front(), "line 5");
  EXPECT_EQ(lines.back(), "line 1004");
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
  // A log written by hand with other line ends is carried on with CR LF.
  EXPECT_EQ(events::AppendCapped("a\nb\rc", "d", 3), "b\r\nc\r\nd\r\n");
  EXPECT_EQ(events::AppendCapped("", "first"), "first\r\n");
}

// The size cap against the plain rule it stands for: split the whole log, add the line, cut
// every line to the cap, keep the newest lines that fit. The quick path looks only at the tail.
TEST(FiringLogTest, KeepsTheNewestLinesThatFitTheSizeCapWhateverTheLineEnds) {
  auto plain = [](const std::string& log, const std::string& line, std::size_t capBytes) {
    std::vector<std::string> lines = events::SplitLines(log);
    lines.push_back(line);
    std::string out;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
      const std::string kept = it->substr(0, capBytes - 2) + "\r\n";
      if (!out.empty() && out.size() + kept.size() > capBytes) break;
      out.insert(0, kept);
    }
    return out;
  };
  const char* const ends[] = {"\r\n", "\n", "\r"};
  unsigned seed = 7;
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 3000; ++round) {
    std::string log;
    const unsigned lines = next() % 8;
    for (unsigned i = 0; i < lines; ++i) log += std::string(next() % 12, char('a' + i)) + ends[next() % 3];
    if (next() % 3 == 0) log += std::string(next() % 12, 'z');  // a last line without its end
    const std::string line(next() % 12, 'N');
    const std::size_t capBytes = 2 + next() % 30;
    const std::string capped = events::AppendCapped(log, line, events::kFiringLogLines, capBytes);
    ASSERT_EQ(capped, plain(log, line, capBytes)) << log << " | " << capBytes;
    ASSERT_LE(capped.size(), capBytes);
  }
  // The line cap still holds under the size cap.
  EXPECT_EQ(events::AppendCapped("a\r\nb\r\n", "c", 2, 100), "b\r\nc\r\n");
}

// A log of 10 MB without a line break is cut to the cap at the next firing, and from then on
// each firing rewrites at most the cap.
TEST(FiringLogTest, AHugeLogWithoutLineBreaksIsCutToTheCapAtTheNextFiring) {
  TempDir dir;
  dir.Write("Gear/log.txt", std::string(10 * 1024 * 1024, 'x'));
  const events::FiringLog log(dir.Str() + "Gear\\log.txt");
  log.Append(At(2026, 12, 8, 10, 0, 0), "1", "Сигнал", "ok");
  EXPECT_EQ(dir.Read("Gear/log.txt"), "08.12.2026\t10:00:00\t1\tСигнал\tok\r\n");

  // Lines of 100 KB each: the newest that fit in 256 KB stay, the oldest go first.
  const std::string big(100 * 1024, 'y');
  for (int i = 0; i < 4; ++i) log.Append(At(2026, 12, 8, 10, 0, i), big + std::to_string(i), "Сигнал", "ok");
  const std::string text = dir.Read("Gear/log.txt").value_or("");
  EXPECT_LE(text.size(), events::kFiringLogBytes);
  const std::vector<std::string> lines = events::SplitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(big + "2"), std::string::npos);
  EXPECT_NE(lines[1].find(big + "3"), std::string::npos);

  // A single line longer than the cap is cut to it.
  log.Append(At(2026, 12, 8, 10, 0, 5), std::string(300 * 1024, '7'), "Сигнал", "ok");
  const std::string cut = dir.Read("Gear/log.txt").value_or("");
  EXPECT_EQ(cut.size(), events::kFiringLogBytes);
  EXPECT_EQ(cut.substr(0, 21), "08.12.2026\t10:00:05\t7");
  EXPECT_EQ(cut.substr(cut.size() - 3), "7\r\n");
}

// A writer killed at a random moment leaves the log as one of its complete states: whole
// lines, in order, at most 1,000 of them.
TEST(FiringLogTest, AWriterKilledMidwayLeavesAWholeLog) {
  TempDir dir;
  dir.Write("Gear/log.txt", "");
  const events::FiringLog log(dir.Str() + "Gear\\log.txt");
  for (int round = 0; round < 3; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) log.Append(At(2026, 12, 8, 10, 0, 0), std::to_string(i), "Сигнал", "ok");
    }
    ::usleep(useconds_t(150000 + round * 70000));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const std::vector<std::string> lines = events::SplitLines(dir.Read("Gear/log.txt").value_or(""));
    ASSERT_LE(lines.size(), events::kFiringLogLines);
    ASSERT_FALSE(lines.empty());
    const std::regex whole("08\\.12\\.2026\t10:00:00\t[0-9]+\tСигнал\tok");
    long previous = -1;
    for (const std::string& line : lines) {
      ASSERT_TRUE(std::regex_match(line, whole)) << line;
      const long number = std::stol(line.substr(20));
      // Each round starts counting at 0 again after the lines the rounds before left.
      if (previous >= 0 && number != 0) {
        ASSERT_EQ(number, previous + 1) << line;
      }
      previous = number;
    }
  }
  // The log is still written after the kills.
  log.Append(At(2026, 12, 8, 10, 0, 1), "last", "Сигнал", "ok");
  EXPECT_EQ(events::SplitLines(*dir.Read("Gear/log.txt")).back(), "08.12.2026\t10:00:01\tlast\tСигнал\tok");
}

class ProgramFiringLogTest : public EventsProgramTest {
 protected:
  ProgramFiringLogTest() {
    dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
  }
  void Add(const std::string& number, const std::string& type, const std::string& time, const std::string& file = "") {
    StoreEvent(number, type, time, "07.12.2026", "2", file);
  }
};

TEST_F(ProgramFiringLogTest, EachFiringIsLoggedWithItsTypeAndOutcome) {
  Add("1", "1", "09:05:10", "a.bat");
  Add("2", "5", "09:05:11");  // a reminder whose text file was removed
  Add("3", "6", "09:05:12");  // a birthday: nothing runs at its time
  std::filesystem::remove(dir.Path() / "notes" / "2.zqt");
  SetClock(2026, 12, 7, 9, 5, 8);
  ASSERT_FALSE(Start());
  AdvanceTo(9, 5, 13);
  const std::vector<std::string> lines = events::SplitLines(dir.Read("Gear/log.txt").value_or(""));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "07.12.2026\t09:05:10\t1\tЛюбой файл\tok");
  EXPECT_EQ(lines[1].substr(0, 42), "07.12.2026\t09:05:11\t2\tНапоминание текстом\t");
  EXPECT_NE(lines[1].find("2.zqt"), std::string::npos) << lines[1];
}

TEST_F(ProgramFiringLogTest, ALogThatCannotBeWrittenStopsNoEvent) {
  Add("1", "1", "09:05:10", "a.bat");
  Add("2", "1", "09:05:10", "b.bat");
  std::filesystem::create_directories(dir.Path() / "Gear" / "log.txt");  // a folder in its place
  SetClock(2026, 12, 7, 9, 5, 8);
  ASSERT_FALSE(Start());
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"a.bat", "b.bat"}));
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

TEST_F(ProgramFiringLogTest, TheSettingsPageOpensTheLogWithTheShell) {
  ASSERT_FALSE(Start());
  Form1->N4->Click();
  EXPECT_EQ(Form2->BitBtn14->Caption(), "Журнал");
  Form2->BitBtn14->Click();  // no log yet: said so, nothing opened
  ASSERT_EQ(platform->fakeDialogs().shown.size(), 1u);
  EXPECT_TRUE(platform->fakeShell().calls.empty());

  dir.Write("Gear/log.txt", "07.12.2026\t09:05:10\t1\tСигнал\tok\r\n");
  Form2->BitBtn14->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], dir.Str() + "Gear\\log.txt", "", "");
  platform->fakeShell().result = 2;  // the system finds no program for it
  Form2->BitBtn14->Click();
  ASSERT_EQ(platform->fakeDialogs().shown.size(), 2u);
  EXPECT_EQ(platform->fakeDialogs().shown[1].text, "Не удалось открыть журнал: " + dir.Str() +
                                                      "Gear\\log.txt\r\nВ системе нет программы для просмотра "
                                                      "текстовых файлов.");
  EXPECT_EQ(platform->fakeDialogs().shown[1].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}

}  // namespace
