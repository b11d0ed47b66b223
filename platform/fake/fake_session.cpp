#include "platform/fake/fake_session.h"

namespace platform {

int FakeShell::Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                       const std::string& directory, int showCommand) {
  calls.push_back({verb, file, parameters, directory, showCommand});
  return result;
}

bool FakeSession::OpenProcessToken() {
  log.push_back("OpenProcessToken");
  return tokenOpens;
}

unsigned long FakeSession::EnableShutdownPrivilege() {
  log.push_back("EnableShutdownPrivilege");
  return privilegeError;
}

void FakeSession::LogOff(unsigned flags) { log.push_back("LogOff " + std::to_string(flags)); }

void FakeSession::RequestShutdown(const std::string& message, int timeoutSeconds, bool force, bool reboot) {
  log.push_back("Shutdown " + std::to_string(timeoutSeconds) + " force=" + (force ? "1" : "0") +
                " reboot=" + (reboot ? "1" : "0"));
  messages.push_back(message);
}

}  // namespace platform
