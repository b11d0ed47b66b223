// Colour numbers as skin files write them: red + 256 * green + 65536 * blue, in decimal.
#pragma once

#include <cstdint>
#include <string>

#include "ui/types.h"

namespace about {

// The number of a colour given by its components, each 0 to 255 (values outside are clamped).
std::uint32_t ColourNumber(int red, int green, int blue);

// The decimal text of a colour's number, without sign, separator or prefix. Only the 24 colour
// bits count, so the text is always the number of a plain red, green and blue colour.
std::string ColourNumberText(ui::TColor colour);

}  // namespace about
