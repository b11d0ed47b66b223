// Reading and writing Windows bitmap files (.bmp).
#pragma once

#include <optional>
#include <string>

#include "ui/types.h"

namespace resources {

// Largest width or height accepted from a file.
constexpr int kMaxBitmapSide = 16384;

// Decodes an uncompressed bitmap file: 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up or
// top-down rows, the old 12-byte header or any later info header, palettes and bit-field masks.
// Anything malformed, truncated, compressed or too large gives nothing. Every pixel row must
// be present in `bytes`, so the memory used is bounded by the size of the input.
std::optional<ui::Image> DecodeBmp(const std::string& bytes);

// Encodes `image` as a 24-bit bottom-up bitmap file; an empty or inconsistent image (pixel
// count not width * height) gives an empty string.
std::string EncodeBmp(const ui::Image& image);

}  // namespace resources
