#include "events/next_firing.h"

#include <algorithm>

#include "clock/time_format.h"
#include "config/convert.h"

namespace events {

namespace {

constexpr std::int64_t kDay = 86400;

using platform::CivilFromDays;
using platform::DaysFromCivil;

// The parts of a rule that do not change from day to day, worked out once.
struct DailyTest {
  bool timeFits = false;
  int hour = 0, minute = 0, second = 0;
  std::optional<platform::DateTime> date;  // the stored date, when it parses
  bool dateRoundTrips = false;             // it is written back exactly as stored
};

DailyTest Prepare(const FiringRule& rule, const std::string& timePicture, const std::string& datePicture) {
  DailyTest test;
  if (const auto second = StoredSecondOfDay(rule.time, timePicture)) {
    test.timeFits = true;
    test.hour = *second / 3600;
    test.minute = *second / 60 % 60;
    test.second = *second % 60;
  }
  test.date = clockface::ParseDate(datePicture, rule.date);
  if (test.date) test.dateRoundTrips = clockface::FormatPicture(datePicture, *test.date) == rule.date;
  return test;
}

// Whether the rule's day test holds on `day` (a date at midnight with its weekday).
bool DayHolds(const FiringRule& rule, const DailyTest& test, const platform::DateTime& day) {
  if (rule.period == "1")
    return test.dateRoundTrips && test.date->year == day.year && test.date->month == day.month &&
           test.date->day == day.day;
  if (rule.period == "2") return true;
  if (rule.period == "3") return test.date && test.date->day == day.day;
  if (rule.period == "4") return rule.weekdays[std::size_t((day.dayOfWeek + 6) % 7)];
  return false;
}

}  // namespace

namespace {
template <typename Source>
FiringRule ReadRule(const Source& read) {
  FiringRule rule;
  rule.time = read("time", kDefaultTime);
  rule.date = read("date", kDefaultDate);
  rule.period = read("period", kDefaultPeriod);
  for (std::size_t i = 0; i < kWeekdayKeys.size(); ++i) rule.weekdays[i] = read(kWeekdayKeys[i], kDefaultWeekday) == "1";
  rule.active = IsActive(read("active", "1"));
  return rule;
}
}  // namespace

std::string StoredTimeText(const std::string& timePicture, const platform::DateTime& t) {
  return clockface::FormatPicture(platform::UnambiguousTimePicture(timePicture), t);
}

std::optional<int> StoredSecondOfDay(const std::string& storedTime, const std::string& timePicture) {
  const auto t = clockface::ParseTime(timePicture, storedTime);
  // A text written otherwise (another picture's, "8:0:0") never matches: the event list shows
  // it as it is, and it does not fire.
  if (!t || StoredTimeText(timePicture, *t) != storedTime) return std::nullopt;
  return SecondOfDay(*t);
}

int SecondOfDay(const platform::DateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

FiringRule ReadFiringRule(const config::TIniSnapshot& detail, const std::string& number) {
  return ReadRule([&](const char* key, const char* def) { return detail.ReadString(number, key, def); });
}

FiringRule ReadFiringRule(const EventStore& store, const std::string& number) {
  return ReadRule([&](const char* key, const char* def) { return store.Read(number, key, def); });
}

bool MonthlyRuleHolds(const std::string& storedDate, const std::string& shortDatePicture, int dayOfMonth) {
  auto date = clockface::ParseDate(shortDatePicture, storedDate);
  if (!date) throw config::NotADate(storedDate);
  return date->day == dayOfMonth;
}

std::int64_t SerialSecond(const platform::DateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kDay + t.hour * 3600 + t.minute * 60 + t.second;
}

platform::DateTime FromSerialSecond(std::int64_t serial) {
  std::int64_t days = serial / kDay, rest = serial % kDay;
  if (rest < 0) {
    rest += kDay;
    --days;
  }
  platform::DateTime t = CivilFromDays(days);
  t.hour = int(rest / 3600);
  t.minute = int(rest / 60 % 60);
  t.second = int(rest % 60);
  return t;
}

bool FiresAt(const FiringRule& rule, const platform::DateTime& at, const std::string& timePicture,
             const std::string& datePicture) {
  if (!rule.active || StoredSecondOfDay(rule.time, timePicture) != SecondOfDay(at)) return false;
  if (rule.period == "1") return clockface::FormatPicture(datePicture, at) == rule.date;
  if (rule.period == "2") return true;
  if (rule.period == "3") return MonthlyRuleHolds(rule.date, datePicture, at.day);
  if (rule.period == "4") return rule.weekdays[std::size_t((at.dayOfWeek + 6) % 7)];
  return false;
}

std::vector<platform::DateTime> FiringsBetween(const FiringRule& rule, const platform::DateTime& first,
                                               const platform::DateTime& last, const std::string& timePicture,
                                               const std::string& datePicture, std::size_t limit,
                                               std::size_t* total) {
  std::vector<platform::DateTime> found;
  std::size_t count = 0;
  const DailyTest test = Prepare(rule, timePicture, datePicture);
  const std::int64_t from = SerialSecond(first), to = SerialSecond(last);
  if (rule.active && test.timeFits && from <= to) {
    const std::int64_t timeOfDay = test.hour * 3600 + test.minute * 60 + test.second;
    std::int64_t day = DaysFromCivil(first.year, first.month, first.day);
    std::int64_t lastDay = DaysFromCivil(last.year, last.month, last.day);
    if (rule.period == "1" && test.dateRoundTrips) {
      // Its own date at most: no need to walk the days between.
      const std::int64_t own = DaysFromCivil(test.date->year, test.date->month, test.date->day);
      if (own < day || own > lastDay) lastDay = day - 1;
      else day = lastDay = own;
    }
    for (; day <= lastDay; ++day) {
      const std::int64_t at = day * kDay + timeOfDay;
      if (at < from || at > to) continue;
      if (!DayHolds(rule, test, CivilFromDays(day))) continue;
      if (found.size() < limit) found.push_back(FromSerialSecond(at));
      ++count;
    }
  }
  if (total) *total = count;
  return found;
}

std::optional<platform::DateTime> NextFiring(const FiringRule& rule, const platform::DateTime& from,
                                             const std::string& timePicture, const std::string& datePicture) {
  // Every rule that fires at all fires within 62 days (a monthly 31st skips at most one month),
  // and a one-time event on its own date.
  platform::DateTime last = FromSerialSecond(SerialSecond(from) + 62 * kDay);
  if (rule.period == "1") {
    if (auto date = clockface::ParseDate(datePicture, rule.date)) {
      last = *date;
      last.hour = 23;
      last.minute = 59;
      last.second = 59;
    }
  }
  auto found = FiringsBetween(rule, from, last, timePicture, datePicture, 1);
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::size_t CountFiringsBetween(const FiringRule& rule, const platform::DateTime& first, const platform::DateTime& last,
                                const std::string& timePicture, const std::string& datePicture) {
  const DailyTest test = Prepare(rule, timePicture, datePicture);
  const std::int64_t from = SerialSecond(first), to = SerialSecond(last);
  if (!rule.active || !test.timeFits || from > to) return 0;
  const std::int64_t timeOfDay = test.hour * 3600 + test.minute * 60 + test.second;
  const std::int64_t firstDay = DaysFromCivil(first.year, first.month, first.day);
  const std::int64_t lastDay = DaysFromCivil(last.year, last.month, last.day);
  auto inSpan = [&](std::int64_t day) {
    const std::int64_t at = day * kDay + timeOfDay;
    return at >= from && at <= to;
  };
  std::size_t count = 0;
  if (rule.period == "1") {
    if (!test.dateRoundTrips) return 0;
    const std::int64_t own = DaysFromCivil(test.date->year, test.date->month, test.date->day);
    return own >= firstDay && own <= lastDay && inSpan(own) ? 1 : 0;
  }
  if (rule.period == "3") {
    // One candidate a month: the stored day, where the month has one.
    if (!test.date) return 0;
    const std::int64_t firstMonth = std::int64_t(first.year) * 12 + first.month - 1;
    const std::int64_t lastMonth = std::int64_t(last.year) * 12 + last.month - 1;
    for (std::int64_t m = firstMonth; m <= lastMonth; ++m) {
      const int year = int(m / 12), month = int(m % 12) + 1;
      const std::int64_t day = DaysFromCivil(year, month, test.date->day);
      // A day past the month's end lands in the next month.
      if (CivilFromDays(day).month != month) continue;
      if (inSpan(day)) ++count;
    }
    return count;
  }
  if (rule.period != "2" && rule.period != "4") return 0;
  // Daily and weekday rules repeat every week: whole weeks inside the span are counted at once.
  std::size_t perWeek = 7;
  if (rule.period == "4") perWeek = std::size_t(std::count(rule.weekdays.begin(), rule.weekdays.end(), true));
  for (std::int64_t day = firstDay; day <= lastDay;) {
    if (day > firstDay && day + 7 < lastDay) {
      const std::int64_t weeks = (lastDay - day) / 7;
      count += std::size_t(weeks) * perWeek;
      day += weeks * 7;
      continue;
    }
    if (inSpan(day) && DayHolds(rule, test, CivilFromDays(day))) ++count;
    ++day;
  }
  return count;
}

}  // namespace events
