// The calendar from the clock: its menu item and shortcut, and the other cities' clocks in the
// tray icon's hint.
#include "app/main_window.h"
#include "calendar/calendar_window.h"
#include "clock/time_format.h"

namespace {
constexpr std::size_t kLongestTrayHint = 63;
}

void TForm1::N19Click(ui::TComponent*) { OpenCalendar(); }

void TForm1::OpenCalendar() {
  if (!calendarWindow) return;
  TCalendarForm* window = calendarWindow();
  if (!window) return;
  // Beside the clock; from the tray, beside the pointer (where the tray icon is).
  ui::TRect anchor = ScreenRect();
  if (!Visible()) {
    const ui::TPoint at = ui::Application().Widgets().CursorPos();
    anchor = {at.x, at.y, at.x, at.y};
  }
  window->ShowBeside(anchor);
}

void TForm1::ReloadCities() { cities_ = calendar::ReadCities(files.Config()); }

std::string TForm1::TrayHint(const platform::DateTime& now, const std::string& timeHint) {
  if (cities_.empty()) return timeHint;
  std::vector<std::string> lines;
  std::size_t length = timeHint.size();
  for (const calendar::City& city : cities_) {
    lines.push_back("\n" + calendar::CityLine(city, now, platform_.timeZones()));
    length += lines.back().size();
  }
  // The icon takes a hint of at most 63 characters: without the date when the cities need room,
  // and with as many cities as fit.
  std::string hint = timeHint;
  if (length > kLongestTrayHint) hint = "Время " + clockface::FormatPicture(platform_.clock().LongTimeFormat(), now);
  for (const std::string& line : lines) {
    if (hint.size() + line.size() > kLongestTrayHint) break;
    hint += line;
  }
  return hint;
}
