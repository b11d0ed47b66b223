// The event editor: the right half of the event page. In view mode it shows the event last
// clicked in the list; in record mode it collects a new event and commits it to the store.
#include <algorithm>

#include "config/convert.h"
#include "events/scheduler.h"
#include "platform/sound_limits.h"
#include "settings/event_list_model.h"
#include "settings/greeting_address_window.h"
#include "settings/settings_window.h"
#include "ui/application.h"

namespace {

constexpr const char* kRecordCaption = "Настройки - Режим: Запись";
constexpr const char* kViewCaption = "Настройки - Режим: Просмотр";
constexpr const char* kAddCaption = "Добавить событие";
constexpr const char* kDeleteCaption = "Удалить событие";
// What the birthday page's text box holds until the user types a name.
constexpr const char* kCelebrationPrompt =
    "Здесь вы можете ввести \r\nназвание праздника или \r\nфамилию, имя, отчество \r\nименниника.";
// The number field when no event is shown and none is stored.
constexpr const char* kFirstNumber = "00001";

// The editor's area on the event page, right of the list.
constexpr int kLeft = 332;
constexpr int kWidth = 364;

template <class T>
T* Make(TForm2* form, ui::TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto* control = new T(form);
  control->Name = name;
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

ui::TLabel* MakeLabel(TForm2* form, ui::TWinControl* parent, const char* name, int left, int top, const char* text) {
  auto* label = new ui::TLabel(form);
  label->Name = name;
  label->SetParent(parent);
  label->SetCaption(text);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

// A picture filling its parent, under the parent's other controls.
ui::TImage* Background(TForm2* form, ui::TWinControl* parent, const std::string& name) {
  auto* image = new ui::TImage(form);
  image->Name = name;
  image->SetParent(parent);
  image->SetAlign(ui::TAlign::alClient);
  image->Stretch = true;
  return image;
}

// A windowed control cannot show the picture behind it; it takes the picture's mean colour
// under it instead, so on a soft gradient it shows no box of its own. The control and the
// stretched picture share a parent.
void BlendWith(const ui::TImage& background, ui::TControl& control) {
  const ui::Image& picture = background.Picture();
  if (picture.Empty() || background.Width() <= 0 || background.Height() <= 0) return;
  auto column = [&](int x) { return std::clamp((x - background.Left()) * picture.width / background.Width(), 0, picture.width - 1); };
  auto row = [&](int y) { return std::clamp((y - background.Top()) * picture.height / background.Height(), 0, picture.height - 1); };
  const int x0 = column(control.Left()), x1 = column(control.Left() + control.Width() - 1);
  const int y0 = row(control.Top()), y1 = row(control.Top() + control.Height() - 1);
  std::uint64_t sum[3] = {0, 0, 0}, count = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const std::uint32_t p = picture.At(x, y);
      sum[0] += p >> 16 & 0xFF;
      sum[1] += p >> 8 & 0xFF;
      sum[2] += p & 0xFF;
      ++count;
    }
  const auto mean = [&](int i) { return std::uint32_t(sum[i] / count); };
  control.SetColor(ui::PixelToColor(mean(0) << 16 | mean(1) << 8 | mean(2)));
}

}  // namespace

void TForm2::BlendIntoBackgrounds() {
  for (ui::TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) BlendWith(*Image6, *r);
  BlendWith(*PageBackgrounds[6], *CheckBox1);
}

void TForm2::BuildEditor() {
  BuildEditorGroups();
  BuildActionPages();

  BitBtn4 = Make<ui::TBitBtn>(this, TabSheet1, "BitBtn4", kLeft, 338, 148, 28);
  BitBtn4->SetCaption(" Добавить событие");
  BitBtn4->OnClick = [this](ui::TComponent* s) { BitBtn4Click(s); };
  BitBtn6 = Make<ui::TBitBtn>(this, TabSheet1, "BitBtn6", kLeft + 152, 338, 124, 28);
  BitBtn6->SetCaption(kDeleteCaption);
  BitBtn6->OnClick = [this](ui::TComponent* s) { BitBtn6Click(s); };
  BitBtn5 = Make<ui::TBitBtn>(this, TabSheet1, "BitBtn5", kLeft + 280, 338, kWidth - 280, 28);
  BitBtn5->SetCaption("Выход");
  BitBtn5->Cancel = true;
  BitBtn5->OnClick = [this](ui::TComponent* s) { BitBtn5Click(s); };
}

void TForm2::BuildEditorGroups() {
  Image2 = Background(this, TabSheet1, "Image2");

  // "Время и число"
  GroupBox1 = Make<ui::TGroupBox>(this, TabSheet1, "GroupBox1", kLeft, 0, 140, 138);
  GroupBox1->SetCaption("Время и число");
  GroupBox1->SetEnabled(false);
  Image5 = Background(this, GroupBox1, "Image5");
  Image3 = Make<ui::TImage>(this, GroupBox1, "Image3", 10, 16, 16, 16);
  Image3->Transparent = true;
  Label3 = MakeLabel(this, GroupBox1, "Label3", 30, 18, "Время");
  DateTimePicker1 = Make<ui::TDateTimePicker>(this, GroupBox1, "DateTimePicker1", 10, 34, 120, 21);
  DateTimePicker1->SetKind(ui::TDateTimeKind::dtkTime);
  DateTimePicker1->SetEnabled(false);
  DateTimePicker1->OnChange = [this](ui::TComponent*) { ShowDraftNextFiring(); };
  Image4 = Make<ui::TImage>(this, GroupBox1, "Image4", 10, 60, 16, 16);
  Image4->Transparent = true;
  Label4 = MakeLabel(this, GroupBox1, "Label4", 30, 62, "Число");
  DateTimePicker2 = Make<ui::TDateTimePicker>(this, GroupBox1, "DateTimePicker2", 10, 78, 120, 21);
  DateTimePicker2->SetKind(ui::TDateTimeKind::dtkDate);
  DateTimePicker2->SetEnabled(false);
  DateTimePicker2->OnChange = [this](ui::TComponent*) { ShowDraftNextFiring(); };
  // When the event shown or being added fires next, on two lines under the pickers.
  NextFiringLabel = MakeLabel(this, GroupBox1, "NextFiringLabel", 10, 104, "");
  NextFiringWhenLabel = MakeLabel(this, GroupBox1, "NextFiringWhenLabel", 10, 118, "");

  PopupMenu2 = new ui::TPopupMenu(this);
  PopupMenu2->Name = "PopupMenu2";
  for (std::size_t i = 0; i < settings::kQuickTimes.size(); ++i) {
    auto* item = new ui::TMenuItem(this);
    item->Caption = settings::kQuickTimes[i].caption;
    const std::string offset = settings::kQuickTimes[i].offset;
    item->OnClick = [this, offset](ui::TComponent*) { AddTime(offset); };
    PopupMenu2->Items()->Add(item);
    TimeItems[i] = item;
  }
  DateTimePicker1->SetPopupMenu(PopupMenu2);
  PopupMenu3 = new ui::TPopupMenu(this);
  PopupMenu3->Name = "PopupMenu3";
  for (std::size_t i = 0; i < settings::kQuickDates.size(); ++i) {
    auto* item = new ui::TMenuItem(this);
    item->Caption = settings::kQuickDates[i].caption;
    const int days = settings::kQuickDates[i].days;
    if (days == 0)
      item->OnClick = [this](ui::TComponent* s) { TodayClick(s); };
    else
      item->OnClick = [this, days](ui::TComponent*) { AddDate(days); };
    PopupMenu3->Items()->Add(item);
    DateItems[i] = item;
  }
  DateTimePicker2->SetPopupMenu(PopupMenu3);
  const platform::DateTime now = platform_.clock().Now();
  DateTimePicker1->SetDateTime(now);
  DateTimePicker2->SetDateTime(now);

  // "Периодичность и номер"
  GroupBox2 = Make<ui::TGroupBox>(this, TabSheet1, "GroupBox2", kLeft + 144, 0, kWidth - 144, 138);
  GroupBox2->SetCaption("Периодичность и номер");
  GroupBox2->SetEnabled(false);
  Image6 = Background(this, GroupBox2, "Image6");
  Label1 = MakeLabel(this, GroupBox2, "Label1", 8, 16, "Выполнять событие...");
  auto radio = [this](const char* name, int top, const char* caption, void (TForm2::*handler)(ui::TComponent*)) {
    auto* r = Make<ui::TRadioButton>(this, GroupBox2, name, 8, top, 112, 17);
    r->SetCaption(caption);
    r->OnClick = [this, handler](ui::TComponent* s) { (this->*handler)(s); };
    return r;
  };
  RadioButton1 = radio("RadioButton1", 32, "В указанный день", &TForm2::RadioButton1Click);
  RadioButton2 = radio("RadioButton2", 49, "Каждый день", &TForm2::RadioButton2Click);
  RadioButton3 = radio("RadioButton3", 66, "Каждый месяц", &TForm2::RadioButton3Click);
  RadioButton4 = radio("RadioButton4", 83, "В указанные дни", &TForm2::RadioButton4Click);
  Label2 = MakeLabel(this, GroupBox2, "Label2", 25, 100, "недели");
  Label2->OnClick = [this](ui::TComponent* s) { Label2Click(s); };
  Label7 = MakeLabel(this, GroupBox2, "Label7", 8, 118, "Номер");
  Edit5 = Make<ui::TEdit>(this, GroupBox2, "Edit5", 48, 114, 62, 21);
  Edit5->SetReadOnly(true);
  Edit5->SetMaxLength(5);
  Edit5->SetText(kFirstNumber);
  Edit5->SetHint("Номер для нового события");
  CheckListBox2 = Make<ui::TCheckListBox>(this, GroupBox2, "CheckListBox2", 124, 14, kWidth - 144 - 130, 120);
  CheckListBox2->SetItems({"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота", "Воскресенье"});
  CheckListBox2->OnClickCheck = [this](ui::TComponent*) { ShowDraftNextFiring(); };
  // Checked at start, without its handler: the weekday list starts hidden and disabled.
  RadioButton1->SetChecked(true);
  ShowWeekdays(false);
}

void TForm2::BuildActionPages() {
  PageControl2 = new ui::TPageControl(this);
  PageControl2->Name = "PageControl2";
  // Seven long captions take two rows. As buttons the rows stay where they are when a type is
  // chosen; as tabs the system would move the chosen row next to the page, under the pointer.
  PageControl2->MultiLine = true;
  PageControl2->Style = ui::TTabStyle::tsButtons;
  PageControl2->SetParent(TabSheet1);
  PageControl2->SetBounds(kLeft, 142, kWidth, 192);
  for (std::size_t i = 0; i < ActionPages.size(); ++i) {
    auto* page = new ui::TTabSheet(this);
    page->Name = "TabSheet" + std::to_string(3 + i);
    page->SetPageControl(PageControl2);
    page->SetCaption(settings::kTypeNames[i]);
    ActionPages[i] = page;
    PageBackgrounds[i] = Background(this, page, "Image" + std::to_string(7 + i));
  }
  PageControl2->SetActivePageIndex(0);
  PageControl2->SetEnabled(false);
  PageControl2->OnChange = [this](ui::TComponent* s) { PageControl2Change(s); };

  // "Сигнал"
  ui::TTabSheet* signal = ActionPages[0];
  Label5 = MakeLabel(this, signal, "Label5", 8, 10, "Частота звука");
  Edit1 = Make<ui::TEdit>(this, signal, "Edit1", 8, 26, 90, 21);
  Edit1->SetText("800");
  Edit1->SetDigitsOnly(platform::kMaxBeepFrequency);
  Label6 = MakeLabel(this, signal, "Label6", 130, 10, "Длительность звучания");
  Edit2 = Make<ui::TEdit>(this, signal, "Edit2", 130, 26, 90, 21);
  Edit2->SetText("1000");
  Edit2->SetDigitsOnly(platform::kMaxBeepDurationMs);
  SpeedButton1 = Make<ui::TSpeedButton>(this, signal, "SpeedButton1", 250, 22, 28, 28);
  SpeedButton1->SetHint("Послушать");
  SpeedButton1->SetEnabled(false);
  SpeedButton1->OnClick = [this](ui::TComponent* s) { SpeedButton1Click(s); };

  // "Любой файл"
  ui::TTabSheet* file = ActionPages[1];
  Label8 = MakeLabel(this, file, "Label8", 8, 10, "Файл");
  Edit3 = Make<ui::TEdit>(this, file, "Edit3", 8, 26, kWidth - 24, 21);
  BitBtn1 = Make<ui::TBitBtn>(this, file, "BitBtn1", 8, 54, 100, 26);
  BitBtn1->SetCaption("Обзор");
  BitBtn1->SetEnabled(false);
  BitBtn1->OnClick = [this](ui::TComponent* s) { BitBtn1Click(s); };
  BitBtn2 = Make<ui::TBitBtn>(this, file, "BitBtn2", 114, 54, 100, 26);
  BitBtn2->SetCaption("Запуск!");
  BitBtn2->SetEnabled(false);
  BitBtn2->OnClick = [this](ui::TComponent* s) { BitBtn2Click(s); };

  // "Напоминание текстом"
  RichEdit1 = Make<ui::TRichEdit>(this, ActionPages[5], "RichEdit1", 0, 0, 0, 0);
  RichEdit1->SetAlign(ui::TAlign::alClient);
  RichEdit1->SetFont({"Arial", 10, ui::clBlack, true});
  RichEdit1->SetScrollBars(ui::TScrollStyle::ssVertical);

  // "День рождения/праздник"
  ui::TTabSheet* days = ActionPages[6];
  RichEdit2 = Make<ui::TRichEdit>(this, days, "RichEdit2", 4, 4, 214, 132);
  RichEdit2->SetScrollBars(ui::TScrollStyle::ssVertical);
  RichEdit2->SetText(kCelebrationPrompt);
  CheckBox1 = Make<ui::TCheckBox>(this, days, "CheckBox1", 226, 4, 126, 17);
  CheckBox1->SetCaption("День рождения?");
  BitBtn9 = Make<ui::TBitBtn>(this, days, "BitBtn9", 226, 28, 100, 26);
  BitBtn9->SetCaption("Адрес");
  BitBtn9->SetEnabled(false);
  BitBtn9->OnClick = [this](ui::TComponent* s) { BitBtn9Click(s); };
  BitBtn7 = Make<ui::TBitBtn>(this, days, "BitBtn7", 226, 60, 100, 26);
  BitBtn7->SetCaption("Фото");
  BitBtn7->SetEnabled(false);
  BitBtn7->OnClick = [this](ui::TComponent* s) { BitBtn7Click(s); };
}

// ---- Modes

void TForm2::BitBtn4Click(ui::TComponent*) {
  SpeedButton5->SetDown(true);
  if (!Recording()) {
    emailAddress.clear();
    ShowNextFiring("");
    GroupBox1->SetEnabled(true);
    SetCaption(kRecordCaption);
    GroupBox2->SetEnabled(true);
    for (ui::TControl* c : std::initializer_list<ui::TControl*>{PageControl2, SpeedButton1, BitBtn1, BitBtn2, BitBtn9,
                                                                 BitBtn7, DateTimePicker1, DateTimePicker2})
      c->SetEnabled(true);
    BitBtn4->SetCaption("OK");
    BitBtn6->SetCaption("Отмена");
    BitBtn4->SetDefault(true);  // Enter commits, Esc cancels
    BitBtn6->Cancel = true;
    ListView1->SetEnabled(false);
    BitBtn6->Show();
    BitBtn5->Hide();
    const platform::DateTime now = platform_.clock().Now();
    DateTimePicker1->SetDateTime(now);
    DateTimePicker2->SetDateTime(now);
    BitBtn4->SetGlyph(files_.LibraryPicture("OKEVENT"));
    BitBtn6->SetGlyph(files_.LibraryPicture("CANCELEVENT"));
    // A new event copies the type, the periodicity and the fields of the one last shown, but
    // never its text.
    shownNumber_.clear();
    ResetTexts();
    DrawNumber();
    ShowDraftNextFiring();
    return;
  }
  const events::EventRecord event = EditedEvent();
  if (!CommitConfirmed(event)) return;  // "Нет": the addition stays as it is
  {
    // The window refreshes its list itself (Button2Click); the other listeners hear of the
    // whole commit once.
    const OwnChange own(*this);
    const events::EventStore::ChangeBatch batch(store_);
    storedCodes = store_.AddEvent(event);
    // The event is stored: it is scanned from this moment, and the addition is over whatever
    // the refresh of the list does; a refresh that fails is reported here, once.
    scheduler_.Add(event.number);
    ui::Application().Guard([this] { Button2Click(BitBtn4); });
  }
  CancelAdd();
  // The editor now shows the stored event.
  shownNumber_ = event.number;
  ShowNextFiring(event.number);
}

bool TForm2::CommitConfirmed(const events::EventRecord& event) {
  auto ask = [this](const char* question) {
    return platform_.dialogs().ShowMessageBox(question, ui::Application().Title(),
                                              ui::MB_YESNO_FLAG | ui::MB_ICONQUESTION_FLAG) != ui::ID_NO;
  };
  if (event.type == "5" && settings::BlankText(RichEdit1->Text()) && !ask(settings::kEmptyReminderQuestion))
    return false;
  const bool once = event.type != "6" && event.period == "1";
  if (once &&
      settings::MomentPassed(DateTimePicker1->DateTime(), DateTimePicker2->DateTime(), platform_.clock().Now()) &&
      !ask(settings::kPastMomentQuestion))
    return false;
  return true;
}

events::EventRecord TForm2::EditedEvent() {
  events::EventRecord e;
  const int page = PageControl2->ActivePageIndex();
  e.number = Edit5->Text();
  e.time = events::StoredTimeText(platform_.clock().LongTimeFormat(), DateTimePicker1->DateTime());
  e.date = platform_.clock().DateText(DateTimePicker2->DateTime());
  e.type = std::to_string(page);
  if (page == 6) {
    birthdayFlag = CheckBox1->Checked() ? 1 : 0;
    e.sideText = RichEdit2->RichText();
    e.birthday = birthdayFlag == 1;
    e.foto = photoPath;
    e.email = emailAddress;
  }
  if (page == 5) e.sideText = RichEdit1->RichText();
  if (page == 1) e.pathToFile = Edit3->Text();
  if (page == 0) {
    e.ms = Edit2->Text();
    e.hz = Edit1->Text();
  }
  e.period = CheckedPeriod();
  e.weekdays = CheckedWeekdays();
  return e;
}

std::string TForm2::CheckedPeriod() const {
  int checked = -1;
  const ui::TRadioButton* options[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
  for (int i = 0; i < 4; ++i)
    if (options[i]->Checked()) checked = i;
  return settings::PeriodOf(checked);
}

std::array<bool, 7> TForm2::CheckedWeekdays() const {
  std::array<bool, 7> days{};
  for (std::size_t d = 0; d < days.size(); ++d) days[d] = CheckListBox2->Checked(int(d));
  return days;
}

void TForm2::DrawNumber() {
  const std::string shown = Edit5->Text().empty() ? kFirstNumber : Edit5->Text();
  Edit5->SetText(settings::NumberForAddition(storedCodes, shown, [this] { return numbers_.Next(); }));
}

void TForm2::BitBtn6Click(ui::TComponent*) {
  if (Recording()) {
    CancelAdd();
    ShowSelectedOrEmpty();
  } else {
    EventDel();
  }
}

void TForm2::ShowSelectedOrEmpty() {
  if (ListView1->Selected())
    ListView1Click(ListView1);
  else
    EmptyDetail();
}

void TForm2::EmptyDetail() {
  shownNumber_.clear();
  Edit5->SetText("");
  ShowNextFiring("");
  ResetTexts();
  Edit1->SetText("800");
  Edit2->SetText("1000");
  Edit3->SetText("");
  const platform::DateTime now = platform_.clock().Now();
  DateTimePicker1->SetDateTime(now);
  DateTimePicker2->SetDateTime(now);
}

void TForm2::ResetTexts() {
  RichEdit1->Clear();
  RichEdit2->SetText(kCelebrationPrompt);
}

void TForm2::ShowDraftNextFiring() {
  // The periodicity options are set while the window is built, before the action pages exist.
  if (!PageControl2 || !Recording()) return;
  shownMoment_.reset();
  // Birthdays and holidays are announced on their day, not fired at a time.
  if (PageControl2->ActivePageIndex() == 6) {
    ShowFiringLine("");
    return;
  }
  platform::Clock& clock = platform_.clock();
  events::FiringRule rule;
  rule.time = clock.TimeText(DateTimePicker1->DateTime());
  rule.date = clock.DateText(DateTimePicker2->DateTime());
  rule.period = CheckedPeriod();
  rule.weekdays = CheckedWeekdays();
  ShowFiringLine(settings::NextFiringLine(rule, clock.Now(), clock.LongTimeFormat(), clock.ShortDateFormat(),
                                          &shownMoment_));
}

void TForm2::CancelAdd() {
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{CheckListBox2, DateTimePicker1, DateTimePicker2, BitBtn7,
                                                               BitBtn9, BitBtn1, BitBtn2, PageControl2})
    c->SetEnabled(false);
  BitBtn4->SetCaption(kAddCaption);
  BitBtn4->SetDefault(false);
  BitBtn6->Cancel = false;  // in view mode it deletes: never from Esc
  ListView1->SetEnabled(true);
  BitBtn6->SetCaption(kDeleteCaption);
  BitBtn5->Show();
  SpeedButton1->SetEnabled(false);
  BitBtn4->SetGlyph(files_.LibraryPicture("ADDEVENT"));
  BitBtn6->SetGlyph(files_.LibraryPicture("DELEVENT"));
  SetCaption(kViewCaption);
}

// ---- Action type and periodicity

void TForm2::PageControl2Change(ui::TComponent*) {
  ui::TControl* options[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, Label2};
  if (PageControl2->ActivePageIndex() == 6) {
    DateTimePicker1->SetEnabled(false);
    ShowTimeControls(false);
    for (ui::TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) r->SetChecked(false);
    for (ui::TControl* c : options) c->SetEnabled(false);
    ShowWeekdays(false);
    BitBtn9->SetEnabled(true);
    BitBtn7->SetEnabled(true);
    DateTimePicker2->SetEnabled(true);
    ShowDateControls(true);
    ShowDraftNextFiring();
    return;
  }
  for (ui::TControl* c : options) c->SetEnabled(true);
  DateTimePicker1->SetEnabled(true);
  ShowTimeControls(true);
  CheckListBox2->SetEnabled(true);
  CheckListBox2->Show();
  RadioButton1Click(RadioButton1);
  RadioButton1->SetChecked(true);
  ShowDraftNextFiring();
}

void TForm2::ShowTimeControls(bool on) {
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{DateTimePicker1, Label3, Image3}) c->SetVisible(on);
}

