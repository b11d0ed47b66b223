// Writing into the captions of other programs' windows without losing them: the keeper
// remembers each window's own caption the first time it writes there and gives it back.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

namespace clockface {

class CaptionKeeper {
 public:
  explicit CaptionKeeper(platform::Desktop& desktop) : desktop_(desktop) {}
  // The captions still written are given back.
  ~CaptionKeeper();
  CaptionKeeper(const CaptionKeeper&) = delete;
  CaptionKeeper& operator=(const CaptionKeeper&) = delete;

  // The window's own caption: the one it had when the keeper first met it. Empty for no window.
  std::string OwnCaption(platform::WindowHandle window);
  // Writes `caption` into the window, remembering its own caption first. No window: nothing.
  void SetCaption(platform::WindowHandle window, const std::string& caption);
  // The window gets its own caption back, if it still exists and shows another, and is
  // forgotten: met again, its caption then is its own. A window never met: nothing.
  void Restore(platform::WindowHandle window);
  // Every window written to that still exists gets its own caption back, and the keeper forgets
  // them all; a window closed meanwhile is passed over.
  void RestoreAll();
  bool Empty() const { return own_.empty(); }

 private:
  platform::Desktop& desktop_;
  std::map<platform::WindowHandle, std::string> own_;
};

}  // namespace clockface
