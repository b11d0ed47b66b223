#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>
#include <stdexcept>

#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/dpi.h"

namespace ui::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 1;
UINT nextControlId = 100;
}  // namespace

Win32ChildWindow::~Win32ChildWindow() {
  if (!hwnd_) return;
  if (Win32FormPeer* form = backend_.FormOf(hwnd_)) form->RemoveChildTool(hwnd_);
  comctl::RemoveSubclass(hwnd_, SubclassProc, kSubclassId);
  DestroyWindow(hwnd_);
}

Win32ChildWindow* Win32ChildWindow::FromHandle(HWND hwnd) {
  DWORD_PTR data = 0;
  if (hwnd && comctl::GetSubclass(hwnd, SubclassProc, kSubclassId, &data))
    return reinterpret_cast<Win32ChildWindow*>(data);
  return nullptr;
}

bool Win32ChildWindow::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  bool handled = false;
  switch (msg) {
    case WM_COMMAND:
      if (auto* child = FromHandle(HWND(lParam))) {
        unsigned code = HIWORD(wParam);
        CallModel([&] { handled = child->OnCommand(code, result); });
      }
      break;
    case WM_NOTIFY:
      if (auto* header = reinterpret_cast<NMHDR*>(lParam))
        if (auto* child = FromHandle(header->hwndFrom)) CallModel([&] { handled = child->OnNotify(*header, result); });
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      // In high contrast the controls keep the system's colours.
      if (auto* child = FromHandle(HWND(lParam)); child && !child->InSystemColors())
        CallModel([&] { handled = child->OnColor(HDC(wParam), result); });
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // From a scrolling control (a track bar); a window's own scroll bars send no handle.
      if (auto* child = FromHandle(HWND(lParam))) {
        unsigned code = LOWORD(wParam);
        CallModel([&] { handled = child->OnScroll(code, result); });
      }
      break;
    case WM_DRAWITEM:
      // Menu items are drawn by the backend; controls by their own peers.
      if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam); item && item->CtlType != ODT_MENU)
        if (auto* child = FromHandle(item->hwndItem)) CallModel([&] { handled = child->OnDrawItem(*item, result); });
      break;
    default:
      break;
  }
  return handled;
}

bool Win32ChildWindow::InSystemColors() const {
  Win32FormPeer* form = hwnd_ ? backend_.FormOf(hwnd_) : nullptr;
  return form && form->InSystemColors();
}

void Win32ChildWindow::Create(const wchar_t* className, DWORD style, DWORD exStyle) {
  HWND parent = HandleOf(control_.Parent());
  if (!parent) return;
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) style |= WS_VISIBLE;
  if (!control_.Enabled()) style |= WS_DISABLED;
  if (!comctl::Ensure()) throw std::runtime_error("Не удалось создать элемент управления");
  TRect r = ScaleRect(control_.BoundsRect(), control_.Dpi());
  hwnd_ = CreateWindowExW(exStyle, className, Widen(control_.Caption()).c_str(), style, r.left, r.top,
                          std::max(r.Width(), 0), std::max(r.Height(), 0), parent, HMENU(UINT_PTR(nextControlId++)),
                          backend_.Instance(), nullptr);
  if (!hwnd_) throw std::runtime_error("Не удалось создать элемент управления");
  comctl::SetSubclass(hwnd_, SubclassProc, kSubclassId, DWORD_PTR(this));
  ApplyFont(control_.Font());
  if (Win32FormPeer* form = backend_.FormOf(hwnd_)) form->AddChildTool(hwnd_);
}

bool Win32ChildWindow::ColorAs(HDC dc, TColor background, TColor text, LRESULT& result) {
  SetBkColor(dc, ResolveColor(background));
  SetTextColor(dc, ResolveColor(text));
  result = LRESULT(backend_.Brush(background));
  return true;
}

void Win32ChildWindow::ApplyBounds(TRect r) {
  r = ScaleRect(r, control_.Dpi());
  if (hwnd_)
    SetWindowPos(hwnd_, nullptr, r.left, r.top, std::max(r.Width(), 0), std::max(r.Height(), 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ChildWindow::ApplyVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32ChildWindow::ApplyEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Win32ChildWindow::ApplyCaption(const std::string& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void Win32ChildWindow::ApplyFont(const TFont& font) {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, WPARAM(backend_.Font(font, false, control_.Dpi())), TRUE);
}

void Win32ChildWindow::Repaint() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ChildWindow::Focus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

LRESULT CALLBACK Win32ChildWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32ChildWindow*>(data);
  LRESULT result = 0;
  // A container (group box, panel, page) passes its children's notifications on.
  if (Reflect(msg, wParam, lParam, result)) return result;
  bool handled = false;
  CallModel([&] { handled = self->OnMessage(msg, wParam, lParam, result); });
  if (handled) return result;
  if (msg == WM_SETFOCUS) {
    // The model follows the focus wherever it went (a click, the system), so that the window
    // gives it back to this control when it is activated again.
    if (Win32FormPeer* form = self->backend_.FormOf(hwnd)) {
      TWinControl* control = &self->control_;
      CallModel([form, control] { form->Form().FocusMoved(control); });
    }
  }
  if (msg == WM_NCDESTROY) {
    comctl::RemoveSubclass(hwnd, SubclassProc, id);
    self->hwnd_ = nullptr;
  }
  return comctl::DefSubclass(hwnd, msg, wParam, lParam);
}

}  // namespace ui::win32
