// TForm1: the main clock window and the program's shared run-time state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chrome/button_looks.h"
#include "clock/caption_keeper.h"
#include "clock/media_player.h"
#include "clock/stopwatch.h"
#include "calendar/calendar_days.h"
#include "config/program_files.h"
#include "config/settings.h"
#include "events/actions.h"
#include "events/scheduler.h"
#include "platform/platform.h"
#include "tray/trayicon.h"
#include "ui/application.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/menus.h"
#include "ui/stdctrls.h"

class TForm9;
class TCalendarForm;

class TForm1 : public ui::TForm {
 public:
  // The program's files and the event engines belong to the program; the window uses them.
  TForm1(ui::TComponent* owner, platform::Platform& platform, config::ProgramFiles& files,
         events::Scheduler& scheduler, events::Actions& actions, events::EventStore& store);
  ~TForm1() override;

  // Components, in declaration order.
  tray::TTrayIcon* TrayIcon1;   // the notification-area icon, shown while the clock is hidden there
  ui::TImageList* ImageList1;   // the icon's 16 x 16 picture
  ui::TTimer* Timer1;           // the clock tick: 1000 ms, the fade-in's Speed, 10 ms for the stopwatch
  ui::TPopupMenu* PopupMenu1;   // the stopwatch menu, on Label2 while the stopwatch is shown
  ui::TMenuItem *N1, *N2, *N3;  // "Пуск", "Стоп", "Сброс"
  ui::TPopupMenu* PopupMenu2;   // the main menu of the window and the tray icon
  ui::TMenuItem* N4;            // "Настройки программы"
  ui::TMenuItem* N5;            // "Закрыть приложение"
  ui::TMenuItem* N6;            // "Свернуть в трей" / "Восстановить из трея"
  ui::TMenuItem* N7;            // separator
  ui::TLabel* Label1;           // the date, or the system uptime
  ui::TLabel* Label2;           // hours, or the stopwatch's first counter
  ui::TImage* MinimBut;         // the skinned minimise button
  ui::TImage* CloseBut;         // the skinned close button
  ui::TImage* Image1;           // the skin's background, filling the window
  ui::TTimer* Timer2;           // the start-up announcements, once, 800 ms after start
  clockface::TMediaPlayer* MediaPlayer1;  // the program's player of sound files
  ui::TMenuItem* N8;            // "Добавить событие"
  ui::TMenuItem* N19;           // "Календарь..."
  ui::TMenuItem *N9, *N10;      // separators
  ui::TMenuItem* N11;           // "Остановить выход из системы"
  ui::TMenuItem* N18;           // "Отложить на 10 минут", in the menu while a power countdown runs
  ui::TMenuItem* N12;           // "Шаблоны..."
  ui::TMenuItem* N13;           // "Выключение...", the power-off templates
  ui::TMenuItem *N14, *N51, *N101, *N151, *N201, *N301, *N451, *N15, *N901, *N21;  // 1 to 120 minutes
  ui::TMenuItem *N16, *N17;     // separators among the templates
  ui::TLabel* Label3;           // minutes, or the stopwatch's second counter
  ui::TLabel* Label4;           // seconds, or the stopwatch's third counter
  ui::TLabel *Label5, *Label6;  // the separators between hours, minutes and seconds

  // The program's files and engines.
  config::ProgramFiles& files;
  events::Scheduler& scheduler;
  events::Actions& actions;
  events::EventStore& store;

  // Run-time state shared with the other windows.
  std::string appDir, skinIniPath, skinName;
  std::unique_ptr<config::TIniFile> skinIni;
  std::string midnightSoundFile, hourSoundFile, minuteSoundFile;
  int midnightBeepFreq = 0, hourBeepFreq = 0, minuteBeepFreq = 0;
  int alphaLevel = 0;
  int hideNulls = 0, hideHourNulls = 0;
  int skinDateSize = 14;  // the skin's "DateSize"
  int showInTitle = 0;
  int clockMode = 0, stopwatchMode = 0, uptimeMode = 0, stopwatchRunning = 0;
  // The stopwatch's value, measured by the system's millisecond counter; stopwatchRunning says
  // whether it runs.
  clockface::Stopwatch stopwatch;
  int fadingIn = 0;
  int buttonPressed = 0, buttonLit = 0;
  // The time in the active window's caption: the foreground window now and at the previous
  // refresh, that window's own caption, and the caption written into it.
  platform::WindowHandle activeWindow = 0, lastActiveWindow = 0;
  std::string activeCaptionBuf, titleText;
  // Each window's own caption, remembered when the time is first written into it and given
  // back when the feature is switched off and when the program ends.
  clockface::CaptionKeeper captions;
  // Switches the caption feature; switched off, every window written to gets its own caption.
  void SetShowInTitle(int value);

  // Life cycle (app/main_window.cpp).
  void FormCreate(ui::TComponent* sender);
  void FormClose(ui::TComponent* sender, ui::TCloseAction& action);
  void FormDestroy(ui::TComponent* sender);
  void N4Click(ui::TComponent* sender);
  void N5Click(ui::TComponent* sender);

