// The event editor's rules: quick-time and quick-date arithmetic, the periodicity option's
// stored value, the number a new event gets, and the power-off templates' offsets.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "clock/time_format.h"
#include "events/shutdown_templates.h"
#include "settings/event_editor_rules.h"

namespace {

using platform::DateTime;
using settings::AddDate;
using settings::AddTime;
using settings::TimeAndDate;

DateTime Date(int y, int m, int d) {
  DateTime t;
  t.year = y;
  t.month = m;
  t.day = d;
  t.dayOfWeek = clockface::DayOfWeek(y, m, d);
  return t;
}

DateTime Time(int h, int m, int s, int ms = 0) {
  DateTime t;
  t.hour = h;
  t.minute = m;
  t.second = s;
  t.millisecond = ms;
  return t;
}

std::string Show(const DateTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d.%03d w%d", t.day, t.month, t.year, t.hour, t.minute,
                t.second, t.millisecond, t.dayOfWeek);
  return text;
}

TEST(EditorQuickTime, AddsToTheTimeOfDayAndMovesTheDateOnlyPastMidnight) {
  struct Case {
    DateTime time, date;
    const char* offset;
    DateTime newTime, newDate;
  };
  const Case cases[] = {
      {Time(14, 3, 27), Date(2026, 12, 7), "00:10:00", Time(14, 13, 27), Date(2026, 12, 7)},
      {Time(23, 50, 0), Date(2026, 12, 7), "00:15:00", Time(0, 5, 0), Date(2026, 12, 8)},
      {Time(23, 30, 0), Date(2026, 4, 30), "02:00:00", Time(1, 30, 0), Date(2026, 5, 1)},      // month end
      {Time(23, 59, 59), Date(2026, 12, 31), "00:01:00", Time(0, 0, 59), Date(2027, 1, 1)},    // year end
      {Time(22, 0, 0), Date(2028, 2, 28), "05:00:00", Time(3, 0, 0), Date(2028, 2, 29)},       // leap day
      {Time(22, 0, 0), Date(2027, 2, 28), "05:00:00", Time(3, 0, 0), Date(2027, 3, 1)},
      {Time(11, 59, 59, 870), Date(2026, 1, 1), "12:00:00", Time(23, 59, 59), Date(2026, 1, 1)},  // to the second
      {Time(12, 0, 0), Date(2026, 1, 1), "12:00:00", Time(0, 0, 0), Date(2026, 1, 2)},         // midnight itself
      {Time(23, 0, 0), Date(2027, 3, 31), "01:30:00", Time(0, 30, 0), Date(2027, 4, 1)},
  };
  for (const Case& c : cases) {
    const auto seconds = settings::OffsetSeconds(c.offset);
    ASSERT_TRUE(seconds) << c.offset;
    const TimeAndDate after = AddTime(TimeAndDate{c.time, c.date}, *seconds);
    EXPECT_EQ(Show(after.time), Show(c.newTime)) << Show(c.time) << " + " << c.offset;
    EXPECT_EQ(Show(after.date), Show(c.newDate)) << Show(c.date) << " + " << c.offset;
  }
}

TEST(EditorQuickTime, EveryMenuOffsetIsAValidTimeInRisingOrder) {
  int previous = 0;
  for (const auto& item : settings::kQuickTimes) {
    const auto seconds = settings::OffsetSeconds(item.offset);
    ASSERT_TRUE(seconds) << item.offset;
    EXPECT_GT(*seconds, previous) << item.caption;
    previous = *seconds;
  }
  EXPECT_EQ(settings::OffsetSeconds("01:30:00"), 5400);
  EXPECT_EQ(settings::OffsetSeconds("1:2:3"), 3723);
  for (const char* bad : {"", "01:30", "24:00:00", "00:60:00", "00:00:60", "-1:00:00", "01:30:00 ", "001:00:00", "a:b:c"})
    EXPECT_FALSE(settings::OffsetSeconds(bad)) << bad;
}

