// Basic value types of the component library: colours, geometry, fonts, images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/values.h"

namespace ui {

// Colour numbers, bitmaps and geometry are shared with the operating-system services.
using platform::TColor;
using platform::Image;
using platform::ColorToPixel;
using platform::PixelToColor;
using platform::TPoint;
using platform::TRect;
using platform::TSize;

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

// Every coordinate a window can have.
constexpr TRect kEverywhere{2 * kMinCoordinate, 2 * kMinCoordinate, 2 * kMaxCoordinate, 2 * kMaxCoordinate};

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

// Keys as the keyboard reports them (the system's virtual-key numbers).
constexpr unsigned kKeyTab = 0x09;
constexpr unsigned kKeyReturn = 0x0D;
constexpr unsigned kKeyEscape = 0x1B;
constexpr unsigned kKeySpace = 0x20;
constexpr unsigned kKeyLeft = 0x25;
constexpr unsigned kKeyUp = 0x26;
constexpr unsigned kKeyRight = 0x27;
constexpr unsigned kKeyDown = 0x28;
constexpr unsigned kKeyK = 0x4B;
constexpr unsigned kKeyApps = 0x5D;  // the menu key
constexpr unsigned kKeyF10 = 0x79;

struct TFont {
  std::string name = "MS Sans Serif";
  int size = 8;  // points
  TColor color = clBlack;
  bool bold = false;
  bool underline = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace ui
