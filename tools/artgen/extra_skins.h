// The skins shipped beside the default one: "mini", a small time-only clock, and "paper", a
// larger wooden frame holding a paper card with a big date.
#pragma once

#include <filesystem>

#include "ui/types.h"

namespace artgen {

// The faces at any size, on the key colour kKey outside their rounded outline; `scale` draws
// the same face with that many pixels for each one (2 for the "@2x" pictures).
ui::Image DrawMiniFace(int width, int height, int scale = 1);
ui::Image DrawPaperFace(int width, int height, int scale = 1);

// Each writes the skin's face, its six button bitmaps (each also at twice the size, "@2x") and
// Preview.bmp into `dir`; the skin's description file is kept in the source tree.
void WriteMiniSkin(const std::filesystem::path& dir);
void WritePaperSkin(const std::filesystem::path& dir);

}  // namespace artgen
