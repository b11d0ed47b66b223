// The system's time zones: their list, and the time of day in one of them. Each zone follows
// its own summer-time rules, so a time is worked out from the universal time of the moment,
// never by adding a fixed offset to the local time.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DateTime;

struct TimeZone {
  std::string id;            // the key the system files the zone under ("Tokyo Standard Time")
  std::string standardName;  // the zone's standard name as the system gives it
  std::string displayName;   // "(UTC+09:00) Осака, Саппоро, Токио", for the choice list
  friend bool operator==(const TimeZone&, const TimeZone&) = default;
};

class TimeZones {
 public:
  virtual ~TimeZones() = default;
  // Every zone the system knows, in the system's order.
  virtual std::vector<TimeZone> List() = 0;
  // The universal time of a moment of this computer's local time, and back.
  virtual std::optional<DateTime> LocalToUniversal(const DateTime& local) = 0;
  virtual std::optional<DateTime> UniversalToLocal(const DateTime& universal) = 0;
  // The time in the zone `id` at the universal moment `universal`; nothing for an unknown zone.
  virtual std::optional<DateTime> UniversalToZone(const std::string& id, const DateTime& universal) = 0;
};

// A zone's rule in the system's own form: minutes west of universal time, and the yearly
// changes to and from summer time. A change date with month 0 means the zone has no summer
// time. With year 0, `day` is the week of the month (5 = the last) of weekday `dayOfWeek`
// (0 = Sunday); the change happens at `hour`:`minute` of the local time then in force.
struct ZoneChange {
  int year = 0, month = 0, dayOfWeek = 0, day = 0, hour = 0, minute = 0;
};
struct ZoneRule {
  int bias = 0;          // minutes: universal = local + bias
  int standardBias = 0;  // added to bias in standard time
  int daylightBias = 0;  // added to bias in summer time (usually -60)
  ZoneChange standardDate, daylightDate;
};

// `t` moved by `minutes` (either way), the seconds kept.
DateTime AddMinutes(const DateTime& t, int minutes);

// The local time of a zone with `rule` at the universal moment `universal`, by the rule's
// changes in the year of that moment (a southern zone's summer spans the year's end).
DateTime ApplyZoneRule(const ZoneRule& rule, const DateTime& universal);

}  // namespace platform
