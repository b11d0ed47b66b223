#include <windows.h>

#include "platform/win32/desktop_win32.h"

#include "platform/win32/cp1251.h"

namespace platform {

namespace {

// A window of another application that does not answer within this time is given up on; a
// hung one at once.
constexpr UINT kCaptionTimeoutMs = 500;
constexpr UINT kRestoreTimeoutMs = 5000;

HWND Window(WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

WindowHandle Win32Desktop::ForegroundWindow() { return reinterpret_cast<WindowHandle>(GetForegroundWindow()); }

bool Win32Desktop::WindowExists(WindowHandle window) { return window != 0 && IsWindow(Window(window)); }

std::string Win32Desktop::WindowCaption(WindowHandle window) {
  HWND hwnd = Window(window);
  if (!hwnd || !IsWindow(hwnd)) return {};
  // Wide text, written as cp1251 whatever the system's ANSI code page is.
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(std::size_t(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(std::size_t(copied > 0 ? copied : 0));
  return win32::NarrowCp1251(text);
}

namespace {

// The caption is set by a message to the window's own thread; a hung application must not
// hold up the clock, so the message is given up after a while (or at once if it is hung).
void SendCaption(WindowHandle window, const std::string& caption, UINT timeoutMs) {
  HWND hwnd = Window(window);
  if (!hwnd || !IsWindow(hwnd)) return;
  std::wstring text = win32::WidenCp1251(caption);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                      timeoutMs, &result);
}

}  // namespace

void Win32Desktop::SetWindowCaption(WindowHandle window, const std::string& caption) {
  SendCaption(window, caption, kCaptionTimeoutMs);
}

// A message given up on may never arrive once the program has ended, so the restoring one waits
// for a busy (not hung) application.
void Win32Desktop::RestoreWindowCaption(WindowHandle window, const std::string& caption) {
  SendCaption(window, caption, kRestoreTimeoutMs);
}

}  // namespace platform
