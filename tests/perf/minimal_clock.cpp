// The smallest desk clock worth the name, the yardstick of tests/perf/side_by_side.py: one
// borderless layered window that stays on top, a timer once a second, and the time written
// with TextOut. Built with the program's own compiler and flags; never shipped.
#include <windows.h>

namespace {

const wchar_t kClass[] = L"MinimalClock";
constexpr COLORREF kKey = RGB(0, 0, 0);  // painted where the window is see-through

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      SYSTEMTIME now;
      GetLocalTime(&now);
      const wchar_t text[] = {wchar_t(L'0' + now.wHour / 10),   wchar_t(L'0' + now.wHour % 10),   L':',
                              wchar_t(L'0' + now.wMinute / 10), wchar_t(L'0' + now.wMinute % 10), L':',
                              wchar_t(L'0' + now.wSecond / 10), wchar_t(L'0' + now.wSecond % 10)};
      SetBkColor(dc, RGB(135, 206, 235));
      SetTextColor(dc, RGB(0, 0, 128));
      TextOutW(dc, 10, 10, text, 8);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(135, 206, 235));
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"Minimal clock", WS_POPUP,
                              700, 600, 180, 70, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  SetLayeredWindowAttributes(hwnd, kKey, 255, LWA_COLORKEY);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  SetTimer(hwnd, 1, 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
