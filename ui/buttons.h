// Push buttons: TButton (a caption) and TBitBtn (a caption with a picture beside it).
// Pressing one (mouse or keyboard) raises OnClick.
#pragma once

#include "ui/controls.h"

namespace ui {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;
};

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}

  // The picture left of the caption, drawn with its bottom-left colour left out; empty for none.
  const Image& Glyph() const { return glyph_; }
  void SetGlyph(const Image& glyph);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  Image glyph_;
};

}  // namespace ui
