// Peers of push buttons, edit fields and list boxes: the system's BUTTON, EDIT and LISTBOX
// classes. A button with a picture is owner-drawn, so the picture keeps its see-through colour.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>

#include "platform/win32/cp1251.h"
#include "ui/buttons.h"
#include "ui/dpi.h"
#include "ui/edits.h"
#include "ui/win32/win32_helpers.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

namespace {

std::string WindowTextOf(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring wide(std::size_t(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, wide.data(), length + 1);
  wide.resize(std::size_t(got > 0 ? got : 0));
  return platform::win32::NarrowCp1251(wide);
}

class Win32ButtonPeer : public Win32ControlPeer<ButtonPeer> {
 public:
  Win32ButtonPeer(Backend& backend, TButton& button) : Win32ControlPeer(backend, button), button_(button) {
    Create(L"BUTTON", WS_TABSTOP | (button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
  }

  void SetDefault(bool on) override {
    if (Handle()) SendMessageW(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }

 protected:
  // For a kind of button that creates its window itself.
  Win32ButtonPeer(Backend& backend, TButton& button, int) : Win32ControlPeer(backend, button), button_(button) {}

  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != BN_CLICKED) return false;
    button_.Click();
    return true;
  }

  TButton& button_;
};

// Draws its face itself: the theme's push button (or the classic one), the glyph with its
// bottom-left colour left out, and the caption beside it, the pair centred.
class Win32BitBtnPeer : public Win32ButtonPeer {
 public:
  Win32BitBtnPeer(Backend& backend, TBitBtn& button) : Win32ButtonPeer(backend, button, 0), bitBtn_(button) {
    glyph_ = button.Glyph();
    default_ = button.Default();
    Create(L"BUTTON", WS_TABSTOP | BS_OWNERDRAW);
  }

  void SetDefault(bool on) override {
    default_ = on;
    Repaint();
  }

  void SetGlyph(const Image& glyph) override {
    glyph_ = glyph;
    Repaint();
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (msg) {
      case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a double click instead of a second press: make it one.
        result = comctl::DefSubclass(Handle(), WM_LBUTTONDOWN, wParam, lParam);
        return true;
      case WM_MOUSEMOVE:
        if (!hot_) {
          hot_ = true;
          TRACKMOUSEEVENT track{};
          track.cbSize = sizeof track;
          track.dwFlags = TME_LEAVE;
          track.hwndTrack = Handle();
          TrackMouseEvent(&track);
          Repaint();
        }
        return false;
      case WM_MOUSELEAVE:
        hot_ = false;
        Repaint();
        return false;
      default:
        return false;
    }
  }

  bool OnDrawItem(DRAWITEMSTRUCT& item, LRESULT& result) override {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    bool disabled = item.itemState & ODS_DISABLED;
    bool focused = item.itemState & ODS_FOCUS;
    HTHEME theme = OpenThemeData(Handle(), L"BUTTON");
    if (theme) {
      int state = disabled  ? PBS_DISABLED
                  : pressed ? PBS_PRESSED
                  : hot_    ? PBS_HOT
                  : focused || default_ ? PBS_DEFAULTED
                                        : PBS_NORMAL;
      if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state)) DrawThemeParentBackground(Handle(), dc, &r);
      DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
      CloseThemeData(theme);
    } else {
      UINT flags = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0);
      RECT face = r;
      if (default_ || focused) {
        // The default button's dark outline, as the system draws it.
        FrameRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
      }
      DrawFrameControl(dc, &face, DFC_BUTTON, flags);
    }

    std::wstring text = Widen(bitBtn_.Caption());
    HGDIOBJ oldFont = SelectObject(dc, backend_.Font(bitBtn_.Font(), false, bitBtn_.Dpi()));
    RECT measure{0, 0, 0, 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), int(text.size()), &measure, DT_SINGLELINE | DT_CALCRECT);
    int textWidth = measure.right - measure.left, textHeight = measure.bottom - measure.top;
    constexpr int kSpacing = 4;
    // The picture at the button's density, scaled smoothly when drawn.
    const int dpi = bitBtn_.Dpi();
    const int glyphHeight = glyph_.Empty() ? 0 : ScaleValue(glyph_.DesignedHeight(), dpi);
    int glyphWidth = glyph_.Empty() ? 0 : ScaleValue(glyph_.DesignedWidth(), dpi);
    int total = glyphWidth + (glyphWidth && textWidth ? kSpacing : 0) + textWidth;
    int shift = pressed && !theme ? 1 : 0;
    int x = r.left + (r.right - r.left - total) / 2 + shift;
    int middle = (r.top + r.bottom) / 2 + shift;
    if (glyphWidth) {
      int top = middle - glyphHeight / 2;
      GdiCanvas(backend_, dc, false).DrawImage(glyph_, {x, top, x + glyphWidth, top + glyphHeight}, true);
      x += glyphWidth + kSpacing;
    }
    if (!text.empty()) {
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
      RECT textRect{x, middle - textHeight / 2, x + textWidth, middle - textHeight / 2 + textHeight};
      // Not clipped to its measured width: some systems (Wine) draw glyphs a little wider than
      // they measure them, and the last letter would be cut.
      DrawTextW(dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOCLIP);
    }
    SelectObject(dc, oldFont);
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
      RECT f = r;
      InflateRect(&f, -4, -4);
      DrawFocusRect(dc, &f);
    }
    result = TRUE;
    return true;
  }

 private:
  TBitBtn& bitBtn_;
  Image glyph_;
  bool hot_ = false;
  bool default_ = false;
};

