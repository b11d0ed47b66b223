// The clock from the keyboard, while its window has the focus: the menu key and Shift+F10 open
// its menu, Enter the event page, Esc hides it to the tray, the arrows move it by a pixel (ten
// with Shift). One table of shortcuts: a new one is a row and a method.
#include <iterator>

#include "app/main_window.h"
#include "clock/face_name.h"

namespace {

struct Shortcut {
  unsigned key;
  ui::TShiftState shift;  // exactly these of Shift, Ctrl and Alt
  void (TForm1::*run)();
};

constexpr ui::TShiftState kModifiers = ui::ssShift | ui::ssCtrl | ui::ssAlt;

constexpr Shortcut kShortcuts[] = {
    {ui::kKeyApps, 0, &TForm1::OpenMenuFromKeyboard},
    {ui::kKeyF10, ui::ssShift, &TForm1::OpenMenuFromKeyboard},
    {ui::kKeyReturn, 0, &TForm1::OpenEventPage},
    {ui::kKeyEscape, 0, &TForm1::HideToTray},
    {ui::kKeyK, ui::ssCtrl, &TForm1::OpenCalendar},
};

}  // namespace

void TForm1::FormKeyDown(ui::TComponent*, unsigned& key, ui::TShiftState shift) {
  const ui::TShiftState modifiers = shift & kModifiers;
  for (const Shortcut& s : kShortcuts) {
    if (s.key != key || s.shift != modifiers) continue;
    key = 0;
    (this->*s.run)();
    return;
  }
  if ((modifiers & ~ui::ssShift) != 0) return;
  const int step = modifiers & ui::ssShift ? 10 : 1;
  int dx = 0, dy = 0;
  switch (key) {
    case ui::kKeyLeft: dx = -step; break;
    case ui::kKeyRight: dx = step; break;
    case ui::kKeyUp: dy = -step; break;
    case ui::kKeyDown: dy = step; break;
    default: return;
  }
  key = 0;
  SetBounds(Left() + dx, Top() + dy, Width(), Height());
}

void TForm1::OpenMenuFromKeyboard() {
  // At the face's top left corner, as the menu would open under the pointer there.
  const ui::TPoint at = ClientToScreen({0, 0});
  PopupMenu2->PopupComponent = this;
  PopupMenu2->Popup(at.x, at.y);
}

void TForm1::OpenEventPage() { N8Click(N8); }

void TForm1::HideToTray() {
  if (!TrayIcon1->Visible()) N6Click(N6);
}

void TForm1::UpdateFaceName() {
  clockface::FaceReading reading;
  reading.first = Label2->Caption();
  reading.second = Label3->Caption();
  reading.third = Label4->Caption();
  reading.showsThird = Label4->Visible();
  reading.dateLine = Label1->Caption();
  reading.stopwatch = stopwatchMode == 1;
  reading.uptime = uptimeMode == 1;
  SetAccessibleName(clockface::FaceName(reading));
  // A screen reader hears of the change once a minute (or when the face changes mode), not
  // with every second the face shows.
  std::string key = clockface::FaceAnnouncementKey(reading);
  if (key == announcedFace_) return;
  const bool first = announcedFace_.empty();
  announcedFace_ = std::move(key);
  if (!first) AnnounceAccessibleName();
}
