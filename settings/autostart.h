// Starting the program with Windows: the value "Horavo v3.0" in the system's run keys.
//
// The value stays in the key that holds it: the per-user run key unless the program was
// already set to start for every user through the per-machine key (which needs administrator
// rights to change). Reading the state writes nothing; only a change asked for by the user
// does. Switching it off removes the program's value from every key that holds it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace settings {

// The name of the program's value in the run keys.
inline constexpr const char* kRunValueName = "Horavo v3.0";

// The command the run keys hold for the program in `appDir` (with its trailing separator). The
// file name is fixed, whatever the running program file is called.
std::string RunCommand(const std::string& appDir);

// True when either run key holds the program's command; paths compare without regard to case.
bool AutostartOn(platform::AutostartRegistry& registry, const std::string& appDir);

// The key the value goes to when the user switches autostart on: the per-machine key when it
// holds a value of the program's name (whatever its command), otherwise `fallback`. Reads only.
platform::RunKeyScope AutostartScope(platform::AutostartRegistry& registry, platform::RunKeyScope fallback);

struct AutostartResult {
  bool on;     // whether the program starts with Windows afterwards
  bool asked;  // whether that is what was asked for
  platform::RunKeyScope scope;  // where the value now stands (the per-user key when nowhere)
};

// Switches autostart on or off, then reads back what the keys hold.
// On: writes the program's command into the key that holds a value of its name (the per-machine
// key first), or into `preferred` when neither does; a refused key falls back to the other one.
// Off: removes the value from each key that holds the program's command; the others are not
// touched.
AutostartResult SetAutostart(platform::AutostartRegistry& registry, const std::string& appDir, bool on,
                             platform::RunKeyScope preferred = platform::RunKeyScope::kUser);

// The message shown when the run keys could not be changed as asked.
std::string AutostartRefusedMessage(bool askedOn);

}  // namespace settings