class Win32EditPeer : public Win32ControlPeer<EditPeer> {
 public:
  Win32EditPeer(Backend& backend, TEdit& edit) : Win32ControlPeer(backend, edit), edit_(edit) {
    Create(L"EDIT",
           WS_TABSTOP | ES_AUTOHSCROLL | (edit.ReadOnly() ? ES_READONLY : 0) | (edit.DigitsOnly() ? ES_NUMBER : 0),
           WS_EX_CLIENTEDGE);
    SetText(edit.Text());
    SetMaxLength(edit.MaxLength());
  }

  void SetText(const std::string& text) override {
    if (!Handle()) return;
    pushing_ = true;
    SetWindowTextW(Handle(), Widen(text).c_str());
    pushing_ = false;
  }
  void SetMaxLength(int length) override {
    if (Handle()) SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(length), 0);
  }
  void SetReadOnly(bool on) override {
    if (Handle()) SendMessageW(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
  }
  void SetDigitsOnly(bool on) override {
    if (!Handle()) return;
    auto style = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
    SetWindowLongPtrW(Handle(), GWL_STYLE, LONG_PTR(on ? style | ES_NUMBER : style & ~DWORD(ES_NUMBER)));
  }
  // The edit's text is its content, not a caption.
  void SetCaption(const std::string&) override {}

 protected:
  // A one-line edit draws its text at the top of its client area: in a field taller than the
  // text (a larger scale, a designed height) the client area is narrowed to a band in the middle,
  // and the margins above and below it are painted as the field's background.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (msg) {
      case WM_NCCALCSIZE: {
        result = comctl::DefSubclass(Handle(), msg, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        const Band band = CentredTextBand(int(client.top), int(client.bottom), TextHeight());
        client.top = band.top;
        client.bottom = band.bottom;
        return true;
      }
      case WM_NCPAINT:
        result = comctl::DefSubclass(Handle(), msg, wParam, lParam);
        PaintMargins();
        return true;
      case WM_SETFONT:
        result = comctl::DefSubclass(Handle(), msg, wParam, lParam);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return true;
      default:
        return false;
    }
  }

  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != EN_CHANGE || pushing_) return false;
    const std::string shown = WindowTextOf(Handle());
    DWORD caret = 0;
    SendMessageW(Handle(), EM_GETSEL, 0, LPARAM(&caret));
    edit_.TextEdited(shown);
    if (edit_.Text() != shown) {
      // The model refused what was typed or pasted and gave its text back: the caret goes to
      // where the refused characters began.
      const std::size_t kept = edit_.Text().size();
      const std::size_t extra = shown.size() > kept ? shown.size() - kept : 0;
      const std::size_t at = std::min<std::size_t>(caret > extra ? caret - extra : 0, kept);
      SendMessageW(Handle(), EM_SETSEL, WPARAM(at), LPARAM(at));
      MessageBeep(MB_OK);
    }
    return true;
  }

 private:
  // The height of a line of the edit's font, in pixels.
  int TextHeight() const {
    HDC dc = GetDC(Handle());
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return measured ? int(metrics.tmHeight) : 0;
  }

  // Fills the margins between the frame and the narrowed client area with the brush the parent
  // gives the edit (as the edit paints its own background).
  void PaintMargins() {
    RECT window, client;
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    const int frameX = GetSystemMetrics(SM_CXEDGE), frameY = GetSystemMetrics(SM_CYEDGE);
    const RECT above{frameX, frameY, window.right - frameX, client.top};
    const RECT below{frameX, client.bottom, window.right - frameX, window.bottom - frameY};
    if (above.bottom <= above.top && below.bottom <= below.top) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    const bool plain = IsWindowEnabled(Handle()) && !(GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_READONLY);
    auto brush = HBRUSH(SendMessageW(GetParent(Handle()), plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, WPARAM(dc),
                                     LPARAM(Handle())));
    if (!brush) brush = GetSysColorBrush(plain ? COLOR_WINDOW : COLOR_BTNFACE);
    if (above.bottom > above.top) FillRect(dc, &above, brush);
    if (below.bottom > below.top) FillRect(dc, &below, brush);
    ReleaseDC(Handle(), dc);
  }

  TEdit& edit_;
  bool pushing_ = false;
};

class Win32ListBoxPeer : public Win32ControlPeer<ListBoxPeer> {
 public:
  Win32ListBoxPeer(Backend& backend, TListBox& list) : Win32ControlPeer(backend, list), list_(list) {
    Create(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
    SetItems(list.Items());
    SetItemIndex(list.ItemIndex());
  }

  void SetItems(const std::vector<std::string>& items) override {
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
  void SetCaption(const std::string&) override {}

 protected:
  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != LBN_SELCHANGE) return false;
    auto index = int(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    list_.ItemPicked(index);
    return true;
  }

 private:
  TListBox& list_;
};

}  // namespace

std::unique_ptr<ButtonPeer> NewButtonPeer(Backend& backend, TButton& button) {
  return std::make_unique<Win32ButtonPeer>(backend, button);
}
std::unique_ptr<ButtonPeer> NewBitBtnPeer(Backend& backend, TBitBtn& button) {
  return std::make_unique<Win32BitBtnPeer>(backend, button);
}
std::unique_ptr<EditPeer> NewEditPeer(Backend& backend, TEdit& edit) { return std::make_unique<Win32EditPeer>(backend, edit); }
std::unique_ptr<ListBoxPeer> NewListBoxPeer(Backend& backend, TListBox& list) {
  return std::make_unique<Win32ListBoxPeer>(backend, list);
}

}  // namespace ui::win32
