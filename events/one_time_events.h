// One-time events the program adds by itself: a reminder put off from its window, and a
// restart or power-off put off from the clock face. They are stored as the event editor
// stores an addition (a fresh number, the keys in the stored order, a reminder's own text
// file) and enter the scan at once.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "events/actions.h"
#include "events/event_store.h"
#include "events/scheduler.h"
#include "platform/platform.h"

namespace events {

// The choices of the reminder window's "Отложить" menu, in menu order. "до завтра" is the same
// time of day tomorrow.
struct SnoozeChoice {
  const char* caption;
  int minutes;
};
inline constexpr std::array<SnoozeChoice, 6> kSnoozeChoices = {{{"на 5 минут", 5},
                                                                 {"на 10 минут", 10},
                                                                 {"на 15 минут", 15},
                                                                 {"на 30 минут", 30},
                                                                 {"на 1 час", 60},
                                                                 {"до завтра", 24 * 60}}};

// The moment `minutes` after `from`, across midnight, month and year ends; milliseconds are 0.
platform::DateTime MinutesAfter(const platform::DateTime& from, int minutes);

// What a one-time event added by the program holds.
struct OneTimeEvent {
  std::string type;       // "5" a reminder, "3" a restart, "4" a power-off
  platform::DateTime at;  // the second it fires in
  std::string text;       // a reminder's text file, byte for byte
};

// Stores `event` under a number drawn as the editor draws one (`draw` gives the generator's
// values; empty: the program's own generator), with its time and date written in the user's
// formats, then puts it into `scheduler`'s scan. Returns the number. Errors of the store
// (a file that cannot be written) propagate; the scan is then left as it was.
std::string AddOneTimeEvent(EventStore& store, Scheduler& scheduler, const OneTimeEvent& event,
                            const std::string& timePicture, const std::string& datePicture,
                            const std::function<unsigned()>& draw = {});

// "Отложить на 10 минут": aborts the running countdown as "Остановить выход из системы" does,
// then stores a one-time event of the same type kPostponeMinutes after `now`. Returns its
// number; nothing when no countdown runs at `now`.
std::optional<std::string> PostponeCountdown(Actions& actions, EventStore& store, Scheduler& scheduler,
                                             const platform::DateTime& now, const std::string& timePicture,
                                             const std::string& datePicture);

}  // namespace events
