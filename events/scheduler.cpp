// The event scheduler: the cached times and dates of the events, and the scan that each time
// refresh runs to fire the events of the current second.
#include "events/scheduler.h"

#include <algorithm>

#include "app/main_window.h"
#include "clock/time_format.h"
#include "config/convert.h"
#include "events/event_store.h"

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

}  // namespace events

void TForm1::RefreshBase() {
  const events::EventStore store(appDir);
  std::vector<std::string> names = store.LoadList();
  std::vector<std::string> times, dates;
  times.reserve(names.size());
  dates.reserve(names.size());
  for (const auto& number : names) {
    times.push_back(store.Read(number, "time", events::kDefaultTime));
    dates.push_back(store.Read(number, "date", events::kDefaultDate));
  }
  baseNames = std::move(names);
  eventTimes = std::move(times);
  eventDates = std::move(dates);
}

void TForm1::ScanEvents() {
  // Any failure while examining or firing an event ends this scan silently; the next refresh
  // starts again at the first event.
  try {
    platform::Clock& clock = platform_.clock();
    // One moment for the whole scan: it stands for one second, so an event of that second
    // later in the list still fires when an earlier action (a long tone, a message box) has
    // carried the clock into the next second. The next second's events are examined by the
    // next refresh, which the tick arms for just after that second begins.
    const platform::DateTime now = clock.Now();
    const std::string timeText = clockface::FormatPicture(clock.LongTimeFormat(), now);
    const std::int64_t second = events::SecondOf(now);
    events::EventStore store(appDir);

    std::size_t i = 0;
    // The lists are walked by index and re-measured at every step: an action can run a nested
    // refresh (a modal message box lets the tick run) that removes entries meanwhile.
    while (i < eventNames.size() && i < eventTimes.size() && i < eventDates.size()) {
      if (eventTimes[i] != timeText) {
        ++i;
        continue;
      }
      const std::string number = eventNames[i];
      if (firedEvents.Contains(second, number)) {
        ++i;
        continue;
      }
      // Recorded before the action runs, so that neither a failing action nor a nested
      // refresh fires the event a second time in this second.
      auto fire = [&] {
        firedEvents.Add(second, number);
        SearchRun(number);
      };

      const std::string period = store.Read(number, "period", events::kDefaultPeriod);
      if (period == "1") {
        if (eventDates[i] == clockface::FormatPicture(clock.ShortDateFormat(), now)) {
          fire();
          const bool killTask = configIni && configIni->ReadString("Clock", "KillTask", "0") == "1";
          if (killTask) {
            const std::string type = store.Read(number, "type", events::kDefaultType);
            const std::string reminder = store.Read(number, "pathtotxt", "0");
            // The list file as it is now, not this window's copy of it: the settings window
            // may have added events since that copy was loaded.
            std::vector<std::string> list = store.LoadList();
            if (auto at = std::find(list.begin(), list.end(), number); at != list.end()) {
              list.erase(at);
              store.SaveList(list);
            }
            store.EraseSection(number);
            if (type == "5") store.DeleteSideFile(events::SideFolder::kNotes, reminder);

            std::size_t at = i;
            if (at >= eventNames.size() || eventNames[at] != number)
              at = std::size_t(std::find(eventNames.begin(), eventNames.end(), number) - eventNames.begin());
            if (at < eventNames.size()) {
              eventNames.erase(eventNames.begin() + std::ptrdiff_t(at));
              if (at < eventTimes.size()) eventTimes.erase(eventTimes.begin() + std::ptrdiff_t(at));
              if (at < eventDates.size()) eventDates.erase(eventDates.begin() + std::ptrdiff_t(at));
              i = at;  // now the entry that followed the removed one
            } else {
              ++i;
            }
            if (OnScanRemovedEvent) OnScanRemovedEvent();
            continue;
          }
        }
      }
      if (period == "2") fire();
      if (period == "3" && events::MonthlyRuleHolds(store.Read(number, "date", events::kDefaultDate),
                                                    clock.ShortDateFormat(), now.day))
        fire();
      if (period == "4" && store.Read(number, events::WeekdayKey(now.dayOfWeek), events::kDefaultWeekday) == "1")
        fire();
      ++i;
    }
  } catch (...) {
  }
}
