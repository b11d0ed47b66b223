// The program's own files, opened once for the whole program and handed to every window's
// constructor: the program folder, the configuration file, the events' detail file, the
// picture library and the player of sound files.
#pragma once

#include <memory>
#include <string>

#include "config/ini.h"
#include "config/settings.h"
#include "platform/platform.h"
#include "ui/types.h"

namespace clockface {
class TMediaPlayer;
}

namespace config {

// `path` relative to `folder` (its trailing separator included) when it lies inside it, letter
// case aside; otherwise, or when it would climb out again with "..", `path` itself.
std::string StoredPathIn(const std::string& folder, const std::string& path);
// A relative `stored` path under `folder`; an absolute one, or an empty one, as it is.
std::string FullPathIn(const std::string& folder, const std::string& stored);

class ProgramFiles {
 public:
  // `appDir` is the program folder with its trailing separator; the picture library is loaded
  // later, by the main window as it is created.
  ProgramFiles(std::string appDir, std::unique_ptr<platform::ResourceLibrary> imageLib,
               clockface::TMediaPlayer& mediaPlayer);

  const std::string& AppDir() const { return appDir_; }
  // A file below the program folder, `relative` written with backslashes ("Sound\Beep.wav").
  std::string Path(const std::string& relative) const { return appDir_ + relative; }
  // A user's file (a chime's sound) as stored in the settings: inside the program folder
  // relative to it ("Sound\Beep.wav"), so that a moved folder keeps it; elsewhere as it is.
  std::string StoredPath(const std::string& path) const { return StoredPathIn(appDir_, path); }
  // A stored path for use: a relative one under the program folder, an absolute one as it is;
  // empty stays empty (no file).
  std::string FullPath(const std::string& stored) const { return FullPathIn(appDir_, stored); }

  // "Cfg\Clock_config.ini".
  Settings& Config() { return config_; }
  // "Gear\gear.ini", the events' details.
  TIniFile& Gear() { return gear_; }
  // "resources\images.dll", the bitmaps of menus and buttons.
  platform::ResourceLibrary& ImageLib() { return *imageLib_; }
  // A bitmap of the picture library; empty when the library is not loaded or lacks the name.
  ui::Image LibraryPicture(const std::string& name);
  // Plays chimes, reminders' and birthdays' signals and the settings window's sound tests.
  clockface::TMediaPlayer& MediaPlayer() { return mediaPlayer_; }

 private:
  std::string appDir_;
  Settings config_;
  TIniFile gear_;
  std::unique_ptr<platform::ResourceLibrary> imageLib_;
  clockface::TMediaPlayer& mediaPlayer_;
};

}  // namespace config
