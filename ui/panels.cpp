#include "ui/panels.h"

#include <algorithm>

#include "ui/application.h"

namespace ui {

namespace {

// A colour moved towards white (amount > 0) or black (amount < 0), amount in percent.
TColor Shade(TColor color, int amount) {
  std::uint32_t p = ColorToPixel(color);
  auto channel = [amount](std::uint32_t v) {
    int c = int(v & 0xFF);
    c = amount > 0 ? c + (255 - c) * amount / 100 : c + c * amount / 100;
    return std::uint32_t(std::clamp(c, 0, 255));
  };
  return PixelToColor(channel(p >> 16) << 16 | channel(p >> 8) << 8 | channel(p));
}

// One bevel ring of `width` pixels just inside `r`; returns the rectangle inside it.
TRect DrawBevel(Canvas& canvas, TRect r, TBevelCut cut, int width, TColor face) {
  if (cut == TBevelCut::bvNone) return r;
  TColor light = Shade(face, 65), dark = Shade(face, -40);
  TColor topLeft = cut == TBevelCut::bvRaised ? light : dark;
  TColor bottomRight = cut == TBevelCut::bvRaised ? dark : light;
  for (int i = 0; i < width && r.Width() > 1 && r.Height() > 1; ++i) {
    canvas.FillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
    canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  return r;
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { color_ = 0xF0F0F0; }

void TPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == bevelOuter_) return;
  bevelOuter_ = cut;
  AlignControls();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
  if (cut == bevelInner_) return;
  bevelInner_ = cut;
  AlignControls();
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  AlignControls();
  Invalidate();
}

void TPanel::PaintSurface(Canvas& canvas) {
  TRect r{0, 0, Width(), Height()};
  canvas.FillRect(r, color_);
  r = DrawBevel(canvas, r, bevelOuter_, bevelWidth_, color_);
  DrawBevel(canvas, r, bevelInner_, bevelWidth_, color_);
  if (!caption_.empty() && HasApplication()) {
    TSize s = Application().Widgets().MeasureText(caption_, font_);
    canvas.DrawText(caption_, {(Width() - s.cx) / 2, (Height() - s.cy) / 2}, font_);
  }
}

TRect TPanel::AlignRect() const {
  int inset = (bevelOuter_ != TBevelCut::bvNone ? bevelWidth_ : 0) + (bevelInner_ != TBevelCut::bvNone ? bevelWidth_ : 0);
  TRect r = TWinControl::AlignRect();
  return {r.left + inset, r.top + inset, std::max(r.right - inset, r.left + inset), std::max(r.bottom - inset, r.top + inset)};
}

std::unique_ptr<WinControlPeer> TPanel::CreatePeer(WidgetSet& widgets) { return widgets.CreatePanelPeer(*this); }

}  // namespace ui
