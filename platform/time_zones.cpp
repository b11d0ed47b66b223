#include "platform/time_zones.h"

#include <cstdint>

#include "platform/platform.h"

namespace platform {

namespace {

std::int64_t Minutes(const DateTime& t) {
  return (DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}

DateTime FromMinutes(std::int64_t minutes, int second) {
  std::int64_t days = minutes / 1440, rest = minutes % 1440;
  if (rest < 0) {
    rest += 1440;
    --days;
  }
  DateTime t = CivilFromDays(days);
  t.hour = int(rest / 60);
  t.minute = int(rest % 60);
  t.second = second;
  return t;
}

// The local minute of a change in `year`: its fixed date, or the n-th (5 = last) weekday.
std::int64_t ChangeMinute(const ZoneChange& c, int year) {
  int day = c.day;
  if (c.year == 0) {
    const int first = DayOfWeek(year, c.month, 1);
    day = 1 + (c.dayOfWeek - first + 7) % 7 + (c.day - 1) * 7;
    while (day > DaysInMonth(year, c.month)) day -= 7;
  }
  return (DaysFromCivil(year, c.month, day) * 24 + c.hour) * 60 + c.minute;
}

}  // namespace

DateTime AddMinutes(const DateTime& t, int minutes) { return FromMinutes(Minutes(t) + minutes, t.second); }

DateTime ApplyZoneRule(const ZoneRule& rule, const DateTime& universal) {
  const std::int64_t u = Minutes(universal);
  int bias = rule.bias + rule.standardBias;
  if (rule.daylightDate.month != 0 && rule.standardDate.month != 0) {
    // Summer begins at a local standard-time moment and ends at a local summer-time moment.
    const std::int64_t begins = ChangeMinute(rule.daylightDate, universal.year) + rule.bias + rule.standardBias;
    const std::int64_t ends = ChangeMinute(rule.standardDate, universal.year) + rule.bias + rule.daylightBias;
    const bool summer = begins < ends ? (u >= begins && u < ends) : (u >= begins || u < ends);
    if (summer) bias = rule.bias + rule.daylightBias;
  }
  return FromMinutes(u - bias, universal.second);
}

}  // namespace platform
