#include "events/scheduler.h"

#include <algorithm>
#include <cstdio>

#include "clock/time_format.h"
#include "config/convert.h"

namespace events {

std::string ScanStampText(const platform::DateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::optional<platform::DateTime> ParseScanStamp(const std::string& text) {
  static const char kShape[] = "dddd-dd-dd dd:dd:dd";
  if (text.size() != sizeof kShape - 1) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  auto number = [&](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
  platform::DateTime t;
  t.year = number(0, 4), t.month = number(5, 2), t.day = number(8, 2);
  t.hour = number(11, 2), t.minute = number(14, 2), t.second = number(17, 2);
  if (t.year < 1970 || t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
  // A day the month does not have (31 April) comes back as another date.
  const platform::DateTime checked = FromSerialSecond(SerialSecond(t));
  if (checked.year != t.year || checked.month != t.month || checked.day != t.day) return std::nullopt;
  return checked;
}

Scheduler::Scheduler(EventStore& store, const config::Settings& settings, RunAction run)
    : store_(store), settings_(settings), run_(std::move(run)) {}

void Scheduler::LoadList() { names_ = store_.LoadList(); }

void Scheduler::Reload() {
  const std::vector<std::string> names = store_.LoadList();
  // One look at the detail file for all the events, not one per key.
  const config::TIniSnapshot detail = store_.Snapshot();
  std::vector<std::string> times, dates;
  times.reserve(names.size());
  dates.reserve(names.size());
  for (const auto& number : names) {
    times.push_back(detail.ReadString(number, "time", kDefaultTime));
    dates.push_back(detail.ReadString(number, "date", kDefaultDate));
  }
  times_ = std::move(times);
  dates_ = std::move(dates);
  indexStale_ = true;
}

std::size_t Scheduler::NextWithTime(std::size_t from, int secondOfDay, const std::string& timePicture) {
  if (indexStale_ || indexPicture_ != timePicture) {
    byTime_.clear();
    for (std::size_t i = 0; i < times_.size(); ++i)
      if (const auto second = StoredSecondOfDay(times_[i], timePicture)) byTime_[*second].push_back(i);
    indexStale_ = false;
    indexPicture_ = timePicture;
  }
  auto found = byTime_.find(secondOfDay);
  if (found == byTime_.end()) return times_.size();
  const std::vector<std::size_t>& at = found->second;
  auto next = std::lower_bound(at.begin(), at.end(), from);
  return next == at.end() ? times_.size() : *next;
}

std::optional<std::size_t> Scheduler::IndexOf(const std::string& number, std::size_t hint) const {
  if (hint < names_.size() && names_[hint] == number) return hint;
  auto at = std::find(names_.begin(), names_.end(), number);
  if (at == names_.end()) return std::nullopt;
  return std::size_t(at - names_.begin());
}

void Scheduler::RemoveAt(std::size_t at) {
  names_.erase(names_.begin() + std::ptrdiff_t(at));
  if (at < times_.size()) times_.erase(times_.begin() + std::ptrdiff_t(at));
  if (at < dates_.size()) dates_.erase(dates_.begin() + std::ptrdiff_t(at));
  indexStale_ = true;
}

bool Scheduler::Remove(const std::string& number) {
  auto at = IndexOf(number, 0);
  if (!at) return false;
  RemoveAt(*at);
  return true;
}

void Scheduler::Add(const std::string& number) {
  if (IndexOf(number, names_.size() - 1)) return;
  if (times_.size() != names_.size() || dates_.size() != names_.size()) {
    // The times were never read for this list: read list and times afresh, the new one with them.
    LoadList();
    Reload();
    return;
  }
  names_.push_back(number);
  times_.push_back(store_.Read(number, "time", kDefaultTime));
  dates_.push_back(store_.Read(number, "date", kDefaultDate));
  indexStale_ = true;
}

void Scheduler::EraseFromStore(const std::string& number) {
  const std::string type = store_.Read(number, "type", kDefaultType);
  const std::string reminder = store_.Read(number, "pathtotxt", "0");
  const EventStore::ChangeBatch batch(store_);
  // The list file as it is now, not the scan's copy of it: the settings window may have added
  // events since that copy was loaded.
  std::vector<std::string> list = store_.LoadList();
  if (auto at = std::find(list.begin(), list.end(), number); at != list.end()) {
    list.erase(at);
    store_.SaveList(list);
  }
  store_.EraseSection(number);
  if (type == "5") store_.DeleteSideFile(SideFolder::kNotes, reminder);
}

void Scheduler::Fired(const std::string& number, const platform::DateTime& at, const std::string& error) {
  if (!OnFired) return;
  try {
    OnFired(number, at, error);
  } catch (...) {
    // A log that cannot be written neither stops the scan nor hides the action's own error.
  }
}

void Scheduler::Stamp(const platform::DateTime& second) {
  if (!OnStamp) return;
  try {
    OnStamp(second);
  } catch (...) {
    // A stamp that cannot be kept does not keep the events from firing.
  }
}

std::optional<platform::DateTime> Scheduler::LastExamined() const {
  if (!mark_) return std::nullopt;
  return FromSerialSecond(mark_->second);
}

void Scheduler::ContinueFrom(const platform::DateTime& last) {
  mark_ = Examined{SerialSecond(last), std::nullopt, true, {}};
  notRunning_ = true;
}

void Scheduler::Scan(const platform::DateTime& now, const std::string& timePicture, const std::string& datePicture,
                     int utcOffset) {
  const std::int64_t second = SerialSecond(now);
  const bool notRunning = std::exchange(notRunning_, false);
  if (mark_ && second <= mark_->second) {
    // The same second again (fast ticks, a nested refresh): only a walk that did not reach its
    // end goes on.
    if (second == mark_->second) {
      if (!mark_->complete) ScanSecond(now, timePicture, datePicture);
      return;
    }
    // The clock set back a little, or summer time ending: these seconds were examined.
    if (mark_->second - second <= kLongestSetBack) return;
    // A wrong clock corrected: the scan goes on from the new time.
    mark_.reset();
  }
  const std::optional<Examined> last = std::exchange(mark_, Examined{second, utcOffset, false, {}});
  // Recorded first (above): an action may run a nested refresh, which then counts from here.
  if (last && second > last->second + 1) {
    const std::int64_t unexamined = second - last->second - 1;
    // Seconds the local clock skipped because the offset grew passed in no real time.
    const std::int64_t skippedByOffset = last->utcOffset ? std::max(0, utcOffset - *last->utcOffset) : 0;
    if (!notRunning && unexamined - skippedByOffset <= kLongestCaughtUpGap) {
      // A busy machine or a long tone held the tick back, or summer time began: those seconds'
      // events fire now, in their order.
      for (std::int64_t skipped = last->second + 1; skipped < second; ++skipped)
        ScanSecond(FromSerialSecond(skipped), timePicture, datePicture);
    } else {
      CollectMissed(last->second + 1, second - 1, second, timePicture, datePicture);
    }
  }
  ScanSecond(now, timePicture, datePicture);
}

void Scheduler::CollectMissed(std::int64_t first, std::int64_t last, std::int64_t now, const std::string& timePicture,
                              const std::string& datePicture) {
  // Firings up to kMissedDaysListed days before the scan are listed one by one, at most the
  // newest kMostMissedRows of them; all others are counted without being walked. The newest
  // are kept in a heap whose oldest entry bounds what later events need to list, so a gap of
  // a year with thousands of events costs little more than one of a day.
  const std::int64_t listedFrom = std::max(first, now - std::int64_t(kMissedDaysListed) * 86400);
  struct Entry {
    std::int64_t second;
    std::size_t order;  // firings of one second keep the list order
    MissedFiring firing;
  };
  const auto newer = [](const Entry& a, const Entry& b) {
    return a.second != b.second ? a.second > b.second : a.order > b.order;
  };
  std::vector<Entry> newest;  // a heap, its oldest entry on top
  std::size_t older = 0;
  std::size_t order = 0;
  try {
    const config::TIniSnapshot detail = store_.Snapshot();
    for (std::size_t i = 0; i < names_.size() && i < times_.size(); ++i) {
      const std::string& number = names_[i];
      const std::string type = detail.ReadString(number, "type", kDefaultType);
      // Birthdays and holidays have their own announcement at start.
      if (type == "6") continue;
      // Only the keys the periodicity uses are read: with thousands of events the reads are
      // most of the work.
      FiringRule rule;
      rule.period = detail.ReadString(number, "period", kDefaultPeriod);
      if (rule.period != "1" && rule.period != "2" && rule.period != "3" && rule.period != "4") continue;
      if (detail.ReadString(number, "active", "1") == "0") continue;
      rule.time = times_[i];
      if (rule.period == "1" || rule.period == "3") rule.date = detail.ReadString(number, "date", kDefaultDate);
      if (rule.period == "4")
        for (std::size_t day = 0; day < kWeekdayKeys.size(); ++day)
          rule.weekdays[day] = detail.ReadString(number, kWeekdayKeys[day], kDefaultWeekday) == "1";
      std::int64_t listFrom = listedFrom;
      if (newest.size() == kMostMissedRows) listFrom = std::max(listFrom, newest.front().second);
      if (listFrom > first)
        older += CountFiringsBetween(rule, FromSerialSecond(first), FromSerialSecond(listFrom - 1), timePicture,
                                     datePicture);
      std::size_t total = 0;
      for (const platform::DateTime& when : FiringsBetween(rule, FromSerialSecond(listFrom), FromSerialSecond(last),
                                                           timePicture, datePicture, kMostMissedRows, &total)) {
        newest.push_back({SerialSecond(when), order++, {when, number, type, rule.period}});
        std::push_heap(newest.begin(), newest.end(), newer);
        if (newest.size() > kMostMissedRows) {
          std::pop_heap(newest.begin(), newest.end(), newer);
          newest.pop_back();
          ++older;
        }
      }
      older += total > kMostMissedRows ? total - kMostMissedRows : 0;
    }
  } catch (...) {
    // What was found before a failure is still reported.
  }
  // Oldest first; firings of one second in list order.
  std::sort(newest.begin(), newest.end(), [&](const Entry& a, const Entry& b) { return newer(b, a); });
  missed_.older += older;
  for (Entry& entry : newest) missed_.firings.push_back(std::move(entry.firing));
  if (missed_.firings.size() > kMostMissedRows) {
    const std::size_t dropped = missed_.firings.size() - kMostMissedRows;
    missed_.older += dropped;
    missed_.firings.erase(missed_.firings.begin(), missed_.firings.begin() + std::ptrdiff_t(dropped));
  }
}

void Scheduler::ScanSecond(const platform::DateTime& now, const std::string& timePicture,
                           const std::string& datePicture) {
  const std::int64_t second = SerialSecond(now);
  // While the mark stands for this second it records what fired in it. A nested refresh of a
  // later second moves the mark on; this walk then goes on without a record, as no other walk
  // of this second can follow.
  auto markedHere = [&] { return mark_ && mark_->second == second; };
  if (markedHere() && mark_->complete) return;
  bool stamped = false;
  // Any failure while examining or firing an event ends this scan silently; the next refresh
  // of this second goes on with what did not fire.
  try {
    // The scan stands for one second, so an event of that second later in the list still
    // fires when an earlier action (a long tone, a message box) has carried the clock on.
    const int secondOfDay = SecondOfDay(now);

    std::size_t i = 0;
    // The lists are walked by index in list order and re-measured at every step: an action can
    // run a nested refresh (a modal message box lets the tick run) that removes entries
    // meanwhile. Entries of other times are stepped over through the index.
    while (true) {
      // A nested refresh of this same second walked it to its end.
      if (markedHere() && mark_->complete) return;
      i = NextWithTime(i, secondOfDay, timePicture);
      if (!(i < names_.size() && i < times_.size() && i < dates_.size())) break;
      const std::string number = names_[i];
      if (markedHere() && mark_->fired.contains(number)) {
        ++i;
        continue;
      }
      // Recorded before the action runs, so that neither a failing action nor a nested
      // refresh fires the event a second time in this second, and a start after a crash does
      // not fire this second's events again. An action that could not be carried out at all
      // leaves the event unfired.
      auto fire = [&] {
        if (!stamped) {
          stamped = true;
          Stamp(now);
        }
        if (markedHere()) mark_->fired.insert(number);
        try {
          run_(number);
        } catch (const ActionUnavailable&) {
          if (markedHere()) mark_->fired.erase(number);
          throw;
        } catch (const std::exception& e) {
          Fired(number, now, e.what());
          throw;
        } catch (...) {
          Fired(number, now, "неизвестная ошибка");
          throw;
        }
        Fired(number, now, "");
      };

      // Matched by the time and the once date the scan holds; the other keys as they are stored
      // now. An event switched off in the event list ("active" is "0") stays stored and listed,
      // and does not run.
      FiringRule rule = ReadFiringRule(store_, number);
      rule.time = times_[i];
      if (rule.period == "1") rule.date = dates_[i];
      if (FiresAt(rule, now, timePicture, datePicture)) {
        fire();
        if (rule.period == "1" && settings_.ReadFlag("Clock", "KillTask", false)) {
          EraseFromStore(number);
          if (auto at = IndexOf(number, i)) {
            RemoveAt(*at);
            i = *at;  // now the entry that followed the removed one
          } else {
            ++i;
          }
          if (OnScanRemoved) OnScanRemoved();
          continue;
        }
      }
      ++i;
    }
    if (markedHere()) {
      mark_->complete = true;
      mark_->fired.clear();
    }
  } catch (...) {
  }
}

}  // namespace events
