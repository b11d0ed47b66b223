#include "app/command_line.h"

#include "events/event_import.h"
#include "events/one_time_events.h"
#include "platform/files.h"

namespace app {

const char* const kUsageText =
    "Horavo.exe [ключ]\r\n"
    "\r\n"
    "/remind ВРЕМЯ [ДАТА] \"ТЕКСТ\"\r\n"
    "    напоминание один раз. ВРЕМЯ: ЧЧ:ММ, ЧЧ:ММ:СС или +N (через N минут, от 1 до 10080);\r\n"
    "    ДАТА: ДД.ММ.ГГГГ (без даты: сегодня, если время ещё не прошло, иначе завтра)\r\n"
    "/poweroff N\r\n"
    "    выключить компьютер через N минут (от 1 до 1440)\r\n"
    "/abort\r\n"
    "    остановить выход из системы\r\n"
    "/export ФАЙЛ.ics\r\n"
    "    сохранить все события в файл календаря (iCalendar)\r\n"
    "/import ФАЙЛ\r\n"
    "    добавить события из файла календаря (.ics) или дни рождения из контактов (.vcf)\r\n"
    "/?\r\n"
    "    эта справка\r\n"
    "\r\n"
    "Коды завершения: 0 - выполнено, 1 - ошибка в команде или в файле, 2 - не удалось записать события.";

namespace {

constexpr int kMaxRemindMinutes = 10080;
constexpr int kMaxPowerOffMinutes = 1440;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

ParsedCommand Usage(const std::string& what) { return {{}, CommandAnswer{kExitUsage, what}}; }

// A whole number of 1 to 9 digits, or nothing.
std::optional<int> WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// "ЧЧ:ММ" or "ЧЧ:ММ:СС", 24-hour, one or two digits each.
bool ReadClock(const std::string& text, Command& c) {
  std::vector<std::string> parts(1);
  for (char ch : text) {
    if (ch == ':')
      parts.emplace_back();
    else
      parts.back() += ch;
  }
  if (parts.size() < 2 || parts.size() > 3) return false;
  int values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto v = parts[i].size() <= 2 ? WholeNumber(parts[i]) : std::nullopt;
    if (!v) return false;
    values[i] = *v;
  }
  if (values[0] > 23 || values[1] > 59 || values[2] > 59) return false;
  c.hour = values[0];
  c.minute = values[1];
  c.second = values[2];
  return true;
}

// "ДД.ММ.ГГГГ".
std::optional<platform::DateTime> ReadDate(const std::string& text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
  const auto day = WholeNumber(text.substr(0, 2)), month = WholeNumber(text.substr(3, 2)), year = WholeNumber(text.substr(6));
  if (!day || !month || !year || *year < 1601 || *month < 1 || *month > 12 || *day < 1 ||
      *day > platform::DaysInMonth(*year, *month))
    return std::nullopt;
  platform::DateTime d;
  d.year = *year;
  d.month = *month;
  d.day = *day;
  d.dayOfWeek = platform::DayOfWeek(*year, *month, *day);
  return d;
}

std::int64_t Serial(const platform::DateTime& t) {
  return platform::DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

ParsedCommand ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommand parsed;
  if (args.empty()) return parsed;
  const std::string& first = args[0];
  if (first.size() < 2 || (first[0] != '/' && first[0] != '-')) return Usage("Неизвестный параметр: " + first);
  const std::string name = Lower(first.substr(1));
  Command& c = parsed.command;
  const std::size_t count = args.size();
  auto extra = [&](std::size_t from) -> std::optional<ParsedCommand> {
    if (count > from) return Usage("Лишний параметр: " + args[from]);
    return std::nullopt;
  };

  if (name == "?") {
    if (auto e = extra(1)) return *e;
    c.kind = CommandKind::kHelp;
  } else if (name == "remind") {
    if (count < 2) return Usage("Не указано время напоминания");
    const std::string& when = args[1];
    if (!when.empty() && when[0] == '+') {
      const auto minutes = WholeNumber(when.substr(1));
      if (!minutes || *minutes < 1 || *minutes > kMaxRemindMinutes)
        return Usage("Неверное число минут: " + when + " (от 1 до " + std::to_string(kMaxRemindMinutes) + ")");
      c.relative = true;
      c.minutes = *minutes;
    } else if (!ReadClock(when, c)) {
      return Usage("Неверное время: " + when);
    }
    std::size_t next = 2;
    // A date follows the time when the next argument has the date's shape.
    if (next < count && args[next].size() == 10 && args[next][2] == '.' && args[next][5] == '.') {
      if (c.relative) return Usage("Дата не ставится ко времени +N: " + args[next]);
      c.date = ReadDate(args[next]);
      if (!c.date) return Usage("Неверная дата: " + args[next]);
      ++next;
    }
    // The text may come in one quoted argument or as several words.
    for (; next < count; ++next) c.text += (c.text.empty() ? "" : " ") + args[next];
    if (c.text.find_first_not_of(" \t") == std::string::npos) return Usage("Не указан текст напоминания");
    c.kind = CommandKind::kRemind;
  } else if (name == "poweroff") {
    if (count < 2) return Usage("Не указано, через сколько минут выключить компьютер");
    const auto minutes = WholeNumber(args[1]);
    if (!minutes || *minutes < 1 || *minutes > kMaxPowerOffMinutes)
      return Usage("Неверное число минут: " + args[1] + " (от 1 до " + std::to_string(kMaxPowerOffMinutes) + ")");
    if (auto e = extra(2)) return *e;
    c.kind = CommandKind::kPowerOff;
    c.minutes = *minutes;
  } else if (name == "abort") {
    if (auto e = extra(1)) return *e;
    c.kind = CommandKind::kAbort;
  } else if (name == "export" || name == "import") {
    if (count < 2 || args[1].empty()) return Usage("Не указан файл");
    if (auto e = extra(2)) return *e;
    c.kind = name == "export" ? CommandKind::kExport : CommandKind::kImport;
    c.path = args[1];
  } else {
    return Usage("Неизвестный ключ: " + first);
  }
  return parsed;
}

std::string EncodeArguments(const std::vector<std::string>& args) {
  std::string data;
  for (const std::string& arg : args) data.append(arg).push_back('\0');
  return data;
}

std::vector<std::string> DecodeArguments(const std::string& data) {
  std::vector<std::string> args;
  std::size_t start = 0;
  for (std::size_t i = 0; i < data.size(); ++i)
    if (data[i] == '\0') {
      args.push_back(data.substr(start, i - start));
      start = i + 1;
    }
  if (start < data.size()) args.push_back(data.substr(start));
  return args;
}

CommandAnswer RunCommand(const Command& c, CommandServices& s) {
  const platform::DateTime now = s.clock.Now();
  const std::string timePicture = s.clock.LongTimeFormat(), datePicture = s.clock.ShortDateFormat();
  events::ExchangeContext context{now, {timePicture, datePicture}, s.time, {}};
  try {
    switch (c.kind) {
      case CommandKind::kNone:
        return {};
      case CommandKind::kHelp:
        return {kExitOk, kUsageText};
      case CommandKind::kRemind: {
        platform::DateTime at;
        if (c.relative) {
          at = events::MinutesAfter(now, c.minutes);
        } else {
          at = c.date.value_or(now);
          at.hour = c.hour;
          at.minute = c.minute;
          at.second = c.second;
          at.millisecond = 0;
          if (Serial(at) <= Serial(now)) {
            if (c.date) return {kExitUsage, "Это время уже прошло: " + s.clock.TimeText(at) + " " + s.clock.DateText(at)};
            at = events::MinutesAfter(at, 24 * 60);
          }
        }
        at.dayOfWeek = platform::DayOfWeek(at.year, at.month, at.day);
        if (!s.scheduler) return {kExitStore, "Планировщик событий не запущен"};
        events::AddOneTimeEvent(s.store, *s.scheduler, {"5", at, events::ReminderRichText(c.text)}, timePicture, datePicture);
        return {kExitOk, "Напоминание добавлено на " + s.clock.TimeText(at) + " " + s.clock.DateText(at)};
      }
      case CommandKind::kPowerOff: {
        const platform::DateTime at = events::MinutesAfter(now, c.minutes);
        if (!s.scheduler) return {kExitStore, "Планировщик событий не запущен"};
        events::AddOneTimeEvent(s.store, *s.scheduler, {"4", at, ""}, timePicture, datePicture);
        return {kExitOk, "Компьютер будет выключен в " + s.clock.TimeText(at)};
      }
      case CommandKind::kAbort:
        s.actions.AbortShutdown();
        if (s.shutdownAborted) s.shutdownAborted();
        return {kExitOk, "Выход из системы остановлен"};
      case CommandKind::kExport:
        return {kExitOk, events::ExportFile(s.store, s.store.LoadList(), c.path, context).Message()};
      case CommandKind::kImport:
        return {kExitOk, events::ImportFile(s.store, s.scheduler, c.path, context).Message()};
    }
  } catch (const events::ExchangeError& e) {
    return {kExitUsage, e.what()};
  } catch (const std::exception& e) {
    // A file of the store (or the export's file) that cannot be written; nothing half written.
    return {kExitStore, e.what()};
  }
  return {};
}

CommandAnswer AnswerArguments(const std::vector<std::string>& args, CommandServices& services) {
  const ParsedCommand parsed = ParseCommandLine(args);
  if (parsed.error) return *parsed.error;
  return RunCommand(parsed.command, services);
}

}  // namespace app
