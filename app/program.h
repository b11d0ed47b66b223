// The program's entry: creates the application and its eight windows and runs the message loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"

#include "platform/platform.h"
#include "settings/settings_window.h"
#include "ui/application.h"
#include "ui/widgetset.h"

namespace clockface {
class TMediaPlayer;
}
namespace config {
class ProgramFiles;
}
namespace events {
class EventStore;
class Scheduler;
class Actions;
class FiringLog;
}  // namespace events

class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm9;
class TCalendarForm;
struct CalendarLinks;

namespace app {

// One running program instance; tests build it over the headless backend and fake platform.
// It owns the program's files and the event engines, and hands them to the windows.
class Program {
 public:
  Program(platform::Platform& platform, ui::WidgetSet& widgets);
  ~Program();
  // Creates the eight windows in order and shows the main one.
  void Start();
  // Runs the message loop until the main window closes.
  void Run();
  ui::TApplication& Application() { return *application_; }
  config::ProgramFiles& Files() { return *files_; }
  events::EventStore& Store() { return *store_; }
  events::Scheduler& Scheduler() { return *scheduler_; }
  events::Actions& Actions() { return *actions_; }
  // Carries out a command of the command line on this instance's store and scan.
  CommandAnswer RunCommand(const Command& command);

 private:
  // Shows a fired reminder: the program comes back from the tray and to the front, and the
  // reminder window shows the text.
  void ShowReminder(const std::string& textFile);
  // What the settings window may ask of the main window and the notice windows.
  SettingsLinks SettingsWindowLinks();
  CalendarLinks CalendarWindowLinks();
  // The windows made later close with the clock too.
  void CloseLateWindowsWithMain();

  platform::Platform& platform_;
  // Declared before the application, so that they outlive the windows that use them.
  std::unique_ptr<clockface::TMediaPlayer> mediaPlayer_;
  std::unique_ptr<config::ProgramFiles> files_;
  std::unique_ptr<events::EventStore> store_;
  std::unique_ptr<events::Actions> actions_;
  std::unique_ptr<events::Scheduler> scheduler_;
  std::unique_ptr<events::FiringLog> firingLog_;
  std::unique_ptr<ui::TApplication> application_;
  // The windows, as made by Start; they live as long as the application.
  TForm1* main_ = nullptr;
  TForm2* settings_ = nullptr;
  TForm3* reminder_ = nullptr;
  TForm4* birthday_ = nullptr;
  TForm5* holiday_ = nullptr;
  TForm6* about_ = nullptr;
  TForm9* missed_ = nullptr;
  TCalendarForm* calendar_ = nullptr;
};

// Start and Run; returns the process exit code. With a command in `args`, the copy of the
// program that runs already carries it out, or else this one; after "/remind" and "/poweroff"
// done here the program starts as usual, after the others it ends.
int RunProgram(platform::Platform& platform, ui::WidgetSet& widgets, const std::vector<std::string>& args = {});

}  // namespace app
