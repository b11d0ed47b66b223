// Decoding JPEG pictures (the window backgrounds kept in the program's resources).
#pragma once

#include <optional>
#include <string>

#include "ui/types.h"

namespace resources {

// Largest picture accepted, in pixels, and largest side.
constexpr long kMaxJpegPixels = 1L << 24;
constexpr int kMaxJpegSide = 16384;

// Decodes a baseline or progressive JPEG in greyscale, colour or CMYK. Corrupt, truncated or
// oversized data gives nothing; it never ends the process.
std::optional<ui::Image> DecodeJpeg(const std::string& bytes);

}  // namespace resources
