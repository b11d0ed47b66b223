// A console helper for the end-to-end tests: it runs in the same Wine prefix and on the same
// display as the program under test and reports what the window manager cannot (there is none
// on the virtual display): window styles, message box texts, the items of an open popup menu.
// Every text is printed twice, as hex bytes (exact, in the ANSI code page) and as raw bytes.
//
//   horavo_probe window <title>   the top-level window with exactly that caption
//   horavo_probe windows          every top-level window
//   horavo_probe msgbox           the visible message box: caption, text, which standard icon,
//                                 buttons, and how many message boxes are visible
//   horavo_probe msgbox-ok        presses OK (or Cancel) in the visible message box
//   horavo_probe close <title>    posts WM_CLOSE to the window with that caption
//   horavo_probe texts <title>    the child windows of the window with that caption: class,
//                                 text and place of each, in the order the system lists them;
//                                 of a tab control also the chosen tab and its rows
//   horavo_probe menu             the open popup menu: geometry, then each item's text, id and
//                                 state, read inside the owning program by horavo_probe_hook.dll
//                                 (which must lie beside the probe)
//   horavo_probe focus <window>   the window that has the keyboard focus in the thread of the
//                                 window with that caption (the system's focus query): class,
//                                 text, control id
//   horavo_probe accname <window> the accessible name of the client area of the window and of its simple child elements, asked inside the
//                                 program by the hook library as a screen reader would; a
//                                 <window> is a title or "hwnd:0x..." 
//
// A title given as "hex:C0C1..." is taken as those bytes. Exit code 0 when the thing asked for
// was found (or done), 1 when it was not, 2 on a usage error.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "probe_protocol.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// Title argument: plain bytes, or "hex:" followed by pairs of hex digits.
std::string ParseTitle(const char* arg) {
  if (std::strncmp(arg, "hex:", 4) != 0) return arg;
  std::string out;
  const char* p = arg + 4;
  while (p[0] && p[1]) {
    char pair[3] = {p[0], p[1], 0};
    out += static_cast<char>(std::strtoul(pair, nullptr, 16));
    p += 2;
  }
  return out;
}

std::string WindowText(HWND hwnd) {
  // WM_GETTEXT reads controls of other processes too; the timeout keeps a hung window from
  // hanging the probe, and then the text the system keeps for the window is taken instead.
  DWORD_PTR len = 0;
  if (SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) {
    std::vector<char> buf(len + 2);
    DWORD_PTR got = 0;
    if (SendMessageTimeoutA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG,
                            2000, &got))
      return std::string(buf.data(), std::min<size_t>(got, len));
  }
  char buf[1024] = {0};
  int got = GetWindowTextA(hwnd, buf, sizeof buf);
  return std::string(buf, got > 0 ? got : 0);
}

std::string ClassOf(HWND hwnd) {
  char buf[256] = {0};
  GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

// A text as key_hex=<exact bytes in hex>, then key=<the bytes> for people to read, on one line
// (line breaks in it shown as spaces).
void PrintText(const char* key, const std::string& text) {
  std::string readable = text;
  for (char& c : readable)
    if (c == '\r' || c == '\n') c = ' ';
  std::printf("%s_hex=%s\n%s=", key, Hex(text).c_str(), key);
  std::fwrite(readable.data(), 1, readable.size(), stdout);
  std::printf("\n");
}

void PrintWindow(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  std::printf("found=1 hwnd=0x%lx style=0x%08lx exstyle=0x%08lx left=%ld top=%ld width=%ld height=%ld visible=%d pid=%lu\n",
              static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd)),
              static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)), r.left, r.top, r.right - r.left,
              r.bottom - r.top, IsWindowVisible(hwnd) ? 1 : 0, pid);
}

