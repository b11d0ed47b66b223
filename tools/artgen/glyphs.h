// The image library's pictures.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/canvas.h"

namespace artgen {

struct NamedImage {
  std::string name;
  ui::Image image;
};

// Every picture of the library, by resource name, with kKey as the see-through background.
std::vector<NamedImage> DrawImageLibrary();

}  // namespace artgen
