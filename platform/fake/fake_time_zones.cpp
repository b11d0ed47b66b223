#include "platform/fake/fake_time_zones.h"

#include "platform/platform.h"

namespace platform {

FakeTimeZones::FakeTimeZones() {
  const ZoneChange lastSunMar2{0, 3, 0, 5, 2, 0}, lastSunOct3{0, 10, 0, 5, 3, 0};
  const ZoneChange secondSunMar2{0, 3, 0, 2, 2, 0}, firstSunNov2{0, 11, 0, 1, 2, 0};
  const ZoneChange firstSunOct2{0, 10, 0, 1, 2, 0}, firstSunApr3{0, 4, 0, 1, 3, 0};
  auto add = [&](const char* id, const char* name, const char* display, ZoneRule rule) {
    zones.push_back({id, name, display});
    rules[id] = rule;
  };
  add("UTC", "Всемирное время", "(UTC) Всемирное время", {0, 0, 0, {}, {}});
  add("GMT Standard Time", "GMT Standard Time", "(UTC+00:00) Лондон", {0, 0, -60, {0, 10, 0, 5, 2, 0}, {0, 3, 0, 5, 1, 0}});
  add("W. Europe Standard Time", "W. Europe Standard Time", "(UTC+01:00) Берлин", {-60, 0, -60, lastSunOct3, lastSunMar2});
  add("Russian Standard Time", "Russian Standard Time", "(UTC+03:00) Москва", {-180, 0, 0, {}, {}});
  add("Tokyo Standard Time", "Tokyo Standard Time", "(UTC+09:00) Токио", {-540, 0, 0, {}, {}});
  add("AUS Eastern Standard Time", "AUS Eastern Standard Time", "(UTC+10:00) Сидней",
      {-600, 0, -60, firstSunApr3, firstSunOct2});
  add("Eastern Standard Time", "Eastern Standard Time", "(UTC-05:00) Нью-Йорк", {300, 0, -60, firstSunNov2, secondSunMar2});
}

std::optional<DateTime> FakeTimeZones::LocalToUniversal(const DateTime& local) {
  auto rule = rules.find(localZone);
  if (rule == rules.end()) return std::nullopt;
  // Standard time first, then summer time: the one whose way back gives the same local time.
  for (int bias : {rule->second.bias + rule->second.standardBias, rule->second.bias + rule->second.daylightBias}) {
    DateTime universal = AddMinutes(local, bias);
    DateTime back = ApplyZoneRule(rule->second, universal);
    if (back.year == local.year && back.month == local.month && back.day == local.day && back.hour == local.hour &&
        back.minute == local.minute)
      return universal;
  }
  return AddMinutes(local, rule->second.bias + rule->second.standardBias);
}

std::optional<DateTime> FakeTimeZones::UniversalToLocal(const DateTime& universal) {
  return UniversalToZone(localZone, universal);
}

std::optional<DateTime> FakeTimeZones::UniversalToZone(const std::string& id, const DateTime& universal) {
  auto rule = rules.find(id);
  if (rule == rules.end()) return std::nullopt;
  return ApplyZoneRule(rule->second, universal);
}

}  // namespace platform
