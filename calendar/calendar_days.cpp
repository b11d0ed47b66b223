#include "calendar/calendar_days.h"

#include <algorithm>
#include <map>

#include "config/ini.h"
#include "events/event_types.h"
#include "events/list_file.h"
#include "events/next_firing.h"
#include "platform/files.h"
#include "ui/rtf.h"

namespace calendar {

namespace {

constexpr const char* kCelebration = "6";

platform::DateTime EndOfDay(platform::DateTime day) {
  day.hour = 23;
  day.minute = 59;
  day.second = 59;
  return day;
}

// The first line of a side file's text that is not blank; empty when there is none.
std::string FirstLine(const std::string& path) {
  if (path.empty()) return {};
  const std::optional<std::string> document = platform::ReadFile(path);
  if (!document) return {};
  const std::string text = ui::rtf::IsRichText(*document) ? ui::rtf::ToPlainText(*document) : *document;
  for (const std::string& line : events::SplitLines(text))
    if (const std::string_view blankless = config::TrimBlanks(line); !blankless.empty()) return std::string(blankless);
  return {};
}

// The first lines of side files already read for one list: many events may share a file
// (the placeholder of a missing key).
using FirstLines = std::map<std::string, std::string>;

std::string CachedFirstLine(FirstLines& read, const std::string& path) {
  auto [at, added] = read.try_emplace(path);
  if (added) at->second = FirstLine(path);
  return at->second;
}

std::string EntryText(const events::EventStore& store, const config::TIniSnapshot& detail, const std::string& number,
                      const std::string& type, FirstLines& read) {
  if (type == "5")
    return CachedFirstLine(read, store.SideFilePath(events::SideFolder::kNotes,
                                                    detail.ReadString(number, "pathtotxt", events::kDefaultReminderFile)));
  if (type == kCelebration)
    return CachedFirstLine(
        read, store.SideFilePath(events::SideFolder::kDays,
                                 detail.ReadString(number, "pathtobirthday", events::kDefaultCelebrationFile)));
  if (type == "1") return events::FileNamePart(detail.ReadString(number, "pathtofile", events::kDefaultPathToFile));
  return {};
}

}  // namespace

StoredEvents ReadEvents(const events::EventStore& store) {
  std::vector<std::string> numbers;
  try {
    numbers = store.LoadList();
  } catch (const platform::FileError&) {
  }
  StoredEvents stored{{}, store.Snapshot()};
  stored.events.reserve(numbers.size());
  for (std::string& number : numbers) {
    std::string type = stored.detail.ReadString(number, "type", events::kDefaultType);
    events::FiringRule rule = events::ReadFiringRule(stored.detail, number);
    stored.events.push_back({std::move(number), std::move(type), std::move(rule)});
  }
  return stored;
}

std::vector<std::uint32_t> BoldDays(const StoredEvents& events, int year, int month, int count,
                                    const Pictures& pictures) {
  std::vector<std::uint32_t> bits(std::size_t(std::max(count, 0)), 0);
  if (count <= 0) return bits;
  const std::int64_t firstMonth = std::int64_t(year) * 12 + month - 1;
  const int lastYear = int((firstMonth + count - 1) / 12), lastMonth = int((firstMonth + count - 1) % 12) + 1;
  platform::DateTime first = platform::CivilFromDays(platform::DaysFromCivil(year, month, 1));
  platform::DateTime last =
      EndOfDay(platform::CivilFromDays(platform::DaysFromCivil(lastYear, lastMonth, platform::DaysInMonth(lastYear, lastMonth))));
  auto mark = [&](const platform::DateTime& day) {
    const std::int64_t index = std::int64_t(day.year) * 12 + day.month - 1 - firstMonth;
    if (index >= 0 && index < count) bits[std::size_t(index)] |= 1u << (day.day - 1);
  };
  for (const StoredEvent& event : events.events) {
    const events::FiringRule& rule = event.rule;
    if (!rule.active) continue;
    if (event.type == kCelebration) {
      // Announced when the program starts on its stored date, whatever its time and period.
      if (auto date = platform::ParseDate(pictures.date, rule.date);
          date && platform::FormatPicture(pictures.date, *date) == rule.date)
        mark(*date);
      continue;
    }
    // At most one firing a day: a month holds no more than 31.
    for (const platform::DateTime& at :
         events::FiringsBetween(rule, first, last, pictures.time, pictures.date, std::size_t(count) * 31))
      mark(at);
  }
  return bits;
}

std::vector<DayEntry> DayList(const events::EventStore& store, const StoredEvents& events,
                              const platform::DateTime& day, const Pictures& pictures) {
  platform::DateTime first = platform::CivilFromDays(platform::DaysFromCivil(day.year, day.month, day.day));
  const platform::DateTime last = EndOfDay(first);
  const std::string dayText = platform::FormatPicture(pictures.date, first);
  std::vector<DayEntry> entries;
  FirstLines read;
  for (const StoredEvent& event : events.events) {
    const std::string& number = event.number;
    const std::string& type = event.type;
    events::FiringRule rule = event.rule;
    DayEntry entry{number, {}, events::TypeName(type), {}, rule.active, -1};
    if (type == kCelebration) {
      if (rule.date != dayText) continue;
    } else {
      // A switched-off event is listed on the days it would fire on.
      rule.active = true;
      auto at = events::FiringsBetween(rule, first, last, pictures.time, pictures.date, 1);
      if (at.empty()) continue;
      entry.time = rule.time;
      entry.secondOfDay = at.front().hour * 3600 + at.front().minute * 60 + at.front().second;
    }
    entry.text = EntryText(store, events.detail, number, type, read);
    entries.push_back(std::move(entry));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const DayEntry& a, const DayEntry& b) { return a.secondOfDay < b.secondOfDay; });
  return entries;
}

