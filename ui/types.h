// Basic value types of the component library: colours, geometry, fonts, images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// A colour number: red + 256 * green + 65536 * blue. Negative values name
// system colours (see colors.h); they are resolved by the backend when drawn.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clOlive = 0x008080;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clFuchsia = 0xFF00FF;

// Window positions and sizes are kept within what the system's window coordinates hold
// (16 bits), so that position + size never overflows whatever numbers arrive from files.
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;
constexpr int ClampCoordinate(int v) { return v < kMinCoordinate ? kMinCoordinate : v > kMaxCoordinate ? kMaxCoordinate : v; }
constexpr int ClampExtent(int v) { return v < 0 ? 0 : v > kMaxCoordinate ? kMaxCoordinate : v; }

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

// Every coordinate a window can have.
constexpr TRect kEverywhere{2 * kMinCoordinate, 2 * kMinCoordinate, 2 * kMaxCoordinate, 2 * kMaxCoordinate};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Scroll bars of multi-line text boxes.
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Shift state flags, bit order Shift, Alt, Ctrl, Left, Right, Middle, Double.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1 << 0;
constexpr TShiftState ssAlt = 1 << 1;
constexpr TShiftState ssCtrl = 1 << 2;
constexpr TShiftState ssLeft = 1 << 3;
constexpr TShiftState ssRight = 1 << 4;
constexpr TShiftState ssMiddle = 1 << 5;
constexpr TShiftState ssDouble = 1 << 6;

struct TFont {
  std::string name = "MS Sans Serif";
  int size = 8;  // points
  TColor color = clBlack;
  bool bold = false;
  bool underline = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

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

// Converts between colour numbers (0x00BBGGRR) and pixels (0x00RRGGBB).
constexpr std::uint32_t ColorToPixel(TColor c) {
  auto v = std::uint32_t(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
constexpr TColor PixelToColor(std::uint32_t p) { return TColor(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF)); }

}  // namespace ui
