// TForm2: the settings and event editor window. Its page "Добавить событие" holds the event list
// (settings/event_list.cpp) and the event editor (settings/event_editor.cpp); its page "Настройки"
// holds the program's settings (settings/settings_pages.cpp). The frame, its pages and its life
// cycle are in settings/settings_window.cpp.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/program_files.h"
#include "events/event_import.h"
#include "events/event_store.h"
#include "platform/platform.h"
#include "settings/event_editor_rules.h"
#include "ui/buttons.h"
#include "ui/checklst.h"
#include "ui/comctrls.h"
#include "ui/datetimepicker.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/richedit.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"

namespace settings {
class CityClocksGroup;
}

namespace events {
class EventStore;
class Scheduler;
}  // namespace events

// What the settings window asks of the rest of the program. The program wires each call to the
// window or engine that does it, so this window includes no other window.
struct SettingsLinks {
  // The main clock window.
  std::function<bool()> trayIconVisible;         // the program is hidden in the notification area
  std::function<void()> minimize, restore;       // Minimize / Restore
  std::function<void()> skinRefresh;             // SkinRefresh: apply [Clock] "skin"
  std::function<void(int alpha)> setTransparency; // opacity 255 - alpha, alpha blending on
  std::function<void(int)> setHideNulls;         // hideNulls
  std::function<void(int)> setShowInTitle;       // showInTitle
  // The notice windows, for "Тест!": each loads its text from the file and is shown.
  std::function<void(const std::string& file)> showReminder, showBirthday, showHoliday;
  // The About window, with the large background picture.
  std::function<void(const ui::Image& background)> showAbout;
  // The other cities' clocks were changed on the settings page.
  std::function<void()> citiesChanged;
};

class TForm2 : public ui::TForm {
 public:
  TForm2(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
         events::EventStore& store, events::Scheduler& scheduler, SettingsLinks links);
  ~TForm2() override;

  // ---- Frame (settings/settings_window.cpp) ----
  ui::TPageControl* PageControl1;  // fills the window: the event page and the settings page
  ui::TTabSheet* TabSheet1;        // "Добавить событие": the event list and the event editor
  ui::TTabSheet* TabSheet2;        // "Настройки": the settings pages
  ui::TImageList* ImageList1;      // the pictures of PageControl1's tabs
  ui::TBitBtn* BitBtn5;            // "Выход" of the event page
  settings::CityClocksGroup* CityClocks = nullptr;  // "Часы других городов" (settings/city_clocks.h)

  // The window's own accessors of "Cfg\Clock_config.ini" and "Gear\gear.ini".
  std::string configPath, gearIniPath;
  std::unique_ptr<config::Settings> configIni;
  std::unique_ptr<config::TIniFile> gearIni;
  // The three backgrounds, decoded once: the large one behind the event editor (and lent to
  // the About and greeting address windows), the small one behind the editor's two groups,
  // the small-bottom one behind each action page. Empty until LoadBackgrounds.
  ui::Image bigBackground, smallBackground, smallBottomBackground;
  // Decodes the backgrounds and puts them behind the controls, the first time only. Runs when
  // the window is first shown and before a background is lent to another window.
  void LoadBackgrounds();

  // The two ways other windows open this one; the page is set without PageControl1Change.
  void ShowEventPage();     // page 0, width 717
  void ShowSettingsPage();  // page 1, width 493

  void FormCreate(ui::TComponent* sender);
  void FormShow(ui::TComponent* sender);
  void FormClose(ui::TComponent* sender, ui::TCloseAction& action);
  void PageControl1Change(ui::TComponent* sender);
  void BitBtn5Click(ui::TComponent* sender);
  void BitBtn10Click(ui::TComponent* sender);

  // ---- Event editor (settings/event_editor.cpp) ----
  ui::TImage* Image2;                  // the large background behind the editor
  ui::TGroupBox* GroupBox1;            // "Время и число"
  ui::TImage* Image5;                  // its background
  ui::TImage* Image3;                  // the icon beside "Время"
  ui::TLabel* Label3;                  // "Время"
  ui::TDateTimePicker* DateTimePicker1;  // time of day, with the quick-time menu
  ui::TImage* Image4;                  // the icon beside "Число"
  ui::TLabel* Label4;                  // "Число"
  ui::TDateTimePicker* DateTimePicker2;  // date, with the quick-date menu
  ui::TLabel* NextFiringLabel;         // "Следующий раз:" of the event shown or being added,
                                       // "Уже сработало", or empty
  ui::TLabel* NextFiringWhenLabel;     // its date and time, or "не сработает"
  ui::TPopupMenu* PopupMenu2;          // the quick-time menu
  std::array<ui::TMenuItem*, 17> TimeItems;  // its items, as settings::kQuickTimes
  ui::TPopupMenu* PopupMenu3;          // the quick-date menu
  std::array<ui::TMenuItem*, 5> DateItems;   // its items, as settings::kQuickDates

