// The event list: the left half of the event page. It lists the stored events by a filter,
// shows the clicked one in the editor's controls, deletes it, and test-runs the one shown.
// It keeps no data of its own: every refresh reads the store afresh.
#include <algorithm>

#include "config/convert.h"
#include "events/list_file.h"
#include "events/next_firing.h"
#include "events/scheduler.h"
#include "events/store_changes.h"
#include "settings/event_list_model.h"
#include "settings/settings_window.h"
#include "ui/application.h"

namespace {

constexpr const char* kNothingSelected = "Выберите запись из левого списка которую нужно удалить...";
// What "Тест!" starts for the session-ending types: a harmless command, never the real action.
constexpr const char* kTestProgram = "shutdown.exe";
constexpr const char* kTestParameters = " shell32,SHExitWindowsEx 8";
constexpr int kShowHidden = 0;  // the system's show command for a hidden window

// The list's area on the event page, left of the editor.
constexpr int kLeft = 4;
constexpr int kWidth = 324;
// The columns "Код", "Время" and "Число" at their least widths; "Тип" starts with the rest of
// the list's inside (less its frame and a vertical scroll bar), so no row needs scrolling
// sideways, and can be widened by the user up to its largest width.
constexpr int kCodeWidth = 58, kTimeWidth = 65, kDateWidth = 70;
constexpr int kTypeWidth = kWidth - 4 - 17 - kCodeWidth - kTimeWidth - kDateWidth;
static_assert(kTypeWidth >= 70 && kTypeWidth <= 145);

// Ends a list update also when filling fails half-way.
class ListUpdate {
 public:
  explicit ListUpdate(ui::TListView& list) : list_(list) { list_.BeginUpdate(); }
  ~ListUpdate() { list_.EndUpdate(); }
  ListUpdate(const ListUpdate&) = delete;
  ListUpdate& operator=(const ListUpdate&) = delete;

 private:
  ui::TListView& list_;
};

// True when the second of `moment` lies before the second `now` stands in.
bool Passed(const std::optional<platform::DateTime>& moment, const platform::DateTime& now) {
  return moment && events::SerialSecond(*moment) < events::SerialSecond(now);
}

bool IsListed(const std::vector<std::string>& numbers, const std::string& number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

}  // namespace

void TForm2::BuildEventList() {
  auto speedButton = [this](const char* name, int left, int width, const char* caption) {
    auto* b = new ui::TSpeedButton(this);
    b->Name = name;
    b->SetParent(TabSheet1);
    b->SetBounds(left, 4, width, 24);
    b->SetCaption(caption);
    b->SetGroupIndex(1);
    return b;
  };
  SpeedButton5 = speedButton("SpeedButton5", kLeft, 140, "Стандартные события");
  SpeedButton5->OnClick = [this](ui::TComponent* s) { SpeedButton5Click(s); };
  SpeedButton6 = speedButton("SpeedButton6", kLeft + 142, kWidth - 142, "Дни рождения и праздники");
  SpeedButton6->OnClick = [this](ui::TComponent* s) { SpeedButton6Click(s); };
  SpeedButton5->SetDown(true);

  ListView1 = new ui::TListView(this);
  ListView1->Name = "ListView1";
  ListView1->SetParent(TabSheet1);
  ListView1->SetBounds(kLeft, 32, kWidth, 334);
  ListView1->AddColumn("Код", kCodeWidth, 58, 70);
  ListView1->AddColumn("Тип", kTypeWidth, 70, 145);
  ListView1->AddColumn("Время", kTimeWidth, 65, 75);
  ListView1->AddColumn("Число", kDateWidth, 70, 70);
  ListView1->SetGridLines(true);
  ListView1->SetRowSelect(true);
  ListView1->SetCheckboxes(true);
  ListView1->SetHotTrack(true);
  ListView1->OnClick = [this](ui::TComponent* s) { ListView1Click(s); };
  ListView1->OnItemChecked = [this](ui::TListItem& item) { ListView1ItemChecked(item); };
  ListView1->OnMouseMove = [this](ui::TComponent* s, ui::TShiftState shift, int x, int y) {
    ListView1MouseMove(s, shift, x, y);
  };

  PopupMenu1 = new ui::TPopupMenu(this);
  PopupMenu1->Name = "PopupMenu1";
  auto item = [this](ui::TMenuItem* parent, const char* name, const char* caption,
                     void (TForm2::*handler)(ui::TComponent*)) {
    auto* m = new ui::TMenuItem(this);
    m->Name = name;
    m->Caption = caption;
    if (handler) m->OnClick = [this, handler](ui::TComponent* s) { (this->*handler)(s); };
    parent->Add(m);
    return m;
  };
  N1 = item(PopupMenu1->Items(), "N1", "Показать...", nullptr);
  N2 = item(N1, "N2", "Только сигналы", &TForm2::N2Click);
  N3 = item(N1, "N3", "Только любые файлы", &TForm2::N3Click);
  N4 = item(N1, "N4", "Только завершение сеанса", &TForm2::N4Click);
  N5 = item(N1, "N5", "Только перезагрузки", &TForm2::N5Click);
  N6 = item(N1, "N6", "Только выключения", &TForm2::N6Click);
  N7 = item(N1, "N7", "Только напоминания текстом", &TForm2::N7Click);
  item(N1, "", "-", nullptr);
  N10 = item(N1, "N10", "Все", &TForm2::N10Click);
  N19 = item(PopupMenu1->Items(), "N19", "Тест!", &TForm2::N19Click);
  ListView1->SetPopupMenu(PopupMenu1);

  Button2 = new ui::TButton(this);
  Button2->Name = "Button2";
  Button2->SetParent(TabSheet1);
  Button2->SetBounds(kLeft, 340, 75, 25);
  Button2->SetCaption("Save!!!!!!!");
  Button2->Hide();
  Button2->OnClick = [this](ui::TComponent* s) { Button2Click(s); };

  Timer1 = new ui::TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this](ui::TComponent* s) { Timer1Timer(s); };

