// Rules of the stopwatch and the uptime display.
#pragma once

#include <cstdint>
#include <string>

#include "ui/types.h"

namespace clockface {

// The stopwatch's three counters: minutes, seconds and hundredths.
struct StopwatchCounters {
  int a = 0, b = 0, c = 0;
  friend bool operator==(const StopwatchCounters&, const StopwatchCounters&) = default;
};

// The stopwatch measured by the system's millisecond counter, whatever the rate of the ticks
// that show it. Its counters are minutes, seconds (0..59) and hundredths (0..99); it stops by
// itself at 20 / 0 / 0. Stopped, it keeps the value it showed last, and a later start goes on
// from there. Times are readings of the counter, which may wrap between two of them.
class Stopwatch {
 public:
  static constexpr std::uint32_t kLimitMs = 20 * 60 * 1000;

  bool Running() const { return running_; }
  // Starts from the value kept; a stopwatch already running goes on as it is.
  void Start(std::uint32_t now);
  // Stops at the value of `now`, cut to whole hundredths as they are shown.
  void Stop(std::uint32_t now);
  // Stopped at zero.
  void Reset();
  // The counters at `now`; a running stopwatch that has reached the limit stops there.
  StopwatchCounters Read(std::uint32_t now);

  // Milliseconds on the stopwatch at `now`, the limit at most.
  std::uint32_t Elapsed(std::uint32_t now) const;
  static StopwatchCounters Counters(std::uint32_t elapsedMs);

 private:
  bool running_ = false;
  std::uint32_t kept_ = 0;     // the value when stopped, whole hundredths
  std::uint32_t started_ = 0;  // the reading of the counter at the last start
};

// The uptime `ms` as a time in the user's long time picture. From 24 hours on the hours are
// shown whole ("27:03:09"), in 24-hour form.
std::string UptimeText(const std::string& longTimePicture, std::uint32_t ms);

// The pictures of the stopwatch menu items "Пуск", "Стоп" and "Сброс", 16 x 16.
enum class StopwatchGlyph { kStart, kStop, kReset };
ui::Image StopwatchGlyphImage(StopwatchGlyph glyph);

}  // namespace clockface
