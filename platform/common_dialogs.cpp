#include "platform/platform.h"

namespace platform {

const std::vector<FileFilter>& StandardPictureFilters() {
  // Only what the program's picture loader reads: JPEG and bitmaps.
  static const std::vector<FileFilter> filters = {
      {"Все рисунки (*.jpg;*.jpeg;*.bmp)", "*.jpg;*.jpeg;*.bmp"},
      {"Рисунки JPEG (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
      {"Точечные рисунки (*.bmp)", "*.bmp"},
  };
  return filters;
}

}  // namespace platform
