// Settings files: what reads return, the exact bytes writes leave behind, malformed files, refused
// writes, and reads that must see every change at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "config/ini.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
using config::TIniFile;
using namespace std::string_literals;

class IniTest : public ::testing::Test {
 protected:
  IniTest() {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("horavo-ini-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~IniTest() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string Path(const std::string& name = "test.ini") const { return (root_ / name).string(); }
  void Put(const std::string& content, const std::string& name = "test.ini") const {
    std::ofstream(root_ / name, std::ios::binary) << content;
  }
  std::string Get(const std::string& name = "test.ini") const {
    std::ifstream in(root_ / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  // Rewrites the file in place, as an editor that keeps the file would.
  void Overwrite(const std::string& content) const {
    const int fd = ::open(Path().c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    ::close(fd);
  }

  fs::path root_;
};

// ----- Reading -------------------------------------------------------------------------------

TEST_F(IniTest, ValuesLoseSurroundingBlanksAndOnePairOfQuotes) {
  const std::pair<std::string, std::string> cases[] = {
      {"k=value", "value"},
      {"k =  spaced value \t", "spaced value"},
      {"k=\"quoted\"", "quoted"},
      {"k='single'", "single"},
      {"k= ' padded ' ", " padded "},
      {"k=\"\"twice\"\"", "\"twice\""},
      {"k=\"mixed'", "\"mixed'"},
      {"k=\"inner\" text", "\"inner\" text"},
      {"k=\"", "\""},
      {"k=\"\"", ""},
      {"k=", ""},
      {"k=a=b=c", "a=b=c"},
      {"k=\tБудильник №1", "Будильник №1"},
  };
  for (const auto& [line, expected] : cases) {
    Put("[S]\r\n" + line + "\r\n");
    EXPECT_EQ(TIniFile(Path()).ReadString("S", "k", "default"), expected) << line;
  }
}

TEST_F(IniTest, NamesMatchIgnoringAsciiCaseAndBlanks) {
  Put("[ Clock ]\r\n  HideNulls\t= 1\r\n[Часы]\r\nk=2\r\n");
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("clock", "hidenulls", ""), "1");
  EXPECT_EQ(ini.ReadString(" CLOCK\t", " HIDENULLS ", ""), "1");
  EXPECT_EQ(ini.ReadString("Часы", "K", ""), "2");
  EXPECT_EQ(ini.ReadString("ЧАСЫ", "k", "none"), "none");  // only ASCII letters fold
}

TEST_F(IniTest, FirstSectionAndFirstKeyWin) {
  Put("[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=b\r\n[a]\r\nk=3\r\nonlyLater=4\r\n");
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  EXPECT_EQ(ini.ReadString("A", "onlyLater", "none"), "none");
  EXPECT_EQ(ini.ReadString("B", "k", ""), "b");
}

TEST_F(IniTest, MissingFileSectionOrKeyGivesTheDefault) {
  TIniFile missing(Path("missing.ini"));
  EXPECT_EQ(missing.ReadString("S", "k", "def"), "def");
  EXPECT_FALSE(missing.SectionExists("S"));
  EXPECT_TRUE(missing.ReadSection("S").empty());
  EXPECT_FALSE(fs::exists(root_ / "missing.ini"));

  Put("[S]\r\nk=1\r\n");
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("T", "k", "def"), "def");
  EXPECT_EQ(ini.ReadString("S", "j", "def"), "def");
  EXPECT_EQ(TIniFile(root_.string()).ReadString("S", "k", "dir"), "dir");  // a folder is no file
}

TEST_F(IniTest, ValuesAreCutAt2047BytesButStoredWhole) {
  const std::string longValue(3000, 'v');
  Put("[S]\r\nlong=" + longValue + "\r\nq=\"" + std::string(2047, 'q') + "\"\r\nk=1\r\n");
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("S", "long", ""), std::string(2047, 'v'));
  EXPECT_EQ(ini.ReadString("S", "q", ""), std::string(2047, 'q'));

  ini.WriteString("S", "k", "2");
  EXPECT_EQ(Get(), "[S]\r\nlong=" + longValue + "\r\nq=\"" + std::string(2047, 'q') + "\"\r\nk=2\r\n");
}

// ----- Writing -------------------------------------------------------------------------------

TEST_F(IniTest, WriteReplacesTheEntryInPlaceAndKeepsEveryOtherByte) {
  const std::string before = "; Настройки\r\n[Clock]\n  Skin = old \r\nHideNulls=0\n\r\n[Other]\r\nskin=x\r\n";
  Put(before);
  TIniFile ini(Path());
  ini.WriteString("clock", "SKIN", "Зима");
  EXPECT_EQ(Get(), "; Настройки\r\n[Clock]\nSkin=Зима\r\nHideNulls=0\n\r\n[Other]\r\nskin=x\r\n");
  EXPECT_EQ(ini.ReadString("Clock", "skin", ""), "Зима");
}

TEST_F(IniTest, WriteAddsAMissingKeyAfterTheLastNonBlankLineOfItsSection) {
  Put("[A]\r\na=1\r\n; note\r\n\r\n\r\n[B]\r\nb=2\r\n");
  TIniFile ini(Path());
  ini.WriteString("A", "new", "x");
  EXPECT_EQ(Get(), "[A]\r\na=1\r\n; note\r\nnew=x\r\n\r\n\r\n[B]\r\nb=2\r\n");

  Put("[Empty]\r\n\r\n[B]\r\n");
  ini.WriteString("empty", " k ", "v");
  EXPECT_EQ(Get(), "[Empty]\r\nk=v\r\n\r\n[B]\r\n");

  Put("[B]\r\nb=2");  // the section's last line has no line end yet
  ini.WriteString("B", "c", "3");
  EXPECT_EQ(Get(), "[B]\r\nb=2\r\nc=3\r\n");
}

TEST_F(IniTest, WriteAddsAMissingSectionAtTheEnd) {
  TIniFile ini(Path());
  ini.WriteString(" Position ", "X", "895");
  EXPECT_EQ(Get(), "[Position]\r\nX=895\r\n");

  ini.WriteString("Clock", "skin", "default");
  EXPECT_EQ(Get(), "[Position]\r\nX=895\r\n[Clock]\r\nskin=default\r\n");

  Put("[A]\r\na=1");
  ini.WriteString("B", "b", "2");
  EXPECT_EQ(Get(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");

  Put("[A]\r\na=1\r");  // a lone CR at the end only needs its LF
  ini.WriteString("B", "b", "2");
  EXPECT_EQ(Get(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");

  Put("");
  ini.WriteString("B", "b", "2");
  EXPECT_EQ(Get(), "[B]\r\nb=2\r\n");
}

TEST_F(IniTest, WriteIntegerIsPlainDecimal) {
  TIniFile ini(Path());
  ini.WriteInteger("N", "zero", 0);
  ini.WriteInteger("N", "seven", 007);
  ini.WriteInteger("N", "negative", -17);
  ini.WriteInteger("N", "max", INT_MAX);
  ini.WriteInteger("N", "min", INT_MIN);
  EXPECT_EQ(Get(), "[N]\r\nzero=0\r\nseven=7\r\nnegative=-17\r\nmax=2147483647\r\nmin=-2147483648\r\n");
}

TEST_F(IniTest, ValuesThatWouldNotReadBackAreStoredInQuotes) {
  TIniFile ini(Path());
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},       {" lead", "\" lead\""},     {"trail\t", "\"trail\t\""},
      {"\"q\"", "\"\"q\"\""},   {"'q'", "\"'q'\""},         {"\"", "\""},
      {"a \"b\"", "a \"b\""},   {"", ""},                   {"\"Привет\" - \"пока\"", "\"\"Привет\" - \"пока\"\""},
  };
  for (const auto& [value, stored] : cases) {
    Put("[S]\r\n");
    ini.WriteString("S", "k", value);
    EXPECT_EQ(Get(), "[S]\r\nk=" + stored + "\r\n") << value;
    EXPECT_EQ(ini.ReadString("S", "k", "default"), value);
  }
}

TEST_F(IniTest, WritingTheSameValueLeavesTheFileAlone) {
  Put("[S]\r\nk=1\r\n");
  struct stat before, after;
  ASSERT_EQ(::stat(Path().c_str(), &before), 0);
  TIniFile(Path()).WriteString("S", "K", "1");
  ASSERT_EQ(::stat(Path().c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);  // an atomic replacement would have made a new file
}

TEST_F(IniTest, RejectsWhatOneLineCannotHold) {
  const std::string before = "[S]\r\nk=1\r\n";
  Put(before);
  TIniFile ini(Path());
  EXPECT_THROW(ini.WriteString("S", "k", "two\r\nlines"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", "k", "x\n[Injected]"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S]x", "k", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S\n", "k", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", "", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", "  ", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", "[T]", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("S", ";k", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteInteger("S", "a\rb", 1), std::invalid_argument);
  EXPECT_EQ(Get(), before);
}

// ----- Deleting ------------------------------------------------------------------------------

TEST_F(IniTest, DeleteKeyRemovesOnlyThatEntryLine) {
  Put("[A]\r\nk=1\r\nj=2\nK = 3\r\n[B]\r\nk=4\r\n");
  TIniFile ini(Path());
  ini.DeleteKey("a", "K");
  EXPECT_EQ(Get(), "[A]\r\nj=2\n[B]\r\nk=4\r\n");  // every entry of the key in the section
  EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");

  const std::string unchanged = Get();
  ini.DeleteKey("A", "missing");
  ini.DeleteKey("Missing", "k");
  EXPECT_EQ(Get(), unchanged);

  TIniFile absent(Path("absent.ini"));
  absent.DeleteKey("A", "k");
  absent.EraseSection("A");
  EXPECT_FALSE(fs::exists(root_ / "absent.ini"));
}

TEST_F(IniTest, EraseSectionRemovesHeaderAndLinesUpToTheNextHeader) {
  Put("top\r\n[A]\r\na=1\r\n; note\r\n\r\n[B]\r\nb=2\r\n[a]\r\na=3\r\n");
  TIniFile ini(Path());
  ini.EraseSection("A");
  EXPECT_EQ(Get(), "top\r\n[B]\r\nb=2\r\n");
  EXPECT_FALSE(ini.SectionExists("a"));

  ini.EraseSection("b");
  EXPECT_EQ(Get(), "top\r\n");
  ini.EraseSection("Missing");
  EXPECT_EQ(Get(), "top\r\n");
}

// ----- Listing -------------------------------------------------------------------------------

TEST_F(IniTest, ReadSectionListsEntryKeysInFileOrder) {
  Put("x=0\r\n[S]\r\n Time = 1\r\n; c=1\r\nno value\r\n=empty key\r\ndate=2\r\nTIME=3\r\n[s]\r\nlater=4\r\n[Empty]\r\n");
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"Time", "date"}));
  EXPECT_TRUE(ini.SectionExists("S"));
  EXPECT_TRUE(ini.SectionExists(" empty "));
  EXPECT_TRUE(ini.ReadSection("Empty").empty());
  EXPECT_FALSE(ini.SectionExists("x"));
  EXPECT_TRUE(ini.ReadSection("x").empty());
}

// ----- Line ends -----------------------------------------------------------------------------

// CR LF, a lone LF and a lone CR each end a line. An event detail file whose lines end in CR
// only: erasing one event keeps the others.
TEST_F(IniTest, ALoneCrEndsALineSoErasingOneSectionKeepsTheOthers) {
  const std::string gear = "[123]\rtime=10:00:00\rtype=5\r[456]\rtime=11:00:00\rtype=0\r";
  Put(gear, "gear.ini");
  TIniFile ini(Path("gear.ini"));
  EXPECT_EQ(ini.ReadString("123", "type", ""), "5");
  EXPECT_EQ(ini.ReadString("456", "time", ""), "11:00:00");
  EXPECT_EQ(ini.ReadSection("123"), (std::vector<std::string>{"time", "type"}));

  ini.EraseSection("123");
  EXPECT_EQ(Get("gear.ini"), "[456]\rtime=11:00:00\rtype=0\r");
  EXPECT_EQ(ini.ReadString("456", "type", ""), "0");
  ini.DeleteKey("456", "time");
  EXPECT_EQ(Get("gear.ini"), "[456]\rtype=0\r");
}

// A settings file converted twice ends its lines in CR CR LF: values read without a CR, and
// the empty lines between them stay where they are.
TEST_F(IniTest, CrCrLfLineEndsReadCleanValues) {
  const std::string config = "[Position]\r\r\nLeft=895\r\r\nTop=12\r\r\n[Clock]\r\r\nskin=mini\r\r\n";
  Put(config, "Clock_config.ini");
  TIniFile ini(Path("Clock_config.ini"));
  EXPECT_EQ(ini.ReadString("Position", "Left", ""), "895");
  EXPECT_EQ(ini.ReadString("Position", "Top", ""), "12");
  EXPECT_EQ(ini.ReadString("Clock", "skin", ""), "mini");

  ini.WriteInteger("Position", "Left", 100);
  EXPECT_EQ(Get("Clock_config.ini"),
            "[Position]\r\r\nLeft=100\r\n\r\nTop=12\r\r\n[Clock]\r\r\nskin=mini\r\r\n");
  EXPECT_EQ(ini.ReadString("Position", "Left", ""), "100");
}

// A write into a CR-only file: a new key goes into its own section, between the others' lines.
TEST_F(IniTest, WritesIntoACrOnlyFileLandInTheirSection) {
  Put("; list\r[A]\ra=1\r\r[B]\rb=2\r", "crlist.ini");
  TIniFile ini(Path("crlist.ini"));
  ini.WriteString("A", "new", "x");
  EXPECT_EQ(Get("crlist.ini"), "; list\r[A]\ra=1\rnew=x\r\n\r[B]\rb=2\r");
  ini.WriteString("B", "b", "3");
  EXPECT_EQ(Get("crlist.ini"), "; list\r[A]\ra=1\rnew=x\r\n\r[B]\rb=3\r\n");
  ini.WriteString("C", "c", "4");
  EXPECT_EQ(Get("crlist.ini"), "; list\r[A]\ra=1\rnew=x\r\n\r[B]\rb=3\r\n[C]\r\nc=4\r\n");
  EXPECT_EQ(ini.ReadString("a", "NEW", ""), "x");
  EXPECT_EQ(ini.ReadString("b", "b", ""), "3");
}

// ----- Malformed files -----------------------------------------------------------------------

// Whatever a file holds, reading it does not fail, and a write keeps all of it byte for byte.
TEST_F(IniTest, MalformedFilesAreReadSafelyAndKeptWhole) {
  const std::string cases[] = {
      "",
      "orphan=1\r\nplain line\r\n",
      "[S]\r\njunk line\r\n\r\n  \r\nk=1",
      "[S]\nk=1\n[T]\nx=2\n",
      "[S]\r\nk=1\n[T]\rx=2\r\n",
      "[S]\r\nk=\0\x01\xFF\r\n\0\0\0\r\n[\0]\r\n"s,
      "[unterminated\r\nk=1\r\n",
      "]\r\n[S\r\n=novalue\r\n;k=comment\r\n[]\r\n[ ]x\r\n",
      "\xEF\xBB\xBF[S]\r\nk=1\r\n",
      "[S]\r\nk=1\r",
      "\r\n\r\n\n\r",
      std::string(5000, '[') + "\r\n" + std::string(5000, '=') + "\r\n",
  };
  for (const std::string& original : cases) {
    SCOPED_TRACE(::testing::PrintToString(original.substr(0, 60)));
    Put(original);
    TIniFile ini(Path());
    for (const char* section : {"S", "T", "", "unterminated"}) {
      ini.ReadString(section, "k", "");
      ini.ReadSection(section);
      ini.SectionExists(section);
    }
    const std::string lineEnd =
        original.empty() || original.back() == '\n' ? "" : original.back() == '\r' ? "\n" : "\r\n";
    ini.WriteString("New", "key", "v");
    EXPECT_EQ(Get(), original + lineEnd + "[New]\r\nkey=v\r\n");
    EXPECT_EQ(ini.ReadString("new", "KEY", ""), "v");
    ini.DeleteKey("New", "key");
    EXPECT_EQ(Get(), original + lineEnd + "[New]\r\n");
    ini.EraseSection("New");
    EXPECT_EQ(Get(), original + lineEnd);
  }
}

TEST_F(IniTest, OddLinesInsideASectionStayWhereTheyAre) {
  Put("[S]\r\nk=\0\xFF\r\nno equals sign\r\n[T\r\n  ; k=comment\r\nk=second\r\n"s);
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "\0\xFF"s);
  ini.WriteString("S", "k", "1");
  ini.WriteString("S", "no equals sign", "2");
  EXPECT_EQ(Get(), "[S]\r\nk=1\r\nno equals sign\r\n[T\r\n  ; k=comment\r\nk=second\r\nno equals sign=2\r\n");
}

TEST_F(IniTest, HugeFilesWork) {
  std::string original = "[Big]\r\nline=" + std::string(4 << 20, 'x') + "\r\n";
  for (int i = 0; i < 100000; ++i) original += "[" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  Put(original);
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("99999", "k", ""), "99999");
  EXPECT_EQ(ini.ReadString("Big", "line", "").size(), 2047u);
  ini.WriteString("Big", "added", "1");
  const std::size_t at = original.find("\r\n[0]") + 2;
  const std::string after = Get();
  ASSERT_EQ(after.size(), original.size() + 9);
  EXPECT_EQ(after.compare(0, at, original, 0, at), 0);
  EXPECT_EQ(after.substr(at, 9), "added=1\r\n");
  EXPECT_EQ(after.compare(at + 9, std::string::npos, original, at, std::string::npos), 0);
}

// ----- Refused writes ------------------------------------------------------------------------

TEST_F(IniTest, RefusedWritesThrowFileErrorNamingTheFile) {
  const std::string missing = root_.string() + "/NoFolder\\Clock_config.ini";
  TIniFile noFolder(missing);
  try {
    noFolder.WriteString("Position", "X", "1");
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Не удалось записать файл \"" + missing + "\"");
    EXPECT_EQ(error.Path(), missing);
  }
  EXPECT_EQ(noFolder.ReadString("Position", "X", "none"), "none");

  const std::string before = "[Position]\r\nX=1\r\n";
  Put(before);
  fs::permissions(root_ / "test.ini", fs::perms::owner_read | fs::perms::group_read);
  TIniFile readOnly(Path());
  for (auto write : {+[](TIniFile& ini) { ini.WriteString("Position", "X", "2"); },
                     +[](TIniFile& ini) { ini.WriteInteger("Other", "Y", 3); },
                     +[](TIniFile& ini) { ini.DeleteKey("Position", "X"); },
                     +[](TIniFile& ini) { ini.EraseSection("Position"); }}) {
    try {
      write(readOnly);
      ADD_FAILURE() << "expected a FileError";
    } catch (const platform::FileError& error) {
      EXPECT_EQ(std::string(error.what()), "Не удалось записать файл \"" + Path() + "\"");
    }
  }
  EXPECT_EQ(Get(), before);
  EXPECT_EQ(readOnly.ReadString("Position", "X", ""), "1");
}

TEST_F(IniTest, AFileThatExistsButCannotBeReadIsNotReplaced) {
  ASSERT_EQ(::mkfifo(Path().c_str(), 0666), 0);
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
  EXPECT_THROW(ini.WriteString("S", "k", "v"), platform::FileError);
  EXPECT_TRUE(fs::is_fifo(root_ / "test.ini"));

  // A file the program may replace but not read: writing must not swap it for a new file
  // holding only the one entry. The superuser reads everything, so the child acts as nobody.
  Put("[S]\r\nk=1\r\n", "wo.ini");
  fs::permissions(root_ / "wo.ini", fs::perms::owner_write);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(root_.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(Path("wo.ini").c_str(), 65534, 65534), 0);
  }
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        try {
          TIniFile(Path("wo.ini")).WriteString("S", "j", "2");
        } catch (const platform::FileError&) {
          ::_exit(0);
        }
        ::_exit(1);
      },
      ::testing::ExitedWithCode(0), "");
  fs::permissions(root_ / "wo.ini", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Get("wo.ini"), "[S]\r\nk=1\r\n");
}

