// The host files service: Windows-style paths ("\" separators, names in any case), atomic
// replacement, and the refusals callers must see.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("horavo-files-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~FilesTest() override {
    std::error_code ignored;
    fs::permissions(root_ / "ro.txt", fs::perms::owner_all, ignored);
    fs::remove_all(root_, ignored);
  }

  // The folder as the program names it: with a trailing separator.
  std::string Dir() const { return root_.string() + "/"; }
  void Put(const std::string& relative, const std::string& content) const {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << content;
  }
  std::string Get(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  std::vector<std::string> Entries(const std::string& relative = "") const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / relative)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
};

TEST_F(FilesTest, ReadsAndWritesBytesExactly) {
  const std::string bytes = std::string("\0\r\n\x80\xFF\xC0\xE0 конец", 14) + std::string(200000, 'x');
  platform::WriteFileAtomically(Dir() + "data.bin", bytes);
  EXPECT_EQ(Get("data.bin"), bytes);
  EXPECT_EQ(platform::ReadFile(Dir() + "data.bin"), bytes);

  platform::WriteFileAtomically(Dir() + "data.bin", "");
  EXPECT_EQ(platform::ReadFile(Dir() + "data.bin"), "");
  EXPECT_EQ(Entries(), std::vector<std::string>{"data.bin"});  // no temporary left behind
}

TEST_F(FilesTest, MissingFilesAndFoldersReadAsNothing) {
  EXPECT_FALSE(platform::ReadFile(Dir() + "none.txt"));
  EXPECT_FALSE(platform::ReadFile(Dir() + "nodir\\none.txt"));
  fs::create_directories(root_ / "sub");
  EXPECT_FALSE(platform::ReadFile(Dir() + "sub"));  // a folder is not a file
  EXPECT_FALSE(platform::FileExists(Dir() + "sub"));
  EXPECT_FALSE(platform::FileExists(Dir() + "none.txt"));
}

TEST_F(FilesTest, BackslashesAndAnyCaseFindExistingNames) {
  Put("Skins/default/Skin.ini", "skin");
  Put("Cfg/Clock_config.ini", "cfg");

  EXPECT_EQ(platform::ReadFile(Dir() + "skins\\default\\skin.ini"), "skin");
  EXPECT_EQ(platform::ReadFile(Dir() + "SKINS\\DEFAULT\\SKIN.INI"), "skin");
  EXPECT_EQ(platform::ReadFile(Dir() + "Cfg\\Clock_config.ini"), "cfg");
  EXPECT_TRUE(platform::FileExists(Dir() + "skins\\Default\\skin.INI"));
  EXPECT_TRUE(platform::DirectoryExists(Dir() + "skins\\DEFAULT"));
  EXPECT_TRUE(platform::DirectoryExists(Dir() + "skins\\DEFAULT\\"));
  EXPECT_FALSE(platform::DirectoryExists(Dir() + "skins\\other"));
  EXPECT_EQ(platform::ListDirectory(Dir() + "SKINS\\", true), std::vector<std::string>{"default"});

  // Writing through another spelling replaces the existing file instead of adding a second one.
  platform::WriteFileAtomically(Dir() + "cfg\\CLOCK_CONFIG.INI", "new");
  EXPECT_EQ(Get("Cfg/Clock_config.ini"), "new");
  EXPECT_EQ(Entries("Cfg"), std::vector<std::string>{"Clock_config.ini"});

  // A new file inside an existing folder keeps the name the caller gave.
  platform::WriteFileAtomically(Dir() + "cfg\\Fresh.ini", "f");
  EXPECT_EQ(Get("Cfg/Fresh.ini"), "f");

  EXPECT_TRUE(platform::RemoveFile(Dir() + "CFG\\fresh.INI"));
  EXPECT_FALSE(fs::exists(root_ / "Cfg/Fresh.ini"));
}

TEST_F(FilesTest, ExactSpellingWinsOverOtherCases) {
  Put("a.txt", "lower");
  Put("A.txt", "upper");
  EXPECT_EQ(platform::ReadFile(Dir() + "A.txt"), "upper");
  EXPECT_EQ(platform::ReadFile(Dir() + "a.txt"), "lower");
  EXPECT_EQ(platform::ReadFile(Dir() + "a.TXT"), "upper");  // of several matches, the first in byte order
}

TEST_F(FilesTest, RefusedWritesThrowNamingTheFileAndKeepTheOldContent) {
  const std::string missingFolder = Dir() + "NoSuchFolder\\x.ini";
  try {
    platform::WriteFileAtomically(missingFolder, "data");
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Не удалось записать файл \"" + missingFolder + "\"");
    EXPECT_EQ(error.Path(), missingFolder);
  }

  Put("ro.txt", "old");
  fs::permissions(root_ / "ro.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string readOnly = Dir() + "RO.TXT";
  try {
    platform::WriteFileAtomically(readOnly, "new");
    FAIL() << "expected a FileError";
  } catch (const platform::FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Не удалось записать файл \"" + readOnly + "\"");
  }
  EXPECT_EQ(Get("ro.txt"), "old");
  EXPECT_FALSE(platform::RemoveFile(readOnly));  // read-only files cannot be deleted either
  EXPECT_EQ(Entries(), std::vector<std::string>{"ro.txt"});

  fs::create_directories(root_ / "folder");
  EXPECT_THROW(platform::WriteFileAtomically(Dir() + "folder", "x"), platform::FileError);
  EXPECT_THROW(platform::WriteFileAtomically(Dir() + "folder\\", "x"), platform::FileError);
  EXPECT_TRUE(fs::is_directory(root_ / "folder"));
}