void TForm2::ShowDateControls(bool on) {
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{DateTimePicker2, Label4, Image4}) c->SetVisible(on);
}

void TForm2::ShowWeekdays(bool on) {
  CheckListBox2->SetEnabled(on);
  CheckListBox2->SetVisible(on);
}

void TForm2::RadioButton1Click(ui::TComponent*) {
  ShowTimeControls(true);
  ShowDateControls(true);
  ShowWeekdays(false);
  ShowDraftNextFiring();
}

void TForm2::RadioButton2Click(ui::TComponent*) {
  ShowTimeControls(true);
  ShowDateControls(false);
  ShowWeekdays(false);
  ShowDraftNextFiring();
}

void TForm2::RadioButton3Click(ui::TComponent*) {
  ShowTimeControls(true);
  ShowDateControls(true);
  ShowWeekdays(false);
  ShowDraftNextFiring();
}

void TForm2::RadioButton4Click(ui::TComponent*) {
  ShowTimeControls(true);
  ShowDateControls(false);
  ShowWeekdays(true);
  ShowDraftNextFiring();
}

void TForm2::Label2Click(ui::TComponent* sender) {
  if (RadioButton4->Checked())
    RadioButton4Click(sender);
  else
    RadioButton4->SetChecked(true);  // raises RadioButton4Click
}