// ----- No stale reads ------------------------------------------------------------------------

TEST_F(IniTest, TwoObjectsOnOneFileSeeEachOthersWrites) {
  TIniFile first(Path()), second(Path());
  first.WriteString("S", "k", "1");
  EXPECT_EQ(second.ReadString("S", "k", ""), "1");
  second.WriteString("S", "k", "2");
  EXPECT_EQ(first.ReadString("S", "k", ""), "2");
  second.WriteString("S", "j", "3");
  first.WriteString("S", "k", "4");  // must not lose j
  EXPECT_EQ(second.ReadString("S", "j", ""), "3");
  EXPECT_EQ(Get(), "[S]\r\nk=4\r\nj=3\r\n");

  // The same file named another way.
  TIniFile other(root_.string() + "\\TEST.INI");
  EXPECT_EQ(other.ReadString("s", "K", ""), "4");
  other.EraseSection("S");
  EXPECT_FALSE(first.SectionExists("S"));
}

TEST_F(IniTest, WritesFromSeveralThreadsAreNotLost) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t)
    threads.emplace_back([this, t] {
      TIniFile ini(Path());
      for (int i = 0; i < 15; ++i) ini.WriteInteger("T" + std::to_string(t), "k" + std::to_string(i), i);
    });
  for (auto& thread : threads) thread.join();
  TIniFile ini(Path());
  for (int t = 0; t < 3; ++t) EXPECT_EQ(ini.ReadSection("T" + std::to_string(t)).size(), 15u) << t;
}