  storeListener_ = store_.Subscribe([this] { StoreChanged(); });
}

config::TIniSnapshot TForm2::DetailSnapshot() {
  if (gearIni) return config::TIniSnapshot(*gearIni);
  return config::TIniSnapshot(config::TIniFile(store_.DetailPath()));
}

// ---- Filling

void TForm2::EventRefresh() {
  const ui::TListItem* selected = ListView1->Selected();
  const std::string keep = selected ? selected->Caption() : std::string();
  ListUpdate update(*ListView1);
  ListView1->Clear();
  // No row is under the pointer until it moves again: no hint of a row that may be gone.
  hintRow_ = -1;
  hintMoment_.reset();
  ListView1->SetHint("");
  nextOnceMoment_.reset();
  shownCodes = events::LoadListFile(store_.ListPath());
  const config::TIniSnapshot detail = DetailSnapshot();
  std::vector<settings::EventRow> rows;
  rows.reserve(shownCodes.size());
  // Rows that were read before a type failed to convert are still shown.
  auto show = [&] {
    platform::Clock& clock = platform_.clock();
    const platform::DateTime now = clock.Now();
    const std::string timePicture = clock.LongTimeFormat(), datePicture = clock.ShortDateFormat();
    for (const settings::EventRow& row : rows) {
      ui::TListItem& item = ListView1->AddItem(row.number, {row.typeName, row.time, row.date}, row.active);
      if (row.number == keep && ListView1->ItemIndex() < 0) ListView1->SetItemIndex(item.Index());
      // A one-time event that has fired is greyed; the first coming one is watched, so that its
      // row turns grey when its moment passes.
      if (detail.ReadString(row.number, "period", events::kDefaultPeriod) != "1") continue;
      const events::FiringRule rule = events::ReadFiringRule(detail, row.number);
      if (settings::FiredOnce(rule, now, timePicture, datePicture)) {
        item.SetGreyed(true);
      } else if (const auto next = events::NextFiring(rule, now, timePicture, datePicture)) {
        if (!nextOnceMoment_ || events::SerialSecond(*next) < events::SerialSecond(*nextOnceMoment_))
          nextOnceMoment_ = next;
      }
    }
  };
  try {
    settings::ListRows(detail, shownCodes, listFilter, rows);
  } catch (...) {
    show();
    throw;
  }
  show();
}

void TForm2::StoreChanged() {
  if (ownChanges_ > 0) return;
  // The list may fail to fill (a type that is no number under a type filter); the detail
  // view still follows the store. The refresh reads the list file before it can fail.
  try {
    EventRefresh();
  } catch (const std::exception&) {
  }
  storedCodes = shownCodes;
  // A one-time event the program stored meanwhile may have drawn the number of the addition.
  if (Recording() && IsListed(storedCodes, Edit5->Text())) DrawNumber();
  if (Recording() || shownNumber_.empty()) return;
  if (IsListed(storedCodes, shownNumber_))
    ShowNextFiring(shownNumber_);
  else
    EmptyDetail();
}

void TForm2::Timer1Timer(ui::TComponent*) {
  if (!Visible()) {
    Timer1->SetEnabled(false);
    return;
  }
  const platform::DateTime now = platform_.clock().Now();
  if (Passed(shownMoment_, now)) {
    if (Recording())
      ShowDraftNextFiring();
    else
      ShowNextFiring(shownNumber_);
  }
  if (Passed(nextOnceMoment_, now)) {
    try {
      EventRefresh();
    } catch (const std::exception&) {
    }
  }
  if (Passed(hintMoment_, now)) {
    hintRow_ = -1;
    ListView1MouseMove(ListView1, 0, 0, 0);
  }
}

