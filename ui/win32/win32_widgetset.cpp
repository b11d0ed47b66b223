#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include "ui/win32/win32_widgetset.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "platform/win32/cp1251.h"
#include "platform/win32/late_bound.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/win32/win32_helpers.h"
#include "ui/win32/win32_peers.h"

namespace ui {

namespace win32 {

namespace {

const wchar_t kOwnerClass[] = L"HoravoApplication";
const wchar_t kMessageClass[] = L"HoravoMessages";
// Posted to the owner window when the user activated it (its task-bar button): the form the
// user last worked with takes the activation.
constexpr UINT kActivateLastForm = WM_APP + 1;

// The program's icon: resource number 1, or the name windres scripts usually give it.
HICON ProgramIcon(HINSTANCE instance) {
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  return icon ? icon : LoadIconW(instance, L"MAINICON");
}

}  // namespace

void RegisterClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  wc.hIcon = ProgramIcon(instance);
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc)) throw std::runtime_error("Не удалось зарегистрировать класс окна");
}

namespace {

// Stores the object passed to CreateWindowEx with its window and returns it for later messages.
template <class T>
T* ObjectOf(HWND hwnd, UINT msg, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(object));
    return object;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

void CallModel(const std::function<void()>& fn) {
  try {
    if (HasApplication()) {
      Application().Guard(fn);
    } else {
      fn();
    }
  } catch (...) {
    // Neither a std::exception nor showable: the program goes on with the next message.
  }
}

std::wstring Widen(const std::string& text) { return platform::win32::WidenCp1251(text); }

COLORREF ResolveColor(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return COLORREF(std::uint32_t(color) & 0xFFFFFF);
}

HWND HandleOf(const TWinControl* control) {
  if (!control) return nullptr;
  auto* native = dynamic_cast<NativeWindow*>(control->Peer());
  return native ? native->Handle() : nullptr;
}

// ---- Backend

Backend::Backend() {
  instance_ = GetModuleHandleW(nullptr);
  // The common controls are loaded with the first window that needs them (comctl::Ensure).

  RegisterClassOnce(instance_, kOwnerClass, OwnerProc);
  RegisterClassOnce(instance_, kMessageClass, MessageProc);
  // A zero-sized popup: on screen it is nothing but its task-bar button.
  owner_ = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                           nullptr, nullptr, instance_, this);
  messages_ = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
  if (!owner_ || !messages_) throw std::runtime_error("Не удалось создать окно программы");

  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  // Texts are measured often (every label's caption, every second): on a context of our own
  // rather than on the screen's, which is fetched and given back through the system each time.
  measuring_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;
}

Backend::~Backend() {
  if (measuring_) DeleteDC(measuring_);
  for (auto& [id, entry] : timers_) KillTimer(messages_, id);
  if (messages_) DestroyWindow(messages_);
  if (owner_) DestroyWindow(owner_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HBRUSH Backend::Brush(TColor color) {
  COLORREF rgb = ResolveColor(color);
  auto it = brushes_.find(rgb);
  if (it != brushes_.end()) return it->second;
  HBRUSH made = CreateSolidBrush(rgb);
  if (!made) return HBRUSH(GetStockObject(WHITE_BRUSH));
  brushes_.emplace(rgb, made);
  return made;
}

HFONT Backend::Font(const TFont& font, bool crisp, int dpi) {
  FontKey key{font.name, font.size, font.bold, font.underline, crisp, dpi};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = FontHeight(font.size, dpi > 0 ? dpi : 96);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  // The program's texts are cp1251: ask for the Cyrillic character set.
  lf.lfCharSet = RUSSIAN_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = crisp ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::wstring face = Widen(font.name);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT made = CreateFontIndirectW(&lf);
  if (!made) return HFONT(GetStockObject(DEFAULT_GUI_FONT));  // not cached: stock objects are never deleted
  fonts_.emplace(key, made);
  return made;
}

TSize Backend::MeasureText(const std::string& text, const TFont& font, int dpi) {
  const bool own = measuring_ != nullptr;
  HDC dc = own ? measuring_ : GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font(font, false, dpi));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  TSize total;
  for (const std::string& line : TextLines(text)) {
    std::wstring wide = Widen(line);
    SIZE s{};
    if (!wide.empty()) GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &s);
    total.cx = std::max(total.cx, int(s.cx));
    total.cy += tm.tmHeight;
  }
  SelectObject(dc, old);
  if (!own) ReleaseDC(nullptr, dc);
  if (dpi != kDesignDpi && dpi > 0) total = {(total.cx * kDesignDpi + dpi - 1) / dpi, (total.cy * kDesignDpi + dpi - 1) / dpi};
  return total;
}

