// Shared by the probe and the hook library it places in the program under test.
#pragma once

#include <windows.h>

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

// The wParam of the WM_NULL that asks the hook for the menu; lParam is the window to reply to.
constexpr WPARAM kMenuRequest = 0x48524D4E;
// The same for the accessible name (and role) of the window the WM_NULL is sent to.
constexpr WPARAM kNameRequest = 0x48524143;
constexpr const char* kHookLibrary = "horavo_probe_hook.dll";
constexpr const char* kHookProc = "ProbeCallWndProc";
