// Loaded into the program under test by the probe's WH_CALLWNDPROC hook, to read an open popup
// menu there: a menu belongs to the process that made it, and other processes cannot read its
// items. On the probe's request (WM_NULL with kMenuRequest, sent to the menu's window) it
// describes the menu in the probe's output format and sends the text back with WM_COPYDATA.
// With kNameRequest it asks the window for its accessible object, as a screen reader does, and
// answers with the object's name and role.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

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

std::string DescribeAccessible(HWND hwnd) {
  using FromWindowFn = HRESULT WINAPI(HWND, DWORD, REFIID, void**);
  HMODULE oleacc = LoadLibraryA("oleacc.dll");
  auto* fromWindow =
      oleacc ? reinterpret_cast<FromWindowFn*>(reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")))
             : nullptr;
  IAccessible* object = nullptr;
  char line[256];
  if (!fromWindow) return "found=0\n";
  HRESULT hr = fromWindow(hwnd, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&object));
  if (FAILED(hr) || !object) {
    std::snprintf(line, sizeof line, "found=0\nerror=%08lx\n", static_cast<unsigned long>(hr));
    return line;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string out = "found=1\n";
  long children = 0;
  object->get_accChildCount(&children);
  std::snprintf(line, sizeof line, "children=%ld\n", children);
  out += line;
  // The name and those of the children that are simple elements, in the ANSI code page.
  for (long id = 0; id <= children; ++id) {
    self.lVal = id;
    name = nullptr;
    if (object->get_accName(self, &name) != S_OK || !name) continue;
    int wide = static_cast<int>(SysStringLen(name));
    int len = WideCharToMultiByte(CP_ACP, 0, name, wide, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, 0, name, wide, text.data(), len, nullptr, nullptr);
    SysFreeString(name);
    std::string key = id == 0 ? "name" : "child" + std::to_string(id);
    out += key + "_hex=" + Hex(text.data(), len) + "\n" + key + "=" + text + "\n";
  }
  object->Release();
  return out;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (msg->message == WM_NULL && (msg->wParam == kMenuRequest || msg->wParam == kNameRequest)) {
      std::string text;
      if (msg->wParam == kMenuRequest) {
        text = Describe(reinterpret_cast<HMENU>(SendMessageA(msg->hwnd, MN_GETHMENU, 0, 0)));
      } else {
        text = DescribeAccessible(msg->hwnd);
      }
      COPYDATASTRUCT data{};
      data.dwData = msg->wParam;
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
