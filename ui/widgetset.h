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

namespace platform {
struct DateTime;
}

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
  // The part of the surface this paint renews; what lies wholly outside it need not be drawn.
  virtual TRect PaintRect() const { return kEverywhere; }
  // The face of a push button (speed buttons): raised, or sunk while `down`. A backend with
  // visual styles draws the system's button; this one draws a plain bevel.
  virtual void DrawButtonFace(TRect r, bool down, bool hot, bool enabled) {
    constexpr TColor kFace = 0xF0F0F0, kLight = clWhite, kShadow = 0xA0A0A0;
    FillRect(r, hot && enabled && !down ? 0xF8F8F8 : kFace);
    TColor topLeft = down ? kShadow : kLight, bottomRight = down ? kLight : kShadow;
    FillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  }
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
  // Only this part of the surface (client coordinates) needs painting again.
  virtual void InvalidateRect(TRect) { Invalidate(); }
  virtual void SetFocus() {}
  // The control's accessible name changed (a screen reader asks for it when it needs it).
  virtual void SetAccessibleName(const std::string&) {}
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
  // Tells screen readers that the window's accessible name changed.
  virtual void AnnounceName() {}
  // The system's high-contrast mode went on or off, or its colours changed: draw again.
  virtual void SystemColorsChanged() {}
};

// Peers of windowed controls inside forms (ui/panels.h, ui/buttons.h, ui/edits.h, ui/richedit.h).
// The panel paints its own surface and its graphic children and routes mouse input to them.
class PanelPeer : public WinControlPeer {};

class ButtonPeer : public WinControlPeer {
 public:
  // The picture beside the caption, its bottom-left colour left out; empty for none.
  virtual void SetGlyph(const Image&) {}
  // Drawn as the window's default button (a stronger frame).
  virtual void SetDefault(bool) {}
};

class EditPeer : public WinControlPeer {
 public:
  virtual void SetText(const std::string&) {}
  // The most characters the user may type; 0 for no limit.
  virtual void SetMaxLength(int) {}
  virtual void SetReadOnly(bool) {}
  // The field takes digits only from the keyboard.
  virtual void SetDigitsOnly(bool) {}
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

// Page controls, check and radio boxes, group boxes, check list boxes, track bars, spin edits
// and memos (ui/comctrls.h, ui/stdctrls.h, ui/checklst.h, ui/spin.h).
class TPageControl;
class TTabSheet;
class TGroupBox;
class TCheckBox;
class TRadioButton;
class TCheckListBox;
class TTrackBar;
class TSpinEdit;
class TMemo;

// One tab of a page control: its text and its picture (empty for none; the bottom-left colour
// is left out).
struct PageTab {
  std::string caption;
  Image image;
  friend bool operator==(const PageTab&, const PageTab&) = default;
};

class PageControlPeer : public WinControlPeer {
 public:
  virtual void SetTabs(const std::vector<PageTab>&) {}
  // -1 selects no tab.
  virtual void SetActiveTab(int) {}
  virtual void SetTabsAtBottom(bool) {}
  // Where the pages go, in the control's client coordinates, as the native control lays out
  // its tabs; empty when it cannot tell.
  virtual TRect DisplayRect() { return {}; }
};

// Containers that paint their own surface and graphic children, as a panel does.
class TabSheetPeer : public WinControlPeer {};
class GroupBoxPeer : public WinControlPeer {};

// Check boxes and radio buttons.
class CheckBoxPeer : public WinControlPeer {
 public:
  virtual void SetChecked(bool) {}
};

class CheckListBoxPeer : public ListBoxPeer {
 public:
  virtual void SetChecked(int /*index*/, bool) {}
};

class TrackBarPeer : public WinControlPeer {
 public:
  virtual void SetRange(int /*min*/, int /*max*/) {}
  // A tick mark every `frequency` positions.
  virtual void SetFrequency(int) {}
  virtual void SetPosition(int) {}
};

// A text field with up and down arrows; the arrows come back through TSpinEdit::ArrowClicked.
class SpinEditPeer : public EditPeer {};

class MemoPeer : public EditPeer {
 public:
  // Scroll bars: bit 0 horizontal, bit 1 vertical.
  virtual void SetScrollBars(int) {}
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

// Peers of date and time pickers and list views (ui/datetimepicker.h, ui/listview.h).
class TDateTimePicker;
class TListView;

class DateTimePickerPeer : public WinControlPeer {
 public:
  // Time mode (the time of day to the second, in the user's long time format) or date mode
  // (the user's short date format with a drop-down calendar).
  virtual void SetTimeMode(bool) {}
  virtual void SetValue(const platform::DateTime&) {}
};

// A report-style list whose rows the peer reads from its control when it shows them, so that
// thousands of rows cost the native control nothing until they are seen.
class ListViewPeer : public WinControlPeer {
 public:
  // The columns were added or resized: the peer reads them from its control.
  virtual void ColumnsChanged() {}
  virtual void SetGridLines(bool) {}
  virtual void SetRowSelect(bool) {}
  virtual void SetCheckboxes(bool) {}
  // Hot tracking: the row under the pointer is underlined and the pointer is a hand.
  virtual void SetHotTrack(bool) {}
  // The number of rows; their texts and check marks are read from the control.
  virtual void SetItemCount(int) {}
  // One row's texts or check mark changed.
  virtual void ItemChanged(int) {}
  // -1 selects nothing.
  virtual void SetItemIndex(int) {}
};

// The month calendar's peer (ui/monthcalendar.h).
class TMonthCalendar;
class MonthCalendarPeer : public WinControlPeer {
 public:
  virtual void SetWeekNumbers(bool) {}
  virtual void SetToday(const platform::DateTime&) {}
  virtual void SetSelection(const platform::DateTime&, const platform::DateTime&) {}
  virtual void SetMaxSelection(int) {}
  virtual void ShowMonth(int /*year*/, int /*month*/) {}
  // The bold days changed: the peer asks the control for the months it shows.
  virtual void RefreshDayStates() {}
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