  // Skins (app/main_window_skin.cpp).
  void SkinRefresh();

  // Tick, time display and chimes (app/main_window_tick.cpp). The tick takes the time once and
  // hands that moment to the display, the chimes and the event scan; the overloads without
  // it take the time themselves.
  void Timer1Timer(ui::TComponent* sender);
  void RefreshDate();
  void RefreshDate(const platform::DateTime& now);
  void RefreshTime();
  void RefreshTime(const platform::DateTime& now);
  // The tray hint's text of the moment: "Время <time> | Число <date>".
  std::string TimeHint(const platform::DateTime& now);
  // What runs every second whatever the face shows (the clock, the stopwatch or the uptime):
  // the time in the active window's caption and the event check.
  void KeepTimeRunning(const platform::DateTime& now, const std::string& hint);
  // The event check of each time refresh: runs the events due in the second `now`. Until
  // every window of the program exists (a reminder needs its window) the check is held back.
  void ScanEvents(const platform::DateTime& now);
  // Reads the clock once for a refresh: the local time, keeping the UTC offset that goes with
  // it for the scan and the countdown.
  platform::DateTime ReadClock();
  // Called by the program once all its windows exist: runs the check held back since the
  // start-up refresh, and every later one at once.
  void StartScanning();
  // The windows that close when this one closes (settings, reminder, birthday, holiday),
  // handed over by the program that made them.
  void SetWindowsClosedWithMain(std::vector<ui::TForm*> windows) { closedWithMain_ = std::move(windows); }

  // Events, carried out by the program's scheduler and actions.
  void RefreshBase() { scheduler.Reload(); }
  void SearchRun(const std::string& number) { actions.Run(number); }
  void Shutdown(int mode) { actions.Shutdown(mode); }
  void N11Click(ui::TComponent*) {
    actions.AbortShutdown();
    RefreshDate();
  }

