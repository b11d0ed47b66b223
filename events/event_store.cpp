#include "events/event_store.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <unordered_set>

#include "events/list_file.h"
#include "events/store_changes.h"
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

void EventStore::SaveList(const std::vector<std::string>& numbers) const {
  SaveListFile(ListPath(), numbers);
  Changed();
}

std::string EventStore::Read(const std::string& number, const std::string& key,
                             const std::string& defaultValue) const {
  return ini_.ReadString(number, key, defaultValue);
}

void EventStore::Write(const std::string& number, const std::string& key, const std::string& value) {
  Rewrite(number, [&] { ini_.WriteString(number, key, value); });
  Changed();
}

void EventStore::WriteInteger(const std::string& number, const std::string& key, int value) {
  Rewrite(number, [&] { ini_.WriteInteger(number, key, value); });
  Changed();
}

void EventStore::EraseSection(const std::string& number) {
  Rewrite(number, [&] { ini_.EraseSection(number); });
  Changed();
}

int EventStore::Subscribe(ChangeListener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void EventStore::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void EventStore::Changed() const {
  changed_ = true;
  if (batchDepth_ > 0) return;
  changed_ = false;
  // A listener may subscribe or unsubscribe while it runs: walk a copy.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) {
    try {
      if (listener) listener();
    } catch (...) {
    }
  }
}

void EventStore::Rewrite(const std::string& keep, const std::function<void()>& change) {
  std::vector<std::string> list;
  try {
    list = LoadList();
  } catch (const platform::FileError&) {
    // Without the list nothing tells an event from a leftover.
  }
  std::unordered_set<std::string> listed;
  for (const std::string& line : list)
    if (const std::string_view number = config::TrimBlanks(line); !number.empty()) listed.emplace(number);
  std::vector<std::string> unlisted;
  if (!listed.empty())
    for (std::string& name : ini_.ReadSections())
      if (name != keep && !listed.count(name)) unlisted.push_back(std::move(name));
  if (unlisted.empty()) return change();

  config::TIniWriteBatch batch(ini_);
  for (const std::string& name : unlisted) ini_.EraseSection(name);
  change();
  batch.Commit();
}

std::string EventStore::SideFilePath(SideFolder folder, const std::string& storedPath) const {
  const std::string name = FileNamePart(storedPath);
  if (name.empty() || name == "." || name == "..") return {};
  return appDir_ + (folder == SideFolder::kNotes ? "notes\\" : "days\\") + name;
}

bool EventStore::DeleteSideFile(SideFolder folder, const std::string& storedPath) const {
  const std::string path = SideFilePath(folder, storedPath);
  return !path.empty() && platform::RemoveFile(path);
}

std::vector<std::string> EventStore::AddEvent(const EventRecord& e) {
  // The side file and the section come first and the list line last: a write cut short leaves
  // at most a section that no list line names, which nothing reads, never a listed event
  // without its keys. The section is written in one rewrite, replacing one left behind.
  // A write that fails takes back what this addition wrote before it, so a refused file leaves
  // no unlisted section or side file behind; the failure then goes on to the caller.
  const EventWrite plan = PlanEventWrite(e, appDir_);
  const ChangeBatch batch(*this);
  if (!plan.sideFile.empty()) platform::WriteFileAtomically(plan.sideFile, plan.sideText);
  bool sectionWritten = false;
  try {
    Rewrite(e.number, [&] { ini_.WriteSection(e.number, plan.keys); });
    sectionWritten = true;
    std::vector<std::string> list = LoadList();
    list.push_back(e.number);
    SaveList(list);
    return list;
  } catch (...) {
    try {
      if (sectionWritten) ini_.EraseSection(e.number);
    } catch (...) {
    }
    if (!plan.sideFile.empty()) platform::RemoveFile(plan.sideFile);
    throw;
  }
}

bool IsActive(const std::string& storedActive) { return config::TrimBlanks(storedActive) != "0"; }

std::string NewEventNumber(const std::vector<std::string>& taken, const std::function<unsigned()>& draw) {
  // A list line "9 " names section [9]: drawing 9 would overwrite that event's keys.
  std::unordered_set<std::string> used;
  for (const std::string& number : taken) used.emplace(config::TrimBlanks(number));
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
