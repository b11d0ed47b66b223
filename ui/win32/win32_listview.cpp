// The list view's peer: the system's report-style list view as a virtual list. The rows stay
// in the TListView; the native control asks for the texts and check marks of the rows it
// draws, so filling 10,000 rows is one message. Check boxes are turned over here (a virtual
// list keeps no marks of its own), column widths are held within their limits, and the hot
// row is drawn underlined under a hand pointer here too, the same on every system version.
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>

#include "ui/dpi.h"
#include "ui/listview.h"
#include "ui/win32/win32_helpers.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

namespace {

class Win32ListViewPeer : public Win32ControlPeer<ListViewPeer> {
 public:
  Win32ListViewPeer(Backend& backend, TListView& list) : Win32ControlPeer(backend, list), list_(list) {
    Create(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
    if (!Handle()) return;
    // A virtual list asks for the state images (the check marks) only when told to.
    SendMessageW(Handle(), LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    SetExtended(LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP, true);
    SetGridLines(list.GridLines());
    SetRowSelect(list.RowSelect());
    SetCheckboxes(list.Checkboxes());
    SetHotTrack(list.HotTrack());
    ColumnsChanged();
    SetItemCount(list.ItemCount());
    SetItemIndex(list.ItemIndex());
  }

  void SetCaption(const std::string&) override {}

  // A hint that follows the row under the pointer: a shown tip goes, and the next one asks
  // for the new text.
  void HintMayHaveChanged() {
    const std::string hint = ShownHint(&list_);
    if (hint == shownHint_) return;
    shownHint_ = hint;
    if (Win32FormPeer* form = backend_.FormOf(Handle())) form->ChildHintChanged(Handle());
  }
  std::string shownHint_;

  void ColumnsChanged() override {
    if (!Handle()) return;
    const auto& columns = list_.Columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      std::wstring caption = Widen(columns[i].caption);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.pszText = caption.data();
      column.cx = ScaleValue(columns[i].width, list_.Dpi());
      column.iSubItem = int(i);
      if (int(i) < shownColumns_) {
        // Only what differs: setting a column repaints the header.
        if (i < shownCaptions_.size() && shownCaptions_[i] == columns[i].caption) column.mask &= ~UINT(LVCF_TEXT);
        if (ColumnWidth(int(i)) == column.cx) column.mask &= ~UINT(LVCF_WIDTH);
        if (column.mask != LVCF_SUBITEM) SendMessageW(Handle(), LVM_SETCOLUMNW, i, LPARAM(&column));
      } else {
        SendMessageW(Handle(), LVM_INSERTCOLUMNW, i, LPARAM(&column));
        ++shownColumns_;
      }
    }
    shownCaptions_.clear();
    for (const auto& c : columns) shownCaptions_.push_back(c.caption);
  }

  void SetGridLines(bool on) override { SetExtended(LVS_EX_GRIDLINES, on); }
  void SetRowSelect(bool on) override { SetExtended(LVS_EX_FULLROWSELECT, on); }
  void SetCheckboxes(bool on) override { SetExtended(LVS_EX_CHECKBOXES, on); }
  void SetHotTrack(bool) override { ShowHotRow(); }

  void SetItemCount(int count) override {
    if (!Handle()) return;
    Pushing guard(*this);
    SendMessageW(Handle(), LVM_SETITEMCOUNT, WPARAM(count), LVSICF_NOSCROLL);
    // The rows may all be new ones, whatever their number.
    ::InvalidateRect(Handle(), nullptr, TRUE);
  }

  void ItemChanged(int index) override {
    if (Handle()) SendMessageW(Handle(), LVM_REDRAWITEMS, WPARAM(index), LPARAM(index));
  }

  void SetItemIndex(int index) override {
    if (!Handle()) return;
    Pushing guard(*this);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(Handle(), LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&state));
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&state));
    SendMessageW(Handle(), LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
  }

