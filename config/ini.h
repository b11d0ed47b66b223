// Settings files of "[section]" headers and "key=value" lines, read and written the way the
// Windows profile functions treat them. Every text is a byte string (cp1251 in this program).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace config {

// `text` without the blanks (spaces, tabs) at either end, as names and values are read.
std::string_view TrimBlanks(std::string_view text);

// One settings file, named by its full path.
//
// Lines end at CR LF, LF or a lone CR, as the system's profile functions read them.
// Reading: section and key names match without regard to ASCII case and to surrounding blanks
// (spaces, tabs). The first section of a name counts, and in it the first entry of a key.
// A value is the text after the first "=", without surrounding blanks and without one pair of
// enclosing quotes ("..." or '...'); at most 2047 bytes of it are returned. A missing file,
// section or key gives the default. Lines without "=", comment lines (";" first) and lines
// before the first section are no entries; they stay in the file untouched.
//
// Every call sees the file as it is on disk at that moment, whoever wrote it last: another
// TIniFile, another program. Parsed files are cached only while the cache provably matches
// the file (see ini.cpp).
//
// Writing changes one line, or adds one, and keeps every other byte of the file as it was;
// the lines it writes end in CR LF. The file is always replaced atomically, so it is never
// left half written. A write the system refuses (missing folder, read-only file, a file that
// exists but cannot be read) throws platform::CannotWrite(path).
// A write that would change nothing does not touch the file.
class TIniFile {
 public:
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // Replaces the value of the key's entry in place (keeping the stored spelling of the key),
  // or adds "key=value" after the last non-blank line of the section, or adds the section at
  // the end of the file. A value that would not read back as written (surrounding blanks, or
  // enclosing quotes of its own) is stored inside a pair of quotes, so it reads back exactly.
  // Throws std::invalid_argument, leaving the file alone, for what one line cannot hold: a
  // line break in any argument, "]" in the section name, an empty key, "=" in the key, or a
  // key starting with "[" or ";".
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // The number in decimal, without leading zeros.
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Removes the key's entry lines from the section (all of them, if the key occurs twice).
  void DeleteKey(const std::string& section, const std::string& key);
  // Removes every section of that name: its header and all lines up to the next header.
  void EraseSection(const std::string& section);
  // True when the file has a header of that name, even with no entries under it.
  bool SectionExists(const std::string& section) const;
  // The keys of the section in file order, as spelled in the file, each once.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // The names of the sections in file order, as first spelled in the file, each once.
  std::vector<std::string> ReadSections() const;

  // Replaces every section of that name by one at the end of the file that holds `entries` in
  // their order, in a single rewrite. The bytes are those EraseSection followed by WriteString
  // of each entry would leave (a key given twice keeps its first place and its last value);
  // no entries only erase. Checks every name and value before the file is touched.
  void WriteSection(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries);

 private:
  std::string fileName_;
};

// The file as it is at one moment, for many reads in a row (thousands of events): the file is
// looked at once, when the snapshot is taken, instead of at every read. Reads follow the rules
// of TIniFile::ReadString. Take a new snapshot for every operation; it never sees later writes.
class TIniSnapshot {
 public:
  explicit TIniSnapshot(const TIniFile& file);
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // Whether there was a file to read (false for a missing or unreadable one).
  bool FileRead() const;

 private:
  std::shared_ptr<const void> parsed_;
};

// Holds back this process's writes to one file while it lives, and then makes them in one
// atomic rewrite: for runs of many small changes, such as defaults written back at start-up.
// Every TIniFile of the same file name (spelled alike) reads the held changes at once; other
// programs see them at Commit(). A write refused at Commit() throws there, after every change
// was made in memory. Destroyed without Commit() (an error on the way), it still writes,
// silently. Batches of one file may nest; the outermost one writes.
class TIniWriteBatch {
 public:
  explicit TIniWriteBatch(const TIniFile& file);
  ~TIniWriteBatch();
  TIniWriteBatch(const TIniWriteBatch&) = delete;
  TIniWriteBatch& operator=(const TIniWriteBatch&) = delete;
  void Commit();

 private:
  std::string fileName_;
  bool committed_ = false;
};

namespace detail {
// The rules of TIniFile applied to a text in memory: what a read gives, and the text a change
// leaves (the same text when nothing changes). For tests and fuzzing without a file system.
std::string ReadFromText(const std::string& content, const std::string& section, const std::string& key,
                         const std::string& defaultValue);
// Several reads of one text, parsed once: the value of each (section, key), or the default.
std::vector<std::string> ReadManyFromText(const std::string& content,
                                          const std::vector<std::pair<std::string, std::string>>& names,
                                          const std::string& defaultValue);
bool SectionInText(const std::string& content, const std::string& section);
std::vector<std::string> SectionKeysInText(const std::string& content, const std::string& section);
std::string TextWithValue(const std::string& content, const std::string& section, const std::string& key,
                          const std::string& value);
std::string TextWithoutKey(const std::string& content, const std::string& section, const std::string& key);
std::string TextWithoutSection(const std::string& content, const std::string& section);

// Whether a parsed copy may be trusted for as long as the file's identity, size and times stay
// as they were: true when both times were older than the start of the read by more than the
// granularity of file times. Times are in the system's file time units (ns on the host, 100 ns
// on Windows). Exposed for tests.
bool StampSettled(std::int64_t modified, std::int64_t changed, std::int64_t readStart);
}  // namespace detail

}  // namespace config
