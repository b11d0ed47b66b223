#include "chrome/button_looks.h"

namespace chrome {

namespace {

ButtonLooks With(ButtonLooks looks, SkinButton button, ButtonLook look) {
  (button == SkinButton::kClose ? looks.close : looks.minim) = look;
  looks.lit = looks.close != ButtonLook::kDefault || looks.minim != ButtonLook::kDefault ? 1 : 0;
  return looks;
}

}  // namespace

ButtonLooks PointerOverButton(ButtonLooks looks, SkinButton button) {
  if (looks.pressed != 0) return looks;
  return With(looks, button, ButtonLook::kHover);
}

ButtonLooks PressOnButton(ButtonLooks looks, SkinButton button) {
  looks = With(looks, button, ButtonLook::kPressed);
  looks.pressed = 1;
  return looks;
}

ButtonLooks PointerOverFace(ButtonLooks looks) {
  if (looks.lit == 0 && looks.pressed == 0) return looks;
  return AllDefault();
}

ButtonLooks PointerLeftButton(ButtonLooks looks, SkinButton button) {
  return With(looks, button, ButtonLook::kDefault);
}

ButtonLooks AllDefault() { return {}; }

}  // namespace chrome
