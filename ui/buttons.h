// Push buttons: TButton (a caption) and TBitBtn (a caption with a picture beside it), windowed;
// TSpeedButton, painted by its parent. Pressing one (mouse or keyboard) raises OnClick.
#pragma once

#include "ui/controls.h"

namespace ui {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  // Enter presses the window's default button (unless another button has the focus), Esc its
  // cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel = false;
  // Pressed from the keyboard: a click, when the user can reach the button.
  void Press();

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  bool default_ = false;
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

// A button without a window of its own. Speed buttons of one parent that share a GroupIndex
// other than 0 form a group in which a click puts the clicked one down and the others up.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  // The picture beside the caption (or centred without one), its bottom-left colour left out.
  const Image& Glyph() const { return glyph_; }
  void SetGlyph(const Image& glyph);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  // Lets the user click the down button of a group up again.
  bool AllowAllUp = false;
  bool Down() const { return down_; }
  // Puts the button down (its group's others up) or up, without OnClick. A button outside a
  // group never stays down, and the down button of a group without AllowAllUp stays down until
  // another one goes down.
  void SetDown(bool down);

  void Paint(Canvas& canvas) override;
  // A click by the user (press and release over the button) also moves it down in its group.
  void Click() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  Image glyph_;
  int groupIndex_ = 0;
  bool down_ = false;
  bool pressing_ = false;  // the left button went down on it and is held
  bool hot_ = false;
};

}  // namespace ui
