#include "clock/chimes.h"

#include <algorithm>

#include "config/convert.h"

namespace clockface {

namespace {

Chime File(const std::string& path) { return {path, 0, 0}; }
Chime Beep(int frequency, int durationMs) { return {std::string(), frequency, durationMs}; }

}  // namespace

std::vector<Chime> ChimesAt(int h, int m, int s, const ChimeSettings& c) {
  std::vector<Chime> out;
  const bool announcing = m == 59 && s >= 55;
  const bool fullHour = m == 0 && s == 0;

  if ((h == 23 && announcing) || (h == 0 && fullHour)) {
    if (s == 0 && !c.midnightFile.empty()) out.push_back(File(c.midnightFile));
    if (c.midnightFreq != 0) out.push_back(s == 0 ? Beep(c.midnightFreq, 1000) : Beep(800, 100));
  }
  if ((h != 23 && announcing) || (h != 0 && fullHour)) {
    if (s == 0 && !c.hourFile.empty()) out.push_back(File(c.hourFile));
    if (c.hourFreq != 0) out.push_back(s == 0 ? Beep(c.hourFreq, 500) : Beep(1000, 100));
  }
  if (s == 0 && m != 0) {
    if (!c.minuteFile.empty()) out.push_back(File(c.minuteFile));
    if (c.minuteFreq != 0) out.push_back(Beep(c.minuteFreq, 70));
  }
  return out;
}

std::string WithLeadingZero(const std::string& text, bool wanted) {
  int value = config::StrToInt(text);
  // A label already padded (nothing rewrote it since the last tick) keeps its one zero.
  return wanted && value < 10 && text.size() < 2 ? "0" + text : text;
}

int MsToNextTick(int millisecond) { return 1000 - std::clamp(millisecond, 0, 999) + kTickMarginMs; }

}  // namespace clockface
