// TPanel: a windowed container with a colour, a bevelled edge and an optional centred caption.
// It paints its own surface and its graphic children and routes mouse input to them, so it
// can be pressed to drag its window like any other control.
#pragma once

#include "ui/controls.h"

namespace ui {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);

  // Draws the panel's surface (colour, bevels, caption) in its own coordinates; the backend
  // draws the graphic children over it.
  void PaintSurface(Canvas& canvas);
  // Aligned children fill the area inside the bevels, so a framed picture keeps its frame.
  TRect AlignRect() const override;

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  int bevelWidth_ = 1;
};

}  // namespace ui