int Backend::MonitorDpi(RECT r) const {
  using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
  static auto* getDpi = platform::win32::LateBound<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpi && getDpi(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK && y > 0) return int(y);
  return dpi_;
}

const Image& Backend::Scaled(const Image& image, int width, int height, bool keepKey, std::uint32_t extraKey,
                             bool hasExtraKey) {
  // FNV-1a over the pixels: a picture replaced by another of the same size is told apart.
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t p : image.pixels) hash = (hash ^ p) * 1099511628211ull;
  const std::uint32_t own = keepKey ? image.TransparentKey() : 0xFFFFFFFFu;
  const std::uint32_t extra = hasExtraKey ? extraKey : 0xFFFFFFFFu;
  for (const ScaledPicture& s : scaled_)
    if (s.hash == hash && s.sourceWidth == image.width && s.sourceHeight == image.height && s.width == width &&
        s.height == height && s.keys[0] == own && s.keys[1] == extra)
      return s.image;
  // A few dozen pictures at most are drawn scaled at a time (a window's backgrounds, buttons
  // and icons); older ones go first.
  if (scaled_.size() >= 64) scaled_.erase(scaled_.begin());
  Image made = ScaleImage(image, width, height, {own, extra});
  scaled_.push_back({hash, image.width, image.height, width, height, {own, extra}, std::move(made)});
  return scaled_.back().image;
}

UINT_PTR Backend::AddTimer(TTimer& timer) {
  UINT_PTR id = nextTimerId_++;  // never reused, so a stale WM_TIMER cannot reach another timer
  timers_[id] = {&timer, false};
  return id;
}

void Backend::RemoveTimer(UINT_PTR id) {
  KillTimer(messages_, id);
  timers_.erase(id);
}

void Backend::StartTimer(UINT_PTR id, int intervalMs) {
  // SetTimer with an existing id replaces that timer: the count starts again.
  SetTimer(messages_, id, UINT(std::max(intervalMs, 1)), nullptr);
}

void Backend::StopTimer(UINT_PTR id) { KillTimer(messages_, id); }

void Backend::FireTimer(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;  // stopped and removed; the message was already queued
  // A handler that runs a modal loop (a message box) lets WM_TIMER through; the same timer's
  // ticks are skipped until its handler returns instead of stacking handler upon handler.
  if (it->second.firing) return;
  it->second.firing = true;
  TTimer* timer = it->second.timer;
  CallModel([timer] { timer->Fire(); });
  it = timers_.find(id);  // the handler may have destroyed the timer
  if (it != timers_.end()) it->second.firing = false;
}

void Backend::WhenShown(HWND form, const void* owner, std::function<void()> work) {
  waiting_.push_back({form, owner, std::move(work)});
}

void Backend::CancelWhenShown(const void* owner) {
  std::erase_if(waiting_, [owner](const Waiting& w) { return w.owner == owner; });
}

void Backend::RunWhenShown(HWND form) {
  // Taken out first: the work creates windows, and may register or cancel other work.
  std::vector<std::function<void()>> due;
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    if (it->form == form) {
      due.push_back(std::move(it->work));
      it = waiting_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& work : due) work();
}

void Backend::AddForm(Win32FormPeer* form) { forms_.push_back(form); }

void Backend::RemoveForm(Win32FormPeer* form) {
  std::erase(forms_, form);
  if (lastActive_ == form) lastActive_ = nullptr;
}

void Backend::FormActivated(Win32FormPeer* form) { lastActive_ = form; }

Win32FormPeer* Backend::FormOf(HWND child) const {
  HWND root = child ? GetAncestor(child, GA_ROOT) : nullptr;
  for (Win32FormPeer* form : forms_)
    if (root && form->Handle() == root) return form;
  return nullptr;
}

