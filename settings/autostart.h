// Starting the program with Windows: the value "Horavo v3.0" in the system's run lists.
//
// The per-machine list needs administrator rights to change. Without them the value goes into
// the current user's list instead, so the check box works for every user; switching it off
// removes the value from both lists.
#pragma once

#include <optional>
#include <string>

namespace settings {

// Which run list a value lives in: the computer's (every user) or the current user's.
enum class RunScope { Machine, User };

// The system's lists of programs started at log-on, as far as autostart needs them.
class RunList {
 public:
  virtual ~RunList() = default;
  // The value's text; nothing when the list or the value is missing or cannot be read.
  virtual std::optional<std::string> Read(RunScope scope, const std::string& name) = 0;
  // Stores the value; false when the system refuses (no rights, list missing).
  virtual bool Write(RunScope scope, const std::string& name, const std::string& value) = 0;
  // Removes the value; true when it is gone afterwards, which includes a value that was never there.
  virtual bool Remove(RunScope scope, const std::string& name) = 0;
};

// The name of the program's value in the run lists.
inline constexpr const char* kRunValueName = "Horavo v3.0";

// The command the run lists hold for the program in `appDir` (with its trailing separator). The
// file name is fixed, whatever the running program file is called.
std::string RunCommand(const std::string& appDir);

// True when either list holds the program's command; paths compare without regard to case.
bool AutostartOn(RunList& runList, const std::string& appDir);

struct AutostartResult {
  bool on;  // whether the program starts with Windows afterwards
  bool asked;  // whether that is what was asked for
};

// Switches autostart on (the per-machine list, else the per-user one) or off (removed from
// both), then reads back what the lists hold. When the per-machine value is written, a per-user
// one is removed, so the program is not started twice.
AutostartResult SetAutostart(RunList& runList, const std::string& appDir, bool on);

// The message shown when the lists could not be changed as asked.
std::string AutostartRefusedMessage(bool askedOn);

}  // namespace settings
