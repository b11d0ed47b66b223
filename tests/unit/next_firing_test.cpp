// When an event fires next and which firings a span of time holds, by the scheduler's rules:
// once, daily, monthly (the 31st across short months and a leap February), weekdays.
#include <gtest/gtest.h>

#include "config/convert.h"
#include "events/next_firing.h"

namespace {

const char* const kTime = "HH:mm:ss";
const char* const kDate = "dd.MM.yyyy";

platform::DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  platform::DateTime t = events::FromSerialSecond(0);
  t.year = y, t.month = mo, t.day = d, t.hour = h, t.minute = mi, t.second = s;
  t.dayOfWeek = platform::DayOfWeek(y, mo, d);
  return t;
}

events::FiringRule Rule(const std::string& period, const std::string& time, const std::string& date = "01.01.2005") {
  events::FiringRule r;
  r.period = period;
  r.time = time;
  r.date = date;
  return r;
}

std::string Text(const std::optional<platform::DateTime>& t) {
  if (!t) return "never";
  return platform::FormatPicture("dd.MM.yyyy HH:mm:ss", *t) + " " + std::to_string(t->dayOfWeek);
}

TEST(SerialSecondTest, RoundTripsAcrossLeapDaysCenturiesAndTheEpoch) {
  for (auto t : {At(1970, 1, 1), At(2000, 2, 29, 23, 59, 59), At(2100, 3, 1, 12), At(1969, 12, 31, 1, 2, 3),
                 At(2024, 12, 31, 23, 59, 59)}) {
    EXPECT_EQ(events::FromSerialSecond(events::SerialSecond(t)), t) << Text(t);
  }
  EXPECT_EQ(events::SerialSecond(At(2024, 3, 1)) - events::SerialSecond(At(2024, 2, 28)), 2 * 86400);
  EXPECT_EQ(events::SerialSecond(At(2023, 3, 1)) - events::SerialSecond(At(2023, 2, 28)), 86400);
}

TEST(NextFiringTest, Table) {
  struct Case {
    const char* what;
    events::FiringRule rule;
    platform::DateTime from;
    const char* next;
  };
  auto weekdays = [](events::FiringRule r, std::array<bool, 7> days) {
    r.weekdays = days;
    return r;
  };
  auto inactive = [](events::FiringRule r) {
    r.active = false;
    return r;
  };
  const Case cases[] = {
      {"once, later today", Rule("1", "20:00:00", "08.12.2026"), At(2026, 12, 8, 12), "08.12.2026 20:00:00 2"},
      {"once, this very second", Rule("1", "20:00:00", "08.12.2026"), At(2026, 12, 8, 20), "08.12.2026 20:00:00 2"},
      {"once, a second ago", Rule("1", "20:00:00", "08.12.2026"), At(2026, 12, 8, 20, 0, 1), "never"},
      {"once, next year", Rule("1", "07:30:00", "01.01.2028"), At(2026, 12, 8), "01.01.2028 07:30:00 6"},
      {"once, yesterday", Rule("1", "20:00:00", "07.12.2026"), At(2026, 12, 8), "never"},
      {"once, a date that does not parse", Rule("1", "20:00:00", "31.02.2026"), At(2026, 1, 1), "never"},
      {"daily, before today's time", Rule("2", "20:00:00"), At(2026, 12, 8, 19, 59, 59), "08.12.2026 20:00:00 2"},
      {"daily, after today's time", Rule("2", "20:00:00"), At(2026, 12, 8, 20, 0, 1), "09.12.2026 20:00:00 3"},
      {"daily, at year end", Rule("2", "00:00:00"), At(2026, 12, 31, 0, 0, 1), "01.01.2027 00:00:00 5"},
      {"daily, a time that does not parse", Rule("2", "25:00:00"), At(2026, 12, 8), "never"},
      {"daily, a time written otherwise", Rule("2", "7:00:00"), At(2026, 12, 8), "never"},
      {"monthly 31st from April", Rule("3", "09:00:00", "31.01.2020"), At(2026, 4, 1), "31.05.2026 09:00:00 0"},
      {"monthly 31st after January's", Rule("3", "09:00:00", "31.01.2020"), At(2026, 1, 31, 10), "31.03.2026 09:00:00 2"},
      {"monthly 31st across the year end", Rule("3", "09:00:00", "31.01.2020"), At(2026, 12, 31, 10),
       "31.01.2027 09:00:00 0"},
      {"once, on a leap day", Rule("1", "06:00:00", "29.02.2028"), At(2026, 12, 8), "29.02.2028 06:00:00 2"},
      {"monthly 29th, leap February", Rule("3", "09:00:00", "29.05.2020"), At(2028, 2, 1), "29.02.2028 09:00:00 2"},
      {"monthly 29th, common February", Rule("3", "09:00:00", "29.05.2020"), At(2027, 2, 1), "29.03.2027 09:00:00 1"},
      {"monthly, a date that does not parse", Rule("3", "09:00:00", "xx"), At(2027, 2, 1), "never"},
      {"weekdays, Sunday only, from Tuesday", weekdays(Rule("4", "10:00:00"), {0, 0, 0, 0, 0, 0, 1}),
       At(2026, 12, 8), "13.12.2026 10:00:00 0"},
      {"weekdays, Monday only, Monday after the time", weekdays(Rule("4", "10:00:00"), {1, 0, 0, 0, 0, 0, 0}),
       At(2026, 12, 7, 11), "14.12.2026 10:00:00 1"},
      {"weekdays, every day", Rule("4", "10:00:00"), At(2026, 12, 8, 11), "09.12.2026 10:00:00 3"},
      {"weekdays, none", weekdays(Rule("4", "10:00:00"), {}), At(2026, 12, 8), "never"},
      {"inactive daily", inactive(Rule("2", "20:00:00")), At(2026, 12, 8), "never"},
      {"empty period", Rule("", "20:00:00"), At(2026, 12, 8), "never"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(events::NextFiring(c.rule, c.from, kTime, kDate)), c.next) << c.what;
  }
}

