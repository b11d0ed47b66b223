// Reading and writing Windows bitmap files (.bmp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/types.h"

namespace resources {

// Largest width or height, and largest number of pixels, accepted from a file.
constexpr int kMaxBitmapSide = 16384;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 24;

// Decodes a bitmap file: 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up or top-down rows,
// run-length coded 4- and 8-bit pixels, the old 12-byte header or any later info header,
// palettes and bit-field masks. A two-colour (1-bit) picture is marked as such. Anything
// malformed, truncated, otherwise compressed or too large gives nothing. Uncompressed pixel
// rows must all be present in `bytes`, so their memory is bounded by the size of the input;
// run-length pictures are bounded by the pixel limit.
std::optional<ui::Image> DecodeBmp(const std::string& bytes);

// Encodes `image` as a 24-bit bottom-up bitmap file; an empty or inconsistent image (pixel
// count not width * height) gives an empty string.
std::string EncodeBmp(const ui::Image& image);

}  // namespace resources
