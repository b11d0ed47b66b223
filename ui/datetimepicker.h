// TDateTimePicker: a date (with a drop-down calendar, in the user's short date format) or a
// time of day (to the second, in the user's long time format) the user edits in place. The
// control holds its value; the native control formats it. Setting the value in code raises
// no event; a change by the user raises OnChange.
#pragma once

#include "platform/platform.h"
#include "ui/controls.h"

namespace ui {

enum class TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner);

  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind);

  // The whole value: a calendar date and a time of day to the second (milliseconds are
  // dropped, the day of the week follows the date). Setting a value that names no real date
  // or time throws std::invalid_argument and keeps the old one.
  const platform::DateTime& DateTime() const { return value_; }
  void SetDateTime(const platform::DateTime& value);
  // Only the date part of `date`, keeping the time of day; only the time part of `time`,
  // keeping the date.
  void SetDate(const platform::DateTime& date);
  void SetTime(const platform::DateTime& time);

  // True while the calendar of a date picker is open.
  bool DroppedDown() const { return droppedDown_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  // Input entry points. The user changed the value in the field (typed or scrolled a part of
  // it); OnChange when it really changed.
  void ValueEdited(const platform::DateTime& value);
  // The user opened the calendar of a date picker, closed it without choosing, or chose a day
  // in it (which also closes it).
  void DropDown();
  void CloseUp();
  void PickDay(int year, int month, int day);
  // The user asked for the context menu (right button or the menu key) at a screen point;
  // true when the control has a menu and showed it.
  bool ContextPopup(TPoint screen);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  DateTimePickerPeer* P() const { return static_cast<DateTimePickerPeer*>(Peer()); }
  bool Accepts() const { return Enabled() && Visible(); }
  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
  platform::DateTime value_;
  bool droppedDown_ = false;
};

// The value with milliseconds dropped and the day of the week set; throws
// std::invalid_argument when it names no real date or time of day.
platform::DateTime NormalizedDateTime(const platform::DateTime& value);

}  // namespace ui
