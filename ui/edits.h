// Text and list input: TEdit (one line of text) and TListBox (a list to pick an item from).
// Each keeps its state; what the user changes comes back from the peer through the
// input entry points (TextEdited, ItemPicked), which tests call directly.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);

  const std::string& Text() const { return text_; }
  // Raises OnChange when the text really changes, as a user's edit does.
  void SetText(const std::string& text);
  // The most characters the user may type (0: no limit). Text set by the program is not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  // A field for a whole number from 0 to `largest`: the user may type digits only (or empty
  // the field), and typing that breaks this is refused, the field showing its text again.
  // A negative `largest` takes any text. Text set by the program is not checked.
  void SetDigitsOnly(int largest);
  bool DigitsOnly() const { return largest_ >= 0; }
  // Whether the rule above lets the user leave `text` in the field.
  bool Acceptable(const std::string& text) const;

  TNotifyEvent OnChange;

  // Input entry point: the user changed the text to `text` (a typed text longer than
  // MaxLength is cut, as the native field would have refused the rest; a text the field does
  // not accept is refused).
  virtual void TextEdited(const std::string& text);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  EditPeer* P() const { return static_cast<EditPeer*>(Peer()); }
  std::string text_;
  int maxLength_ = 0;
  bool readOnly_ = false;
  int largest_ = -1;
};

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the items; the selection goes.
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  void Clear() { SetItems({}); }
  int Count() const { return int(items_.size()); }
  // The selected item's index, -1 for none. Setting it raises no event; an index out of range
  // selects nothing.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The selected item's text, empty when none is selected.
  std::string SelectedText() const;

  // Input entry point: the user picked the item at `index`; raises OnClick.
  void ItemPicked(int index);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;
  // Called after one item was appended (`appended`) or all were replaced, and pushed to the peer.
  virtual void ItemsChanged(bool /*appended*/) {}

 private:
  ListBoxPeer* P() const { return static_cast<ListBoxPeer*>(Peer()); }
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace ui
