#include "ui/monthcalendar.h"

#include <algorithm>

#include "platform/date_text.h"
#include "ui/widgetset.h"

namespace ui {

namespace {

platform::DateTime Midnight(const platform::DateTime& t) {
  return platform::CivilFromDays(platform::DaysFromCivil(t.year, t.month, t.day));
}

bool RealDay(const platform::DateTime& t) {
  return t.year >= 1601 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= platform::DaysInMonth(t.year, t.month);
}

}  // namespace

TMonthCalendar::TMonthCalendar(TComponent* owner) : TWinControl(owner) {
  today_ = selStart_ = selEnd_ = Midnight(today_);
  FitWidth();
}

MonthCalendarPeer* TMonthCalendar::P() const { return static_cast<MonthCalendarPeer*>(Peer()); }

void TMonthCalendar::FitWidth() {
  SetBounds(Left(), Top(), monthCount_ * monthSize_.cx + (monthCount_ - 1) * kMonthGap, monthSize_.cy);
}

void TMonthCalendar::SetMonthCount(int count) {
  count = std::clamp(count, 1, 3);
  if (count == monthCount_) return;
  monthCount_ = count;
  FitWidth();
}

void TMonthCalendar::SetWeekNumbers(bool on) {
  if (on == weekNumbers_) return;
  weekNumbers_ = on;
  if (auto* p = P()) p->SetWeekNumbers(on);
}

void TMonthCalendar::SetToday(const platform::DateTime& today) {
  if (!RealDay(today)) return;
  platform::DateTime day = Midnight(today);
  if (day == today_) return;
  today_ = day;
  if (auto* p = P()) p->SetToday(today_);
}

void TMonthCalendar::SetSelection(const platform::DateTime& first, const platform::DateTime& last) {
  if (!RealDay(first) || !RealDay(last)) return;
  platform::DateTime a = Midnight(first), b = Midnight(last);
  if (platform::DaysFromCivil(b.year, b.month, b.day) < platform::DaysFromCivil(a.year, a.month, a.day)) std::swap(a, b);
  // Too long a range keeps its first day and as many days as are allowed.
  const std::int64_t firstDay = platform::DaysFromCivil(a.year, a.month, a.day);
  if (platform::DaysFromCivil(b.year, b.month, b.day) - firstDay >= maxSelection_)
    b = platform::CivilFromDays(firstDay + maxSelection_ - 1);
  if (a == selStart_ && b == selEnd_) return;
  selStart_ = a;
  selEnd_ = b;
  if (auto* p = P()) p->SetSelection(selStart_, selEnd_);
}

void TMonthCalendar::SetMaxSelection(int days) {
  days = std::max(days, 1);
  if (days == maxSelection_) return;
  maxSelection_ = days;
  if (auto* p = P()) p->SetMaxSelection(days);
  SetSelection(selStart_, selEnd_);
}

void TMonthCalendar::ShowMonth(int year, int month) {
  if (month < 1 || month > 12 || year < 1601 || year > 9999) return;
  if (year == firstYear_ && month == firstMonth_) return;
  firstYear_ = year;
  firstMonth_ = month;
  if (auto* p = P()) p->ShowMonth(year, month);
}

std::vector<std::uint32_t> TMonthCalendar::DayStates(int year, int month, int count) const {
  std::vector<std::uint32_t> states;
  if (OnDayStates) states = OnDayStates(year, month, count);
  states.resize(std::size_t(std::max(count, 0)), 0);
  return states;
}

void TMonthCalendar::RefreshDayStates() {
  if (auto* p = P()) p->RefreshDayStates();
}

void TMonthCalendar::SelectionEdited(const platform::DateTime& first, const platform::DateTime& last, bool chosen) {
  if (!Enabled() || !Visible()) return;
  const platform::DateTime oldStart = selStart_, oldEnd = selEnd_;
  if (!RealDay(first) || !RealDay(last)) return;
  platform::DateTime a = Midnight(first), b = Midnight(last);
  if (platform::DaysFromCivil(b.year, b.month, b.day) < platform::DaysFromCivil(a.year, a.month, a.day)) std::swap(a, b);
  // The native control shows it already: only the model follows.
  selStart_ = a;
  selEnd_ = b;
  if ((selStart_ != oldStart || selEnd_ != oldEnd) && OnSelChange) OnSelChange(this);
  if (chosen && OnSelect) OnSelect(this);
}

void TMonthCalendar::MonthsScrolled(int year, int month) {
  if (month < 1 || month > 12) return;
  firstYear_ = year;
  firstMonth_ = month;
}

void TMonthCalendar::DayDoubleClicked(const platform::DateTime& day) {
  if (!Enabled() || !Visible()) return;
  SelectionEdited(day, day, false);
  if (OnDblClick) OnDblClick(this);
}

void TMonthCalendar::MonthMeasured(TSize size) {
  if (size.cx <= 0 || size.cy <= 0 || (size.cx == monthSize_.cx && size.cy == monthSize_.cy)) return;
  monthSize_ = size;
  FitWidth();
  if (OnMeasured) OnMeasured(this);
}

std::unique_ptr<WinControlPeer> TMonthCalendar::CreatePeer(WidgetSet& widgets) {
  return widgets.CreateMonthCalendarPeer(*this);
}

}  // namespace ui
