// The system's common dialogs and the run keys of the registry on Windows.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class Win32CommonDialogs : public CommonDialogs {
 public:
  std::optional<std::string> OpenFile(const OpenFileOptions& options) override;
  std::optional<std::string> OpenPicture(const OpenFileOptions& options) override;
  std::optional<std::string> SaveFile(const OpenFileOptions& options) override;
  std::optional<TColor> ChooseColor(TColor start) override;

 private:
  unsigned long customColors_[16] = {};
};

class Win32AutostartRegistry : public AutostartRegistry {
 public:
  RegistryResult Read(RunKeyScope scope, const std::string& name, std::string& value) override;
  RegistryResult Write(RunKeyScope scope, const std::string& name, const std::string& value) override;
  RegistryResult Delete(RunKeyScope scope, const std::string& name) override;
};

}  // namespace platform
