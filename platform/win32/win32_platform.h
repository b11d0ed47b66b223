// The operating-system services of the Windows build.
#pragma once

#include <functional>
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
  TimeZones& timeZones() override;
  CommandLink& commandLink() override;

  // The program's main window, which the services cannot know by themselves: it owns what the
  // shell shows. Asked for when needed, so it may be handed over before the window exists.
  void SetMainWindow(std::function<WindowHandle()> mainWindow);

 private:
  struct Services;
  std::unique_ptr<Services> services_;
};

}  // namespace platform
