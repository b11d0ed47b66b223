// Keys offered to their window before the focused control handles them: a window's own
// shortcuts work whichever of its controls has the focus.
#include <windows.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include "ui/forms.h"

namespace ui::win32 {

bool Backend::PreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  Win32FormPeer* form = FormOf(msg.hwnd);
  if (!form || !form->Form().OnShortCut) return false;
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  bool used = false;
  CallModel([&] { used = form->Form().KeyPressed(unsigned(msg.wParam), shift); });
  return used;
}

}  // namespace ui::win32
