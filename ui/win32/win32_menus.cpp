#include <windows.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <memory>
#include <vector>

#include "ui/controls.h"
#include "ui/menus.h"
#include "ui/win32/win32_helpers.h"

namespace ui::win32 {

namespace {

bool Contains(const TMenuItem* parent, const TMenuItem* wanted) {
  for (const TMenuItem* item : parent->Items())
    if (item == wanted || Contains(item, wanted)) return true;
  return false;
}

// What one opening of a menu made: the item of each command and the item pictures.
struct BuiltMenu {
  std::vector<TMenuItem*> commands;  // command id = index + 1
  std::vector<Image> pictures;       // item data = index + 1
};

void AddItems(HMENU menu, const TMenuItem& parent, BuiltMenu& built) {
  auto entries = ShownMenuEntries(
      parent.Items(), [](const TMenuItem& i) { return i.Visible; }, [](const TMenuItem& i) { return i.IsSeparator(); });
  for (TMenuItem* item : entries) {
    if (item->IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring text = Widen(item->Caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = text.data();
    info.fState = (item->Enabled ? 0 : MFS_DISABLED) | (item->Checked ? MFS_CHECKED : 0);
    if (item->Count() > 0) {
      HMENU sub = CreatePopupMenu();
      AddItems(sub, *item, built);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = sub;
    } else {
      built.commands.push_back(item);
      info.wID = UINT(built.commands.size());
    }
    if (!item->Bitmap.Empty()) {
      // The menu asks its window to draw the picture (WM_MEASUREITEM, WM_DRAWITEM), which draws
      // it with its transparent colour left out over the menu's own background. An alpha
      // bitmap would do the same on recent Windows, but older menus and Wine show its
      // transparent pixels black.
      built.pictures.push_back(item->Bitmap);
      info.fMask |= MIIM_BITMAP | MIIM_DATA;
      info.hbmpItem = HBMMENU_CALLBACK;
      info.dwItemData = ULONG_PTR(built.pictures.size());
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  }
}

class Win32MenuPeer : public MenuPeer {
 public:
  Win32MenuPeer(Backend& backend, TPopupMenu& menu) : backend_(backend), menu_(menu) {}
  ~Win32MenuPeer() override { *alive_ = false; }

  void Popup(TPoint screen) override {
    BuiltMenu built;
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AddItems(menu, *menu_.Items(), built);
    HWND owner = OwnerWindow();
    // Without the foreground the menu would not close when the user clicks elsewhere; the
    // posted message lets the system finish the menu's own bookkeeping.
    SetForegroundWindow(owner);
    // Only locals are used once the menu is open: a handler may destroy this peer meanwhile.
    auto alive = alive_;
    Backend& backend = backend_;
    const std::vector<Image>* outerPictures = backend.SetMenuPictures(&built.pictures);
    UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x,
                                      screen.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    backend.SetMenuPictures(outerPictures);
    DestroyMenu(menu);  // with its sub-menus
    if (!*alive || chosen == 0 || chosen > built.commands.size()) return;
    // Timers kept running while the menu was open; their handlers may have removed the item.
    TMenuItem* item = built.commands[chosen - 1];
    if (!Contains(menu_.Items(), item)) return;  // alive: menu_ is still there
    CallModel([item] { item->Click(); });
  }

 private:
  // The window of the control the menu opens for, else of its owner's form, else the
  // application window.
  HWND OwnerWindow() const {
    for (TComponent* c : {menu_.PopupComponent, menu_.Owner()}) {
      auto* control = dynamic_cast<TControl*>(c);
      while (control && control->Parent()) control = control->Parent();
      if (HWND hwnd = HandleOf(dynamic_cast<TWinControl*>(control))) return hwnd;
    }
    return backend_.OwnerWindow();
  }

  Backend& backend_;
  TPopupMenu& menu_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

std::unique_ptr<MenuPeer> NewMenuPeer(Backend& backend, TPopupMenu& menu) {
  return std::make_unique<Win32MenuPeer>(backend, menu);
}

}  // namespace ui::win32
