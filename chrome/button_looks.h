// The pictures of the main window's two skinned buttons, from the pointer's moves and presses.
#pragma once

namespace chrome {

enum class ButtonLook { kDefault, kHover, kPressed };
enum class SkinButton { kClose, kMinim };

// What the two buttons show, and the two flags they share: `pressed` from a press on either
// button until the pointer is next over the clock face (no hover picture shows meanwhile), and
// `lit` while either button may show a picture other than its default.
struct ButtonLooks {
  ButtonLook close = ButtonLook::kDefault;
  ButtonLook minim = ButtonLook::kDefault;
  int pressed = 0;
  int lit = 0;

  ButtonLook Of(SkinButton b) const { return b == SkinButton::kClose ? close : minim; }
  friend bool operator==(const ButtonLooks&, const ButtonLooks&) = default;
};

// The looks after each thing the pointer does. The caller loads the pictures that changed and
// keeps the new looks only once they are shown.
ButtonLooks PointerOverButton(ButtonLooks looks, SkinButton button);
ButtonLooks PressOnButton(ButtonLooks looks, SkinButton button);
ButtonLooks PointerOverFace(ButtonLooks looks);
// Leaving a button (onto a label, the other button, the face or out of the window) puts its
// default picture back; a press made stays in force until the pointer is over the face.
ButtonLooks PointerLeftButton(ButtonLooks looks, SkinButton button);
// The window coming back from the tray: both defaults, nothing pressed.
ButtonLooks AllDefault();

}  // namespace chrome
