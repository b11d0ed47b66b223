// Internal to the Windows backend: what its peers share, the form peer, the GDI canvas and the
// base of windowed-control peers. Windows types appear here, so a source file includes
// <windows.h> and <commctrl.h> before this header; nothing outside ui/win32 includes it.
#pragma once

#ifndef _WINDOWS_
#error "include <windows.h> before ui/win32/win32_backend.h"
#endif
#undef DrawText  // the Canvas method below, not the Windows macro

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/types.h"
#include "ui/widgetset.h"
#include "ui/win32/common_controls.h"

namespace ui {
class TControl;
class TForm;
class TPopupMenu;
class TTimer;
class TWinControl;
enum class TBorderStyle;
}  // namespace ui

namespace ui::win32 {

class Win32FormPeer;

// Runs a call into the component model from a window procedure. An exception it raises is
// shown in the application's error box; it must never unwind through the system's frames.
void CallModel(const std::function<void()>& fn);

// Registers a window class of the program unless it is registered already.
void RegisterClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style = 0);

// The program's cp1251 text for the wide API.
std::wstring Widen(const std::string& text);
// A colour number as the system's COLORREF, system colours resolved.
COLORREF ResolveColor(TColor color);

// Any peer that owns a native window.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual HWND Handle() const = 0;
};

// The native window behind a windowed control, or null when it has none (yet).
HWND HandleOf(const TWinControl* control);

class Backend {
 public:
  Backend();
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  HINSTANCE Instance() const { return instance_; }
  // The hidden application window that owns every form; it carries the task-bar button.
  HWND OwnerWindow() const { return owner_; }

  // A font made once and kept while the backend lives, its size in points at `dpi`; `crisp`
  // turns anti-aliasing off.
  HFONT Font(const TFont& font, bool crisp, int dpi = 96);
  // A solid brush made once and kept while the backend lives.
  HBRUSH Brush(TColor color);
  // In designed pixels; measured at `dpi` and scaled back, rounded up, so that the designed
  // size holds the text as it is drawn there.
  TSize MeasureText(const std::string& text, const TFont& font, int dpi = 96);
  // The density of the system (of its primary monitor), and of the monitor holding `r`.
  int SystemDpi() const { return dpi_; }
  int MonitorDpi(RECT r) const;
  // A picture scaled for drawing into `width` x `height` pixels (see ScaleImage), made once and
  // kept while it is drawn at that size.
  const Image& Scaled(const Image& image, int width, int height, bool keepKey, std::uint32_t extraKey, bool hasExtraKey);

  // Timers: an id for SetTimer on the message window; WM_TIMER with that id fires `timer`.
  UINT_PTR AddTimer(TTimer& timer);
  void RemoveTimer(UINT_PTR id);
  void StartTimer(UINT_PTR id, int intervalMs);
  void StopTimer(UINT_PTR id);

  // Forms register themselves so that application-wide settings reach them.
  void AddForm(Win32FormPeer* form);
  void RemoveForm(Win32FormPeer* form);
  void FormActivated(Win32FormPeer* form);
  // The form whose window holds `child` (at any depth), or null.
  Win32FormPeer* FormOf(HWND child) const;
  // Shows the owner window (and so one task-bar button) while any form is visible, unless
  // the program asked for no button.
  void UpdateTaskbarButton();
  void SetTitle(const std::string& title);
  void HideTaskbarButton();

  // While a popup menu is open, its item pictures are drawn here: the window the menu belongs
  // to passes on WM_MEASUREITEM and WM_DRAWITEM for menus. `pictures` is indexed by item data - 1.
  const std::vector<Image>* SetMenuPictures(const std::vector<Image>* pictures);
  bool MenuPictureMessage(UINT msg, LPARAM lParam);
  // The space between a menu item's picture and its text.
  int MenuTextGap();

  struct HintTiming {
    int pause = 500;
    int shortPause = 50;
    int hidePause = 2500;
  };
  const HintTiming& Hints() const { return hints_; }
  void SetHintTiming(const HintTiming& timing);

  // Work that waits until the top-level window `form` is first shown: controls that would
  // load a library at start for a window the user may never open. `owner` names the work so
  // that it can be cancelled (its peer went first).
  void WhenShown(HWND form, const void* owner, std::function<void()> work);
  void CancelWhenShown(const void* owner);
  void RunWhenShown(HWND form);

  // A key going down is offered to its form's OnShortCut first; true when the form used it.
  bool PreviewKey(const MSG& msg);
  void Run();
  void Terminate();
  void ProcessMessages();

 private:
  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void FireTimer(UINT_PTR id);