  // The power countdown on the face (app/main_window_countdown.cpp). What the date label shows
  // at `now`: the time left of a restart or power-off the program started, else the date; the
  // countdown is forgotten once its time is over, and N18 is in the menu while it runs.
  std::string DateOrCountdown(const platform::DateTime& now);
  // The date label's font size for `text`: the skin's, or for a countdown the largest that
  // keeps it clear of the skin's buttons.
  int DateFontSize(const std::string& text);
  // "Отложить на 10 минут": the countdown is aborted and the same action stored 10 minutes on.
  void N18Click(ui::TComponent* sender);

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
  // A label moves the clock like the face once the pointer goes a few pixels with the left
  // button held; a press released where it began stays a click of the label.
  void LabelMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void LabelMouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void LabelMouseUp(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void CloseButMouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void MinimButMouseMove(ui::TComponent* sender, ui::TShiftState shift, int x, int y);
  void CloseButMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void MinimButMouseDown(ui::TComponent* sender, ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  void CloseButMouseLeave(ui::TComponent* sender);
  void MinimButMouseLeave(ui::TComponent* sender);
  void CloseButClick(ui::TComponent* sender);
  void MinimButClick(ui::TComponent* sender);
  void TrayIcon1Click(ui::TComponent* sender);
  // The tray toggle: hides the program to its notification-area icon or brings it back, and
  // switches the caption and picture of N6 to match.
  void N6Click(ui::TComponent* sender);
  // Hide the program and show the icon / bring it back and remove the icon; N6 is left as it is.
  void Minimize();
  void Restore();
  // For a reminder or a birthday: back from the tray if hidden there, and to the front.
  void BringBack();
  // "Добавить событие": the settings window on its first page.
  void N8Click(ui::TComponent* sender);

  // The clock's keys (app/main_window_keys.cpp).
  void FormKeyDown(ui::TComponent* sender, unsigned& key, ui::TShiftState shift);
  void OpenMenuFromKeyboard();
  void OpenEventPage();
  void HideToTray();
  // The face's accessible name: the time and date it shows (or the stopwatch, the uptime).
  void UpdateFaceName();
  // At start: the stored skin, or the default skin with one message when it cannot be loaded.
  void LoadStartSkin();
  // The file a picture key of the current skin names (app/main_window_skin.cpp).
  std::string SkinPicturePath(const config::TIniSnapshot& skin, const char* key, const char* fallback);
  // A skin's picture for the clock's density: from 150 % on its "@2x" file beside it if the
  // skin has one (a picture drawn at twice the size), else the file itself.
  ui::Image LoadSkinPicture(const std::string& path);

  // Quick power-off templates (app/main_window_templates.cpp): a one-time power-off event
  // `minutes` from now, stored straight in the event store whatever the settings window shows.
  // The user is then told when the computer will be powered off.
  void SchemeAdd(int minutes);
  // "Компьютер будет выключен в <time>": a balloon of the tray icon while the clock is hidden
  // there, a message box otherwise.
  void AnnouncePowerOff(const std::string& time);

  // Start-up announcements (app/main_window_announcements.cpp): Timer2's single run after start.
  void Timer2Timer(ui::TComponent* sender);

  // Missed events and the computer's power state (app/main_window_missed.cpp).
  // Reads [Clock] LastScan: the scheduler goes on from the second the last run examined.
  void ReadLastScan();
  // Stores the scheduler's last examined second as [Clock] LastScan; a refused write is let go.
  void SaveLastScan();
  // After each scan: the stamp every ten minutes, and the report of missed events.
  void AfterScan(const platform::DateTime& now);
  // Shows the events found in gaps in the missed events window, once the start-up
  // announcements are over, unless [Clock] ReportMissed is "0".
  void ReportMissed();
  // The missed events window, made at its first use; set by the program.
  std::function<TForm9*()> missedWindow;

  // The calendar (app/main_window_calendar.cpp): "Календарь..." and Ctrl+K open it beside the
  // clock (a second Ctrl+K closes it); the window is made at its first use, by the program.
  void N19Click(ui::TComponent* sender);
  void OpenCalendar();
  std::function<TCalendarForm*()> calendarWindow;
  // The other cities' clocks under the time in the tray icon's hint; read at start and again
  // when the settings page changed them.
  void ReloadCities();
  std::string TrayHint(const platform::DateTime& now, const std::string& timeHint);
  // What the system tells the program: sleep, waking up, a new system time, the session's end.
  void SystemNoticed(ui::SystemNotice notice);
  // The display, the date and the uptime brought up to date at once, and the next tick armed
  // from now.
  void RefreshNow();

  // Texts of the current time and date in the user's formats.
  std::string TimeText();
  std::string DateText();

  platform::Platform& Platform() { return platform_; }

 private:
  void BuildDesign();
  void BindTemplates();
  void SetMenuBitmap(ui::TMenuItem* item, const std::string& name);
  // Reads and applies the skin `name`; `keepOnScreen` holds the window to the screen's edges
  // when its size changes (app/main_window_skin.cpp).
  void ApplySkin(const std::string& name, bool keepOnScreen);
  // Shows a fatal error (library missing, second instance) and ends the process with code 0.
  [[noreturn]] void EndWithMessage(const char* text);
  // Tick and stopwatch helpers (app/main_window_tick.cpp, app/main_window_stopwatch.cpp).
  void ArmClockTick(const platform::DateTime& now);
  void PadTimeLabels();
  void BuildStopwatchDesign();
  // The time labels' hint and menu for what they show now: the time or the stopwatch.
  void ShowTimeLabelsMode();
  // Chrome helpers (app/main_window_chrome.cpp).
  void BuildChromeDesign();
  void LoadButtonPicture(ui::TImage* button, const char* key, const char* fallback);
  // The clock came onto a monitor of another density: its pictures are read again for it.
  void FormDpiChanged(ui::TComponent* sender);
  // Where the clock opens: its stored place, or the lower right corner of the primary monitor;
  // a place on no monitor comes onto the nearest one.
  void PlaceAtStart(bool useStored);
  // A number of the configuration read at start: one that is not a number gives `defaultValue`
  // and is named in one message at the end of the start, so a damaged file never stops the clock.
  int StartNumber(const char* section, const char* key, int defaultValue);
  void ReportDamagedNumbers();
  std::vector<std::string> damagedAtStart_;
  // Shows the buttons' pictures for `next` (reading again the hover picture of `hovered`) and
  // keeps it; a picture that does not load leaves the looks and flags as they were.
  void ShowButtonLooks(const chrome::ButtonLooks& next, std::optional<chrome::SkinButton> hovered = std::nullopt);
  chrome::ButtonLooks buttonLooks_;
  // Where the left button went down on a label (in its own coordinates), until it goes up or
  // the press becomes a move.
  std::optional<ui::TPoint> labelPress_;
  platform::Platform& platform_;
  // The event check held back during start-up, and whether it runs now.
  bool scanning_ = false;
  std::optional<platform::DateTime> heldScan_;
  // The UTC offset of the last clock reading (ReadClock), in seconds.
  int utcOffset_ = 0;
  // The second whose chimes have sounded: a second chimes once however often it is refreshed.
  std::int64_t chimedSecond_ = -1;
  // The second for which the caption and the event check ran last.
  std::int64_t keptSecond_ = -1;
  std::vector<calendar::City> cities_;
  // Whether the start-up announcements are over (the missed events are reported after them),
  // and the serial second at which LastScan was last written.
  bool announced_ = false;
  std::optional<std::int64_t> stampWritten_;
  std::vector<ui::TForm*> closedWithMain_;
  // What screen readers were last told of the face (clockface::FaceAnnouncementKey).
  std::string announcedFace_;
};

// The single main window; other windows reach the shared state through it.
extern TForm1* Form1;

// Messages the program shows.
extern const char* const kLibraryMissingText;
extern const char* const kAlreadyRunningText;