int DaysInRange(const platform::DateTime& first, const platform::DateTime& last) {
  const std::int64_t a = platform::DaysFromCivil(first.year, first.month, first.day);
  const std::int64_t b = platform::DaysFromCivil(last.year, last.month, last.day);
  return int((a < b ? b - a : a - b) + 1);
}

std::string RangeText(int days) {
  std::string text = "Дней: " + std::to_string(days);
  if (days >= 7) {
    text += " (" + std::to_string(days / 7) + " нед.";
    if (days % 7) text += " " + std::to_string(days % 7) + " дн.";
    text += ")";
  }
  return text;
}

std::vector<City> ReadCities(const config::TIniFile& config) {
  std::vector<City> cities;
  for (int i = 1; i <= kMaxCities; ++i) {
    City city{config.ReadString(kCitiesSection, "Name" + std::to_string(i), ""),
              config.ReadString(kCitiesSection, "Zone" + std::to_string(i), "")};
    if (!city.name.empty() && !city.zone.empty()) cities.push_back(std::move(city));
  }
  return cities;
}

void WriteCities(config::TIniFile& config, const std::vector<City>& cities) {
  config::TIniWriteBatch batch(config);
  config.EraseSection(kCitiesSection);
  for (std::size_t i = 0; i < cities.size() && i < std::size_t(kMaxCities); ++i) {
    config.WriteString(kCitiesSection, "Name" + std::to_string(i + 1), cities[i].name);
    config.WriteString(kCitiesSection, "Zone" + std::to_string(i + 1), cities[i].zone);
  }
  batch.Commit();
}

std::string CityLine(const City& city, const platform::DateTime& localNow, platform::TimeZones& zones) {
  std::optional<platform::DateTime> there;
  if (auto universal = zones.LocalToUniversal(localNow)) there = zones.UniversalToZone(city.zone, *universal);
  if (!there) return city.name + ": ?";
  std::string line = city.name + " " + platform::FormatPicture("HH:mm", *there);
  const std::int64_t shift = platform::DaysFromCivil(there->year, there->month, there->day) -
                             platform::DaysFromCivil(localNow.year, localNow.month, localNow.day);
  if (shift == 1) line += ", завтра";
  else if (shift == -1) line += ", вчера";
  else if (shift != 0) line += ", " + platform::FormatPicture("dd.MM", *there);
  return line;
}

}  // namespace calendar
