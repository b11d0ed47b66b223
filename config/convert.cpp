#include "config/convert.h"

#include <cstdint>

namespace config {

EConvertError NotAnInteger(const std::string& text) {
  return EConvertError("Значение '" + text + "' не является целым числом");
}

EConvertError NotADate(const std::string& text) { return EConvertError("Значение '" + text + "' не является датой"); }

EConvertError NotATime(const std::string& text) {
  return EConvertError("Значение '" + text + "' не является временем");
}

int StrToInt(const std::string& text) {
  auto fail = [&]() -> int { throw NotAnInteger(text); };
  std::size_t i = 0, end = text.size();
  while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == end) return fail();
  std::int64_t value = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return fail();
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t(INT32_MAX) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return fail();
  return int(value);
}

}  // namespace config
