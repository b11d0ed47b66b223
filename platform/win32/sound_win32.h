// Beeps and sound files on Windows: the system's tone generator and an MCI device.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class Win32Sound : public Sound {
 public:
  ~Win32Sound() override;
  void Beep(int frequency, int durationMs) override;
  void PlayFile(const std::string& path) override;

 private:
  void Close();
  bool open_ = false;
};

}  // namespace platform
