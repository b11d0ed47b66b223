#include "events/scheduler.h"

#include <algorithm>

#include "clock/time_format.h"
#include "config/convert.h"

namespace events {

std::int64_t SecondOf(const platform::DateTime& t) {
  const std::int64_t day = (std::int64_t(t.year) * 13 + t.month) * 32 + t.day;
  return day * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

void FiredEvents::Add(std::int64_t second, const std::string& number) {
  fired_[number] = second;
  latest_ = std::max(latest_, second);
  // Seconds that are over need no record; the records are few unless thousands of events fire.
  if (fired_.size() > 4096) std::erase_if(fired_, [this](const auto& entry) { return entry.second < latest_ - 1; });
}

bool MonthlyRuleHolds(const std::string& storedDate, const std::string& shortDatePicture, int dayOfMonth) {
  auto date = clockface::ParseDate(shortDatePicture, storedDate);
  if (!date) throw config::EConvertError("'" + storedDate + "' is not a valid date");
  return date->day == dayOfMonth;
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

std::size_t Scheduler::NextWithTime(std::size_t from, const std::string& timeText) {
  if (indexStale_) {
    byTime_.clear();
    for (std::size_t i = 0; i < times_.size(); ++i) byTime_[times_[i]].push_back(i);
    indexStale_ = false;
  }
  auto found = byTime_.find(timeText);
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
  if (times_.size() != names_.size() || dates_.size() != names_.size()) {
    // The times were never read for these numbers: read the whole list afresh.
    LoadList();
    Reload();
    return;
  }
  const config::TIniSnapshot detail = store_.Snapshot();
  names_.push_back(number);
  times_.push_back(detail.ReadString(number, "time", kDefaultTime));
  dates_.push_back(detail.ReadString(number, "date", kDefaultDate));
  indexStale_ = true;
}

void Scheduler::EraseFromStore(const std::string& number) {
  const std::string type = store_.Read(number, "type", kDefaultType);
  const std::string reminder = store_.Read(number, "pathtotxt", "0");
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

void Scheduler::Scan(const platform::DateTime& now, const std::string& timePicture, const std::string& datePicture) {
  // Any failure while examining or firing an event ends this scan silently; the next refresh
  // starts again at the first event.
  try {
    // The scan stands for one second, so an event of that second later in the list still
    // fires when an earlier action (a long tone, a message box) has carried the clock on.
    const std::string timeText = clockface::FormatPicture(timePicture, now);
    const std::string dateText = clockface::FormatPicture(datePicture, now);
    const std::int64_t second = SecondOf(now);

    std::size_t i = 0;
    // The lists are walked by index in list order and re-measured at every step: an action can
    // run a nested refresh (a modal message box lets the tick run) that removes entries
    // meanwhile. Entries of other times are stepped over through the index.
    while (true) {
      i = NextWithTime(i, timeText);
      if (!(i < names_.size() && i < times_.size() && i < dates_.size())) break;
      const std::string number = names_[i];
      if (fired_.Contains(second, number)) {
        ++i;
        continue;
      }
      // Recorded before the action runs, so that neither a failing action nor a nested
      // refresh fires the event a second time in this second. An action that could not be
      // carried out at all leaves the event unfired.
      auto fire = [&] {
        fired_.Add(second, number);
        try {
          run_(number);
        } catch (const ActionUnavailable&) {
          fired_.Forget(number);
          throw;
        }
      };

      const std::string period = store_.Read(number, "period", kDefaultPeriod);
      if (period == "1" && dates_[i] == dateText) {
        fire();
        if (settings_.ReadFlag("Clock", "KillTask", false)) {
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
      if (period == "2") fire();
      if (period == "3" && MonthlyRuleHolds(store_.Read(number, "date", kDefaultDate), datePicture, now.day)) fire();
      if (period == "4" && store_.Read(number, WeekdayKey(now.dayOfWeek), kDefaultWeekday) == "1") fire();
      ++i;
    }
  } catch (...) {
  }
}

}  // namespace events
