#include "settings/city_clocks.h"

#include <algorithm>

#include "config/ini.h"

namespace settings {

namespace {

template <class T>
T* Make(ui::TComponent* owner, ui::TWinControl* parent, int left, int top, int width, int height) {
  auto* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace

CityClocksGroup::CityClocksGroup(ui::TComponent* form, ui::TPageControl* pages, config::Settings& config,
                                 platform::TimeZones& zones, std::function<void()> changed)
    : ui::TComponent(form), config_(config), zones_(zones), changed_(std::move(changed)) {
  Sheet = new ui::TTabSheet(form);
  Sheet->Name = "TabSheetCalendar";
  Sheet->SetPageControl(pages);
  Sheet->SetCaption("Календарь");

  Group = Make<ui::TGroupBox>(form, Sheet, 4, 2, 324, 232);
  Group->SetCaption("Часы других городов");
  CityList = Make<ui::TListBox>(form, Group, 10, 18, 304, 50);
  auto* nameLabel = Make<ui::TLabel>(form, Group, 10, 74, 120, 14);
  nameLabel->SetCaption("Название");
  NameEdit = Make<ui::TEdit>(form, Group, 10, 90, 150, 21);
  NameEdit->SetMaxLength(24);
  auto* zoneLabel = Make<ui::TLabel>(form, Group, 10, 116, 120, 14);
  zoneLabel->SetCaption("Часовой пояс");
  ZoneList = Make<ui::TListBox>(form, Group, 10, 132, 304, 88);
  AddButton = Make<ui::TButton>(form, Group, 168, 89, 70, 23);
  AddButton->SetCaption("Добавить");
  RemoveButton = Make<ui::TButton>(form, Group, 244, 89, 70, 23);
  RemoveButton->SetCaption("Удалить");

  auto* monthsLabel = Make<ui::TLabel>(form, Sheet, 14, 248, 180, 14);
  monthsLabel->SetCaption("Месяцев в календаре");
  MonthsEdit = Make<ui::TSpinEdit>(form, Sheet, 190, 244, 50, 22);
  MonthsEdit->SetMinValue(1);
  MonthsEdit->SetMaxValue(3);
  int months = 1;
  try {
    months = config_.ReadInt("Clock", "CalendarMonths", 1);
  } catch (const std::exception&) {
  }
  MonthsEdit->SetValue(std::clamp(months, 1, 3));
  WeeksBox = Make<ui::TCheckBox>(form, Sheet, 14, 272, 300, 19);
  WeeksBox->SetCaption("Номера недель в календаре");
  WeeksBox->SetChecked(config_.ReadFlag("Clock", "CalendarWeekNumbers", true));

  AddButton->OnClick = [this](ui::TComponent* sender) { AddClick(sender); };
  RemoveButton->OnClick = [this](ui::TComponent* sender) { RemoveClick(sender); };
  MonthsEdit->OnChange = [this](ui::TComponent*) {
    config_.WriteInteger("Clock", "CalendarMonths", std::clamp(MonthsEdit->Value(), 1, 3));
  };
  WeeksBox->OnClick = [this](ui::TComponent*) {
    config_.WriteString("Clock", "CalendarWeekNumbers", WeeksBox->Checked() ? "1" : "0");
  };
  // The zones come from the system when the tab is first shown, not at start.
  ui::TNotifyEvent before = pages->OnChange;
  pages->OnChange = [this, pages, before](ui::TComponent* sender) {
    if (before) before(sender);
    if (pages->ActivePage() == Sheet) FillZones();
  };
  cities_ = calendar::ReadCities(config_);
  ShowCities();
}

void CityClocksGroup::FillZones() {
  if (!zoneItems_.empty()) return;
  zoneItems_ = zones_.List();
  std::vector<std::string> names;
  for (const platform::TimeZone& zone : zoneItems_) names.push_back(zone.displayName);
  ZoneList->SetItems(names);
}

void CityClocksGroup::ShowCities() {
  std::vector<std::string> items;
  for (const calendar::City& city : cities_) {
    std::string zone = city.zone;
    for (const platform::TimeZone& z : zoneItems_)
      if (z.id == city.zone) zone = z.standardName;
    items.push_back(city.name + " — " + zone);
  }
  CityList->SetItems(items);
  AddButton->SetEnabled(cities_.size() < std::size_t(calendar::kMaxCities));
}

void CityClocksGroup::AddClick(ui::TComponent*) {
  FillZones();
  const std::string name(config::TrimBlanks(NameEdit->Text()));
  const int zone = ZoneList->ItemIndex();
  if (name.empty() || zone < 0 || std::size_t(zone) >= zoneItems_.size() ||
      cities_.size() >= std::size_t(calendar::kMaxCities))
    return;
  cities_.push_back({name, zoneItems_[std::size_t(zone)].id});
  calendar::WriteCities(config_, cities_);
  NameEdit->SetText("");
  ShowCities();
  if (changed_) changed_();
}

void CityClocksGroup::RemoveClick(ui::TComponent*) {
  const int at = CityList->ItemIndex();
  if (at < 0 || std::size_t(at) >= cities_.size()) return;
  cities_.erase(cities_.begin() + at);
  calendar::WriteCities(config_, cities_);
  ShowCities();
  if (changed_) changed_();
}

}  // namespace settings
