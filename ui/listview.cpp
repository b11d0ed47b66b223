#include "ui/listview.h"

#include <algorithm>

#include "ui/menus.h"

namespace ui {

void TListItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  owner_.RowChanged(index_);
}

void TListItem::SetSubItems(const std::vector<std::string>& texts) {
  if (texts == subItems_) return;
  subItems_ = texts;
  owner_.RowChanged(index_);
}

void TListItem::AddSubItem(const std::string& text) {
  subItems_.push_back(text);
  owner_.RowChanged(index_);
}

const std::string& TListItem::Text(int column) const {
  static const std::string empty;
  if (column == 0) return caption_;
  if (column < 0 || column > int(subItems_.size())) return empty;
  return subItems_[std::size_t(column - 1)];
}

void TListItem::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  owner_.RowChanged(index_);
}

void TListItem::SetGrayed(bool on) {
  if (on == grayed_) return;
  grayed_ = on;
  owner_.RowChanged(index_);
}

TListView::TListView(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 250, 150); }

TListView::~TListView() {
  // The peer reads rows while it goes; let it go first.
  peer_.reset();
}

int TListView::Clamp(const TListColumn& column, int width) {
  if (column.maxWidth > 0) width = std::min(width, column.maxWidth);
  if (column.minWidth > 0) width = std::max(width, column.minWidth);
  return std::max(width, 0);
}

void TListView::AddColumn(const std::string& caption, int width, int minWidth, int maxWidth) {
  TListColumn column{caption, 0, minWidth, maxWidth};
  column.width = Clamp(column, width);
  columns_.push_back(column);
  if (auto* p = P()) p->ColumnsChanged();
}

void TListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= int(columns_.size())) return;
  TListColumn& c = columns_[std::size_t(column)];
  width = Clamp(c, width);
  if (width == c.width) return;
  c.width = width;
  if (auto* p = P()) p->ColumnsChanged();
}

void TListView::SetGridLines(bool on) {
  if (on == gridLines_) return;
  gridLines_ = on;
  if (auto* p = P()) p->SetGridLines(on);
}

void TListView::SetRowSelect(bool on) {
  if (on == rowSelect_) return;
  rowSelect_ = on;
  if (auto* p = P()) p->SetRowSelect(on);
}

void TListView::SetCheckboxes(bool on) {
  if (on == checkboxes_) return;
  checkboxes_ = on;
  if (auto* p = P()) p->SetCheckboxes(on);
}

void TListView::SetHotTrack(bool on) {
  if (on == hotTrack_) return;
  hotTrack_ = on;
  if (!on) hotItem_ = -1;
  if (auto* p = P()) p->SetHotTrack(on);
}

TListItem& TListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems, bool checked) {
  auto item = std::make_unique<TListItem>(*this, int(items_.size()));
  item->caption_ = caption;
  item->subItems_ = subItems;
  item->checked_ = checked;
  items_.push_back(std::move(item));
  if (updating_)
    pendingSync_ = true;
  else if (auto* p = P())
    p->SetItemCount(ItemCount());
  return *items_.back();
}

void TListView::Clear() {
  if (items_.empty()) return;
  items_.clear();
  itemIndex_ = -1;
  hotItem_ = -1;
  if (updating_)
    pendingSync_ = true;
  else if (auto* p = P())
    p->SetItemCount(0);
}

void TListView::BeginUpdate() { ++updating_; }

void TListView::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) return;
  if (!pendingSync_) return;
  pendingSync_ = false;
  if (auto* p = P()) {
    p->SetItemCount(ItemCount());
    p->SetItemIndex(itemIndex_);
  }
}

void TListView::RowChanged(int index) {
  if (updating_) {
    pendingSync_ = true;  // the whole list is shown again at EndUpdate
    return;
  }
  if (auto* p = P()) p->ItemChanged(index);
}

void TListView::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (updating_)
    pendingSync_ = true;
  else if (auto* p = P())
    p->SetItemIndex(itemIndex_);
}

void TListView::ItemClicked(int index) {
  if (!Accepts()) return;
  SelectionChanged(index);
  Click();
}

void TListView::CheckClicked(int index) {
  if (!Accepts() || !checkboxes_ || index < 0 || index >= ItemCount()) return;
  TListItem& item = *items_[std::size_t(index)];
  item.SetChecked(!item.Checked());
  if (OnItemChecked) OnItemChecked(item);
  Click();
}

void TListView::SelectionChanged(int index) {
  if (!Accepts()) return;
  // The native control shows the selection already: only the model follows.
  itemIndex_ = index >= 0 && index < ItemCount() ? index : -1;
}

void TListView::PointerOverItem(int index) {
  if (!Accepts() || !hotTrack_) return;
  hotItem_ = index >= 0 && index < ItemCount() ? index : -1;
}

void TListView::ColumnResized(int column, int width) {
  if (!Accepts() || column < 0 || column >= int(columns_.size())) return;
  TListColumn& c = columns_[std::size_t(column)];
  int kept = Clamp(c, width);
  c.width = kept;
  // The native header shows what the user dragged; bring it back within the limits.
  if (kept != width)
    if (auto* p = P()) p->ColumnsChanged();
}

bool TListView::ContextPopup(TPoint screen) {
  if (!Accepts() || !PopupMenu()) return false;
  PopupMenu()->PopupComponent = this;
  PopupMenu()->Popup(screen.x, screen.y);
  return true;
}

std::unique_ptr<WinControlPeer> TListView::CreatePeer(WidgetSet& widgets) { return widgets.CreateListViewPeer(*this); }

}  // namespace ui
