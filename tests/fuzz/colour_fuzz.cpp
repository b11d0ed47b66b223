// Colour and number texts of skin and settings files: any text converts or raises the
// conversion error, and a converted number reads back from its decimal text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "clock/colors.h"
#include "config/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const ui::TColor colour = clockface::StringToColor(text);
    if (clockface::StringToColor(std::to_string(colour)) != colour) std::abort();
  } catch (const config::EConvertError&) {
  }
  try {
    const int value = config::StrToInt(text);
    if (config::StrToInt(std::to_string(value)) != value) std::abort();
  } catch (const config::EConvertError&) {
  }
  return 0;
}
