// The program's entry: creates the application and its eight windows and runs the message loop.
#pragma once

#include "platform/platform.h"
#include "ui/widgetset.h"

namespace app {

// Returns the process exit code.
int RunProgram(platform::Platform& platform, ui::WidgetSet& widgets);

}  // namespace app
