// Where the separators between hours, minutes and seconds stand, and how much room a text has
// on the face.
#pragma once

#include <functional>
#include <vector>

#include "platform/values.h"

namespace clockface {

// The left edge of a separator `separatorWidth` wide that the skin puts at `skinLeft`, between
// digits that start at `digitsLeft` and are `digitsWidth` wide and the next digits at
// `nextLeft`: centred in the space between the two, so that it sits evenly whatever the widths
// of the font that draws them. A separator the skin does not put between the two stays where
// the skin has it.
int SeparatorLeft(int skinLeft, int digitsLeft, int digitsWidth, int nextLeft, int separatorWidth);

// The width a text starting at `text`'s left edge may take on the face: up to the first of
// `obstacles` (the skin's buttons) that stands to its right on the rows it covers, or else up
// to the face's right edge `faceWidth`, less a gap of one pixel.
int RoomToTheRight(const platform::TRect& text, const std::vector<platform::TRect>& obstacles, int faceWidth);

// The largest font size from `size` down to `smallest` at which `widthAt(size)` fits `room`;
// `smallest` when none does. A `size` not above `smallest` is kept.
int SizeThatFits(int size, int smallest, int room, const std::function<int(int)>& widthAt);

}  // namespace clockface
