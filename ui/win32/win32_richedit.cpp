// The rich-text box's peer: the system's rich edit control (Msftedit.dll, or Riched20.dll
// where that is missing), fed and read through its stream messages.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/win32/cp1251.h"
#include "ui/richedit.h"
#include "ui/win32/win32_helpers.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

namespace {

// The class of the newest rich edit control the system has; its library stays loaded.
const wchar_t* RichEditClass() {
  static const wchar_t* name = [] {
    if (LoadLibraryW(L"Msftedit.dll")) return L"RICHEDIT50W";
    if (LoadLibraryW(L"Riched20.dll")) return L"RichEdit20W";
    return L"EDIT";  // no rich edit at all: plain multi-line text still shows
  }();
  return name;
}

struct StreamBuffer {
  const char* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  std::string out;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* s = reinterpret_cast<StreamBuffer*>(cookie);
  std::size_t n = std::min(std::size_t(wanted > 0 ? wanted : 0), s->size - s->pos);
  std::memcpy(buffer, s->data + s->pos, n);
  s->pos += n;
  *given = LONG(n);
  return 0;
}

DWORD CALLBACK WriteStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  auto* s = reinterpret_cast<StreamBuffer*>(cookie);
  s->out.append(reinterpret_cast<const char*>(buffer), std::size_t(count > 0 ? count : 0));
  *taken = count;
  return 0;
}

DWORD ScrollStyles(int bars) {
  DWORD style = 0;
  if (bars & 1) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (bars & 2) style |= WS_VSCROLL | ES_DISABLENOSCROLL;
  return style;
}

class Win32RichEditPeer : public Win32ControlPeer<RichEditPeer> {
 public:
  Win32RichEditPeer(Backend& backend, TRichEdit& edit) : Win32ControlPeer(backend, edit), edit_(edit) {
    // The rich edit library is loaded with the first control: in a hidden window the control
    // is made when the window is first shown, from the state the model holds then.
    HWND parent = HandleOf(edit.Parent());
    HWND form = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (form && !IsWindowVisible(form)) {
      backend.WhenShown(form, this, [this] { CreateControl(); });
    } else {
      CreateControl();
    }
  }
  ~Win32RichEditPeer() override { backend_.CancelWhenShown(this); }

  // Everything from the model: its font may have been set before the peer was made (a form
  // whose windows wait for its first showing) or since (a control made late).
  void CreateControl() {
    TRichEdit& edit = edit_;
    rich_ = std::wstring(RichEditClass()) != L"EDIT";
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | ScrollStyles(int(edit.ScrollBars())) |
                  (edit.ReadOnly() ? ES_READONLY : 0);
    Create(RichEditClass(), style, WS_EX_CLIENTEDGE);
    if (!Handle()) return;
    if (rich_) {
      SendMessageW(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
      SendMessageW(Handle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    }
    SetFont(edit.Font());
    SetColor(edit.Color());
    SetContent(edit.Document(), edit.DocumentIsRich());
  }

  void SetCaption(const std::string&) override {}

  // The font becomes the default look; text without formatting of its own (plain text) takes
  // it whole, a loaded document keeps its own fonts.
  void SetFont(const TFont& font) override {
    ApplyFont(font);
    ApplyCharFormat(font, SCF_DEFAULT);
    if (!edit_.DocumentIsRich()) ApplyCharFormat(font, SCF_ALL);
  }

  void SetColor(TColor color) override {
    if (Handle() && rich_) SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, LPARAM(ResolveColor(color)));
    Repaint();
  }

  void SetContent(const std::string& content, bool rich) override {
    if (!Handle()) return;
    pushing_ = true;
    if (!rich_) {
      SetWindowTextW(Handle(), Widen(content).c_str());
    } else if (rich) {
      StreamBuffer buffer{content.data(), content.size(), 0, {}};
      EDITSTREAM stream{DWORD_PTR(&buffer), 0, ReadStream};
      SendMessageW(Handle(), EM_STREAMIN, SF_RTF, LPARAM(&stream));
    } else {
      // Plain text goes in as UTF-16, so its Cyrillic letters survive whatever the system's code page.
      std::wstring wide = Widen(content);
      StreamBuffer buffer{reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t), 0, {}};
      EDITSTREAM stream{DWORD_PTR(&buffer), 0, ReadStream};
      SendMessageW(Handle(), EM_STREAMIN, SF_TEXT | SF_UNICODE, LPARAM(&stream));
      ApplyCharFormat(edit_.Font(), SCF_ALL);
    }
    pushing_ = false;
  }

