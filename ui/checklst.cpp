#include "ui/checklst.h"

namespace ui {

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) {}

bool TCheckListBox::Checked(int index) const {
  return index >= 0 && index < int(checked_.size()) && checked_[std::size_t(index)];
}

void TCheckListBox::SetChecked(int index, bool on) {
  if (index < 0 || index >= int(checked_.size()) || checked_[std::size_t(index)] == on) return;
  checked_[std::size_t(index)] = on;
  if (auto* p = static_cast<CheckListBoxPeer*>(Peer())) p->SetChecked(index, on);
}

void TCheckListBox::CheckToggled(int index) {
  if (!EnabledInTree() || index < 0 || index >= int(checked_.size())) return;
  SetChecked(index, !Checked(index));
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::ItemsChanged(bool appended) {
  // New items start unmarked; an appended one leaves the others' marks, which the peer shows
  // again after it got the whole list.
  if (!appended) {
    checked_.assign(std::size_t(Count()), false);
    return;
  }
  checked_.resize(std::size_t(Count()), false);
  if (auto* p = static_cast<CheckListBoxPeer*>(Peer()))
    for (int i = 0; i < Count(); ++i)
      if (checked_[std::size_t(i)]) p->SetChecked(i, true);
}

std::unique_ptr<WinControlPeer> TCheckListBox::CreatePeer(WidgetSet& widgets) {
  return widgets.CreateCheckListBoxPeer(*this);
}

}  // namespace ui
