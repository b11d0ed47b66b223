// The page "Настройки" of the settings window: every setting of the program, each written the
// moment its control changes.
#include <map>

#include "clock/media_player.h"
#include "config/convert.h"
#include "platform/files.h"
#include "platform/sound_limits.h"
#include "resources/jpeg.h"
#include "resources/picture.h"
#include "settings/autostart.h"
#include "settings/city_clocks.h"
#include "settings/settings_load.h"
#include "settings/settings_window.h"
#include "ui/application.h"
#include "ui/widgetset.h"

namespace {

constexpr const char* kSoundFilter = "Звук(*.wav;*.mp3;*.ogg;*.wma;*.mid)";
constexpr const char* kSoundPatterns = "*.wav;*.mp3;*.ogg;*.wma;*.mid";
constexpr const char* kShutdownDesignText =
    "Сейчас произойдет запланированное завершение работы системы. Пожалуйста, сохраните все несохраненые "
    "данные. Инициатор завершения - Horavo v3.0";
constexpr const char* kUnknown = "Неизвестен";

constexpr int kPagesWidth = 340;  // the page control left of the three buttons
constexpr int kRowWidth = 316;    // a control across a group box

template <class T>
T* Make(TForm2* form, ui::TWinControl* parent, const char* name) {
  auto* control = new T(form);
  control->Name = name;
  control->SetParent(parent);
  return control;
}

ui::TLabel* MakeLabel(TForm2* form, ui::TWinControl* parent, const char* name, int left, int top, const char* text) {
  auto* label = Make<ui::TLabel>(form, parent, name);
  label->SetCaption(text);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

ui::TCheckBox* Box(TForm2* form, ui::TWinControl* parent, const char* name, int top, const char* text) {
  auto* box = Make<ui::TCheckBox>(form, parent, name);
  box->SetBounds(10, top, kRowWidth, 19);
  box->SetCaption(text);
  return box;
}

ui::TEdit* Field(TForm2* form, ui::TWinControl* parent, const char* name, int top, int width, const char* text) {
  auto* edit = Make<ui::TEdit>(form, parent, name);
  edit->SetBounds(10, top, width, 21);
  edit->SetText(text);
  return edit;
}

// The settings page's controls as the loading steps name them.
class PageLoadTarget : public settings::LoadTarget {
 public:
  PageLoadTarget(TForm2& form, std::function<void()> loadAutostart)
      : form_(form), loadAutostart_(std::move(loadAutostart)) {}
  void LoadAutostart(const std::string&) override { loadAutostart_(); }
  void SetChecked(const std::string& control, bool checked) override {
    static_cast<ui::TCheckBox*>(Find(control))->SetChecked(checked);
  }
  void SetText(const std::string& control, const std::string& text) override {
    static_cast<ui::TEdit*>(Find(control))->SetText(text);
  }
  void SetPosition(const std::string& control, int position) override {
    static_cast<ui::TTrackBar*>(Find(control))->SetPosition(position);
  }
  void FillEventList() override {}
  void BadValue(const settings::LoadStep& step, const std::string& value) override {
    if (ui::HasApplication())
      ui::Application().ShowMessageBox(settings::BadValueMessage(step, value), ui::Application().Title(),
                                       ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  }

 private:
  ui::TComponent* Find(const std::string& name) {
    for (auto* c : form_.Components())
      if (c->Name == name) return c;
    throw std::logic_error("no control " + name);
  }
  TForm2& form_;
  std::function<void()> loadAutostart_;
};

}  // namespace

void TForm2::BuildSettingsPages() {
  using namespace std::placeholders;
  auto click = [this](void (TForm2::*handler)(ui::TComponent*)) {
    return [this, handler](ui::TComponent* sender) { (this->*handler)(sender); };
  };

  Image20 = Make<ui::TImage>(this, TabSheet2, "Image20");
  Image20->SetAlign(ui::TAlign::alClient);
  Image20->Stretch = true;

  PageControl3 = Make<ui::TPageControl>(this, TabSheet2, "PageControl3");
  PageControl3->SetBounds(6, 6, kPagesWidth, 364);
  PageControl3->SetTabPosition(ui::TTabPosition::tpBottom);
  auto page = [&](const char* sheetName, const char* groupName, const char* caption, ui::TTabSheet*& sheet,
                  ui::TGroupBox*& group) {
    sheet = new ui::TTabSheet(this);
    sheet->Name = sheetName;
    sheet->SetPageControl(PageControl3);
    sheet->SetCaption(caption);
    group = Make<ui::TGroupBox>(this, sheet, groupName);
    group->SetAlign(ui::TAlign::alClient);
    group->SetCaption(caption);
  };
  page("TabSheet10", "GroupBox3", "Главное окно", TabSheet10, GroupBox3);
  page("TabSheet11", "GroupBox4", "Звук", TabSheet11, GroupBox4);
  page("TabSheet12", "GroupBox5", "Прочие", TabSheet12, GroupBox5);
  CityClocks = new settings::CityClocksGroup(this, PageControl3, ConfigIni(), platform_.timeZones(), [this] {
    if (links_.citiesChanged) links_.citiesChanged();
  });
  PageControl3->SetActivePageIndex(0);

  // "Главное окно"
  MakeLabel(this, GroupBox3, "Label34", 10, 20, "Прозрачность");
  TrackBar1 = Make<ui::TTrackBar>(this, GroupBox3, "TrackBar1");
  TrackBar1->SetBounds(6, 36, kRowWidth + 8, 32);
  TrackBar1->SetRange(0, 200);
  TrackBar1->SetFrequency(5);
  TrackBar1->OnChange = click(&TForm2::TrackBar1Change);

  BitBtn11 = Make<ui::TBitBtn>(this, GroupBox3, "BitBtn11");
  BitBtn11->SetBounds(10, 76, 150, 28);
  BitBtn11->SetCaption("Выбрать скин часов");
  BitBtn11->SetGlyph(files_.LibraryPicture("BROWSE"));
  BitBtn11->OnClick = click(&TForm2::BitBtn11Click);
  Label30 = MakeLabel(this, GroupBox3, "Label30", 10, 112, "Название скина:");
  Label31 = MakeLabel(this, GroupBox3, "Label31", 100, 112, "Default");
  Label32 = MakeLabel(this, GroupBox3, "Label32", 10, 130, "Автор:");
  Label33 = MakeLabel(this, GroupBox3, "Label33", 100, 130, "Dashmir");
  for (auto* l : {Label30, Label31, Label32, Label33}) l->SetVisible(false);
  for (auto* l : {Label31, Label33}) l->SetFontBold(true);
  Panel5 = Make<ui::TPanel>(this, GroupBox3, "Panel5");
  Panel5->SetBounds(170, 74, 156, 74);
  Panel5->SetBevelOuter(ui::TBevelCut::bvLowered);
  Image1 = Make<ui::TImage>(this, Panel5, "Image1");
  Image1->SetAlign(ui::TAlign::alClient);
  Image1->Stretch = true;

  CheckBox4 = Box(this, GroupBox3, "CheckBox4", 160, "Использовать прилипание к углам экрана");
  CheckBox8 = Box(this, GroupBox3, "CheckBox8", 182, "Показывать время в загаловке активного окна");
  CheckBox2 = Box(this, GroupBox3, "CheckBox2", 204, "Сохранять позицию окна часов");
  CheckBox7 = Box(this, GroupBox3, "CheckBox7", 226, "Показывать праздники при запуске");
  CheckBox10 = Box(this, GroupBox3, "CheckBox10", 248, "Показывать нули перед цифрами ");
  CheckBox7->SetChecked(true);
  CheckBox10->SetChecked(true);
  CheckBox4->OnClick = click(&TForm2::CheckBox4Click);
  CheckBox8->OnClick = click(&TForm2::CheckBox8Click);
  CheckBox2->OnClick = click(&TForm2::CheckBox2Click);
  CheckBox7->OnClick = click(&TForm2::CheckBox7Click);
  CheckBox10->OnClick = click(&TForm2::CheckBox10Click);

  // "Звук"
  const ui::Image speaker = files_.LibraryPicture("SPEAKER");
  auto pitch = [&](const char* labelName, const char* editName, const char* buttonName, int top, const char* text,
                   const char* value, ui::TEdit*& edit, ui::TSpeedButton*& test) {
    MakeLabel(this, GroupBox4, labelName, 10, top, text);
    edit = Field(this, GroupBox4, editName, top + 16, 90, value);
    edit->SetDigitsOnly(platform::kMaxBeepFrequency);  // 0: no chime
    test = Make<ui::TSpeedButton>(this, GroupBox4, buttonName);
    test->SetBounds(106, top + 14, 70, 25);
    test->SetCaption("Тест");
    test->SetGlyph(speaker);
  };
  pitch("Label35", "Edit4", "SpeedButton2", 18, "Высота звукового сигнала в полночь", "2600", Edit4, SpeedButton2);
  pitch("Label36", "Edit6", "SpeedButton3", 64, "Высота звукового сигнала в конце часа", "2000", Edit6, SpeedButton3);
  pitch("Label37", "Edit7", "SpeedButton4", 110, "Высота звукового сигнала в конце минуты", "0", Edit7, SpeedButton4);
  auto sound = [&](const char* labelName, const char* editName, const char* browseName, const char* testName, int top,
                   const char* text, ui::TEdit*& edit, ui::TButton*& browse, ui::TButton*& test) {
    MakeLabel(this, GroupBox4, labelName, 10, top, text);
    edit = Field(this, GroupBox4, editName, top + 16, 222, "");
    browse = Make<ui::TButton>(this, GroupBox4, browseName);
    browse->SetBounds(236, top + 15, 28, 23);
    browse->SetCaption("...");
    test = Make<ui::TButton>(this, GroupBox4, testName);
    test->SetBounds(268, top + 15, 58, 23);
    test->SetCaption("Тест");
  };
  sound("Label38", "Edit8", "Button3", "Button6", 160, "Файл, который проиграется в полночь", Edit8, Button3, Button6);
  sound("Label39", "Edit9", "Button4", "Button7", 206, "Файл, который проиграется в конце часа", Edit9, Button4,
        Button7);
  sound("Label40", "Edit10", "Button5", "Button8", 252, "Файл, который проиграется в конце минуты", Edit10, Button5,
        Button8);
  Edit4->OnChange = click(&TForm2::Edit4Change);
  Edit6->OnChange = click(&TForm2::Edit6Change);
  Edit7->OnChange = click(&TForm2::Edit7Change);
  Edit8->OnChange = click(&TForm2::Edit8Change);
  Edit9->OnChange = click(&TForm2::Edit9Change);
  Edit10->OnChange = click(&TForm2::Edit10Change);
  SpeedButton2->OnClick = click(&TForm2::SpeedButton2Click);
  SpeedButton3->OnClick = click(&TForm2::SpeedButton3Click);
  SpeedButton4->OnClick = click(&TForm2::SpeedButton4Click);
  Button3->OnClick = click(&TForm2::Button3Click);
  Button4->OnClick = click(&TForm2::Button4Click);
  Button5->OnClick = click(&TForm2::Button5Click);
  Button6->OnClick = click(&TForm2::Button6Click);
  Button7->OnClick = click(&TForm2::Button7Click);
  Button8->OnClick = click(&TForm2::Button8Click);

  // "Прочие"
  CheckBox6 = Box(this, GroupBox5, "CheckBox6", 20, "Удалять \"одноразовые\" события после их выполнения");
  CheckBox5 = Box(this, GroupBox5, "CheckBox5", 42, "Запускать вместе с Windows");
  CheckBox11 = Box(this, GroupBox5, "CheckBox11", 64, "Запускать в свернутом состоянии");
  CheckBox3 = Box(this, GroupBox5, "CheckBox3", 86, "Принудительно закрывать приложения");
  MakeLabel(this, GroupBox5, "Label41", 10, 116, "Таймаут завершения работы");
  CSpinEdit2 = Make<ui::TSpinEdit>(this, GroupBox5, "CSpinEdit2");
  CSpinEdit2->SetBounds(200, 112, 70, 22);
  CSpinEdit2->SetText("0");
  CSpinEdit2->SetDigitsOnly(platform::kMaxShutdownTimeoutSeconds);
  CSpinEdit2->SetMinValue(0);
  CSpinEdit2->SetMaxValue(platform::kMaxShutdownTimeoutSeconds);
  MakeLabel(this, GroupBox5, "Label42", 10, 142, "Сообщение при завершении работы");
  Memo1 = Make<ui::TMemo>(this, GroupBox5, "Memo1");
  Memo1->SetBounds(10, 158, kRowWidth, 76);
  Memo1->WantReturns = false;
  Memo1->SetScrollBars(ui::TScrollStyle::ssVertical);
  Memo1->SetText(kShutdownDesignText);
  Button1 = Make<ui::TButton>(this, GroupBox5, "Button1");
  Button1->SetBounds(10, 238, 50, 24);
  Button1->SetCaption("ОК");
  MakeLabel(this, GroupBox5, "Label43", 68, 243, "*Отредактируйте сообщение и нажмите ОК");
  CheckBox9 = Box(this, GroupBox5, "CheckBox9", 272, "Плавное сдвигание правого края");
  CheckBox9->SetChecked(true);
  CheckBox12 = Box(this, GroupBox5, "CheckBox12", 294, "Сообщать о пропущенных событиях");
  CheckBox12->SetChecked(true);
  CheckBox6->OnClick = click(&TForm2::CheckBox6Click);
  CheckBox5->OnClick = click(&TForm2::CheckBox5Click);
  CheckBox11->OnClick = click(&TForm2::CheckBox11Click);
  CheckBox3->OnClick = click(&TForm2::CheckBox3Click);
  CheckBox9->OnClick = click(&TForm2::CheckBox9Click);
  CheckBox12->OnClick = click(&TForm2::CheckBox12Click);
  CSpinEdit2->OnChange = click(&TForm2::CSpinEdit2Change);
  Button1->OnClick = click(&TForm2::Button1Click);

  // Right of the pages.
  auto side = [&](const char* name, int top, const char* text, const char* glyph) {
    auto* button = Make<ui::TBitBtn>(this, TabSheet2, name);
    button->SetBounds(kPagesWidth + 16, top, 118, 30);
    button->SetCaption(text);
    button->SetGlyph(files_.LibraryPicture(glyph));
    return button;
  };
  BitBtn12 = side("BitBtn12", 8, "Об авторе", "HELP");
  BitBtn13 = side("BitBtn13", 44, "Посетить сайт", "WWW");
  BitBtn14 = side("BitBtn14", 80, "Журнал", "TIME");
  BitBtn10 = side("BitBtn10", 340, "Выход", "EXIT");
  BitBtn10->Cancel = true;
  BitBtn12->OnClick = click(&TForm2::BitBtn12Click);
  BitBtn13->OnClick = click(&TForm2::BitBtn13Click);
  BitBtn14->OnClick = click(&TForm2::BitBtn14Click);
  BitBtn10->OnClick = click(&TForm2::BitBtn10Click);
}

void TForm2::LoadSettingsPage(int first, int last) {
  auto steps = settings::SettingsLoadSteps();
  first = std::max(first, 1);
  last = std::min<int>(last, int(steps.size()));
  if (first > last) return;
  PageLoadTarget target(*this, [this] {
    // The box shows what the run keys hold; showing it changes nothing in them.
    auto& registry = platform_.autostartRegistry();
    autostartScope_ = settings::AutostartScope(registry, platform::RunKeyScope::kUser);
    autostartQuiet_ = true;
    CheckBox5->SetChecked(settings::AutostartOn(registry, files_.AppDir()));
    autostartQuiet_ = false;
  });
  settings::RunLoadSteps(steps.subspan(first - 1, last - first + 1), files_.Config(), files_.AppDir(), target);
}

void TForm2::WriteFlag(const char* section, const char* key, bool on) {
  files_.Config().WriteString(section, key, on ? "1" : "0");
}

void TForm2::TrackBar1Change(ui::TComponent*) {
  files_.Config().WriteString("TranspConfig", "Alpha", std::to_string(TrackBar1->Position()));
  if (links_.setTransparency) links_.setTransparency(TrackBar1->Position());
}

void TForm2::Edit4Change(ui::TComponent*) { files_.Config().WriteString("AckConfig", "MidnightAck", Edit4->Text()); }
void TForm2::Edit6Change(ui::TComponent*) { files_.Config().WriteString("AckConfig", "HourAck", Edit6->Text()); }
void TForm2::Edit7Change(ui::TComponent*) { files_.Config().WriteString("AckConfig", "MinAck", Edit7->Text()); }
// A sound file inside the program folder is stored relative to it, so a moved folder keeps it.
void TForm2::Edit8Change(ui::TComponent*) {
  files_.Config().WriteString("AckConfig", "MidnightFileAck", files_.StoredPath(Edit8->Text()));
}
void TForm2::Edit9Change(ui::TComponent*) {
  files_.Config().WriteString("AckConfig", "HourFileAck", files_.StoredPath(Edit9->Text()));
}
void TForm2::Edit10Change(ui::TComponent*) {
  files_.Config().WriteString("AckConfig", "MinFileAck", files_.StoredPath(Edit10->Text()));
}
void TForm2::CSpinEdit2Change(ui::TComponent*) {
  files_.Config().WriteString("Shutdown", "timeout", CSpinEdit2->Text());
}

void TForm2::CheckBox2Click(ui::TComponent*) { WriteFlag("Position", "Save", CheckBox2->Checked()); }
void TForm2::CheckBox3Click(ui::TComponent*) { WriteFlag("Shutdown", "ForceEx", CheckBox3->Checked()); }
void TForm2::CheckBox4Click(ui::TComponent*) { WriteFlag("Clock", "StickCon", CheckBox4->Checked()); }
void TForm2::CheckBox6Click(ui::TComponent*) { WriteFlag("Clock", "KillTask", CheckBox6->Checked()); }
void TForm2::CheckBox7Click(ui::TComponent*) { WriteFlag("Clock", "ShowHolydays", CheckBox7->Checked()); }
void TForm2::CheckBox8Click(ui::TComponent*) { WriteFlag("Clock", "showIntitle", CheckBox8->Checked()); }
void TForm2::CheckBox9Click(ui::TComponent*) { WriteFlag("Clock", "SlowResize", CheckBox9->Checked()); }
void TForm2::CheckBox11Click(ui::TComponent*) { WriteFlag("Clock", "RunTray", CheckBox11->Checked()); }
void TForm2::CheckBox12Click(ui::TComponent*) { WriteFlag("Clock", "ReportMissed", CheckBox12->Checked()); }

void TForm2::CheckBox10Click(ui::TComponent*) {
  // Checked shows the zeros, so the stored flag is the opposite of the box.
  WriteFlag("Clock", "HideNulls", !CheckBox10->Checked());
  if (links_.setHideNulls) links_.setHideNulls(files_.Config().ReadInt("Clock", "HideNulls", 0));
}

void TForm2::CheckBox5Click(ui::TComponent*) {
  if (autostartQuiet_) return;
  const bool asked = CheckBox5->Checked();
  const auto result = settings::SetAutostart(platform_.autostartRegistry(), files_.AppDir(), asked, autostartScope_);
  // Switched off and on again, the value goes back to the key it came from.
  if (result.on) autostartScope_ = result.scope;
  if (result.asked) return;
  // The run keys refused: say so, and let the box show what they hold.
  if (ui::HasApplication())
    ui::Application().ShowMessageBox(settings::AutostartRefusedMessage(asked), ui::Application().Title(),
                                     ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  autostartQuiet_ = true;
  CheckBox5->SetChecked(result.on);
  autostartQuiet_ = false;
}

void TForm2::Button1Click(ui::TComponent*) {
  // A settings line holds no line break; the memo takes none, but pasted text may carry some.
  std::string text = Memo1->Text();
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  files_.Config().DeleteKey("Shutdown", "comment");
  files_.Config().WriteString("Shutdown", "comment", text);
}

void TForm2::SpeedButton2Click(ui::TComponent*) { platform_.sound().Beep(config::StrToInt(Edit4->Text()), 1000); }
void TForm2::SpeedButton3Click(ui::TComponent*) { platform_.sound().Beep(config::StrToInt(Edit6->Text()), 1000); }
void TForm2::SpeedButton4Click(ui::TComponent*) { platform_.sound().Beep(config::StrToInt(Edit7->Text()), 1000); }

void TForm2::ChooseSoundFile(ui::TEdit* edit) {
  platform::OpenFileOptions options;
  options.filters = {{kSoundFilter, kSoundPatterns}};
  auto chosen = platform_.commonDialogs().OpenFile(options);
  if (!chosen) return;
  edit->SetText(*chosen);
  edit->OnChange(edit);  // the key is written even when the text did not change
}

void TForm2::Button3Click(ui::TComponent*) { ChooseSoundFile(Edit8); }
void TForm2::Button4Click(ui::TComponent*) { ChooseSoundFile(Edit9); }
void TForm2::Button5Click(ui::TComponent*) { ChooseSoundFile(Edit10); }

void TForm2::Button6Click(ui::TComponent*) { files_.MediaPlayer().PlayFile(files_.FullPath(Edit8->Text())); }
void TForm2::Button7Click(ui::TComponent*) { files_.MediaPlayer().PlayFile(files_.FullPath(Edit9->Text())); }
void TForm2::Button8Click(ui::TComponent*) { files_.MediaPlayer().PlayFile(files_.FullPath(Edit10->Text())); }

void TForm2::ShowSkinLabels(const config::TIniFile& skinIni) {
  for (auto* l : {Label30, Label31, Label32, Label33}) l->SetVisible(true);
  Label33->SetCaption(skinIni.ReadString("Skin", "Author", kUnknown));
  Label31->SetCaption(skinIni.ReadString("Skin", "NameOfSkin", kUnknown));
}

void TForm2::ShowSkinPicture(const std::string& skin) {
  // A skin without a preview shows none; a preview that is there but broken is reported.
  const std::string preview = files_.Path("Skins\\" + skin + "\\Preview.bmp");
  Image1->SetPicture(platform::FileExists(preview) ? resources::LoadPictureFile(preview) : ui::Image());
}

void TForm2::BitBtn11Click(ui::TComponent*) {
  platform::OpenFileOptions options;
  options.initialDir = files_.Path("Skins");
  options.fileName = "skin.ini";
  options.filters = {{"skin.ini", "skin.ini"}};
  options.fileMustExist = true;
  options.pathMustExist = true;
  options.hideReadOnly = true;
  options.resizable = true;
  options.noPlacesBar = true;
  auto chosen = platform_.commonDialogs().OpenFile(options);
  if (!chosen) return;
  auto refuse = [](const std::string& text) {
    ui::Application().ShowMessageBox(text, ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  };
  const config::TIniFile chosenIni(*chosen);
  if (!config::TIniSnapshot(chosenIni).FileRead()) {
    refuse("Не удалось прочитать файл " + *chosen + ". Скин не выбран.");
    return;
  }
  // The skin is stored by its declared name, which must be the name of its folder.
  const std::string name = chosenIni.ReadString("Skin", "NameOfSkin", "default");
  const config::TIniFile skinIni(files_.Path("Skins\\" + name + "\\skin.ini"));
  if (!config::TIniSnapshot(skinIni).FileRead()) {
    refuse("Скин \"" + name + "\" не выбран: не удалось прочитать файл " + skinIni.FileName() +
           ". Имя скина (NameOfSkin) должно совпадать с именем его папки.");
    return;
  }
  const std::string previous = files_.Config().ReadString("Clock", "skin", "default");
  files_.Config().WriteString("Clock", "skin", name);
  if (links_.skinRefresh) {
    try {
      links_.skinRefresh();
    } catch (...) {
      // A skin that does not load is not kept: the clock goes back to the skin it had.
      files_.Config().WriteString("Clock", "skin", previous);
      ui::Application().Guard(links_.skinRefresh);
      throw;
    }
  }
  previewSkinIniPath = skinIni.FileName();
  ShowSkinLabels(skinIni);
  ShowSkinPicture(name);
}

void TForm2::SkinPreview() {
  const std::string skin = files_.Config().ReadString("Clock", "skin", "default");
  previewSkinIniPath = files_.Path("Skins\\" + skin + "\\skin.ini");
  ShowSkinLabels(config::TIniFile(previewSkinIniPath));
  ShowSkinPicture(skin);
}

void TForm2::BitBtn12Click(ui::TComponent*) {
  LoadBackgrounds();
  if (links_.showAbout) links_.showAbout(Image20->Picture());
}

void TForm2::BitBtn13Click(ui::TComponent*) {
  // The program has no web site; its help page lies in the program folder.
  const std::string help = files_.Path("Help\\index.html");
  if (platform_.shell().OpenDocument(help)) return;
  const char* why = platform::FileExists(help) ? "В системе нет программы для просмотра веб-страниц." : "Файл не найден.";
  platform_.dialogs().ShowMessageBox("Не удалось открыть справку: " + help + "\r\n" + why,
                                     ui::HasApplication() ? ui::Application().Title() : std::string(),
                                     ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}

void TForm2::BitBtn14Click(ui::TComponent*) {
  // The log of firings, opened with the program the system has for text files.
  const std::string log = files_.Path("Gear\\log.txt");
  const std::string title = ui::HasApplication() ? ui::Application().Title() : std::string();
  if (!platform::FileExists(log)) {
    platform_.dialogs().ShowMessageBox("Журнал пуст: ни одно событие ещё не сработало.", title,
                                       ui::MB_OK_FLAG | ui::MB_ICONINFORMATION_FLAG);
    return;
  }
  if (!platform_.shell().OpenDocument(log))
    platform_.dialogs().ShowMessageBox(
        "Не удалось открыть журнал: " + log + "\r\nВ системе нет программы для просмотра текстовых файлов.", title,
        ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}
