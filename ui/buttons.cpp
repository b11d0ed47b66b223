#include "ui/buttons.h"

namespace ui {

TButton::TButton(TComponent* owner) : TWinControl(owner) { color_ = 0xF0F0F0; }

std::unique_ptr<WinControlPeer> TButton::CreatePeer(WidgetSet& widgets) { return widgets.CreateButtonPeer(*this); }

void TBitBtn::SetGlyph(const Image& glyph) {
  if (glyph == glyph_) return;
  glyph_ = glyph;
  if (auto* p = static_cast<ButtonPeer*>(Peer())) p->SetGlyph(glyph_);
}

std::unique_ptr<WinControlPeer> TBitBtn::CreatePeer(WidgetSet& widgets) { return widgets.CreateBitBtnPeer(*this); }

}  // namespace ui