  ui::TGroupBox* GroupBox2;            // "Периодичность и номер"
  ui::TImage* Image6;                  // its background
  ui::TLabel* Label1;                  // "Выполнять событие..."
  ui::TRadioButton* RadioButton1;      // "В указанный день"
  ui::TRadioButton* RadioButton2;      // "Каждый день"
  ui::TRadioButton* RadioButton3;      // "Каждый месяц"
  ui::TRadioButton* RadioButton4;      // "В указанные дни"
  ui::TLabel* Label2;                  // "недели": acts as RadioButton4
  ui::TCheckListBox* CheckListBox2;    // the weekdays, Monday first
  ui::TLabel* Label7;                  // "Номер"
  ui::TEdit* Edit5;                    // the event number

  ui::TPageControl* PageControl2 = nullptr;  // the action types; its page index is the stored type
  std::array<ui::TTabSheet*, 7> ActionPages;  // TabSheet3 .. TabSheet9
  std::array<ui::TImage*, 7> PageBackgrounds;
  ui::TLabel* Label5;                  // "Частота звука"
  ui::TEdit* Edit1;                    // frequency in hertz
  ui::TLabel* Label6;                  // "Длительность звучания"
  ui::TEdit* Edit2;                    // duration in milliseconds
  ui::TSpeedButton* SpeedButton1;      // beeps now
  ui::TLabel* Label8;                  // "Файл"
  ui::TEdit* Edit3;                    // the file to open
  ui::TBitBtn* BitBtn1;                // "Обзор"
  ui::TBitBtn* BitBtn2;                // "Запуск!"
  ui::TRichEdit* RichEdit1;            // the reminder text
  ui::TRichEdit* RichEdit2;            // the birthday or holiday text
  ui::TCheckBox* CheckBox1;            // "День рождения?"
  ui::TBitBtn* BitBtn9;                // "Адрес"
  ui::TBitBtn* BitBtn7;                // "Фото"

  ui::TBitBtn* BitBtn4;                // " Добавить событие" / "OK"
  ui::TBitBtn* BitBtn6;                // "Удалить событие" / "Отмена"

  std::string photoPath;     // the picture chosen with "Фото"; kept for later additions
  std::string emailAddress;  // the greeting address; emptied when an addition begins
  int birthdayFlag = 0;

  // Record mode: the action pages are enabled.
  bool Recording() const { return PageControl2->Enabled(); }

  void BitBtn4Click(ui::TComponent* sender);
  void BitBtn6Click(ui::TComponent* sender);
  // Leaves record mode without storing anything.
  void CancelAdd();
  // The view after an addition was cancelled: the selected row's event, or an empty view.
  void ShowSelectedOrEmpty();
  // An empty detail view: no number, no next firing, the text boxes and fields as designed,
  // the pickers at the current time.
  void EmptyDetail();
  // Record mode: when the event being added would fire next, from the pickers, the
  // periodicity and the weekdays as they stand.
  void ShowDraftNextFiring();
  void PageControl2Change(ui::TComponent* sender);
  void RadioButton1Click(ui::TComponent* sender);
  void RadioButton2Click(ui::TComponent* sender);
  void RadioButton3Click(ui::TComponent* sender);
  void RadioButton4Click(ui::TComponent* sender);
  void Label2Click(ui::TComponent* sender);
  // Adds an offset "HH:MM:SS" to the time picker, moving the date on past midnight.
  void AddTime(const std::string& offset);
  // Adds days to the date shown; a day the month lacks gives the first of the next month.
  void AddDate(int days);
  void TodayClick(ui::TComponent* sender);
  void SpeedButton1Click(ui::TComponent* sender);
  void BitBtn1Click(ui::TComponent* sender);
  void BitBtn2Click(ui::TComponent* sender);
  void BitBtn7Click(ui::TComponent* sender);
  void BitBtn9Click(ui::TComponent* sender);

