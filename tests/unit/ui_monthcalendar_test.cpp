// The month calendar control's state: its width follows the months shown, a chosen range is
// ordered and held to its longest, and only the user's changes raise events.
#include <gtest/gtest.h>

#include "ui/monthcalendar.h"

namespace {

platform::DateTime Day(int y, int m, int d) { return platform::CivilFromDays(platform::DaysFromCivil(y, m, d)); }

TEST(MonthCalendarTest, WidthFollowsTheMonthsShownAndTheMeasuredMonth) {
  ui::TMonthCalendar calendar(nullptr);
  const int one = calendar.Width();
  calendar.SetMonthCount(3);
  EXPECT_EQ(calendar.Width(), 3 * one + 2 * ui::TMonthCalendar::kMonthGap);
  calendar.SetMonthCount(7);
  EXPECT_EQ(calendar.MonthCount(), 3);
  int measured = 0;
  calendar.OnMeasured = [&](ui::TComponent*) { ++measured; };
  calendar.MonthMeasured({200, 170});
  EXPECT_EQ(calendar.Width(), 600 + 2 * ui::TMonthCalendar::kMonthGap);
  EXPECT_EQ(calendar.Height(), 170);
  calendar.MonthMeasured({200, 170});
  calendar.MonthMeasured({0, 0});
  EXPECT_EQ(measured, 1);
}

TEST(MonthCalendarTest, ARangeIsOrderedAndHeldToItsLongest) {
  ui::TMonthCalendar calendar(nullptr);
  int changes = 0, selects = 0;
  calendar.OnSelChange = [&](ui::TComponent*) { ++changes; };
  calendar.OnSelect = [&](ui::TComponent*) { ++selects; };
  calendar.SetSelection(Day(2027, 1, 7), Day(2026, 12, 25));
  EXPECT_EQ(calendar.SelStart(), Day(2026, 12, 25));
  EXPECT_EQ(calendar.SelEnd(), Day(2027, 1, 7));
  EXPECT_EQ(changes, 0);  // set in code
  calendar.SetSelection(Day(2024, 1, 1), Day(2026, 1, 1));
  EXPECT_EQ(calendar.SelEnd(), Day(2024, 12, 31));  // 366 days of a leap year
  platform::DateTime noSuchDay = Day(2026, 2, 28);
  noSuchDay.day = 30;
  calendar.SetSelection(noSuchDay, Day(2026, 3, 1));  // kept
  EXPECT_EQ(calendar.SelStart(), Day(2024, 1, 1));

  calendar.SelectionEdited(Day(2026, 3, 2), Day(2026, 3, 1), false);
  EXPECT_EQ(calendar.SelStart(), Day(2026, 3, 1));
  EXPECT_EQ(changes, 1);
  calendar.SelectionEdited(Day(2026, 3, 1), Day(2026, 3, 2), true);  // the same range, chosen
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(selects, 1);
}

TEST(MonthCalendarTest, DayStatesComeFromTheSourceOneWordAMonth) {
  ui::TMonthCalendar calendar(nullptr);
  EXPECT_EQ(calendar.DayStates(2026, 11, 3), std::vector<std::uint32_t>(3, 0));
  calendar.OnDayStates = [](int year, int month, int count) {
    return std::vector<std::uint32_t>{std::uint32_t(year * 100 + month)};  // too few: padded
  };
  EXPECT_EQ(calendar.DayStates(2026, 11, 2), (std::vector<std::uint32_t>{202611, 0}));
}

TEST(MonthCalendarTest, ADoubleClickChoosesTheDayFirst) {
  ui::TMonthCalendar calendar(nullptr);
  platform::DateTime seen;
  calendar.OnDblClick = [&](ui::TComponent*) { seen = calendar.SelStart(); };
  calendar.DayDoubleClicked(Day(2026, 12, 24));
  EXPECT_EQ(seen, Day(2026, 12, 24));
  calendar.SetEnabled(false);
  calendar.DayDoubleClicked(Day(2026, 12, 25));
  EXPECT_EQ(seen, Day(2026, 12, 24));
}

}  // namespace
