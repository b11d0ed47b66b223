// Drawing for a monitor's density: the scaling rules, smooth picture scaling that keeps the
// see-through colour clean, a form moving to a monitor of another density, and the clock's
// larger skin pictures.
#include <gtest/gtest.h>

#include <set>

#include "app/main_window.h"
#include "tests/unit/program_fixture.h"
#include "ui/dpi.h"
#include "ui/forms.h"
#include "ui/stdctrls.h"

using testing_support::ProgramTest;
using testing_support::SolidBitmap;

namespace {

TEST(DpiScaling, ADesignedWindowGrowsWithTheDensityOfItsMonitor) {
  // A framed 717 x 430 window whose designed size holds a 6 x 29 frame; the system's frame
  // grows with the density too (8 x 36 at 120, 10 x 42 at 144, 12 x 55 at 192).
  struct Case {
    int dpi;
    ui::TSize frame, expected;
  };
  const Case cases[] = {
      {96, {6, 29}, {717, 430}},
      {120, {8, 36}, {897, 537}},    // client 711 x 401 -> 889 x 501, plus the frame
      {144, {10, 42}, {1077, 644}},  // 1066.5 -> 1067, 601.5 -> 602
      {192, {12, 55}, {1434, 857}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ui::ScaledWindowSize({717, 430}, {6, 29}, c.frame, c.dpi), c.expected);
  }
  // Borderless (the clock): plainly scaled.
  EXPECT_EQ(ui::ScaledWindowSize({717, 430}, {0, 0}, {0, 0}, 144), (ui::TSize{1076, 645}));
  EXPECT_EQ(ui::ScaledWindowSize({717, 430}, {0, 0}, {0, 0}, 120), (ui::TSize{896, 538}));
  EXPECT_EQ(ui::ScaledWindowSize({717, 430}, {0, 0}, {0, 0}, 192), (ui::TSize{1434, 860}));
}

TEST(DpiScaling, LengthsRoundToTheNearestPixelBothWaysAndEdgesKeepTouching) {
  EXPECT_EQ(ui::ScaleValue(11, 144), 17);  // 16.5
  EXPECT_EQ(ui::ScaleValue(-11, 144), -17);
  EXPECT_EQ(ui::ScaleValue(239, 120), 299);  // 298.75
  EXPECT_EQ(ui::UnscaleValue(17, 144), 11);
  EXPECT_EQ(ui::UnscaleValue(-300, 144), -200);
  EXPECT_EQ(ui::UnscaleValue(5, 0), 5);
  // Two controls side by side stay side by side however their edges round.
  for (int dpi : {96, 120, 144, 168, 192}) {
    SCOPED_TRACE(dpi);
    const ui::TRect a = ui::ScaleRect({11, 5, 23, 17}, dpi), b = ui::ScaleRect({23, 5, 40, 17}, dpi);
    EXPECT_EQ(a.right, b.left);
    // Round trips of designed values come back.
    for (int v : {0, 1, 7, 11, 239, 717, -30}) EXPECT_EQ(ui::UnscaleValue(ui::ScaleValue(v, dpi), dpi), v);
  }
  // What must be painted again covers every pixel asked for.
  EXPECT_EQ(ui::UnscaleRectOutward({15, 15, 31, 31}, 144), (ui::TRect{10, 10, 21, 21}));
  EXPECT_EQ(ui::UnscaleRectOutward({-3, 0, 3, 2}, 144), (ui::TRect{-2, 0, 2, 2}));
}

TEST(DpiScaling, CentredWindowsStayInsideTheArea) {
  EXPECT_EQ(ui::CentreIn({0, 0, 1920, 1040}, {717, 430}), (ui::TPoint{601, 305}));
  EXPECT_EQ(ui::CentreIn({-1280, 0, 0, 1024}, {400, 200}), (ui::TPoint{-840, 412}));
  // Larger than the area: its top-left corner (the title bar) stays reachable.
  EXPECT_EQ(ui::CentreIn({100, 50, 900, 650}, {1200, 900}), (ui::TPoint{100, 50}));
  EXPECT_TRUE(ui::WantsDoubleSizePictures(144));
  EXPECT_FALSE(ui::WantsDoubleSizePictures(120));
}

// ---- Picture scaling

ui::Image KeyedPicture() {
  // A magenta (see-through) field with a red disc-like block and a blue block touching it.
  ui::Image p(10, 8, 0xFF00FF);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 8; ++x) p.At(x, y) = x < 5 ? 0xFF0000 : 0x0000FF;
  return p;
}

