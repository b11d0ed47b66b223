// The event scheduler: the event numbers of the list file with the time and date of each, the
// record of what fired in which second, and the scan that fires the events of one given second.
// It needs no window: the program hands it the time, and it hands due events to an action.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/settings.h"
#include "events/event_store.h"
#include "platform/platform.h"

namespace events {

// A calendar second as one number; equal only for the same second of the same day.
std::int64_t SecondOf(const platform::DateTime& t);

// The second in which each event fired last. Refreshes can fall into the same second many
// times (the fast ticks of the fade-in, a refresh run by a click, a refresh nested in a modal
// message box of an action); an event must fire once in its second, not once per refresh.
class FiredEvents {
 public:
  bool Contains(std::int64_t second, const std::string& number) const {
    auto it = fired_.find(number);
    return it != fired_.end() && it->second == second;
  }
  void Add(std::int64_t second, const std::string& number);
  // The event counts as not fired (its action could not be carried out).
  void Forget(const std::string& number) { fired_.erase(number); }

 private:
  std::unordered_map<std::string, std::int64_t> fired_;
  std::int64_t latest_ = 0;
};

// The monthly rule: true when the day of the month of `storedDate` (written with the short
// date picture) is `dayOfMonth`. A date that does not parse raises config::EConvertError.
bool MonthlyRuleHolds(const std::string& storedDate, const std::string& shortDatePicture, int dayOfMonth);

// Raised by an action that cannot be carried out now (the window that shows reminders does not
// exist yet). The event does not count as fired, and the scan stops with nothing removed.
class ActionUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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
  // Puts an event just stored as the last line of the list into the scan at once, with its
  // stored time and date.
  void Add(const std::string& number);

  // Fires the events due in the second `now`: those whose stored time equals `now` written
  // with `timePicture` and whose periodicity holds on that day (dates written and parsed
  // with `datePicture`). Any failure ends the scan silently; the next scan starts again at
  // the first event. With KillTask on, a fired one-time event is removed from the store and
  // from the scan, and OnScanRemoved is raised.
  void Scan(const platform::DateTime& now, const std::string& timePicture, const std::string& datePicture);

  // Raised after the scan removed a fired one-time event, so that a window that lists the
  // events can rebuild its list.
  std::function<void()> OnScanRemoved;

 private:
  // Index of `number` in the scan, trying `hint` first.
  std::optional<std::size_t> IndexOf(const std::string& number, std::size_t hint) const;
  void RemoveAt(std::size_t at);
  // The first index from `from` on whose stored time is `timeText`, or the end of the times.
  // Answers from the index by time text, rebuilt first when the times changed since.
  std::size_t NextWithTime(std::size_t from, const std::string& timeText);
  // Removes a fired one-time event from the store: list line, section, reminder text.
  void EraseFromStore(const std::string& number);

  EventStore& store_;
  const config::Settings& settings_;
  RunAction run_;
  std::vector<std::string> names_, times_, dates_;
  // The indexes of times_ by time text, each list ascending: a second in which nothing is due
  // costs one lookup, however many events are stored. Stale after any change of times_.
  std::unordered_map<std::string, std::vector<std::size_t>> byTime_;
  bool indexStale_ = true;
  FiredEvents fired_;
};

}  // namespace events
