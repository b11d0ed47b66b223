// What the calendar window shows, without the window: which days of a few months hold events,
// what one day holds, how many days a range spans, and the time in other cities. The days
// follow the scheduler's own rules (events::FiringsBetween); birthdays and holidays are
// announced on their stored date.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/ini.h"
#include "config/settings.h"
#include "events/event_store.h"
#include "events/next_firing.h"
#include "platform/platform.h"

namespace calendar {

// The pictures the stored times and dates are written with (the user's formats).
struct Pictures {
  std::string time, date;
};

// One stored event's type and firing rule.
struct StoredEvent {
  std::string number, type;
  events::FiringRule rule;
};
// The events of one look at the store: each event's rule, read once, and the detail file as it
// was then.
struct StoredEvents {
  std::vector<StoredEvent> events;
  config::TIniSnapshot detail;
};
// The store's events now; a missing or unreadable list reads as no events.
StoredEvents ReadEvents(const events::EventStore& store);

// For each of `count` months from `year`/`month` on, one bit per day (bit 0 = the 1st) that
// holds at least one active event.
std::vector<std::uint32_t> BoldDays(const StoredEvents& events, int year, int month, int count,
                                    const Pictures& pictures);

// One line of a day's list.
struct DayEntry {
  std::string number;
  std::string time;      // the stored time; empty for a birthday or holiday (announced at start)
  std::string typeName;  // as the event list names the type
  std::string text;      // a reminder's or celebration's first line, a file's name
  bool active = true;
  int secondOfDay = -1;  // for the order; -1 for a birthday or holiday
};
inline constexpr const char* kSwitchedOff = "(выключено)";
inline constexpr const char* kNothingPlanned = "Ничего не запланировано";

// What `day` holds (switched-off events too, marked), birthdays and holidays first, then by time,
// events of one time in list order. Side files are read through `store`.
std::vector<DayEntry> DayList(const events::EventStore& store, const StoredEvents& events,
                              const platform::DateTime& day, const Pictures& pictures);

// The number of days from `first` to `last`, both included, whichever comes first.
int DaysInRange(const platform::DateTime& first, const platform::DateTime& last);
// "Дней: 10 (1 нед. 3 дн.)"; without the brackets under a week.
std::string RangeText(int days);

// Another city's clock: a name the user gave and a zone of the system's list.
struct City {
  std::string name, zone;
  friend bool operator==(const City&, const City&) = default;
};
inline constexpr int kMaxCities = 3;
inline constexpr const char* kCitiesSection = "Cities";
// The cities stored as Name1/Zone1 to Name3/Zone3; entries without a name or zone are skipped.
std::vector<City> ReadCities(const config::TIniFile& config);
// Rewrites the section with `cities` (at most kMaxCities of them) in one rewrite.
void WriteCities(config::TIniFile& config, const std::vector<City>& cities);

// "Токио 02:15, завтра": the city's time at the local moment `localNow`, with "вчера" or
// "завтра" (or the date) when its day differs from ours. "Токио: ?" for a zone the system does
// not know.
std::string CityLine(const City& city, const platform::DateTime& localNow, platform::TimeZones& zones);

}  // namespace calendar