// Top-level windows with exactly this caption; several may share it (the program's hidden
// application window and its main form, say), so a visible one is preferred.
struct TitleSearch {
  std::string title;
  HWND first = nullptr;
  HWND visible = nullptr;
  int count = 0;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TitleSearch*>(lp);
  if (WindowText(hwnd) != s->title) return TRUE;
  ++s->count;
  if (!s->first) s->first = hwnd;
  if (!s->visible && IsWindowVisible(hwnd)) s->visible = hwnd;
  return TRUE;
}

HWND FindTitled(const std::string& title, int* count) {
  TitleSearch s;
  s.title = title;
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
  if (count) *count = s.count;
  return s.visible ? s.visible : s.first;
}

int CmdWindow(const std::string& title) {
  int count = 0;
  HWND hwnd = FindTitled(title, &count);
  if (!hwnd) {
    std::printf("found=0\n");
    return 1;
  }
  PrintWindow(hwnd);
  std::printf("count=%d\n", count);
  PrintText("class", ClassOf(hwnd));
  // The whole-window opacity of a layered window (0 to 255), when it has one.
  BYTE alpha = 0;
  DWORD flags = 0;
  if ((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) && GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) &&
      (flags & LWA_ALPHA))
    std::printf("alpha=%u\n", unsigned(alpha));
  return 0;
}

struct ChildList {
  std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lp) {
  reinterpret_cast<ChildList*>(lp)->children.push_back(child);
  return TRUE;
}

int CmdTexts(const std::string& title) {
  HWND hwnd = FindTitled(title, nullptr);
  if (!hwnd) {
    std::printf("found=0\n");
    return 1;
  }
  ChildList list;
  EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&list));
  std::printf("found=1 children=%d\n", int(list.children.size()));
  for (std::size_t i = 0; i < list.children.size(); ++i) {
    HWND child = list.children[i];
    RECT r{};
    GetWindowRect(child, &r);
    std::string key = "child" + std::to_string(i);
    std::printf("%s_rect=%ld,%ld,%ld,%ld %s_visible=%d\n", key.c_str(), r.left, r.top, r.right, r.bottom, key.c_str(),
                IsWindowVisible(child) ? 1 : 0);
    // A tab control: the chosen tab and how many rows the tabs take (messages without
    // pointers, so they work across processes).
    if (_stricmp(ClassOf(child).c_str(), "SysTabControl32") == 0)
      std::printf("%s_tab=%d %s_rows=%d\n", key.c_str(), int(SendMessageA(child, 0x130B /* TCM_GETCURSEL */, 0, 0)),
                  key.c_str(), int(SendMessageA(child, 0x132C /* TCM_GETROWCOUNT */, 0, 0)));
    PrintText((key + "_class").c_str(), ClassOf(child));
    PrintText(key.c_str(), WindowText(child));
    // A list view's rows are not windows: their number and the selected one (-1 for none).
    // (LVM_GETITEMCOUNT, and LVM_GETNEXTITEM with LVNI_SELECTED.)
    if (lstrcmpiA(ClassOf(child).c_str(), "SysListView32") == 0)
      std::printf("%s_items=%d %s_selected=%d\n", key.c_str(), int(SendMessageA(child, 0x1004, 0, 0)), key.c_str(),
                  int(SendMessageA(child, 0x100C, WPARAM(-1), 2)));
  }
  return 0;
}

BOOL CALLBACK ListOne(HWND hwnd, LPARAM) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  // The whole-window opacity of a layered window with alpha blending; -1 for none.
  BYTE alpha = 0;
  DWORD layered = 0;
  const bool blended = GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &layered) && (layered & LWA_ALPHA);
  std::printf("hwnd=0x%lx pid=%lu visible=%d style=0x%08lx exstyle=0x%08lx alpha=%d rect=%ld,%ld,%ld,%ld class=%s "
              "caption_hex=%s\n",
              static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd)), pid, IsWindowVisible(hwnd) ? 1 : 0,
              static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)), blended ? int(alpha) : -1, r.left,
              r.top, r.right, r.bottom, ClassOf(hwnd).c_str(), Hex(WindowText(hwnd)).c_str());
  return TRUE;
}