  void SetReadOnly(bool on) override {
    if (Handle()) SendMessageW(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
  }

  void SetScrollBars(int bars) override {
    if (!Handle()) return;
    constexpr DWORD kAll = WS_HSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | ES_DISABLENOSCROLL;
    auto style = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
    SetWindowLongPtrW(Handle(), GWL_STYLE, LONG_PTR((style & ~kAll) | ScrollStyles(bars)));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(Handle(), EM_SHOWSCROLLBAR, SB_HORZ, (bars & 1) ? TRUE : FALSE);
    SendMessageW(Handle(), EM_SHOWSCROLLBAR, SB_VERT, (bars & 2) ? TRUE : FALSE);
  }

  std::string Text() override {
    if (!Handle()) return {};
    if (!rich_) {
      int length = GetWindowTextLengthW(Handle());
      std::wstring wide(std::size_t(std::max(length, 0)) + 1, L'\0');
      int got = GetWindowTextW(Handle(), wide.data(), length + 1);
      wide.resize(std::size_t(std::max(got, 0)));
      return platform::win32::NarrowCp1251(wide);
    }
    GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_NUMCHARS, 1200};
    auto length = LONG(SendMessageW(Handle(), EM_GETTEXTLENGTHEX, WPARAM(&lengthQuery), 0));
    if (length <= 0) return {};
    std::wstring wide(std::size_t(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = DWORD(wide.size() * sizeof(wchar_t));
    query.flags = GT_USECRLF;
    query.codepage = 1200;
    auto got = LONG(SendMessageW(Handle(), EM_GETTEXTEX, WPARAM(&query), LPARAM(wide.data())));
    wide.resize(std::size_t(std::max(got, 0L)));
    return platform::win32::NarrowCp1251(wide);
  }

  std::string RichText() override {
    if (!Handle() || !rich_) return {};
    StreamBuffer buffer;
    EDITSTREAM stream{DWORD_PTR(&buffer), 0, WriteStream};
    SendMessageW(Handle(), EM_STREAMOUT, SF_RTF, LPARAM(&stream));
    return buffer.out;
  }

 protected:
  bool OnCommand(unsigned code, LRESULT&) override {
    if (code != EN_CHANGE || pushing_) return false;
    edit_.UserEdited();
    return true;
  }

  // A press is the control's own first (caret, selection), then the model's: a handler that
  // drags the window takes the mouse over from the control.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    TMouseButton button;
    switch (msg) {
      case WM_LBUTTONDOWN:
        button = TMouseButton::mbLeft;
        break;
      case WM_RBUTTONDOWN:
        button = TMouseButton::mbRight;
        break;
      case WM_MBUTTONDOWN:
        button = TMouseButton::mbMiddle;
        break;
      default:
        return false;
    }
    if (!edit_.OnMouseDown) return false;
    result = comctl::DefSubclass(Handle(), msg, wParam, lParam);
    TShiftState shift = ShiftFromMouseKeys(unsigned(wParam), GetKeyState(VK_MENU) < 0);
    edit_.MouseDown(button, shift, int(short(LOWORD(lParam))), int(short(HIWORD(lParam))));
    return true;
  }

 private:
  // Face, size, colour, bold and underline of the text (SCF_ALL) or of new text (SCF_DEFAULT).
  void ApplyCharFormat(const TFont& font, WPARAM which) {
    if (!Handle() || !rich_) return;
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_UNDERLINE | CFM_CHARSET;
    format.dwEffects = (font.bold ? CFE_BOLD : 0) | (font.underline ? CFE_UNDERLINE : 0);
    format.yHeight = LONG(font.size) * 20;
    format.crTextColor = ResolveColor(font.color);
    format.bCharSet = RUSSIAN_CHARSET;
    std::wstring face = Widen(font.name);
    wcsncpy(format.szFaceName, face.c_str(), LF_FACESIZE - 1);
    bool wasPushing = pushing_;
    pushing_ = true;
    SendMessageW(Handle(), EM_SETCHARFORMAT, which, LPARAM(&format));
    pushing_ = wasPushing;
  }

  TRichEdit& edit_;
  bool rich_ = true;
  bool pushing_ = false;
};

}  // namespace

std::unique_ptr<RichEditPeer> NewRichEditPeer(Backend& backend, TRichEdit& edit) {
  return std::make_unique<Win32RichEditPeer>(backend, edit);
}

}  // namespace ui::win32
