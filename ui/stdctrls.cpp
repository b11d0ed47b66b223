#include "ui/stdctrls.h"

#include "ui/application.h"

namespace ui {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { AdjustSize(); }

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  AdjustSize();
}

void TLabel::CaptionChanged() { AdjustSize(); }
void TLabel::FontChanged() { AdjustSize(); }

void TLabel::AdjustSize() {
  if (!autoSize_ || !HasApplication()) return;
  TSize s = Application().Widgets().MeasureText(caption_.empty() ? std::string(" ") : caption_, font_);
  if (caption_.empty()) s.cx = 0;
  SetBounds(Left(), Top(), s.cx, s.cy);
}

void TLabel::Paint(Canvas& canvas) {
  if (!Transparent) canvas.FillRect(bounds_, color_);
  canvas.DrawText(caption_, {Left(), Top()}, font_);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {}

void TImage::SetPicture(const Image& image) {
  picture_ = image;
  if (AutoSize && !image.Empty()) SetBounds(Left(), Top(), image.width, image.height);
  Invalidate();
}

void TImage::Paint(Canvas& canvas) {
  if (picture_.Empty()) return;
  TRect dest = Stretch ? bounds_ : TRect{Left(), Top(), Left() + picture_.width, Top() + picture_.height};
  canvas.DrawImage(picture_, dest, Transparent);
}

}  // namespace ui
