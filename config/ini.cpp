#ifdef _WIN32
#include <windows.h>
#include <winternl.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

#include "config/ini.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/files.h"

namespace config {

namespace {

constexpr std::size_t kMaxValueLength = 2047;

// ---------------------------------------------------------------------------------------------
// Text helpers

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// FNV-1a over the lower-cased bytes.
std::uint64_t HashIgnoringCase(std::string_view text, std::uint64_t hash = 14695981039346656037ull) {
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
  return hash;
}

struct CaseInsensitiveHash {
  std::size_t operator()(std::string_view text) const { return static_cast<std::size_t>(HashIgnoringCase(text)); }
};
struct CaseInsensitiveEqual {
  bool operator()(std::string_view a, std::string_view b) const { return EqualIgnoringCase(a, b); }
};

// A key inside a section.
struct EntryName {
  std::string_view section, key;
};
struct EntryNameHash {
  std::size_t operator()(const EntryName& name) const {
    return static_cast<std::size_t>(HashIgnoringCase(name.key, HashIgnoringCase(name.section) * 31));
  }
};
struct EntryNameEqual {
  bool operator()(const EntryName& a, const EntryName& b) const {
    return EqualIgnoringCase(a.section, b.section) && EqualIgnoringCase(a.key, b.key);
  }
};

// The value as it reads: without surrounding blanks and one pair of enclosing quotes, cut to
// the longest value a read returns.
std::string ValueOf(std::string_view stored) {
  std::string_view value = TrimBlanks(stored);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kMaxValueLength));
}