  // ---- Event list (settings/event_list.cpp) ----
  ui::TSpeedButton* SpeedButton5;  // "Стандартные события" (down at start)
  ui::TSpeedButton* SpeedButton6;  // "Дни рождения и праздники"
  ui::TListView* ListView1;        // "Код", "Тип", "Время", "Число"; ticked from "active", which a tick writes
  ui::TPopupMenu* PopupMenu1;      // the list's menu; none in the birthday view
  ui::TMenuItem* N1;               // "Показать..."
  ui::TMenuItem* N2;               // "Только сигналы" (0)
  ui::TMenuItem* N3;               // "Только любые файлы" (1)
  ui::TMenuItem* N4;               // "Только завершение сеанса" (2)
  ui::TMenuItem* N5;               // "Только перезагрузки" (3)
  ui::TMenuItem* N6;               // "Только выключения" (4)
  ui::TMenuItem* N7;               // "Только напоминания текстом" (5)
  ui::TMenuItem* N10;              // "Все" (8)
  ui::TMenuItem* N19;              // "Тест!"
  ui::TButton* Button2;            // "Save!!!!!!!", never visible: run by the commit

  // The numbers of the list file: as the window last wrote or read it, and as the last
  // refresh read it.
  std::vector<std::string> storedCodes, shownCodes;
  // Which events are listed: 0..6 that type, 8 all but birthdays and holidays, -1 all.
  int listFilter = 8;

  // Rebuilds the rows from the store; the selected event stays selected while it is listed.
  void EventRefresh();
  // The store changed, whoever changed it (a snooze, a template, the missed events window,
  // the scan removing a fired event): the list and the detail view are brought up to date,
  // and an addition whose number was taken meanwhile gets another one.
  void StoreChanged();
  // Once a second while the window is shown: a next-firing line, hint or row whose moment has
  // passed is worked out again.
  ui::TTimer* Timer1;
  void Timer1Timer(ui::TComponent* sender);
  // Shows the selected event in the editor's controls.
  void ListView1Click(ui::TComponent* sender);
  // A row's check box switches its event on ("active" = "1") or off ("0"); the scheduler
  // passes over an event that is off.
  void ListView1ItemChecked(ui::TListItem& item);
  // Shows when event `number` fires next under the pickers (nothing for an empty number).
  void ShowNextFiring(const std::string& number);
  // Deletes the selected event after the user confirmed it: its side file, its section, its
  // list line, and its scanning; the detail view is emptied.
  void EventDel();
  // Rewrites the list file from every event in list order and re-reads storedCodes.
  void Button2Click(ui::TComponent* sender);
  // "Тест!": runs the action of the event shown, never ending the session.
  void N19Click(ui::TComponent* sender);
  void N2Click(ui::TComponent* sender);
  void N3Click(ui::TComponent* sender);
  void N4Click(ui::TComponent* sender);
  void N5Click(ui::TComponent* sender);
  void N6Click(ui::TComponent* sender);
  void N7Click(ui::TComponent* sender);
  void N10Click(ui::TComponent* sender);
  void SpeedButton5Click(ui::TComponent* sender);
  void SpeedButton6Click(ui::TComponent* sender);
  // The list's menu follows the filter: none while birthdays and holidays are listed.
  void ListView1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  ui::TBitBtn* ImportButton;  // "Импорт...": events from a calendar or contact file
  ui::TBitBtn* ExportButton;  // "Экспорт...": the listed events to a calendar file
  void ImportEvents();
  void ExportEvents();

