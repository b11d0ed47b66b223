#include "ui/menus.h"

#include <algorithm>

#include "ui/application.h"

namespace ui {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* i : items_) i->parent_ = nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  const std::size_t at = index < 0 ? 0 : std::min(std::size_t(index), items_.size());
  items_.insert(items_.begin() + std::ptrdiff_t(at), item);
}

void TMenuItem::Remove(TMenuItem* item) {
  std::erase(items_, item);
  if (item->parent_ == this) item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) {
  if (HasApplication()) peer_ = Application().Widgets().CreateMenuPeer(*this);
}

TPopupMenu::~TPopupMenu() { peer_.reset(); }

void TPopupMenu::Popup(int x, int y) {
  lastPoint_ = {x, y};
  ++popupCount_;
  if (OnPopup) OnPopup(this);
  if (peer_) peer_->Popup({x, y});
}

}  // namespace ui