void TForm2::SetListFilter(int filter) {
  listFilter = filter;
  ListView1MouseMove(ListView1, 0, 0, 0);
  EventRefresh();
}

void TForm2::ListView1MouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  ListView1->SetPopupMenu(listFilter == settings::kFilterCelebrations ? nullptr : PopupMenu1);
  // The hint over a row tells when that event fires next; worked out when the row changes.
  const int hot = ListView1->HotItem();
  if (hot == hintRow_) return;
  hintRow_ = hot;
  hintMoment_.reset();
  std::string hint;
  if (hot >= 0) {
    platform::Clock& clock = platform_.clock();
    hint = settings::NextFiringLine(DetailSnapshot(), ListView1->Item(hot).Caption(), clock.Now(),
                                    clock.LongTimeFormat(), clock.ShortDateFormat(), &hintMoment_);
  }
  ListView1->SetHint(hint);
}

void TForm2::ShowNextFiring(const std::string& number) {
  std::string line;
  shownMoment_.reset();
  if (!number.empty()) {
    platform::Clock& clock = platform_.clock();
    line = settings::NextFiringLine(DetailSnapshot(), number, clock.Now(), clock.LongTimeFormat(),
                                    clock.ShortDateFormat(), &shownMoment_);
  }
  ShowFiringLine(line);
}

void TForm2::ShowFiringLine(const std::string& line) {
  // "Следующий раз:" above, the moment below: the group is narrower than the whole line.
  const std::string label = settings::kNextFiringLabel;
  if (line.compare(0, label.size(), label) != 0) {
    NextFiringLabel->SetCaption(line);
    NextFiringWhenLabel->SetCaption("");
    return;
  }
  NextFiringLabel->SetCaption(label);
  NextFiringWhenLabel->SetCaption(line.size() > label.size() + 1 ? line.substr(label.size() + 1) : "");
}

void TForm2::SpeedButton5Click(ui::TComponent*) { SetListFilter(settings::kFilterStandard); }
void TForm2::SpeedButton6Click(ui::TComponent*) { SetListFilter(settings::kFilterCelebrations); }
void TForm2::N2Click(ui::TComponent*) { SetListFilter(0); }
void TForm2::N3Click(ui::TComponent*) { SetListFilter(1); }
void TForm2::N4Click(ui::TComponent*) { SetListFilter(2); }
void TForm2::N5Click(ui::TComponent*) { SetListFilter(3); }
void TForm2::N6Click(ui::TComponent*) { SetListFilter(4); }
void TForm2::N7Click(ui::TComponent*) { SetListFilter(5); }
void TForm2::N10Click(ui::TComponent*) { SetListFilter(settings::kFilterStandard); }

void TForm2::Button2Click(ui::TComponent*) {
  // The window refreshes the list itself, with its own filter.
  const OwnChange own(*this);
  const int kept = listFilter;
  listFilter = settings::kFilterAll;
  EventRefresh();
  shownCodes.clear();
  storedCodes.clear();
  for (int i = 0; i < ListView1->ItemCount(); ++i) shownCodes.push_back(ListView1->Item(i).Caption());
  store_.SaveList(shownCodes);
  storedCodes = store_.LoadList();
  listFilter = kept;
  (kept == settings::kFilterCelebrations ? SpeedButton6 : SpeedButton5)->SetDown(true);
  EventRefresh();
}

// ---- The detail view

