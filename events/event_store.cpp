#include "events/event_store.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <unordered_set>

#include "events/list_file.h"
#include "platform/files.h"

namespace events {

namespace {

constexpr unsigned kNumberRange = 99999;  // numbers 0 to 99998

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::size_t NameStart(const std::string& path) {
  std::size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return i;
}

}  // namespace

const char* WeekdayKey(int dayOfWeek) { return kWeekdayKeys[std::size_t((dayOfWeek + 6) % 7)]; }

std::string DirectoryPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

EventStore::EventStore(std::string appDir) : appDir_(std::move(appDir)), ini_(appDir_ + "Gear\\gear.ini") {}

std::vector<std::string> EventStore::LoadList() const { return LoadListFile(ListPath()); }

void EventStore::SaveList(const std::vector<std::string>& numbers) const { SaveListFile(ListPath(), numbers); }

std::string EventStore::Read(const std::string& number, const std::string& key,
                             const std::string& defaultValue) const {
  return ini_.ReadString(number, key, defaultValue);
}

void EventStore::Write(const std::string& number, const std::string& key, const std::string& value) {
  ini_.WriteString(number, key, value);
}

void EventStore::WriteInteger(const std::string& number, const std::string& key, int value) {
  ini_.WriteInteger(number, key, value);
}

void EventStore::EraseSection(const std::string& number) { ini_.EraseSection(number); }

std::string EventStore::SideFilePath(SideFolder folder, const std::string& storedPath) const {
  const std::string name = FileNamePart(storedPath);
  if (name.empty() || name == "." || name == "..") return {};
  return appDir_ + (folder == SideFolder::kNotes ? "notes\\" : "days\\") + name;
}

bool EventStore::DeleteSideFile(SideFolder folder, const std::string& storedPath) const {
  const std::string path = SideFilePath(folder, storedPath);
  return !path.empty() && platform::RemoveFile(path);
}

std::string EventStore::SaveSideFile(SideFolder folder, const std::string& number, const std::string& text) const {
  const std::string path = SideFilePath(folder, number + (folder == SideFolder::kNotes ? ".zqt" : ".zqd"));
  platform::WriteFileAtomically(path, text);
  return path;
}

std::vector<std::string> EventStore::AddEvent(const EventRecord& e) {
  const std::string& n = e.number;
  // The section comes first and the list line last: a write cut short leaves at most a section
  // that no list line names, which nothing reads, never a listed event without its keys.
  EraseSection(n);
  Write(n, "time", e.time);
  Write(n, "date", e.date);
  Write(n, "type", e.type);
  if (e.type == "6") {
    Write(n, "pathtobirthday", SaveSideFile(SideFolder::kDays, n, e.sideText));
    WriteInteger(n, "Brith?", e.birthday ? 1 : 0);
    Write(n, "Foto", e.foto);
    Write(n, "Email", e.email);
  }
  if (e.type == "5") Write(n, "pathtotxt", SaveSideFile(SideFolder::kNotes, n, e.sideText));
  if (e.type == "1") Write(n, "pathtofile", e.pathToFile);
  if (e.type == "0") {
    Write(n, "ms", e.ms);
    Write(n, "hz", e.hz);
  }
  if (e.type != "6") {
    Write(n, "period", e.period);
    if (e.period == "4")
      for (std::size_t d = 0; d < kWeekdayKeys.size(); ++d) Write(n, kWeekdayKeys[d], e.weekdays[d] ? "1" : "0");
  }
  std::vector<std::string> list = LoadList();
  list.push_back(n);
  SaveList(list);
  return list;
}

std::string NewEventNumber(const std::vector<std::string>& taken, const std::function<unsigned()>& draw) {
  const std::unordered_set<std::string> used(taken.begin(), taken.end());
  if (used.size() >= kNumberRange) {
    std::size_t free = kNumberRange;
    for (unsigned v = 0; v < kNumberRange; ++v)
      if (used.count(std::to_string(v))) --free;
    if (free == 0) throw std::runtime_error("Все номера событий заняты");
  }
  // Drawing again is the rule; a generator that keeps giving taken numbers (a nearly full
  // list) ends in the first free number after its last value.
  unsigned value = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    value = draw() % kNumberRange;
    if (!used.count(std::to_string(value))) return std::to_string(value);
  }
  for (;; value = (value + 1) % kNumberRange)
    if (!used.count(std::to_string(value))) return std::to_string(value);
}

std::string NewEventNumber(const std::vector<std::string>& taken) {
  static std::minstd_rand generator(unsigned(std::random_device{}()) ^
                                    unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
  return NewEventNumber(taken, [] { return unsigned(generator()); });
}

}  // namespace events
