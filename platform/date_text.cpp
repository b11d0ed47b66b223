#include "platform/date_text.h"

#include "platform/platform.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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

std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = std::int64_t(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

DateTime CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  DateTime t;
  t.day = int(doy - (153 * mp + 2) / 5 + 1);
  t.month = int(mp < 10 ? mp + 3 : mp - 9);
  t.year = int(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  t.dayOfWeek = int((days % 7 + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  return t;
}

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

std::vector<PictureElement> SplitPicture(const std::string& picture) {
  std::vector<PictureElement> elements;
  for (std::size_t i = 0; i < picture.size();) {
    if (picture[i] == '\'') {
      std::size_t end = picture.find('\'', i + 1);
      if (end == std::string::npos) end = picture.size();
      elements.push_back({'\0', 0, picture.substr(i + 1, end - i - 1)});
      i = end + 1;
      continue;
    }
    const char c = picture[i];
    const std::size_t n = RunLength(picture, i);
    if (std::strchr("dMyhHmst", c))
      elements.push_back({c, n, {}});
    else
      elements.push_back({'\0', 0, std::string(n, c)});
    i += n;
  }
  return elements;
}

std::string FormatPicture(const std::string& picture, const platform::DateTime& t) {
  std::string out;
  for (const PictureElement& e : SplitPicture(picture)) {
    const std::size_t n = e.count;
    const int wide = n >= 2 ? 2 : 1;
    switch (e.field) {
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
        out += e.literal;
        break;
    }
  }
  return out;
}

namespace {

// What a text says about each field of a picture; -1 where the picture has no such field.
struct Fields {
  int year = -1, month = -1, day = -1, weekday = -1, hour = -1, hour12 = -1, minute = -1, second = -1, pm = -1;
};

// A field written twice in one picture must say the same both times.
bool Assign(int& slot, int value) {
  if (slot != -1 && slot != value) return false;
  slot = value;
  return true;
}

// Matches the text from `at` against the elements from `index` on. Fields written without a
// separator between them ("HHmmss", "dM") can be read in more than one way: each digit count
// is tried in turn, longest first, up to a bound on the work done.
class PictureParser {
 public:
  PictureParser(const std::vector<PictureElement>& elements, const std::string& text,
                bool (*accept)(const Fields&))
      : elements_(elements), text_(text), accept_(accept) {}

  // First as the formatter writes (a field of two letters in two digits, a full year in four,
  // one of one letter without a leading zero), then in any number of digits up to the field's
  // width, as a person may type.
  std::optional<Fields> Parse() {
    for (bool strict : {true, false}) {
      strict_ = strict;
      steps_ = 0;
      if (Match(0, 0, Fields{})) return result_;
    }
    return std::nullopt;
  }

 private:
  static constexpr int kMaxSteps = 20000;

  bool Match(std::size_t index, std::size_t at, const Fields& fields) {
    if (++steps_ > kMaxSteps) return false;
    if (index == elements_.size()) {
      if (at != text_.size() || !accept_(fields)) return false;
      result_ = fields;
      return true;
    }
    const PictureElement& e = elements_[index];
    switch (e.field) {
      case 'd':
        if (e.count <= 2) return Number(index, at, fields, e.count, 2, &Fields::day);
        return Name(index, at, fields, e.count == 3 ? kDayShort : kDayLong, 7, &Fields::weekday, 0);
      case 'M':
        if (e.count <= 2) return Number(index, at, fields, e.count, 2, &Fields::month);
        return Name(index, at, fields, e.count == 3 ? kMonthShort : kMonthLong, 12, &Fields::month, 1);
      case 'y':
        return e.count <= 2 ? Number(index, at, fields, e.count, 2, &Fields::year)
                            : Number(index, at, fields, 4, 4, &Fields::year);
      case 'h':
        return Number(index, at, fields, e.count, 2, &Fields::hour12);
      case 'H':
        return Number(index, at, fields, e.count, 2, &Fields::hour);
      case 'm':
        return Number(index, at, fields, e.count, 2, &Fields::minute);
      case 's':
        return Number(index, at, fields, e.count, 2, &Fields::second);
      case 't': {
        const char* am = e.count == 1 ? "A" : "AM";
        const char* pm = e.count == 1 ? "P" : "PM";
        for (int isPm = 0; isPm < 2; ++isPm) {
          Fields next = fields;
          if (Starts(at, isPm ? pm : am) && Assign(next.pm, isPm) && Match(index + 1, at + std::strlen(am), next))
            return true;
        }
        return false;
      }
      default:
        return text_.compare(at, e.literal.size(), e.literal) == 0 && Match(index + 1, at + e.literal.size(), fields);
    }
  }

  // A number of `width` digits as written (1 means one or two), or of 1 to `maxDigits`.
  bool Number(std::size_t index, std::size_t at, const Fields& fields, std::size_t width, std::size_t maxDigits,
              int Fields::*slot) {
    const std::size_t minDigits = strict_ ? std::min(width, maxDigits) : 1;
    std::size_t digits = 0;
    while (digits < maxDigits && at + digits < text_.size() &&
           std::isdigit(static_cast<unsigned char>(text_[at + digits])))
      ++digits;
    for (; digits >= minDigits && digits > 0; --digits) {
      // The formatter writes a field of one letter without a leading zero.
      if (strict_ && width == 1 && digits > 1 && text_[at] == '0') continue;
      int value = std::stoi(text_.substr(at, digits));
      // A year of one or two digits lies in this century; one written in full stays as it is.
      if (slot == &Fields::year && digits <= 2) value += 2000;
      Fields next = fields;
      if (Assign(next.*slot, value) && Match(index + 1, at + digits, next)) return true;
    }
    return false;
  }

  // A name from `names`; its position (counted from `first`) goes to `slot`.
  bool Name(std::size_t index, std::size_t at, const Fields& fields, const char* const* names, int count,
            int Fields::*slot, int first) {
    for (int i = 0; i < count; ++i) {
      Fields next = fields;
      if (Starts(at, names[i]) && Assign(next.*slot, first + i) && Match(index + 1, at + std::strlen(names[i]), next))
        return true;
    }
    return false;
  }

  bool Starts(std::size_t at, const char* word) const { return text_.compare(at, std::strlen(word), word) == 0; }

  const std::vector<PictureElement>& elements_;
  const std::string& text_;
  bool (*accept_)(const Fields&);
  bool strict_ = true;
  int steps_ = 0;
  Fields result_;
};

// A real date; a day name, where the picture has one, must be that date's.
bool ValidDate(const Fields& f) {
  return f.year >= 1 && f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= DaysInMonth(f.year, f.month) &&
         (f.weekday == -1 || f.weekday == DayOfWeek(f.year, f.month, f.day));
}

// The hour of the day from a 24-hour field, or from a 12-hour one and its half of the day, or
// from the half of the day alone (its first hour); -1 when they disagree or are out of range.
int HourOf(const Fields& f) {
  int hour = f.pm == 1 ? 12 : 0;
  if (f.hour12 != -1) {
    if (f.hour12 > 12) return -1;
    hour += f.hour12 % 12;
  }
  if (f.hour != -1) {
    // Without a half-of-day mark a 12-hour field only names the hour within its half.
    const bool twelveAgrees = f.hour12 == -1 || (f.pm == -1 ? f.hour % 12 == f.hour12 % 12 : hour == f.hour);
    if (f.hour > 23 || !twelveAgrees || (f.pm != -1 && (f.hour >= 12) != (f.pm == 1))) return -1;
    hour = f.hour;
  }
  return hour;
}

bool ValidTime(const Fields& f) { return HourOf(f) != -1 && f.minute <= 59 && f.second <= 59; }

}  // namespace

std::optional<platform::DateTime> ParseDate(const std::string& picture, const std::string& text) {
  const auto elements = SplitPicture(picture);
  const auto fields = PictureParser(elements, text, ValidDate).Parse();
  if (!fields) return std::nullopt;
  platform::DateTime d;
  d.year = fields->year;
  d.month = fields->month;
  d.day = fields->day;
  d.hour = d.minute = d.second = d.millisecond = 0;
  d.dayOfWeek = DayOfWeek(d.year, d.month, d.day);
  return d;
}

std::string UnambiguousTimePicture(const std::string& picture) {
  bool twelveHour = false;
  for (const PictureElement& e : SplitPicture(picture)) {
    if (e.field == 't' || e.field == 'H') return picture;
    twelveHour = twelveHour || e.field == 'h';
  }
  if (!twelveHour) return picture;
  std::string out = picture;
  bool quoted = false;
  for (char& c : out) {
    if (c == '\'') quoted = !quoted;
    else if (c == 'h' && !quoted) c = 'H';
  }
  return out;
}

std::optional<platform::DateTime> ParseTime(const std::string& picture, const std::string& text) {
  // Read like the system's conversion: blanks around the text and the case of the AM/PM mark do
  // not matter, and a time stored without the mark (written under a 24-hour format) still reads.
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  std::string trimmed = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  auto elements = SplitPicture(UnambiguousTimePicture(picture));
  auto fields = PictureParser(elements, trimmed, ValidTime).Parse();
  if (!fields) {
    std::string upper = trimmed;
    for (char& c : upper)
      if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    fields = PictureParser(elements, upper, ValidTime).Parse();
  }
  if (!fields) {
    std::vector<PictureElement> noMark;
    for (const auto& e : elements) {
      if (e.field == 't') continue;
      noMark.push_back(e);
      if (noMark.back().field == 'h') noMark.back().field = 'H';
    }
    if (noMark.size() == elements.size()) return std::nullopt;
    auto blank = [](const PictureElement& e) { return e.field == '\0' && e.literal.find_first_not_of(' ') == std::string::npos; };
    while (!noMark.empty() && blank(noMark.back())) noMark.pop_back();
    while (!noMark.empty() && blank(noMark.front())) noMark.erase(noMark.begin());
    fields = PictureParser(noMark, trimmed, ValidTime).Parse();
  }
  if (!fields) return std::nullopt;
  platform::DateTime t;
  t.hour = HourOf(*fields);
  t.minute = std::max(fields->minute, 0);
  t.second = std::max(fields->second, 0);
  return t;
}

}  // namespace platform
