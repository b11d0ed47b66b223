// The Windows entry point: the program over the Win32 services and widget set.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/win32/cp1251.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/win32_widgetset.h"

namespace {

// The manifest asks for drawing per monitor; a system that did not read it (an older loader, a
// compatibility layer) is asked once more here, the best way it knows.
void AskForPerMonitorScale() {
  using IsAwareFn = BOOL WINAPI();
  auto* isAware = platform::win32::LateBound<IsAwareFn>(L"user32.dll", "IsProcessDPIAware");
  if (isAware && isAware()) return;  // the manifest took effect
  using SetContextFn = BOOL WINAPI(HANDLE);
  using SetAwarenessFn = HRESULT WINAPI(int);
  using SetAwareFn = BOOL WINAPI();
  if (auto* setContext = platform::win32::LateBound<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
    if (setContext(HANDLE(LONG_PTR(-4))) || setContext(HANDLE(LONG_PTR(-3)))) return;  // per monitor v2, v1
  }
  if (auto* setAwareness = platform::win32::LateBound<SetAwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness")) {
    if (setAwareness(2) == S_OK) return;  // per monitor
  }
  if (auto* setAware = platform::win32::LateBound<SetAwareFn>(L"user32.dll", "SetProcessDPIAware")) setAware();
}

// The command line's arguments after the program's name, as cp1251 texts. The file of
// "/export" and "/import" is made a full path here: a copy of the program that runs already
// has a working directory of its own.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) {
    std::wstring arg = wide[i];
    if (i == 2) {
      std::wstring name = wide[1];
      for (wchar_t& c : name) c = wchar_t(towlower(c));
      if (name == L"/export" || name == L"-export" || name == L"/import" || name == L"-import") {
        wchar_t full[MAX_PATH * 4];
        const DWORD length = GetFullPathNameW(arg.c_str(), DWORD(std::size(full)), full, nullptr);
        if (length > 0 && length < std::size(full)) arg = full;
      }
    }
    args.push_back(platform::win32::NarrowCp1251(arg));
  }
  LocalFree(wide);
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AskForPerMonitorScale();
  try {
    platform::Win32Platform platform;
    std::unique_ptr<ui::Win32WidgetSet> widgets = ui::CreateWin32WidgetSet();
    platform.SetMainWindow([&widgets] { return widgets->MainWindowHandle(); });
    return app::RunProgram(platform, *widgets, Arguments());
  } catch (const std::exception& e) {
    // Only start-up can get here (the program shows its own errors): say why instead of vanishing.
    MessageBoxW(nullptr, platform::win32::WidenCp1251(e.what()).c_str(), L"Horavo", MB_OK | MB_ICONERROR);
    return 1;
  }
}
