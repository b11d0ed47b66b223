// The actions of fired events: a tone, opening a file, a text reminder, and the requests to
// log off, restart or power off; and the command that aborts a pending shutdown.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "config/settings.h"
#include "events/event_store.h"
#include "events/power_countdown.h"
#include "platform/platform.h"

namespace events {

class Actions {
 public:
  // Shows a reminder whose text is in `textFile`. Raises events::ActionUnavailable when no
  // reminder can be shown yet.
  using ShowReminder = std::function<void(const std::string& textFile)>;
  // The [Shutdown] keys of `settings` are read at each request.
  Actions(platform::Platform& platform, const EventStore& store, const config::Settings& settings,
          ShowReminder showReminder);

  // Carries out the action of event `number` by its stored type. Failures (a value that does
  // not convert, a text that cannot be loaded) propagate to the caller.
  void Run(const std::string& number);
  // Requests a log-off (1), restart (2) or power-off (3). The right to end the system is asked
  // for first; a refusal is reported in a message box and the request is made all the same.
  void Shutdown(int mode);
  // Runs the system's shutdown tool to abort a countdown in progress; the countdown is over.
  void AbortShutdown();

  // The countdown the last restart or power-off request started, until it is aborted or
  // EndCountdown is called; the program cannot learn of an abort by anyone else.
  const std::optional<PowerCountdown>& Countdown() const { return countdown_; }
  void EndCountdown() { countdown_.reset(); }
  // Raised when a restart or power-off request has started a countdown.
  std::function<void()> OnCountdownStarted;

 private:
  platform::Platform& platform_;
  const EventStore& store_;
  const config::Settings& settings_;
  ShowReminder showReminder_;
  std::optional<PowerCountdown> countdown_;
};

}  // namespace events
