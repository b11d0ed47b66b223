#include "resources/picture.h"

#include <stdexcept>

#include "platform/files.h"
#include "resources/bitmap_file.h"
#include "resources/jpeg.h"

namespace resources {

ui::Image LoadPictureFile(const std::string& path) {
  auto bytes = platform::ReadFile(path);
  if (!bytes) throw platform::CannotOpen(path);
  std::optional<ui::Image> image;
  if (bytes->size() >= 2 && bytes->compare(0, 2, "BM") == 0)
    image = DecodeBmp(*bytes);
  else if (bytes->size() >= 3 && static_cast<unsigned char>((*bytes)[0]) == 0xFF &&
           static_cast<unsigned char>((*bytes)[1]) == 0xD8)
    image = DecodeJpeg(*bytes);
  if (!image) throw std::runtime_error("Файл \"" + path + "\" не является рисунком BMP или JPEG");
  return *image;
}

}  // namespace resources
