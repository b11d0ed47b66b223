#include "chrome/snapping.h"

#include <algorithm>

namespace chrome {

namespace {
constexpr int kReferenceWidth = 1024;
constexpr int kReferenceHeight = 768;
constexpr int kBottomBand = 27;  // kept free for the task bar
}  // namespace

ui::TPoint Snap(ui::TPoint pos, ui::TSize window, ui::TSize screen, SnapLimits limits) {
  const int dx = screen.cx - kReferenceWidth;
  const int dy = screen.cy - kReferenceHeight;
  if (pos.x >= limits.right + dx) pos.x = screen.cx - window.cx;
  if (pos.y >= limits.bottom + dy) pos.y = screen.cy - kBottomBand - window.cy;
  if (pos.x <= limits.left) pos.x = 0;
  if (pos.y <= limits.top) pos.y = 0;
  return pos;
}

ui::TPoint KeepOnScreen(ui::TPoint pos, ui::TSize before, ui::TSize after, ui::TSize screen) {
  if (before == after) return pos;
  const int bottom = screen.cy - kBottomBand;
  if (pos.x > 0 && pos.x + before.cx >= screen.cx) pos.x = screen.cx - after.cx;
  if (pos.y > 0 && pos.y + before.cy >= bottom) pos.y = bottom - after.cy;
  pos.x = std::max(0, std::min(pos.x, screen.cx - after.cx));
  pos.y = std::max(0, std::min(pos.y, screen.cy - after.cy));
  return pos;
}

}  // namespace chrome
