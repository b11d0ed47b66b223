// The panel's peer: a child window of the program's own class that paints the panel's surface
// and its graphic children off screen, and routes mouse input to them as a form does.
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include "ui/panels.h"
#include "ui/win32/win32_helpers.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

namespace {

const wchar_t kPanelClass[] = L"HoravoPanel";

TPoint PointOf(LPARAM lParam) { return {int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))}; }
TShiftState ShiftOf(WPARAM wParam) { return ShiftFromMouseKeys(unsigned(wParam), GetKeyState(VK_MENU) < 0); }

class Win32PanelPeer : public Win32ControlPeer<PanelPeer> {
 public:
  Win32PanelPeer(Backend& backend, TPanel& panel) : Win32ControlPeer(backend, panel), panel_(panel) {
    RegisterClassOnce(backend.Instance(), kPanelClass, DefWindowProcW, CS_DBLCLKS);
    Create(kPanelClass, WS_CLIPCHILDREN);
  }
  // The caption is drawn with the surface, not kept as the window's text.
  void SetCaption(const std::string&) override { Repaint(); }

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (msg) {
      case WM_ERASEBKGND:
        result = 1;  // the whole surface is painted from an off-screen bitmap
        return true;
      case WM_PAINT:
        Paint();
        return true;
      case WM_LBUTTONDOWN:
        ButtonDown(TMouseButton::mbLeft, wParam, lParam);
        return true;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
        ButtonDown(TMouseButton::mbRight, wParam, lParam);
        return true;
      case WM_MBUTTONDOWN:
      case WM_MBUTTONDBLCLK:
        ButtonDown(TMouseButton::mbMiddle, wParam, lParam);
        return true;
      case WM_LBUTTONDBLCLK: {
        SetCapture(Handle());
        panel_.RouteDblClick(PointOf(lParam));
        return true;
      }
      case WM_LBUTTONUP:
        ButtonUp(TMouseButton::mbLeft, wParam, lParam);
        return true;
      case WM_RBUTTONUP:
        ButtonUp(TMouseButton::mbRight, wParam, lParam);
        return true;
      case WM_MBUTTONUP:
        ButtonUp(TMouseButton::mbMiddle, wParam, lParam);
        return true;
      case WM_MOUSEMOVE:
        if (!trackingLeave_) {
          TRACKMOUSEEVENT track{};
          track.cbSize = sizeof track;
          track.dwFlags = TME_LEAVE;
          track.hwndTrack = Handle();
          trackingLeave_ = TrackMouseEvent(&track);
        }
        panel_.RouteMouseMove(ShiftOf(wParam), PointOf(lParam));
        return true;
      case WM_MOUSELEAVE:
        trackingLeave_ = false;
        panel_.RouteMouseLeave();
        return true;
      case WM_CAPTURECHANGED:
        // Something else took the mouse in the middle of a press (the window move loop): the
        // press is over without a release or a click.
        if (!releasingCapture_ && HWND(lParam) != Handle()) panel_.CancelMouseCapture();
        return true;
      default:
        return false;
    }
  }

 private:
  void Paint() {
    PaintBuffered(Handle(), backend_, false, [this](GdiCanvas& canvas, int, int) {
      CallModel([this, &canvas] {
        panel_.PaintSurface(canvas);
        panel_.PaintControls(canvas);
      });
    });
  }

  void ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    SetCapture(Handle());
    panel_.RouteMouseDown(button, ShiftOf(wParam), PointOf(lParam));
  }

  void ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    if (GetCapture() == Handle() && !(wParam & kAnyButton)) {
      releasingCapture_ = true;
      ReleaseCapture();
      releasingCapture_ = false;
    }
    panel_.RouteMouseUp(button, ShiftOf(wParam), PointOf(lParam));
  }

  TPanel& panel_;
  bool trackingLeave_ = false;
  bool releasingCapture_ = false;
};

}  // namespace

std::unique_ptr<PanelPeer> NewPanelPeer(Backend& backend, TPanel& panel) {
  return std::make_unique<Win32PanelPeer>(backend, panel);
}

}  // namespace ui::win32
