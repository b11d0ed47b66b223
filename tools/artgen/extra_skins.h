// The skins shipped beside the default one: "mini", a small time-only clock, and "paper", a
// larger wooden frame holding a paper card with a big date.
#pragma once

#include <filesystem>

#include "ui/types.h"

namespace artgen {

// The faces at any size, on the key colour kKey outside their rounded outline.
ui::Image DrawMiniFace(int width, int height);
ui::Image DrawPaperFace(int width, int height);

// Each writes the skin's face, its six button bitmaps and Preview.bmp into `dir`; the skin's
// description file is kept in the source tree.
void WriteMiniSkin(const std::filesystem::path& dir);
void WritePaperSkin(const std::filesystem::path& dir);

}  // namespace artgen
