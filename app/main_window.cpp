#include "app/main_window.h"

#include <algorithm>
#include <cstdlib>

#include "app/forms.h"
#include "clock/time_format.h"
#include "config/convert.h"
#include "platform/startup_marks.h"
#include "resources/bitmap_file.h"
#include "ui/application.h"

using namespace std::placeholders;

TForm1* Form1 = nullptr;

const char* const kLibraryMissingText = "Не найдена библиотека resourcesimages.dll! Переустановите программу";
// Latin "p", "y" and "y" stand among the Cyrillic letters; the bytes are kept exactly so.
const char* const kAlreadyRunningText = "П\x70ог\x70амма \x79же зап\x79щена";

namespace {
const char* const kTimeHint = "Это текущее время";
}

TForm1::TForm1(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
               events::Scheduler& scheduler, events::Actions& actions, events::EventStore& store)
    : ui::TForm(owner),
      files(files),
      scheduler(scheduler),
      actions(actions),
      store(store),
      appDir(files.AppDir()),
      captions(platform.desktop()),
      platform_(platform) {
  Form1 = this;
  // A. Construction: the design, cleared fields, the native window, the image library.
  BuildDesign();
  BringToFront();
  if (files.ImageLib().Load("resources\\images.dll")) {
    SetMenuBitmap(N8, "PL");
    SetMenuBitmap(N12, "SCHEME");
    SetMenuBitmap(N4, "CONFIG");
    SetMenuBitmap(N11, "COMPUTER");
    SetMenuBitmap(N6, "TOTRAY");
    platform::StartupMark("picture library loaded");
  } else {
    Form1 = nullptr;  // the window never comes to be
    EndWithMessage(kLibraryMissingText);
  }
  if (ui::HasApplication())
    ui::Application().HookMainWindow(this, [this](ui::TMessage& message) {
      if (auto notice = ui::SystemNoticeOf(message); notice != ui::SystemNotice::kNone) SystemNoticed(notice);
      return false;  // the system's own handling goes on
    });
}

