// The quick power-off templates of the main window's menu "Шаблоны..." / "Выключение...": each
// stores a one-time power-off event a number of minutes from now.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace events {

struct ShutdownTemplate {
  const char* caption;  // "-" for a separator
  int minutes;
};

// The submenu "Выключение...", in menu order.
inline constexpr std::array<ShutdownTemplate, 12> kShutdownTemplates = {{
    {"Через 1 минуту", 1},
    {"Через 5 минут", 5},
    {"Через 10 минут", 10},
    {"Через 15 минут", 15},
    {"-", 0},
    {"Через 20 минут", 20},
    {"Через 30 минут", 30},
    {"Через 45 минут", 45},
    {"-", 0},
    {"Через час", 60},
    {"Через 90 минут", 90},
    {"Через 2 часа", 120},
}};

// The quick-time offset of a template's minutes, "HH:MM:00"; nothing for minutes that no
// template offers.
inline std::optional<std::string> TemplateOffset(int minutes) {
  for (const ShutdownTemplate& t : kShutdownTemplates) {
    if (t.minutes != minutes || minutes <= 0) continue;
    auto twoDigits = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    return twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60) + ":00";
  }
  return std::nullopt;
}

}  // namespace events
