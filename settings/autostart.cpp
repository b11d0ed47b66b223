#include "settings/autostart.h"

namespace settings {

namespace {

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

bool Holds(RunList& runList, RunScope scope, const std::string& command) {
  auto value = runList.Read(scope, kRunValueName);
  return value && SamePath(*value, command);
}

}  // namespace

std::string RunCommand(const std::string& appDir) { return appDir + "Horavo.exe"; }

bool AutostartOn(RunList& runList, const std::string& appDir) {
  const auto command = RunCommand(appDir);
  return Holds(runList, RunScope::Machine, command) || Holds(runList, RunScope::User, command);
}

AutostartResult SetAutostart(RunList& runList, const std::string& appDir, bool on) {
  if (on) {
    if (runList.Write(RunScope::Machine, kRunValueName, RunCommand(appDir)))
      runList.Remove(RunScope::User, kRunValueName);
    else
      runList.Write(RunScope::User, kRunValueName, RunCommand(appDir));
  } else {
    runList.Remove(RunScope::Machine, kRunValueName);
    runList.Remove(RunScope::User, kRunValueName);
  }
  const bool nowOn = AutostartOn(runList, appDir);
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