  struct TimerEntry {
    TTimer* timer;
    bool firing;
  };
  using FontKey = std::tuple<std::string, int, bool, bool, bool, int>;
  struct ScaledPicture {
    std::uint64_t hash;
    int sourceWidth, sourceHeight, width, height;
    std::uint32_t keys[2];
    Image image;
  };
  std::vector<ScaledPicture> scaled_;

  HINSTANCE instance_ = nullptr;
  HWND owner_ = nullptr;
  HWND messages_ = nullptr;
  int dpi_ = 96;
  HDC measuring_ = nullptr;
  std::map<FontKey, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<UINT_PTR, TimerEntry> timers_;
  UINT_PTR nextTimerId_ = 1;
  std::vector<Win32FormPeer*> forms_;
  const std::vector<Image>* menuPictures_ = nullptr;
  int menuTextGap_ = 0;
  Win32FormPeer* lastActive_ = nullptr;
  bool taskbarHidden_ = false;
  bool terminated_ = false;
  HintTiming hints_;
  struct Waiting {
    HWND form;
    const void* owner;
    std::function<void()> work;
  };
  std::vector<Waiting> waiting_;
};

// Draws onto a device context (the form's off-screen bitmap while it paints).
class GdiCanvas : public Canvas {
 public:
  // `crispText` draws text without anti-aliasing: on a colour-keyed window smoothed edges
  // would blend with the key colour into a visible fringe.
  // With a `dpi` other than 96 every coordinate given is a designed one, drawn scaled; `key`
  // is the window's see-through colour, kept exact when pictures are scaled.
  GdiCanvas(Backend& backend, HDC dc, bool crispText, TRect paintRect = kEverywhere, int dpi = 96,
            std::optional<TColor> key = std::nullopt)
      : backend_(backend), dc_(dc), crispText_(crispText), paintRect_(paintRect), dpi_(dpi), key_(key) {}
  void FillRect(TRect r, TColor color) override;
  void DrawImage(const Image& image, TRect dest, bool transparent) override;
  void DrawText(const std::string& text, TPoint at, const TFont& font) override;
  // With visual styles the system's push button, else the classic one.
  void DrawButtonFace(TRect r, bool down, bool hot, bool enabled) override;
  TRect PaintRect() const override;
  HDC Dc() const { return dc_; }

 private:
  Backend& backend_;
  HDC dc_;
  bool crispText_;
  TRect paintRect_;
  int dpi_;
  std::optional<TColor> key_;
};

// Handles WM_PAINT of `hwnd`: `draw` paints the client area (given its size) into an
// off-screen bitmap, which is then copied in one step, so a repaint never flickers. Only the
// part the system asks for is painted and copied (the canvas's PaintRect). With a `dpi` other
// than 96 the canvas takes designed coordinates, and `draw` gets the designed size.
void PaintBuffered(HWND hwnd, Backend& backend, bool crispText,
                   const std::function<void(GdiCanvas&, int width, int height)>& draw, int dpi = 96,
                   std::optional<TColor> key = std::nullopt);

// The native window of a TForm: a top-level window owned by the application window.
class Win32FormPeer : public FormPeer, public NativeWindow {
 public:
  Win32FormPeer(Backend& backend, TForm& form);
  ~Win32FormPeer() override;

  HWND Handle() const override { return hwnd_; }
  TForm& Form() const { return form_; }
  bool Shown() const { return hwnd_ && IsWindowVisible(hwnd_); }
  void ApplyHintTiming();

  void SetBounds(TRect r) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetCaption(const std::string& caption) override;
  void SetColor(TColor) override { Invalidate(); }
  void Invalidate() override;
  void InvalidateRect(TRect r) override;
  void SetFocus() override;
  void SetBorderless(bool borderless) override;
  void SetStayOnTop(bool onTop) override;
  void SetTransparentColor(bool on, TColor color) override;
  void SetAlphaBlend(bool on, int value) override;
  void BringToFront() override;
  void SendSystemCommand(unsigned command) override;
  void BeginMove() override;

