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

// Whether the key holds a value of the program's name, whatever its command.
bool HasValue(platform::AutostartRegistry& registry, RunKeyScope scope) {
  std::string value;
  return registry.Read(scope, kRunValueName, value) == RegistryResult::kOk;
}

RunKeyScope Other(RunKeyScope scope) {
  return scope == RunKeyScope::kMachine ? RunKeyScope::kUser : RunKeyScope::kMachine;
}

}  // namespace

std::string RunCommand(const std::string& appDir) { return appDir + "Horavo.exe"; }

bool AutostartOn(platform::AutostartRegistry& registry, const std::string& appDir) {
  const auto command = RunCommand(appDir);
  return Holds(registry, RunKeyScope::kMachine, command) || Holds(registry, RunKeyScope::kUser, command);
}

RunKeyScope AutostartScope(platform::AutostartRegistry& registry, RunKeyScope fallback) {
  return HasValue(registry, RunKeyScope::kMachine) ? RunKeyScope::kMachine : fallback;
}

AutostartResult SetAutostart(platform::AutostartRegistry& registry, const std::string& appDir, bool on,
                             RunKeyScope preferred) {
  const std::string command = RunCommand(appDir);
  if (on) {
    // The key that holds the value keeps it: a per-user start is never widened to every user,
    // nor one for every user narrowed, and the program is not entered twice.
    const RunKeyScope first = HasValue(registry, RunKeyScope::kMachine) ? RunKeyScope::kMachine
                              : HasValue(registry, RunKeyScope::kUser)  ? RunKeyScope::kUser
                                                                        : preferred;
    if (registry.Write(first, kRunValueName, command) != RegistryResult::kOk)
      registry.Write(Other(first), kRunValueName, command);
  } else {
    for (RunKeyScope scope : {RunKeyScope::kMachine, RunKeyScope::kUser})
      if (Holds(registry, scope, command)) registry.Delete(scope, kRunValueName);
  }
  const bool machine = Holds(registry, RunKeyScope::kMachine, command);
  const bool nowOn = machine || Holds(registry, RunKeyScope::kUser, command);
  return {nowOn, nowOn == on, machine ? RunKeyScope::kMachine : RunKeyScope::kUser};
}

std::string AutostartRefusedMessage(bool askedOn) {
  if (askedOn)
    return "Не удалось включить запуск вместе с Windows: система не разрешила записать программу в список "
           "автозапуска.";
  return "Не удалось отключить запуск вместе с Windows: система не разрешила удалить программу из списка "
         "автозапуска. Запись для всех пользователей может удалить только администратор.";
}

}  // namespace settings
