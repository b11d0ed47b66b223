#include "ui/controls.h"

#include "platform/startup_marks.h"
#include "ui/dpi.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/menus.h"

namespace ui {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) parent_->InsertControl(this);
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left = ClampCoordinate(left);
  top = ClampCoordinate(top);
  width = ClampExtent(width);
  height = ClampExtent(height);
  TRect r{left, top, left + width, top + height};
  if (r == bounds_) return;
  Invalidate();
  bounds_ = r;
  BoundsChanged();
  Invalidate();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  VisibleChanged();
  if (parent_) parent_->Invalidate();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
  Invalidate();
}

void TControl::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  CaptionChanged();
  Invalidate();
}

void TControl::SetFont(const TFont& font) {
  TFont clamped = font;
  clamped.size = ClampCoordinate(font.size);
  if (clamped == font_) return;
  font_ = clamped;
  FontChanged();
  Invalidate();
}

void TControl::SetFontName(const std::string& name) {
  TFont f = font_;
  f.name = name;
  SetFont(f);
}

void TControl::SetFontSize(int size) {
  TFont f = font_;
  f.size = size;
  SetFont(f);
}

void TControl::SetFontColor(TColor color) {
  TFont f = font_;
  f.color = color;
  SetFont(f);
}

void TControl::SetFontBold(bool bold) {
  TFont f = font_;
  f.bold = bold;
  SetFont(f);
}

void TControl::SetColor(TColor c) {
  ParentColor = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
  Invalidate();
}

TColor TControl::EffectiveColor() const {
  return ParentColor && parent_ ? parent_->EffectiveColor() : color_;
}

bool TControl::VisibleInTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetAccessibleName(const std::string& name) {
  if (name == accessibleName_) return;
  accessibleName_ = name;
  if (IsWindowed())
    if (WinControlPeer* p = static_cast<TWinControl*>(this)->Peer()) p->SetAccessibleName(AccessibleName());
}

bool TControl::EnabledInTree() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->enabled_) return false;
  return true;
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}

void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}

void TControl::MouseMove(TShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  // Offsets inside the window are designed pixels; the window's own place is the screen's.
  const TControl* top = this;
  TPoint inside = p;
  if (!IsWindowed() || parent_) {
    // A child's position is relative to its parent's client area.
    inside.x += Left();
    inside.y += Top();
    for (top = parent_; top && top->parent_; top = top->parent_) {
      inside.x += top->Left();
      inside.y += top->Top();
    }
  }
  if (!top) return inside;
  const TPoint scaled = ScalePoint(inside, Dpi());
  return {top->Left() + scaled.x, top->Top() + scaled.y};
}

int TControl::Dpi() const { return parent_ ? parent_->Dpi() : kDesignDpi; }

void TControl::Invalidate() {
  if (IsWindowed()) {
    auto* self = static_cast<TWinControl*>(this);
    if (self->Peer()) self->Peer()->Invalidate();
  } else if (parent_ && parent_->Peer() && visible_) {
    const TRect painted = PaintedRect();
    if (painted == kEverywhere) {
      parent_->Peer()->Invalidate();
    } else if (!painted.Empty()) {
      parent_->Peer()->InvalidateRect(painted);
    }
  }
}

// ---- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children may outlive this part of the object while the owner is destroyed: let them go.
  auto children = controls_;
  for (TControl* c : children) c->SetParent(nullptr);
  capture_ = hover_ = nullptr;
  peer_.reset();
}

void TWinControl::SetParent(TWinControl* parent) {
  TControl::SetParent(parent);
  EnsurePeer();
}

void TWinControl::EnsurePeer() {
  if (!peer_ && Parent() && Parent()->HasPeer() && HasApplication()) {
    AttachPeer(CreatePeer(Application().Widgets()));
    // The native window may measure its client area differently (tabs, frames).
    if (peer_) AlignControls();
  }
  if (!peer_) return;
  for (TControl* c : controls_)
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->EnsurePeer();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  AlignControls();
}

void TWinControl::AlignControls() {
  TRect r = AlignRect();
  for (TControl* c : controls_)
    if (c->Align() == TAlign::alClient) c->SetBounds(r.left, r.top, r.Width(), r.Height());
}

TRect TWinControl::AlignRect() const {
  TSize client = ClientSize();
  return {0, 0, client.cx, client.cy};
}

