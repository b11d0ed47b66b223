// The operating-system services of the Windows build.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace platform {

class Win32Platform : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

  Clock& clock() override;
  Dialogs& dialogs() override;
  Process& process() override;
  std::unique_ptr<ResourceLibrary> NewResourceLibrary() override;
  ProgramResources& programResources() override;
  NotifyArea& notifyArea() override;
  Sound& sound() override;
  Desktop& desktop() override;
  Shell& shell() override;
  Session& session() override;
  CommonDialogs& commonDialogs() override;
  AutostartRegistry& autostartRegistry() override;
  Monitors& monitors() override;

 private:
  struct Services;
  std::unique_ptr<Services> services_;
};

}  // namespace platform
