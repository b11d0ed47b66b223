// TCheckListBox: a list box with a check box before each item.
#pragma once

#include <vector>

#include "ui/edits.h"

namespace ui {

class TCheckListBox : public TListBox {
 public:
  explicit TCheckListBox(TComponent* owner);

  // False for an index out of range. Setting a mark raises no event; new items are unmarked.
  bool Checked(int index) const;
  void SetChecked(int index, bool on);

  // Raised when the user ticks or clears an item's box.
  TNotifyEvent OnClickCheck;
  // Input entry point: the user clicked the box of item `index` (or pressed the space bar on
  // it): the mark toggles. Nothing happens while the list (or a parent) is disabled.
  void CheckToggled(int index);

 protected:
  void ItemsChanged(bool appended) override;
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  std::vector<bool> checked_;
};

}  // namespace ui