int CmdWindows() {
  EnumWindows(ListOne, 0);
  return 0;
}

// The first visible top-level window of the given class.
struct ClassSearch {
  const char* cls;
  HWND found;
  int count;
};

BOOL CALLBACK FindVisibleOfClass(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ClassSearch*>(lp);
  if (IsWindowVisible(hwnd) && ClassOf(hwnd) == s->cls) {
    if (!s->found) s->found = hwnd;
    ++s->count;
  }
  return TRUE;
}

// The topmost in Z order of the visible top-level windows of a class, and how many there are.
HWND FindVisible(const char* cls, int* count = nullptr) {
  ClassSearch s{cls, nullptr, 0};
  EnumWindows(FindVisibleOfClass, reinterpret_cast<LPARAM>(&s));
  if (count) *count = s.count;
  return s.found;
}

struct BoxParts {
  HWND text = nullptr;
  HWND icon = nullptr;
  std::vector<HWND> buttons;
};

BOOL CALLBACK CollectPart(HWND child, LPARAM lp) {
  auto* parts = reinterpret_cast<BoxParts*>(lp);
  std::string cls = ClassOf(child);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  int id = GetDlgCtrlID(child);
  if (cls == "Static" || cls == "STATIC" || cls == "static") {
    if ((id & 0xFFFF) == 0xFFFF) parts->text = child;
    if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0)
      parts->icon = child;
  } else if (cls == "Button" || cls == "BUTTON" || cls == "button") {
    if (IsWindowVisible(child)) parts->buttons.push_back(child);
  }
  return TRUE;
}

BoxParts PartsOf(HWND box) {
  BoxParts parts;
  EnumChildWindows(box, CollectPart, reinterpret_cast<LPARAM>(&parts));
  return parts;
}

// Which of the standard message box icons a static control shows. The icon handle belongs to the
// other process, so the pixels on the screen are compared with each standard icon drawn here,
// counting only the pixels that the icon covers (the same over a black and a white background).
constexpr int kIconSize = 32;

std::vector<COLORREF> Grab(HDC src, int x, int y) {
  std::vector<COLORREF> px;
  HDC mem = CreateCompatibleDC(src);
  HBITMAP bmp = CreateCompatibleBitmap(src, kIconSize, kIconSize);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, kIconSize, kIconSize, src, x, y, SRCCOPY);
  for (int j = 0; j < kIconSize; ++j)
    for (int i = 0; i < kIconSize; ++i) px.push_back(GetPixel(mem, i, j));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  return px;
}

std::vector<COLORREF> Render(HICON icon, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, kIconSize, kIconSize);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, kIconSize, kIconSize};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(mem, &all, brush);
  DeleteObject(brush);
  DrawIconEx(mem, 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> px;
  for (int j = 0; j < kIconSize; ++j)
    for (int i = 0; i < kIconSize; ++i) px.push_back(GetPixel(mem, i, j));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return px;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 24 && std::abs(GetGValue(a) - GetGValue(b)) <= 24 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 24;
}

const char* IconKind(HWND iconStatic) {
  RECT r{};
  GetWindowRect(iconStatic, &r);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> shown = Grab(screen, r.left, r.top);
  ReleaseDC(nullptr, screen);
  struct Candidate {
    const char* name;
    LPCSTR id;
  } candidates[] = {{"error", IDI_HAND}, {"question", IDI_QUESTION}, {"warning", IDI_EXCLAMATION},
                    {"information", IDI_ASTERISK}};
  const char* best = "unknown";
  double bestScore = 0.0;
  for (const Candidate& c : candidates) {
    HICON icon = LoadIconA(nullptr, c.id);
    if (!icon) continue;
    std::vector<COLORREF> onBlack = Render(icon, RGB(0, 0, 0));
    std::vector<COLORREF> onWhite = Render(icon, RGB(255, 255, 255));
    int covered = 0, same = 0;
    for (size_t k = 0; k < shown.size(); ++k) {
      if (onBlack[k] != onWhite[k]) continue;
      ++covered;
      if (Near(onBlack[k], shown[k])) ++same;
    }
    double score = covered ? static_cast<double>(same) / covered : 0.0;
    if (covered > 64 && score > bestScore) {
      bestScore = score;
      best = c.name;
    }
  }
  return bestScore >= 0.9 ? best : "unknown";
}

