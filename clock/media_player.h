// TMediaPlayer: the main window's player of sound files (chimes, sound tests of other windows).
// One file at a time: a file started while another plays replaces it.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/component.h"

namespace clockface {

class TMediaPlayer : public ui::TComponent {
 public:
  TMediaPlayer(ui::TComponent* owner, platform::Sound& sound) : ui::TComponent(owner), sound_(sound) {}

  // The file last asked for.
  const std::string& FileName() const { return fileName_; }
  // Opens `path` (closing the file still open) and starts playing it; returns while it plays.
  // Raises platform::MediaError with the media layer's text when the file cannot be played.
  void PlayFile(const std::string& path) {
    fileName_ = path;
    sound_.PlayFile(path);
  }

 private:
  platform::Sound& sound_;
  std::string fileName_;
};

}  // namespace clockface
