// Loaded into the program under test by the probe's WH_CALLWNDPROC hook, to read an open popup
// menu there: a menu belongs to the process that made it, and other processes cannot read its
// items. On the probe's request (WM_NULL with kMenuRequest, sent to the menu's window) it
// describes the menu in the probe's output format and sends the text back with WM_COPYDATA.
#include <windows.h>

#include <cstdio>
#include <string>

#include "probe_protocol.h"

namespace {

std::string Hex(const char* bytes, int len) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (int i = 0; i < len; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string Describe(HMENU menu) {
  std::string out;
  char line[256];
  int count = menu ? GetMenuItemCount(menu) : -1;
  std::snprintf(line, sizeof line, "items=%d\n", count);
  out += line;
  for (int i = 0; i < count; ++i) {
    char text[512] = {0};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID | MIIM_BITMAP | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, i, TRUE, &info)) {
      std::snprintf(line, sizeof line, "item%d_error=%lu\n", i, GetLastError());
      out += line;
      continue;
    }
    int len = static_cast<int>(info.cch);
    const int flags[] = {(info.fType & MFT_SEPARATOR) ? 1 : 0, (info.fState & MFS_DISABLED) ? 1 : 0,
                         (info.fState & MFS_CHECKED) ? 1 : 0,   (info.fState & MFS_HILITE) ? 1 : 0,
                         (info.fState & MFS_DEFAULT) ? 1 : 0,   info.hSubMenu ? 1 : 0,
                         (info.fType & MFT_OWNERDRAW) ? 1 : 0,  info.hbmpItem ? 1 : 0};
    const char* const names[] = {"separator", "disabled", "checked", "highlighted", "default", "popup", "ownerdraw",
                                 "bitmap"};
    std::snprintf(line, sizeof line, "item%d_id=%u", i, info.wID);
    out += line;
    for (int f = 0; f < 8; ++f) {
      std::snprintf(line, sizeof line, " item%d_%s=%d", i, names[f], flags[f]);
      out += line;
    }
    out += "\n";
    std::snprintf(line, sizeof line, "item%d_hex=", i);
    out += line + Hex(text, len) + "\n";
    std::string readable(text, len);
    for (char& c : readable)
      if (c == '\r' || c == '\n') c = ' ';
    std::snprintf(line, sizeof line, "item%d=", i);
    out += line + readable + "\n";
  }
  return out;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (msg->message == WM_NULL && msg->wParam == kMenuRequest) {
      HMENU menu = reinterpret_cast<HMENU>(SendMessageA(msg->hwnd, MN_GETHMENU, 0, 0));
      std::string text = Describe(menu);
      COPYDATASTRUCT data{};
      data.dwData = kMenuRequest;
      data.cbData = static_cast<DWORD>(text.size());
      data.lpData = text.data();
      DWORD_PTR ignored = 0;
      SendMessageTimeoutA(reinterpret_cast<HWND>(msg->lParam), WM_COPYDATA, reinterpret_cast<WPARAM>(msg->hwnd),
                          reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &ignored);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
