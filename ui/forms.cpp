#include "ui/forms.h"

#include "ui/application.h"
#include "ui/dpi.h"

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
  highContrast_ = Application().Widgets().HighContrast();
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

TRect TForm::ScreenRect() const {
  return {Left(), Top(), Left() + ScaleValue(Width(), dpi_), Top() + ScaleValue(Height(), dpi_)};
}

void TForm::ChangeDpi(int dpi, TRect suggested) {
  if (dpi <= 0) return;
  const bool changed = dpi != dpi_;
  dpi_ = dpi;
  // The system has placed the window already; the model follows, its designed size unchanged.
  MovedTo(suggested.left, suggested.top);
  ReplayGeometry(*this);
  Invalidate();
  if (changed && OnDpiChanged) OnDpiChanged(this);
}

void TForm::ReplayGeometry(TWinControl& control) {
  for (TControl* c : control.Controls()) {
    if (!c->IsWindowed()) continue;
    auto* w = static_cast<TWinControl*>(c);
    if (WinControlPeer* p = w->Peer()) {
      p->SetFont(w->Font());
      p->SetBounds(w->BoundsRect());
      p->Invalidate();
    }
    ReplayGeometry(*w);
  }
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
      WidgetSet& widgets = Application().Widgets();
      // The monitor of the main window, or of the pointer while it is hidden (or is this one).
      const TForm* main = Application().MainForm();
      TPoint anchor = widgets.CursorPos();
      if (main && main != this && main->Visible()) {
        const TRect r = main->ScreenRect();
        anchor = {r.left + r.Width() / 2, r.top + r.Height() / 2};
      }
      if (!peer_) SetInitialDpi(widgets.MonitorDpiAt(anchor));
      const TRect area = widgets.WorkAreaAt(anchor);
      const TSize size{ScaleValue(Width(), dpi_), ScaleValue(Height(), dpi_)};
      const TPoint at = CentreIn(area, size);
      SetBounds(at.x, at.y, Width(), Height());
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
