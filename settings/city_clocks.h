// The settings page's "Календарь" tab: the other cities' clocks (a name and a zone of the
// system's list, at most three, stored in [Cities]) and how the calendar shows its months
// ([Clock] CalendarMonths, CalendarWeekNumbers). Each change is written at once.
#pragma once

#include <functional>
#include <vector>

#include "calendar/calendar_days.h"
#include "config/settings.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/comctrls.h"
#include "ui/edits.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"

namespace settings {

class CityClocksGroup : public ui::TComponent {
 public:
  // Adds the tab to `pages`; `form` owns the controls. `changed` runs after each change of the
  // cities.
  CityClocksGroup(ui::TComponent* form, ui::TPageControl* pages, config::Settings& config,
                  platform::TimeZones& zones, std::function<void()> changed);

  ui::TTabSheet* Sheet;
  ui::TGroupBox* Group;       // "Часы других городов"
  ui::TListBox* CityList;     // "Токио — Tokyo Standard Time"
  ui::TEdit* NameEdit;        // the new city's name
  ui::TListBox* ZoneList;     // the system's zones, filled when the tab is first shown
  ui::TButton* AddButton;     // "Добавить"
  ui::TButton* RemoveButton;  // "Удалить"
  ui::TSpinEdit* MonthsEdit;  // months side by side, 1 to 3
  ui::TCheckBox* WeeksBox;    // "Номера недель"

  // The zone list, unless it is filled already.
  void FillZones();
  void AddClick(ui::TComponent* sender);
  void RemoveClick(ui::TComponent* sender);

 private:
  void ShowCities();
  config::Settings& config_;
  platform::TimeZones& zones_;
  std::function<void()> changed_;
  std::vector<platform::TimeZone> zoneItems_;
  std::vector<calendar::City> cities_;
};

}  // namespace settings
