// The default skin: clock face, title buttons and preview picture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "ui/types.h"

namespace artgen {

// The face at any size: a rounded graphite panel on pure black, which the skin makes see-through.
// `scale` 2 draws the same face at twice the size (for displays of 150 % and more).
ui::Image DrawFace(int width, int height, int scale = 1);
// A picture with every pixel drawn as a square of `scale` pixels: the buttons are pixel art.
ui::Image Enlarged(const ui::Image& image, int scale);

// Draws `text` (digits, '.' and ':') in 5 x 7 pixel cells scaled by `scale` at (x, y), for
// skin previews; returns the pen position after it.
int DrawSmallText(ui::Image& image, int x, int y, const std::string& text, int scale, std::uint32_t color);

// Writes main.bmp, the six button bitmaps and Preview.bmp into `dir`.
void WriteDefaultSkin(const std::filesystem::path& dir);

}  // namespace artgen
