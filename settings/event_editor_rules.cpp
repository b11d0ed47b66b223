#include "settings/event_editor_rules.h"

#include <tuple>

#include "clock/time_format.h"
#include "events/event_store.h"

namespace settings {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr std::uint32_t kModulus = 2147483647;  // 2^31 - 1

// A field of 1 or 2 digits at `pos`, ended by ':' or the end of the text.
std::optional<int> Field(const std::string& text, std::size_t& pos) {
  std::size_t digits = 0;
  int value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 2) {
    value = value * 10 + (text[pos++] - '0');
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> OffsetSeconds(const std::string& offset) {
  std::size_t pos = 0;
  int parts[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && (pos >= offset.size() || offset[pos++] != ':')) return std::nullopt;
    const auto value = Field(offset, pos);
    if (!value) return std::nullopt;
    parts[i] = *value;
  }
  if (pos != offset.size() || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  return (parts[0] * 60 + parts[1]) * 60 + parts[2];
}

platform::DateTime DateOnly(const platform::DateTime& t) {
  platform::DateTime date;
  date.year = t.year;
  date.month = t.month;
  date.day = t.day;
  date.dayOfWeek = clockface::DayOfWeek(t.year, t.month, t.day);
  return date;
}

platform::DateTime AddDate(const platform::DateTime& date, int days) {
  platform::DateTime result = date;
  result.day = date.day + days;
  if (result.day < 1 || result.day > clockface::DaysInMonth(date.year, date.month)) {
    result.day = 1;
    if (++result.month > 12) {
      result.month = 1;
      ++result.year;
    }
  }
  result.dayOfWeek = clockface::DayOfWeek(result.year, result.month, result.day);
  return result;
}

TimeAndDate AddTime(const TimeAndDate& pickers, int seconds) {
  const platform::DateTime& old = pickers.time;
  const int before = (old.hour * 60 + old.minute) * 60 + old.second;
  const int after = ((before + seconds) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
  TimeAndDate result = pickers;
  result.time.hour = after / 3600;
  result.time.minute = after / 60 % 60;
  result.time.second = after % 60;
  result.time.millisecond = 0;
  if (after < before) result.date = AddDate(pickers.date, 1);
  return result;
}

std::string PeriodOf(int checkedOption) {
  return checkedOption >= 0 && checkedOption < 4 ? std::to_string(checkedOption + 1) : std::string();
}

bool MomentPassed(const platform::DateTime& time, const platform::DateTime& date, const platform::DateTime& now) {
  const auto moment = std::make_tuple(date.year, date.month, date.day, time.hour, time.minute, time.second);
  return moment < std::make_tuple(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

bool BlankText(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

NumberGenerator::NumberGenerator(std::uint32_t seed) : state_(seed % kModulus) {
  if (state_ == 0) state_ = 1;  // the one state the generator cannot leave
}

std::uint32_t NumberGenerator::SeedFrom(const platform::DateTime& now) {
  std::uint64_t v = std::uint64_t(now.year) * 12 + std::uint64_t(now.month);
  v = v * 31 + std::uint64_t(now.day);
  v = ((v * 24 + std::uint64_t(now.hour)) * 60 + std::uint64_t(now.minute)) * 60 + std::uint64_t(now.second);
  v = v * 1000 + std::uint64_t(now.millisecond);
  return std::uint32_t(v ^ (v >> 32));
}

std::uint32_t NumberGenerator::Next() {
  state_ = std::uint32_t(std::uint64_t(state_) * 48271 % kModulus);
  return state_;
}

std::string NumberForAddition(const std::vector<std::string>& storedCodes, const std::string& shown,
                              const std::function<std::uint32_t()>& draw) {
  if (storedCodes.empty()) return shown;
  return events::NewEventNumber(storedCodes, [&draw] { return unsigned(draw()); });
}

}  // namespace settings
