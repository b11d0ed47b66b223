// Peers of the group box (a container window drawing the system's group frame), check boxes
// and radio buttons (the system's BUTTON class; the model decides the mark) and the check list
// box (an owner-drawn LISTBOX with a check box before each item).
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>
#include <functional>

#include "ui/checklst.h"
#include "ui/dpi.h"
#include "ui/stdctrls.h"
#include "ui/win32/win32_container.h"
#include "ui/win32/win32_widgetset.h"

namespace ui::win32 {

namespace {

constexpr TColor kGrayText = 0x808080;

class Win32GroupBoxPeer : public Win32ContainerPeer<GroupBoxPeer> {
 public:
  Win32GroupBoxPeer(Backend& backend, TGroupBox& box) : Win32ContainerPeer(backend, box), box_(box) {
    CreateContainer(L"HoravoGroup");
  }

  void SetEnabled(bool enabled) override {
    ApplyEnabled(enabled);
    Repaint();
  }

 protected:
  void PaintSurface(GdiCanvas& canvas, int width, int height) override {
    TColor back = box_.EffectiveColor();
    canvas.FillRect({0, 0, width, height}, back);
    HDC dc = canvas.Dc();
    HGDIOBJ oldFont = SelectObject(dc, backend_.Font(box_.Font(), false, box_.Dpi()));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    std::wstring text = Widen(box_.Caption());
    SIZE extent{};
    if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    SelectObject(dc, oldFont);

    // The canvas takes designed pixels; the device context and its metrics are the monitor's.
    const int dpi = box_.Dpi();
    RECT frame{0, tm.tmHeight / 2, ScaleValue(width, dpi), ScaleValue(height, dpi)};
    bool enabled = box_.EnabledInTree();
    if (HTHEME theme = OpenThemeData(Handle(), L"BUTTON")) {
      DrawThemeBackground(theme, dc, BP_GROUPBOX, enabled ? GBS_NORMAL : GBS_DISABLED, &frame, nullptr);
      CloseThemeData(theme);
    } else {
      DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (text.empty()) return;
    // The caption interrupts the top edge.
    constexpr int kIndent = 8, kGap = 2;
    canvas.FillRect({kIndent - kGap, 0, kIndent + UnscaleValue(int(extent.cx), dpi) + kGap + 1,
                     UnscaleValue(int(tm.tmHeight), dpi) + 1},
                    back);
    TFont font = box_.Font();
    if (!enabled) font.color = kGrayText;
    canvas.DrawText(box_.Caption(), {kIndent, 0}, font);
  }

 private:
  TGroupBox& box_;
};

// A check box or a radio button. The button does not mark itself: a click goes to the model,
// which decides and sends the mark back.
class Win32CheckBoxPeer : public Win32ControlPeer<CheckBoxPeer> {
 public:
  Win32CheckBoxPeer(Backend& backend, TWinControl& control, DWORD kind, bool checked, std::function<void()> clicked)
      : Win32ControlPeer(backend, control), clicked_(std::move(clicked)) {
    Create(L"BUTTON", WS_TABSTOP | kind);
    SetChecked(checked);
  }

  void SetChecked(bool on) override {
    if (Handle()) SendMessageW(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 protected:
  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != BN_CLICKED) return false;
    clicked_();
    return true;
  }
  // The box stands on its parent's colour.
  bool OnColor(HDC dc, LRESULT& result) override {
    SetBkMode(dc, TRANSPARENT);
    return ColorAs(dc, Control().EffectiveColor(), Control().Font().color, result);
  }

 private:
  std::function<void()> clicked_;
};

class Win32CheckListBoxPeer : public Win32ControlPeer<CheckListBoxPeer> {
 public:
  Win32CheckListBoxPeer(Backend& backend, TCheckListBox& list) : Win32ControlPeer(backend, list), list_(list) {
    Create(L"LISTBOX",
           WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
           WS_EX_CLIENTEDGE);
    SetItems(list.Items());
    for (int i = 0; i < list.Count() && i < int(marks_.size()); ++i) marks_[std::size_t(i)] = list.Checked(i);
    SetItemIndex(list.ItemIndex());
    UpdateItemHeight();
  }

  void SetCaption(const std::string&) override {}
  void SetFont(const TFont& font) override {
    ApplyFont(font);
    UpdateItemHeight();
  }
  void SetEnabled(bool enabled) override {
    ApplyEnabled(enabled);
    Repaint();
  }

