// The month calendar's peer: the system's month calendar with bold days (day states), week
// numbers and a range of days.
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "ui/dpi.h"
#include "ui/monthcalendar.h"
#include "platform/win32/system_time.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

using platform::win32::ToSystemTime;

namespace {

// Posted to the control itself: measure one month once the font is in place.
constexpr UINT kMeasure = WM_APP + 0x31;

// The control's days carry no time of day.
platform::DateTime DayOf(const SYSTEMTIME& st) {
  return platform::CivilFromDays(platform::DaysFromCivil(st.wYear, st.wMonth, st.wDay));
}

DWORD Styles(bool weekNumbers) {
  return WS_TABSTOP | MCS_DAYSTATE | MCS_MULTISELECT | (weekNumbers ? MCS_WEEKNUMBERS : 0);
}

class Win32MonthCalendarPeer : public Win32ControlPeer<MonthCalendarPeer> {
 public:
  Win32MonthCalendarPeer(Backend& backend, TMonthCalendar& calendar)
      : Win32ControlPeer(backend, calendar), calendar_(calendar) {
    Create(MONTHCAL_CLASSW, Styles(calendar.WeekNumbers()));
    if (!Handle()) return;
    SetMaxSelection(calendar.MaxSelection());
    SetToday(calendar.Today());
    SetSelection(calendar.SelStart(), calendar.SelEnd());
    RefreshDayStates();
  }

  void SetCaption(const std::string&) override {}

  // A new size may show other months; the control does not always ask for their marks.
  void SetBounds(TRect r) override {
    ApplyBounds(r);
    RefreshDayStates();
  }

  void SetWeekNumbers(bool on) override {
    if (!Handle()) return;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = on ? (style | MCS_WEEKNUMBERS) : (style & ~LONG_PTR(MCS_WEEKNUMBERS));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    PostMessageW(Handle(), kMeasure, 0, 0);
    Repaint();
  }

  void SetToday(const platform::DateTime& today) override {
    if (!Handle()) return;
    SYSTEMTIME st = ToSystemTime(today);
    SendMessageW(Handle(), MCM_SETTODAY, 0, LPARAM(&st));
  }

  void SetSelection(const platform::DateTime& first, const platform::DateTime& last) override {
    if (!Handle()) return;
    SYSTEMTIME range[2] = {ToSystemTime(first), ToSystemTime(last)};
    pushing_ = true;
    SendMessageW(Handle(), MCM_SETSELRANGE, 0, LPARAM(range));
    pushing_ = false;
    ReadFirstMonth();
  }

  void SetMaxSelection(int days) override {
    if (Handle()) SendMessageW(Handle(), MCM_SETMAXSELCOUNT, WPARAM(days), 0);
  }

  void ShowMonth(int year, int month) override {
    if (!Handle()) return;
    // The control shows the month of a selected day: the selection moves there and back.
    SYSTEMTIME visible[2];
    SendMessageW(Handle(), MCM_GETMONTHRANGE, GMR_VISIBLE, LPARAM(visible));
    if (visible[0].wYear == year && visible[0].wMonth == month) return;
    SYSTEMTIME first{};
    first.wYear = WORD(year);
    first.wMonth = WORD(month);
    first.wDay = 1;
    SYSTEMTIME range[2] = {first, first};
    pushing_ = true;
    SendMessageW(Handle(), MCM_SETSELRANGE, 0, LPARAM(range));
    range[0] = ToSystemTime(calendar_.SelStart());
    range[1] = ToSystemTime(calendar_.SelEnd());
    SendMessageW(Handle(), MCM_SETSELRANGE, 0, LPARAM(range));
    pushing_ = false;
    RefreshDayStates();
  }

