// The default skin: clock face, title buttons and preview picture.
#pragma once

#include <filesystem>

#include "ui/types.h"

namespace artgen {

// The face at any size: a rounded graphite panel on pure black, which the skin makes see-through.
ui::Image DrawFace(int width, int height);

// Writes main.bmp, the six button bitmaps and Preview.bmp into `dir`.
void WriteDefaultSkin(const std::filesystem::path& dir);

}  // namespace artgen
