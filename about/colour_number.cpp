#include "about/colour_number.h"

#include <algorithm>

namespace about {

std::uint32_t ColourNumber(int red, int green, int blue) {
  auto byte = [](int v) { return std::uint32_t(std::clamp(v, 0, 255)); };
  return byte(red) + 256u * byte(green) + 65536u * byte(blue);
}

std::string ColourNumberText(ui::TColor colour) {
  const auto bits = std::uint32_t(colour);
  return std::to_string(ColourNumber(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF)));
}

}  // namespace about