TEST(EditorQuickDate, AddsDaysAndDropsTheSurplusAtAMonthsEnd) {
  struct Case {
    DateTime date;
    int days;
    DateTime expected;
  };
  const Case cases[] = {
      {Date(2026, 12, 7), 1, Date(2026, 12, 8)},
      {Date(2026, 3, 31), 1, Date(2026, 4, 1)},
      {Date(2026, 1, 30), 7, Date(2026, 2, 1)},    // not 6 February: the surplus is dropped
      {Date(2026, 1, 25), 7, Date(2026, 2, 1)},
      {Date(2026, 1, 24), 7, Date(2026, 1, 31)},
      {Date(2026, 12, 30), 3, Date(2027, 1, 1)},   // December: 1 January of the next year
      {Date(2028, 2, 27), 2, Date(2028, 2, 29)},
      {Date(2027, 2, 27), 2, Date(2027, 3, 1)},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(AddDate(c.date, c.days)), Show(c.expected)) << Show(c.date) << " + " << c.days;

  std::vector<int> days;
  for (const auto& item : settings::kQuickDates) days.push_back(item.days);
  EXPECT_EQ(days, (std::vector<int>{0, 1, 2, 3, 7}));  // "Через 2 дня" adds 3
  EXPECT_STREQ(settings::kQuickDates[3].caption, "Через 2 дня");
}

TEST(EditorPeriod, TheCheckedOptionGivesThePeriodAndNoneGivesAnEmptyText) {
  EXPECT_EQ(settings::PeriodOf(0), "1");
  EXPECT_EQ(settings::PeriodOf(3), "4");
  EXPECT_EQ(settings::PeriodOf(-1), "");
}

TEST(EditorNumbers, AnEmptyListKeepsTheShownNumberAndOtherwiseDrawsAFreeOne) {
  int draws = 0;
  auto draw = [&] {
    ++draws;
    return std::uint32_t(draws == 1 ? 99999 + 12 : 99999 * 3 + 40);
  };
  EXPECT_EQ(settings::NumberForAddition({}, "00001", draw), "00001");
  EXPECT_EQ(settings::NumberForAddition({}, "4711", draw), "4711");
  EXPECT_EQ(draws, 0);
  EXPECT_EQ(settings::NumberForAddition({"12", "7"}, "00001", draw), "40");
  EXPECT_EQ(draws, 2);
}

TEST(EditorNumbers, TheGeneratorGives31BitValuesThatDependOnItsSeed) {
  settings::NumberGenerator a(settings::NumberGenerator::SeedFrom(DateTime{2026, 12, 7, 9, 5, 7, 120, 1}));
  settings::NumberGenerator same(settings::NumberGenerator::SeedFrom(DateTime{2026, 12, 7, 9, 5, 7, 120, 1}));
  settings::NumberGenerator later(settings::NumberGenerator::SeedFrom(DateTime{2026, 12, 7, 9, 5, 7, 121, 1}));
  settings::NumberGenerator zero(0);
  std::set<std::string> numbers;
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const std::uint32_t v = a.Next();
    EXPECT_LT(v, 1u << 31);
    EXPECT_EQ(v, same.Next());
    differs = differs || later.Next() != v;
    EXPECT_NE(zero.Next(), 0u);
    numbers.insert(std::to_string(v % 99999));
  }
  EXPECT_TRUE(differs);
  EXPECT_GT(numbers.size(), 990u);  // spread over the whole range, few repeats
}

TEST(ShutdownTemplates, TenItemsWhoseMinutesSelectAQuickTimeOfTheEditor) {
  std::vector<std::string> captions;
  for (const auto& t : events::kShutdownTemplates) {
    captions.push_back(t.caption);
    if (t.minutes == 0) continue;
    const auto offset = events::TemplateOffset(t.minutes);
    ASSERT_TRUE(offset) << t.caption;
    EXPECT_EQ(settings::OffsetSeconds(*offset), t.minutes * 60) << t.caption;
    EXPECT_TRUE(std::any_of(settings::kQuickTimes.begin(), settings::kQuickTimes.end(),
                            [&](const auto& q) { return *offset == q.offset; }))
        << *offset;
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Через 1 минуту", "Через 5 минут", "Через 10 минут", "Через 15 минут", "-",
                                                "Через 20 минут", "Через 30 минут", "Через 45 минут", "-", "Через час",
                                                "Через 90 минут", "Через 2 часа"}));
  EXPECT_EQ(events::TemplateOffset(90), "01:30:00");
  for (int none : {0, 2, 7, 180, -5}) EXPECT_FALSE(events::TemplateOffset(none)) << none;
}

}  // namespace
