// Rules of the event editor that need no window: the quick-time and quick-date menus and their
// date arithmetic, the periodicity options, and the number a new event gets.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace settings {

// The quick-time menu of the time picker, in menu order.
struct QuickTime {
  const char* caption;
  const char* offset;  // "HH:MM:SS"
};
inline constexpr std::array<QuickTime, 17> kQuickTimes = {{
    {"+1 минута", "00:01:00"},  {"+2 минуты", "00:02:00"},  {"+3 минуты", "00:03:00"}, {"+5 минуты", "00:05:00"},
    {"+10 минут", "00:10:00"},  {"+15 минут", "00:15:00"},  {"+20 минут", "00:20:00"}, {"+30 минут", "00:30:00"},
    {"+45 минут", "00:45:00"},  {"+1 час", "01:00:00"},     {"+90 минут", "01:30:00"}, {"+2 часа", "02:00:00"},
    {"+3 часа", "03:00:00"},    {"+5 часов", "05:00:00"},   {"+6 часов", "06:00:00"},  {"+10 часов", "10:00:00"},
    {"+12 часов", "12:00:00"},
}};

// The quick-date menu of the date picker, in menu order; `days` 0 is "today", the others go
// through AddDate ("Через 2 дня" adds 3).
struct QuickDate {
  const char* caption;
  int days;
};
inline constexpr std::array<QuickDate, 5> kQuickDates = {{
    {"Сегодня", 0}, {"Завтра", 1}, {"Через день", 2}, {"Через 2 дня", 3}, {"Через неделю", 7},
}};

// An offset text "H:M:S" (hours 0 to 23, minutes and seconds 0 to 59) in seconds; nothing when
// it is no such text.
std::optional<int> OffsetSeconds(const std::string& offset);

// The two pickers: the time picker's time of day and the date picker's date.
struct TimeAndDate {
  platform::DateTime time;
  platform::DateTime date;
};

// The pickers after adding `seconds` to the time of day: the new time of day (to the second),
// and the next calendar day when the sum passed midnight, else the same date.
TimeAndDate AddTime(const TimeAndDate& pickers, int seconds);

// `days` added to the day of the month of `date`; a day the month lacks gives the first of
// the next month, or 1 January after December (the surplus days are dropped).
platform::DateTime AddDate(const platform::DateTime& date, int days);

// The date part of `t` (time of day zero, weekday set).
platform::DateTime DateOnly(const platform::DateTime& t);

// The stored "period" of the checked periodicity option (0 "В указанный день" .. 3 "В
// указанные дни"): "1" to "4", or empty when none is checked (after a birthday page).
std::string PeriodOf(int checkedOption);

// True when the time of day of `time` on the date of `date` lies before the second `now`
// stands in: a one-time event there can no longer fire.
bool MomentPassed(const platform::DateTime& time, const platform::DateTime& date, const platform::DateTime& now);

// True when the text holds nothing but blanks, tabs and line breaks.
bool BlankText(const std::string& text);

// The questions a commit asks before it stores such an event.
inline constexpr const char* kEmptyReminderQuestion = "Текст напоминания пуст. Сохранить?";
inline constexpr const char* kPastMomentQuestion = "Это время уже прошло. Событие не сработает. Сохранить?";

// The window's pseudo-random generator: seeded once, it gives non-negative 31-bit values.
class NumberGenerator {
 public:
  explicit NumberGenerator(std::uint32_t seed);
  // A seed from a moment: different for every millisecond of a day.
  static std::uint32_t SeedFrom(const platform::DateTime& now);
  std::uint32_t Next();

 private:
  std::uint32_t state_;
};

// The number a new addition shows: with no stored numbers, `shown` (the number field's text,
// "00001" or the last clicked number) unchanged; otherwise a drawn number that differs from
// every stored one.
std::string NumberForAddition(const std::vector<std::string>& storedCodes, const std::string& shown,
                              const std::function<std::uint32_t()>& draw);

}  // namespace settings