TEST(PictureScaling, TheSeeThroughColourIsNeverBlendedIntoItsNeighbours) {
  const ui::Image source = KeyedPicture();
  for (auto [w, h] : {std::pair{15, 12}, {20, 16}, {13, 9}, {7, 6}}) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const ui::Image scaled = ui::ScaleImage(source, w, h, {0xFF00FF});
    ASSERT_EQ(scaled.width, w);
    ASSERT_EQ(scaled.height, h);
    bool blended = false;
    for (std::uint32_t p : scaled.pixels) {
      // A pixel is either exactly the key or carries none of it: red and blue mixed with each
      // other only (no green, which neither has; magenta's mark would be red and blue together
      // with a pixel that was pure red or pure blue at the edge).
      if (p == 0xFF00FF) continue;
      EXPECT_EQ(p & 0x00FF00, 0u);
      const unsigned r = p >> 16, b = p & 0xFF;
      // A mix of red and blue sums to full (give or take rounding); one with the key exceeds it.
      EXPECT_NEAR(double(r + b), 255.0, 1.0) << std::hex << p;
      if (r != 0 && b != 0) blended = true;
    }
    // Smooth, not nearest: where red meets blue the scaled picture has in-between colours
    // (except when it shrinks to where no pixel straddles them).
    if (w > 10) {
      EXPECT_TRUE(blended);
    }
  }
}

TEST(PictureScaling, ASkinBackgroundAtOneAndAHalfKeepsItsSeeThroughAreaClean) {
  // The background of a skin with a see-through rim (key black) and a gradient face.
  ui::Image face(40, 20, 0x000000);
  for (int y = 3; y < 17; ++y)
    for (int x = 3; x < 37; ++x) face.At(x, y) = 0x202020 + 0x010101 * (x * 4);
  const ui::Image scaled = ui::ScaleImage(face, 60, 30, {0x000000});
  std::set<std::uint32_t> nearBlack;
  for (std::uint32_t p : scaled.pixels)
    if (p != 0 && p < 0x202020) nearBlack.insert(p);
  EXPECT_TRUE(nearBlack.empty()) << "pixels darker than the face were blended with the key";
  // The rim is still see-through all round, scaled.
  for (int x = 0; x < 60; ++x) EXPECT_EQ(scaled.At(x, 0), 0u);
  for (int y = 0; y < 30; ++y) EXPECT_EQ(scaled.At(59, y), 0u);
}

TEST(PictureScaling, TwoColourPicturesAndSameSizesAreNotSmoothed) {
  ui::Image two(4, 4, 0xFFFFFF);
  two.twoColour = true;
  two.At(1, 1) = 0;
  const ui::Image scaled = ui::ScaleImage(two, 6, 6, {});
  EXPECT_TRUE(scaled.twoColour);
  for (std::uint32_t p : scaled.pixels) EXPECT_TRUE(p == 0 || p == 0xFFFFFF);
  const ui::Image same = KeyedPicture();
  EXPECT_EQ(ui::ScaleImage(same, 10, 8, {0xFF00FF}), same);
  EXPECT_TRUE(ui::ScaleImage(same, 0, 8, {}).Empty());
  EXPECT_TRUE(ui::ScaleImage(ui::Image{}, 5, 5, {}).Empty());
}

TEST(PictureScaling, APictureDrawnForADoubleDensityTakesItsDesignedSize) {
  ui::Image big(22, 14, 0x123456);
  big.dpi = 192;
  EXPECT_EQ(big.DesignedWidth(), 11);
  EXPECT_EQ(big.DesignedHeight(), 7);
  ui::TForm form(nullptr);
  auto* button = new ui::TImage(&form);
  button->SetParent(&form);
  button->AutoSize = true;
  button->SetPicture(big);
  EXPECT_EQ(button->Width(), 11);
  EXPECT_EQ(button->Height(), 7);
}

// ---- A form on a monitor of another density

