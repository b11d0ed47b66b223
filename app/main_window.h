// TForm1: the main clock window and the program's shared run-time state.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clock/media_player.h"
#include "config/ini.h"
#include "events/scheduler.h"
#include "platform/platform.h"
#include "tray/trayicon.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/menus.h"
#include "ui/stdctrls.h"

class TForm1 : public ui::TForm {
 public:
  TForm1(ui::TComponent* owner, platform::Platform& platform);
  ~TForm1() override;

  // Components, in declaration order.
  tray::TTrayIcon* TrayIcon1;
  ui::TImageList* ImageList1;
  ui::TTimer* Timer1;
  ui::TPopupMenu* PopupMenu1;
  ui::TMenuItem *N1, *N2, *N3;
  ui::TPopupMenu* PopupMenu2;
  ui::TMenuItem *N4, *N5, *N6, *N7;
  ui::TLabel *Label1, *Label2;
  ui::TImage *MinimBut, *CloseBut, *Image1;
  ui::TTimer* Timer2;
  clockface::TMediaPlayer* MediaPlayer1;
  ui::TMenuItem *N8, *N9, *N10, *N11, *N12, *N13, *N14, *N51, *N101, *N151, *N201, *N301, *N451, *N15, *N901, *N21,
      *N16, *N17;
  ui::TLabel *Label3, *Label4, *Label5, *Label6;

  // Run-time state shared with the other windows.
  std::string appDir, configPath, gearIniPath, skinIniPath, skinName;
  std::unique_ptr<config::TIniFile> configIni, gearIni, skinIni;
  std::unique_ptr<platform::ResourceLibrary> imageLib;
  std::string midnightSoundFile, hourSoundFile, minuteSoundFile;
  int midnightBeepFreq = 0, hourBeepFreq = 0, minuteBeepFreq = 0;
  int alphaLevel = 0;
  int hideNulls = 0, hideHourNulls = 0;
  int showInTitle = 0;
  int clockMode = 0, stopwatchMode = 0, uptimeMode = 0, stopwatchRunning = 0;
  double stopwatchTime = 0;
  int fadingIn = 0;
  int buttonPressed = 0, buttonLit = 0;
  // The time in the active window's caption: the foreground window now and at the previous
  // refresh, that window's own caption, and the caption written into it.
  platform::WindowHandle activeWindow = 0, lastActiveWindow = 0;
  std::string activeCaptionBuf, titleText;
  std::vector<std::string> eventNames, baseNames, eventTimes, eventDates;

  // Life cycle (app/main_window.cpp).
  void FormCreate(ui::TComponent* sender);
  void FormClose(ui::TComponent* sender, ui::TCloseAction& action);
  void FormDestroy(ui::TComponent* sender);
  void N4Click(ui::TComponent* sender);
  void N5Click(ui::TComponent* sender);
  void RefreshBase();

  // Skins (app/main_window_skin.cpp).
  void SkinRefresh();

  // Tick, time display and chimes (app/main_window_tick.cpp).
  void Timer1Timer(ui::TComponent* sender);
  void RefreshDate();
  void RefreshTime();
  // The event check of each time refresh: runs the events due this second.
  void ScanEvents();

  // Events (events/scheduler.cpp, events/actions.cpp): the actions of a fired event, the
  // shutdown requests and the menu command that aborts a pending shutdown.
  void SearchRun(const std::string& number);
  void Shutdown(int mode);
  void N11Click(ui::TComponent* sender);
  // Run when the scan has removed a fired one-time event from the store, so that a window
  // that lists the events can rebuild its list (the settings window's EventRefresh).
  std::function<void()> OnScanRemovedEvent;
  // The second in which each event fired last.
  events::FiredEvents firedEvents;

  // Stopwatch and uptime (app/main_window_stopwatch.cpp).
  void Label1Click(ui::TComponent* sender);
  void Label2Click(ui::TComponent* sender);
  void N1Click(ui::TComponent* sender);
  void N2Click(ui::TComponent* sender);
  void N3Click(ui::TComponent* sender);
  void TimerRefresh();
  void WorkRefresh();

  // Chrome: moving, snapping, buttons, tray toggle (app/main_window_chrome.cpp).
  void CheckPosition(int rightLimit, int bottomLimit, int leftLimit, int topLimit);
  void Image1MouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void Image1MouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void Image1DblClick(ui::TComponent* sender);
  void CloseButMouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void MinimButMouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void CloseButMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void MinimButMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void CloseButClick(ui::TComponent* sender);
  void MinimButClick(ui::TComponent* sender);
  void TrayIcon1Click(ui::TComponent* sender);
  // The tray toggle: hides the program to its notification-area icon or brings it back, and
  // switches the caption and picture of N6 to match.
  void N6Click(ui::TComponent* sender);
  // Hide the program and show the icon / bring it back and remove the icon; N6 is left as it is.
  void Minimize();
  void Restore();
  // "Добавить событие": the settings window on its first page.
  void N8Click(ui::TComponent* sender);
  // The file a picture key of the current skin names (app/main_window_skin.cpp).
  std::string SkinPicturePath(const char* key, const char* fallback);

  // Start-up announcements (app/main_window_announcements.cpp): Timer2's single run after start.
  void Timer2Timer(ui::TComponent* sender);

  // Texts of the current time and date in the user's formats.
  std::string TimeText();
  std::string DateText();

  platform::Platform& Platform() { return platform_; }

 private:
  void BuildDesign();
  void SetMenuBitmap(ui::TMenuItem* item, const std::string& name);
  // Shows a fatal error (library missing, second instance) and ends the process with code 0.
  [[noreturn]] void EndWithMessage(const char* text);
  // Tick and stopwatch helpers (app/main_window_tick.cpp, app/main_window_stopwatch.cpp).
  void ArmClockTick();
  void PadTimeLabels();
  void BuildStopwatchDesign();
  // Chrome helpers (app/main_window_chrome.cpp).
  void BuildChromeDesign();
  void LoadButtonPicture(ui::TImage* button, const char* key, const char* fallback);
  platform::Platform& platform_;
};

// The single main window; other windows reach the shared state through it.
extern TForm1* Form1;

// Messages the program shows.
extern const char* const kLibraryMissingText;
extern const char* const kAlreadyRunningText;
