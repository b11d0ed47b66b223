#include "chrome/placement.h"

#include <algorithm>
#include <cstdint>

#include "ui/dpi.h"

namespace chrome {

namespace {

constexpr int kReferenceWidth = 1024;
constexpr int kReferenceFreeBottom = 768 - 27;  // the reference screen less its task bar band
constexpr int kBottomBand = 27;

std::int64_t OverlapArea(ui::TRect a, ui::TRect b) {
  const int w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? std::int64_t(w) * h : 0;
}

// Squared distance from a point to the nearest point of a rectangle (0 inside it).
std::int64_t DistanceSquared(ui::TPoint p, ui::TRect r) {
  const std::int64_t dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - (r.right - 1) : 0;
  const std::int64_t dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - (r.bottom - 1) : 0;
  return dx * dx + dy * dy;
}

const platform::MonitorArea* Nearest(const Monitors& monitors, ui::TRect window) {
  const ui::TPoint centre{window.left + window.Width() / 2, window.top + window.Height() / 2};
  const platform::MonitorArea* best = nullptr;
  std::int64_t bestDistance = 0;
  for (const platform::MonitorArea& m : monitors) {
    const std::int64_t d = DistanceSquared(centre, m.bounds);
    if (!best || d < bestDistance) {
      best = &m;
      bestDistance = d;
    }
  }
  return best;
}

// The area the task bar leaves free; the whole monitor when it reports none.
ui::TRect WorkArea(const platform::MonitorArea& monitor) { return monitor.work.Empty() ? monitor.bounds : monitor.work; }

}  // namespace

const platform::MonitorArea* MonitorOf(const Monitors& monitors, ui::TRect window) {
  const platform::MonitorArea* best = nullptr;
  std::int64_t bestOverlap = 0;
  for (const platform::MonitorArea& m : monitors) {
    const std::int64_t overlap = OverlapArea(window, m.bounds);
    if (overlap > bestOverlap) {
      best = &m;
      bestOverlap = overlap;
    }
  }
  return best ? best : Nearest(monitors, window);
}

const platform::MonitorArea* PrimaryOf(const Monitors& monitors) {
  for (const platform::MonitorArea& m : monitors)
    if (m.primary) return &m;
  return monitors.empty() ? nullptr : &monitors.front();
}

ui::TRect SnapArea(const platform::MonitorArea& monitor) {
  ui::TRect area = WorkArea(monitor);
  if (area == monitor.bounds) area.bottom -= ui::ScaleValue(kBottomBand, monitor.dpi);
  return area;
}

ui::TPoint SnapToArea(ui::TPoint pos, ui::TSize window, ui::TRect area, SnapLimits limits, int dpi) {
  if (pos.x >= area.right - ui::ScaleValue(kReferenceWidth - limits.right, dpi)) pos.x = area.right - window.cx;
  if (pos.y >= area.bottom - ui::ScaleValue(kReferenceFreeBottom - limits.bottom, dpi))
    pos.y = area.bottom - window.cy;
  if (pos.x <= area.left + ui::ScaleValue(limits.left, dpi)) pos.x = area.left;
  if (pos.y <= area.top + ui::ScaleValue(limits.top, dpi)) pos.y = area.top;
  return pos;
}

ui::TPoint DefaultPlace(const Monitors& monitors, ui::TSize window) {
  const platform::MonitorArea* primary = PrimaryOf(monitors);
  if (!primary) return {0, 0};
  const ui::TRect area = SnapArea(*primary);
  return {area.right - window.cx, area.bottom - window.cy};
}

ui::TPoint KeepOnMonitor(ui::TPoint pos, ui::TSize before, ui::TSize after, const platform::MonitorArea& monitor) {
  if (before == after) return pos;
  const ui::TRect snap = SnapArea(monitor);
  const ui::TRect work = WorkArea(monitor);
  if (pos.x > snap.left && pos.x + before.cx >= snap.right) pos.x = snap.right - after.cx;
  if (pos.y > snap.top && pos.y + before.cy >= snap.bottom) pos.y = snap.bottom - after.cy;
  pos.x = std::max(work.left, std::min(pos.x, work.right - after.cx));
  pos.y = std::max(work.top, std::min(pos.y, work.bottom - after.cy));
  return pos;
}

ui::TPoint KeepOnAMonitor(const Monitors& monitors, ui::TRect window) {
  const ui::TPoint pos{window.left, window.top};
  for (const platform::MonitorArea& m : monitors)
    if (OverlapArea(window, m.bounds) > 0) return pos;
  const platform::MonitorArea* nearest = Nearest(monitors, window);
  if (!nearest) return pos;
  const ui::TRect work = WorkArea(*nearest);
  // Right and bottom first, so that a window larger than the area keeps its top-left inside.
  const int x = std::max(std::min(pos.x, work.right - window.Width()), work.left);
  const int y = std::max(std::min(pos.y, work.bottom - window.Height()), work.top);
  return {x, y};
}

}  // namespace chrome
