// The parts of the Windows backend that need no Windows headers: translating input flags,
// colour numbers, font sizes and delays, splitting text into lines, laying out menus.
// Header-only, so that a host-side test can include it as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui::win32 {

// The band a one-line edit's client area is narrowed to so that its text, `textHeight` high
// (the edit draws it at the top of its client area), stands in the middle of an area from `top`
// to `bottom`; an area no taller than the text stays as it is.
struct Band {
  int top, bottom;
};
constexpr Band CentredTextBand(int top, int bottom, int textHeight) {
  const int spare = bottom - top - textHeight;
  if (spare <= 0 || textHeight <= 0) return {top, bottom};
  return {top + spare / 2, top + spare / 2 + textHeight};
}

// The key and button flags that mouse messages carry in wParam (the system's MK_* values).
constexpr unsigned kMouseKeyLeft = 0x0001;
constexpr unsigned kMouseKeyRight = 0x0002;
constexpr unsigned kMouseKeyShift = 0x0004;
constexpr unsigned kMouseKeyControl = 0x0008;
constexpr unsigned kMouseKeyMiddle = 0x0010;

constexpr TShiftState ShiftFromMouseKeys(unsigned keys, bool altDown) {
  TShiftState s = 0;
  if (keys & kMouseKeyShift) s |= ssShift;
  if (altDown) s |= ssAlt;
  if (keys & kMouseKeyControl) s |= ssCtrl;
  if (keys & kMouseKeyLeft) s |= ssLeft;
  if (keys & kMouseKeyRight) s |= ssRight;
  if (keys & kMouseKeyMiddle) s |= ssMiddle;
  return s;
}

// Negative colour numbers name system colours; the low byte is the system's colour index.
constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return int(std::uint32_t(c) & 0xFF); }

// The logical font height for a size in points at `dpi` pixels per inch, negative so that the
// system matches the character height (not the cell height); rounded as the system's MulDiv.
constexpr int FontHeight(int points, int dpi) {
  std::int64_t n = std::int64_t(points) * dpi;
  std::int64_t rounded = n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72);
  return -int(rounded);
}

// The tool-tip control keeps its delays as signed 16-bit numbers: longer ones are cut to the maximum.
constexpr int TooltipDelay(int ms) { return ms < 0 ? 0 : ms > 32767 ? 32767 : ms; }

// How far the text of a tool-tip reaches beyond the width the tool-tip makes room for. The
// control sizes itself by the text's extent; some systems (Wine) draw each glyph at its bitmap's
// advance, which can add up to more. Per line: the extent, and the advances of its glyphs as
// drawn. The tip keeps this much more room on its right.
inline int TipOverhang(const std::vector<int>& extents, const std::vector<std::vector<int>>& drawnAdvances) {
  int overhang = 0;
  for (std::size_t i = 0; i < extents.size() && i < drawnAdvances.size(); ++i) {
    int drawn = 0;
    for (int advance : drawnAdvances[i]) drawn += advance;
    if (drawn - extents[i] > overhang) overhang = drawn - extents[i];
  }
  return overhang;
}

// The lines of a text; "\r\n", "\n" and "\r" all end a line.
inline std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// The place a menu keeps for an item's picture: a small margin before the picture and, after
// it, the gap that keeps the item's text off it (the menu starts the text where this place
// ends). The picture stands `pictureLeft` from the place's left edge, centred in height.
struct MenuPictureBox {
  int width, height, pictureLeft;
};
constexpr int kMenuPictureMargin = 2;
constexpr MenuPictureBox MenuPictureLayout(int pictureWidth, int pictureHeight, int textGap) {
  return {kMenuPictureMargin + pictureWidth + (textGap > kMenuPictureMargin ? textGap : kMenuPictureMargin),
          pictureHeight + 2 * kMenuPictureMargin, kMenuPictureMargin};
}

// The entries a menu shows: hidden items are left out, and so are separators that would stand
// first, last or next to another separator once the hidden items are gone.
template <class Item, class IsVisible, class IsSeparator>
std::vector<Item*> ShownMenuEntries(const std::vector<Item*>& items, IsVisible visible, IsSeparator separator) {
  std::vector<Item*> shown;
  Item* pendingSeparator = nullptr;  // the first separator of a run, shown if an item follows
  for (Item* item : items) {
    if (!visible(*item)) continue;
    if (separator(*item)) {
      if (!shown.empty() && !pendingSeparator) pendingSeparator = item;
      continue;
    }
    if (pendingSeparator) shown.push_back(pendingSeparator);
    pendingSeparator = nullptr;
    shown.push_back(item);
  }
  return shown;
}

}  // namespace ui::win32
