// TMonthCalendar: one or more months side by side, today marked, week numbers, and a range of
// days the user chooses. Days the program marks are shown bold: the control asks its
// OnDayStates source for the months it is about to show, and asks again when they scroll or
// the program calls RefreshDayStates. Setting the selection in code raises no event; a change
// by the user raises OnSelChange, a click on a day OnSelect, a double click on a day
// OnDblClick (after the day is selected).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/platform.h"
#include "ui/controls.h"

namespace ui {

class MonthCalendarPeer;

class TMonthCalendar : public TWinControl {
 public:
  explicit TMonthCalendar(TComponent* owner);

  // How many months stand side by side (1 to 3); the control's width follows.
  int MonthCount() const { return monthCount_; }
  void SetMonthCount(int count);
  bool WeekNumbers() const { return weekNumbers_; }
  void SetWeekNumbers(bool on);
  // The size of one month as the native control draws it at 96 dpi (a default until a peer
  // measured it), and the gap between months.
  TSize MonthSize() const { return monthSize_; }
  static constexpr int kMonthGap = 10;

  // The day marked as today.
  const platform::DateTime& Today() const { return today_; }
  void SetToday(const platform::DateTime& today);

  // The chosen days, first <= last (both midnight), at most MaxSelection() days long.
  const platform::DateTime& SelStart() const { return selStart_; }
  const platform::DateTime& SelEnd() const { return selEnd_; }
  void SetSelection(const platform::DateTime& first, const platform::DateTime& last);
  int MaxSelection() const { return maxSelection_; }
  void SetMaxSelection(int days);

  // The first month shown (its year and month), and moving there.
  int FirstYear() const { return firstYear_; }
  int FirstMonth() const { return firstMonth_; }
  void ShowMonth(int year, int month);

  // Bold days: for `count` months from year/month, one bit per day (bit 0 = the 1st).
  using DayStateSource = std::function<std::vector<std::uint32_t>(int year, int month, int count)>;
  DayStateSource OnDayStates;
  // The bits of `count` months from year/month, asked of OnDayStates (zeros without one).
  std::vector<std::uint32_t> DayStates(int year, int month, int count) const;
  // The marks changed: the shown months are asked again.
  void RefreshDayStates();

  TNotifyEvent OnSelChange;
  TNotifyEvent OnSelect;
  // The month size changed once the native control measured it: the window lays out again.
  TNotifyEvent OnMeasured;

  // Input entry points. The user chose days (by click, drag or keys; `chosen` when by a click
  // that ends the choice), scrolled to another first month, or double-clicked a day.
  void SelectionEdited(const platform::DateTime& first, const platform::DateTime& last, bool chosen);
  void MonthsScrolled(int year, int month);
  void DayDoubleClicked(const platform::DateTime& day);
  // The peer measured one month at 96 dpi.
  void MonthMeasured(TSize size);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  MonthCalendarPeer* P() const;
  void FitWidth();
  int monthCount_ = 1;
  bool weekNumbers_ = true;
  TSize monthSize_{190, 160};
  platform::DateTime today_, selStart_, selEnd_;
  int maxSelection_ = 366;
  int firstYear_ = 2000, firstMonth_ = 1;
};

}  // namespace ui
