// Writing a whole section or a run of changes in one rewrite, and reading many keys from one
// look at the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/ini.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
using config::TIniFile;
using Entries = std::vector<std::pair<std::string, std::string>>;

class IniSectionTest : public ::testing::Test {
 protected:
  IniSectionTest() {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("horavo-ini-section-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~IniSectionTest() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }
  void Put(const std::string& name, const std::string& content) const {
    std::ofstream(root_ / name, std::ios::binary) << content;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  fs::path root_;
};

// The one-rewrite section must leave exactly the bytes of the key-by-key writes it replaces,
// whatever the file looked like before.
TEST_F(IniSectionTest, WriteSectionLeavesTheBytesOfEraseThenKeyByKeyWrites) {
  const char* files[] = {
      nullptr,  // no file yet
      "",
      "[1]\r\ntime=10:00:00\r\n",
      "[7]\r\ntime=01:00:00\r\nMon=0\r\n[8]\r\ntype=2\r\n",           // the section first
      "[8]\r\ntype=2\r\n[7]\r\ntime=01:00:00\r\n\r\n; note\r\n",      // the section last, with a blank and a comment
      "[8]\r\ntype=2",                                                 // no final line end
      "[8]\ntype=2\n[ 7 ]\nTIME=3\n",                                  // LF ends, other spelling of the name
      "; header\r\n[7]\r\na=1\r\n[7]\r\nb=2\r\n",                      // the name twice, at the end
      "[7]\r\na=1\r\n[9]\r\nc=3\r\n[7]\r\nb=2\r\n[10]\r\nd=4",         // the name twice, apart
      "loose line\r\n[7]\r\na=1\r\n",                                  // text before the first section
      "[8]\r\ntype=2\r",                                               // a lone CR at the very end
  };
  const Entries entries = {{"time", "20:00:00"},   {"date", "01.02.2003"},   {"type", "6"},
                           {"Foto", ""},           {"Email", " padded "},    {"note", "\"quoted\""},
                           {"TIME", "21:00:00"}};  // a key again: first place, last value
  int index = 0;
  for (const char* before : files) {
    const std::string a = std::to_string(index) + "a.ini", b = std::to_string(index) + "b.ini";
    ++index;
    if (before) {
      Put(a, before);
      Put(b, before);
    }
    TIniFile whole(Path(a)), byKey(Path(b));
    whole.WriteSection("7", entries);
    byKey.EraseSection("7");
    for (const auto& [key, value] : entries) byKey.WriteString("7", key, value);
    EXPECT_EQ(Get(a), Get(b)) << (before ? before : "(no file)");
    EXPECT_EQ(whole.ReadString("7", "time", ""), "21:00:00");
    EXPECT_EQ(whole.ReadString("7", "Email", ""), " padded ");
  }
}

TEST_F(IniSectionTest, WriteSectionChecksEverythingBeforeTouchingTheFile) {
  const std::string before = "[7]\r\nkeep=1\r\n";
  Put("t.ini", before);
  TIniFile ini(Path("t.ini"));
  EXPECT_THROW(ini.WriteSection("7", Entries{{"time", "1"}, {"bad=key", "2"}}), std::invalid_argument);
  EXPECT_THROW(ini.WriteSection("7", Entries{{"time", "1"}, {"text", "two\r\nlines"}}), std::invalid_argument);
  EXPECT_THROW(ini.WriteSection("a]b", Entries{{"time", "1"}}), std::invalid_argument);
  EXPECT_EQ(Get("t.ini"), before);

  ini.WriteSection("7", {});
  EXPECT_EQ(Get("t.ini"), "");
  EXPECT_THROW(TIniFile(Path("no/such/folder.ini")).WriteSection("7", Entries{{"a", "1"}}), platform::FileError);
}

TEST_F(IniSectionTest, SnapshotReadsTheFileAsItWasWhenTaken) {
  Put("s.ini", "[1]\r\ntime=10:00:00\r\n[2]\r\ntime='11:00:00'\r\n");
  TIniFile ini(Path("s.ini"));
  const config::TIniSnapshot snapshot(ini);
  ini.WriteString("1", "time", "12:00:00");
  EXPECT_EQ(snapshot.ReadString("1", "time", "d"), "10:00:00");
  EXPECT_EQ(snapshot.ReadString(" 2 ", "TIME", "d"), "11:00:00");
  EXPECT_EQ(snapshot.ReadString("3", "time", "d"), "d");
  EXPECT_EQ(config::TIniSnapshot(ini).ReadString("1", "time", "d"), "12:00:00");
  EXPECT_EQ(config::TIniSnapshot(TIniFile(Path("missing.ini"))).ReadString("1", "time", "d"), "d");
}

TEST_F(IniSectionTest, BatchHoldsWritesUntilCommitAndEveryReaderOfTheFileSeesThem) {
  Put("c.ini", "[Clock]\r\nRunTray=0\r\n");
  TIniFile writer(Path("c.ini")), reader(Path("c.ini"));
  {
    config::TIniWriteBatch batch(writer);
    writer.WriteString("Clock", "StickCon", "1");
    writer.WriteString("Position", "Save", "1");
    writer.WriteString("Clock", "StickCon", "0");
    EXPECT_EQ(Get("c.ini"), "[Clock]\r\nRunTray=0\r\n");  // nothing on disk yet
    EXPECT_EQ(reader.ReadString("Clock", "StickCon", "d"), "0");
    EXPECT_EQ(config::TIniSnapshot(reader).ReadString("Position", "Save", "d"), "1");
    {
      config::TIniWriteBatch inner(reader);
      reader.DeleteKey("Clock", "RunTray");
      inner.Commit();  // the outer batch still holds
    }
    EXPECT_EQ(Get("c.ini"), "[Clock]\r\nRunTray=0\r\n");
    batch.Commit();
  }
  const std::string expected = "[Clock]\r\nStickCon=0\r\n[Position]\r\nSave=1\r\n";
  EXPECT_EQ(Get("c.ini"), expected);
  EXPECT_EQ(reader.ReadString("Clock", "RunTray", "gone"), "gone");

  // After the batch, writes go to the disk again at once.
  writer.WriteString("Clock", "skin", "blue");
  EXPECT_EQ(Get("c.ini"), "[Clock]\r\nStickCon=0\r\nskin=blue\r\n[Position]\r\nSave=1\r\n");
}

TEST_F(IniSectionTest, BatchThatChangesNothingLeavesTheFileUntouched) {
  Put("c.ini", "[Clock]\r\nRunTray=0\r\n");
  const auto before = fs::last_write_time(root_ / "c.ini");
  TIniFile ini(Path("c.ini"));
  config::TIniWriteBatch batch(ini);
  ini.WriteString("Clock", "RunTray", "0");
  batch.Commit();
  EXPECT_EQ(Get("c.ini"), "[Clock]\r\nRunTray=0\r\n");
  EXPECT_EQ(fs::last_write_time(root_ / "c.ini"), before);
}

TEST_F(IniSectionTest, BatchLeftByAnErrorStillWritesAndARefusedCommitThrows) {
  TIniFile ini(Path("c.ini"));
  try {
    config::TIniWriteBatch batch(ini);
    ini.WriteString("Clock", "StickCon", "1");
    throw std::runtime_error("a handler failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Get("c.ini"), "[Clock]\r\nStickCon=1\r\n");

  TIniFile nowhere(Path("no/such/folder.ini"));
  config::TIniWriteBatch batch(nowhere);
  EXPECT_NO_THROW(nowhere.WriteString("Clock", "StickCon", "1"));  // held, so not refused yet
  EXPECT_EQ(nowhere.ReadString("Clock", "StickCon", "d"), "1");
  EXPECT_THROW(batch.Commit(), platform::FileError);
  EXPECT_EQ(nowhere.ReadString("Clock", "StickCon", "d"), "d");
}

}  // namespace
