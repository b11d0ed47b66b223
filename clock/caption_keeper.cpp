#include "clock/caption_keeper.h"

namespace clockface {

CaptionKeeper::~CaptionKeeper() { RestoreAll(); }

std::string CaptionKeeper::OwnCaption(platform::WindowHandle window) {
  if (window == 0) return {};
  auto it = own_.find(window);
  if (it != own_.end()) return it->second;
  // Windows closed since they were met are forgotten, so that a long session's list stays short.
  std::erase_if(own_, [this](const auto& entry) { return !desktop_.WindowExists(entry.first); });
  return own_.emplace(window, desktop_.WindowCaption(window)).first->second;
}

void CaptionKeeper::SetCaption(platform::WindowHandle window, const std::string& caption) {
  if (window == 0) return;
  OwnCaption(window);
  desktop_.SetWindowCaption(window, caption);
}

void CaptionKeeper::Restore(platform::WindowHandle window) {
  auto it = own_.find(window);
  if (it == own_.end()) return;
  const std::string caption = std::move(it->second);
  own_.erase(it);
  if (desktop_.WindowExists(window) && desktop_.WindowCaption(window) != caption)
    desktop_.SetWindowCaption(window, caption);
}

void CaptionKeeper::RestoreAll() {
  auto windows = std::move(own_);
  own_.clear();
  for (const auto& [window, caption] : windows) {
    if (!desktop_.WindowExists(window)) continue;
    if (desktop_.WindowCaption(window) != caption) desktop_.RestoreWindowCaption(window, caption);
  }
}

}  // namespace clockface
