#include "settings/event_list_model.h"

#include "config/convert.h"
#include "clock/time_format.h"
#include "events/event_store.h"
#include "events/next_firing.h"

namespace settings {

bool Listed(int filter, const std::string& storedType) {
  if (filter == kFilterAll) return true;
  if (filter == kFilterStandard) return storedType != "6";
  return config::StrToInt(storedType) == filter;
}

void ListRows(const config::TIniSnapshot& detail, const std::vector<std::string>& numbers, int filter,
              std::vector<EventRow>& rows) {
  for (const std::string& number : numbers) {
    const std::string type = detail.ReadString(number, "type", "1");
    if (!Listed(filter, type)) continue;
    rows.push_back(EventRow{number, TypeName(type), detail.ReadString(number, "time", "1"),
                            detail.ReadString(number, "date", "1"),
                            events::IsActive(detail.ReadString(number, "active", "1"))});
  }
}

EventDetail ReadDetail(const config::TIniSnapshot& detail, const std::string& number, const std::string& appDir) {
  auto read = [&](const char* key, const std::string& fallback) { return detail.ReadString(number, key, fallback); };
  EventDetail d;
  d.type = read("type", "0");
  d.birthday = read("Brith?", "0");
  d.time = read("time", "20:00:00");
  d.date = read("date", "01.02.2003");
  d.hz = read("hz", "800");
  d.ms = read("ms", "1000");
  d.pathToFile = read("pathtofile", appDir + "horavo.exe");
  d.reminderFile = appDir + "notes\\" + events::FileNamePart(read("pathtotxt", events::kDefaultReminderFile));
  d.celebrationFile = appDir + "days\\" + events::FileNamePart(read("pathtobirthday", events::kDefaultCelebrationFile));
  d.period = read("period", "1");
  for (std::size_t k = 0; k < d.weekdays.size(); ++k) d.weekdays[k] = read(events::kWeekdayKeys[k], "1");
  return d;
}

std::string TestRunFile(const config::TIniSnapshot& detail, const std::string& number, bool celebration,
                        const std::string& appDir) {
  return celebration ? detail.ReadString(number, "pathtobirthday", appDir + "days\\" + events::kDefaultCelebrationFile)
                     : detail.ReadString(number, "pathtotxt", appDir + "notes\\" + events::kDefaultReminderFile);
}

bool FiredOnce(const events::FiringRule& rule, const platform::DateTime& now, const std::string& timePicture,
               const std::string& datePicture) {
  if (rule.period != "1" || !rule.active) return false;
  const platform::DateTime before = events::FromSerialSecond(events::SerialSecond(now) - 1);
  return events::CountFiringsBetween(rule, events::FromSerialSecond(0), before, timePicture, datePicture) > 0;
}

std::string NextFiringLine(const events::FiringRule& rule, const platform::DateTime& now,
                           const std::string& timePicture, const std::string& datePicture,
                           std::optional<platform::DateTime>* moment) {
  const auto next = events::NextFiring(rule, now, timePicture, datePicture);
  if (moment) *moment = next;
  if (!next) return std::string(kNextFiringLabel) + " " + kNeverFires;
  return std::string(kNextFiringLabel) + " " + clockface::FormatPicture(datePicture, *next) + " " +
         events::StoredTimeText(timePicture, *next);
}

std::string NextFiringLine(const config::TIniSnapshot& detail, const std::string& number,
                           const platform::DateTime& now, const std::string& timePicture,
                           const std::string& datePicture, std::optional<platform::DateTime>* moment) {
  if (moment) moment->reset();
  if (detail.ReadString(number, "type", events::kDefaultType) == "6") return {};
  const events::FiringRule rule = events::ReadFiringRule(detail, number);
  if (FiredOnce(rule, now, timePicture, datePicture)) return kAlreadyFired;
  return NextFiringLine(rule, now, timePicture, datePicture, moment);
}

}  // namespace settings
