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
// time of day tomorrow (kSnoozeTillTomorrow), the others real minutes.
struct SnoozeChoice {
  const char* caption;
  int minutes;
};
inline constexpr int kSnoozeTillTomorrow = 24 * 60;
inline constexpr std::array<SnoozeChoice, 6> kSnoozeChoices = {{{"на 5 минут", 5},
                                                                 {"на 10 минут", 10},
                                                                 {"на 15 минут", 15},
                                                                 {"на 30 минут", 30},
                                                                 {"на 1 час", 60},
                                                                 {"до завтра", kSnoozeTillTomorrow}}};

// The moment `minutes` after `from`, across midnight, month and year ends; milliseconds are 0.
platform::DateTime MinutesAfter(const platform::DateTime& from, int minutes);

// The local time `seconds` of real time after `now`, by the zone's rules of `clock`: an hour
// after 01:30 on the day summer time begins at 2 o'clock is 03:30. Where the clock goes back
// in between and the time falls on a local second the scan has passed already, the first one
// after those: the scan examines no second twice.
platform::DateTime RealSecondsAfter(platform::Clock& clock, const platform::ZonedTime& now, std::int64_t seconds);

// The same local time as `now` tomorrow; where summer time skips it, the first second after
// the skipped hour.
platform::DateTime SameTimeTomorrow(platform::Clock& clock, const platform::ZonedTime& now);

// When a reminder put off at `now` by a snooze choice of `minutes` comes back.
platform::DateTime SnoozedUntil(platform::Clock& clock, const platform::ZonedTime& now, int minutes);

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
// then stores a one-time event of the same type kPostponeMinutes of real time after `now`.
// Returns its number; nothing when no countdown runs at `now`.
std::optional<std::string> PostponeCountdown(Actions& actions, EventStore& store, Scheduler& scheduler,
                                             platform::Clock& clock, const platform::ZonedTime& now,
                                             const std::string& timePicture, const std::string& datePicture);

}  // namespace events
