// Menus: TMenuItem (caption, bitmap, sub-items) and TPopupMenu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/types.h"
#include "ui/widgetset.h"

namespace ui {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  std::string Caption;  // "-" makes a separator
  Image Bitmap;         // drawn with its bottom-left colour left out; empty = no picture
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  TNotifyEvent OnClick;

  bool IsSeparator() const { return Caption == "-"; }
  void Add(TMenuItem* item);
  // Puts `item` before the item at `index` (at the end for an index past the last).
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }
  int Count() const { return int(items_.size()); }
  TMenuItem* Parent() const { return parent_; }

  // Runs the item's action as a choice in the menu would.
  void Click();

 private:
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* Items() { return root_; }
  // Shows the menu at a screen point. Without a native peer it only records the request.
  void Popup(int x, int y);
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // The last position asked for and how often the menu was opened (tests read these).
  TPoint LastPopupPoint() const { return lastPoint_; }
  int PopupCount() const { return popupCount_; }

 private:
  TMenuItem* root_;
  std::unique_ptr<MenuPeer> peer_;
  TPoint lastPoint_;
  int popupCount_ = 0;
};

}  // namespace ui
