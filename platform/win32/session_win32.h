// The shell and the session services on Windows: ShellExecute, the shutdown privilege,
// ExitWindowsEx and InitiateSystemShutdown.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"

namespace platform {

class Win32Shell : public Shell {
 public:
  int Execute(const std::string& verb, const std::string& file, const std::string& parameters,
              const std::string& directory, int showCommand) override;
  bool OpenDocument(const std::string& file) override;
  // Names the window that owns whatever the shell shows (an error, a choice of program): the
  // program's main window, asked for at each request; no owner until one is set.
  void SetOwner(std::function<WindowHandle()> owner);

 private:
  std::function<WindowHandle()> owner_;
};

class Win32Session : public Session {
 public:
  ~Win32Session() override;
  bool OpenProcessToken() override;
  unsigned long EnableShutdownPrivilege() override;
  void LogOff(unsigned flags) override;
  void RequestShutdown(const std::string& message, int timeoutSeconds, bool force, bool reboot) override;

 private:
  void CloseToken();
  void* token_ = nullptr;
};

}  // namespace platform