  // Child windows share the form's tool-tip; their hint is asked of the model when it shows.
  // ChildHintChanged lets a shown tip go when the control under the pointer changed.
  void AddChildTool(HWND child);
  void RemoveChildTool(HWND child);
  void ChildHintChanged(HWND child);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void ApplyStyles();
  void ApplyLayering();
  void ApplyLayeringNow();
  void CreateTip();
  static BOOL CALLBACK AddToolOfChild(HWND child, LPARAM self);
  void Paint();
  void ButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam);
  void ButtonUp(TMouseButton button, WPARAM wParam, LPARAM lParam);
  void MouseMoved(WPARAM wParam, LPARAM lParam);
  void UpdateHint();
  void ChildTipText(LPARAM dispInfo);
  // The room the tip's text needs beyond what the tip makes for it, kept on the tip's right.
  int TipOverhangOf(const std::string& text);
  void KeepTipRoomFor(const std::string& text);
  // The window's rectangle in the screen's pixels for the form's designed bounds `r`.
  RECT WindowRectFor(TRect r) const;
  void DpiChanged(int dpi, const RECT& suggested);

  Backend& backend_;
  TForm& form_;
  HWND hwnd_ = nullptr;
  HWND tip_ = nullptr;
  std::string tipText_;
  std::wstring childTipText_;  // the text handed to the tool-tip for a child window
  int childTools_ = 0;
  bool stayOnTop_ = false;
  bool colorKey_ = false;
  TColor keyColor_ = 0;
  bool alphaBlend_ = false;
  int alpha_ = 255;
  bool layeringPending_ = false;  // opacity or colour key changed while the window was hidden
  bool tipMade_ = false;
  bool trackingLeave_ = false;
  bool placing_ = false;           // our own move or resize is under way: the model has it already
  bool releasingCapture_ = false;  // our own ReleaseCapture: the press ends normally
  // Shared with calls in progress; false once the peer is gone, so a handler that destroyed
  // the form does not leave the window procedure touching freed memory.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

std::unique_ptr<MenuPeer> NewMenuPeer(Backend& backend, TPopupMenu& menu);

// How much larger than its client area a form's window is with this border.
TSize FormFrameSize(TBorderStyle border);

// The native side of a windowed control inside a form or another windowed control: a child
// window of a system class, subclassed so that its own messages and the notifications its
// parent reflects (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) reach the peer. A control kind's peer
// derives from Win32ControlPeer<ItsPeerInterface>, calls Create with the class name and styles
// in its constructor, and overrides the On* hooks it needs.
class Win32ChildWindow : public NativeWindow {
 public:
  Win32ChildWindow(Backend& backend, TWinControl& control) : backend_(backend), control_(control) {}
  ~Win32ChildWindow() override;
  Win32ChildWindow(const Win32ChildWindow&) = delete;
  Win32ChildWindow& operator=(const Win32ChildWindow&) = delete;

  HWND Handle() const override { return hwnd_; }
  TWinControl& Control() const { return control_; }
  static Win32ChildWindow* FromHandle(HWND hwnd);
  // Hands a notification a parent window got from a child window to that child's peer.
  static bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  // Creates the window inside the parent's native window and pushes the control's state once.
  void Create(const wchar_t* className, DWORD style, DWORD exStyle = 0);
  void ApplyBounds(TRect r);
  void ApplyVisible(bool visible);
  void ApplyEnabled(bool enabled);
  void ApplyCaption(const std::string& caption);
  void ApplyFont(const TFont& font);
  void Repaint();
  void Focus();
  // Answers WM_CTLCOLOR*: text in `text` on `background`.
  bool ColorAs(HDC dc, TColor background, TColor text, LRESULT& result);

  // Notifications reflected from the parent: a WM_COMMAND code, a WM_NOTIFY header, the
  // colours of WM_CTLCOLOR* (return a brush in `result`), the request code of WM_HSCROLL and
  // WM_VSCROLL from a scrolling control. True when handled.
  virtual bool OnCommand(unsigned code, LRESULT& result) { return false; }
  virtual bool OnScroll(unsigned code, LRESULT& result) { return false; }
  virtual bool OnNotify(NMHDR& header, LRESULT& result) { return false; }
  virtual bool OnColor(HDC dc, LRESULT& result) { return false; }
  // An owner-drawn control's WM_DRAWITEM (return TRUE in `result` when drawn).
  virtual bool OnDrawItem(DRAWITEMSTRUCT& item, LRESULT& result) { return false; }
  // The window's own messages, before its class handles them. True when handled.
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

  Backend& backend_;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  TWinControl& control_;
  HWND hwnd_ = nullptr;
};

template <class PeerInterface>
class Win32ControlPeer : public PeerInterface, public Win32ChildWindow {
 public:
  Win32ControlPeer(Backend& backend, TWinControl& control) : Win32ChildWindow(backend, control) {}
  void SetBounds(TRect r) override { ApplyBounds(r); }
  void SetVisible(bool visible) override { ApplyVisible(visible); }
  void SetEnabled(bool enabled) override { ApplyEnabled(enabled); }
  void SetCaption(const std::string& caption) override { ApplyCaption(caption); }
  void SetFont(const TFont& font) override { ApplyFont(font); }
  void SetColor(TColor) override { Repaint(); }
  void Invalidate() override { Repaint(); }
  void SetFocus() override { Focus(); }
};

}  // namespace ui::win32
