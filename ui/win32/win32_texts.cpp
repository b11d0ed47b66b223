// Peers of the memo (a multi-line EDIT that asks the model before it takes Enter) and of the
// spin edit (a window of the program's own class holding an EDIT and the system's up-down
// arrows, which step the number through the model).
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>

#include "platform/win32/cp1251.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"
#include "ui/win32/win32_widgetset.h"

namespace ui::win32 {

namespace {

std::string TextOf(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring wide(std::size_t(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, wide.data(), length + 1);
  wide.resize(std::size_t(std::max(got, 0)));
  return platform::win32::NarrowCp1251(wide);
}

DWORD ScrollStyles(int bars) {
  DWORD style = 0;
  if (bars & 1) style |= WS_HSCROLL;
  if (bars & 2) style |= WS_VSCROLL;
  return style;
}

class Win32MemoPeer : public Win32ControlPeer<MemoPeer> {
 public:
  Win32MemoPeer(Backend& backend, TMemo& memo) : Win32ControlPeer(backend, memo), memo_(memo) {
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (memo.WordWrap ? 0 : ES_AUTOHSCROLL) |
                  ScrollStyles(int(memo.ScrollBars())) | (memo.ReadOnly() ? ES_READONLY : 0);
    Create(L"EDIT", style, WS_EX_CLIENTEDGE);
    SetText(memo.Text());
    SetMaxLength(memo.MaxLength());
  }

  void SetCaption(const std::string&) override {}
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
  void SetScrollBars(int bars) override {
    if (!Handle()) return;
    ShowScrollBar(Handle(), SB_HORZ, (bars & 1) ? TRUE : FALSE);
    ShowScrollBar(Handle(), SB_VERT, (bars & 2) ? TRUE : FALSE);
  }

 protected:
  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != EN_CHANGE || pushing_) return false;
    memo_.TextEdited(TextOf(Handle()));
    return true;
  }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
    // Enter (and Ctrl+Enter) arrive as characters; a memo without WantReturns drops them.
    if (msg != WM_CHAR || wParam > 0x7F || memo_.AcceptsKey(char(wParam))) return false;
    result = 0;
    return true;
  }
  bool OnColor(HDC dc, LRESULT& result) override { return ColorAs(dc, memo_.Color(), memo_.Font().color, result); }

 private:
  TMemo& memo_;
  bool pushing_ = false;
};

const wchar_t kSpinClass[] = L"HoravoSpin";

class Win32SpinEditPeer : public Win32ControlPeer<SpinEditPeer> {
 public:
  Win32SpinEditPeer(Backend& backend, TSpinEdit& spin) : Win32ControlPeer(backend, spin), spin_(spin) {
    RegisterClassOnce(backend.Instance(), kSpinClass, DefWindowProcW);
    Create(kSpinClass, WS_CLIPCHILDREN);
    if (!Handle()) return;
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER,
                            0, 0, 0, 0, Handle(), HMENU(UINT_PTR(1)), backend.Instance(), nullptr);
    arrows_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), HMENU(UINT_PTR(2)),
                              backend.Instance(), nullptr);
    // The arrows keep a position in the middle of a range; every step is refused and goes to the model.
    SendMessageW(arrows_, UDM_SETRANGE32, 0, 100);
    SendMessageW(arrows_, UDM_SETPOS32, 0, 50);
    Layout();
    SetFont(spin.Font());
    SetText(spin.Text());
    SetMaxLength(spin.MaxLength());
    SetReadOnly(spin.ReadOnly());
    SetEnabled(spin.Enabled());
    if (Win32FormPeer* form = backend.FormOf(Handle())) {
      form->AddChildTool(edit_);
      form->AddChildTool(arrows_);
    }
  }
  ~Win32SpinEditPeer() override {
    if (!Handle()) return;
    if (Win32FormPeer* form = backend_.FormOf(Handle())) {
      form->RemoveChildTool(edit_);
      form->RemoveChildTool(arrows_);
    }
  }

  void SetBounds(TRect r) override {
    ApplyBounds(r);
    Layout();
  }
  void SetEnabled(bool enabled) override {
    ApplyEnabled(enabled);
    if (edit_) EnableWindow(edit_, enabled);
    if (arrows_) EnableWindow(arrows_, enabled);
  }
  void SetFont(const TFont& font) override {
    ApplyFont(font);
    if (edit_) SendMessageW(edit_, WM_SETFONT, WPARAM(backend_.Font(font, false, Control().Dpi())), TRUE);
  }
  void SetFocus() override {
    if (edit_) ::SetFocus(edit_);
  }
  void SetCaption(const std::string&) override {}
  void SetText(const std::string& text) override {
    if (!edit_) return;
    pushing_ = true;
    SetWindowTextW(edit_, Widen(text).c_str());
    pushing_ = false;
  }
  void SetMaxLength(int length) override {
    if (edit_) SendMessageW(edit_, EM_LIMITTEXT, WPARAM(length), 0);
  }
  void SetReadOnly(bool on) override {
    if (edit_) SendMessageW(edit_, EM_SETREADONLY, on ? TRUE : FALSE, 0);
  }

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_COMMAND && HWND(lParam) == edit_ && edit_) {
      if (HIWORD(wParam) == EN_CHANGE && !pushing_) spin_.TextEdited(TextOf(edit_));
      result = 0;
      return true;
    }
    if (msg == WM_NOTIFY) {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header && header->hwndFrom == arrows_ && header->code == UINT(UDN_DELTAPOS)) {
        auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
        if (change->iDelta != 0) spin_.ArrowClicked(change->iDelta > 0);
        result = 1;  // the arrows' own position stays
        return true;
      }
    }
    return false;
  }

 private:
  void Layout() {
    if (!edit_ || !arrows_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    int width = client.right, height = client.bottom;
    int arrows = std::min(GetSystemMetrics(SM_CXVSCROLL), width / 2);
    MoveWindow(edit_, 0, 0, width - arrows, height, TRUE);
    MoveWindow(arrows_, width - arrows, 0, arrows, height, TRUE);
  }

  TSpinEdit& spin_;
  HWND edit_ = nullptr;
  HWND arrows_ = nullptr;
  bool pushing_ = false;
};

}  // namespace

}  // namespace ui::win32

namespace ui {

std::unique_ptr<SpinEditPeer> Win32WidgetSet::CreateSpinEditPeer(TSpinEdit& spinEdit) {
  return std::make_unique<win32::Win32SpinEditPeer>(Shared(), spinEdit);
}
std::unique_ptr<MemoPeer> Win32WidgetSet::CreateMemoPeer(TMemo& memo) {
  return std::make_unique<win32::Win32MemoPeer>(Shared(), memo);
}

}  // namespace ui
