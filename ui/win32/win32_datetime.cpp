// The date and time picker's peer: the system's date and time picker, in time mode with the
// user's long time format and a spin button, in date mode with the user's short date format
// and a drop-down calendar.
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include "ui/datetimepicker.h"
#include "platform/win32/system_time.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

using platform::win32::FromSystemTime;
using platform::win32::ToSystemTime;

namespace {

DWORD KindStyle(bool time) { return time ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT; }

class Win32DateTimePickerPeer : public Win32ControlPeer<DateTimePickerPeer> {
 public:
  Win32DateTimePickerPeer(Backend& backend, TDateTimePicker& picker)
      : Win32ControlPeer(backend, picker), picker_(picker) {
    Create(DATETIMEPICK_CLASSW, WS_TABSTOP | KindStyle(picker.Kind() == TDateTimeKind::dtkTime));
    SetValue(picker.DateTime());
  }

  void SetCaption(const std::string&) override {}

  void SetTimeMode(bool time) override {
    if (!Handle()) return;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = (style & ~LONG_PTR(DTS_TIMEFORMAT | DTS_LONGDATEFORMAT)) | LONG_PTR(KindStyle(time));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    // Back to the user's format of the new kind.
    SendMessageW(Handle(), DTM_SETFORMATW, 0, 0);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Repaint();
  }

  void SetValue(const platform::DateTime& value) override {
    if (!Handle()) return;
    SYSTEMTIME st = ToSystemTime(value);
    pushing_ = true;
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&st));
    pushing_ = false;
  }

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case DTN_DATETIMECHANGE: {
        auto& change = reinterpret_cast<NMDATETIMECHANGE&>(header);
        if (!pushing_ && change.dwFlags == GDT_VALID) picker_.ValueEdited(FromSystemTime(change.st));
        result = 0;
        return true;
      }
      case DTN_DROPDOWN:
        picker_.DropDown();
        return true;
      case DTN_CLOSEUP:
        picker_.CloseUp();
        return true;
      default:
        return false;
    }
  }

  bool OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT&) override {
    if (msg != WM_CONTEXTMENU) return false;
    POINT at{int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))};
    if (lParam == -1) {  // from the keyboard: at the control's top-left corner
      at = {0, 0};
      ClientToScreen(Handle(), &at);
    }
    return picker_.ContextPopup({at.x, at.y});
  }

 private:
  TDateTimePicker& picker_;
  bool pushing_ = false;
};

}  // namespace

std::unique_ptr<DateTimePickerPeer> NewDateTimePickerPeer(Backend& backend, TDateTimePicker& picker) {
  return std::make_unique<Win32DateTimePickerPeer>(backend, picker);
}

}  // namespace ui::win32
