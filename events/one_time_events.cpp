#include "events/one_time_events.h"

#include <algorithm>

#include "clock/time_format.h"
#include "events/next_firing.h"

namespace events {

platform::DateTime MinutesAfter(const platform::DateTime& from, int minutes) {
  return FromSerialSecond(SerialSecond(from) + std::int64_t(minutes) * 60);
}

namespace {

// The first UTC second in (`from`, `to`] whose offset differs from that of `from`, by halving;
// the offsets at `from` and `to` differ.
std::int64_t OffsetChangeBetween(platform::Clock& clock, std::int64_t from, std::int64_t to) {
  const int before = clock.UtcOffsetAt(from);
  while (to - from > 1) {
    const std::int64_t middle = from + (to - from) / 2;
    (clock.UtcOffsetAt(middle) == before ? from : to) = middle;
  }
  return to;
}

}  // namespace

platform::DateTime RealSecondsAfter(platform::Clock& clock, const platform::ZonedTime& now, std::int64_t seconds) {
  const std::int64_t start = SerialSecond(now.local) - now.utcOffset;
  const std::int64_t target = start + seconds;
  const int offset = clock.UtcOffsetAt(target);
  std::int64_t local = target + offset;
  if (offset < now.utcOffset) {
    // The clock goes back on the way: the local seconds up to the last one before the change
    // will have been examined.
    const std::int64_t change = OffsetChangeBetween(clock, start, target);
    const std::int64_t highest = change - 1 + clock.UtcOffsetAt(change - 1);
    if (local <= highest) local = highest + 1;
  }
  return FromSerialSecond(local);
}

platform::DateTime SameTimeTomorrow(platform::Clock& clock, const platform::ZonedTime& now) {
  const std::int64_t wall = SerialSecond(now.local) + 86'400;
  const int today = now.utcOffset, then = clock.UtcOffsetAt(wall - today);
  for (const int offset : {today, then})
    if (clock.UtcOffsetAt(wall - offset) == offset) return FromSerialSecond(wall);
  // Skipped by summer time: the offset grew within [wall - larger, wall - smaller].
  const std::int64_t change = OffsetChangeBetween(clock, wall - std::max(today, then), wall - std::min(today, then));
  return FromSerialSecond(change + clock.UtcOffsetAt(change));
}

platform::DateTime SnoozedUntil(platform::Clock& clock, const platform::ZonedTime& now, int minutes) {
  if (minutes == kSnoozeTillTomorrow) return SameTimeTomorrow(clock, now);
  return RealSecondsAfter(clock, now, std::int64_t(minutes) * 60);
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
                                             platform::Clock& clock, const platform::ZonedTime& now,
                                             const std::string& timePicture, const std::string& datePicture) {
  const std::optional<PowerCountdown> countdown = actions.Countdown();
  if (!countdown || SecondsLeft(*countdown, now.local, now.utcOffset) <= 0) return std::nullopt;
  // Stopped first: an event that cannot be stored must not leave the system going down.
  actions.AbortShutdown();
  const platform::DateTime at = RealSecondsAfter(clock, now, std::int64_t(kPostponeMinutes) * 60);
  return AddOneTimeEvent(store, scheduler, {CountdownEventType(*countdown), at, ""}, timePicture, datePicture);
}

}  // namespace events
