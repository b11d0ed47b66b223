#include "ui/stdctrls.h"

#include <algorithm>

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
  Invalidate();  // where the old picture was
  picture_ = image;
  if (AutoSize && !image.Empty()) SetBounds(Left(), Top(), image.DesignedWidth(), image.DesignedHeight());
  Invalidate();
}

TRect TImage::PaintedRect() const {
  if (Stretch || picture_.Empty()) return bounds_;
  return bounds_.United({Left(), Top(), Left() + picture_.DesignedWidth(), Top() + picture_.DesignedHeight()});
}

void TImage::Paint(Canvas& canvas) {
  if (picture_.Empty()) return;
  TRect dest =
      Stretch ? bounds_ : TRect{Left(), Top(), Left() + picture_.DesignedWidth(), Top() + picture_.DesignedHeight()};
  canvas.DrawImage(picture_, dest, Transparent);
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { ParentColor = true; }

TRect TGroupBox::AlignRect() const {
  int captionHeight = HasApplication() ? Application().Widgets().MeasureText("Ag", font_).cy : 13;
  TRect r = TWinControl::AlignRect();
  return {r.left + 2, r.top + captionHeight, std::max(r.right - 2, r.left + 2), std::max(r.bottom - 2, r.top + captionHeight)};
}

std::unique_ptr<WinControlPeer> TGroupBox::CreatePeer(WidgetSet& widgets) { return widgets.CreateGroupBoxPeer(*this); }

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  ParentColor = true;
  TabStop = true;
}

void TCheckBox::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  if (auto* p = static_cast<CheckBoxPeer*>(Peer())) p->SetChecked(on);
  Click();
}

void TCheckBox::UserClick() {
  if (EnabledInTree()) SetChecked(!checked_);
}

std::unique_ptr<WinControlPeer> TCheckBox::CreatePeer(WidgetSet& widgets) { return widgets.CreateCheckBoxPeer(*this); }

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  ParentColor = true;
  TabStop = true;
}

void TRadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  if (auto* p = static_cast<CheckBoxPeer*>(Peer())) p->SetChecked(on);
  if (!on) return;
  if (Parent())
    for (TControl* c : Parent()->Controls())
      if (auto* sibling = dynamic_cast<TRadioButton*>(c); sibling && sibling != this) sibling->SetChecked(false);
  Click();
}

void TRadioButton::UserClick() {
  if (EnabledInTree()) SetChecked(true);
}

std::unique_ptr<WinControlPeer> TRadioButton::CreatePeer(WidgetSet& widgets) {
  return widgets.CreateRadioButtonPeer(*this);
}

TMemo::TMemo(TComponent* owner) : TEdit(owner) {}

std::vector<std::string> TMemo::Lines() const {
  // CR LF, LF and CR each end a line; a text that ends in a line break has no empty line after it.
  std::vector<std::string> lines;
  const std::string& text = Text();
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  SetText(text);
}

void TMemo::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  if (auto* p = static_cast<MemoPeer*>(Peer())) p->SetScrollBars(int(style));
}

bool TMemo::AcceptsKey(char key) const { return WantReturns || (key != '\r' && key != '\n'); }

void TMemo::TextEdited(const std::string& text) {
  if (WantReturns) {
    TEdit::TextEdited(text);
    return;
  }
  std::string flat;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      flat += ' ';
    } else {
      flat += c;
    }
  }
  TEdit::TextEdited(flat);
  // The native field shows the line breaks yet: it gets the text without them.
  if (flat != text)
    if (auto* p = static_cast<EditPeer*>(Peer())) p->SetText(Text());
}

std::unique_ptr<WinControlPeer> TMemo::CreatePeer(WidgetSet& widgets) { return widgets.CreateMemoPeer(*this); }

}  // namespace ui