// The stored form of a value: quoted when reading would otherwise strip something from it.
std::string StoredFormOf(const std::string& value) {
  if (value.empty()) return value;
  const bool edgeBlank = IsBlank(value.front()) || IsBlank(value.back());
  const bool ownQuotes =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return edgeBlank || ownQuotes ? '"' + value + '"' : value;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

void CheckWritable(const std::string& section, const std::string& key) {
  const std::string_view name = TrimBlanks(section);
  if (HasLineBreak(name) || name.find(']') != std::string_view::npos)
    throw std::invalid_argument("Section name cannot be stored in a settings file: " + section);
  const std::string_view keyName = TrimBlanks(key);
  if (keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != std::string_view::npos ||
      keyName.front() == '[' || keyName.front() == ';')
    throw std::invalid_argument("Key name cannot be stored in a settings file: " + key);
}

// ---------------------------------------------------------------------------------------------
// One version of a file, split into lines and indexed.

struct Line {
  std::size_t begin;  // first byte
  std::size_t end;    // end of the text, before the line end
  std::size_t next;   // first byte of the next line
};

struct Section {
  std::string_view name;
  std::size_t header;       // line of the header
  std::size_t end;          // first line after the section: the next header, or the line count
  std::size_t lastFilled;   // last non-blank line of the section; the header when there is none
  std::size_t firstEntry;   // its entries: [firstEntry, endEntry) of Parsed::entries_
  std::size_t endEntry;
};

struct Entry {
  std::string_view key;
  std::string_view value;  // everything after the first "=", untrimmed
  std::size_t line;
};

class Parsed {
 public:
  Parsed() = default;  // a missing file
  explicit Parsed(std::string content) : content_(std::move(content)), present_(true) { Index(); }
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;

  bool Present() const { return present_; }
  const std::string& Content() const { return content_; }
  const std::vector<Line>& Lines() const { return lines_; }
  const std::vector<Section>& Sections() const { return sections_; }

  // The first section of the name.
  const Section* FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(TrimBlanks(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
  }
  // The first entry of the key in the first section of the name.
  const Entry* FindEntry(std::string_view section, std::string_view key) const {
    const auto found = entryIndex_.find(EntryName{TrimBlanks(section), TrimBlanks(key)});
    return found == entryIndex_.end() ? nullptr : &entries_[found->second];
  }
  std::vector<const Entry*> EntriesOf(const Section& section) const {
    std::vector<const Entry*> result;
    for (std::size_t i = section.firstEntry; i < section.endEntry; ++i) result.push_back(&entries_[i]);
    return result;
  }

  // Where text inserted after line `index` goes, and the line end that line still lacks.
  std::size_t InsertionAfter(std::size_t index, std::string& missingLineEnd) const {
    const Line& line = lines_[index];
    missingLineEnd = LineEndMissing(line);
    return line.next;
  }
  // The same for the end of the file.
  std::size_t InsertionAtEnd(std::string& missingLineEnd) const {
    missingLineEnd = lines_.empty() ? "" : LineEndMissing(lines_.back());
    return content_.size();
  }

 private:
  // A lone CR that ends the file ends its line too, but gets its LF before text is added.
  std::string LineEndMissing(const Line& line) const {
    if (line.next == line.end) return "\r\n";
    return line.next == content_.size() && content_[line.next - 1] == '\r' ? "\n" : "";
  }

  void Index() {
    const char* data = content_.data();
    const std::size_t size = content_.size();
    bool inSection = false, primary = false;
    for (std::size_t begin = 0; begin < size;) {
      // A line ends at CR LF, at a lone LF or at a lone CR, as the system's profile functions
      // read them: "a\r\r\n" is the line "a" and an empty one.
      std::size_t textEnd = begin;
      while (textEnd < size && data[textEnd] != '\n' && data[textEnd] != '\r') ++textEnd;
      std::size_t next = textEnd;
      if (next < size) next += data[next] == '\r' && next + 1 < size && data[next + 1] == '\n' ? 2 : 1;
      const std::size_t index = lines_.size();
      lines_.push_back(Line{begin, textEnd, next});
      begin = next;

      const std::string_view text(data + lines_.back().begin, textEnd - lines_.back().begin);
      const std::string_view trimmed = TrimBlanks(text);
      if (trimmed.empty()) continue;

      const std::size_t close = trimmed.front() == '[' ? trimmed.find(']') : std::string_view::npos;
      if (close != std::string_view::npos) {
        if (inSection) CloseSection(index);
        const std::string_view name = TrimBlanks(trimmed.substr(1, close - 1));
        primary = sectionIndex_.try_emplace(name, sections_.size()).second;
        sections_.push_back(Section{name, index, 0, index, entries_.size(), 0});
        inSection = true;
        continue;
      }
      if (!inSection) continue;
      sections_.back().lastFilled = index;
      if (trimmed.front() == ';') continue;
      const std::size_t equals = text.find('=');
      if (equals == std::string_view::npos) continue;
      const std::string_view key = TrimBlanks(text.substr(0, equals));
      if (key.empty()) continue;
      if (primary) entryIndex_.try_emplace(EntryName{sections_.back().name, key}, entries_.size());
      entries_.push_back(Entry{key, text.substr(equals + 1), index});
    }
    if (inSection) CloseSection(lines_.size());
  }

  void CloseSection(std::size_t endLine) {
    sections_.back().end = endLine;
    sections_.back().endEntry = entries_.size();
  }

  std::string content_;
  bool present_ = false;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string_view, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual> sectionIndex_;
  std::unordered_map<EntryName, std::size_t, EntryNameHash, EntryNameEqual> entryIndex_;
};

// ---------------------------------------------------------------------------------------------
// What the system says about a file: which file it is, its size and when it last changed.
//
// Parsing a large file for every read would make reading all of it quadratic, so parsed files
// are kept, and each read first asks the system whether the file is still the one parsed.
// Equal identity, size and times alone prove nothing: times advance in ticks (up to 2 s on
// FAT), so a same-size change within the tick of the previous one can leave every field equal,
// and an identity number can return after two atomic replacements. Hence the rule: equal
// stamps are trusted only when the file's modification and change times were older than the
// start of the read by more than a tick. Any later change is stamped later than that, so its
// stamp must differ. While a file is that fresh (just written, by us or anyone), every read
// reads the file again and compares the bytes, keeping the parsed copy when they are equal;
// once it has settled, a read costs one query of the system.
// Assumed: file times come from this machine's clock, which does not step back by more than
// the margin; a program that writes in place is seen once the system records its change (on
// Windows, at the latest when it closes the file).

struct Stamp {
  std::uint64_t volume = 0, id = 0, size = 0;  // volume: the host device; not asked on Windows
  std::int64_t modified = 0, changed = 0;  // in the system's file time units
  friend bool operator==(const Stamp&, const Stamp&) = default;
};

#ifdef _WIN32

constexpr std::int64_t kTicksPerSecond = 10000000;  // 100 ns units

std::int64_t FromFileTime(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

std::int64_t Now() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);  // the same clock the file system stamps files with
  return FromFileTime(now);
}

// The file's index number, size and times, each from a query that only asks the file system
// about this file. (GetFileInformationByHandle also asks for the volume's serial number, which
// costs ten times as much on some systems, and a settings file is read dozens of times at start.)
std::optional<Stamp> StampOf(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<Stamp> stamp;
  FILE_STANDARD_INFO standard;
  FILE_BASIC_INFO basic;
  struct {
    LARGE_INTEGER indexNumber;
  } internal;
  IO_STATUS_BLOCK io;
  constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
  if (::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) && !standard.Directory &&
      ::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) &&
      NT_SUCCESS(::NtQueryInformationFile(file, &io, &internal, sizeof internal, kFileInternalInformation))) {
    stamp.emplace();
    stamp->id = static_cast<std::uint64_t>(internal.indexNumber.QuadPart);
    stamp->size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    stamp->modified = basic.LastWriteTime.QuadPart;
    stamp->changed = basic.ChangeTime.QuadPart;  // zero where the file system keeps none (FAT)
  }
  ::CloseHandle(file);
  return stamp;
}

