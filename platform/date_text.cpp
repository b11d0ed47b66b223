#include "platform/date_text.h"

#include <cctype>

#include "platform/platform.h"

namespace platform {

namespace {

const char* const kMonthShort[12] = {"янв", "фев", "мар", "апр", "май", "июн",
                                     "июл", "авг", "сен", "окт", "ноя", "дек"};
const char* const kMonthLong[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                    "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
const char* const kDayShort[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
const char* const kDayLong[7] = {"воскресенье", "понедельник", "вторник", "среда",
                                 "четверг",     "пятница",     "суббота"};

std::string Number(int value, int width) {
  std::string s = std::to_string(value);
  while (int(s.size()) < width) s.insert(s.begin(), '0');
  return s;
}

// Length of the run of `c` starting at `i`.
std::size_t RunLength(const std::string& s, std::size_t i) {
  std::size_t n = 1;
  while (i + n < s.size() && s[i + n] == s[i]) ++n;
  return n;
}

}  // namespace

int DayOfWeek(int year, int month, int day) {
  // Sakamoto's method.
  static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 1 || month > 12) return 0;
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

std::string FormatPicture(const std::string& picture, const DateTime& t) {
  std::string out;
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      std::size_t end = picture.find('\'', i + 1);
      if (end == std::string::npos) end = picture.size();
      out.append(picture, i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    std::size_t n = RunLength(picture, i);
    int wide = n >= 2 ? 2 : 1;
    switch (c) {
      case 'd':
        if (n <= 2)
          out += Number(t.day, wide);
        else
          out += n == 3 ? kDayShort[t.dayOfWeek % 7] : kDayLong[t.dayOfWeek % 7];
        break;
      case 'M':
        if (n <= 2)
          out += Number(t.month, wide);
        else
          out += n == 3 ? kMonthShort[(t.month + 11) % 12] : kMonthLong[(t.month + 11) % 12];
        break;
      case 'y':
        out += n <= 2 ? Number(t.year % 100, n == 1 ? 1 : 2) : Number(t.year, 4);
        break;
      case 'h': {
        int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        out += Number(h12, wide);
        break;
      }
      case 'H':
        out += Number(t.hour, wide);
        break;
      case 'm':
        out += Number(t.minute, wide);
        break;
      case 's':
        out += Number(t.second, wide);
        break;
      case 't':
        out += n == 1 ? (t.hour < 12 ? "A" : "P") : (t.hour < 12 ? "AM" : "PM");
        break;
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

std::optional<DateTime> ParseDate(const std::string& picture, const std::string& text) {
  DateTime d;
  d.year = d.month = d.day = -1;
  std::size_t p = 0;
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    std::size_t n = RunLength(picture, i);
    if (c == 'd' || c == 'M' || c == 'y') {
      if (n > 2 && c != 'y') return std::nullopt;  // names are not parsed
      std::size_t start = p;
      std::size_t maxDigits = c == 'y' ? 4 : 2;
      while (p < text.size() && p - start < maxDigits && std::isdigit(static_cast<unsigned char>(text[p]))) ++p;
      if (p == start) return std::nullopt;
      int v = std::stoi(text.substr(start, p - start));
      if (c == 'd') d.day = v;
      if (c == 'M') d.month = v;
      if (c == 'y') d.year = (p - start) <= 2 ? 2000 + v : v;
    } else {
      for (std::size_t k = 0; k < n; ++k, ++p)
        if (p >= text.size() || text[p] != c) return std::nullopt;
    }
    i += n;
  }
  if (p != text.size() || d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > DaysInMonth(d.year, d.month))
    return std::nullopt;
  d.hour = d.minute = d.second = d.millisecond = 0;
  d.dayOfWeek = DayOfWeek(d.year, d.month, d.day);
  return d;
}

std::optional<DateTime> ParseTime(const std::string& picture, const std::string& text) {
  std::size_t p = 0, end = text.size();
  while (p < end && text[p] == ' ') ++p;
  while (end > p && text[end - 1] == ' ') --end;
  int hour = -1, minute = 0, second = 0;
  int half = -1;  // 0 before noon, 1 after, -1 not given
  auto skipBlanks = [&] {
    while (p < end && text[p] == ' ') ++p;
  };
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    std::size_t n = RunLength(picture, i);
    i += n;
    if (c == 'H' || c == 'h' || c == 'm' || c == 's') {
      std::size_t start = p;
      while (p < end && p - start < 2 && std::isdigit(static_cast<unsigned char>(text[p]))) ++p;
      if (p == start) return std::nullopt;
      int v = std::stoi(text.substr(start, p - start));
      if (c == 'H' || c == 'h') hour = v;
      if (c == 'm') minute = v;
      if (c == 's') second = v;
    } else if (c == 't') {
      skipBlanks();
      if (p < end && (text[p] == 'A' || text[p] == 'a' || text[p] == 'P' || text[p] == 'p')) {
        half = (text[p] == 'P' || text[p] == 'p') ? 1 : 0;
        ++p;
        if (p < end && (text[p] == 'M' || text[p] == 'm')) ++p;
      }
    } else if (c == '\'') {
      std::size_t close = picture.find('\'', i);
      if (close == std::string::npos) close = picture.size();
      std::string literal = picture.substr(i, close - i);
      i = close + 1;
      if (text.compare(p, literal.size(), literal) != 0) return std::nullopt;
      p += literal.size();
    } else if (c == ' ') {
      // Blanks before an AM/PM mark that was left out, or at the end, may be missing.
      skipBlanks();
    } else {
      for (std::size_t k = 0; k < n; ++k, ++p)
        if (p >= end || text[p] != c) return std::nullopt;
    }
  }
  if (p != end || hour < 0 || minute > 59 || second > 59) return std::nullopt;
  if (half >= 0) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (half == 1 ? 12 : 0);
  }
  if (hour > 23) return std::nullopt;
  DateTime t;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

}  // namespace platform
