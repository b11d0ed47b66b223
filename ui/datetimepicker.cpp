#include "ui/datetimepicker.h"

#include <stdexcept>

#include "platform/date_text.h"
#include "ui/menus.h"

namespace ui {

platform::DateTime NormalizedDateTime(const platform::DateTime& v) {
  if (v.year < 1 || v.year > 9999 || v.month < 1 || v.month > 12 || v.day < 1 ||
      v.day > platform::DaysInMonth(v.year, v.month) || v.hour < 0 || v.hour > 23 || v.minute < 0 || v.minute > 59 ||
      v.second < 0 || v.second > 59)
    throw std::invalid_argument("Invalid date or time");
  platform::DateTime n = v;
  n.millisecond = 0;
  n.dayOfWeek = platform::DayOfWeek(n.year, n.month, n.day);
  return n;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  value_ = NormalizedDateTime(value_);
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  droppedDown_ = false;
  if (auto* p = P()) p->SetTimeMode(kind_ == TDateTimeKind::dtkTime);
}

void TDateTimePicker::SetDateTime(const platform::DateTime& value) {
  platform::DateTime n = NormalizedDateTime(value);
  if (n == value_) return;
  value_ = n;
  if (auto* p = P()) p->SetValue(value_);
}

void TDateTimePicker::SetDate(const platform::DateTime& date) {
  platform::DateTime v = value_;
  v.year = date.year;
  v.month = date.month;
  v.day = date.day;
  SetDateTime(v);
}

void TDateTimePicker::SetTime(const platform::DateTime& time) {
  platform::DateTime v = value_;
  v.hour = time.hour;
  v.minute = time.minute;
  v.second = time.second;
  SetDateTime(v);
}

void TDateTimePicker::ValueEdited(const platform::DateTime& value) {
  if (!Accepts()) return;
  platform::DateTime n;
  try {
    n = NormalizedDateTime(value);
  } catch (const std::invalid_argument&) {
    return;  // the native control never reports such a value; a stray one is ignored
  }
  if (n == value_) return;
  // The native control shows it already: only the model follows.
  value_ = n;
  if (OnChange) OnChange(this);
}

void TDateTimePicker::DropDown() {
  if (!Accepts() || kind_ != TDateTimeKind::dtkDate || droppedDown_) return;
  droppedDown_ = true;
  if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
  if (!droppedDown_) return;
  droppedDown_ = false;
  if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::PickDay(int year, int month, int day) {
  if (!droppedDown_) return;
  platform::DateTime v = value_;
  v.year = year;
  v.month = month;
  v.day = day;
  ValueEdited(v);
  CloseUp();
}

bool TDateTimePicker::ContextPopup(TPoint screen) {
  if (!Accepts() || !PopupMenu()) return false;
  PopupMenu()->PopupComponent = this;
  PopupMenu()->Popup(screen.x, screen.y);
  return true;
}

std::unique_ptr<WinControlPeer> TDateTimePicker::CreatePeer(WidgetSet& widgets) {
  return widgets.CreateDateTimePickerPeer(*this);
}

}  // namespace ui