TEST(NextFiringTest, AgreesWithTheScansTestAtTheAnsweredSecond) {
  const events::FiringRule rules[] = {Rule("1", "20:00:00", "09.12.2026"), Rule("2", "06:15:30"),
                                      Rule("3", "09:00:00", "31.01.2020"), Rule("4", "10:00:00")};
  for (const auto& rule : rules) {
    auto next = events::NextFiring(rule, At(2026, 12, 8, 12), kTime, kDate);
    ASSERT_TRUE(next) << rule.period;
    EXPECT_TRUE(events::FiresAt(rule, *next, kTime, kDate)) << rule.period;
    auto before = events::FromSerialSecond(events::SerialSecond(*next) - 1);
    EXPECT_FALSE(events::FiresAt(rule, before, kTime, kDate)) << rule.period;
  }
}

TEST(FiresAtTest, AnUnparsableMonthlyDateRaisesAsTheScanExpects) {
  EXPECT_THROW(events::FiresAt(Rule("3", "09:00:00", "xx"), At(2026, 1, 1, 9), kTime, kDate), config::EConvertError);
  // Only when its time has come: other seconds answer false without looking at the date.
  EXPECT_FALSE(events::FiresAt(Rule("3", "09:00:00", "xx"), At(2026, 1, 1, 10), kTime, kDate));
}

TEST(FiringsBetweenTest, CountsEachDayOfASpanAndStopsAtTheLimit) {
  std::size_t total = 0;
  // Three days and a bit: 8th 12:00 to 11th 12:00 holds the daily 20:00 of the 8th, 9th, 10th.
  auto found = events::FiringsBetween(Rule("2", "20:00:00"), At(2026, 12, 8, 12), At(2026, 12, 11, 12), kTime, kDate,
                                      2, &total);
  EXPECT_EQ(total, 3u);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(Text(found[0]), "08.12.2026 20:00:00 2");
  EXPECT_EQ(Text(found[1]), "09.12.2026 20:00:00 3");

  // Both ends are included.
  events::FiringsBetween(Rule("2", "20:00:00"), At(2026, 12, 8, 20), At(2026, 12, 9, 20), kTime, kDate, 10, &total);
  EXPECT_EQ(total, 2u);
  // The monthly 31st over a year: seven months have one.
  events::FiringsBetween(Rule("3", "09:00:00", "31.01.2020"), At(2026, 1, 1), At(2026, 12, 31, 23, 59, 59), kTime,
                         kDate, 100, &total);
  EXPECT_EQ(total, 7u);
  // A one-time event inside and outside the span.
  events::FiringsBetween(Rule("1", "09:00:00", "05.03.2026"), At(2026, 1, 1), At(2026, 12, 31), kTime, kDate, 10,
                         &total);
  EXPECT_EQ(total, 1u);
  events::FiringsBetween(Rule("1", "09:00:00", "05.03.2027"), At(2026, 1, 1), At(2026, 12, 31), kTime, kDate, 10,
                         &total);
  EXPECT_EQ(total, 0u);
  // A span that ends before it begins holds nothing.
  events::FiringsBetween(Rule("2", "20:00:00"), At(2026, 12, 9), At(2026, 12, 8), kTime, kDate, 10, &total);
  EXPECT_EQ(total, 0u);
}

}  // namespace