 protected:
  bool OnNotify(NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case LVN_GETDISPINFOW:
        FillRow(reinterpret_cast<NMLVDISPINFOW&>(header).item);
        return true;
      case LVN_ITEMCHANGED: {
        auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if (!pushing_ && (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
          list_.SelectionChanged(SelectedRow());
        return true;
      }
      case NM_CLICK:
        list_.ItemClicked(SelectedRow());
        return true;
      case NM_DBLCLK:
        list_.DblClick();
        return true;
      case NM_CUSTOMDRAW:
        result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        return true;
      case LVN_ODFINDITEMW:
        result = -1;  // no search by typed letters
        return true;
      default:
        return false;
    }
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (msg) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        // A click on a check box turns its mark over and does nothing else.
        if (!list_.Checkboxes()) return false;
        LVHITTESTINFO hit{};
        hit.pt = {GET_X(lParam), GET_Y(lParam)};
        int row = int(SendMessageW(Handle(), LVM_HITTEST, 0, LPARAM(&hit)));
        // With whole-row selection a click on the texts reports all the parts of the row at once.
        if (row < 0 || (hit.flags & LVHT_ONITEM) != LVHT_ONITEMSTATEICON) return false;
        SetFocus();
        list_.CheckClicked(row);
        result = 0;
        return true;
      }
      case WM_KEYDOWN:
        if (wParam != VK_SPACE || !list_.Checkboxes() || list_.ItemIndex() < 0) return false;
        list_.CheckClicked(list_.ItemIndex());
        return true;
      case WM_CHAR:
        return wParam == L' ' && list_.Checkboxes();
      case WM_MOUSEMOVE: {
        if (!trackingLeave_) {
          TRACKMOUSEEVENT track{};
          track.cbSize = sizeof track;
          track.dwFlags = TME_LEAVE;
          track.hwndTrack = Handle();
          trackingLeave_ = TrackMouseEvent(&track);
        }
        LVHITTESTINFO hit{};
        hit.pt = {GET_X(lParam), GET_Y(lParam)};
        int row = int(SendMessageW(Handle(), LVM_HITTEST, 0, LPARAM(&hit)));
        list_.PointerOverItem(hit.flags & LVHT_ONITEM ? row : -1);
        ShowHotRow();
        list_.MouseMove(ShiftFromMouseKeys(unsigned(wParam), GetKeyState(VK_MENU) < 0), hit.pt.x, hit.pt.y);
        HintMayHaveChanged();
        return false;
      }
      case WM_MOUSELEAVE:
        trackingLeave_ = false;
        list_.PointerOverItem(-1);
        ShowHotRow();
        return false;
      case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT || !list_.HandCursor()) return false;
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // the hand pointer
        result = TRUE;
        return true;
      case WM_CONTEXTMENU: {
        POINT at{GET_X(lParam), GET_Y(lParam)};
        if (lParam == -1) {  // from the keyboard: at the list's top-left corner
          at = {0, 0};
          ClientToScreen(Handle(), &at);
        }
        return list_.ContextPopup({at.x, at.y});
      }
      case WM_NOTIFY:
        return OnHeaderNotify(*reinterpret_cast<NMHDR*>(lParam), wParam, lParam, result);
      default:
        return false;
    }
  }

 private:
  // Marks the peer's own changes, whose notifications tell the model nothing new.
  class Pushing {
   public:
    explicit Pushing(Win32ListViewPeer& peer) : peer_(peer), was_(peer.pushing_) { peer.pushing_ = true; }
    ~Pushing() { peer_.pushing_ = was_; }

   private:
    Win32ListViewPeer& peer_;
    bool was_;
  };

  static int GET_X(LPARAM l) { return int(short(LOWORD(l))); }
  static int GET_Y(LPARAM l) { return int(short(HIWORD(l))); }

  void SetExtended(DWORD styles, bool on) {
    if (Handle()) SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, styles, on ? styles : 0);
  }

  int ColumnWidth(int column) const { return int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, WPARAM(column), 0)); }
  int SelectedRow() const { return int(SendMessageW(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

  // Redraws the rows that became or stopped being the hot row.
  void ShowHotRow() {
    int hot = list_.HotItem();
    if (hot == shownHot_ || !Handle()) return;
    if (shownHot_ >= 0) ItemChanged(shownHot_);
    shownHot_ = hot;
    if (hot >= 0) ItemChanged(hot);
  }

  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT: {
        const int row = int(draw.nmcd.dwItemSpec);
        const bool greyed = row >= 0 && row < list_.ItemCount() && list_.Item(row).Greyed();
        if (greyed) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
        if (row != list_.HotItem()) return greyed ? CDRF_NEWFONT : CDRF_DODEFAULT;
        TFont font = list_.Font();
        font.underline = true;
        SelectObject(draw.nmcd.hdc, backend_.Font(font, false, list_.Dpi()));
        return CDRF_NEWFONT;
      }
      default:
        return CDRF_DODEFAULT;
    }
  }

  void FillRow(LVITEMW& item) {
    if (item.iItem < 0 || item.iItem >= list_.ItemCount()) return;
    const TListItem& row = list_.Item(item.iItem);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
      std::wstring text = Widen(row.Text(item.iSubItem));
      std::size_t n = std::min(text.size(), std::size_t(item.cchTextMax - 1));
      std::copy_n(text.begin(), n, item.pszText);
      item.pszText[n] = L'\0';
    }
    if ((item.mask & LVIF_STATE) && list_.Checkboxes()) {
      item.state = (item.state & ~UINT(LVIS_STATEIMAGEMASK)) | INDEXTOSTATEIMAGEMASK(row.Checked() ? 2 : 1);
      item.stateMask |= LVIS_STATEIMAGEMASK;
    }
  }

  // The header's notifications reach the list view itself: widths are held within the
  // column's limits before the list view takes them, and the header is set back if it went on.
  bool OnHeaderNotify(NMHDR& header, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool changing = header.code == HDN_ITEMCHANGINGW || header.code == HDN_ITEMCHANGINGA;
    bool changed = header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA;
    if (!changing && !changed) return false;
    auto& change = reinterpret_cast<NMHEADERW&>(header);
    const auto& columns = list_.Columns();
    if (change.iItem < 0 || change.iItem >= int(columns.size()) || change.iItem >= shownColumns_) return false;
    const TListColumn& c = columns[std::size_t(change.iItem)];
    auto clamp = [this, &c](int w) {
      const int dpi = list_.Dpi();
      if (c.maxWidth > 0) w = std::min(w, ScaleValue(c.maxWidth, dpi));
      if (c.minWidth > 0) w = std::max(w, ScaleValue(c.minWidth, dpi));
      return w;
    };
    bool hasWidth = change.pitem && (change.pitem->mask & HDI_WIDTH);
    if (hasWidth) change.pitem->cxy = clamp(change.pitem->cxy);
    if (changing) return false;
    result = comctl::DefSubclass(Handle(), WM_NOTIFY, wParam, lParam);
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    if (!SendMessageW(header.hwndFrom, HDM_GETITEMW, WPARAM(change.iItem), LPARAM(&item))) return true;
    int width = clamp(item.cxy);
    if (width != item.cxy) SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, WPARAM(change.iItem), width);
    list_.ColumnResized(change.iItem, UnscaleValue(width, list_.Dpi()));
    return true;
  }

  TListView& list_;
  int shownColumns_ = 0;
  int shownHot_ = -1;
  std::vector<std::string> shownCaptions_;
  bool pushing_ = false;
  bool trackingLeave_ = false;
};

}  // namespace

std::unique_ptr<ListViewPeer> NewListViewPeer(Backend& backend, TListView& list) {
  return std::make_unique<Win32ListViewPeer>(backend, list);
}

}  // namespace ui::win32
