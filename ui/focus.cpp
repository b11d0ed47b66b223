// The keyboard in a form: where the focus is, the order Tab visits the controls in, and the
// window's own keys (Tab, Ctrl+Tab, Enter, Esc, the arrows of a radio group). Every backend
// hands its key presses to TForm::KeyDown, so all windows behave alike.
#include <algorithm>

#include "ui/buttons.h"
#include "ui/comctrls.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

namespace ui {

namespace {

TForm* FormOf(const TControl* control) {
  const TControl* top = control;
  while (top && top->Parent()) top = top->Parent();
  return const_cast<TForm*>(dynamic_cast<const TForm*>(top));
}

// The windowed children of `parent` in reading order: by top, then by left.
std::vector<TWinControl*> ReadingOrder(const TWinControl& parent) {
  std::vector<TWinControl*> children;
  for (TControl* c : parent.Controls())
    if (c->IsWindowed()) children.push_back(static_cast<TWinControl*>(c));
  std::stable_sort(children.begin(), children.end(), [](const TWinControl* a, const TWinControl* b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  return children;
}

// The radio button of a group that Tab stops at: the checked one, else the first that can
// take the focus.
const TRadioButton* GroupStop(const std::vector<TWinControl*>& siblings) {
  const TRadioButton* first = nullptr;
  for (TWinControl* c : siblings) {
    auto* radio = dynamic_cast<const TRadioButton*>(c);
    if (!radio || !radio->CanFocus()) continue;
    if (radio->Checked()) return radio;
    if (!first) first = radio;
  }
  return first;
}

void CollectTabOrder(const TWinControl& parent, const TWinControl* active, std::vector<TWinControl*>& out) {
  const std::vector<TWinControl*> children = ReadingOrder(parent);
  const TRadioButton* groupStop = GroupStop(children);
  for (TWinControl* c : children) {
    if (!c->Visible() || !c->Enabled()) continue;
    const bool radio = dynamic_cast<const TRadioButton*>(c) != nullptr;
    // The focused radio button stays in the order, so that Shift+Tab leaves it backwards.
    if (c->CanFocus() && (!radio || c == groupStop || c == active)) out.push_back(c);
    CollectTabOrder(*c, active, out);
  }
}

template <class Wanted>
TButton* FindButton(const TWinControl& parent, Wanted wanted) {
  for (TControl* c : parent.Controls()) {
    if (!c->IsWindowed() || !c->Visible()) continue;
    auto* w = static_cast<TWinControl*>(c);
    if (auto* button = dynamic_cast<TButton*>(w); button && wanted(*button)) return button;
    if (TButton* inner = FindButton(*w, wanted)) return inner;
  }
  return nullptr;
}

// The page control that holds `control`, or else the first one of the form that is shown.
TPageControl* PagesAround(const TForm& form, const TWinControl* control) {
  for (const TControl* c = control; c; c = c->Parent())
    if (auto* pages = dynamic_cast<const TPageControl*>(c)) return const_cast<TPageControl*>(pages);
  std::vector<const TWinControl*> todo{&form};
  while (!todo.empty()) {
    const TWinControl* w = todo.front();
    todo.erase(todo.begin());
    for (TWinControl* child : ReadingOrder(*w)) {
      if (!child->Visible()) continue;
      if (auto* pages = dynamic_cast<TPageControl*>(child)) return pages;
      todo.push_back(child);
    }
  }
  return nullptr;
}

}  // namespace

// ---- Controls

bool TWinControl::CanFocus() const {
  // The window itself may still be hidden: the focus is kept for when it shows.
  for (const TControl* c = this; c->Parent(); c = c->Parent())
    if (!c->Visible()) return false;
  return TabStop && EnabledInTree() && FormOf(this) != nullptr;
}

bool TWinControl::Focused() const {
  const TForm* form = FormOf(this);
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  if (TForm* form = FormOf(this)) form->SetActiveControl(this);
}

void TButton::SetDefault(bool on) {
  if (on == default_) return;
  default_ = on;
  if (auto* p = static_cast<ButtonPeer*>(Peer())) p->SetDefault(on);
}

void TButton::Press() {
  if (VisibleInTree() && EnabledInTree()) Click();
}

// ---- Forms

bool TForm::Contains(const TWinControl* control) const {
  if (!control) return false;
  std::vector<const TWinControl*> todo{this};
  while (!todo.empty()) {
    const TWinControl* w = todo.back();
    todo.pop_back();
    for (const TControl* c : w->Controls()) {
      if (c == control) return true;
      if (c->IsWindowed()) todo.push_back(static_cast<const TWinControl*>(c));
    }
  }
  return false;
}

TWinControl* TForm::ActiveControl() const { return Contains(activeControl_) ? activeControl_ : nullptr; }

void TForm::SetActiveControl(TWinControl* control) {
  if (control && !Contains(control)) return;
  activeControl_ = control;
  // A hidden window only keeps it for when it is shown: focusing a control of a window brings
  // that window to the front.
  WinControlPeer* peer = control ? control->Peer() : Peer();
  if (peer && Visible()) peer->SetFocus();
}

void TForm::FocusMoved(TWinControl* control) { activeControl_ = Contains(control) ? control : nullptr; }

void TForm::FocusEntered() {
  TWinControl* active = ActiveControl();
  if (active && active->CanFocus()) {
    SetActiveControl(active);
    return;
  }
  const std::vector<TWinControl*> order = TabOrder();
  if (!order.empty()) SetActiveControl(order.front());
}

std::vector<TWinControl*> TForm::TabOrder() const {
  std::vector<TWinControl*> order;
  CollectTabOrder(*this, ActiveControl(), order);
  return order;
}

void TForm::SelectNext(bool forward) {
  const std::vector<TWinControl*> order = TabOrder();
  if (order.empty()) return;
  auto at = std::find(order.begin(), order.end(), ActiveControl());
  std::size_t next;
  if (at == order.end()) {
    next = forward ? 0 : order.size() - 1;
  } else {
    const std::size_t i = std::size_t(at - order.begin());
    next = forward ? (i + 1) % order.size() : (i + order.size() - 1) % order.size();
  }
  SetActiveControl(order[next]);
}

TButton* TForm::DefaultButton() const {
  return FindButton(*this, [](const TButton& b) { return b.Default() && b.EnabledInTree(); });
}

TButton* TForm::CancelButton() const {
  return FindButton(*this, [](const TButton& b) { return b.Cancel; });
}

bool TForm::KeyDown(unsigned key, TShiftState shift) {
  if (OnKeyDown && (KeyPreview || !ActiveControl())) {
    unsigned k = key;
    OnKeyDown(this, k, shift);
    if (k == 0) return true;
  }
  return DialogKey(key, shift);
}

bool TForm::DialogKey(unsigned key, TShiftState shift) {
  if (shift & ssAlt) return false;
  const bool ctrl = (shift & ssCtrl) != 0, back = (shift & ssShift) != 0;
  TWinControl* active = ActiveControl();
  switch (key) {
    case kKeyTab:
      if (!ctrl) {
        SelectNext(!back);
        return true;
      }
      if (TPageControl* pages = PagesAround(*this, active); pages && pages->PageCount() > 0 && pages->EnabledInTree()) {
        const int count = pages->PageCount();
        const int from = pages->ActivePageIndex() < 0 ? 0 : pages->ActivePageIndex();
        pages->TabClicked((from + (back ? count - 1 : 1)) % count);
        // The focus was on the page that went: it goes to the tabs.
        if (!(ActiveControl() && ActiveControl()->CanFocus()) && pages->CanFocus()) SetActiveControl(pages);
        return true;
      }
      return false;
    case kKeyReturn: {
      if (ctrl) return false;
      if (active && active->WantsReturn()) return false;
      if (auto* focusedButton = dynamic_cast<TButton*>(active)) {
        focusedButton->Press();
        return true;
      }
      if (TButton* button = DefaultButton()) {
        button->Press();
        return true;
      }
      return false;
    }
    case kKeyEscape:
      if (TButton* button = CancelButton()) {
        button->Press();
      } else {
        Close();
      }
      return true;
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown: {
      if (ctrl || !dynamic_cast<TRadioButton*>(active) || !active->Parent()) return false;
      std::vector<TRadioButton*> group;
      for (TWinControl* c : ReadingOrder(*active->Parent()))
        if (auto* radio = dynamic_cast<TRadioButton*>(c); radio && (radio->CanFocus() || radio == active))
          group.push_back(radio);
      const auto at = std::find(group.begin(), group.end(), active);
      const std::size_t i = std::size_t(at - group.begin());
      const bool forward = key == kKeyRight || key == kKeyDown;
      TRadioButton* next = group[forward ? (i + 1) % group.size() : (i + group.size() - 1) % group.size()];
      SetActiveControl(next);
      next->UserClick();
      return true;
    }
    default:
      return false;
  }
}

void TForm::AnnounceAccessibleName() {
  if (auto* p = FormPeerPtr()) p->AnnounceName();
}

void TForm::SystemColorsChanged(bool highContrast) {
  highContrast_ = highContrast;
  if (auto* p = FormPeerPtr()) p->SystemColorsChanged();
  Invalidate();
  if (OnSystemColorsChanged) OnSystemColorsChanged(this);
}

}  // namespace ui
