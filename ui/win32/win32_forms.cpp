#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/late_bound.h"
#include "ui/dpi.h"
#include "ui/forms.h"
#include "ui/win32/win32_accessible.h"
#include "ui/win32/win32_helpers.h"

namespace ui::win32 {

namespace {

const wchar_t kFormClass[] = L"HoravoForm";

struct WindowStyles {
  DWORD style;
  DWORD exStyle;
};

// The frame of each border style. Width and Height always mean the whole window, so a framed
// form's client area is smaller by its frame. A sizeable form gets a fixed frame as well: the
// model follows the window's moves, not its sizes.
WindowStyles StylesFor(TBorderStyle border) {
  switch (border) {
    case TBorderStyle::bsNone:
      return {WS_POPUP | WS_CLIPCHILDREN, 0};
    case TBorderStyle::bsDialog:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
    case TBorderStyle::bsToolWindow:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW};
    case TBorderStyle::bsSingle:
    case TBorderStyle::bsSizeable:
      break;
  }
  return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0};
}

constexpr DWORD kFrameStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

TPoint PointOf(LPARAM lParam) { return {int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))}; }
// A point of a form's client area in designed pixels.
TPoint DesignedPointOf(const TForm& form, LPARAM lParam) { return UnscalePoint(PointOf(lParam), form.Dpi()); }

TShiftState ShiftOf(WPARAM wParam) { return ShiftFromMouseKeys(unsigned(wParam), GetKeyState(VK_MENU) < 0); }

// One tool covering the whole form; its text follows the control under the pointer.
TOOLINFOW FormTool(HWND form) {
  TOOLINFOW ti{};
  // The size of the version-5 structure: the control of every Windows version accepts it.
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = form;
  ti.uId = UINT_PTR(form);
  return ti;
}

}  // namespace

namespace {

// The frame at a given density where the system draws frames per monitor (Windows 10 1607 and
// later), else at the system's.
TSize FrameAt(TBorderStyle border, int dpi) {
  if (border == TBorderStyle::bsNone) return {0, 0};
  WindowStyles styles = StylesFor(border);
  RECT r{0, 0, 0, 0};
  using AdjustForDpiFn = BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT);
  static auto* adjustForDpi = platform::win32::LateBound<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&r, styles.style, FALSE, styles.exStyle, UINT(dpi)))
    AdjustWindowRectEx(&r, styles.style, FALSE, styles.exStyle);
  return {int(r.right - r.left), int(r.bottom - r.top)};
}

int WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT WINAPI(HWND);
  static auto* getDpi = platform::win32::LateBound<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  return getDpi ? int(getDpi(hwnd)) : 0;
}

}  // namespace

// The designed frame: what a form's designed Width and Height include.
TSize FormFrameSize(TBorderStyle border) { return FrameAt(border, kDesignDpi); }

RECT Win32FormPeer::WindowRectFor(TRect r) const {
  const int dpi = form_.Dpi();
  TBorderStyle border = form_.BorderStyle();
  if (hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CAPTION) == 0) border = TBorderStyle::bsNone;
  const TSize size = ScaledWindowSize({std::max(r.Width(), 0), std::max(r.Height(), 0)}, FormFrameSize(border),
                                      FrameAt(border, dpi), dpi);
  return {r.left, r.top, r.left + std::max(int(size.cx), 0), r.top + std::max(int(size.cy), 0)};
}

void Win32FormPeer::DpiChanged(int dpi, const RECT& suggested) {
  placing_ = true;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  placing_ = false;
  const TRect at{int(suggested.left), int(suggested.top), int(suggested.right), int(suggested.bottom)};
  CallModel([this, dpi, at] { form_.ChangeDpi(dpi, at); });
}

