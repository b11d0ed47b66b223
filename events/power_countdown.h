// The system's countdown before a restart or power-off the program asked for: when it ends,
// and what the clock face shows while it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace events {

struct PowerCountdown {
  bool reboot = false;      // a restart, else a power-off
  std::int64_t endsAt = 0;  // the serial second (events::SerialSecond) in which the system acts
};

// The countdown a request of `timeoutSeconds` made at `now` starts; none for no time at all.
std::optional<PowerCountdown> StartCountdown(bool reboot, int timeoutSeconds, const platform::DateTime& now);

// Whole seconds left at `now`; 0 or less once the countdown is over.
std::int64_t SecondsLeft(const PowerCountdown& countdown, const platform::DateTime& now);

// The time left as "0:45", "12:05" or, from an hour on, "1:02:03".
std::string RemainingText(std::int64_t seconds);

// What the face shows in the date's place: "Выключение через 0:45" or "Перезагрузка через
// 0:45"; empty when there is no countdown or it is over.
std::string CountdownText(const std::optional<PowerCountdown>& countdown, const platform::DateTime& now);

// The stored event type that does the same again: "3" a restart, "4" a power-off.
const char* CountdownEventType(const PowerCountdown& countdown);

// How far "Отложить на 10 минут" puts the action off.
inline constexpr int kPostponeMinutes = 10;

}  // namespace events
