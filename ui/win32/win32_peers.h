// Internal to the Windows backend: the peers of the windowed controls inside forms.
// Include <windows.h> and ui/win32/win32_backend.h first.
#pragma once

#include <memory>

#include "ui/widgetset.h"

namespace ui::win32 {

class Backend;

std::unique_ptr<PanelPeer> NewPanelPeer(Backend& backend, TPanel& panel);
std::unique_ptr<ButtonPeer> NewButtonPeer(Backend& backend, TButton& button);
std::unique_ptr<ButtonPeer> NewBitBtnPeer(Backend& backend, TBitBtn& button);
std::unique_ptr<EditPeer> NewEditPeer(Backend& backend, TEdit& edit);
std::unique_ptr<ListBoxPeer> NewListBoxPeer(Backend& backend, TListBox& list);
std::unique_ptr<RichEditPeer> NewRichEditPeer(Backend& backend, TRichEdit& edit);
std::unique_ptr<DateTimePickerPeer> NewDateTimePickerPeer(Backend& backend, TDateTimePicker& picker);
std::unique_ptr<ListViewPeer> NewListViewPeer(Backend& backend, TListView& list);
std::unique_ptr<MonthCalendarPeer> NewMonthCalendarPeer(Backend& backend, TMonthCalendar& calendar);

}  // namespace ui::win32