TEST(FormDensity, MovingToAnotherDensityTakesTheSuggestedPlaceKeepsTheDesignAndTellsTheForm) {
  ui::TForm form(nullptr);
  form.SetBorderStyle(ui::TBorderStyle::bsNone);
  form.SetBounds(100, 50, 239, 116);
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(11, 50, 40, 20);
  int told = 0;
  form.OnDpiChanged = [&](ui::TComponent* sender) {
    EXPECT_EQ(sender, &form);
    ++told;
  };
  EXPECT_EQ(form.Dpi(), 96);
  EXPECT_EQ(label->Dpi(), 96);
  EXPECT_EQ(form.ScreenRect(), (ui::TRect{100, 50, 339, 166}));

  form.ChangeDpi(144, {2000, 300, 2359, 474});
  EXPECT_EQ(told, 1);
  EXPECT_EQ(form.Dpi(), 144);
  EXPECT_EQ(label->Dpi(), 144);
  // Designed geometry stays; the window on the screen is one and a half times as large.
  EXPECT_EQ(form.Width(), 239);
  EXPECT_EQ(label->BoundsRect(), (ui::TRect{11, 50, 51, 70}));
  EXPECT_EQ(form.ScreenRect(), (ui::TRect{2000, 300, 2359, 474}));
  // A point of the label on the screen: its designed offset scaled, from the window's corner.
  EXPECT_EQ(label->ClientToScreen({2, 2}), (ui::TPoint{2000 + 20, 300 + 78}));

  // The same density again (the system moved it within the monitor): nothing to tell.
  form.ChangeDpi(144, {1900, 300, 2259, 474});
  EXPECT_EQ(told, 1);
  EXPECT_EQ(form.Left(), 1900);
  form.ChangeDpi(0, {0, 0, 10, 10});  // nonsense from the system is ignored
  EXPECT_EQ(form.Dpi(), 144);
  EXPECT_EQ(form.Left(), 1900);
}

// ---- The clock's skin at 150 %

class ClockDensityTest : public ProgramTest {
 protected:
  void WriteSkin() {
    dir.Write("Skins/default/main.bmp", SolidBitmap(180, 70, 0x112233));
    dir.Write("Skins/default/main@2x.bmp", SolidBitmap(360, 140, 0x445566));
    dir.Write("Skins/default/close_default.bmp", SolidBitmap(11, 11, 0x00FF00));
    dir.Write("Skins/default/close_default@2x.bmp", SolidBitmap(22, 22, 0x00AA00));
    dir.Write("Skins/default/skin.ini", "[skin]\r\nFormWidth=180\r\nFormHeight=70\r\nTimeSize=18\r\n");
  }
};

TEST_F(ClockDensityTest, LargerSkinPicturesAreTakenFromOneAndAHalfOnAndTheGeometryStaysDesigned) {
  WriteSkin();
  ASSERT_FALSE(Start());
  TForm1* clock = Form1;
  EXPECT_EQ(clock->Image1->Picture().dpi, 96);
  EXPECT_EQ(clock->Image1->Picture().width, 180);

  clock->ChangeDpi(144, {1000, 900, 1270, 1005});
  EXPECT_EQ(clock->Image1->Picture().dpi, 192);
  EXPECT_EQ(clock->Image1->Picture().width, 360);
  EXPECT_EQ(clock->CloseBut->Picture().width, 22);
  // The button keeps its designed size; the skin's geometry and font sizes are designed values
  // drawn scaled: at 144 dpi the window is 270 x 105 and an 18-point time is 36 pixels high.
  EXPECT_EQ(clock->CloseBut->Width(), 11);
  EXPECT_EQ(clock->Width(), 180);
  EXPECT_EQ(clock->Label2->Font().size, 18);
  EXPECT_EQ(clock->ScreenRect(), (ui::TRect{1000, 900, 1270, 1005}));

  // At 120 dpi the designed pictures are scaled instead.
  clock->ChangeDpi(120, {1000, 900, 1225, 988});
  EXPECT_EQ(clock->Image1->Picture().dpi, 96);
  EXPECT_EQ(clock->CloseBut->Picture().width, 11);
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

TEST_F(ClockDensityTest, WithoutLargerPicturesTheDesignedOnesServeAtAnyDensity) {
  WriteSkin();
  dir.Remove("Skins/default/main@2x.bmp");
  ASSERT_FALSE(Start());
  Form1->ChangeDpi(192, {0, 0, 360, 140});
  EXPECT_EQ(Form1->Image1->Picture().width, 180);
  EXPECT_EQ(Form1->CloseBut->Picture().width, 22);  // this one has its own
  EXPECT_TRUE(platform->fakeDialogs().shown.empty());
}

}  // namespace