// ---- Quick time and date

void TForm2::AddTime(const std::string& offset) {
  const auto seconds = settings::OffsetSeconds(offset);
  if (!seconds) return;
  const settings::TimeAndDate moved =
      settings::AddTime({DateTimePicker1->DateTime(), DateTimePicker2->DateTime()}, *seconds);
  DateTimePicker2->SetDate(moved.date);
  DateTimePicker1->SetTime(moved.time);
  ShowDraftNextFiring();
}

void TForm2::AddDate(int days) {
  DateTimePicker2->SetDate(settings::AddDate(settings::DateOnly(DateTimePicker2->DateTime()), days));
  ShowDraftNextFiring();
}

void TForm2::TodayClick(ui::TComponent*) {
  DateTimePicker2->SetDate(platform_.clock().Now());
  ShowDraftNextFiring();
}

// ---- Type-specific buttons

void TForm2::SpeedButton1Click(ui::TComponent*) {
  const int frequency = config::StrToInt(Edit1->Text());
  const int duration = config::StrToInt(Edit2->Text());
  platform_.sound().Beep(frequency, duration);
}

void TForm2::BitBtn1Click(ui::TComponent*) {
  platform::OpenFileOptions options;
  options.filters = {{"Все файлы", "*.*"},
                     {"Исполняемые файлы (exe,com,bat)", "*.exe;*.cmd;*.bat;*.com"},
                     {"Звуковые файлы", "*.wav;*.mp3;*.ogg;*.wma;*.mid;*.pls;*.m3u"},
                     {"Фильмы", "*.avi;*.mpeg;*.mpg;*.m2v;*.asf;*.wmv"}};
  options.hideReadOnly = true;
  if (auto chosen = platform_.commonDialogs().OpenFile(options)) Edit3->SetText(*chosen);
}

void TForm2::BitBtn2Click(ui::TComponent*) {
  const std::string& path = Edit3->Text();
  platform_.shell().Execute("open", events::FileNamePart(path), "", events::DirectoryPart(path), platform::kShowNormal);
}

void TForm2::BitBtn7Click(ui::TComponent*) {
  if (!CheckBox1->Checked()) return;
  platform::OpenFileOptions options;
  options.hideReadOnly = true;
  if (auto chosen = platform_.commonDialogs().OpenPicture(options)) photoPath = *chosen;
}

void TForm2::BitBtn9Click(ui::TComponent*) {
  if (!CheckBox1->Checked() || !Form7) return;
  Form7->OnAddressChosen = [this](const std::string& address) { emailAddress = address; };
  Form7->Show();
  LoadBackgrounds();
  Form7->Image10->SetPicture(bigBackground);
  Form7->Image1->SetPicture(files_.LibraryPicture("DELIVERY"));
}
