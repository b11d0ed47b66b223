// The event scheduler: the event numbers of the list file with the time and date of each, the
// mark of what was examined, and the scan that fires the events of one given second.
// It needs no window: the program hands it the time, and it hands due events to an action.
// It remembers the last second it examined and the UTC offset it had: a short gap before the
// next scan is examined second by second, a long one is not run but its due events are kept
// for a report, and a second examined once is not examined again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "config/settings.h"
#include "events/event_store.h"
#include "events/next_firing.h"
#include "platform/platform.h"

namespace events {

// The last examined second as the configuration keeps it ([Clock] LastScan), whatever the
// user's formats: "yyyy-MM-dd HH:mm:ss".
std::string ScanStampText(const platform::DateTime& t);
// The moment a stored stamp names; nothing for a text that is not one (damaged, an impossible
// date or time).
std::optional<platform::DateTime> ParseScanStamp(const std::string& text);

// Raised by an action that cannot be carried out now (the window that shows reminders does not
// exist yet). The event does not count as fired, and the scan stops with nothing removed.
class ActionUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One firing of an event that fell into a gap the scan did not examine.
struct MissedFiring {
  platform::DateTime when;
  std::string number;
  std::string type;    // the stored "type"
  std::string period;  // the stored "period"
};

// The firings of the gaps not examined since the report was last taken, oldest first.
struct MissedEvents {
  std::vector<MissedFiring> firings;
  // Firings of those gaps not listed: more than kMissedDaysListed days before the scan that
  // found them, or older than the kMostMissedRows listed.
  std::size_t older = 0;
  bool Empty() const { return firings.empty() && older == 0; }
};

// Up to this many unexamined seconds between the last examined second and the current one are
// examined second by second; more are reported. Seconds the local clock skipped because the
// UTC offset grew (summer time begins) do not count: they are examined too.
inline constexpr std::int64_t kLongestCaughtUpGap = 60;
// A scan up to this many seconds before the last examined second (the clock set back, summer
// time ending, a restart within its stamp) examines nothing: those seconds were examined. A
// scan further back is a correction of a wrong clock, and the scan goes on from there.
inline constexpr std::int64_t kLongestSetBack = 3 * 3600;
// How far back a report lists firings one by one, and how many it lists at most.
inline constexpr int kMissedDaysListed = 31;
inline constexpr std::size_t kMostMissedRows = 1000;

class Scheduler {
 public:
  // Carries out the action of a due event.
  using RunAction = std::function<void(const std::string& number)>;
  // [Clock] KillTask of `settings` is read at each firing of a one-time event.
  Scheduler(EventStore& store, const config::Settings& settings, RunAction run);

  // The numbers the scan walks, in list-file order, and the stored time and date of each
  // (same index). Other keys are read from the store when an event's second has come.
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::string>& Times() const { return times_; }
  const std::vector<std::string>& Dates() const { return dates_; }

  // Loads the numbers from the list file; a missing file raises platform::FileError.
  void LoadList();
  // Reads the time and date of every number of the list file afresh.
  void Reload();
  // Takes an event out of the scan at once (the store is left alone). False when the scan
  // did not hold it.
  bool Remove(const std::string& number);
  // Puts a number just added to the list file into the scan at once, with its stored time and
  // date; a number the scan holds already is left as it is.
  void Add(const std::string& number);

  // Fires the events due in the second `now` (local time, `utcOffset` seconds ahead of UTC):
  // those whose stored time stands for `now`'s time of day under `timePicture`
  // (StoredSecondOfDay) and whose periodicity holds on that day (dates written and parsed with
  // `datePicture`), unless their "active" is "0". Any failure ends the scan silently; the next scan of the same second goes on with
  // the events that did not fire. With KillTask on, a fired one-time event is removed from
  // the store and from the scan, and OnScanRemoved is raised.
  // When `now` is more than one second after the last examined second, the seconds between
  // are examined first, in order, if at most kLongestCaughtUpGap of them passed in real time;
  // a longer gap (or one after ContinueFrom or Suspending) is not examined, and the firings it
  // held of every event but birthdays and holidays are added to the report. A second at or up
  // to kLongestSetBack before the last examined one is not examined again; from further back
  // the scan goes on from `now`.
  void Scan(const platform::DateTime& now, const std::string& timePicture, const std::string& datePicture,
            int utcOffset = 0);

