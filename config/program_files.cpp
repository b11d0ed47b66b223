#include "config/program_files.h"

namespace config {

namespace {

// Letter case and separators folded as the file system compares names: Latin and Cyrillic
// letters (cp1251, Ё included), and "/" as "\".
unsigned char FoldPathChar(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDF) return c + 32;
  if (c == 0xA8) return 0xB8;
  if (c == '/') return '\\';
  return c;
}

bool IsAbsolute(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return true;  // "C:\..." (and drive-relative "C:x")
  return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

}  // namespace

std::string StoredPathIn(const std::string& folder, const std::string& path) {
  if (folder.empty() || path.size() <= folder.size()) return path;
  for (std::size_t i = 0; i < folder.size(); ++i)
    if (FoldPathChar(static_cast<unsigned char>(path[i])) != FoldPathChar(static_cast<unsigned char>(folder[i])))
      return path;
  // A relative path that climbs out again ("..\") would not mean the same file once the
  // folder moves: such a path stays as it was written.
  std::string relative = path.substr(folder.size());
  if (IsAbsolute(relative) || relative.starts_with("..") || relative.find("..\\") != std::string::npos ||
      relative.find("../") != std::string::npos)
    return path;
  return relative;
}

std::string FullPathIn(const std::string& folder, const std::string& stored) {
  if (stored.empty() || IsAbsolute(stored)) return stored;
  return folder + stored;
}

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
