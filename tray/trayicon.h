// TTrayIcon: the program's icon in the notification area, with its tool-tip and menu.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/extctrls.h"
#include "ui/menus.h"

namespace tray {

class TTrayIcon : public ui::TComponent {
 public:
  explicit TTrayIcon(ui::TComponent* owner) : ui::TComponent(owner) {}

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool on) { visible_ = on; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& text) {
    if (text.size() >= 64 || text == hint_) return;
    hint_ = text;
  }
  ui::TPopupMenu* PopupMenu = nullptr;
  ui::TImageList* Icons = nullptr;
  int IconIndex = 0;
  ui::TNotifyEvent OnClick;

 private:
  bool visible_ = false;
  std::string hint_;
};

}  // namespace tray
