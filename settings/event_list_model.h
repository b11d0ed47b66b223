// The event list of the settings window without its controls: which events a filter lists, the
// rows they become, and what the detail view of one event reads, each with the list's own
// defaults (they differ from the scheduler's).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/ini.h"
#include "events/event_store.h"

namespace settings {

// Values of the list filter: a type 0 to 6 lists only that type.
inline constexpr int kFilterStandard = 8;      // every type but birthdays and holidays
inline constexpr int kFilterCelebrations = 6;  // birthdays and holidays only
inline constexpr int kFilterAll = -1;          // every event

// The names of the seven types, indexed by the stored type; also the action pages' captions.
inline constexpr const auto& kTypeNames = events::kTypeNames;

// The name shown for a stored type: the type's name for "0" to "6" (as integers, so " 5" and
// "05" too), the stored text itself for anything else, so a damaged entry stays visible.
std::string TypeName(const std::string& storedType);

// Whether `filter` lists an event of the stored type. Filters 0 to 6 compare the type as an
// integer and raise config::EConvertError for a type that is none; 8 compares the text.
bool Listed(int filter, const std::string& storedType);

struct EventRow {
  std::string number, typeName, time, date;
  bool active = true;
};

// The rows of `numbers`, in their order, that `filter` lists, read from one look at the detail
// file; a missing "type" reads "1", "time" and "date" read "1", "active" reads "1". Rows are
// appended to `rows` one by one, so when a type does not convert, the rows before it are there
// when the error leaves.
void ListRows(const config::TIniSnapshot& detail, const std::vector<std::string>& numbers, int filter,
              std::vector<EventRow>& rows);

// Everything the detail view of one event reads, as stored or with the view's defaults.
struct EventDetail {
  std::string type;                      // "type", default "0"
  std::string birthday;                  // "Brith?", default "0": "1" ticks, "0" clears, else unchanged
  std::string time, date;                // defaults "20:00:00" and "01.02.2003"
  std::string hz, ms;                    // defaults "800" and "1000"
  std::string pathToFile;                // default: the program folder + "horavo.exe"
  std::string reminderFile;              // <appDir>notes\ + file name of "pathtotxt" (default "-1.zqt")
  std::string celebrationFile;           // <appDir>days\ + file name of "pathtobirthday" (default "-1.zqd")
  std::string period;                    // default "1"
  std::array<std::string, 7> weekdays;   // "Mon" .. "Sun", default "1"
};
EventDetail ReadDetail(const config::TIniSnapshot& detail, const std::string& number, const std::string& appDir);

// What the test run of a reminder or a birthday/holiday loads: the stored path unchanged, or
// the placeholder of its own folder when the key is missing.
std::string TestRunFile(const config::TIniSnapshot& detail, const std::string& number, bool celebration,
                        const std::string& appDir);

}  // namespace settings
