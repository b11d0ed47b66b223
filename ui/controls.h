// Controls: TControl (state shared by all), TGraphicControl (painted by its parent),
// TWinControl (has a native peer and routes mouse input to its graphic children).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/types.h"
#include "ui/widgetset.h"

namespace ui {

class TWinControl;
class TPopupMenu;

enum class TAlign { alNone, alClient };

using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
// A key pressed; the handler sets `key` to 0 when it used it.
using TKeyEvent = std::function<void(TComponent* sender, unsigned& key, TShiftState shift)>;

// What a screen reader says a control is.
enum class TAccessibleRole { kDefault, kButton, kText, kGraphic };

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // False when the control or one of its parents is hidden.
  bool VisibleInTree() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& text) { hint_ = text; }
  bool ShowHint = true;

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void SetFontName(const std::string& name);
  void SetFontSize(int size);
  void SetFontColor(TColor color);
  void SetFontBold(bool bold);
  TColor Color() const { return color_; }
  // Setting a colour of its own ends ParentColor.
  void SetColor(TColor c);
  // With ParentColor the control is drawn in its parent's colour (check boxes, group boxes).
  bool ParentColor = false;
  TColor EffectiveColor() const;
  // False when the control or one of its parents is disabled: the user cannot reach it then.
  bool EnabledInTree() const;

  // alClient keeps the control filling its parent's client area.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // What a screen reader reads for the control: the name given to it, else its caption. Set
  // one for controls whose caption says nothing (pictures, drawn buttons).
  std::string AccessibleName() const { return accessibleName_.empty() ? caption_ : accessibleName_; }
  void SetAccessibleName(const std::string& name);
  TAccessibleRole AccessibleRole = TAccessibleRole::kDefault;

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Input entry points: the backend (or a test) calls these with control-relative coordinates.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton b, TShiftState s, int x, int y);
  virtual void MouseUp(TMouseButton b, TShiftState s, int x, int y);
  virtual void MouseMove(TShiftState s, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  // Position of a point of this control on the screen, in the screen's pixels.
  TPoint ClientToScreen(TPoint p) const;
  // The density of the monitor the control's window stands on; geometry and font sizes are
  // designed at 96 and drawn scaled to it.
  virtual int Dpi() const;

  virtual bool IsWindowed() const { return false; }
  // Draws the control; graphic controls draw themselves through their parent's canvas.
  virtual void Paint(Canvas&) {}
  // Where Paint may draw, in the parent's client coordinates; by default anywhere. A control
  // that knows it stays inside a rectangle says so, and only that part is painted again when
  // it changes.
  virtual TRect PaintedRect() const { return kEverywhere; }
  // Asks the parent (or own peer) to repaint.
  void Invalidate();

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Hooks for subclasses, called after the state changed.
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void CaptionChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}

  TRect bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  TFont font_;
  TColor color_ = clWhite;

 private:
  TWinControl* parent_ = nullptr;
  TPopupMenu* popupMenu_ = nullptr;
  std::string accessibleName_;
  TAlign align_ = TAlign::alNone;
};

class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  const std::vector<TControl*>& Controls() const { return controls_; }
  WinControlPeer* Peer() const { return peer_.get(); }
  bool HasPeer() const { return bool(peer_); }

  void SetParent(TWinControl* parent) override;

  // Whether Tab stops at the control (set by the kinds the user works with: buttons, boxes,
  // fields, lists, pickers, page controls), and whether the focus can go there now.
  bool TabStop = false;
  bool CanFocus() const;
  // Whether the control has the keyboard focus of its window.
  bool Focused() const;
  // Moves the keyboard focus of its window here.
  void SetFocus();
  // The Enter key is the control's own (a multi-line text being edited), not the window's.
  virtual bool WantsReturn() const { return false; }

  // Topmost visible and enabled graphic child under a client point, or null.
  TControl* ControlAt(TPoint client) const;
  // Mouse input in client coordinates, routed to the graphic child under the pointer (or kept
  // by the one that got the button press) and raised there; a right-button release opens the
  // context menu of that control or its nearest parent that has one.
  void RouteMouseDown(TMouseButton b, TShiftState s, TPoint client);
  void RouteMouseUp(TMouseButton b, TShiftState s, TPoint client);
  void RouteMouseMove(TShiftState s, TPoint client);
  void RouteDblClick(TPoint client);
  void RouteMouseLeave();
  // The control the pointer is over, as last routed (for tooltips).
  TControl* HoverControl() const { return hover_; }
  // Forgets the control that got the button press when the system took the mouse away in the
  // middle of it (a window move loop, a menu): no release and no click follow.
  void CancelMouseCapture() {
    capture_ = nullptr;
    doublePress_ = false;
  }

  // Lays out the children that are aligned to this control, within AlignRect.
  void AlignControls();
  virtual TSize ClientSize() const { return {Width(), Height()}; }
  // Where aligned children go: the client area less a frame or tabs the control draws there.
  virtual TRect AlignRect() const;

  // Paints the graphic children in z-order.
  void PaintControls(Canvas& canvas);

 protected:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // Creates the native peer if this control can have one now (its parent has one).
  virtual std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet&) { return nullptr; }
  void AttachPeer(std::unique_ptr<WinControlPeer> peer) { peer_ = std::move(peer); }
  // Creates the peer if the parent has one, then those of windowed children that were
  // parented while this control had none.
  void EnsurePeer();

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void ColorChanged() override;

  std::unique_ptr<WinControlPeer> peer_;

 private:
  TControl* Target(TPoint client) const;
  std::vector<TControl*> controls_;
  TControl* capture_ = nullptr;
  TControl* hover_ = nullptr;
  bool doublePress_ = false;  // the press being held began with a double click
};

// The hint shown while the pointer is over `control`: its own, or else that of its nearest
// parent that has one; empty when the control that has it does not show hints.
std::string ShownHint(const TControl* control);

}  // namespace ui