TEST_F(FilesTest, ReplacementKeepsPermissionsAndWritesThroughLinks) {
  Put("keep.txt", "old");
  fs::permissions(root_ / "keep.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  platform::WriteFileAtomically(Dir() + "keep.txt", "new");
  EXPECT_EQ(fs::status(root_ / "keep.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  Put("real/target.ini", "old");
  fs::create_symlink(root_ / "real/target.ini", root_ / "link.ini");
  platform::WriteFileAtomically(Dir() + "link.ini", "new");
  EXPECT_TRUE(fs::is_symlink(root_ / "link.ini"));
  EXPECT_EQ(Get("real/target.ini"), "new");
}

TEST_F(FilesTest, RemoveAndListDirectory) {
  Put("b.txt", "");
  Put("A.txt", "");
  Put("sub/c.txt", "");
  EXPECT_EQ(platform::ListDirectory(Dir()), (std::vector<std::string>{"A.txt", "b.txt", "sub"}));
  EXPECT_EQ(platform::ListDirectory(Dir(), true), std::vector<std::string>{"sub"});
  EXPECT_TRUE(platform::ListDirectory(Dir() + "missing").empty());

  EXPECT_TRUE(platform::RemoveFile(Dir() + "b.txt"));
  EXPECT_FALSE(platform::RemoveFile(Dir() + "b.txt"));
  EXPECT_FALSE(platform::RemoveFile(Dir() + "sub"));
  EXPECT_TRUE(fs::exists(root_ / "sub/c.txt"));
}

// A write killed midway leaves its temporary file; the next write of that file removes those
// of processes that are gone, and nothing else.
TEST_F(FilesTest, AWriteRemovesTheFilesTemporariesLeftByDeadProcesses) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const std::string dead = std::to_string(child), alive = std::to_string(::getppid()),
                    self = std::to_string(::getpid());

  Put("Gear/gear.ini", "[1]\r\n");
  const std::vector<std::string> stale = {".gear.ini." + dead + ".0.tmp", ".gear.ini." + dead + ".17.tmp"};
  const std::vector<std::string> kept = {
      ".gear.ini." + alive + ".3.tmp",  // a write in progress elsewhere
      ".gear.ini." + self + ".999.tmp",  // one of this process
      ".Events.txt." + dead + ".0.tmp",  // another file's
      ".gear.ini." + dead + ".x.tmp",  ".gear.ini." + dead + ".0.bak", ".gear.ini..0.tmp", "gear.ini." + dead + ".0.tmp",
      "Events.txt"};
  for (const auto& name : stale) Put("Gear/" + name, std::string(1000, 'x'));
  for (const auto& name : kept) Put("Gear/" + name, "keep");

  platform::WriteFileAtomically(Dir() + "GEAR\\Gear.ini", "[2]\r\n");
  EXPECT_EQ(Get("Gear/gear.ini"), "[2]\r\n");
  std::vector<std::string> expected = kept;
  expected.push_back("gear.ini");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries("Gear"), expected);
  for (const auto& name : kept) EXPECT_EQ(Get("Gear/" + name), "keep") << name;
}

TEST_F(FilesTest, ManyFilesAreWrittenTogetherAndARefusalLeavesNoTemporaries) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const std::string dead = std::to_string(child);
  Put("notes/7.zqt", "old");
  Put("notes/.1.zqt." + dead + ".0.tmp", "left by a write cut short");
  Put("notes/.other.zqt." + dead + ".0.tmp", "another file's, left for its own write");

  platform::WriteFilesAtomically({{Dir() + "notes\\1.zqt", "one"}, {Dir() + "NOTES\\7.zqt", "seven"}, {Dir() + "notes/2.zqt", ""}});
  EXPECT_EQ(Get("notes/1.zqt"), "one");
  EXPECT_EQ(Get("notes/7.zqt"), "seven");
  EXPECT_EQ(Get("notes/2.zqt"), "");
  EXPECT_EQ(Entries("notes"), (std::vector<std::string>{".other.zqt." + dead + ".0.tmp", "1.zqt", "2.zqt", "7.zqt"}));

  // A folder that does not exist refuses the third file: the first two are not put in place.
  try {
    platform::WriteFilesAtomically({{Dir() + "notes\\3.zqt", "three"}, {Dir() + "notes\\4.zqt", "four"},
                                    {Dir() + "missing\\5.zqt", "five"}});
    FAIL() << "a refused file must throw";
  } catch (const platform::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("5.zqt"), std::string::npos);
  }
  EXPECT_EQ(Entries("notes"), (std::vector<std::string>{".other.zqt." + dead + ".0.tmp", "1.zqt", "2.zqt", "7.zqt"}));
  EXPECT_NO_THROW(platform::WriteFilesAtomically({}));
}

TEST(DirectoryOf, KeepsTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(platform::DirectoryOf("C:\\Program\\Horavo.exe"), "C:\\Program\\");
  EXPECT_EQ(platform::DirectoryOf("/tmp/x/Horavo.exe"), "/tmp/x/");
  EXPECT_EQ(platform::DirectoryOf("/tmp/x\\Cfg\\a.ini"), "/tmp/x\\Cfg\\");
  EXPECT_EQ(platform::DirectoryOf("C:\\dir/"), "C:\\dir/");
  EXPECT_EQ(platform::DirectoryOf("Horavo.exe"), "");
  EXPECT_EQ(platform::DirectoryOf(""), "");
}

}  // namespace
