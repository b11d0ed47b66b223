// The panel's peer: a container window that paints the panel's surface (colour, bevels,
// caption) under its graphic children.
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include "ui/panels.h"
#include "ui/win32/win32_container.h"
#include "ui/win32/win32_peers.h"

namespace ui::win32 {

namespace {

class Win32PanelPeer : public Win32ContainerPeer<PanelPeer> {
 public:
  Win32PanelPeer(Backend& backend, TPanel& panel) : Win32ContainerPeer(backend, panel), panel_(panel) {
    CreateContainer(L"HoravoPanel");
  }

 protected:
  void PaintSurface(GdiCanvas& canvas, int, int) override { panel_.PaintSurface(canvas); }

 private:
  TPanel& panel_;
};

}  // namespace

std::unique_ptr<PanelPeer> NewPanelPeer(Backend& backend, TPanel& panel) {
  return std::make_unique<Win32PanelPeer>(backend, panel);
}

}  // namespace ui::win32
