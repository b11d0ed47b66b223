// TForm2: the settings and event editor window. Its page "Добавить событие" holds the event list
// (settings/event_list.cpp) and the event editor (settings/event_editor.cpp); its page "Настройки"
// holds the program's settings (settings/settings_pages.cpp). The frame, its pages and its life
// cycle are in settings/settings_window.cpp.
#pragma once

#include <functional>
#include <string>

#include "config/program_files.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/comctrls.h"
#include "ui/panels.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"
#include "ui/forms.h"

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

  // ---- Event editor (settings/event_editor.cpp) ----

  // ---- Event list (settings/event_list.cpp) ----

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
  // Right of the pages
  ui::TBitBtn* BitBtn12;            // "Об авторе"
  ui::TBitBtn* BitBtn13;            // "Посетить сайт": the help page
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

 private:
  // Each part creates its own controls; the frame calls them in this order during construction.
  void BuildEditor();
  void BuildEventList();
  void BuildSettingsPages();

  // Settings pages: helpers.
  void WriteFlag(const char* section, const char* key, bool on);
  void ChooseSoundFile(ui::TEdit* edit);
  void ShowSkinLabels(const config::TIniFile& skinIni);
  bool autostartReverting_ = false;  // CheckBox5 is being set back to what the run keys hold

  platform::Platform& platform_;
  config::ProgramFiles& files_;
  events::EventStore& store_;
  events::Scheduler& scheduler_;
  SettingsLinks links_;
};

extern TForm2* Form2;
