// The event list of the settings window without its controls: which events a filter lists, the
// rows they become, and what the detail view of one event reads, each with the list's own
// defaults (they differ from the scheduler's).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "config/ini.h"
#include "events/event_types.h"
#include "events/next_firing.h"
#include "platform/platform.h"

namespace settings {

// Values of the list filter: a type 0 to 6 lists only that type.
inline constexpr int kFilterStandard = 8;      // every type but birthdays and holidays
inline constexpr int kFilterCelebrations = 6;  // birthdays and holidays only
inline constexpr int kFilterAll = -1;          // every event

// The names of the seven types, indexed by the stored type; also the action pages' captions.
inline constexpr const auto& kTypeNames = events::kTypeNames;

// The name shown for a stored type (see events::TypeName).
using events::TypeName;

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

// True for a one-time event, switched on, whose moment lies before the second `now` stands in:
// it has fired and stays listed only because fired events are kept.
bool FiredOnce(const events::FiringRule& rule, const platform::DateTime& now, const std::string& timePicture,
               const std::string& datePicture);

// When an event of `rule` fires next from `now`, by the scheduler's own rules:
// "Следующий раз: <date> <time>" in the user's formats, or "Следующий раз: не сработает" for
// one that never will (an inactive one, a one-time moment past). `moment` receives the moment
// told, or nothing.
std::string NextFiringLine(const events::FiringRule& rule, const platform::DateTime& now,
                           const std::string& timePicture, const std::string& datePicture,
                           std::optional<platform::DateTime>* moment = nullptr);
// The same for stored event `number` with the scheduler's defaults; "Уже сработало" for a
// fired one-time event, and empty for a birthday or holiday (type "6"), which is announced on
// its day and not fired at a time.
std::string NextFiringLine(const config::TIniSnapshot& detail, const std::string& number,
                           const platform::DateTime& now, const std::string& timePicture,
                           const std::string& datePicture, std::optional<platform::DateTime>* moment = nullptr);
inline constexpr const char* kNextFiringLabel = "Следующий раз:";
inline constexpr const char* kNeverFires = "не сработает";
inline constexpr const char* kAlreadyFired = "Уже сработало";

}  // namespace settings