  // ---- Settings pages (settings/settings_pages.cpp) ----
  ui::TImage* Image20;              // the large background behind the settings pages
  ui::TPageControl* PageControl3;   // tabs at the bottom: "Главное окно", "Звук", "Прочие"
  ui::TTabSheet* TabSheet10;        // "Главное окно"
  ui::TTabSheet* TabSheet11;        // "Звук"
  ui::TTabSheet* TabSheet12;        // "Прочие"
  ui::TGroupBox* GroupBox3;         // "Главное окно"
  ui::TGroupBox* GroupBox4;         // "Звук"
  ui::TGroupBox* GroupBox5;         // "Прочие"
  // "Главное окно"
  ui::TTrackBar* TrackBar1;         // transparency 0..200: [TranspConfig] "Alpha"
  ui::TBitBtn* BitBtn11;            // the skin chooser: [Clock] "skin"
  ui::TPanel* Panel5;               // frame of the skin preview
  ui::TImage* Image1;               // the skin's "Preview.bmp", stretched
  ui::TLabel* Label30;              // "Название скина:"
  ui::TLabel* Label31;              // the previewed skin's name
  ui::TLabel* Label32;              // "Автор:"
  ui::TLabel* Label33;              // the previewed skin's author
  ui::TCheckBox* CheckBox4;         // [Clock] "StickCon"
  ui::TCheckBox* CheckBox8;         // [Clock] "showIntitle"
  ui::TCheckBox* CheckBox2;         // [Position] "Save"
  ui::TCheckBox* CheckBox7;         // [Clock] "ShowHolydays"
  ui::TCheckBox* CheckBox10;        // [Clock] "HideNulls", inverted
  // "Звук"
  ui::TEdit* Edit4;                 // [AckConfig] "MidnightAck"
  ui::TEdit* Edit6;                 // [AckConfig] "HourAck"
  ui::TEdit* Edit7;                 // [AckConfig] "MinAck"
  ui::TSpeedButton* SpeedButton2;   // beep tests of Edit4, Edit6, Edit7
  ui::TSpeedButton* SpeedButton3;
  ui::TSpeedButton* SpeedButton4;
  ui::TEdit* Edit8;                 // [AckConfig] "MidnightFileAck"
  ui::TEdit* Edit9;                 // [AckConfig] "HourFileAck"
  ui::TEdit* Edit10;                // [AckConfig] "MinFileAck"
  ui::TButton* Button3;             // "..." file dialogs of Edit8, Edit9, Edit10
  ui::TButton* Button4;
  ui::TButton* Button5;
  ui::TButton* Button6;             // sound file tests of Edit8, Edit9, Edit10
  ui::TButton* Button7;
  ui::TButton* Button8;
  // "Прочие"
  ui::TCheckBox* CheckBox6;         // [Clock] "KillTask"
  ui::TCheckBox* CheckBox5;         // autostart with Windows (the run keys)
  ui::TCheckBox* CheckBox11;        // [Clock] "RunTray"
  ui::TCheckBox* CheckBox3;         // [Shutdown] "ForceEx"
  ui::TSpinEdit* CSpinEdit2;        // [Shutdown] "timeout"
  ui::TMemo* Memo1;                 // [Shutdown] "comment", stored by Button1 only
  ui::TButton* Button1;             // "ОК"
  ui::TCheckBox* CheckBox9;         // [Clock] "SlowResize"
  ui::TCheckBox* CheckBox12;        // [Clock] "ReportMissed"
  // Right of the pages
  ui::TBitBtn* BitBtn12;            // "Об авторе"
  ui::TBitBtn* BitBtn13;            // "Посетить сайт": the help page
  ui::TBitBtn* BitBtn14;            // "Журнал": the firing log "Gear\log.txt"
  ui::TBitBtn* BitBtn10;            // "Выход"

  std::string previewSkinIniPath;   // the skin.ini whose preview is shown

  // Runs the loading steps `first` to `last` (1 to 20) of the settings page, in order. Step 13,
  // filling the event list, is left to the caller.
  void LoadSettingsPage(int first, int last);
  // Shows the current skin's name, author and preview picture.
  void SkinPreview();

  void TrackBar1Change(ui::TComponent* sender);
  void Edit4Change(ui::TComponent* sender);
  void Edit6Change(ui::TComponent* sender);
  void Edit7Change(ui::TComponent* sender);
  void Edit8Change(ui::TComponent* sender);
  void Edit9Change(ui::TComponent* sender);
  void Edit10Change(ui::TComponent* sender);
  void CSpinEdit2Change(ui::TComponent* sender);
  void CheckBox2Click(ui::TComponent* sender);
  void CheckBox3Click(ui::TComponent* sender);
  void CheckBox4Click(ui::TComponent* sender);
  void CheckBox5Click(ui::TComponent* sender);
  void CheckBox6Click(ui::TComponent* sender);
  void CheckBox7Click(ui::TComponent* sender);
  void CheckBox8Click(ui::TComponent* sender);
  void CheckBox9Click(ui::TComponent* sender);
  void CheckBox10Click(ui::TComponent* sender);
  void CheckBox11Click(ui::TComponent* sender);
  void CheckBox12Click(ui::TComponent* sender);
  void Button1Click(ui::TComponent* sender);
  void BitBtn11Click(ui::TComponent* sender);
  void SpeedButton2Click(ui::TComponent* sender);
  void SpeedButton3Click(ui::TComponent* sender);
  void SpeedButton4Click(ui::TComponent* sender);
  void Button3Click(ui::TComponent* sender);
  void Button4Click(ui::TComponent* sender);
  void Button5Click(ui::TComponent* sender);
  void Button6Click(ui::TComponent* sender);
  void Button7Click(ui::TComponent* sender);
  void Button8Click(ui::TComponent* sender);
  void BitBtn12Click(ui::TComponent* sender);
  void BitBtn13Click(ui::TComponent* sender);
  void BitBtn14Click(ui::TComponent* sender);

