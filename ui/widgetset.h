// Backend peers: one interface per control kind. A control keeps its own state and pushes
// changes to its peer if it has one; a peer reports what the user did by calling the control.
// Without a widget set's peers (the headless backend) every control still works as a model.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

class TForm;
class TTimer;
class TPopupMenu;
class TWinControl;
class TPanel;
class TButton;
class TBitBtn;
class TEdit;
class TListBox;
class TRichEdit;
enum class TBorderStyle;

// Where graphic controls draw themselves; the form's peer provides it while painting.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(TRect r, TColor color) = 0;
  // Draws `image` stretched into `dest`; when `transparent`, pixels of its TransparentKey() are left out.
  virtual void DrawImage(const Image& image, TRect dest, bool transparent) = 0;
  // Draws text with a transparent background, its top-left corner at `at`.
  virtual void DrawText(const std::string& text, TPoint at, const TFont& font) = 0;
};

class WinControlPeer {
 public:
  virtual ~WinControlPeer() = default;
  virtual void SetBounds(TRect) {}
  virtual void SetVisible(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetCaption(const std::string&) {}
  virtual void SetFont(const TFont&) {}
  virtual void SetColor(TColor) {}
  virtual void Invalidate() {}
  virtual void SetFocus() {}
};

class FormPeer : public WinControlPeer {
 public:
  virtual void SetBorderless(bool) {}
  virtual void SetStayOnTop(bool) {}
  virtual void SetTransparentColor(bool /*on*/, TColor) {}
  virtual void SetAlphaBlend(bool /*on*/, int /*value*/) {}
  virtual void BringToFront() {}
  // Sends the window a system command (for example SC_CLOSE) the way the system menu would.
  virtual void SendSystemCommand(unsigned /*command*/) {}
  // Lets the window manager move the window with the pointer until the button is released.
  virtual void BeginMove() {}
};

// Peers of windowed controls inside forms (ui/panels.h, ui/buttons.h, ui/edits.h, ui/richedit.h).
// The panel paints its own surface and its graphic children and routes mouse input to them.
class PanelPeer : public WinControlPeer {};

class ButtonPeer : public WinControlPeer {
 public:
  // The picture beside the caption, its bottom-left colour left out; empty for none.
  virtual void SetGlyph(const Image&) {}
};

class EditPeer : public WinControlPeer {
 public:
  virtual void SetText(const std::string&) {}
  // The most characters the user may type; 0 for no limit.
  virtual void SetMaxLength(int) {}
  virtual void SetReadOnly(bool) {}
};

class ListBoxPeer : public WinControlPeer {
 public:
  virtual void SetItems(const std::vector<std::string>&) {}
  // -1 selects nothing.
  virtual void SetItemIndex(int) {}
};

class RichEditPeer : public WinControlPeer {
 public:
  // Shows a document: Rich Text when `rich`, else plain text (cp1251, any line ends).
  virtual void SetContent(const std::string& /*content*/, bool /*rich*/) {}
  virtual void SetReadOnly(bool) {}
  // Scroll bars: bit 0 horizontal, bit 1 vertical.
  virtual void SetScrollBars(int) {}
  // The document as the user left it: plain text with CR LF line ends, and as Rich Text
  // (empty when the control cannot give it).
  virtual std::string Text() { return {}; }
  virtual std::string RichText() { return {}; }
};

class TimerPeer {
 public:
  virtual ~TimerPeer() = default;
  // (Re)starts the timer so that it fires every `intervalMs`; Stop ends it.
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
};

class MenuPeer {
 public:
  virtual ~MenuPeer() = default;
  // Shows the menu at a screen position and returns after it closed (a chosen item has run).
  virtual void Popup(TPoint screen) = 0;
};

// A window message as the system delivers it; the receiver sets Result.
struct TMessage {
  unsigned Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};
using MessageHandler = std::function<void(TMessage&)>;

// A hidden window of the program that hands every message it gets to a handler: the address
// for callbacks of system services (the notification area) and for messages sent to all
// top-level windows (end of session, a re-created task bar).
class MessageWindow {
 public:
  virtual ~MessageWindow() = default;
  // The native handle, as the system's records carry it.
  virtual std::uint32_t Handle() const = 0;
};

class WidgetSet {
 public:
  virtual ~WidgetSet() = default;
  virtual std::unique_ptr<FormPeer> CreateFormPeer(TForm&) { return nullptr; }
  virtual std::unique_ptr<TimerPeer> CreateTimerPeer(TTimer&) = 0;
  virtual std::unique_ptr<MenuPeer> CreateMenuPeer(TPopupMenu&) { return nullptr; }
  // Windowed controls; null keeps the control a model only (the headless backend).
  virtual std::unique_ptr<PanelPeer> CreatePanelPeer(TPanel&) { return nullptr; }
  virtual std::unique_ptr<ButtonPeer> CreateButtonPeer(TButton&) { return nullptr; }
  virtual std::unique_ptr<ButtonPeer> CreateBitBtnPeer(TBitBtn&) { return nullptr; }
  virtual std::unique_ptr<EditPeer> CreateEditPeer(TEdit&) { return nullptr; }
  virtual std::unique_ptr<ListBoxPeer> CreateListBoxPeer(TListBox&) { return nullptr; }
  virtual std::unique_ptr<RichEditPeer> CreateRichEditPeer(TRichEdit&) { return nullptr; }
  // How much larger than its client area a window with this border is (0 x 0 without one).
  virtual TSize FrameSize(TBorderStyle) { return {0, 0}; }

  virtual TSize MeasureText(const std::string& text, const TFont& font) = 0;
  virtual TSize ScreenSize() = 0;
  virtual TPoint CursorPos() = 0;

  // Hidden message windows and the numbers of messages registered by name ("TaskbarCreated").
  virtual std::unique_ptr<MessageWindow> CreateMessageWindow(MessageHandler) { return nullptr; }
  virtual unsigned RegisterMessage(const std::string& /*name*/) { return 0; }
  // Shift, Ctrl and Alt as the keyboard has them now.
  virtual TShiftState ShiftKeys() { return 0; }

  // Application-wide settings.
  virtual void SetTitle(const std::string&) {}
  virtual void HideTaskbarButton() {}
  virtual void SetHintTiming(int /*pauseMs*/, int /*shortPauseMs*/, int /*hidePauseMs*/) {}

  // Runs the message loop until Terminate; ProcessMessages handles what is waiting and returns.
  virtual void Run() = 0;
  virtual void Terminate() = 0;
  virtual void ProcessMessages() {}
};

// System commands understood by forms.
constexpr unsigned SC_CLOSE_COMMAND = 0xF060;
constexpr unsigned SC_DRAGMOVE_COMMAND = 0xF012;

}  // namespace ui