void TWinControl::RemoveControl(TControl* c) {
  std::erase(controls_, c);
  if (capture_ == c) capture_ = nullptr;
  if (hover_ == c) hover_ = nullptr;
}

TControl* TWinControl::ControlAt(TPoint client) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().Contains(client)) return c;
  }
  return nullptr;
}

TControl* TWinControl::Target(TPoint client) const {
  TControl* c = ControlAt(client);
  return c ? c : const_cast<TWinControl*>(this);
}

static TPoint ToLocal(const TControl* target, const TControl* self, TPoint client) {
  if (target == self) return client;
  return {client.x - target->Left(), client.y - target->Top()};
}

void TWinControl::RouteMouseDown(TMouseButton b, TShiftState s, TPoint client) {
  TControl* t = Target(client);
  capture_ = t;
  doublePress_ = false;
  TPoint p = ToLocal(t, this, client);
  t->MouseDown(b, s, p.x, p.y);
}

void TWinControl::RouteMouseUp(TMouseButton b, TShiftState s, TPoint client) {
  TControl* t = capture_ ? capture_ : Target(client);
  capture_ = nullptr;
  // The release that ends a double click is no click of its own: the first release clicked.
  bool secondOfDouble = doublePress_;
  doublePress_ = false;
  TPoint p = ToLocal(t, this, client);
  bool inside = t == this ? true : t->BoundsRect().Contains(client);
  if (b == TMouseButton::mbLeft && inside && !secondOfDouble) t->Click();
  // The handlers above may have destroyed or re-parented the target; look it up again.
  if (std::find(controls_.begin(), controls_.end(), t) == controls_.end() && t != this) return;
  t->MouseUp(b, s, p.x, p.y);
  if (b == TMouseButton::mbRight) {
    for (TControl* c = t; c; c = c->Parent()) {
      if (c->PopupMenu()) {
        TPoint screen = ClientToScreen(client);
        c->PopupMenu()->PopupComponent = c;
        c->PopupMenu()->Popup(screen.x, screen.y);
        break;
      }
    }
  }
}

void TWinControl::RouteMouseMove(TShiftState s, TPoint client) {
  TControl* t = capture_ ? capture_ : Target(client);
  if (!capture_ && t != hover_) {
    TControl* old = hover_;
    hover_ = t;
    if (old) old->MouseLeave();
    t->MouseEnter();
  }
  TPoint p = ToLocal(t, this, client);
  t->MouseMove(s, p.x, p.y);
}

void TWinControl::RouteDblClick(TPoint client) {
  TControl* t = Target(client);
  capture_ = t;
  doublePress_ = true;
  t->DblClick();
  // The second press of a double click is a press like the first: its handling (a move, a
  // pressed picture) runs after the double click's own, unless that removed the target.
  if (std::find(controls_.begin(), controls_.end(), t) == controls_.end() && t != this) return;
  TPoint p = ToLocal(t, this, client);
  t->MouseDown(TMouseButton::mbLeft, ssLeft | ssDouble, p.x, p.y);
}

void TWinControl::RouteMouseLeave() {
  if (hover_) {
    TControl* old = hover_;
    hover_ = nullptr;
    old->MouseLeave();
  }
}

void TWinControl::PaintControls(Canvas& canvas) {
  static bool painted = false;  // the program's first painted window, for the start-up marks
  if (!painted) {
    painted = true;
    platform::StartupMark(Name, "first paint");
  }
  const TRect area = canvas.PaintRect();
  for (TControl* c : controls_)
    if (!c->IsWindowed() && c->Visible() && c->PaintedRect().Intersects(area)) c->Paint(canvas);
}

void TWinControl::BoundsChanged() {
  if (peer_) peer_->SetBounds(bounds_);
  AlignControls();
}
void TWinControl::VisibleChanged() {
  if (peer_) peer_->SetVisible(visible_);
}
void TWinControl::EnabledChanged() {
  if (peer_) peer_->SetEnabled(enabled_);
}
void TWinControl::CaptionChanged() {
  if (peer_) peer_->SetCaption(caption_);
}
void TWinControl::FontChanged() {
  if (peer_) peer_->SetFont(font_);
}
void TWinControl::ColorChanged() {
  if (peer_) peer_->SetColor(color_);
}

std::string ShownHint(const TControl* control) {
  for (const TControl* c = control; c; c = c->Parent()) {
    if (c->Hint().empty()) continue;
    return c->ShowHint ? c->Hint() : std::string();
  }
  return {};
}

}  // namespace ui
