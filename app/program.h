// The program's entry: creates the application and its eight windows and runs the message loop.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "ui/application.h"
#include "ui/widgetset.h"

namespace app {

// One running program instance; tests build it over the headless backend and fake platform.
class Program {
 public:
  Program(platform::Platform& platform, ui::WidgetSet& widgets);
  ~Program();
  // Creates the eight windows in order and shows the main one.
  void Start();
  // Runs the message loop until the main window closes.
  void Run();
  ui::TApplication& Application() { return *application_; }

 private:
  platform::Platform& platform_;
  std::unique_ptr<ui::TApplication> application_;
};

// Start and Run; returns the process exit code.
int RunProgram(platform::Platform& platform, ui::WidgetSet& widgets);

}  // namespace app
