// Internal to the Windows backend: the peer of a windowed control that contains others and
// draws itself (panel, group box, page of a page control). Its window is of the program's own
// class; it paints its surface and its graphic children off screen and routes mouse input to
// them as a form does. Include <windows.h> and ui/win32/win32_backend.h first.
#pragma once

#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/win32/win32_accessible.h"
#include "ui/win32/win32_helpers.h"

namespace ui::win32 {

template <class PeerInterface>
class Win32ContainerPeer : public Win32ControlPeer<PeerInterface> {
 public:
  Win32ContainerPeer(Backend& backend, TWinControl& control)
      : Win32ControlPeer<PeerInterface>(backend, control), accessible_(std::make_shared<TWinControl*>(&control)) {}
  ~Win32ContainerPeer() override { *accessible_ = nullptr; }
  // A container's caption is drawn with its surface.
  void SetCaption(const std::string&) override { this->Repaint(); }
  void InvalidateRect(TRect r) override {
    const int dpi = this->Control().Dpi();
    if (dpi != kDesignDpi) r = ScaleRect(r, dpi), r = {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
    RECT rect{r.left, r.top, r.right, r.bottom};
    if (this->Handle()) ::InvalidateRect(this->Handle(), &rect, FALSE);
  }

 protected:
  // Registers the window class and creates the window; the derived constructor calls it.
  void CreateContainer(const wchar_t* className) {
    RegisterClassOnce(this->backend_.Instance(), className, DefWindowProcW, CS_DBLCLKS);
    this->Create(className, WS_CLIPCHILDREN);
  }

  // Paints the control's own surface, in its client coordinates; the graphic children follow.
  virtual void PaintSurface(GdiCanvas& canvas, int width, int height) = 0;

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    TWinControl& control = this->Control();
    switch (msg) {
      case WM_GETOBJECT:
        // Its drawn children (speed buttons, pictures) are told to screen readers.
        return AnswerGetObject(this->Handle(), wParam, lParam, accessible_, result);
      case WM_ERASEBKGND:
        result = 1;  // the whole surface is painted from an off-screen bitmap
        return true;
      case WM_PAINT:
        PaintBuffered(
            this->Handle(), this->backend_, false,
            [this, &control](GdiCanvas& canvas, int width, int height) {
              if (Win32FormPeer* form = this->backend_.FormOf(this->Handle())) canvas.SetSystemColors(form->InSystemColors());
              CallModel([&] {
                PaintSurface(canvas, width, height);
                control.PaintControls(canvas);
              });
            },
            control.Dpi());
        return true;
      case WM_PRINTCLIENT: {
        // A themed child draws this surface under its see-through parts.
        RECT client{};
        GetClientRect(this->Handle(), &client);
        GdiCanvas canvas(this->backend_, HDC(wParam), false, kEverywhere, control.Dpi());
        const TRect designed = UnscaleRectOutward({0, 0, int(client.right), int(client.bottom)}, control.Dpi());
        PaintSurface(canvas, designed.right, designed.bottom);
        control.PaintControls(canvas);
        result = 0;
        return true;
      }
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
      case WM_LBUTTONDBLCLK:
        SetCapture(this->Handle());
        control.RouteDblClick(PointOf(lParam, control));
        return true;
      case WM_LBUTTONUP:
        ButtonUp(TMouseButton::mbLeft, wParam, lParam);
        return true;
      case WM_RBUTTONUP:
        ButtonUp(TMouseButton::mbRight, wParam, lParam);
        return true;
      case WM_MBUTTONUP:
        ButtonUp(TMouseButton::mbMiddle, wParam, lParam);
        return true;
      case WM_MOUSEMOVE: {
        if (!trackingLeave_) {
          TRACKMOUSEEVENT track{};
          track.cbSize = sizeof track;
          track.dwFlags = TME_LEAVE;
          track.hwndTrack = this->Handle();
          trackingLeave_ = TrackMouseEvent(&track);
        }
        control.RouteMouseMove(ShiftOf(wParam), PointOf(lParam, control));
        HoverMayHaveChanged();
        return true;
      }
      case WM_MOUSELEAVE:
        trackingLeave_ = false;
        control.RouteMouseLeave();
        HoverMayHaveChanged();
        return true;
      case WM_CAPTURECHANGED:
        // Something else took the mouse in the middle of a press (the window move loop): the
        // press is over without a release or a click.
        if (!releasingCapture_ && HWND(lParam) != this->Handle()) control.CancelMouseCapture();
        return true;
      default:
        return false;
    }
  }

 private:
  // In designed pixels.
  static TPoint PointOf(LPARAM lParam, const TControl& control) {
    return UnscalePoint({int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))}, control.Dpi());
  }
  static TShiftState ShiftOf(WPARAM wParam) {
    return ShiftFromMouseKeys(unsigned(wParam), GetKeyState(VK_MENU) < 0);
  }

  void ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    SetCapture(this->Handle());
    this->Control().RouteMouseDown(button, ShiftOf(wParam), PointOf(lParam, this->Control()));
  }

  void ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    if (GetCapture() == this->Handle() && !(wParam & kAnyButton)) {
      releasingCapture_ = true;
      ReleaseCapture();
      releasingCapture_ = false;
    }
    this->Control().RouteMouseUp(button, ShiftOf(wParam), PointOf(lParam, this->Control()));
    HoverMayHaveChanged();
  }

  // Another graphic child under the pointer (or a click that changed a hint) gets its own tip.
  void HoverMayHaveChanged() {
    const TControl* hover = this->Control().HoverControl();
    std::string hint = ShownHint(hover ? hover : &this->Control());
    if (hint == shownHint_) return;
    shownHint_ = hint;
    if (Win32FormPeer* form = this->backend_.FormOf(this->Handle())) form->ChildHintChanged(this->Handle());
  }

  bool trackingLeave_ = false;
  bool releasingCapture_ = false;
  std::string shownHint_;
  std::shared_ptr<TWinControl*> accessible_;
};

}  // namespace ui::win32
