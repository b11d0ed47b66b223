// Recording fakes of the shell and the session services: nothing is opened, no session ends.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct ShellCall {
  std::string verb, file, parameters, directory;
  int showCommand;
};

class FakeShell : public Shell {
 public:
  int Execute(const std::string& verb, const std::string& file, const std::string& parameters,
              const std::string& directory, int showCommand) override;

  std::vector<ShellCall> calls;
  int result = 42;  // what the shell answers; above 32 means accepted
};

// Every request in the order made, as text: "OpenProcessToken", "EnableShutdownPrivilege",
// "LogOff <flags>", "Shutdown <timeout> force=<0|1> reboot=<0|1>" (the message in `messages`).
class FakeSession : public Session {
 public:
  bool OpenProcessToken() override;
  unsigned long EnableShutdownPrivilege() override;
  void LogOff(unsigned flags) override;
  void RequestShutdown(const std::string& message, int timeoutSeconds, bool force, bool reboot) override;

  std::vector<std::string> log;
  std::vector<std::string> messages;
  bool tokenOpens = true;            // false: the system refuses the token
  unsigned long privilegeError = 0;  // the last error after enabling the privilege
};

}  // namespace platform