  // The last second a scan examined (the latest, after the clock was set back); nothing
  // before the first scan.
  std::optional<platform::DateTime> LastExamined() const;
  // The program was not running (an earlier run ended, the computer sleeps) after `last`, the
  // last second examined then. The gap from it to the next scan is reported whatever its
  // length, and nothing of it is run; `last` itself and the seconds before it are not
  // examined again (up to kLongestSetBack back, as for a clock set back).
  void ContinueFrom(const platform::DateTime& last);
  // The computer is about to sleep: the gap before the next scan is reported, not run.
  void Suspending() { notRunning_ = true; }
  // The firings found in gaps since the last call, for the report; the record is emptied.
  MissedEvents TakeMissed() { return std::exchange(missed_, MissedEvents{}); }
  bool HasMissed() const { return !missed_.Empty(); }

  // Raised after the scan removed a fired one-time event, so that a window that lists the
  // events can rebuild its list.
  std::function<void()> OnScanRemoved;
  // Raised once in each examined second in which an event fires, before the first action
  // runs, with that second: the program keeps it, so that a start after a crash or a close in
  // that second does not fire its events again. What the handler raises is ignored.
  std::function<void(const platform::DateTime& second)> OnStamp;
  // Raised after each firing with the second it stands for and the action's outcome: empty
  // when it ran, the error's text when it failed. What the handler raises is ignored.
  std::function<void(const std::string& number, const platform::DateTime& at, const std::string& error)> OnFired;

 private:
  // Index of `number` in the scan, trying `hint` first.
  std::optional<std::size_t> IndexOf(const std::string& number, std::size_t hint) const;
  void RemoveAt(std::size_t at);
  // Fires the events due in the one second `at`.
  void ScanSecond(const platform::DateTime& at, const std::string& timePicture, const std::string& datePicture);
  // Adds the firings of the serial seconds `first` to `last` to the report; `now` is the
  // serial second of the scan that found the gap.
  void CollectMissed(std::int64_t first, std::int64_t last, std::int64_t now, const std::string& timePicture,
                     const std::string& datePicture);
  // The first index from `from` on whose stored time stands for `secondOfDay` under
  // `timePicture`, or the end of the times. Answers from the index by time of day, rebuilt
  // first when the times or the picture changed since.
  std::size_t NextWithTime(std::size_t from, int secondOfDay, const std::string& timePicture);
  // Removes a fired one-time event from the store: list line, section, reminder text.
  void EraseFromStore(const std::string& number);
  // Raises OnStamp, keeping back what it raises.
  void Stamp(const platform::DateTime& second);
  // Raises OnFired, keeping back what it raises.
  void Fired(const std::string& number, const platform::DateTime& at, const std::string& error);

  EventStore& store_;
  const config::Settings& settings_;
  RunAction run_;
  std::vector<std::string> names_, times_, dates_;
  // The indexes of times_ by the second of the day they stand for, each list ascending: a
  // second in which nothing is due costs one lookup, however many events are stored. Stale
  // after any change of times_; built for the picture indexPicture_.
  std::unordered_map<int, std::vector<std::size_t>> byTime_;
  bool indexStale_ = true;
  // What the scan has examined: the serial second examined last and its UTC offset. While
  // the walk of that second has not reached its end (an action failed or could not run, or
  // runs still), `fired` holds the events that fired in it, so a refresh of the same second
  // goes on without firing them again.
  struct Examined {
    std::int64_t second = 0;
    std::optional<int> utcOffset;  // unknown for a second kept from an earlier run
    bool complete = false;
    std::unordered_set<std::string> fired;
  };
  std::optional<Examined> mark_;
  std::string indexPicture_;
  // Whether the program was not running since the mark was set.
  bool notRunning_ = false;
  MissedEvents missed_;
};

}  // namespace events
