#include "config/program_files.h"

namespace config {

ProgramFiles::ProgramFiles(std::string appDir, std::unique_ptr<platform::ResourceLibrary> imageLib,
                           clockface::TMediaPlayer& mediaPlayer)
    : appDir_(std::move(appDir)),
      config_(appDir_ + "Cfg\\Clock_config.ini"),
      gear_(appDir_ + "Gear\\gear.ini"),
      imageLib_(std::move(imageLib)),
      mediaPlayer_(mediaPlayer) {}

ui::Image ProgramFiles::LibraryPicture(const std::string& name) {
  if (!imageLib_->Loaded()) return {};
  return imageLib_->Bitmap(name).value_or(ui::Image{});
}

}  // namespace config
