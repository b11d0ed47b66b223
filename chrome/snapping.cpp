#include "chrome/snapping.h"

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

}  // namespace chrome
