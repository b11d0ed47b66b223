// TListView in report style: rows of a caption and sub-item texts under columns, with grid
// lines, whole-row selection, a check box per row and hot tracking (the row under the pointer
// underlined, the pointer a hand). The control holds every row; the native control reads the
// rows it shows from it, so filling thousands of rows costs one update.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

class TListView;

struct TListColumn {
  std::string caption;
  int width = 50;
  int minWidth = 0;  // 0: no limit
  int maxWidth = 0;  // 0: no limit
};

class TListItem {
 public:
  TListItem(TListView& owner, int index) : owner_(owner), index_(index) {}

  int Index() const { return index_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The texts of the second and later columns, in order.
  const std::vector<std::string>& SubItems() const { return subItems_; }
  void SetSubItems(const std::vector<std::string>& texts);
  void AddSubItem(const std::string& text);
  // The text shown in `column` (0 is the caption); empty beyond the sub-items.
  const std::string& Text(int column) const;
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  // Drawn in the system's grey text colour (an entry that is switched off).
  bool Grayed() const { return grayed_; }
  void SetGrayed(bool on);

 private:
  friend class TListView;
  TListView& owner_;
  int index_;
  std::string caption_;
  std::vector<std::string> subItems_;
  bool checked_ = false;
  bool grayed_ = false;
};

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;

  // Columns, left to right.
  const std::vector<TListColumn>& Columns() const { return columns_; }
  void AddColumn(const std::string& caption, int width, int minWidth = 0, int maxWidth = 0);
  // Sets a column's width, kept within its limits.
  void SetColumnWidth(int column, int width);

  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool on);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool on);
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);

  // Rows. An added row is owned by the list and lives until the list is cleared.
  int ItemCount() const { return int(items_.size()); }
  TListItem& Item(int index) { return *items_.at(std::size_t(index)); }
  const TListItem& Item(int index) const { return *items_.at(std::size_t(index)); }
  TListItem& AddItem(const std::string& caption, const std::vector<std::string>& subItems = {}, bool checked = false);
  // Removes every row; the selection and the hot row go.
  void Clear();
  // While updating, added and changed rows reach the native control once, at EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // The selected row's index, -1 for none; setting it raises no event.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  TListItem* Selected() { return itemIndex_ >= 0 ? items_[std::size_t(itemIndex_)].get() : nullptr; }
  // The row under the pointer while hot tracking, -1 for none; the pointer is a hand over it.
  int HotItem() const { return hotItem_; }
  bool HandCursor() const { return hotItem_ >= 0; }

  // Input entry points, ignored while the list is disabled or hidden.
  // The user clicked row `index` (-1: the empty area below the rows): it becomes the selected
  // row (none for -1) and OnClick is raised.
  void ItemClicked(int index);
  // The user clicked the check box of row `index` (or pressed the space bar on it): its mark
  // turns over, OnItemChecked and then OnClick are raised; the selection stays.
  void CheckClicked(int index);
  // Raised when the user turned a row's mark over, with that row.
  std::function<void(TListItem& item)> OnItemChecked;
  // The native control changed the selection (by the keyboard, or on a right click).
  void SelectionChanged(int index);
  // The pointer is now over row `index` (-1: over no row, or outside the list).
  void PointerOverItem(int index);
  // The user dragged a column's divider to `width`; the width is kept within the column's limits.
  void ColumnResized(int column, int width);
  // The user asked for the context menu at a screen point; true when the list has a menu and
  // showed it. A list without a menu (SetPopupMenu(nullptr)) shows none.
  bool ContextPopup(TPoint screen);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  friend class TListItem;
  ListViewPeer* P() const { return static_cast<ListViewPeer*>(Peer()); }
  bool Accepts() const { return Enabled() && Visible(); }
  void RowChanged(int index);
  static int Clamp(const TListColumn& column, int width);

  std::vector<TListColumn> columns_;
  std::vector<std::unique_ptr<TListItem>> items_;
  bool gridLines_ = false;
  bool rowSelect_ = false;
  bool checkboxes_ = false;
  bool hotTrack_ = false;
  int itemIndex_ = -1;
  int hotItem_ = -1;
  int updating_ = 0;
  bool pendingSync_ = false;  // rows or selection changed during an update
};

}  // namespace ui
