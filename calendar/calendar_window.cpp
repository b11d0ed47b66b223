#include "calendar/calendar_window.h"

#include <algorithm>

#include "chrome/placement.h"
#include "notify/notices.h"
#include "ui/dpi.h"

using namespace std::placeholders;

namespace {

constexpr ui::TColor kHeadingColor = 0x104060;  // the dark brown of the note windows' headings
constexpr int kMargin = 12;
constexpr int kListHeight = 132;
constexpr int kMinListWidth = 380;
const ui::TFont kTextFont{"Tahoma", 8, ui::clBlack, false};

// Where a window of `size` (screen pixels) opens beside `anchor`: above it, right edges aligned,
// or below it when there is no room above; always whole on `work` as far as it fits.
ui::TPoint PlaceBeside(ui::TRect anchor, ui::TSize size, ui::TRect work) {
  ui::TPoint at{anchor.right - size.cx, anchor.top - size.cy - 4};
  if (at.y < work.top) at.y = anchor.bottom + 4;
  at.x = std::clamp(at.x, work.left, std::max(work.left, work.right - size.cx));
  at.y = std::clamp(at.y, work.top, std::max(work.top, work.bottom - size.cy));
  return at;
}

}  // namespace

TCalendarForm::TCalendarForm(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
                             events::EventStore& store, CalendarLinks links)
    : ui::TForm(owner), platform_(platform), files_(files), store_(store), links_(std::move(links)) {
  Name = "CalendarForm";
  SetCaption("Календарь");
  const notify::NoteFrame frame = notify::BuildNoteFrame(*this, "Календарь", 420, 400);
  Position = ui::TPosition::poDesigned;
  Surface = frame.panel;
  Label1 = frame.heading;

  for (int i = 0; i < calendar::kMaxCities; ++i) {
    auto* label = new ui::TLabel(this);
    label->SetParent(Surface);
    label->SetFont({"Tahoma", 9, kHeadingColor, false});
    label->SetLeft(kMargin);
    label->SetVisible(false);
    CityLabels.push_back(label);
  }

  MonthCalendar1 = new ui::TMonthCalendar(this);
  MonthCalendar1->SetParent(Surface);
  MonthCalendar1->SetFont(kTextFont);
  MonthCalendar1->SetLeft(kMargin);

  Label2 = new ui::TLabel(this);
  Label2->SetParent(Surface);
  Label2->SetFont({"Tahoma", 8, kHeadingColor, true});
  Label2->SetLeft(kMargin);

  ListView1 = new ui::TListView(this);
  ListView1->SetParent(Surface);
  ListView1->SetFont(kTextFont);
  ListView1->AddColumn("Время", 64);
  ListView1->AddColumn("Тип", 140);
  ListView1->AddColumn("Событие", 170);
  ListView1->SetRowSelect(true);

  Label3 = new ui::TLabel(this);
  Label3->SetParent(Surface);
  Label3->SetFont({"Tahoma", 9, kHeadingColor, false});
  Label3->SetCaption(calendar::kNothingPlanned);
  Label3->SetLeft(kMargin + 8);

  BitBtn1 = new ui::TBitBtn(this);
  BitBtn1->SetParent(Surface);
  BitBtn1->SetFont(kTextFont);
  BitBtn1->SetCaption("Добавить на этот день");
  BitBtn1->SetLeft(kMargin);

  Timer1 = new ui::TTimer(this);
  Timer1->SetInterval(1000);
  Timer1->SetEnabled(false);

  MonthCalendar1->OnDayStates = [this](int year, int month, int count) {
    return calendar::BoldDays(Events(), year, month, count, Pictures());
  };
  MonthCalendar1->OnSelChange = std::bind(&TCalendarForm::MonthCalendar1SelChange, this, _1);
  MonthCalendar1->OnDblClick = std::bind(&TCalendarForm::MonthCalendar1DblClick, this, _1);
  // The native control knows its month's size only once it is made: the window grows to it.
  MonthCalendar1->OnMeasured = [this](ui::TComponent*) {
    Arrange();
    if (Visible()) Place();
  };
  ListView1->OnDblClick = std::bind(&TCalendarForm::ListView1DblClick, this, _1);
  BitBtn1->OnClick = std::bind(&TCalendarForm::BitBtn1Click, this, _1);
  Timer1->OnTimer = std::bind(&TCalendarForm::Timer1Timer, this, _1);
  Surface->OnMouseDown = std::bind(&TCalendarForm::SurfaceMouseDown, this, _1, _2, _3, _4, _5);
  // Like the system's flyouts: a click elsewhere closes it.
  OnDeactivate = [this](ui::TComponent*) {
    if (Visible()) Close();
  };
  OnHide = [this](ui::TComponent*) { Timer1->SetEnabled(false); };
  subscription_ = store_.Subscribe([this] { StoreChanged(); });
  Arrange();
}

TCalendarForm::~TCalendarForm() { store_.Unsubscribe(subscription_); }

calendar::Pictures TCalendarForm::Pictures() {
  return {platform_.clock().LongTimeFormat(), platform_.clock().ShortDateFormat()};
}

const calendar::StoredEvents& TCalendarForm::Events() {
  if (!events_) events_ = calendar::ReadEvents(store_);
  return *events_;
}