void Backend::UpdateTaskbarButton() {
  bool want = !taskbarHidden_ && std::any_of(forms_.begin(), forms_.end(), [](Win32FormPeer* f) { return f->Shown(); });
  bool shown = IsWindowVisible(owner_);
  if (want && !shown) ShowWindow(owner_, SW_SHOWNOACTIVATE);
  if (!want && shown) ShowWindow(owner_, SW_HIDE);
}

void Backend::SetTitle(const std::string& title) { SetWindowTextW(owner_, Widen(title).c_str()); }

void Backend::HideTaskbarButton() {
  taskbarHidden_ = true;
  ShowWindow(owner_, SW_HIDE);
  // A tool window never gets a task-bar button, whatever shows it later.
  SetWindowLongPtrW(owner_, GWL_EXSTYLE, GetWindowLongPtrW(owner_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void Backend::SetHintTiming(const HintTiming& timing) {
  hints_ = timing;
  for (Win32FormPeer* form : forms_) form->ApplyHintTiming();
}

const std::vector<Image>* Backend::SetMenuPictures(const std::vector<Image>* pictures) {
  const std::vector<Image>* previous = menuPictures_;
  menuPictures_ = pictures;
  return previous;
}

int Backend::MenuTextGap() {
  if (menuTextGap_ > 0) return menuTextGap_;
  // The width of an average character of the menu's font: the space the system's menus keep
  // between their marks and their texts.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  int gap = 6;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    if (HFONT font = CreateFontIndirectW(&metrics.lfMenuFont)) {
      HDC dc = GetDC(nullptr);
      HGDIOBJ old = SelectObject(dc, font);
      TEXTMETRICW tm{};
      if (GetTextMetricsW(dc, &tm) && tm.tmAveCharWidth > 0) gap = int(tm.tmAveCharWidth);
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
      DeleteObject(font);
    }
  }
  menuTextGap_ = gap;
  return gap;
}

bool Backend::MenuPictureMessage(UINT msg, LPARAM lParam) {
  if (!menuPictures_) return false;
  auto picture = [this](ULONG_PTR data) -> const Image* {
    return data >= 1 && data <= menuPictures_->size() ? &(*menuPictures_)[data - 1] : nullptr;
  };
  // Pictures at the density of the monitor the menu opens on (where the pointer is), scaled
  // smoothly when drawn.
  POINT at{};
  GetCursorPos(&at);
  const int dpi = MonitorDpi(RECT{at.x, at.y, at.x + 1, at.y + 1});
  auto size = [dpi](const Image& image) {
    return TSize{ScaleValue(image.DesignedWidth(), dpi), ScaleValue(image.DesignedHeight(), dpi)};
  };
  if (msg == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU) return false;
    const Image* image = picture(measure->itemData);
    if (!image) return false;
    const TSize shown = size(*image);
    MenuPictureBox box = MenuPictureLayout(shown.cx, shown.cy, MenuTextGap());
    measure->itemWidth = UINT(box.width);
    measure->itemHeight = UINT(box.height);
    return true;
  }
  if (msg == WM_DRAWITEM) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU) return false;
    const Image* image = picture(draw->itemData);
    if (!image) return false;
    // At the left of the place the menu keeps for it, the gap to the text after it, over
    // whatever background the menu drew.
    const RECT& r = draw->rcItem;
    const TSize shown = size(*image);
    int left = r.left + MenuPictureLayout(shown.cx, shown.cy, 0).pictureLeft;
    int top = r.top + (r.bottom - r.top - shown.cy) / 2;
    GdiCanvas(*this, draw->hDC, false).DrawImage(*image, {left, top, left + shown.cx, top + shown.cy}, true);
    return true;
  }
  return false;
}

bool Backend::HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Backend::FormKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  Win32FormPeer* form = FormOf(msg.hwnd);
  if (!form || !IsWindowEnabled(form->Handle())) return false;
  // The control the key went to: the nearest of the program's controls up from its window
  // (a field inside a control is part of that control).
  TWinControl* focused = nullptr;
  for (HWND h = msg.hwnd; h && h != form->Handle(); h = GetParent(h))
    if (Win32ChildWindow* child = Win32ChildWindow::FromHandle(h)) {
      focused = &child->Control();
      break;
    }
  const unsigned key = unsigned(msg.wParam);
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  // Moving with the keyboard shows where the focus is from now on.
  if (key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN))
    SendMessageW(form->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  TForm& model = form->Form();
  bool used = false;
  CallModel([&] {
    model.FocusMoved(focused);
    used = model.KeyDown(key, shift);
  });
  return used;
}

