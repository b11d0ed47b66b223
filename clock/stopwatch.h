// Rules of the stopwatch and the uptime display.
#pragma once

#include <cstdint>
#include <string>

#include "ui/types.h"

namespace clockface {

// The stopwatch's three counters, kept as hours, minutes and seconds of a time of day.
struct StopwatchCounters {
  int a = 0, b = 0, c = 0;
  friend bool operator==(const StopwatchCounters&, const StopwatchCounters&) = default;
};

// A time of day as a fraction of a day, and back (to the nearest second).
double TimeOfDay(const StopwatchCounters& counters);
StopwatchCounters SplitTimeOfDay(double value);

// One step of a running stopwatch: the third counter goes up by one; the third and the
// second carry into the next when they reach 59; at 20 in the first counter the stopwatch
// stands at 20 / 0 / 0. Returns whether it still runs.
bool StepStopwatch(StopwatchCounters& counters);

// The uptime `ms` as a time in the user's long time picture. From 24 hours on the hours are
// shown whole ("27:03:09"), in 24-hour form.
std::string UptimeText(const std::string& longTimePicture, std::uint32_t ms);

// The pictures of the stopwatch menu items "Пуск", "Стоп" and "Сброс", 16 x 16.
enum class StopwatchGlyph { kStart, kStop, kReset };
ui::Image StopwatchGlyphImage(StopwatchGlyph glyph);

}  // namespace clockface
