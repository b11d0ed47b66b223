// The system's countdown before a restart or power-off the program asked for: when it ends,
// and what the clock face shows while it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace events {

// The countdown runs in real time: a change of the UTC offset (summer time) on the way neither
// lengthens nor ends it. Each `now` below is a local time `utcOffset` seconds ahead of UTC.
struct PowerCountdown {
  bool reboot = false;      // a restart, else a power-off
  std::int64_t endsAt = 0;  // the second in which the system acts, counted in UTC like SerialSecond
};

// The countdown a request of `timeoutSeconds` made at `now` starts; none for no time at all.
std::optional<PowerCountdown> StartCountdown(bool reboot, int timeoutSeconds, const platform::DateTime& now,
                                             int utcOffset = 0);

// Whole seconds left at `now`; 0 or less once the countdown is over.
std::int64_t SecondsLeft(const PowerCountdown& countdown, const platform::DateTime& now, int utcOffset = 0);

// The time left as "0:45", "12:05" or, from an hour on, "1:02:03".
std::string RemainingText(std::int64_t seconds);

// What the face shows in the date's place: "Выключение через 0:45" or "Перезагрузка через
// 0:45"; empty when there is no countdown or it is over.
std::string CountdownText(const std::optional<PowerCountdown>& countdown, const platform::DateTime& now,
                          int utcOffset = 0);

// The stored event type that does the same again: "3" a restart, "4" a power-off.
const char* CountdownEventType(const PowerCountdown& countdown);

// How far "Отложить на 10 минут" puts the action off.
inline constexpr int kPostponeMinutes = 10;

}  // namespace events