void Backend::Run() {
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (FormKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Backend::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void Backend::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));  // leave it for the main loop
      break;
    }
    if (FormKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK Backend::OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Backend* self = ObjectOf<Backend>(hwnd, msg, lParam);
  if (self) {
    // Components hooked on the application's window see its messages first.
    if (HasApplication()) {
      TMessage m{msg, wParam, lParam, 0};
      bool handled = false;
      CallModel([&m, &handled] { handled = Application().MainWindowMessage(m); });
      if (handled) return m.Result;
    }
    switch (msg) {
      case WM_MEASUREITEM:
      case WM_DRAWITEM:
        if (self->MenuPictureMessage(msg, lParam)) return TRUE;
        break;
      case WM_CLOSE:
        // "Close" on the task-bar button closes the main form, as its own close box would.
        CallModel([] {
          if (HasApplication() && Application().MainForm()) Application().MainForm()->CloseRequested();
        });
        return 0;
      case WM_ACTIVATE:
        // Only a shown owner (a task-bar button) is activated by the user; a hidden one is
        // activated in passing (a menu without a form) and must not pull a form forward.
        if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(hwnd)) PostMessageW(hwnd, kActivateLastForm, 0, 0);
        break;
      case kActivateLastForm:
        if (self->lastActive_ && self->lastActive_->Shown()) SetActiveWindow(self->lastActive_->Handle());
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Backend::MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Backend* self = ObjectOf<Backend>(hwnd, msg, lParam);
  if (self && msg == WM_TIMER) {
    self->FireTimer(UINT_PTR(wParam));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// ---- Timers

namespace {

class Win32TimerPeer : public TimerPeer {
 public:
  Win32TimerPeer(Backend& backend, TTimer& timer) : backend_(backend), id_(backend.AddTimer(timer)) {}
  ~Win32TimerPeer() override { backend_.RemoveTimer(id_); }
  void Start(int intervalMs) override { backend_.StartTimer(id_, intervalMs); }
  void Stop() override { backend_.StopTimer(id_); }

 private:
  Backend& backend_;
  UINT_PTR id_;
};

}  // namespace


// ---- Message windows

namespace {

const wchar_t kNotifyClass[] = L"HoravoNotify";

// A hidden top-level window: unlike a message-only window it also gets the messages the system
// sends to every top-level window (end of session, a re-created task bar). Once created, every
// message goes to the handler, which gives the answer.
class Win32MessageWindow : public MessageWindow {
 public:
  Win32MessageWindow(Backend& backend, MessageHandler handler) : handler_(std::move(handler)) {
    RegisterClassOnce(backend.Instance(), kNotifyClass, WindowProc);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kNotifyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            backend.Instance(), this);
    if (!hwnd_) throw std::runtime_error("Не удалось создать окно сообщений");
  }
  ~Win32MessageWindow() override {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);  // the handler's owner is going
    DestroyWindow(hwnd_);
  }
  std::uint32_t Handle() const override { return std::uint32_t(std::uintptr_t(hwnd_)); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* created = static_cast<Win32MessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(created));
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    auto* self = reinterpret_cast<Win32MessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    // The handler may destroy this window with its owner: the call runs on a copy.
    MessageHandler handler = self->handler_;
    CallModel([&handler, &m] { handler(m); });
    return m.Result;
  }

  MessageHandler handler_;
  HWND hwnd_ = nullptr;
};

}  // namespace

}  // namespace win32

// ---- Win32WidgetSet

Win32WidgetSet::Win32WidgetSet() : backend_(std::make_unique<win32::Backend>()) {}
Win32WidgetSet::~Win32WidgetSet() = default;

std::unique_ptr<FormPeer> Win32WidgetSet::CreateFormPeer(TForm& form) {
  return std::make_unique<win32::Win32FormPeer>(*backend_, form);
}

std::unique_ptr<TimerPeer> Win32WidgetSet::CreateTimerPeer(TTimer& timer) {
  return std::make_unique<win32::Win32TimerPeer>(*backend_, timer);
}

