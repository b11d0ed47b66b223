#include "ui/edits.h"

#include <algorithm>

namespace ui {

TEdit::TEdit(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TEdit::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (auto* p = P()) p->SetText(text_);
  if (OnChange) OnChange(this);
}

void TEdit::SetMaxLength(int length) {
  length = std::max(length, 0);
  if (length == maxLength_) return;
  maxLength_ = length;
  if (auto* p = P()) p->SetMaxLength(maxLength_);
}

void TEdit::SetReadOnly(bool on) {
  if (on == readOnly_) return;
  readOnly_ = on;
  if (auto* p = P()) p->SetReadOnly(on);
}

void TEdit::SetDigitsOnly(int largest) {
  largest = std::max(largest, -1);
  if (largest == largest_) return;
  const bool changed = (largest >= 0) != DigitsOnly();
  largest_ = largest;
  if (auto* p = P(); p && changed) p->SetDigitsOnly(DigitsOnly());
}

bool TEdit::Acceptable(const std::string& text) const {
  if (!DigitsOnly()) return true;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > largest_) return false;
  }
  return true;
}

void TEdit::TextEdited(const std::string& text) {
  std::string typed = maxLength_ > 0 && int(text.size()) > maxLength_ ? text.substr(0, std::size_t(maxLength_)) : text;
  if (!Acceptable(typed)) {
    // The native field shows the refused text: it gets the model's back.
    if (auto* p = P()) p->SetText(text_);
    return;
  }
  if (typed == text_) return;
  // The native field shows it already: only the model follows.
  text_ = typed;
  if (OnChange) OnChange(this);
}

std::unique_ptr<WinControlPeer> TEdit::CreatePeer(WidgetSet& widgets) { return widgets.CreateEditPeer(*this); }

TListBox::TListBox(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TListBox::SetItems(const std::vector<std::string>& items) {
  if (items == items_ && itemIndex_ == -1) return;
  items_ = items;
  itemIndex_ = -1;
  if (auto* p = P()) p->SetItems(items_);
  ItemsChanged(false);
}

void TListBox::AddItem(const std::string& item) {
  items_.push_back(item);
  if (auto* p = P()) {
    p->SetItems(items_);
    p->SetItemIndex(itemIndex_);
  }
  ItemsChanged(true);
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (auto* p = P()) p->SetItemIndex(itemIndex_);
}

std::string TListBox::SelectedText() const { return itemIndex_ >= 0 ? items_[std::size_t(itemIndex_)] : std::string(); }

void TListBox::ItemPicked(int index) {
  if (index < 0 || index >= Count()) return;
  itemIndex_ = index;
  if (OnClick) OnClick(this);
}

std::unique_ptr<WinControlPeer> TListBox::CreatePeer(WidgetSet& widgets) { return widgets.CreateListBoxPeer(*this); }

}  // namespace ui
