// TCalendarForm: the calendar window. One to three months with week numbers and the days that
// hold events in bold, the chosen day's events under them, the count of days of a chosen range,
// and the time of other cities at the top. It opens beside the clock and closes with Esc or when
// another window takes the foreground. It is made the first time it is opened, follows the
// event store's changes while it is open and does nothing while it is closed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calendar_days.h"
#include "config/program_files.h"
#include "events/event_store.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/monthcalendar.h"
#include "ui/panels.h"
#include "ui/stdctrls.h"

// What the calendar asks of the rest of the program.
struct CalendarLinks {
  // Opens the event editor in record mode with `day` in its date picker.
  std::function<void(const platform::DateTime& day)> addOnDay;
  // Shows event `number` in the event list's detail view.
  std::function<void(const std::string& number)> showEvent;
};

class TCalendarForm : public ui::TForm {
 public:
  TCalendarForm(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
                events::EventStore& store, CalendarLinks links);
  ~TCalendarForm() override;

  ui::TPanel* Surface;                 // the window's surface
  ui::TLabel* Label1;                 // the heading "Календарь"
  std::vector<ui::TLabel*> CityLabels;  // "Токио 02:15, завтра", one per city
  ui::TMonthCalendar* MonthCalendar1;
  ui::TLabel* Label2;                 // "Дней: N" of a range of days
  ui::TListView* ListView1;           // "Время", "Тип", "Событие" of the chosen day
  ui::TLabel* Label3;                 // "Ничего не запланировано" in the list's place
  ui::TBitBtn* BitBtn1;               // "Добавить на этот день"
  ui::TTimer* Timer1;                 // the cities' clocks and today, while the window is open

  // Opens the window beside `clock` (the clock window's screen rectangle), whole on the work area
  // of the monitor that holds it, with today chosen.
  void ShowBeside(ui::TRect clock);
  // The day whose events the list shows.
  const platform::DateTime& ShownDay() const { return shownDay_; }
  // The events the list shows, in its order.
  const std::vector<calendar::DayEntry>& Entries() const { return entries_; }

  void MonthCalendar1SelChange(ui::TComponent* sender);
  void MonthCalendar1DblClick(ui::TComponent* sender);
  void ListView1DblClick(ui::TComponent* sender);
  void BitBtn1Click(ui::TComponent* sender);
  void Timer1Timer(ui::TComponent* sender);
  void SurfaceMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);

 private:
  calendar::Pictures Pictures();
  // The stored events as read once for this opening (again after each change of the store).
  const calendar::StoredEvents& Events();
  // Beside anchor_, whole on its monitor's work area.
  void Place();
  // Settings, cities and sizes read again, the controls placed.
  void Arrange();
  // The list of the chosen day and the count of a range.
  void FillDay();
  void ShowCities(const platform::DateTime& now);
  // The store changed: marks and list again while open.
  void StoreChanged();

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  CalendarLinks links_;
  int subscription_ = 0;
  ui::TRect anchor_{};
  std::vector<calendar::City> cities_;
  platform::DateTime shownDay_;
  std::vector<calendar::DayEntry> entries_;
  std::optional<calendar::StoredEvents> events_;
};