void TForm2::ListView1Click(ui::TComponent*) {
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{RadioButton1, RadioButton2, RadioButton3, RadioButton4, Label2})
    c->SetEnabled(true);
  const ui::TListItem* row = ListView1->Selected();
  if (!row) return;
  const std::string number = row->Caption();
  shownNumber_ = number;
  ShowNextFiring(number);
  const settings::EventDetail d = settings::ReadDetail(DetailSnapshot(), number, files_.AppDir());
  auto showBirthdayFlag = [&] {
    if (d.birthday == "1") CheckBox1->SetChecked(true);
    if (d.birthday == "0") CheckBox1->SetChecked(false);
  };

  const int type = config::StrToInt(d.type);
  if (type == 6) showBirthdayFlag();

  const auto time = platform_.clock().ParseTime(d.time);
  if (!time) throw config::NotATime(d.time);
  DateTimePicker1->SetTime(*time);
  const auto date = platform_.clock().ParseDate(d.date);
  if (!date) throw config::NotADate(d.date);
  DateTimePicker2->SetDate(*date);

  PageControl2->SetActivePageIndex(type);  // without PageControl2Change
  Edit1->SetText(d.hz);
  Edit2->SetText(d.ms);
  Edit3->SetText(d.pathToFile);
  RichEdit1->LoadFromFile(d.reminderFile);
  RichEdit2->LoadFromFile(d.celebrationFile);
  Edit5->SetText(number);

  auto clearWeekdays = [this] {
    for (int k = 0; k < CheckListBox2->Count(); ++k) CheckListBox2->SetChecked(k, false);
  };
  if (d.period == "1") {
    clearWeekdays();
    RadioButton1->SetChecked(true);
    CheckListBox2->SetEnabled(false);
    ShowDateControls(true);
    ShowTimeControls(true);
    CheckListBox2->Hide();
  }
  if (d.period == "2") {
    clearWeekdays();
    RadioButton2->SetChecked(true);
    CheckListBox2->SetEnabled(false);
    ShowDateControls(false);
    CheckListBox2->Hide();
    ShowTimeControls(true);
  }
  clearWeekdays();
  if (d.period == "3") {
    RadioButton3->SetChecked(true);
    CheckListBox2->SetEnabled(false);
    ShowDateControls(true);
    CheckListBox2->Hide();
    ShowTimeControls(true);
  }
  if (d.period == "4") {
    RadioButton4->SetChecked(true);
    ShowDateControls(false);
    CheckListBox2->Show();
    ShowTimeControls(true);
    for (std::size_t k = 0; k < d.weekdays.size(); ++k) {
      if (d.weekdays[k] == "1") CheckListBox2->SetChecked(int(k), true);
      if (d.weekdays[k] == "0") CheckListBox2->SetChecked(int(k), false);
    }
    CheckListBox2->SetEnabled(false);
  }

  if (PageControl2->ActivePageIndex() == 6) {
    ShowTimeControls(false);
    CheckListBox2->Hide();
    showBirthdayFlag();
  }
}

// ---- Switching on and off

void TForm2::ListView1ItemChecked(ui::TListItem& item) {
  const std::string number = item.Caption();
  const bool on = item.Checked();
  try {
    // A row whose event the scheduler removed meanwhile gets no section back: the list is
    // brought up to date instead.
    const std::vector<std::string> listed = store_.LoadList();
    if (!IsListed(listed, number)) {
      EventRefresh();
      return;
    }
    // The row shows the change already; rebuilding the list under the check box that is being
    // clicked would pull the row from under it.
    const OwnChange own(*this);
    store_.Write(number, "active", on ? "1" : "0");
  } catch (...) {
    item.SetChecked(!on);  // the mark shows what is stored
    throw;
  }
  // Switching decides whether the event fires, and whether a passed one-time event counts as fired.
  platform::Clock& clock = platform_.clock();
  const config::TIniSnapshot detail = DetailSnapshot();
  item.SetGreyed(settings::FiredOnce(events::ReadFiringRule(detail, number), clock.Now(), clock.LongTimeFormat(),
                                     clock.ShortDateFormat()));
  hintRow_ = -1;
  if (number == shownNumber_) ShowNextFiring(number);
}

// ---- Deleting

void TForm2::EventDel() {
  const ui::TListItem* row = ListView1->Selected();
  if (!row) {
    platform_.dialogs().ShowMessageBox(kNothingSelected, ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
    return;
  }
  const std::string number = row->Caption();
  const std::string question = "Удалить событие " + number + "?";
  if (platform_.dialogs().ShowMessageBox(question, ui::Application().Title(),
                                         ui::MB_YESNO_FLAG | ui::MB_ICONQUESTION_FLAG) == ui::ID_NO)
    return;
  // The side file goes by the event's own stored type, whatever page the editor shows; the
  // scheduler stops scanning the event at once rather than when the window closes. The store
  // tells the list.
  storedCodes = events::RemoveEvent(store_, number);
  scheduler_.Remove(number);
  EmptyDetail();
}

// ---- Test run

void TForm2::N19Click(ui::TComponent* sender) {
  const int page = PageControl2->ActivePageIndex();
  const std::string& appDir = files_.AppDir();
  switch (page) {
    case 0:
      SpeedButton1Click(sender);
      break;
    case 1:
      BitBtn2Click(sender);
      break;
    case 2:
    case 3:
    case 4:
      platform_.shell().Execute("open", kTestProgram, kTestParameters, "", kShowHidden);
      break;
    case 5:
      if (links_.showReminder) links_.showReminder(settings::TestRunFile(DetailSnapshot(), Edit5->Text(), false, appDir));
      break;
    case 6: {
      const std::string file = settings::TestRunFile(DetailSnapshot(), Edit5->Text(), true, appDir);
      const auto& show = CheckBox1->Checked() ? links_.showBirthday : links_.showHoliday;
      if (show) show(file);
      break;
    }
    default:
      break;
  }
}
