// Rules of the stopwatch and the uptime display, and the pictures of the stopwatch menu.
#include "clock/stopwatch.h"

#include <cmath>
#include <cstdlib>

#include "clock/time_format.h"

namespace clockface {

namespace {

constexpr double kSecondsPerDay = 86400.0;

// The picture with its hours in 24-hour form and without the morning/afternoon marker, so
// that whole hours of 24 and more read right.
std::string TwentyFourHourPicture(const std::string& picture) {
  std::string out;
  bool markerFirst = false;  // a marker at the start: drop the blanks after it too
  for (std::size_t i = 0; i < picture.size();) {
    char c = picture[i];
    if (c == '\'') {
      std::size_t end = picture.find('\'', i + 1);
      end = end == std::string::npos ? picture.size() : end + 1;
      out.append(picture, i, end - i);
      i = end;
      continue;
    }
    if (c == 't') {
      while (i < picture.size() && picture[i] == 't') ++i;
      while (!out.empty() && out.back() == ' ') out.pop_back();
      markerFirst = out.empty();
      continue;
    }
    if (c == ' ' && markerFirst && out.empty()) {
      ++i;
      continue;
    }
    out += c == 'h' ? 'H' : c;
    ++i;
  }
  return out;
}

void Fill(ui::Image& image, int x0, int y0, int x1, int y1, std::uint32_t pixel) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) image.At(x, y) = pixel;
}

// A triangle with its flat side at column `base` and its point at column `tip`, over rows
// 3..12 (the height of the other glyphs), outlined in `edge`.
void Triangle(ui::Image& image, int base, int tip, std::uint32_t fill, std::uint32_t edge) {
  const int step = tip > base ? 1 : -1;
  const int length = std::abs(tip - base);
  for (int x = base; x != tip + step; x += step) {
    int reach = 4 * (length - std::abs(x - base)) / length;  // rows beyond the middle two
    for (int y = 7 - reach; y <= 8 + reach; ++y) {
      bool border = x == base || y == 7 - reach || y == 8 + reach;
      image.At(x, y) = border ? edge : fill;
    }
  }
}

}  // namespace

double TimeOfDay(const StopwatchCounters& v) { return (v.a * 3600.0 + v.b * 60.0 + v.c) / kSecondsPerDay; }

StopwatchCounters SplitTimeOfDay(double value) {
  double fraction = value - std::floor(value);
  long long ms = std::llround(fraction * kSecondsPerDay * 1000.0);
  long long s = ms / 1000;
  return {int(s / 3600 % 24), int(s / 60 % 60), int(s % 60)};
}

bool StepStopwatch(StopwatchCounters& v) {
  v.c += 1;
  if (v.c == 59) {
    v.b += 1;
    v.c = 0;
  }
  if (v.b == 59) {
    v.a += 1;
    v.b = 0;
  }
  if (v.a >= 20) {
    v = {20, 0, 0};
    return false;
  }
  return true;
}

std::string UptimeText(const std::string& longTimePicture, std::uint32_t ms) {
  const std::uint32_t s = ms / 1000;
  platform::DateTime t;
  t.hour = int(s / 3600);
  t.minute = int(s / 60 % 60);
  t.second = int(s % 60);
  t.millisecond = 0;
  return FormatPicture(t.hour < 24 ? longTimePicture : TwentyFourHourPicture(longTimePicture), t);
}

ui::Image StopwatchGlyphImage(StopwatchGlyph glyph) {
  constexpr std::uint32_t kClear = 0xFF00FF;  // the bottom-left colour: left out when drawn
  ui::Image image(16, 16, kClear);
  switch (glyph) {
    case StopwatchGlyph::kStart:
      Triangle(image, 4, 12, 0x30B040, 0x106020);
      break;
    case StopwatchGlyph::kStop:
      Fill(image, 3, 3, 12, 12, 0x802020);
      Fill(image, 4, 4, 11, 11, 0xD04040);
      break;
    case StopwatchGlyph::kReset:
      Fill(image, 2, 3, 4, 12, 0x204080);
      Fill(image, 3, 4, 3, 11, 0x4080D0);
      Triangle(image, 13, 6, 0x4080D0, 0x204080);
      break;
  }
  return image;
}

}  // namespace clockface