int CmdMsgbox() {
  int count = 0;
  HWND box = FindVisible("#32770", &count);
  if (!box) {
    std::printf("found=0\n");
    return 1;
  }
  PrintWindow(box);
  std::printf("count=%d\n", count);
  PrintText("caption", WindowText(box));
  BoxParts parts = PartsOf(box);
  PrintText("text", parts.text ? WindowText(parts.text) : std::string());
  std::printf("icon=%d\n", parts.icon ? 1 : 0);
  if (parts.icon) std::printf("icon_kind=%s\n", IconKind(parts.icon));
  std::printf("buttons=%u\n", static_cast<unsigned>(parts.buttons.size()));
  for (size_t i = 0; i < parts.buttons.size(); ++i) {
    std::printf("button%u_id=%d\n", static_cast<unsigned>(i), GetDlgCtrlID(parts.buttons[i]));
    PrintText(("button" + std::to_string(i)).c_str(), WindowText(parts.buttons[i]));
  }
  return 0;
}

int CmdMsgboxOk() {
  HWND box = FindVisible("#32770");
  if (!box) {
    std::printf("found=0\n");
    return 1;
  }
  HWND button = GetDlgItem(box, IDOK);
  int id = IDOK;
  if (!button) {
    button = GetDlgItem(box, IDCANCEL);
    id = IDCANCEL;
  }
  if (!button) {
    std::printf("found=1 button=0\n");
    return 1;
  }
  SendMessageA(button, BM_CLICK, 0, 0);
  // BM_CLICK goes through a simulated mouse press; should the box still be there, tell the
  // dialog directly that the button was pressed.
  for (int i = 0; i < 20 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(50);
  if (IsWindow(box) && IsWindowVisible(box))
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  std::printf("found=1 button=%d\n", id);
  return 0;
}

int CmdClose(const std::string& title) {
  HWND hwnd = FindTitled(title, nullptr);
  if (!hwnd) {
    std::printf("found=0\n");
    return 1;
  }
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  std::printf("found=1\n");
  return 0;
}

// The menu's owner reads it: the hook library is placed in the owning thread, asked through the
// menu's window, and answers with WM_COPYDATA to a message-only window of the probe.
std::string g_menuReply;
bool g_menuAnswered = false;
WPARAM g_request = kMenuRequest;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData == g_request) {
      g_menuReply.assign(static_cast<const char*>(data->lpData), data->cbData);
      g_menuAnswered = true;
      return TRUE;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool AskInOwner(HWND popup, WPARAM request, std::string* out) {
  g_request = request;
  char path[MAX_PATH] = {0};
  DWORD len = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, len);
  dir.erase(dir.find_last_of("\\/") + 1);
  HMODULE lib = LoadLibraryA((dir + kHookLibrary).c_str());
  if (!lib) return false;
  auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(lib, kHookProc)));
  WNDCLASSA wc{};
  wc.lpfnWndProc = ReplyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HoravoProbeReply";
  RegisterClassA(&wc);
  HWND reply = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  DWORD thread = GetWindowThreadProcessId(popup, nullptr);
  HHOOK hook = proc && reply ? SetWindowsHookExA(WH_CALLWNDPROC, proc, lib, thread) : nullptr;
  if (hook) {
    // While this call waits, the reply arrives as a message sent to this thread.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(popup, WM_NULL, request, reinterpret_cast<LPARAM>(reply), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    UnhookWindowsHookEx(hook);
  }
  if (reply) DestroyWindow(reply);
  if (g_menuAnswered) *out = g_menuReply;
  return g_menuAnswered;
}

