// Value types that the operating-system services and the component library share: colour
// numbers and bitmaps. The component library re-exports them as its own (ui/types.h).
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// A colour number: red + 256 * green + 65536 * blue. Negative values name system colours,
// which the component library's backend resolves when it draws.
using TColor = std::int32_t;

// A bitmap held as 0x00RRGGBB pixels, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  // A two-colour picture: drawn transparently, it leaves out white.
  bool twoColour = false;

  Image() = default;
  Image(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  bool Empty() const { return width <= 0 || height <= 0; }
  std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  std::uint32_t& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  std::uint32_t BottomLeft() const { return Empty() ? 0 : At(0, height - 1); }
  // The colour left out when the picture is drawn transparently: white for a two-colour
  // picture, else the colour of its bottom-left pixel.
  std::uint32_t TransparentKey() const { return twoColour ? 0xFFFFFFu : BottomLeft(); }
  friend bool operator==(const Image&, const Image&) = default;
};

// Converts between colour numbers (0x00BBGGRR) and pixels (0x00RRGGBB).
constexpr std::uint32_t ColorToPixel(TColor c) {
  auto v = std::uint32_t(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t p) { return TColor(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF)); }

}  // namespace platform
