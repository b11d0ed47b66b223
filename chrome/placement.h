// Where the clock window goes on the real desktop: which monitor it stands on, where it opens
// without a stored position, how a position on no monitor comes back, and snapping to the edges
// of the work area of the monitor it is dropped on.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "ui/types.h"

namespace chrome {

using Monitors = std::vector<platform::MonitorArea>;

// Snapping limits as the callers give them for a 1024 x 768 screen: how far right and down the
// window may stand, and how close to the left and top edges, before it snaps to an edge.
struct SnapLimits {
  int right, bottom, left, top;
};

// The monitor the window stands on: the one it overlaps most; off every monitor, the nearest.
// Null only when there is no monitor.
const platform::MonitorArea* MonitorOf(const Monitors& monitors, ui::TRect window);
// The primary monitor (the first one if none says it is).
const platform::MonitorArea* PrimaryOf(const Monitors& monitors);

// What snapping measures from: the work area. A monitor that reports no bar at all (an
// auto-hidden task bar, a second monitor without one) keeps a band of 27 pixels (scaled) free at
// its bottom, as a screen of that time did for its task bar.
ui::TRect SnapArea(const platform::MonitorArea& monitor);

// Snapping against `area` with the limits that the callers give for a 1024 x 768 screen whose
// bottom 27 pixels are kept free: each limit is a distance from an edge of that screen's free
// area, scaled to `dpi` and measured from the same edge of `area`. Past the right limit the
// window's right edge goes to the area's right edge, past the bottom limit its bottom edge to
// the area's bottom; within the left and top limits it goes to the left and top edges. Each step
// works on the position the previous one left. `window` is the size in the screen's pixels.
ui::TPoint SnapToArea(ui::TPoint pos, ui::TSize window, ui::TRect area, SnapLimits limits, int dpi);

// Where the clock opens with no stored position: the lower right corner of the primary
// monitor's snapping area.
ui::TPoint DefaultPlace(const Monitors& monitors, ui::TSize window);

// A window that lies on no monitor comes into the work area of the nearest one; one that shows
// on any monitor, even in part, stays where it is.
ui::TPoint KeepOnAMonitor(const Monitors& monitors, ui::TRect window);

// Where a window at `pos` on `monitor` goes when its size changes from `before` to `after` (a
// new skin), sizes in the screen's pixels: a right or bottom edge of the snapping area it
// reached stays where it was (past the snapped line counts as reached), the left and top ones
// anyway, and the window ends whole in the monitor's work area (its top-left corner first when
// it is larger). An unchanged size moves nothing.
ui::TPoint KeepOnMonitor(ui::TPoint pos, ui::TSize before, ui::TSize after, const platform::MonitorArea& monitor);

}  // namespace chrome
