// The platform-free rules of the Windows backend: menu layout, text lines, font heights,
// tool-tip delays and the shift state of mouse messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/win32_helpers.h"

namespace {

using ui::win32::ShownMenuEntries;

struct Entry {
  std::string caption;
  bool visible = true;
};

// The captions a menu of `entries` shows, "-" for each separator.
std::vector<std::string> Shown(std::vector<Entry>& entries) {
  std::vector<Entry*> items;
  for (Entry& e : entries) items.push_back(&e);
  std::vector<std::string> captions;
  for (Entry* e : ShownMenuEntries(
           items, [](const Entry& e) { return e.visible; }, [](const Entry& e) { return e.caption == "-"; }))
    captions.push_back(e->caption);
  return captions;
}

TEST(Win32MenuLayout, HiddenItemsAndTheSeparatorsTheyStrandAreLeftOut) {
  struct Case {
    std::vector<Entry> entries;
    std::vector<std::string> shown;
  };
  std::vector<Case> cases = {
      {{{"a"}, {"-"}, {"b"}}, {"a", "-", "b"}},
      {{{"-"}, {"a"}, {"b"}, {"-"}}, {"a", "b"}},              // first and last
      {{{"a"}, {"-"}, {"-"}, {"-"}, {"b"}}, {"a", "-", "b"}},  // a run
      {{{"hidden", false}, {"-"}, {"a"}}, {"a"}},              // first once the hidden item goes
      {{{"a"}, {"-"}, {"hidden", false}, {"-"}, {"b"}}, {"a", "-", "b"}},
      {{{"a"}, {"-"}, {"hidden", false}}, {"a"}},
      {{{"a"}, {"-", false}, {"b"}}, {"a", "b"}},  // a hidden separator
      {{{"-"}, {"-"}}, {}},
      {{}, {}},
  };
  for (Case& c : cases) EXPECT_EQ(Shown(c.entries), c.shown);
}

TEST(Win32MenuLayout, PicturesKeepTheirGapFromTheText) {
  using ui::win32::MenuPictureLayout;
  // A 16 x 16 picture with a menu font whose average character is 7 wide: 2 before the
  // picture, 7 between it and the text, 2 above and below.
  auto box = MenuPictureLayout(16, 16, 7);
  EXPECT_EQ(box.width, 2 + 16 + 7);
  EXPECT_EQ(box.height, 20);
  EXPECT_EQ(box.pictureLeft, 2);
  // However small the font, the picture never touches the text.
  EXPECT_EQ(MenuPictureLayout(16, 16, 0).width, 2 + 16 + 2);
  EXPECT_EQ(MenuPictureLayout(11, 9, 1).width, 2 + 11 + 2);
  EXPECT_EQ(MenuPictureLayout(11, 9, 1).height, 13);
}

TEST(Win32TextLines, EveryKindOfLineEndBreaksALine) {
  using ui::win32::TextLines;
  EXPECT_EQ(TextLines(""), (std::vector<std::string>{""}));
  EXPECT_EQ(TextLines("12:05"), (std::vector<std::string>{"12:05"}));
  EXPECT_EQ(TextLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(TextLines("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(TextLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(TextLines("a\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Win32FontHeight, PointsBecomeNegativePixelHeightsRoundedToNearest) {
  using ui::win32::FontHeight;
  EXPECT_EQ(FontHeight(8, 96), -11);   // 10.67
  EXPECT_EQ(FontHeight(9, 96), -12);   // exactly 12
  EXPECT_EQ(FontHeight(10, 96), -13);  // 13.33
  EXPECT_EQ(FontHeight(22, 96), -29);
  EXPECT_EQ(FontHeight(3, 120), -5);   // 5.0
  EXPECT_EQ(FontHeight(8, 120), -13);  // 13.33
  EXPECT_EQ(FontHeight(0, 96), 0);
}

TEST(Win32Tooltip, RoomIsKeptForTextDrawnWiderThanItsExtent) {
  using ui::win32::TipOverhang;
  // "Это текущее время" as Wine draws it: the extent says 100, the glyphs' advances add up to 102.
  EXPECT_EQ(TipOverhang({100}, {{9, 6, 7, 3, 6, 6, 6, 6, 7, 6, 6, 3, 6, 6, 6, 7, 6}}), 102 - 100);
  // The longest line is not always the one that overhangs most.
  EXPECT_EQ(TipOverhang({141, 60}, {{140, 5}, {61}}), 4);
  // Drawn narrower, or as measured: no room beyond the tip's own.
  EXPECT_EQ(TipOverhang({69}, {{68}}), 0);
  EXPECT_EQ(TipOverhang({0}, {{}}), 0);
  EXPECT_EQ(TipOverhang({}, {}), 0);
}

TEST(Win32TooltipDelay, DelaysAreCutToWhatTheControlCanHold) {
  using ui::win32::TooltipDelay;
  EXPECT_EQ(TooltipDelay(400), 400);
  EXPECT_EQ(TooltipDelay(1), 1);
  EXPECT_EQ(TooltipDelay(32767), 32767);
  EXPECT_EQ(TooltipDelay(32768), 32767);
  EXPECT_EQ(TooltipDelay(1410065408), 32767);  // "never hide" in the program's settings
  EXPECT_EQ(TooltipDelay(-5), 0);
}

TEST(Win32MouseKeys, ButtonAndKeyFlagsMapToTheShiftState) {
  using ui::win32::ShiftFromMouseKeys;
  EXPECT_EQ(ShiftFromMouseKeys(0, false), 0);
  EXPECT_EQ(ShiftFromMouseKeys(0x0001, false), ui::ssLeft);
  EXPECT_EQ(ShiftFromMouseKeys(0x0002, false), ui::ssRight);
  EXPECT_EQ(ShiftFromMouseKeys(0x0010, false), ui::ssMiddle);
  EXPECT_EQ(ShiftFromMouseKeys(0x0004 | 0x0008, false), ui::ssShift | ui::ssCtrl);
  EXPECT_EQ(ShiftFromMouseKeys(0x0001, true), ui::ssLeft | ui::ssAlt);
  EXPECT_EQ(ShiftFromMouseKeys(0x0020 | 0x0040, false), 0);  // the X buttons have no flag here
}

TEST(Win32Colors, NegativeNumbersNameSystemColoursByTheirLowByte) {
  using ui::win32::IsSystemColor;
  using ui::win32::SystemColorIndex;
  EXPECT_FALSE(IsSystemColor(ui::clBlack));
  EXPECT_FALSE(IsSystemColor(ui::clWhite));
  EXPECT_TRUE(IsSystemColor(ui::TColor(0x8000000F)));
  EXPECT_EQ(SystemColorIndex(ui::TColor(0x8000000F)), 15);  // button face
  EXPECT_EQ(SystemColorIndex(ui::TColor(0xFF000005)), 5);   // window
}

TEST(Win32Helpers, OneLineEditTextIsCentredInATallerField) {
  using ui::win32::CentredTextBand;
  struct Case {
    int top, bottom, text, wantTop, wantBottom;
  };
  const Case cases[] = {
      {0, 30, 16, 7, 23},  // 14 spare: 7 above, 7 below
      {0, 31, 16, 7, 23},  // an odd pixel goes below
      {2, 20, 16, 3, 19},
      {0, 16, 16, 0, 16},  // as tall as the text, or shorter: left alone
      {0, 12, 16, 0, 12},
      {0, 30, 0, 0, 30},  // no font measured
  };
  for (const Case& c : cases) {
    const auto band = CentredTextBand(c.top, c.bottom, c.text);
    EXPECT_EQ(band.top, c.wantTop) << c.top << ".." << c.bottom << " text " << c.text;
    EXPECT_EQ(band.bottom, c.wantBottom) << c.top << ".." << c.bottom << " text " << c.text;
  }
}

}  // namespace
