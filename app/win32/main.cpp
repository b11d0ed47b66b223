// The Windows entry point: the program over the Win32 services and widget set.
#include <windows.h>

#include <exception>

#include "app/program.h"
#include "platform/win32/cp1251.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/win32_widgetset.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    platform::Win32Platform platform;
    std::unique_ptr<ui::Win32WidgetSet> widgets = ui::CreateWin32WidgetSet();
    platform.SetMainWindow([&widgets] { return widgets->MainWindowHandle(); });
    return app::RunProgram(platform, *widgets);
  } catch (const std::exception& e) {
    // Only start-up can get here (the program shows its own errors): say why instead of vanishing.
    MessageBoxW(nullptr, platform::win32::WidenCp1251(e.what()).c_str(), L"Horavo", MB_OK | MB_ICONERROR);
    return 1;
  }
}
