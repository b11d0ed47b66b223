// Where the separators between hours, minutes and seconds stand.
#pragma once

namespace clockface {

// The left edge of a separator `separatorWidth` wide that the skin puts at `skinLeft`, between
// digits that start at `digitsLeft` and are `digitsWidth` wide and the next digits at
// `nextLeft`: centred in the space between the two, so that it sits evenly whatever the widths
// of the font that draws them. A separator the skin does not put between the two stays where
// the skin has it.
int SeparatorLeft(int skinLeft, int digitsLeft, int digitsWidth, int nextLeft, int separatorWidth);

}  // namespace clockface