  void RefreshDayStates() override {
    if (!Handle()) return;
    SYSTEMTIME range[2];
    const int count = int(SendMessageW(Handle(), MCM_GETMONTHRANGE, GMR_DAYSTATE, LPARAM(range)));
    if (count <= 0) return;
    FillStates(range[0], count);
    SendMessageW(Handle(), MCM_SETDAYSTATE, WPARAM(count), LPARAM(states_.data()));
  }

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case MCN_GETDAYSTATE: {
        auto& request = reinterpret_cast<NMDAYSTATE&>(header);
        FillStates(request.stStart, request.cDayState);
        request.prgDayState = states_.data();
        ReadFirstMonth();
        result = 0;
        return true;
      }
      case MCN_SELCHANGE:
      case MCN_SELECT: {
        auto& change = reinterpret_cast<NMSELCHANGE&>(header);
        ReadFirstMonth();
        if (!pushing_)
          calendar_.SelectionEdited(DayOf(change.stSelStart), DayOf(change.stSelEnd),
                                    header.code == MCN_SELECT);
        result = 0;
        return true;
      }
      default:
        return false;
    }
  }

  bool OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT&) override {
    switch (msg) {
      case WM_SETFONT:
        PostMessageW(Handle(), kMeasure, 0, 0);
        return false;
      case kMeasure:
        Measure();
        return true;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        // The class may not ask for double clicks: two presses on one day in the system's
        // double-click time count as one.
        auto day = DayAt(int(short(LOWORD(lParam))), int(short(HIWORD(lParam))));
        const DWORD now = DWORD(GetMessageTime());
        const bool twice = day && (msg == WM_LBUTTONDBLCLK || (lastDay_ && *lastDay_ == *day &&
                                                               now - lastPress_ <= GetDoubleClickTime()));
        lastDay_ = twice ? std::nullopt : day;
        lastPress_ = now;
        if (twice) {
          calendar_.DayDoubleClicked(*day);
          return true;
        }
        return false;
      }
      default:
        return false;
    }
  }

 private:
  std::optional<platform::DateTime> DayAt(int x, int y) {
    MCHITTESTINFO hit{};
    // The first version of the record, which every version of the control takes.
    hit.cbSize = UINT(offsetof(MCHITTESTINFO, st) + sizeof(SYSTEMTIME));
    hit.pt = {x, y};
    SendMessageW(Handle(), MCM_HITTEST, 0, LPARAM(&hit));
    if ((hit.uHit & MCHT_CALENDARDATE) != MCHT_CALENDARDATE || hit.st.wYear == 0) return std::nullopt;
    return DayOf(hit.st);
  }

  void FillStates(const SYSTEMTIME& start, int count) {
    std::vector<std::uint32_t> bits = calendar_.DayStates(start.wYear, start.wMonth, count);
    states_.assign(bits.begin(), bits.end());
  }

  void ReadFirstMonth() {
    SYSTEMTIME visible[2];
    SendMessageW(Handle(), MCM_GETMONTHRANGE, GMR_VISIBLE, LPARAM(visible));
    if (visible[0].wYear) calendar_.MonthsScrolled(visible[0].wYear, visible[0].wMonth);
  }

  void Measure() {
    RECT r{};
    if (!SendMessageW(Handle(), MCM_GETMINREQRECT, 0, LPARAM(&r))) return;
    // The room of the "today" line is part of the rectangle; the model counts designed pixels.
    const int dpi = calendar_.Dpi();
    // Rounded up: scaled back, the months must fit whole.
    auto designed = [dpi](LONG pixels) { return int((pixels * 96 + dpi - 1) / dpi); };
    calendar_.MonthMeasured({designed(r.right - r.left), designed(r.bottom - r.top)});
  }

  TMonthCalendar& calendar_;
  std::vector<MONTHDAYSTATE> states_;
  bool pushing_ = false;
  std::optional<platform::DateTime> lastDay_;
  DWORD lastPress_ = 0;
};

}  // namespace

std::unique_ptr<MonthCalendarPeer> NewMonthCalendarPeer(Backend& backend, TMonthCalendar& calendar) {
  return std::make_unique<Win32MonthCalendarPeer>(backend, calendar);
}

}  // namespace ui::win32