Win32FormPeer::Win32FormPeer(Backend& backend, TForm& form)
    : backend_(backend), form_(form), accessible_(std::make_shared<TWinControl*>(&form)) {
  RegisterClassOnce(backend.Instance(), kFormClass, WindowProc, CS_DBLCLKS);
  colorKey_ = form.TransparentColor();
  keyColor_ = form.TransparentColorValue();
  alphaBlend_ = form.AlphaBlend();
  alpha_ = form.AlphaBlendValue();
  stayOnTop_ = form.FormStyle() == TFormStyle::fsStayOnTop;

  WindowStyles styles = StylesFor(form.BorderStyle());
  if (!form.SystemMenu) styles.style &= ~DWORD(WS_SYSMENU);
  if (!form.Enabled()) styles.style |= WS_DISABLED;
  DWORD exStyle = styles.exStyle | (stayOnTop_ ? WS_EX_TOPMOST : 0);
  // Made for the density of the monitor it will stand on.
  TRect r = form.BoundsRect();
  form.SetInitialDpi(backend.MonitorDpi(RECT{r.left, r.top, r.left + std::max(r.Width(), 1), r.top + std::max(r.Height(), 1)}));
  RECT w = WindowRectFor(r);
  placing_ = true;
  // Owned by the application window: owned windows get no task-bar button of their own.
  CreateWindowExW(exStyle, kFormClass, Widen(form.Caption()).c_str(), styles.style, w.left, w.top, w.right - w.left,
                  w.bottom - w.top, backend.OwnerWindow(), nullptr, backend.Instance(), this);
  placing_ = false;
  if (!hwnd_) throw std::runtime_error("Не удалось создать окно");
  // The system knows best which monitor the window ended on.
  const int dpi = WindowDpi(hwnd_);
  if (dpi > 0 && dpi != form.Dpi()) {
    form.SetInitialDpi(dpi);
    SetBounds(form.BoundsRect());
  }
  ApplyLayering();
  // The tool-tip is made when the window is first shown or pointed at (CreateTip): hints need
  // a window on the screen, and most windows start hidden.
  backend.AddForm(this);
  if (form.Visible()) SetVisible(true);
}

void Win32FormPeer::CreateTip() {
  tipMade_ = true;
  if (!comctl::Ensure()) return;
  tip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, backend_.Instance(), nullptr);
  if (!tip_) return;
  TOOLINFOW ti = FormTool(hwnd_);
  ti.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip_, TTM_ADDTOOLW, 0, LPARAM(&ti));
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);  // lets a hint break into lines at its line ends
  ApplyHintTiming();
  // The controls made before the tip share it from now on.
  EnumChildWindows(hwnd_, AddToolOfChild, LPARAM(this));
}

BOOL CALLBACK Win32FormPeer::AddToolOfChild(HWND child, LPARAM self) {
  if (Win32ChildWindow::FromHandle(child)) reinterpret_cast<Win32FormPeer*>(self)->AddChildTool(child);
  return TRUE;
}

Win32FormPeer::~Win32FormPeer() {
  *alive_ = false;
  *accessible_ = nullptr;
  backend_.RemoveForm(this);
  if (tip_) DestroyWindow(tip_);
  if (hwnd_) {
    // Messages sent while the window goes must not reach a half-destroyed form.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  backend_.UpdateTaskbarButton();
}

void Win32FormPeer::ApplyHintTiming() {
  if (!tip_) return;
  const Backend::HintTiming& t = backend_.Hints();
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(TooltipDelay(t.pause), 0));
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(TooltipDelay(t.shortPause), 0));
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(TooltipDelay(t.hidePause), 0));
}

void Win32FormPeer::SetBounds(TRect r) {
  if (!hwnd_) return;
  RECT w = WindowRectFor(r);
  placing_ = true;
  SetWindowPos(hwnd_, nullptr, w.left, w.top, w.right - w.left, w.bottom - w.top, SWP_NOZORDER | SWP_NOACTIVATE);
  placing_ = false;
}

namespace {

// Whether the window in the foreground is another program's that covers its whole monitor (a
// game, a film, a presentation): a notice then appears without taking the keyboard from it.
bool ForegroundFillsItsScreen() {
  HWND front = GetForegroundWindow();
  if (!front || front == GetDesktopWindow() || front == GetShellWindow()) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(front, &process);
  if (process == GetCurrentProcessId()) return false;
  RECT window{};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(front, &window) || !GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor))
    return false;
  const RECT& m = monitor.rcMonitor;
  return window.left <= m.left && window.top <= m.top && window.right >= m.right && window.bottom >= m.bottom;
}

}  // namespace