#else

constexpr std::int64_t kTicksPerSecond = 1000000000;  // ns

std::int64_t FromTimespec(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * kTicksPerSecond + time.tv_nsec;
}

std::int64_t Now() {
  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  return FromTimespec(now);
}

// Only the path's exact spelling (with "/" for "\") is looked at; when that does not exist the
// files service may still find the file under another case, and then nothing is cached.
std::optional<Stamp> StampOf(const std::string& path) {
  std::string normal = path;
  std::replace(normal.begin(), normal.end(), '\\', '/');
  // Opened rather than looked up, so network file systems revalidate; O_NONBLOCK keeps a FIFO
  // from blocking.
  const int fd = ::open(normal.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<Stamp> stamp;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    stamp.emplace();
    stamp->volume = static_cast<std::uint64_t>(st.st_dev);
    stamp->id = static_cast<std::uint64_t>(st.st_ino);
    stamp->size = static_cast<std::uint64_t>(st.st_size);
    stamp->modified = FromTimespec(st.st_mtim);
    stamp->changed = FromTimespec(st.st_ctim);
  }
  ::close(fd);
  return stamp;
}

#endif

bool Settled(const Stamp& stamp, std::int64_t readStart) {
  return detail::StampSettled(stamp.modified, stamp.changed, readStart);
}

// ---------------------------------------------------------------------------------------------
// Parsed files of this process, by file name as given.

class ParsedFiles {
 public:
  std::shared_ptr<const Parsed> Current(const std::string& fileName) {
    if (auto pending = Pending(fileName)) return pending;
    const std::int64_t readStart = Now();
    const std::optional<Stamp> before = StampOf(fileName);
    std::shared_ptr<const Parsed> previous;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto found = slots_.find(fileName);
      if (found != slots_.end()) {
        found->second.lastUse = ++useCounter_;
        if (found->second.trusted && before && found->second.stamp == *before) return found->second.parsed;
        previous = found->second.parsed;
      }
    }

