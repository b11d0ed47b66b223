// Rules of the clock tick: which signals a second sounds, the leading zero of the time labels,
// and when the next tick is due.
#pragma once

#include <string>
#include <vector>

namespace clockface {

// The chime settings: a sound file (empty: none) and a beep frequency in Hz (0: none) for
// midnight, the full hour and the full minute.
struct ChimeSettings {
  std::string midnightFile, hourFile, minuteFile;
  int midnightFreq = 0, hourFreq = 0, minuteFreq = 0;
};

// One signal: a sound file to play when `file` is set, otherwise a beep.
struct Chime {
  std::string file;
  int frequency = 0;
  int durationMs = 0;
  friend bool operator==(const Chime&, const Chime&) = default;
};

// The signals of the second h:m:s, in the order they sound. Five 100 ms beeps announce midnight
// (800 Hz) and every other full hour (1000 Hz) from the 55th second on; at 00:00:00 the midnight
// signal sounds, at the other full hours the hourly one, at the other full minutes the minute
// one, each its file first and then its beep (1000, 500 and 70 ms long).
std::vector<Chime> ChimesAt(int h, int m, int s, const ChimeSettings& settings);

// The label text with a "0" in front when `wanted` and its number is below 10; a text that is
// not a decimal integer raises config::EConvertError.
std::string WithLeadingZero(const std::string& text, bool wanted);

// How long after a tick at `millisecond` of a second the next one is due: just after the next
// second begins. The margin covers a system timer that fires up to one of its periods
// (about 15.6 ms) early.
constexpr int kTickMarginMs = 25;
int MsToNextTick(int millisecond);

}  // namespace clockface
