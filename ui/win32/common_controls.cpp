#include <windows.h>
#include <commctrl.h>

#include "ui/win32/common_controls.h"

#include "platform/win32/late_bound.h"

namespace ui::win32::comctl {

namespace {

struct Library {
  decltype(::SetWindowSubclass)* setSubclass = nullptr;
  decltype(::GetWindowSubclass)* getSubclass = nullptr;
  decltype(::RemoveWindowSubclass)* removeSubclass = nullptr;
  decltype(::DefSubclassProc)* defSubclass = nullptr;
  decltype(::ImageList_Create)* imageListCreate = nullptr;
  decltype(::ImageList_AddMasked)* imageListAddMasked = nullptr;
  decltype(::ImageList_Destroy)* imageListDestroy = nullptr;
  bool loaded = false;
};

Library& Lib() {
  static Library lib;
  return lib;
}

}  // namespace

bool Ensure() {
  static const bool loaded = [] {
    using platform::win32::LateBound;
    constexpr const wchar_t* kName = L"comctl32.dll";
    auto* init = LateBound<decltype(::InitCommonControlsEx)>(kName, "InitCommonControlsEx");
    if (!init) return false;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS;
    init(&icc);
    Library& lib = Lib();
    lib.setSubclass = LateBound<decltype(::SetWindowSubclass)>(kName, "SetWindowSubclass");
    lib.getSubclass = LateBound<decltype(::GetWindowSubclass)>(kName, "GetWindowSubclass");
    lib.removeSubclass = LateBound<decltype(::RemoveWindowSubclass)>(kName, "RemoveWindowSubclass");
    lib.defSubclass = LateBound<decltype(::DefSubclassProc)>(kName, "DefSubclassProc");
    lib.imageListCreate = LateBound<decltype(::ImageList_Create)>(kName, "ImageList_Create");
    lib.imageListAddMasked = LateBound<decltype(::ImageList_AddMasked)>(kName, "ImageList_AddMasked");
    lib.imageListDestroy = LateBound<decltype(::ImageList_Destroy)>(kName, "ImageList_Destroy");
    lib.loaded = lib.setSubclass && lib.getSubclass && lib.removeSubclass && lib.defSubclass &&
                 lib.imageListCreate && lib.imageListAddMasked && lib.imageListDestroy;
    return lib.loaded;
  }();
  return loaded;
}

BOOL SetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  return Ensure() ? Lib().setSubclass(hwnd, proc, id, data) : FALSE;
}

BOOL GetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* data) {
  return Lib().loaded ? Lib().getSubclass(hwnd, proc, id, data) : FALSE;
}

BOOL RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
  return Lib().loaded ? Lib().removeSubclass(hwnd, proc, id) : FALSE;
}

LRESULT DefSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Only a subclassed window calls this, so the library is there.
  return Lib().defSubclass(hwnd, msg, wParam, lParam);
}

HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow) {
  return Ensure() ? Lib().imageListCreate(width, height, flags, initial, grow) : nullptr;
}

int ImageListAddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
  return Lib().loaded ? Lib().imageListAddMasked(list, bitmap, mask) : -1;
}

BOOL ImageListDestroy(HIMAGELIST list) { return Lib().loaded ? Lib().imageListDestroy(list) : FALSE; }

}  // namespace ui::win32::comctl