    std::optional<std::string> content = platform::ReadFile(fileName);
    if (!content) {
      Forget(fileName);
      return Missing();
    }
    const std::optional<Stamp> after = StampOf(fileName);
    std::shared_ptr<const Parsed> parsed = previous && previous->Content() == *content
                                               ? previous
                                               : std::make_shared<const Parsed>(std::move(*content));
    const bool trusted = before && after && *before == *after && Settled(*before, readStart);
    Store(fileName, Slot{parsed, before.value_or(Stamp{}), trusted, 0});
    return parsed;
  }

  // After our own write: the content is known, but not yet trusted by stamp.
  void Written(const std::string& fileName, std::string content) {
    Store(fileName, Slot{std::make_shared<const Parsed>(std::move(content)), Stamp{}, false, 0});
  }

  // Serialises the read-change-write cycles of this process.
  std::mutex& WriteMutex() { return writeMutex_; }

  // Held writes (TIniWriteBatch): while a file is held, a change is kept here instead of being
  // written, and reads of this process see it.
  void Hold(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++held_[fileName].depth;
  }
  bool Keep(const std::string& fileName, std::string content) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = held_.find(fileName);
    if (found == held_.end()) return false;
    found->second.pending = std::make_shared<const Parsed>(std::move(content));
    return true;
  }
  // Ends one hold; the content to write when it was the last one and something changed.
  std::shared_ptr<const Parsed> Release(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = held_.find(fileName);
    if (found == held_.end() || --found->second.depth > 0) return nullptr;
    std::shared_ptr<const Parsed> pending = std::move(found->second.pending);
    held_.erase(found);
    return pending;
  }

 private:
  struct HeldWrites {
    int depth = 0;
    std::shared_ptr<const Parsed> pending;
  };

  std::shared_ptr<const Parsed> Pending(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = held_.find(fileName);
    return found == held_.end() ? nullptr : found->second.pending;
  }

  struct Slot {
    std::shared_ptr<const Parsed> parsed;
    Stamp stamp;
    bool trusted;
    std::uint64_t lastUse;
  };
  static constexpr std::size_t kMaxFiles = 16;

  static std::shared_ptr<const Parsed> Missing() {
    static const auto missing = std::make_shared<const Parsed>();
    return missing;
  }

  void Store(const std::string& fileName, Slot slot) {
    std::lock_guard<std::mutex> lock(mutex_);
    slot.lastUse = ++useCounter_;
    slots_.insert_or_assign(fileName, std::move(slot));
    if (slots_.size() > kMaxFiles) {
      auto oldest = std::min_element(slots_.begin(), slots_.end(),
                                     [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
      slots_.erase(oldest);
    }
  }

  void Forget(const std::string& fileName) {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.erase(fileName);
  }

  std::mutex mutex_, writeMutex_;
  std::unordered_map<std::string, Slot> slots_;
  std::unordered_map<std::string, HeldWrites> held_;
  std::uint64_t useCounter_ = 0;
};

ParsedFiles& Files() {
  static ParsedFiles files;
  return files;
}

// Replaces the file with `content` unless that changes nothing.
void Save(const std::string& fileName, const Parsed& current, std::string content) {
  if (current.Present() && content == current.Content()) return;
  if (Files().Keep(fileName, content)) return;
  platform::WriteFileAtomically(fileName, content);
  Files().Written(fileName, std::move(content));
}

// The current file for a change: a file that exists but cannot be read is not overwritten.
std::shared_ptr<const Parsed> CurrentForChange(const std::string& fileName) {
  auto current = Files().Current(fileName);
  if (!current->Present() && platform::FileExists(fileName))
    throw platform::CannotWrite(fileName);
  return current;
}

// ---------------------------------------------------------------------------------------------
// Reads and changes of one parsed version; a change gives the new content of the file.

std::string ReadIn(const Parsed& parsed, const std::string& section, const std::string& key,
                   const std::string& defaultValue) {
  const Entry* entry = parsed.FindEntry(section, key);
  return entry ? ValueOf(entry->value) : defaultValue;
}

std::vector<std::string> KeysIn(const Parsed& parsed, const std::string& section) {
  std::vector<std::string> keys;
  const Section* found = parsed.FindSection(section);
  if (!found) return keys;
  std::unordered_set<std::string_view, CaseInsensitiveHash, CaseInsensitiveEqual> seen;
  for (const Entry* entry : parsed.EntriesOf(*found))
    if (seen.insert(entry->key).second) keys.emplace_back(entry->key);
  return keys;
}

void CheckEntry(const std::string& section, const std::string& key, const std::string& value) {
  CheckWritable(section, key);
  if (HasLineBreak(value)) throw std::invalid_argument("Value cannot be stored in a settings file: a line break");
}

std::string WithValueIn(const Parsed& parsed, const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string& old = parsed.Content();
  const std::string stored = StoredFormOf(value);
  std::string content;
  content.reserve(old.size() + section.size() + key.size() + stored.size() + 8);

  if (const Entry* entry = parsed.FindEntry(section, key)) {
    const Line& line = parsed.Lines()[entry->line];
    content.append(old, 0, line.begin);
    content.append(entry->key).append("=").append(stored).append("\r\n");
    content.append(old, line.next, std::string::npos);
  } else if (const Section* found = parsed.FindSection(section)) {
    std::string lineEnd;
    const std::size_t at = parsed.InsertionAfter(found->lastFilled, lineEnd);
    content.append(old, 0, at).append(lineEnd);
    content.append(TrimBlanks(key)).append("=").append(stored).append("\r\n");
    content.append(old, at, std::string::npos);
  } else {
    std::string lineEnd;
    content.append(old, 0, parsed.InsertionAtEnd(lineEnd)).append(lineEnd);
    content.append("[").append(TrimBlanks(section)).append("]\r\n");
    content.append(TrimBlanks(key)).append("=").append(stored).append("\r\n");
  }
  return content;
}

// Nothing when the section or key is not there.
std::optional<std::string> WithoutKeyIn(const Parsed& parsed, const std::string& section, const std::string& key) {
  const Section* found = parsed.FindSection(section);
  if (!found) return std::nullopt;
  const std::string& old = parsed.Content();
  const std::string_view wanted = TrimBlanks(key);
  std::string content;
  content.reserve(old.size());
  std::size_t copied = 0;
  for (const Entry* entry : parsed.EntriesOf(*found)) {
    if (!EqualIgnoringCase(entry->key, wanted)) continue;
    const Line& line = parsed.Lines()[entry->line];
    content.append(old, copied, line.begin - copied);
    copied = line.next;
  }
  if (copied == 0) return std::nullopt;
  content.append(old, copied, std::string::npos);
  return content;
}

std::optional<std::string> WithoutSectionIn(const Parsed& parsed, const std::string& section) {
  if (!parsed.FindSection(section)) return std::nullopt;
  const std::string& old = parsed.Content();
  const std::string_view wanted = TrimBlanks(section);
  const auto& lines = parsed.Lines();
  std::string content;
  content.reserve(old.size());
  std::size_t copied = 0;
  for (const Section& candidate : parsed.Sections()) {
    if (!EqualIgnoringCase(candidate.name, wanted)) continue;
    const std::size_t begin = lines[candidate.header].begin;
    const std::size_t end = candidate.end < lines.size() ? lines[candidate.end].begin : old.size();
    content.append(old, copied, begin - copied);
    copied = end;
  }
  content.append(old, copied, std::string::npos);
  return content;
}

}  // namespace

