#include "ui/forms.h"

#include "ui/application.h"

namespace ui {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;  // forms are created hidden
  color_ = 0xF0F0F0;
  if (HasApplication() && !Application().Widgets().DefersHiddenForms()) HandleNeeded();
}

void TForm::HandleNeeded() {
  if (peer_ || !HasApplication()) return;
  AttachPeer(Application().Widgets().CreateFormPeer(*this));
  if (!peer_) return;
  // The controls made meanwhile get theirs now, each from the state its component holds.
  AlignControls();
  EnsurePeer();
}

TForm::~TForm() {
  // Components refer to this form's state: destroy them while it is still whole.
  DestroyComponents();
}

void TForm::DoCreate() {
  // An error in the creation handler is shown and ends the handler; the form stays usable.
  if (!OnCreate) return;
  if (HasApplication())
    Application().Guard([this] { OnCreate(this); });
  else
    OnCreate(this);
}

void TForm::DoDestroy() {
  if (destroyRaised_) return;
  destroyRaised_ = true;
  if (!OnDestroy) return;
  if (HasApplication())
    Application().Guard([this] { OnDestroy(this); });
  else
    OnDestroy(this);
}

void TForm::SetBorderStyle(TBorderStyle s) {
  if (s == borderStyle_) return;
  borderStyle_ = s;
  if (auto* p = FormPeerPtr()) p->SetBorderless(s == TBorderStyle::bsNone);
  AlignControls();  // the frame, and so the client area, changed
}

TSize TForm::FrameSize() const {
  return HasApplication() ? Application().Widgets().FrameSize(borderStyle_) : TSize{0, 0};
}

TSize TForm::ClientSize() const {
  TSize frame = FrameSize();
  return {Width() - frame.cx, Height() - frame.cy};
}

void TForm::SetFormStyle(TFormStyle s) {
  if (s == formStyle_) return;
  formStyle_ = s;
  if (auto* p = FormPeerPtr()) p->SetStayOnTop(s == TFormStyle::fsStayOnTop);
}

void TForm::SetTransparentColor(bool on) {
  if (on == transparentColor_) return;
  transparentColor_ = on;
  if (auto* p = FormPeerPtr()) p->SetTransparentColor(on, transparentColorValue_);
}

void TForm::SetTransparentColorValue(TColor c) {
  if (c == transparentColorValue_) return;
  transparentColorValue_ = c;
  if (auto* p = FormPeerPtr()) p->SetTransparentColor(transparentColor_, c);
}

void TForm::SetAlphaBlend(bool on) {
  if (on == alphaBlend_) return;
  alphaBlend_ = on;
  if (auto* p = FormPeerPtr()) p->SetAlphaBlend(on, alphaBlendValue_);
}

void TForm::SetAlphaBlendValue(int value) {
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  if (value == alphaBlendValue_) return;
  alphaBlendValue_ = value;
  if (auto* p = FormPeerPtr()) p->SetAlphaBlend(alphaBlend_, value);
}

void TForm::Close() {
  bool isMain = HasApplication() && Application().MainForm() == this;
  TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (isMain) {
    Application().Terminate();
  } else {
    Hide();
  }
}

void TForm::BringToFront() {
  HandleNeeded();
  if (auto* p = FormPeerPtr()) p->BringToFront();
}

void TForm::SystemCommand(unsigned command) {
  // Closing needs no window; any other command goes to the window manager.
  if (command != SC_CLOSE_COMMAND) HandleNeeded();
  if (auto* p = FormPeerPtr()) {
    p->SendSystemCommand(command);
  } else if (command == SC_CLOSE_COMMAND) {
    Close();
  }
}

void TForm::BeginMove() {
  if (auto* p = FormPeerPtr()) p->BeginMove();
}

void TForm::MovedTo(int left, int top) {
  // The native window is already there; only the model follows.
  bounds_ = TRect{left, top, left + Width(), top + Height()};
}

void TForm::VisibleChanged() {
  // Centred once, before the window appears; later showings keep the place the user gave it.
  if (visible_ && !positioned_) {
    positioned_ = true;
    if ((Position == TPosition::poScreenCenter || Position == TPosition::poDesktopCenter) && HasApplication()) {
      TSize screen = Application().Widgets().ScreenSize();
      SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(), Height());
    }
  }
  if (visible_ && !peer_) {
    // Made hidden with all its controls, then shown below as a form made at start would be.
    visible_ = false;
    HandleNeeded();
    visible_ = true;
  }
  TWinControl::VisibleChanged();
  if (visible_ && OnShow) OnShow(this);
  if (!visible_ && OnHide) OnHide(this);
}

}  // namespace ui