std::unique_ptr<MenuPeer> Win32WidgetSet::CreateMenuPeer(TPopupMenu& menu) {
  return win32::NewMenuPeer(*backend_, menu);
}

std::unique_ptr<PanelPeer> Win32WidgetSet::CreatePanelPeer(TPanel& panel) {
  return win32::NewPanelPeer(*backend_, panel);
}
std::unique_ptr<ButtonPeer> Win32WidgetSet::CreateButtonPeer(TButton& button) {
  return win32::NewButtonPeer(*backend_, button);
}
std::unique_ptr<ButtonPeer> Win32WidgetSet::CreateBitBtnPeer(TBitBtn& button) {
  return win32::NewBitBtnPeer(*backend_, button);
}
std::unique_ptr<EditPeer> Win32WidgetSet::CreateEditPeer(TEdit& edit) { return win32::NewEditPeer(*backend_, edit); }
std::unique_ptr<ListBoxPeer> Win32WidgetSet::CreateListBoxPeer(TListBox& list) {
  return win32::NewListBoxPeer(*backend_, list);
}
std::unique_ptr<RichEditPeer> Win32WidgetSet::CreateRichEditPeer(TRichEdit& edit) {
  return win32::NewRichEditPeer(*backend_, edit);
}
std::unique_ptr<DateTimePickerPeer> Win32WidgetSet::CreateDateTimePickerPeer(TDateTimePicker& picker) {
  return win32::NewDateTimePickerPeer(*backend_, picker);
}
std::unique_ptr<MonthCalendarPeer> Win32WidgetSet::CreateMonthCalendarPeer(TMonthCalendar& calendar) {
  return win32::NewMonthCalendarPeer(*backend_, calendar);
}
std::unique_ptr<ListViewPeer> Win32WidgetSet::CreateListViewPeer(TListView& list) {
  return win32::NewListViewPeer(*backend_, list);
}
TSize Win32WidgetSet::FrameSize(TBorderStyle border) { return win32::FormFrameSize(border); }

TSize Win32WidgetSet::MeasureText(const std::string& text, const TFont& font) {
  // At the system's density: the designed size then holds the text as drawn there.
  return backend_->MeasureText(text, font, backend_->SystemDpi());
}

std::uintptr_t Win32WidgetSet::MainWindowHandle() const {
  if (!HasApplication()) return 0;
  return reinterpret_cast<std::uintptr_t>(win32::HandleOf(Application().MainForm()));
}

TSize Win32WidgetSet::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

TRect Win32WidgetSet::WorkAreaAt(TPoint p) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST), &info))
    return WidgetSet::WorkAreaAt(p);
  const RECT& w = info.rcWork;
  return {int(w.left), int(w.top), int(w.right), int(w.bottom)};
}

int Win32WidgetSet::MonitorDpiAt(TPoint p) { return backend_->MonitorDpi(RECT{p.x, p.y, p.x + 1, p.y + 1}); }

TPoint Win32WidgetSet::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {int(p.x), int(p.y)};
}

std::unique_ptr<MessageWindow> Win32WidgetSet::CreateMessageWindow(MessageHandler handler) {
  return std::make_unique<win32::Win32MessageWindow>(*backend_, std::move(handler));
}

unsigned Win32WidgetSet::RegisterMessage(const std::string& name) {
  return RegisterWindowMessageW(win32::Widen(name).c_str());
}

TShiftState Win32WidgetSet::ShiftKeys() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

bool Win32WidgetSet::HighContrast() { return win32::Backend::HighContrastOn(); }

void Win32WidgetSet::SetTitle(const std::string& title) { backend_->SetTitle(title); }
void Win32WidgetSet::HideTaskbarButton() { backend_->HideTaskbarButton(); }

void Win32WidgetSet::SetHintTiming(int pauseMs, int shortPauseMs, int hidePauseMs) {
  backend_->SetHintTiming({pauseMs, shortPauseMs, hidePauseMs});
}

void Win32WidgetSet::Run() { backend_->Run(); }
void Win32WidgetSet::Terminate() { backend_->Terminate(); }
void Win32WidgetSet::ProcessMessages() { backend_->ProcessMessages(); }

std::unique_ptr<Win32WidgetSet> CreateWin32WidgetSet() { return std::make_unique<Win32WidgetSet>(); }

}  // namespace ui
