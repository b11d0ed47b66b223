// The Windows backend of the component library: native windows, GDI painting, system timers,
// popup menus, tool-tips and the message loop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/widgetset.h"

namespace ui {

namespace win32 {
class Backend;
}

class Win32WidgetSet : public WidgetSet {
 public:
  Win32WidgetSet();
  ~Win32WidgetSet() override;

  std::unique_ptr<FormPeer> CreateFormPeer(TForm& form) override;
  std::unique_ptr<TimerPeer> CreateTimerPeer(TTimer& timer) override;
  std::unique_ptr<MenuPeer> CreateMenuPeer(TPopupMenu& menu) override;
  std::unique_ptr<PanelPeer> CreatePanelPeer(TPanel& panel) override;
  std::unique_ptr<ButtonPeer> CreateButtonPeer(TButton& button) override;
  std::unique_ptr<ButtonPeer> CreateBitBtnPeer(TBitBtn& button) override;
  std::unique_ptr<EditPeer> CreateEditPeer(TEdit& edit) override;
  std::unique_ptr<ListBoxPeer> CreateListBoxPeer(TListBox& list) override;
  std::unique_ptr<RichEditPeer> CreateRichEditPeer(TRichEdit& edit) override;

  // Defined beside their peers: win32_comctrls.cpp, win32_boxes.cpp, win32_texts.cpp.
  std::unique_ptr<PageControlPeer> CreatePageControlPeer(TPageControl& pageControl) override;
  std::unique_ptr<TabSheetPeer> CreateTabSheetPeer(TTabSheet& sheet) override;
  std::unique_ptr<TrackBarPeer> CreateTrackBarPeer(TTrackBar& trackBar) override;
  std::unique_ptr<GroupBoxPeer> CreateGroupBoxPeer(TGroupBox& groupBox) override;
  std::unique_ptr<CheckBoxPeer> CreateCheckBoxPeer(TCheckBox& checkBox) override;
  std::unique_ptr<CheckBoxPeer> CreateRadioButtonPeer(TRadioButton& radioButton) override;
  std::unique_ptr<CheckListBoxPeer> CreateCheckListBoxPeer(TCheckListBox& list) override;
  std::unique_ptr<SpinEditPeer> CreateSpinEditPeer(TSpinEdit& spinEdit) override;
  std::unique_ptr<MemoPeer> CreateMemoPeer(TMemo& memo) override;

  std::unique_ptr<DateTimePickerPeer> CreateDateTimePickerPeer(TDateTimePicker& picker) override;
  std::unique_ptr<MonthCalendarPeer> CreateMonthCalendarPeer(TMonthCalendar& calendar) override;
  std::unique_ptr<ListViewPeer> CreateListViewPeer(TListView& list) override;
  TSize FrameSize(TBorderStyle border) override;
  bool DefersHiddenForms() const override { return true; }

  TSize MeasureText(const std::string& text, const TFont& font) override;
  TSize ScreenSize() override;
  TRect WorkAreaAt(TPoint p) override;
  int MonitorDpiAt(TPoint p) override;
  TPoint CursorPos() override;
  std::unique_ptr<MessageWindow> CreateMessageWindow(MessageHandler handler) override;
  unsigned RegisterMessage(const std::string& name) override;
  TShiftState ShiftKeys() override;
  bool HighContrast() override;

  void SetTitle(const std::string& title) override;
  void HideTaskbarButton() override;
  void SetHintTiming(int pauseMs, int shortPauseMs, int hidePauseMs) override;

  void Run() override;
  void Terminate() override;
  void ProcessMessages() override;

  // The native window of the application's main form; 0 while it has none.
  std::uintptr_t MainWindowHandle() const;

  // What the peers share (see win32_backend.h).
  win32::Backend& Shared() { return *backend_; }

 private:
  std::unique_ptr<win32::Backend> backend_;
};

// The widget set the Windows entry point runs the program with.
std::unique_ptr<Win32WidgetSet> CreateWin32WidgetSet();

}  // namespace ui
