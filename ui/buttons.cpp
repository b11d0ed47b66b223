#include "ui/buttons.h"

#include "ui/application.h"

namespace ui {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  color_ = 0xF0F0F0;
  TabStop = true;
}

std::unique_ptr<WinControlPeer> TButton::CreatePeer(WidgetSet& widgets) { return widgets.CreateButtonPeer(*this); }

void TBitBtn::SetGlyph(const Image& glyph) {
  if (glyph == glyph_) return;
  glyph_ = glyph;
  if (auto* p = static_cast<ButtonPeer*>(Peer())) p->SetGlyph(glyph_);
}

std::unique_ptr<WinControlPeer> TBitBtn::CreatePeer(WidgetSet& widgets) { return widgets.CreateBitBtnPeer(*this); }

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { color_ = 0xF0F0F0; }

void TSpeedButton::SetGlyph(const Image& glyph) {
  if (glyph == glyph_) return;
  glyph_ = glyph;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
  if (index == groupIndex_) return;
  groupIndex_ = index;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    Invalidate();
  }
}

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !AllowAllUp) return;
  down_ = down;
  Invalidate();
  if (!down || !Parent()) return;
  for (TControl* c : Parent()->Controls()) {
    auto* other = dynamic_cast<TSpeedButton*>(c);
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::Click() {
  if (pressing_ && groupIndex_ != 0) {
    if (down_ && AllowAllUp) {
      SetDown(false);
    } else if (!down_) {
      SetDown(true);
    }
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (b == TMouseButton::mbLeft) {
    pressing_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(b, s, x, y);
}

void TSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (b == TMouseButton::mbLeft && pressing_) {
    pressing_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(b, s, x, y);
}

void TSpeedButton::MouseEnter() {
  hot_ = true;
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  hot_ = false;
  Invalidate();
  TGraphicControl::MouseLeave();
}

void TSpeedButton::Paint(Canvas& canvas) {
  bool sunk = down_ || (pressing_ && hot_);
  canvas.DrawButtonFace(bounds_, sunk, hot_, enabled_);
  TSize text = caption_.empty() || !HasApplication() ? TSize{} : Application().Widgets().MeasureText(caption_, font_);
  constexpr int kSpacing = 4;
  int glyphWidth = glyph_.Empty() ? 0 : glyph_.width;
  int total = glyphWidth + (glyphWidth && text.cx ? kSpacing : 0) + text.cx;
  int shift = sunk ? 1 : 0;
  int x = Left() + (Width() - total) / 2 + shift;
  int middle = Top() + Height() / 2 + shift;
  if (glyphWidth) {
    int top = middle - glyph_.height / 2;
    canvas.DrawImage(glyph_, {x, top, x + glyph_.width, top + glyph_.height}, true);
    x += glyphWidth + kSpacing;
  }
  if (text.cx) {
    TFont f = font_;
    if (!enabled_) f.color = 0x808080;
    canvas.DrawText(caption_, {x, middle - text.cy / 2}, f);
  }
}

}  // namespace ui
