// Starting the program with Windows: the value "Horavo v3.0" in the system's run keys.
//
// The per-machine run key needs administrator rights to change. Without them the value goes
// into the current user's run key instead, so the check box works for every user; switching it
// off removes the value from both keys.
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

struct AutostartResult {
  bool on;     // whether the program starts with Windows afterwards
  bool asked;  // whether that is what was asked for
};

// Switches autostart on (the per-machine key, else the per-user one) or off (removed from both),
// then reads back what the keys hold. When the per-machine value is written, a per-user one is
// removed, so the program is not started twice at log-on.
AutostartResult SetAutostart(platform::AutostartRegistry& registry, const std::string& appDir, bool on);

// The message shown when the run keys could not be changed as asked.
std::string AutostartRefusedMessage(bool askedOn);

}  // namespace settings
