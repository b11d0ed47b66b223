// Graphic controls: TLabel (text) and TImage (picture), painted by their parent.
#pragma once

#include "ui/controls.h"

namespace ui {

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Transparent = true;

  void Paint(Canvas& canvas) override;

 protected:
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  void AdjustSize();
  bool autoSize_ = true;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);

  const Image& Picture() const { return picture_; }
  // Sets the picture; with AutoSize the control takes the picture's size.
  void SetPicture(const Image& image);
  void ClearPicture() { SetPicture(Image{}); }
  bool Stretch = false;
  bool Transparent = false;
  bool AutoSize = false;

  void Paint(Canvas& canvas) override;

 private:
  Image picture_;
};

}  // namespace ui
