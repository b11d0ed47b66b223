// Small layout rules of the clock face: where the separators stand between the digits, and
// which picture each skinned button shows.
#include <gtest/gtest.h>

#include "chrome/button_looks.h"
#include "clock/separators.h"

namespace {

TEST(SeparatorLayout, CentredBetweenTheMeasuredDigitsAndTheNextOnes) {
  // Digits at 11, 18 wide (end at 29); next digits at 39; a colon 4 wide: 3 px either side.
  EXPECT_EQ(clockface::SeparatorLeft(33, 11, 18, 39, 4), 32);
  // The same skin with a font whose digits are 6 px narrower: the colon follows them.
  EXPECT_EQ(clockface::SeparatorLeft(33, 11, 12, 39, 4), 29);
  // An odd space leaves the extra pixel after the colon.
  EXPECT_EQ(clockface::SeparatorLeft(33, 11, 18, 40, 4), 32);
  // Digits wider than the skin allowed for: the colon overlaps both sides alike.
  EXPECT_EQ(clockface::SeparatorLeft(33, 11, 28, 39, 4), 37);
  EXPECT_EQ(clockface::SeparatorLeft(33, 11, 29, 39, 4), 37);
}

TEST(SeparatorLayout, ASeparatorNotBetweenTheDigitsStaysWhereTheSkinPutsIt) {
  EXPECT_EQ(clockface::SeparatorLeft(11, 11, 18, 11, 4), 11);  // the defaults: all at one place
  EXPECT_EQ(clockface::SeparatorLeft(5, 11, 18, 39, 4), 5);    // before the digits
  EXPECT_EQ(clockface::SeparatorLeft(50, 11, 18, 39, 4), 50);  // beyond the next ones
  EXPECT_EQ(clockface::SeparatorLeft(20, 40, 18, 10, 4), 20);  // digits in reverse order
}

TEST(FaceRoom, ATextEndsBeforeTheButtonsOnItsRowsOrAtTheFacesEdge) {
  const platform::TRect date{12, 5, 60, 21};
  const platform::TRect minim{142, 7, 153, 18}, close{157, 7, 168, 18};
  EXPECT_EQ(clockface::RoomToTheRight(date, {close, minim}, 180), 129);  // up to 141
  // Buttons below the text's rows, or left of it, leave it the whole face.
  const platform::TRect below{142, 21, 153, 32}, before{2, 7, 10, 18};
  EXPECT_EQ(clockface::RoomToTheRight(date, {below, before}, 180), 167);
  // A text that starts beyond the face has no room.
  EXPECT_EQ(clockface::RoomToTheRight({190, 5, 200, 21}, {}, 180), 0);
}

TEST(FaceRoom, TheLargestSizeThatFitsAndTheSmallestWhenNoneDoes) {
  const auto sevenPerPoint = [](int size) { return 7 * size; };
  EXPECT_EQ(clockface::SizeThatFits(10, 6, 70, sevenPerPoint), 10);
  EXPECT_EQ(clockface::SizeThatFits(10, 6, 69, sevenPerPoint), 9);
  EXPECT_EQ(clockface::SizeThatFits(10, 6, 10, sevenPerPoint), 6);
  // A skin's size already below the smallest stays as it is.
  EXPECT_EQ(clockface::SizeThatFits(4, 6, 10, sevenPerPoint), 4);
}

using chrome::ButtonLook;
using chrome::ButtonLooks;
using chrome::SkinButton;

TEST(ButtonLooksRule, HoverPressAndBackOverTheFace) {
  ButtonLooks s;
  s = chrome::PointerOverButton(s, SkinButton::kClose);
  EXPECT_EQ(s, (ButtonLooks{ButtonLook::kHover, ButtonLook::kDefault, 0, 1}));
  s = chrome::PressOnButton(s, SkinButton::kClose);
  EXPECT_EQ(s, (ButtonLooks{ButtonLook::kPressed, ButtonLook::kDefault, 1, 1}));
  // While a press is in force no hover shows, on either button.
  EXPECT_EQ(chrome::PointerOverButton(s, SkinButton::kMinim), s);
  s = chrome::PointerOverFace(s);
  EXPECT_EQ(s, ButtonLooks{});
  EXPECT_EQ(chrome::PointerOverFace(s), ButtonLooks{});
}

TEST(ButtonLooksRule, LeavingAButtonPutsItsDefaultBack) {
  ButtonLooks s = chrome::PointerOverButton({}, SkinButton::kClose);
  s = chrome::PointerLeftButton(s, SkinButton::kClose);
  EXPECT_EQ(s, ButtonLooks{});

  // From one button straight onto the other: only the new one is lit.
  s = chrome::PointerOverButton({}, SkinButton::kMinim);
  s = chrome::PointerLeftButton(s, SkinButton::kMinim);
  s = chrome::PointerOverButton(s, SkinButton::kClose);
  EXPECT_EQ(s, (ButtonLooks{ButtonLook::kHover, ButtonLook::kDefault, 0, 1}));

  // Pressed, released elsewhere and left: the picture is the default again, yet no hover shows
  // until the pointer has been over the face.
  s = chrome::PressOnButton({}, SkinButton::kMinim);
  s = chrome::PointerLeftButton(s, SkinButton::kMinim);
  EXPECT_EQ(s, (ButtonLooks{ButtonLook::kDefault, ButtonLook::kDefault, 1, 0}));
  EXPECT_EQ(chrome::PointerOverButton(s, SkinButton::kMinim).minim, ButtonLook::kDefault);
  s = chrome::PointerOverFace(s);
  EXPECT_EQ(chrome::PointerOverButton(s, SkinButton::kMinim).minim, ButtonLook::kHover);
}

TEST(ButtonLooksRule, AllDefaultClearsPressAndHover) {
  ButtonLooks s = chrome::PressOnButton(chrome::PointerOverButton({}, SkinButton::kClose), SkinButton::kMinim);
  EXPECT_EQ(s.close, ButtonLook::kHover);
  EXPECT_EQ(s.minim, ButtonLook::kPressed);
  EXPECT_EQ(chrome::AllDefault(), ButtonLooks{});
}

}  // namespace