void TForm1::EndWithMessage(const char* text) {
  // The timers would tick inside the message box's loop on a window that is not set up.
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  platform_.dialogs().ShowMessageBox(text, ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  platform_.process().Exit(0);
  std::abort();  // Exit never returns
}

TForm1::~TForm1() {
  if (ui::HasApplication()) ui::Application().UnhookMainWindow(this);
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildDesign() {
  Name = "Form1";
  SetCaption("Horavo");
  SetBorderStyle(ui::TBorderStyle::bsNone);
  SetFormStyle(ui::TFormStyle::fsStayOnTop);
  SetColor(ui::clSkyBlue);
  SetTransparentColorValue(ui::clBlack);
  SetTransparentColor(true);
  KeepsOwnColors = true;  // the skin is the user's choice, high contrast or not
  SetBounds(895, 687, 239, 116);
  ShowHint = true;

  TrayIcon1 = new tray::TTrayIcon(this, platform_.notifyArea());
  ImageList1 = new ui::TImageList(this);
  Timer1 = new ui::TTimer(this);
  PopupMenu1 = new ui::TPopupMenu(this);
  auto item = [this](ui::TMenuItem* parent, const char* caption) {
    auto* i = new ui::TMenuItem(this);
    i->Caption = caption;
    parent->Add(i);
    return i;
  };
  N1 = item(PopupMenu1->Items(), "Пуск");
  N2 = item(PopupMenu1->Items(), "Стоп");
  N3 = item(PopupMenu1->Items(), "Сброс");

  PopupMenu2 = new ui::TPopupMenu(this);
  ui::TMenuItem* root = PopupMenu2->Items();
  N6 = item(root, "Свернуть в трей");
  N9 = item(root, "-");
  N8 = item(root, "Добавить событие");
  N19 = item(root, "Календарь...");
  N12 = item(root, "Шаблоны...");
  N13 = item(N12, "Выключение...");
  N14 = item(N13, "Через 1 минуту");
  N51 = item(N13, "Через 5 минут");
  N101 = item(N13, "Через 10 минут");
  N151 = item(N13, "Через 15 минут");
  N16 = item(N13, "-");
  N201 = item(N13, "Через 20 минут");
  N301 = item(N13, "Через 30 минут");
  N451 = item(N13, "Через 45 минут");
  N17 = item(N13, "-");
  N15 = item(N13, "Через час");
  N901 = item(N13, "Через 90 минут");
  N21 = item(N13, "Через 2 часа");
  N4 = item(root, "Настройки программы");
  N7 = item(root, "-");
  N11 = item(root, "Остановить выход из системы");
  // In the menu only while a power countdown runs, right after N11 (app/main_window_countdown.cpp).
  N18 = new ui::TMenuItem(this);
  N18->Caption = "Отложить на 10 минут";
  N10 = item(root, "-");
  N5 = item(root, "Закрыть приложение");

  Image1 = new ui::TImage(this);
  Image1->SetParent(this);
  Image1->SetAlign(ui::TAlign::alClient);
  Image1->Stretch = true;
  Image1->SetPopupMenu(PopupMenu2);

  auto label = [this](int left, int top, bool bold) {
    auto* l = new ui::TLabel(this);
    l->SetParent(this);
    l->SetFontBold(bold);
    l->SetBounds(left, top, l->Width(), l->Height());
    l->SetHint(kTimeHint);
    l->SetPopupMenu(PopupMenu2);  // the clock's menu over every part of the face
    return l;
  };
  Label1 = label(11, 23, false);
  Label1->SetHint("Это сегодняшнее число");
  Label2 = label(11, 50, true);
  Label3 = label(11, 50, true);
  Label4 = label(11, 50, true);
  // The time labels always hold numbers, so padding them never fails before the first refresh.
  for (ui::TLabel* l : {Label2, Label3, Label4}) l->SetCaption("0");
  Label5 = label(11, 11, true);
  Label6 = label(11, 11, true);
  Label5->SetCaption("--:");
  Label6->SetCaption("--:");

  auto button = [this](int left) {
    auto* b = new ui::TImage(this);
    b->SetParent(this);
    b->Transparent = true;
    b->AutoSize = true;
    b->SetBounds(left, 11, 11, 11);
    return b;
  };
  MinimBut = button(161);
  CloseBut = button(181);
  MinimBut->SetAccessibleName("Свернуть в трей");
  CloseBut->SetAccessibleName("Закрыть");
  MinimBut->AccessibleRole = CloseBut->AccessibleRole = ui::TAccessibleRole::kButton;

  Timer2 = new ui::TTimer(this);
  Timer2->SetInterval(800);
  Timer2->OnTimer = std::bind(&TForm1::Timer2Timer, this, _1);
  MediaPlayer1 = &files.MediaPlayer();

  Timer1->OnTimer = std::bind(&TForm1::Timer1Timer, this, _1);
  N4->OnClick = std::bind(&TForm1::N4Click, this, _1);
  N19->OnClick = std::bind(&TForm1::N19Click, this, _1);
  N5->OnClick = std::bind(&TForm1::N5Click, this, _1);
  N11->OnClick = std::bind(&TForm1::N11Click, this, _1);
  N18->OnClick = std::bind(&TForm1::N18Click, this, _1);
  BindTemplates();
  BuildStopwatchDesign();
  BuildChromeDesign();
  OnKeyDown = std::bind(&TForm1::FormKeyDown, this, _1, _2, _3);
  OnCreate = std::bind(&TForm1::FormCreate, this, _1);
  OnClose = std::bind(&TForm1::FormClose, this, _1, _2);
  OnDestroy = std::bind(&TForm1::FormDestroy, this, _1);

  // The notification-area icon, shown while the program is hidden in the tray. Its picture
  // is the program's 16 x 16 tray bitmap; without it the icon shows the program's own icon.
  if (auto bytes = platform_.programResources().Data("TRAYICON"))
    if (auto picture = resources::DecodeBmp(*bytes)) ImageList1->Add(*picture);
  TrayIcon1->SetPopupMenu(PopupMenu2);
  TrayIcon1->SetHide(true);
  TrayIcon1->SetRestoreOn(tray::TTrayIconMessage::imDoubleClick);
  TrayIcon1->SetPopupMenuOn(tray::TTrayIconMessage::imRightClickUp);
  TrayIcon1->SetIcons(ImageList1);
  TrayIcon1->SetIconIndex(0);
  TrayIcon1->SetAnimate(false);
  TrayIcon1->Loaded();
}

void TForm1::SetMenuBitmap(ui::TMenuItem* item, const std::string& name) { item->Bitmap = files.LibraryPicture(name); }

std::string TForm1::TimeText() {
  return clockface::FormatPicture(platform_.clock().LongTimeFormat(), platform_.clock().Now());
}

std::string TForm1::DateText() {
  return clockface::FormatPicture(platform_.clock().ShortDateFormat(), platform_.clock().Now());
}

void TForm1::FormCreate(ui::TComponent*) {
  auto& widgets = ui::Application().Widgets();
  widgets.HideTaskbarButton();
  widgets.SetHintTiming(400, 1, 1410065408);
  ReloadCities();
  TrayIcon1->SetHint("Время " + TimeText() + " | Число " + DateText());

  config::Settings& config = files.Config();
  scheduler.LoadList();
  platform::StartupMark("event list read");

  skinName = config.ReadText("Clock", "skin", "default");
  skinIniPath = appDir + "skins\\" + skinName + "\\skin.ini";
  hideNulls = StartNumber("Clock", "HideNulls", 0);
  hideHourNulls = StartNumber("Clock", "HideHourNulls", 0);
  skinIni = std::make_unique<config::TIniFile>(skinIniPath);
  LoadStartSkin();
  platform::StartupMark("skin and its pictures read");

  if (!platform_.process().CreateSingleInstanceMutex("mtxUIV2")) EndWithMessage(kAlreadyRunningText);

  // Stored relative to the program folder when they lie in it; played from where they are now.
  const std::string beep = "Sound\\Beep.wav";
  midnightSoundFile = files.FullPath(config.ReadText("AckConfig", "MidnightFileAck", beep));
  hourSoundFile = files.FullPath(config.ReadText("AckConfig", "HourFileAck", beep));
  minuteSoundFile = files.FullPath(config.ReadText("AckConfig", "MinFileAck", beep));
  midnightBeepFreq = StartNumber("AckConfig", "MidnightAck", 0);
  hourBeepFreq = StartNumber("AckConfig", "HourAck", 0);
  minuteBeepFreq = StartNumber("AckConfig", "MinAck", 0);
  // A damaged transparency fades nothing in; the settings page reports it as it loads.
  try {
    alphaLevel = config.ReadInt("TranspConfig", "Alpha", 0);
  } catch (const config::EConvertError&) {
    alphaLevel = 0;
  }

  platform::StartupMark("configuration read");
  PlaceAtStart(config.ReadFlag("Position", "Save", true));

  ReadLastScan();
  RefreshBase();
  const platform::DateTime now = ReadClock();
  RefreshDate(now);
  RefreshTime(now);
  PadTimeLabels();  // the window opens with "09", not "9", before its first tick
  // The first tick, like every other, comes just after the next second begins, so that a
  // late first tick still falls into the second after this refresh.
  ArmClockTick(now);

  clockMode = 1;
  if (alphaLevel != 0) {
    SetAlphaBlend(true);
    SetAlphaBlendValue(1);
    // A timer of no interval would stop, and the window would stay all but invisible.
    Timer1->SetInterval(std::max(1, StartNumber("TranspConfig", "Speed", 15)));
    clockMode = 0;
    fadingIn = 1;
  }
  showInTitle = StartNumber("Clock", "showIntitle", 0);
  CheckPosition(865, 657, 30, 30);
  ReportDamagedNumbers();
}

int TForm1::StartNumber(const char* section, const char* key, int defaultValue) {
  try {
    return files.Config().ReadInt(section, key, defaultValue);
  } catch (const config::EConvertError&) {
    damagedAtStart_.push_back(std::string("[") + section + "] " + key);
    return defaultValue;
  }
}

void TForm1::ReportDamagedNumbers() {
  if (damagedAtStart_.empty()) return;
  std::string keys;
  for (const std::string& key : damagedAtStart_) keys += (keys.empty() ? "" : ", ") + key;
  damagedAtStart_.clear();
  platform_.dialogs().ShowMessageBox("В файле настроек не числа: " + keys +
                                         ". Вместо них взяты значения по умолчанию.",
                                     ui::Application().Title(), ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
}

void TForm1::FormClose(ui::TComponent*, ui::TCloseAction&) {
  for (ui::TForm* form : closedWithMain_) form->Close();
  // A position that cannot be saved (read-only file, missing folder) is reported, and the
  // program still closes.
  ui::Application().Guard([this] {
    config::Settings& config = files.Config();
    if (config.ReadFlag("Position", "Save", true)) {
      config.WriteString("Position", "X", std::to_string(Left()));
      config.WriteString("Position", "Y", std::to_string(Top()));
    }
  });
  SaveLastScan();
  files.ImageLib().Release();
  // Other programs' windows keep no trace of the clock.
  captions.RestoreAll();
  lastActiveWindow = 0;
}

void TForm1::FormDestroy(ui::TComponent*) {
  if (files.ImageLib().Loaded()) files.ImageLib().Release();
}

void TForm1::N4Click(ui::TComponent*) {
  if (Form2) Form2->ShowSettingsPage();
}

void TForm1::N8Click(ui::TComponent*) {
  if (Form2) Form2->ShowEventPage();
}

void TForm1::N5Click(ui::TComponent*) { SystemCommand(ui::SC_CLOSE_COMMAND); }