void Win32FormPeer::SetVisible(bool visible) {
  if (!hwnd_) return;
  if (visible) {
    backend_.RunWhenShown(hwnd_);
    // A window of controls gets its tip now, for hints over any of them; a window without
    // (the clock face) when the pointer first comes over it, so that the common controls
    // library is loaded only if the user ever points at it.
    if (!tipMade_ && GetWindow(hwnd_, GW_CHILD)) CreateTip();
    if (layeringPending_) {
      // Applied as if the window were shown already, before it appears.
      layeringPending_ = false;
      ApplyLayeringNow();
    }
    // A borderless window (the clock face, a notice) appears without taking the keyboard from
    // the program the user is typing in; a framed one is a window to work in.
    bool borderless = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CAPTION) == 0;
    bool activate = !borderless || (form_.FocusOnShow && !ForegroundFillsItsScreen());
    ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (activate && borderless) SetForegroundWindow(hwnd_);
    // Some systems (Wine) keep no z-order for a hidden window: place it again once it shows.
    if (stayOnTop_) SetStayOnTop(true);
  } else {
    ShowWindow(hwnd_, SW_HIDE);
  }
  backend_.UpdateTaskbarButton();
}

void Win32FormPeer::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Win32FormPeer::SetCaption(const std::string& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void Win32FormPeer::Invalidate() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32FormPeer::InvalidateRect(TRect r) {
  // One pixel more on each side: rounding never leaves a scaled edge unpainted.
  if (form_.Dpi() != kDesignDpi) r = ScaleRect({r.left, r.top, r.right, r.bottom}, form_.Dpi()), r = {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
  RECT rect{r.left, r.top, r.right, r.bottom};
  if (hwnd_) ::InvalidateRect(hwnd_, &rect, FALSE);
}

void Win32FormPeer::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

void Win32FormPeer::AnnounceName() { AnnounceNameChange(hwnd_); }

bool Win32FormPeer::InSystemColors() const { return form_.InSystemColors(); }

void Win32FormPeer::SystemColorsChanged() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Win32FormPeer::SetBorderless(bool borderless) {
  if (!hwnd_) return;
  TBorderStyle border = form_.BorderStyle();
  if (borderless) border = TBorderStyle::bsNone;
  if (!borderless && border == TBorderStyle::bsNone) border = TBorderStyle::bsSingle;
  WindowStyles styles = StylesFor(border);
  if (!form_.SystemMenu) styles.style &= ~DWORD(WS_SYSMENU);
  auto style = DWORD(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  auto exStyle = DWORD(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  style = (style & ~(kFrameStyles | WS_OVERLAPPED)) | styles.style;
  exStyle = (exStyle & ~kFrameExStyles) | styles.exStyle;
  SetWindowLongPtrW(hwnd_, GWL_STYLE, LONG_PTR(style));
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, LONG_PTR(exStyle));
  placing_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  placing_ = false;
}

void Win32FormPeer::SetStayOnTop(bool onTop) {
  stayOnTop_ = onTop;
  if (!hwnd_) return;
  SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FormPeer::SetTransparentColor(bool on, TColor color) {
  colorKey_ = on;
  keyColor_ = color;
  ApplyLayering();
  Invalidate();  // text is drawn differently on a colour-keyed window
}

void Win32FormPeer::SetAlphaBlend(bool on, int value) {
  alphaBlend_ = on;
  alpha_ = std::clamp(value, 0, 255);
  ApplyLayering();
}

void Win32FormPeer::ApplyLayering() {
  if (!hwnd_) return;
  // A hidden window's opacity is nobody's concern until it shows (a notice fades from the
  // program's start on, many steps a second): the system hears of it then.
  if (!IsWindowVisible(hwnd_)) {
    layeringPending_ = true;
    return;
  }
  layeringPending_ = false;
  ApplyLayeringNow();
}

void Win32FormPeer::ApplyLayeringNow() {
  auto exStyle = DWORD(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  if (!colorKey_ && !alphaBlend_) {
    if (exStyle & WS_EX_LAYERED) {
      SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, LONG_PTR(exStyle & ~DWORD(WS_EX_LAYERED)));
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return;
  }
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, LONG_PTR(exStyle | WS_EX_LAYERED));
  DWORD flags = (colorKey_ ? LWA_COLORKEY : 0) | (alphaBlend_ ? LWA_ALPHA : 0);
  SetLayeredWindowAttributes(hwnd_, ResolveColor(keyColor_), BYTE(alphaBlend_ ? alpha_ : 255), flags);
}

void Win32FormPeer::BringToFront() {
  if (!hwnd_) return;
  if (!IsWindowVisible(hwnd_)) {
    // A window not yet on screen only goes to the top: made the foreground window, it would
    // take the keyboard from the program the user works in while nothing shows.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  SetForegroundWindow(hwnd_);
  BringWindowToTop(hwnd_);
}

void Win32FormPeer::SendSystemCommand(unsigned command) {
  if (hwnd_) SendMessageW(hwnd_, WM_SYSCOMMAND, WPARAM(command), 0);
}

void Win32FormPeer::BeginMove() {
  if (!hwnd_) return;
  // The system's move loop follows the pointer until the button goes up; it needs the mouse.
  ReleaseCapture();
  SendMessageW(hwnd_, WM_SYSCOMMAND, SC_DRAGMOVE_COMMAND, 0);
}

LRESULT CALLBACK Win32FormPeer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The one place where a window finds its peer (and through it its form).
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<Win32FormPeer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(created));
  }
  auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!peer) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return peer->HandleMessage(msg, wParam, lParam);
}

// Calls into the model may destroy this peer (a handler that frees the form); after them the
// code below only touches members when `alive` says the peer still exists.
LRESULT Win32FormPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;
  LRESULT result = 0;
  if (Win32ChildWindow::Reflect(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (backend_.MenuPictureMessage(msg, lParam)) return TRUE;
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header && tip_ && header->hwndFrom == tip_) {
        if (header->code == TTN_GETDISPINFOW) {
          ChildTipText(lParam);
          return 0;
        }
        // The tip's text may reach into the room kept on its right (TipOverhangOf): not clipped.
        if (header->code == UINT(NM_CUSTOMDRAW)) {
          auto* draw = reinterpret_cast<NMTTCUSTOMDRAW*>(lParam);
          if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) draw->uDrawFlags |= DT_NOCLIP;
          return CDRF_DODEFAULT;
        }
      }
      break;
    }
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted from an off-screen bitmap
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      // A themed child (a tab control) draws its parent's surface under its see-through parts.
      RECT client{};
      GetClientRect(hwnd, &client);
      GdiCanvas canvas(backend_, HDC(wParam), colorKey_, kEverywhere, form_.Dpi(),
                       colorKey_ ? std::optional<TColor>(keyColor_) : std::nullopt);
      const TRect designed = UnscaleRectOutward({0, 0, int(client.right), int(client.bottom)}, form_.Dpi());
      canvas.FillRect(designed, form_.Color());
      CallModel([this, &canvas] { form_.PaintControls(canvas); });
      return 0;
    }
    case WM_LBUTTONDOWN:
      ButtonDown(TMouseButton::mbLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // a quick second right click is still a right click
      ButtonDown(TMouseButton::mbRight, wParam, lParam);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      ButtonDown(TMouseButton::mbMiddle, wParam, lParam);
      return 0;
    case WM_LBUTTONDBLCLK: {
      SetCapture(hwnd);
      TPoint p = DesignedPointOf(form_, lParam);
      CallModel([this, p] { form_.RouteDblClick(p); });
      return 0;
    }
    case WM_LBUTTONUP:
      ButtonUp(TMouseButton::mbLeft, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      ButtonUp(TMouseButton::mbRight, wParam, lParam);
      return 0;
    case WM_MBUTTONUP:
      ButtonUp(TMouseButton::mbMiddle, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      MouseMoved(wParam, lParam);
      return 0;
    case WM_MOUSELEAVE: {
      trackingLeave_ = false;
      auto alive = alive_;
      CallModel([this] { form_.RouteMouseLeave(); });
      if (*alive) UpdateHint();
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Something else took the mouse in the middle of a press (the move loop, a menu, another
      // window): the press is over without a release or a click.
      if (!releasingCapture_ && HWND(lParam) != hwnd) CallModel([this] { form_.CancelMouseCapture(); });
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      // The user (or the system) moved the window: the model follows.
      if (!placing_ && !(pos->flags & SWP_NOMOVE) && !IsIconic(hwnd)) {
        TPoint to{pos->x, pos->y};
        CallModel([this, to] { form_.MovedTo(to.x, to.y); });
      }
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) backend_.FormActivated(this);
      else CallModel([this] { form_.Deactivated(); });
      break;
    case 0x02E0: {  // WM_DPICHANGED: moved onto a monitor of another density
      DpiChanged(int(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    case WM_SETFOCUS:
      // The window itself got the focus (it was activated): it goes on to its control.
      CallModel([this] { form_.FocusEntered(); });
      return 0;
    case WM_GETOBJECT:
      if (AnswerGetObject(hwnd, wParam, lParam, accessible_, result)) return result;
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED: {
      const bool highContrast = Backend::HighContrastOn();
      if (msg == WM_SETTINGCHANGE && wParam != SPI_SETHIGHCONTRAST && highContrast == form_.HighContrast()) break;
      auto alive = alive_;
      CallModel([this, highContrast] { form_.SystemColorsChanged(highContrast); });
      if (!*alive) return 0;
      break;
    }
    case WM_CLOSE:
      // The model decides: a form is never destroyed from here.
      CallModel([this] { form_.CloseRequested(); });
      return 0;
    case WM_NCDESTROY:
      // Destroyed by the system (its owner went first): forget the window.
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      tip_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Win32FormPeer::Paint() {
  PaintBuffered(
      hwnd_, backend_, colorKey_,
      [this](GdiCanvas& canvas, int width, int height) {
        canvas.SetSystemColors(form_.InSystemColors());
        canvas.FillRect({0, 0, width, height}, form_.Color());
        CallModel([this, &canvas] { form_.PaintControls(canvas); });
      },
      form_.Dpi(), colorKey_ ? std::optional<TColor>(keyColor_) : std::nullopt);
}

void Win32FormPeer::ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  // The pointer stays ours until the release, even outside the window.
  SetCapture(hwnd_);
  TPoint p = DesignedPointOf(form_, lParam);
  TShiftState shift = ShiftOf(wParam);
  CallModel([this, button, shift, p] { form_.RouteMouseDown(button, shift, p); });
}

void Win32FormPeer::ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam) {
  // Let go of the mouse before the model runs: a right-button release may open a menu.
  constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
  if (GetCapture() == hwnd_ && !(wParam & kAnyButton)) {
    releasingCapture_ = true;
    ReleaseCapture();
    releasingCapture_ = false;
  }
  TPoint p = DesignedPointOf(form_, lParam);
  TShiftState shift = ShiftOf(wParam);
  auto alive = alive_;
  CallModel([this, button, shift, p] { form_.RouteMouseUp(button, shift, p); });
  // A click may have changed the hint under the pointer (the time turning into the stopwatch).
  if (*alive) UpdateHint();
}

void Win32FormPeer::MouseMoved(WPARAM wParam, LPARAM lParam) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    trackingLeave_ = TrackMouseEvent(&track);
  }
  TPoint p = DesignedPointOf(form_, lParam);
  TShiftState shift = ShiftOf(wParam);
  auto alive = alive_;
  const bool firstMove = !tipMade_;
  if (firstMove) CreateTip();
  CallModel([this, shift, p] { form_.RouteMouseMove(shift, p); });
  if (!*alive) return;
  UpdateHint();
  if (firstMove && tip_) {
    // The tip watches the pointer from now on; this move came before it.
    MSG move{hwnd_, WM_MOUSEMOVE, wParam, lParam, 0, {}};
    SendMessageW(tip_, TTM_RELAYEVENT, 0, LPARAM(&move));
  }
}

void Win32FormPeer::UpdateHint() {
  if (!tip_) return;
  // The hint of the control under the pointer, or of its nearest parent that has one.
  const TControl* hover = form_.HoverControl();
  std::string text = ShownHint(hover ? hover : &form_);
  if (text == tipText_) return;
  // Another control's hint waits for the pause again instead of replacing the shown text.
  SendMessageW(tip_, TTM_POP, 0, 0);
  tipText_ = text;
  // An empty text is what keeps the tip away: some tool-tip controls (Wine's) show a tip again
  // on the next mouse move even while deactivated.
  std::wstring wide = Widen(text);
  TOOLINFOW ti = FormTool(hwnd_);
  ti.lpszText = wide.data();
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&ti));
  KeepTipRoomFor(text);
  // Child windows' tools share the tip: it stays active for them.
  SendMessageW(tip_, TTM_ACTIVATE, text.empty() && childTools_ == 0 ? FALSE : TRUE, 0);
}

namespace {

TOOLINFOW ChildTool(HWND form, HWND child) {
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = form;
  ti.uId = UINT_PTR(child);
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  return ti;
}

}  // namespace

void Win32FormPeer::AddChildTool(HWND child) {
  if (!tip_ || !child) return;
  TOOLINFOW ti = ChildTool(hwnd_, child);
  if (SendMessageW(tip_, TTM_ADDTOOLW, 0, LPARAM(&ti))) ++childTools_;
  SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
}

void Win32FormPeer::RemoveChildTool(HWND child) {
  if (!tip_ || !child) return;
  TOOLINFOW ti = ChildTool(hwnd_, child);
  SendMessageW(tip_, TTM_DELTOOLW, 0, LPARAM(&ti));
  if (childTools_ > 0) --childTools_;
}

void Win32FormPeer::ChildHintChanged(HWND child) {
  if (!tip_ || !child) return;
  // The tip asks for the text again when it next shows.
  SendMessageW(tip_, TTM_POP, 0, 0);
  TOOLINFOW ti = ChildTool(hwnd_, child);
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, LPARAM(&ti));
}

