// The event store below the program directory: the list file "Gear\Events.txt" (one event
// number per line, in order of addition), the detail file "Gear\gear.ini" (one section per
// number) and the rich-text side files "notes\<number>.zqt" (text reminders) and
// "days\<number>.zqd" (birthdays and holidays). Every operation reads or writes the files
// at the moment it is called; the store keeps no copy of its own.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/ini.h"
#include "events/event_types.h"

namespace events {

// The defaults the scheduler, the actions and the announcements apply to a missing key.
inline constexpr const char* kDefaultTime = "01:01:05";
inline constexpr const char* kDefaultDate = "01.01.2005";
inline constexpr const char* kDefaultType = "1";
inline constexpr const char* kDefaultPeriod = "2";
inline constexpr const char* kDefaultWeekday = "1";
inline constexpr const char* kDefaultMs = "800";
inline constexpr const char* kDefaultHz = "1000";
inline constexpr const char* kDefaultPathToFile = "0";
// The file names a missing "pathtotxt" or "pathtobirthday" stands for.
inline constexpr const char* kDefaultReminderFile = "-1.zqt";
inline constexpr const char* kDefaultCelebrationFile = "-1.zqd";

// The weekday keys, Monday first.
inline constexpr std::array<const char*, 7> kWeekdayKeys = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// Whether a stored "active" switches its event on: anything but "0" does (a missing key, an
// empty value, "yes"), so the scan, the announcements and the event list's check box agree.
bool IsActive(const std::string& storedActive);

// The key of a weekday numbered as the clock numbers it, 0 = Sunday.
const char* WeekdayKey(int dayOfWeek);

// A path split as the program splits it: the directory part is everything up to and including
// the last separator ("\", "/", or the ":" of a drive), empty when there is none; the file-name
// part is the rest.
std::string DirectoryPart(const std::string& path);
std::string FileNamePart(const std::string& path);

// Where a side file lives.
enum class SideFolder { kNotes, kDays };

// One event as the editor records it; only the keys of its type are written.
struct EventRecord {
  std::string number;
  std::string time, date;
  std::string type = "1";  // "0" to "6"
  // Type 6: the birthday or holiday text, a birthday (true) or a holiday, photo, e-mail.
  // Type 5: the reminder text. The text is stored as given (the editor passes Rich Text).
  std::string sideText;
  bool birthday = false;
  std::string foto, email;
  std::string pathToFile;      // type 1
  std::string ms, hz;          // type 0
  std::string period = "2";    // types 0 to 5: "1" to "4"
  std::array<bool, 7> weekdays{};  // period "4", Monday first
};

class EventStore {
 public:
  // `appDir` is the program directory with its trailing separator.
  explicit EventStore(std::string appDir);

  const std::string& AppDir() const { return appDir_; }
  std::string ListPath() const { return appDir_ + "Gear\\Events.txt"; }
  std::string DetailPath() const { return appDir_ + "Gear\\gear.ini"; }

  // The numbers of the list file in file order (lines ended by CR LF, LF or CR). A missing
  // file throws platform::FileError with the system's file-open text.
  std::vector<std::string> LoadList() const;
  // Rewrites the list file whole and atomically, each number followed by CR LF.
  void SaveList(const std::vector<std::string>& numbers) const;

  // A key of an event's section, or `defaultValue` when the key or the section is missing.
  std::string Read(const std::string& number, const std::string& key, const std::string& defaultValue) const;
  void Write(const std::string& number, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& number, const std::string& key, int value);
  // Removes the event's section with all its keys.
  void EraseSection(const std::string& number);
  // Each write of the detail file above also drops the sections that no number of the list
  // names (left by a removal cut short), in the same rewrite; the section it writes is kept.
  // The detail file as it is now, for reading many events' keys at once.
  config::TIniSnapshot Snapshot() const { return config::TIniSnapshot(ini_); }

  // The side file a stored path names: the path's file-name part under the program's own
  // "notes\" or "days\", wherever the stored path pointed. Empty when the file-name part
  // names no file ("", ".", ".."), so nothing outside those folders is ever reached.
  std::string SideFilePath(SideFolder folder, const std::string& storedPath) const;
  // Deletes that side file; a missing or locked file is left alone. True when one was deleted.
  bool DeleteSideFile(SideFolder folder, const std::string& storedPath) const;

  // Records a new event: its side file (types 5 and 6), its section with the keys in the
  // stored order (one rewrite of the detail file, see PlanEventWrite), then its number as the
  // last line of the list. A section left behind under the same number (not listed, so not an
  // event) is replaced whole. When a write fails, what this call wrote before it is removed
  // again and the failure is raised. Returns the new list.
  std::vector<std::string> AddEvent(const EventRecord& event);

  // Who wants to know that the stored events changed (a window that lists them). Every change
  // made through this store (a key written, a section erased, the list saved, an event added)
  // raises each listener once after it, in the order they subscribed; changes made inside a
  // ChangeBatch raise them once, when the outermost batch ends. What a listener raises is kept
  // from the writer.
  using ChangeListener = std::function<void()>;
  int Subscribe(ChangeListener listener);
  void Unsubscribe(int id);

  // Groups the writes of one change (an editor's commit, a removal) into one notification.
  class ChangeBatch {
   public:
    explicit ChangeBatch(const EventStore& store) : store_(store) { ++store_.batchDepth_; }
    ~ChangeBatch() {
      if (--store_.batchDepth_ == 0 && store_.changed_) store_.Changed();
    }
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

   private:
    const EventStore& store_;
  };

 private:
  // Notes a change: raises the listeners now, or at the end of the open batch.
  void Changed() const;

  // Makes `change` to the detail file in one rewrite with the removal of unlisted sections
  // other than `keep`. With no list file, or an empty one, nothing is dropped.
  void Rewrite(const std::string& keep, const std::function<void()>& change);

  std::string appDir_;
  config::TIniFile ini_;
  std::vector<std::pair<int, ChangeListener>> listeners_;
  int nextListener_ = 1;
  mutable int batchDepth_ = 0;
  mutable bool changed_ = false;
};

// A number for a new event: the decimal text of a pseudo-random value 0 to 99998, drawn
// again while it stands in `taken` (compared without blanks, as the list's numbers name their
// sections). `draw` gives the generator's values; when every number is
// taken, throws std::runtime_error.
std::string NewEventNumber(const std::vector<std::string>& taken, const std::function<unsigned()>& draw);
// The same with the program's own generator.
std::string NewEventNumber(const std::vector<std::string>& taken);

}  // namespace events