int CmdMenu() {
  HWND popup = FindVisible("#32768");
  if (!popup) {
    std::printf("found=0\n");
    return 1;
  }
  PrintWindow(popup);
  std::string described;
  if (AskInOwner(popup, kMenuRequest, &described)) {
    std::fwrite(described.data(), 1, described.size(), stdout);
    return 0;
  }
  // Without the hook, try to read the menu from here; where the system does not allow it the
  // count is -1 and only the geometry above is known.
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : -1;
  std::printf("items=%d\n", count);
  for (int i = 0; i < count; ++i) {
    char buf[512] = {0};
    int len = GetMenuStringA(menu, i, buf, sizeof buf, MF_BYPOSITION);
    UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    std::printf("item%d_id=%u item%d_separator=%d item%d_disabled=%d item%d_checked=%d item%d_highlighted=%d "
                "item%d_popup=%d\n",
                i, GetMenuItemID(menu, i), i, (state & MF_SEPARATOR) ? 1 : 0, i, (state & (MF_GRAYED | MF_DISABLED)) ? 1 : 0,
                i, (state & MF_CHECKED) ? 1 : 0, i, (state & MF_HILITE) ? 1 : 0, i, (state & MF_POPUP) ? 1 : 0);
    PrintText(("item" + std::to_string(i)).c_str(), std::string(buf, len > 0 ? len : 0));
  }
  return 0;
}

// A window named on the command line: "hwnd:0x..." (as "windows" prints it), else a title.
HWND WindowArg(const char* arg) {
  if (std::strncmp(arg, "hwnd:", 5) == 0) {
    HWND hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(arg + 5, nullptr, 16)));
    return IsWindow(hwnd) ? hwnd : nullptr;
  }
  return FindTitled(ParseTitle(arg), nullptr);
}

int CmdFocus(const char* arg) {
  HWND window = WindowArg(arg);
  if (!window) {
    std::printf("found=0\n");
    return 1;
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) {
    std::printf("found=0\n");
    return 1;
  }
  std::printf("found=1\nhandle=%p\nid=%d\nactive=%d\n", static_cast<void*>(info.hwndFocus), GetDlgCtrlID(info.hwndFocus),
              info.hwndActive == window ? 1 : 0);
  PrintText("class", ClassOf(info.hwndFocus));
  PrintText("text", WindowText(info.hwndFocus));
  return 0;
}

int CmdAccName(const char* arg) {
  HWND window = WindowArg(arg);
  std::string described;
  if (!window || !AskInOwner(window, kNameRequest, &described)) {
    std::printf("found=0\n");
    return 1;
  }
  std::fwrite(described.data(), 1, described.size(), stdout);
  return described.rfind("found=1", 0) == 0 ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: horavo_probe window <title> | windows | msgbox | msgbox-ok | close <title> | texts <title> | "
               "menu | focus <title> | accname <title>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string cmd = argv[1];
  int rc;
  if (cmd == "window" && argc == 3) rc = CmdWindow(ParseTitle(argv[2]));
  else if (cmd == "windows") rc = CmdWindows();
  else if (cmd == "msgbox") rc = CmdMsgbox();
  else if (cmd == "msgbox-ok") rc = CmdMsgboxOk();
  else if (cmd == "close" && argc == 3) rc = CmdClose(ParseTitle(argv[2]));
  else if (cmd == "texts" && argc == 3) rc = CmdTexts(ParseTitle(argv[2]));
  else if (cmd == "menu") rc = CmdMenu();
  else if (cmd == "focus" && argc == 3) rc = CmdFocus(argv[2]);
  else if (cmd == "accname" && argc == 3) rc = CmdAccName(argv[2]);
  else return Usage();
  std::fflush(stdout);
  return rc;
}
