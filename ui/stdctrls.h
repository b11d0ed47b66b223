// Standard controls: TLabel (text) and TImage (picture), painted by their parent; TGroupBox,
// TCheckBox, TRadioButton and TMemo, windowed.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/edits.h"

namespace ui {

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Transparent = true;

  void Paint(Canvas& canvas) override;
  // A label sized to its text draws inside its bounds.
  TRect PaintedRect() const override { return autoSize_ ? bounds_ : kEverywhere; }

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
  // A stretched picture fills the bounds; another one is drawn at its own size from the top left.
  TRect PaintedRect() const override;

 private:
  Image picture_;
};

// A framed container with a caption in its top edge; radio buttons inside it form a group.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  // Aligned children go inside the frame, below the caption.
  TRect AlignRect() const override;

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;
};

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return checked_; }
  // A change raises OnClick, as it does when the program sets the box.
  void SetChecked(bool on);

  // Input entry point: the user clicked the box (or pressed the space bar on it): it toggles.
  // Nothing happens while it (or a parent) is disabled.
  void UserClick();

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  bool checked_ = false;
};

// Of the radio buttons with one parent, at most one is checked.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking one unchecks its siblings and raises its OnClick; unchecking raises nothing.
  void SetChecked(bool on);

  // Input entry point: the user clicked the button: it becomes the checked one.
  void UserClick();

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  bool checked_ = false;
};

// A multi-line text field; Text holds its lines joined by CR LF.
class TMemo : public TEdit {
 public:
  explicit TMemo(TComponent* owner);

  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  // Without WantReturns the memo keeps one paragraph: Enter does not start a new line, and
  // line breaks that come in with pasted text become blanks.
  bool WantReturns = true;
  bool WantsReturn() const override { return WantReturns && !ReadOnly(); }
  // Long lines wrap at the right edge; read when the native field is made.
  bool WordWrap = true;
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);

  // Whether typing `key` goes into the text (the native field asks before it takes a key).
  bool AcceptsKey(char key) const;
  void TextEdited(const std::string& text) override;

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
};

}  // namespace ui