TEST_F(IniTest, ChangesByOtherProgramsAreSeenAtOnce) {
  TIniFile ini(Path());
  Put("[S]\r\nk=1\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");

  Overwrite("[S]\r\nk=2\r\n");  // same size, same instant, same file
  EXPECT_EQ(ini.ReadString("S", "k", ""), "2");

  platform::WriteFileAtomically(Path(), "[S]\r\nk=3\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "3");

  fs::remove(root_ / "test.ini");
  EXPECT_EQ(ini.ReadString("S", "k", "gone"), "gone");
  Put("[S]\r\nk=5\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "5");
}

TEST_F(IniTest, ChangesToASettledFileAreSeenEvenWithItsTimesPutBack) {
  Put("[S]\r\nk=1\r\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(400));  // older than any margin for fine timestamps
  TIniFile ini(Path());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");  // read once to settle the cache ...
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");  // ... and once from it

  struct stat before;
  ASSERT_EQ(::stat(Path().c_str(), &before), 0);
  Overwrite("[S]\r\nk=2\r\n");
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path().c_str(), times, 0), 0);  // as a copy keeping the old time would
  EXPECT_EQ(ini.ReadString("S", "k", ""), "2");
}

// The rule behind the parsed copies: equal stamps prove nothing while the file's times are
// within one timestamp tick of the read, since a change in that tick could leave them equal.
TEST(IniCache, StampsAreTrustedOnlyOnceTheFileHasSettled) {
  using config::detail::StampSettled;
  const std::int64_t ms = 1000000, now = 1'800'000'000'000'000'000 + 123 * ms;  // host times in ns
  EXPECT_FALSE(StampSettled(now - 1 * ms, now - 1 * ms, now));
  EXPECT_FALSE(StampSettled(now - 99 * ms, now - 99 * ms, now));
  EXPECT_TRUE(StampSettled(now - 101 * ms, now - 101 * ms, now));
  EXPECT_FALSE(StampSettled(now - 500 * ms, now - 50 * ms, now));    // changed lately (attributes, rename)
  EXPECT_FALSE(StampSettled(now + 3600000 * ms, now - 500 * ms, now));  // modified "in the future"
  EXPECT_TRUE(StampSettled(now - 500 * ms, 0, now));                 // no change time kept

  // Whole-second times (FAT keeps even seconds) need seconds to settle.
  const std::int64_t second = now - 123 * ms - 2000 * ms;
  EXPECT_FALSE(StampSettled(second, second + 7 * ms, now));
  EXPECT_FALSE(StampSettled(second + 7 * ms, second, now));
  EXPECT_TRUE(StampSettled(second - 1000 * ms, second - 1000 * ms, now));
}

}  // namespace
