#include "settings/autostart.h"

namespace settings {

namespace {

using platform::RegistryResult;
using platform::RunKeyScope;

// Letter case folding of cp1251 text: Latin and Cyrillic letters, Ё included.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDF) return c + 32;
  if (c == 0xA8) return 0xB8;
  return c;
}

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool Holds(platform::AutostartRegistry& registry, RunKeyScope scope, const std::string& command) {
  std::string value;
  return registry.Read(scope, kRunValueName, value) == RegistryResult::kOk && SamePath(value, command);
}

}  // namespace

std::string RunCommand(const std::string& appDir) { return appDir + "Horavo.exe"; }

bool AutostartOn(platform::AutostartRegistry& registry, const std::string& appDir) {
  const auto command = RunCommand(appDir);
  return Holds(registry, RunKeyScope::kMachine, command) || Holds(registry, RunKeyScope::kUser, command);
}

AutostartResult SetAutostart(platform::AutostartRegistry& registry, const std::string& appDir, bool on) {
  if (on) {
    if (registry.Write(RunKeyScope::kMachine, kRunValueName, RunCommand(appDir)) == RegistryResult::kOk)
      registry.Delete(RunKeyScope::kUser, kRunValueName);
    else
      registry.Write(RunKeyScope::kUser, kRunValueName, RunCommand(appDir));
  } else {
    registry.Delete(RunKeyScope::kMachine, kRunValueName);
    registry.Delete(RunKeyScope::kUser, kRunValueName);
  }
  const bool nowOn = AutostartOn(registry, appDir);
  return {nowOn, nowOn == on};
}

std::string AutostartRefusedMessage(bool askedOn) {
  if (askedOn)
    return "Не удалось включить запуск вместе с Windows: система не разрешила записать программу в список "
           "автозапуска.";
  return "Не удалось отключить запуск вместе с Windows: система не разрешила удалить программу из списка "
         "автозапуска. Запись для всех пользователей может удалить только администратор.";
}

}  // namespace settings