namespace detail {

bool StampSettled(std::int64_t modified, std::int64_t changed, std::int64_t readStart) {
  // Times with no fraction of a second point to a file system that keeps whole (or even, on
  // FAT) seconds. Fine times come from a clock that advances in ticks of at most ~16 ms
  // (Windows) or 10 ms (Linux); 100 ms leaves room. A change time of zero means none is kept.
  const bool coarse = modified % kTicksPerSecond == 0 || (changed != 0 && changed % kTicksPerSecond == 0);
  const std::int64_t margin = coarse ? 3 * kTicksPerSecond : kTicksPerSecond / 10;
  const std::int64_t limit = readStart - margin;
  return modified < limit && changed < limit;
}

}  // namespace detail

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  return ReadIn(*Files().Current(fileName_), section, key, defaultValue);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  CheckEntry(section, key, value);
  std::lock_guard<std::mutex> lock(Files().WriteMutex());
  const auto parsed = CurrentForChange(fileName_);
  Save(fileName_, *parsed, WithValueIn(*parsed, section, key, value));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  std::lock_guard<std::mutex> lock(Files().WriteMutex());
  const auto parsed = CurrentForChange(fileName_);
  if (auto content = WithoutKeyIn(*parsed, section, key)) Save(fileName_, *parsed, std::move(*content));
}

void TIniFile::EraseSection(const std::string& section) {
  std::lock_guard<std::mutex> lock(Files().WriteMutex());
  const auto parsed = CurrentForChange(fileName_);
  if (auto content = WithoutSectionIn(*parsed, section)) Save(fileName_, *parsed, std::move(*content));
}

bool TIniFile::SectionExists(const std::string& section) const {
  return Files().Current(fileName_)->FindSection(section) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  return KeysIn(*Files().Current(fileName_), section);
}

std::vector<std::string> TIniFile::ReadSections() const {
  const auto parsed = Files().Current(fileName_);
  std::vector<std::string> names;
  for (const Section& section : parsed->Sections())
    if (parsed->FindSection(section.name) == &section) names.emplace_back(section.name);
  return names;
}

