#include "events/one_time_events.h"

#include "clock/time_format.h"
#include "events/next_firing.h"

namespace events {

platform::DateTime MinutesAfter(const platform::DateTime& from, int minutes) {
  return FromSerialSecond(SerialSecond(from) + std::int64_t(minutes) * 60);
}

std::string AddOneTimeEvent(EventStore& store, Scheduler& scheduler, const OneTimeEvent& event,
                            const std::string& timePicture, const std::string& datePicture,
                            const std::function<unsigned()>& draw) {
  const std::vector<std::string> taken = store.LoadList();
  EventRecord record;
  record.number = draw ? NewEventNumber(taken, draw) : NewEventNumber(taken);
  record.time = StoredTimeText(timePicture, event.at);
  record.date = clockface::FormatPicture(datePicture, event.at);
  record.type = event.type;
  record.sideText = event.text;
  record.period = "1";
  store.AddEvent(record);
  scheduler.Add(record.number);
  return record.number;
}

std::optional<std::string> PostponeCountdown(Actions& actions, EventStore& store, Scheduler& scheduler,
                                             const platform::DateTime& now, const std::string& timePicture,
                                             const std::string& datePicture) {
  const std::optional<PowerCountdown> countdown = actions.Countdown();
  if (!countdown || SecondsLeft(*countdown, now) <= 0) return std::nullopt;
  // Stopped first: an event that cannot be stored must not leave the system going down.
  actions.AbortShutdown();
  return AddOneTimeEvent(store, scheduler, {CountdownEventType(*countdown), MinutesAfter(now, kPostponeMinutes), ""},
                         timePicture, datePicture);
}

}  // namespace events