void Win32FormPeer::ChildTipText(LPARAM dispInfo) {
  NMTTDISPINFOW& info = *reinterpret_cast<NMTTDISPINFOW*>(dispInfo);
  // The control of the window under the pointer, or of the nearest window around it that has
  // one (the field inside a spin edit); a container names the graphic child under the pointer.
  std::string text;
  for (HWND w = HWND(info.hdr.idFrom); w && w != hwnd_; w = GetParent(w)) {
    if (Win32ChildWindow* child = Win32ChildWindow::FromHandle(w)) {
      const TWinControl& control = child->Control();
      const TControl* hover = control.HoverControl();
      CallModel([&] { text = ShownHint(hover ? hover : &control); });
      break;
    }
  }
  KeepTipRoomFor(text);
  childTipText_ = Widen(text);
  info.lpszText = childTipText_.data();
  info.szText[0] = L'\0';
  info.hinst = nullptr;
}

void Win32FormPeer::KeepTipRoomFor(const std::string& text) {
  RECT margin{0, 0, TipOverhangOf(text), 0};
  SendMessageW(tip_, TTM_SETMARGIN, 0, LPARAM(&margin));
}

int Win32FormPeer::TipOverhangOf(const std::string& text) {
  // Measured as the tip measures it (the extent of the wide text in its own font) and as its
  // glyphs are drawn.
  HFONT font = HFONT(SendMessageW(tip_, WM_GETFONT, 0, 0));
  HDC dc = GetDC(tip_);
  HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(DEFAULT_GUI_FONT));
  std::vector<int> extents;
  std::vector<std::vector<int>> advances;
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  for (const std::string& line : TextLines(text)) {
    std::wstring wide = Widen(line);
    SIZE size{};
    if (!wide.empty()) GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
    extents.push_back(int(size.cx));
    advances.emplace_back();
    for (wchar_t c : wide) {
      GLYPHMETRICS metrics{};
      if (GetGlyphOutlineW(dc, c, GGO_BITMAP, &metrics, 0, nullptr, &identity) != GDI_ERROR)
        advances.back().push_back(metrics.gmCellIncX);
    }
  }
  SelectObject(dc, old);
  ReleaseDC(tip_, dc);
  return TipOverhang(extents, advances);
}

}  // namespace ui::win32