  virtual std::unique_ptr<PageControlPeer> CreatePageControlPeer(TPageControl&) { return nullptr; }
  virtual std::unique_ptr<TabSheetPeer> CreateTabSheetPeer(TTabSheet&) { return nullptr; }
  virtual std::unique_ptr<GroupBoxPeer> CreateGroupBoxPeer(TGroupBox&) { return nullptr; }
  virtual std::unique_ptr<CheckBoxPeer> CreateCheckBoxPeer(TCheckBox&) { return nullptr; }
  virtual std::unique_ptr<CheckBoxPeer> CreateRadioButtonPeer(TRadioButton&) { return nullptr; }
  virtual std::unique_ptr<CheckListBoxPeer> CreateCheckListBoxPeer(TCheckListBox&) { return nullptr; }
  virtual std::unique_ptr<TrackBarPeer> CreateTrackBarPeer(TTrackBar&) { return nullptr; }
  virtual std::unique_ptr<SpinEditPeer> CreateSpinEditPeer(TSpinEdit&) { return nullptr; }
  virtual std::unique_ptr<MemoPeer> CreateMemoPeer(TMemo&) { return nullptr; }

  virtual std::unique_ptr<DateTimePickerPeer> CreateDateTimePickerPeer(TDateTimePicker&) { return nullptr; }
  virtual std::unique_ptr<ListViewPeer> CreateListViewPeer(TListView&) { return nullptr; }
  virtual std::unique_ptr<MonthCalendarPeer> CreateMonthCalendarPeer(TMonthCalendar&) { return nullptr; }
  // How much larger than its client area a window with this border is (0 x 0 without one).
  virtual TSize FrameSize(TBorderStyle) { return {0, 0}; }
  // Whether a hidden form waits for its first showing (or for something that needs its native
  // window) before its peer and those of its controls are made. Native windows cost time and
  // memory at start for forms the user may never open; the component keeps all their state.
  virtual bool DefersHiddenForms() const { return false; }

  virtual TSize MeasureText(const std::string& text, const TFont& font) = 0;
  virtual TSize ScreenSize() = 0;
  virtual TPoint CursorPos() = 0;
  // The work area (the screen less the task bar) of the monitor that holds `screen`, or of the
  // nearest one, and that monitor's density.
  virtual TRect WorkAreaAt(TPoint) {
    TSize s = ScreenSize();
    return {0, 0, s.cx, s.cy};
  }
  virtual int MonitorDpiAt(TPoint) { return 96; }

  // Hidden message windows and the numbers of messages registered by name ("TaskbarCreated").
  virtual std::unique_ptr<MessageWindow> CreateMessageWindow(MessageHandler) { return nullptr; }
  virtual unsigned RegisterMessage(const std::string& /*name*/) { return 0; }
  // Shift, Ctrl and Alt as the keyboard has them now.
  virtual TShiftState ShiftKeys() { return 0; }
  // Whether the system's high-contrast mode is on.
  virtual bool HighContrast() { return false; }

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
