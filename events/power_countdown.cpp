#include "events/power_countdown.h"

#include <cstdio>

#include "events/next_firing.h"

namespace events {

std::optional<PowerCountdown> StartCountdown(bool reboot, int timeoutSeconds, const platform::DateTime& now,
                                             int utcOffset) {
  if (timeoutSeconds <= 0) return std::nullopt;
  return PowerCountdown{reboot, SerialSecond(now) - utcOffset + timeoutSeconds};
}

std::int64_t SecondsLeft(const PowerCountdown& countdown, const platform::DateTime& now, int utcOffset) {
  return countdown.endsAt - (SerialSecond(now) - utcOffset);
}

std::string RemainingText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[40];
  if (seconds >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600), int(seconds / 60 % 60),
                  int(seconds % 60));
  else
    std::snprintf(text, sizeof text, "%d:%02d", int(seconds / 60), int(seconds % 60));
  return text;
}

std::string CountdownText(const std::optional<PowerCountdown>& countdown, const platform::DateTime& now,
                          int utcOffset) {
  if (!countdown) return {};
  const std::int64_t left = SecondsLeft(*countdown, now, utcOffset);
  if (left <= 0) return {};
  return std::string(countdown->reboot ? "Перезагрузка через " : "Выключение через ") + RemainingText(left);
}

const char* CountdownEventType(const PowerCountdown& countdown) { return countdown.reboot ? "3" : "4"; }

}  // namespace events
