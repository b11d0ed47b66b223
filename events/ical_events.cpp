#include "events/ical_events.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "events/event_types.h"
#include "ui/rtf.h"

namespace events {

namespace {

using platform::DateTime;
using ical::Component;
using ical::ParseError;
using ical::Property;

constexpr std::int64_t kDay = 86400;
constexpr const char* kProductId = "-//Horavo//Horavo 3.0//RU";
constexpr std::array<const char*, 7> kDayCodes = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};  // Monday first
// What the program's actions are called in a calendar, by stored type "1" to "4".
constexpr std::array<const char*, 4> kActionNames = {"FILE", "LOGOFF", "RESTART", "POWEROFF"};

std::int64_t Serial(const DateTime& t) {
  return platform::DaysFromCivil(t.year, t.month, t.day) * kDay + t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime FromSerial(std::int64_t serial) {
  std::int64_t days = serial / kDay, rest = serial % kDay;
  if (rest < 0) {
    rest += kDay;
    --days;
  }
  DateTime t = platform::CivilFromDays(days);
  t.hour = int(rest / 3600);
  t.minute = int(rest / 60 % 60);
  t.second = int(rest % 60);
  return t;
}

std::string Digits(int value, int width) {
  std::string text = std::to_string(value);
  return std::string(std::size_t(std::max(0, width - int(text.size()))), '0') + text;
}

std::string DateValue(const DateTime& t) { return Digits(t.year, 4) + Digits(t.month, 2) + Digits(t.day, 2); }
std::string DateTimeValue(const DateTime& t) {
  return DateValue(t) + "T" + Digits(t.hour, 2) + Digits(t.minute, 2) + Digits(t.second, 2);
}

std::string FirstLine(const std::string& text) {
  const std::size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

std::string TrimmedText(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// ---------------------------------------------------------------------------------------------
// Reading values.

int Number(const std::string& text, std::size_t at, std::size_t length, bool& ok) {
  int value = 0;
  for (std::size_t i = at; i < at + length; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
      ok = false;
      return 0;
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// A DATE or DATE-TIME value: "20261208", "20261208T093000", "20261208T093000Z".
struct Moment {
  DateTime at;
  bool allDay = false;
  bool utc = false;
};

Moment ReadMoment(const std::string& rawValue, int line) {
  const std::string value = TrimmedText(rawValue);
  bool ok = value.size() == 8 || ((value.size() == 15 || value.size() == 16) && value[8] == 'T');
  Moment m;
  m.at.year = Number(value, 0, 4, ok);
  m.at.month = Number(value, 4, 2, ok);
  m.at.day = Number(value, 6, 2, ok);
  if (value.size() > 8) {
    m.at.hour = Number(value, 9, 2, ok);
    m.at.minute = Number(value, 11, 2, ok);
    m.at.second = Number(value, 13, 2, ok);
    if (value.size() == 16) {
      if (value[15] != 'Z' && value[15] != 'z') ok = false;
      m.utc = true;
    }
  } else {
    m.allDay = true;
  }
  if (ok)
    ok = m.at.year >= 1 && m.at.month >= 1 && m.at.month <= 12 && m.at.day >= 1 &&
         m.at.day <= platform::DaysInMonth(m.at.year, m.at.month) && m.at.hour < 24 && m.at.minute < 60 && m.at.second <= 60;
  if (!ok) throw ParseError(line, "неверная дата или время \"" + value + "\"");
  m.at.second = std::min(m.at.second, 59);
  m.at.dayOfWeek = platform::DayOfWeek(m.at.year, m.at.month, m.at.day);
  return m;
}

// A DURATION ("-PT15M", "P1DT2H", "P1W") in seconds.
std::int64_t ReadDuration(const std::string& rawValue, int line) {
  const std::string value = TrimmedText(rawValue);
  std::size_t i = 0;
  int sign = 1;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) sign = value[i++] == '-' ? -1 : 1;
  auto fail = [&]() -> std::int64_t { throw ParseError(line, "неверная продолжительность \"" + value + "\""); };
  if (i >= value.size() || value[i++] != 'P') return fail();
  std::int64_t total = 0;
  bool inTime = false, any = false;
  while (i < value.size()) {
    if (value[i] == 'T') {
      inTime = true;
      ++i;
      continue;
    }
    std::int64_t n = 0;
    const std::size_t start = i;
    while (i < value.size() && value[i] >= '0' && value[i] <= '9' && i - start < 9) n = n * 10 + (value[i++] - '0');
    if (i == start || i >= value.size()) return fail();
    const char unit = value[i++];
    if (unit == 'W' && !inTime) total += n * 7 * kDay;
    else if (unit == 'D' && !inTime) total += n * kDay;
    else if (unit == 'H' && inTime) total += n * 3600;
    else if (unit == 'M' && inTime) total += n * 60;
    else if (unit == 'S' && inTime) total += n;
    else return fail();
    any = true;
  }
  if (!any) return fail();
  return sign * total;
}

// "+0300", "-0500", "+053000" in seconds.
std::int64_t ReadOffset(const std::string& rawValue, int line) {
  const std::string value = TrimmedText(rawValue);
  bool ok = (value.size() == 5 || value.size() == 7) && (value[0] == '+' || value[0] == '-');
  const int hours = Number(value, 1, 2, ok), minutes = Number(value, 3, 2, ok);
  const int seconds = value.size() == 7 ? Number(value, 5, 2, ok) : 0;
  if (!ok) throw ParseError(line, "неверное смещение часового пояса \"" + value + "\"");
  return (value[0] == '-' ? -1 : 1) * std::int64_t(hours * 3600 + minutes * 60 + seconds);
}

std::map<std::string, std::string> ReadRule(const Property& rrule) {
  std::map<std::string, std::string> parts;
  for (const std::string& part : ical::SplitList(rrule.value, ';')) {
    const std::size_t eq = part.find('=');
    if (eq == std::string::npos || eq == 0) throw ParseError(rrule.line, "неверное правило повторения \"" + rrule.value + "\"");
    std::string key = part.substr(0, eq), value = part.substr(eq + 1);
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : value) c = char(std::toupper(static_cast<unsigned char>(c)));
    parts[key] = value;
  }
  if (!parts.count("FREQ")) throw ParseError(rrule.line, "правило повторения без FREQ");
  return parts;
}

// ---------------------------------------------------------------------------------------------
// Time zones a file defines (VTIMEZONE).

struct Observance {
  DateTime start;  // local time of the first change, in the offset before it
  std::int64_t offsetFrom = 0, offsetTo = 0;
  int month = 0, week = 0, weekday = -1;  // a yearly rule: the week-th (from the end when < 0) weekday of month
  std::vector<DateTime> extra;            // RDATE
};

struct Zone {
  std::vector<Observance> observances;
  // The offset from universal time in force at a local time of this zone.
  std::int64_t OffsetAt(const DateTime& local) const {
    const std::int64_t at = Serial(local);
    std::optional<std::int64_t> best;
    std::int64_t offset = 0, earliest = INT64_MAX;
    auto consider = [&](std::int64_t onset, const Observance& o) {
      if (onset <= at && (!best || onset > *best)) {
        best = onset;
        offset = o.offsetTo;
      }
    };
    for (const Observance& o : observances) {
      if (Serial(o.start) < earliest) {
        earliest = Serial(o.start);
        if (!best) offset = o.offsetFrom;
      }
      consider(Serial(o.start), o);
      for (const DateTime& d : o.extra) consider(Serial(d), o);
      if (o.month == 0) continue;
      for (int year = local.year - 1; year <= local.year; ++year) {
        if (year < o.start.year) continue;
        const int days = platform::DaysInMonth(year, o.month);
        int day;
        if (o.week > 0) {
          const int first = platform::DayOfWeek(year, o.month, 1);
          day = 1 + (o.weekday - first + 7) % 7 + (o.week - 1) * 7;
          if (day > days) continue;
        } else {
          const int last = platform::DayOfWeek(year, o.month, days);
          day = days - (last - o.weekday + 7) % 7 + (o.week + 1) * 7;
          if (day < 1) continue;
        }
        DateTime onset = o.start;
        onset.year = year;
        onset.month = o.month;
        onset.day = day;
        consider(Serial(onset), o);
      }
    }
    return offset;
  }
};

// The weekday (0 = Sunday) of a two-letter code.
int WeekdayOfCode(const std::string& code) {
  for (std::size_t i = 0; i < kDayCodes.size(); ++i)
    if (code == kDayCodes[i]) return int((i + 1) % 7);
  return -1;
}

std::map<std::string, Zone> ReadZones(const Component& calendar) {
  std::map<std::string, Zone> zones;
  for (const Component& tz : calendar.children) {
    if (tz.name != "VTIMEZONE") continue;
    const Property* id = tz.Find("TZID");
    if (!id) continue;
    Zone zone;
    for (const Component& part : tz.children) {
      if (part.name != "STANDARD" && part.name != "DAYLIGHT") continue;
      Observance o;
      const Property* start = part.Find("DTSTART");
      const Property* from = part.Find("TZOFFSETFROM");
      const Property* to = part.Find("TZOFFSETTO");
      if (!start || !to) throw ParseError(part.line, "часовой пояс без DTSTART или TZOFFSETTO");
      o.start = ReadMoment(start->value, start->line).at;
      o.offsetTo = ReadOffset(to->value, to->line);
      o.offsetFrom = from ? ReadOffset(from->value, from->line) : o.offsetTo;
      for (const Property& p : part.properties)
        if (p.name == "RDATE")
          for (const std::string& d : ical::SplitList(p.value)) o.extra.push_back(ReadMoment(d, p.line).at);
      if (const Property* rrule = part.Find("RRULE")) {
        auto rule = ReadRule(*rrule);
        if (rule["FREQ"] == "YEARLY" && rule.count("BYMONTH") && rule.count("BYDAY")) {
          const std::string byDay = rule["BYDAY"];
          std::size_t i = 0;
          int sign = 1, week = 0;
          if (i < byDay.size() && (byDay[i] == '-' || byDay[i] == '+')) sign = byDay[i++] == '-' ? -1 : 1;
          while (i < byDay.size() && byDay[i] >= '0' && byDay[i] <= '9') week = week * 10 + (byDay[i++] - '0');
          const int weekday = WeekdayOfCode(byDay.substr(i));
          bool ok = true;
          const int month = Number(rule["BYMONTH"], 0, rule["BYMONTH"].size(), ok);
          if (ok && weekday >= 0 && week >= 1 && week <= 5 && month >= 1 && month <= 12) {
            o.month = month;
            o.week = sign * week;
            o.weekday = weekday;
          }
        }
      }
      zone.observances.push_back(std::move(o));
    }
    zones[ical::UnescapeText(id->value)] = std::move(zone);
  }
  return zones;
}

// A DTSTART, DTEND or TRIGGER moment as the local time of this computer.
struct LocalMoment {
  DateTime at;
  bool allDay = false;
};

LocalMoment ToLocal(const Property& p, const std::map<std::string, Zone>& zones, const TimeConversion& time) {
  const Moment m = ReadMoment(p.value, p.line);
  LocalMoment local{m.at, m.allDay};
  if (m.allDay) return local;
  std::optional<std::int64_t> offset;
  if (m.utc) {
    offset = 0;
  } else if (const std::string tzid = p.Param("TZID"); !tzid.empty()) {
    if (auto zone = zones.find(tzid); zone != zones.end())
      offset = zone->second.OffsetAt(m.at);
    else if (tzid == "UTC" || tzid == "Etc/UTC" || tzid == "GMT" || tzid == "Z")
      offset = 0;
    // A zone the file does not define is taken as this computer's own.
  }
  if (offset && time.localFromUtc) local.at = time.localFromUtc(FromSerial(Serial(m.at) - *offset));
  local.at.dayOfWeek = platform::DayOfWeek(local.at.year, local.at.month, local.at.day);
  local.at.millisecond = 0;
  return local;
}

std::string TextOf(const Component& c, const char* name) {
  const Property* p = c.Find(name);
  return p ? ical::UnescapeText(p->value) : std::string();
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string ReminderRichText(const std::string& text) { return ui::rtf::FromPlainText(text, {"Arial", 10, ui::clBlack, true}); }

std::string CelebrationRichText(const std::string& text) { return ui::rtf::FromPlainText(text, ui::TFont{}); }

std::string PlainSideText(const std::string& stored) {
  return ui::rtf::IsRichText(stored) ? ui::rtf::ToPlainText(stored) : stored;
}

DateTime NextYearly(int month, int day, const DateTime& today) {
  for (int year = today.year; year < today.year + 9; ++year) {
    if (day > platform::DaysInMonth(year, month)) continue;
    if (year == today.year && (month < today.month || (month == today.month && day < today.day))) continue;
    DateTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.dayOfWeek = platform::DayOfWeek(year, month, day);
    return t;
  }
  DateTime t = today;
  t.hour = t.minute = t.second = t.millisecond = 0;
  return t;
}

ExportedCalendar ExportCalendar(const config::TIniSnapshot& detail, const std::vector<std::string>& numbers,
                                const SideFileReader& sideText, const StoredPictures& pictures, const DateTime& now,
                                const TimeConversion& time, const std::function<std::string()>& newUid) {
  ExportedCalendar result;
  ical::Writer w;
  w.Line("BEGIN:VCALENDAR");
  w.Line("VERSION:2.0");
  w.Line(std::string("PRODID:") + kProductId);
  w.Line("CALSCALE:GREGORIAN");
  const DateTime stampUtc = time.utcFromLocal ? time.utcFromLocal(now) : now;
  const std::string stamp = DateTimeValue(stampUtc) + "Z";
  for (const std::string& number : numbers) {
    auto read = [&](const char* key, const char* def) { return detail.ReadString(number, key, def); };
    const std::string type = read("type", kDefaultType);
    const auto t = platform::ParseTime(pictures.time, read("time", kDefaultTime));
    const auto d = platform::ParseDate(pictures.date, read("date", kDefaultDate));
    const bool known = type.size() == 1 && type[0] >= '0' && type[0] <= '6';
    const std::string period = read("period", kDefaultPeriod);
    if (!known || !t || !d || (type != "6" && (period.size() != 1 || period[0] < '1' || period[0] > '4'))) {
      ++result.skipped;
      continue;
    }
    DateTime at = *d;
    at.hour = t->hour;
    at.minute = t->minute;
    at.second = t->second;
    std::string uid = read("uid", "");
    if (uid.empty()) {
      uid = newUid();
      result.newUids.emplace_back(number, uid);
    }
    w.Line("BEGIN:VEVENT");
    w.Text("UID", uid);
    w.Line("DTSTAMP:" + stamp);
    std::string text;
    if (type == "5" || type == "6") text = TrimmedText(PlainSideText(sideText(number, type)));
    if (type == "6") {
      w.Line("DTSTART;VALUE=DATE:" + DateValue(at));
      w.Line("RRULE:FREQ=YEARLY");
      w.Line("TRANSP:TRANSPARENT");
      w.Text("SUMMARY", FirstLine(text));
      if (!text.empty()) w.Text("DESCRIPTION", text);
      if (read("Brith?", "0") != "1") w.Line("X-HORAVO-HOLIDAY:1");
      w.Line("X-HORAVO-TIME:" + DateTimeValue(at).substr(9));
      if (const std::string foto = read("Foto", ""); !foto.empty()) w.Text("X-HORAVO-PHOTO", foto);
      if (const std::string email = read("Email", ""); !email.empty()) w.Text("X-HORAVO-EMAIL", email);
    } else {
      w.Line("DTSTART:" + DateTimeValue(at));
      if (period == "2") w.Line("RRULE:FREQ=DAILY");
      if (period == "3") w.Line("RRULE:FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(at.day));
      if (period == "4") {
        std::string days;
        for (std::size_t i = 0; i < kWeekdayKeys.size(); ++i)
          if (read(kWeekdayKeys[i], "0") == "1") days += std::string(days.empty() ? "" : ",") + kDayCodes[i];
        if (days.empty())
          w.Line("X-HORAVO-WEEKDAYS:NONE");
        else
          w.Line("RRULE:FREQ=WEEKLY;BYDAY=" + days);
      }
      const std::string fileName = type == "1" ? read("pathtofile", kDefaultPathToFile) : "";
      if (type == "5")
        w.Text("SUMMARY", FirstLine(text));
      else
        w.Text("SUMMARY", std::string(kTypeNames[std::size_t(type[0] - '0')]) + (type == "1" ? ": " + FileNamePart(fileName) : ""));
      if (type == "5" && !text.empty()) w.Text("DESCRIPTION", text);
      if (type >= "1" && type <= "4") w.Line(std::string("X-HORAVO-ACTION:") + kActionNames[std::size_t(type[0] - '1')]);
      if (type == "1") w.Text("X-HORAVO-FILE", fileName);
      if (type == "0") {
        w.Text("X-HORAVO-HZ", read("hz", kDefaultHz));
        w.Text("X-HORAVO-MS", read("ms", kDefaultMs));
      }
      if (type == "0" || type == "5") {
        w.Line("BEGIN:VALARM");
        w.Line(type == "0" ? "ACTION:AUDIO" : "ACTION:DISPLAY");
        w.Line("TRIGGER:PT0S");
        if (type == "5") w.Text("DESCRIPTION", FirstLine(text).empty() ? std::string(kTypeNames[5]) : FirstLine(text));
        w.Line("END:VALARM");
      }
    }
    if (read("active", "1") == "0") w.Line("X-HORAVO-ACTIVE:0");
    w.Line("END:VEVENT");
    ++result.exported;
  }
  w.Line("END:VCALENDAR");
  result.text = w.Take();
  return result;
}

namespace {

// The period an RRULE maps to, or nothing when the program has none for it.
struct Repetition {
  std::string period = "1";  // "1" once ... "4" weekdays, "Y" yearly
  std::array<bool, 7> weekdays{};  // Monday first
  int monthDay = 0;
};

std::optional<Repetition> MapRule(const Property* rrule, const DateTime& start) {
  Repetition r;
  if (!rrule) return r;
  auto rule = ReadRule(*rrule);
  const std::string freq = rule["FREQ"];
  if (rule.count("INTERVAL") && rule["INTERVAL"] != "1") return std::nullopt;
  rule.erase("INTERVAL");
  rule.erase("WKST");
  rule.erase("FREQ");
  if (freq == "DAILY") {
    if (!rule.empty()) return std::nullopt;
    r.period = "2";
  } else if (freq == "WEEKLY") {
    r.period = "4";
    if (rule.count("BYDAY")) {
      for (const std::string& code : ical::SplitList(rule["BYDAY"])) {
        const int weekday = WeekdayOfCode(code);
        if (weekday < 0) return std::nullopt;
        r.weekdays[std::size_t((weekday + 6) % 7)] = true;
      }
      rule.erase("BYDAY");
    } else {
      r.weekdays[std::size_t((start.dayOfWeek + 6) % 7)] = true;
    }
    if (!rule.empty()) return std::nullopt;
  } else if (freq == "MONTHLY") {
    r.period = "3";
    r.monthDay = start.day;
    if (rule.count("BYMONTHDAY")) {
      bool ok = true;
      const std::string& day = rule["BYMONTHDAY"];
      r.monthDay = Number(day, 0, day.size(), ok);
      if (!ok || day.empty() || day.size() > 2 || r.monthDay < 1 || r.monthDay > 31) return std::nullopt;
      rule.erase("BYMONTHDAY");
    }
    if (!rule.empty()) return std::nullopt;
  } else if (freq == "YEARLY") {
    r.period = "Y";
    if (rule.count("BYMONTH") && rule["BYMONTH"] == std::to_string(start.month)) rule.erase("BYMONTH");
    if (rule.count("BYMONTHDAY") && rule["BYMONTHDAY"] == std::to_string(start.day)) rule.erase("BYMONTHDAY");
    if (!rule.empty()) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return r;
}

}  // namespace

ImportPlan ReadCalendar(const std::vector<Component>& blocks, const DateTime& now, const StoredPictures& pictures,
                        const TimeConversion& time, const std::set<std::string>& knownUids) {
  ImportPlan plan;
  std::set<std::string> seen = knownUids;
  DateTime today = now;
  today.hour = today.minute = today.second = today.millisecond = 0;
  for (const Component& calendar : blocks) {
    if (calendar.name != "VCALENDAR") continue;
    const auto zones = ReadZones(calendar);
    for (const Component& ev : calendar.children) {
      if (ev.name != "VEVENT") continue;
      const Property* startProp = ev.Find("DTSTART");
      if (!startProp) throw ParseError(ev.line, "событие без DTSTART");
      const LocalMoment start = ToLocal(*startProp, zones, time);
      auto repetition = MapRule(ev.Find("RRULE"), start.at);
      if (TextOf(ev, "X-HORAVO-WEEKDAYS") == "NONE") repetition = Repetition{"4", {}, 0};
      // Each alarm is read, so that a damaged one is reported even when another comes first.
      std::optional<std::int64_t> alarm;  // serial second of the first alarm
      bool display = false, audio = false;
      for (const Component& a : ev.children) {
        if (a.name != "VALARM") continue;
        const Property* trigger = a.Find("TRIGGER");
        if (!trigger) throw ParseError(a.line, "напоминание без TRIGGER");
        std::int64_t when;
        if (trigger->Param("VALUE") == "DATE-TIME") {
          when = Serial(ToLocal(*trigger, zones, time).at);
        } else {
          std::int64_t base = Serial(start.at);
          if (trigger->Param("RELATED") == "END") {
            if (const Property* end = ev.Find("DTEND"))
              base = Serial(ToLocal(*end, zones, time).at);
            else if (const Property* duration = ev.Find("DURATION"))
              base += ReadDuration(duration->value, duration->line);
          }
          when = base + ReadDuration(trigger->value, trigger->line);
        }
        if (!alarm || when < *alarm) alarm = when;
        const std::string action = TextOf(a, "ACTION");
        display |= action == "DISPLAY" || action == "EMAIL";
        audio |= action == "AUDIO";
      }
      const std::string uid = TextOf(ev, "UID");
      if (ev.Find("RECURRENCE-ID") || !repetition) {
        ++plan.unsupported;
        continue;
      }
      if (!uid.empty() && !seen.insert(uid).second) {
        ++plan.known;
        continue;
      }

      ImportedEvent out;
      out.uid = uid;
      out.active = TextOf(ev, "X-HORAVO-ACTIVE") != "0";
      EventRecord& e = out.record;
      const std::string summary = TrimmedText(TextOf(ev, "SUMMARY"));
      const std::string description = TrimmedText(TextOf(ev, "DESCRIPTION"));
      std::string text = description.empty() ? summary
                         : summary.empty() || description.compare(0, summary.size(), summary) == 0
                             ? description
                             : summary + "\r\n" + description;

      if (repetition->period == "Y") {
        e.type = "6";
        const DateTime day = Serial(start.at) < Serial(today) ? NextYearly(start.at.month, start.at.day, today) : start.at;
        DateTime at = day;
        const std::string clock = TextOf(ev, "X-HORAVO-TIME");
        bool ok = clock.size() == 6;
        at.hour = Number(clock, 0, 2, ok);
        at.minute = Number(clock, 2, 2, ok);
        at.second = Number(clock, 4, 2, ok);
        if (!ok || at.hour > 23 || at.minute > 59 || at.second > 59) {
          at.hour = start.allDay ? 0 : start.at.hour;
          at.minute = start.allDay ? 0 : start.at.minute;
          at.second = start.allDay ? 0 : start.at.second;
        }
        e.time = platform::FormatPicture(pictures.time, at);
        e.date = platform::FormatPicture(pictures.date, at);
        e.birthday = TextOf(ev, "X-HORAVO-HOLIDAY") != "1";
        e.sideText = CelebrationRichText(text);
        e.foto = TextOf(ev, "X-HORAVO-PHOTO");
        e.email = TextOf(ev, "X-HORAVO-EMAIL");
        plan.events.push_back(std::move(out));
        continue;
      }

      const std::int64_t firing = alarm ? *alarm : Serial(start.at);
      if (repetition->period == "1" && firing < Serial(now)) {
        ++plan.past;
        continue;
      }
      DateTime at = FromSerial(firing);
      e.period = repetition->period;
      if (e.period == "4") {
        // An alarm on another day than the start moves every weekday with it.
        const int shift = int(((firing / kDay - Serial(start.at) / kDay) % 7 + 7) % 7);
        for (std::size_t i = 0; i < 7; ++i) e.weekdays[(i + std::size_t(shift)) % 7] = repetition->weekdays[i];
      }
      if (e.period == "3" && repetition->monthDay != at.day) {
        // The monthly day is the stored date's: the first month from the start that has it.
        DateTime month = at;
        for (int i = 0; i < 12 && repetition->monthDay > platform::DaysInMonth(month.year, month.month); ++i) {
          month.month = month.month % 12 + 1;
          if (month.month == 1) ++month.year;
        }
        if (repetition->monthDay > platform::DaysInMonth(month.year, month.month)) {
          ++plan.unsupported;
          continue;
        }
        at.year = month.year;
        at.month = month.month;
        at.day = repetition->monthDay;
      }
      e.time = platform::FormatPicture(pictures.time, at);
      e.date = platform::FormatPicture(pictures.date, at);
      const std::string action = TextOf(ev, "X-HORAVO-ACTION");
      if (action == "FILE") {
        e.type = "1";
        e.pathToFile = TextOf(ev, "X-HORAVO-FILE");
        if (e.pathToFile.empty()) e.pathToFile = kDefaultPathToFile;
      } else if (action == "LOGOFF" || action == "RESTART" || action == "POWEROFF") {
        e.type = action == "LOGOFF" ? "2" : action == "RESTART" ? "3" : "4";
      } else if (audio && !display) {
        e.type = "0";
        e.hz = TextOf(ev, "X-HORAVO-HZ");
        e.ms = TextOf(ev, "X-HORAVO-MS");
        if (e.hz.empty()) e.hz = kDefaultHz;
        if (e.ms.empty()) e.ms = kDefaultMs;
      } else {
        e.type = "5";
        e.sideText = ReminderRichText(text);
      }
      plan.events.push_back(std::move(out));
    }
  }
  return plan;
}

TimeConversion LocalZoneConversion(platform::TimeZones& zones) {
  return {[&zones](const platform::DateTime& utc) { return zones.UniversalToLocal(utc).value_or(utc); },
          [&zones](const platform::DateTime& local) { return zones.LocalToUniversal(local).value_or(local); }};
}

}  // namespace events
