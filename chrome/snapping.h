// Snapping of the clock window to the screen edges.
#pragma once

#include "ui/types.h"

namespace chrome {

// Limits as the callers give them for a 1024 x 768 screen; on another screen size they move
// with the right and bottom edges, so the window snaps to the real edges.
struct SnapLimits {
  int right, bottom, left, top;
};

// Where a window at `pos` ends after snapping: past the right limit it goes to the right edge,
// past the bottom limit to 27 pixels above the bottom edge, within the left and top limits to
// the left and top edges; each step works on the position the previous one left.
ui::TPoint Snap(ui::TPoint pos, ui::TSize window, ui::TSize screen, SnapLimits limits);

// Where a window at `pos` goes when its size changes from `before` to `after` (a new skin):
// the right or bottom edge it reached stays where it was (the bottom one as snapping leaves
// it, 27 pixels above the screen's), the left and top ones anyway, and the window ends whole
// on the screen (its top-left corner first when it is larger). An unchanged size moves nothing.
ui::TPoint KeepOnScreen(ui::TPoint pos, ui::TSize before, ui::TSize after, ui::TSize screen);

}  // namespace chrome
