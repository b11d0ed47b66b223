// Pictures from files: Windows bitmaps and JPEGs, recognised by their content.
#pragma once

#include <string>

#include "ui/types.h"

namespace resources {

// Loads a picture file. Throws platform::FileError when the file cannot be read and
// std::runtime_error when its content is not a picture we can decode.
ui::Image LoadPictureFile(const std::string& path);

}  // namespace resources
