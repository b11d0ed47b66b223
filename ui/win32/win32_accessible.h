// Internal to the Windows backend: what screen readers learn of a window of the program. The
// system's own description of the window's client area, with the control's accessible name and
// its drawn children (pictures and buttons without a window) as elements. Include <windows.h>
// and ui/win32/win32_backend.h first.
#pragma once

#include <memory>

namespace ui {
class TWinControl;
}

namespace ui::win32 {

// Answers WM_GETOBJECT for the client area of `hwnd`, the window of `*control` (null once the
// control is gone). False when the request is for another object: leave it to the system.
bool AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const std::shared_ptr<TWinControl*>& control,
                     LRESULT& result);
// Tells screen readers that the name of the client area of `hwnd` changed.
void AnnounceNameChange(HWND hwnd);

}  // namespace ui::win32
