// The common controls library (list views, tabs, pickers, tool-tips, image lists and window
// subclassing), loaded when the program makes its first control of it. The clock's own window
// needs none of it, and the library costs a megabyte and milliseconds at start.
// Include <windows.h> first.
#pragma once

#include <commctrl.h>

namespace ui::win32::comctl {

// Loads the library and registers the window classes of its controls; false when the system
// has no such library. Call before making a window of one of its classes.
bool Ensure();

// The library's functions of the same names. Each loads the library when needed, except
// GetSubclass: no window can be subclassed before the library is loaded.
BOOL SetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL GetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data);
BOOL RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow);
int ImageListAddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
BOOL ImageListDestroy(HIMAGELIST list);

}  // namespace ui::win32::comctl
