// Value types that the operating-system services and the component library share: colour
// numbers, bitmaps, points, rectangles and sizes. The component library re-exports them as its own (ui/types.h).
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
  // The density the picture was drawn for: 192 for one drawn at twice the designed size. Its
  // designed size (what a control sized by its picture takes) is its size scaled back to 96.
  int dpi = 96;
  int DesignedWidth() const { return dpi == 96 || dpi <= 0 ? width : (width * 96 + dpi / 2) / dpi; }
  int DesignedHeight() const { return dpi == 96 || dpi <= 0 ? height : (height * 96 + dpi / 2) / dpi; }

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

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Intersects(const TRect& o) const {
    return !Empty() && !o.Empty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  TRect United(const TRect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right,
            bottom > o.bottom ? bottom : o.bottom};
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Converts between colour numbers (0x00BBGGRR) and pixels (0x00RRGGBB).
constexpr std::uint32_t ColorToPixel(TColor c) {
  auto v = std::uint32_t(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t p) { return TColor(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF)); }

}  // namespace platform
