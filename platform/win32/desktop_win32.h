// Other applications' windows on Windows: the foreground window and window captions.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class Win32Desktop : public Desktop {
 public:
  WindowHandle ForegroundWindow() override;
  bool WindowExists(WindowHandle window) override;
  std::string WindowCaption(WindowHandle window) override;
  void SetWindowCaption(WindowHandle window, const std::string& caption) override;
  void RestoreWindowCaption(WindowHandle window, const std::string& caption) override;
};

}  // namespace platform
