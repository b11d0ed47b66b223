// Bitmap files: anything decodes to a consistent picture within the limits or to nothing, and
// a decoded picture survives being written and read again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "resources/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto image = resources::DecodeBmp(bytes);
  if (!image) return 0;
  if (image->width <= 0 || image->height <= 0 || image->width > resources::kMaxBitmapSide ||
      image->height > resources::kMaxBitmapSide ||
      image->pixels.size() != std::size_t(image->width) * std::size_t(image->height) ||
      std::int64_t(image->pixels.size()) > resources::kMaxBitmapPixels)
    std::abort();
  for (std::uint32_t pixel : image->pixels)
    if (pixel > 0xFFFFFF) std::abort();
  const auto again = resources::DecodeBmp(resources::EncodeBmp(*image));
  if (!again || again->pixels != image->pixels) std::abort();
  return 0;
}