void TCalendarForm::Arrange() {
  config::Settings& config = files_.Config();
  int months = 1;
  try {
    months = config.ReadInt("Clock", "CalendarMonths", 1);
  } catch (const std::exception&) {
  }
  MonthCalendar1->SetMonthCount(months);
  MonthCalendar1->SetWeekNumbers(config.ReadFlag("Clock", "CalendarWeekNumbers", true));
  cities_ = calendar::ReadCities(config);

  int y = 34;
  for (std::size_t i = 0; i < CityLabels.size(); ++i) {
    CityLabels[i]->SetVisible(i < cities_.size());
    if (i >= cities_.size()) continue;
    CityLabels[i]->SetTop(y);
    y += 18;
  }
  if (!cities_.empty()) y += 4;
  const int width = std::max(MonthCalendar1->Width(), kMinListWidth);
  MonthCalendar1->SetLeft(kMargin + (width - MonthCalendar1->Width()) / 2);
  MonthCalendar1->SetTop(y);
  y += MonthCalendar1->Height() + 6;
  Label2->SetTop(y);
  y += 20;
  ListView1->SetBounds(kMargin, y, width, kListHeight);
  ListView1->SetColumnWidth(2, std::max(width - 64 - 140 - 24, 120));
  Label3->SetTop(y + 8);
  y += kListHeight + 8;
  BitBtn1->SetBounds(kMargin, y, 200, 28);
  y += 28 + kMargin;
  SetClientWidth(width + 2 * kMargin);
  SetClientHeight(y);
}

void TCalendarForm::ShowBeside(ui::TRect clock) {
  const platform::DateTime now = platform_.clock().Now();
  events_.reset();  // read once for this opening
  Arrange();
  ShowCities(now);
  MonthCalendar1->SetToday(now);
  MonthCalendar1->SetSelection(now, now);
  MonthCalendar1->ShowMonth(now.year, now.month);
  MonthCalendar1->RefreshDayStates();
  FillDay();

  anchor_ = clock;
  Place();
  Timer1->SetEnabled(true);
  Show();
  BringToFront();
  BitBtn1->SetGlyph(files_.LibraryPicture("ADDEVENT"));
}

void TCalendarForm::Place() {
  const auto monitors = platform_.monitors().List();
  if (const platform::MonitorArea* monitor = chrome::MonitorOf(monitors, anchor_)) {
    const ui::TSize size{ui::ScaleValue(Width(), monitor->dpi), ui::ScaleValue(Height(), monitor->dpi)};
    const ui::TPoint at = PlaceBeside(anchor_, size, monitor->work);
    SetLeft(at.x);
    SetTop(at.y);
  }
}

void TCalendarForm::ShowCities(const platform::DateTime& now) {
  for (std::size_t i = 0; i < cities_.size() && i < CityLabels.size(); ++i)
    CityLabels[i]->SetCaption(calendar::CityLine(cities_[i], now, platform_.timeZones()));
}

void TCalendarForm::FillDay() {
  shownDay_ = MonthCalendar1->SelStart();
  entries_ = calendar::DayList(store_, Events(), shownDay_, Pictures());
  ListView1->BeginUpdate();
  ListView1->Clear();
  for (const calendar::DayEntry& e : entries_) {
    std::string text = e.text.empty() ? e.typeName : e.text;
    if (!e.active) text += std::string(" ") + calendar::kSwitchedOff;
    ListView1->AddItem(e.time, {e.typeName, text}).SetGreyed(!e.active);
  }
  ListView1->EndUpdate();
  ListView1->SetVisible(!entries_.empty());
  Label3->SetVisible(entries_.empty());

  const int days = calendar::DaysInRange(MonthCalendar1->SelStart(), MonthCalendar1->SelEnd());
  Label2->SetCaption(days > 1 ? calendar::RangeText(days) : "");
}

void TCalendarForm::StoreChanged() {
  events_.reset();
  if (!Visible()) return;
  MonthCalendar1->RefreshDayStates();
  FillDay();
}

void TCalendarForm::MonthCalendar1SelChange(ui::TComponent*) { FillDay(); }

void TCalendarForm::MonthCalendar1DblClick(ui::TComponent*) {
  const platform::DateTime day = MonthCalendar1->SelStart();
  Close();
  if (links_.addOnDay) links_.addOnDay(day);
}

void TCalendarForm::ListView1DblClick(ui::TComponent*) {
  const int at = ListView1->ItemIndex();
  if (at < 0 || std::size_t(at) >= entries_.size()) return;
  const std::string number = entries_[std::size_t(at)].number;
  Close();
  if (links_.showEvent) links_.showEvent(number);
}

void TCalendarForm::BitBtn1Click(ui::TComponent*) {
  const platform::DateTime day = MonthCalendar1->SelStart();
  Close();
  if (links_.addOnDay) links_.addOnDay(day);
}

void TCalendarForm::Timer1Timer(ui::TComponent*) {
  if (!Visible()) {
    Timer1->SetEnabled(false);
    return;
  }
  const platform::DateTime now = platform_.clock().Now();
  ShowCities(now);
  MonthCalendar1->SetToday(now);
}

void TCalendarForm::SurfaceMouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  if (button == ui::TMouseButton::mbLeft) BeginMove();
}