  void SetItems(const std::vector<std::string>& items) override {
    marks_.assign(items.size(), false);
    if (!Handle()) return;
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(Handle(), LB_ADDSTRING, 0, LPARAM(Widen(item).c_str()));
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    Repaint();
  }
  void SetItemIndex(int index) override {
    if (Handle()) SendMessageW(Handle(), LB_SETCURSEL, WPARAM(index), 0);
  }
  void SetChecked(int index, bool on) override {
    if (index < 0 || index >= int(marks_.size())) return;
    marks_[std::size_t(index)] = on;
    RECT r{};
    if (Handle() && SendMessageW(Handle(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r)) != LB_ERR)
      ::InvalidateRect(Handle(), &r, TRUE);
  }

 protected:
  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != LBN_SELCHANGE) return false;
    list_.ItemPicked(int(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)));
    return true;
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
      // The press selects as usual; on the box it also toggles the mark.
      result = comctl::DefSubclass(Handle(), msg, wParam, lParam);
      int x = int(short(LOWORD(lParam)));
      auto hit = DWORD(SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, lParam));
      if (HIWORD(hit) == 0 && x < BoxSpace()) list_.CheckToggled(int(LOWORD(hit)));
      return true;
    }
    if (msg == WM_CHAR && wParam == L' ') {
      int index = int(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
      if (index >= 0) list_.CheckToggled(index);
      result = 0;
      return true;
    }
    return false;
  }

  bool OnDrawItem(DRAWITEMSTRUCT& item, LRESULT& result) override {
    result = TRUE;
    if (int(item.itemID) < 0) return true;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool enabled = list_.EnabledInTree();
    bool selected = (item.itemState & ODS_SELECTED) && enabled;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    int index = int(item.itemID);
    bool checked = index < int(marks_.size()) && marks_[std::size_t(index)];
    int size = kBox;
    RECT box{r.left + 2, (r.top + r.bottom - size) / 2, r.left + 2 + size, (r.top + r.bottom - size) / 2 + size};
    if (HTHEME theme = OpenThemeData(Handle(), L"BUTTON")) {
      int state = checked ? (enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                          : (enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
      DrawThemeBackground(theme, dc, BP_CHECKBOX, state, &box, nullptr);
      CloseThemeData(theme);
    } else {
      DrawFrameControl(dc, &box, DFC_BUTTON,
                       DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    }

    if (index < list_.Count()) {
      std::wstring text = Widen(list_.Items()[std::size_t(index)]);
      HGDIOBJ oldFont = SelectObject(dc, backend_.Font(list_.Font(), false, list_.Dpi()));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                : enabled ? ResolveColor(list_.Font().color) : GetSysColor(COLOR_GRAYTEXT));
      RECT textRect{BoxSpace(), r.top, r.right, r.bottom};
      DrawTextW(dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
      SelectObject(dc, oldFont);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
    return true;
  }

 private:
  static constexpr int kBox = 13;
  static int BoxSpace() { return kBox + 6; }

  void UpdateItemHeight() {
    if (!Handle()) return;
    TSize text = backend_.MeasureText("Ag", list_.Font(), list_.Dpi());
    text = {ScaleValue(text.cx, list_.Dpi()), ScaleValue(text.cy, list_.Dpi())};
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, std::max(text.cy, kBox) + 3);
    Repaint();
  }

  TCheckListBox& list_;
  std::vector<bool> marks_;
};

}  // namespace

}  // namespace ui::win32

namespace ui {

std::unique_ptr<GroupBoxPeer> Win32WidgetSet::CreateGroupBoxPeer(TGroupBox& groupBox) {
  return std::make_unique<win32::Win32GroupBoxPeer>(Shared(), groupBox);
}
std::unique_ptr<CheckBoxPeer> Win32WidgetSet::CreateCheckBoxPeer(TCheckBox& checkBox) {
  return std::make_unique<win32::Win32CheckBoxPeer>(Shared(), checkBox, BS_CHECKBOX, checkBox.Checked(),
                                                     [&checkBox] { checkBox.UserClick(); });
}
std::unique_ptr<CheckBoxPeer> Win32WidgetSet::CreateRadioButtonPeer(TRadioButton& radioButton) {
  return std::make_unique<win32::Win32CheckBoxPeer>(Shared(), radioButton, BS_RADIOBUTTON, radioButton.Checked(),
                                                     [&radioButton] { radioButton.UserClick(); });
}
std::unique_ptr<CheckListBoxPeer> Win32WidgetSet::CreateCheckListBoxPeer(TCheckListBox& list) {
  return std::make_unique<win32::Win32CheckListBoxPeer>(Shared(), list);
}

}  // namespace ui
