// The names of the event types as the program shows them: in the event list, on the editor's
// action pages and in the firing log.
#pragma once

#include <array>
#include <string>

namespace events {

// The names of the seven types, indexed by the stored type.
inline constexpr std::array<const char*, 7> kTypeNames = {
    "Сигнал", "Любой файл", "Завершение сеанса", "Перезагрузка", "Выключение", "Напоминание текстом",
    "День рождения/праздник"};

// The name shown for a stored type: the type's name for "0" to "6" (as integers, so " 5" and
// "05" too), the stored text itself for anything else, so a damaged entry stays visible.
std::string TypeName(const std::string& storedType);

}  // namespace events