 private:
  // Each part creates its own controls; the frame calls them in this order during construction.
  void BuildEditor();
  void BuildEventList();
  void BuildSettingsPages();

  // Frame: the window's own handle of the picture library and its number generator.
  std::unique_ptr<platform::ResourceLibrary> imageLib_;
  settings::NumberGenerator numbers_{1};
  void BuildFrame();
  ui::Image LibraryPicture(const char* name);
  // The configuration file: the window's own accessor once FormCreate opened it.
  config::Settings& ConfigIni() { return configIni ? *configIni : files_.Config(); }

  // Event editor: helpers.
  void BuildEditorGroups();
  void BuildActionPages();
  // Gives the check and radio boxes that stand on a background picture its colour there.
  void BlendIntoBackgrounds();
  // The new event's number, shown in Edit5.
  void DrawNumber();
  // Shows or hides the time picker, the date picker and the weekday list with their labels
  // and icons.
  void ShowTimeControls(bool on);
  void ShowDateControls(bool on);
  void ShowWeekdays(bool on);
  // The event the controls describe, as the commit stores it.
  events::EventRecord EditedEvent();
  // The stored "period" of the checked periodicity option, and the weekdays ticked.
  std::string CheckedPeriod() const;
  std::array<bool, 7> CheckedWeekdays() const;
  // Asks before storing an empty reminder or a one-time event whose moment has passed; false
  // when the user answers "Нет".
  bool CommitConfirmed(const events::EventRecord& event);
  // Settings pages: helpers.
  void WriteFlag(const char* section, const char* key, bool on);
  void ChooseSoundFile(ui::TEdit* edit);
  void ShowSkinLabels(const config::TIniFile& skinIni);
  void ShowSkinPicture(const std::string& skin);
  bool autostartQuiet_ = false;  // CheckBox5 is being set to what the run keys hold: no write
  // The run key a user's switching on writes when neither key holds the value: the one that
  // held it when the page was loaded or last switched on.
  platform::RunKeyScope autostartScope_ = platform::RunKeyScope::kUser;
  bool backgroundsLoaded_ = false;

  // Event list: helpers.
  void SetListFilter(int filter);
  // "Импорт..." and "Экспорт..." under the list (settings/event_exchange.cpp).
  void BuildExchangeButtons();
  events::ExchangeContext ExchangeContext();
  // The row whose next firing the list's hint tells, -1 for none.
  int hintRow_ = -1;
  // One parse of the detail file for a whole refresh or detail view.
  config::TIniSnapshot DetailSnapshot();
  // The moments the lines shown tell: under the pickers, in the hint, and the first coming
  // one of a listed one-time event (its row turns grey when it passes).
  std::optional<platform::DateTime> shownMoment_, hintMoment_, nextOnceMoment_;
  // The event the detail view shows; empty for an empty view or in record mode.
  std::string shownNumber_;
  // The window's own changes to the store, which it follows itself: their notifications are
  // not acted on.
  int ownChanges_ = 0;
  struct OwnChange {
    explicit OwnChange(TForm2& form) : form_(form) { ++form_.ownChanges_; }
    ~OwnChange() { --form_.ownChanges_; }
    TForm2& form_;
  };
  int storeListener_ = 0;
  // Empties the reminder text and puts the birthday page's instructions back.
  void ResetTexts();
  // A next-firing line on the two labels under the pickers.
  void ShowFiringLine(const std::string& line);

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  events::Scheduler& scheduler_;
  SettingsLinks links_;
};

extern TForm2* Form2;