namespace detail {

std::string ReadFromText(const std::string& content, const std::string& section, const std::string& key,
                         const std::string& defaultValue) {
  return ReadIn(Parsed(content), section, key, defaultValue);
}

std::vector<std::string> ReadManyFromText(const std::string& content,
                                          const std::vector<std::pair<std::string, std::string>>& names,
                                          const std::string& defaultValue) {
  const Parsed parsed(content);
  std::vector<std::string> values;
  values.reserve(names.size());
  for (const auto& [section, key] : names) values.push_back(ReadIn(parsed, section, key, defaultValue));
  return values;
}

bool SectionInText(const std::string& content, const std::string& section) {
  return Parsed(content).FindSection(section) != nullptr;
}

std::vector<std::string> SectionKeysInText(const std::string& content, const std::string& section) {
  return KeysIn(Parsed(content), section);
}

std::string TextWithValue(const std::string& content, const std::string& section, const std::string& key,
                          const std::string& value) {
  CheckEntry(section, key, value);
  return WithValueIn(Parsed(content), section, key, value);
}

std::string TextWithoutKey(const std::string& content, const std::string& section, const std::string& key) {
  return WithoutKeyIn(Parsed(content), section, key).value_or(content);
}

std::string TextWithoutSection(const std::string& content, const std::string& section) {
  return WithoutSectionIn(Parsed(content), section).value_or(content);
}

}  // namespace detail

void TIniFile::WriteSection(const std::string& section,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
  if (entries.empty()) return EraseSection(section);
  std::vector<std::pair<std::string_view, std::string>> lines;  // key, stored value
  for (const auto& [key, value] : entries) {
    CheckWritable(section, key);
    if (HasLineBreak(value)) throw std::invalid_argument("Value cannot be stored in a settings file: a line break");
    const std::string_view name = TrimBlanks(key);
    auto same = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return EqualIgnoringCase(l.first, name); });
    if (same != lines.end())
      same->second = StoredFormOf(value);
    else
      lines.emplace_back(name, StoredFormOf(value));
  }

  std::lock_guard<std::mutex> lock(Files().WriteMutex());
  const auto parsed = CurrentForChange(fileName_);
  const std::string& old = parsed->Content();
  const std::string_view wanted = TrimBlanks(section);
  const auto& fileLines = parsed->Lines();
  const auto& sections = parsed->Sections();
  auto erased = [&](const Section& s) { return EqualIgnoringCase(s.name, wanted); };

  std::string content;
  content.reserve(old.size() + 64 * lines.size());
  std::size_t copied = 0;
  for (const Section& candidate : sections) {
    if (!erased(candidate)) continue;
    const std::size_t begin = fileLines[candidate.header].begin;
    const std::size_t end = candidate.end < fileLines.size() ? fileLines[candidate.end].begin : old.size();
    content.append(old, copied, begin - copied);
    copied = end;
  }
  content.append(old, copied, std::string::npos);

  // The new section goes where a write after the erasure would put it: after the last line
  // that is left, with the line end that line still lacks.
  std::size_t kept = fileLines.size();
  for (auto s = sections.rbegin(); s != sections.rend() && s->end == kept && erased(*s); ++s) kept = s->header;
  std::string lineEnd;
  if (kept > 0) parsed->InsertionAfter(kept - 1, lineEnd);
  content.append(lineEnd).append("[").append(wanted).append("]\r\n");
  for (const auto& [key, stored] : lines) content.append(key).append("=").append(stored).append("\r\n");
  Save(fileName_, *parsed, std::move(content));
}

TIniWriteBatch::TIniWriteBatch(const TIniFile& file) : fileName_(file.FileName()) { Files().Hold(fileName_); }

TIniWriteBatch::~TIniWriteBatch() {
  if (committed_) return;
  try {
    Commit();
  } catch (const std::exception&) {
    // Unwinding from another error, which is the one to report.
  }
}

void TIniWriteBatch::Commit() {
  if (committed_) return;
  committed_ = true;
  std::lock_guard<std::mutex> lock(Files().WriteMutex());
  if (auto pending = Files().Release(fileName_)) {
    platform::WriteFileAtomically(fileName_, pending->Content());
    Files().Written(fileName_, pending->Content());
  }
}

TIniSnapshot::TIniSnapshot(const TIniFile& file) : parsed_(Files().Current(file.FileName())) {}

std::string TIniSnapshot::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
  const Entry* entry = static_cast<const Parsed*>(parsed_.get())->FindEntry(section, key);
  return entry ? ValueOf(entry->value) : defaultValue;
}

bool TIniSnapshot::FileRead() const { return static_cast<const Parsed*>(parsed_.get())->Present(); }

}  // namespace config
