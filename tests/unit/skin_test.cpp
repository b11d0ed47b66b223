// Colour texts and skin loading: what a skin file does to the main window, how bad skins fail,
// and that the skins shipped with the program load and fit their faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "clock/colors.h"
#include "config/convert.h"
#include "platform/files.h"
#include "resources/bitmap_file.h"
#include "tests/unit/program_fixture.h"
#include "ui/win32/win32_helpers.h"

using testing_support::ProgramTest;
using testing_support::SolidBitmap;

namespace {

// ---- Colour texts

TEST(ColorText, NumbersAreDecimalOrDollarHexadecimalWithRedInTheLowByte) {
  using clockface::StringToColor;
  EXPECT_EQ(StringToColor("0"), 0);
  EXPECT_EQ(StringToColor("32896"), 0x008080);
  EXPECT_EQ(StringToColor("16777215"), 0xFFFFFF);
  EXPECT_EQ(StringToColor("255"), 0x0000FF);  // red
  EXPECT_EQ(StringToColor("  16711680 "), 0xFF0000);
  EXPECT_EQ(StringToColor("$FF"), 0x0000FF);
  EXPECT_EQ(StringToColor("$00ff00"), 0x00FF00);
  EXPECT_EQ(StringToColor("$FF00FF"), 0xFF00FF);
  // Numbers may also name system colours, as negative decimals or as hexadecimal.
  EXPECT_EQ(StringToColor("-2147483633"), clockface::SystemColor(15));
  EXPECT_EQ(StringToColor("$8000000F"), clockface::SystemColor(15));
  EXPECT_EQ(StringToColor("-$1"), -1);
}

TEST(ColorText, NamesMatchInAnyLetterCase) {
  using clockface::StringToColor;
  EXPECT_EQ(StringToColor("clBlack"), 0x000000);
  EXPECT_EQ(StringToColor("clMaroon"), 0x000080);
  EXPECT_EQ(StringToColor("clNavy"), 0x800000);
  EXPECT_EQ(StringToColor("CLFUCHSIA"), 0xFF00FF);
  EXPECT_EQ(StringToColor("clolive"), 32896);
  EXPECT_EQ(StringToColor("clMoneyGreen"), 0xC0DCC0);
  EXPECT_EQ(StringToColor("clMedGray"), 0xA4A0A0);
  EXPECT_EQ(StringToColor("clSkyBlue"), ui::clSkyBlue);
}

TEST(ColorText, SystemColourNamesAreResolvedByTheWin32BackendToTheirSystemIndex) {
  // clang-format off
  const std::pair<const char*, int> system[] = {
      {"clScrollBar", 0}, {"clBackground", 1}, {"clActiveCaption", 2}, {"clWindow", 5}, {"clWindowText", 8},
      {"clHighlight", 13}, {"ClBtnFace", 15}, {"clBtnText", 18}, {"cl3DDkShadow", 21}, {"clInfoBk", 24},
      {"clHotLight", 26}, {"clMenuBar", 30}};
  // clang-format on
  for (auto [name, index] : system) {
    SCOPED_TRACE(name);
    const ui::TColor color = clockface::StringToColor(name);
    EXPECT_EQ(std::uint32_t(color), 0x80000000u | unsigned(index));
    EXPECT_TRUE(ui::win32::IsSystemColor(color));
    EXPECT_EQ(ui::win32::SystemColorIndex(color), index);
  }
  // Ordinary colours are drawn as they are.
  EXPECT_FALSE(ui::win32::IsSystemColor(clockface::StringToColor("clWhite")));
  EXPECT_FALSE(ui::win32::IsSystemColor(clockface::StringToColor("$FFFFFF")));
}

TEST(ColorText, AnythingElseIsNotAValidIntegerValue) {
  for (const char* bad : {"", " ", "olive", "cl", "clOlive2", "Olive", "12abc", "$", "$GG", "$123456789", "0x10",
                          "#FF00FF", "1.5", "99999999999", "- 5", "$ FF"}) {
    SCOPED_TRACE(bad);
    try {
      clockface::StringToColor(bad);
      ADD_FAILURE() << "accepted";
    } catch (const config::EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "Значение '" + std::string(bad) + "' не является целым числом");
    }
  }
}

// ---- Skin loading

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A skin file from its lines, written one after another with blanks between them.
std::string Ini(const std::string& lines) {
  std::istringstream in(lines);
  std::string out, line;
  while (in >> line) out += line + "\r\n";
  return out;
}

class SkinTest : public ProgramTest {
 protected:
  SkinTest() {
    // Default skin pictures that tell themselves apart.
    dir.Write("Skins/default/main.bmp", SolidBitmap(180, 70, kDefaultFace));
    dir.Write("Skins/default/close_default.bmp", SolidBitmap(11, 11, kDefaultClose));
    dir.Write("Skins/default/minim_default.bmp", SolidBitmap(11, 11, kDefaultMinim));
  }

  void UseSkin(const std::string& name) { dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nskin=" + name + "\r\n"); }

  // Starts the program on `name`, whose skin.ini holds `ini`.
  void StartWith(const std::string& name, const std::string& ini) {
    dir.Write("Skins/" + name + "/skin.ini", ini);
    UseSkin(name);
    ASSERT_FALSE(Start());
  }

  const std::vector<platform::MessageBoxCall>& Errors() { return platform->fakeDialogs().shown; }

  static ui::TRect Rect(const ui::TControl* c) { return c->BoundsRect(); }

  static constexpr std::uint32_t kDefaultFace = 0x334455, kDefaultClose = 0x102030, kDefaultMinim = 0x405060;
};

TEST_F(SkinTest, EmptySkinFileGivesTheDefaultSkinsPicturesAtTheDefaultGeometry) {
  StartWith("plain", "");
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(Form1->skinName, "plain");
  EXPECT_EQ(Form1->skinIniPath, dir.Str() + "skins\\plain\\skin.ini");
  EXPECT_EQ(Form1->Width(), 180);
  EXPECT_EQ(Form1->Height(), 70);
  EXPECT_EQ(Form1->TransparentColorValue(), ui::clBlack);
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(180, 70, kDefaultFace));
  EXPECT_EQ(Rect(Form1->Image1), (ui::TRect{0, 0, 180, 70}));

  EXPECT_TRUE(Form1->Label1->Visible());
  EXPECT_EQ(Form1->Label1->Left(), 11);
  EXPECT_EQ(Form1->Label1->Top(), 23);
  EXPECT_EQ(Form1->Label1->Font(), (ui::TFont{"Arial", 14, 32896, false}));
  for (ui::TLabel* time : {Form1->Label2, Form1->Label3, Form1->Label4}) {
    EXPECT_EQ(time->Left(), 11);
    EXPECT_EQ(time->Top(), 50);
    EXPECT_EQ(time->Font(), (ui::TFont{"Arial", 18, ui::clOlive, true}));
  }
  for (ui::TLabel* separator : {Form1->Label5, Form1->Label6}) {
    EXPECT_EQ(separator->Caption(), "");
    EXPECT_EQ(separator->Width(), 0);
    EXPECT_EQ(separator->Left(), 11);
    EXPECT_EQ(separator->Top(), 11);
    EXPECT_EQ(separator->Font(), (ui::TFont{"Arial", 18, ui::clOlive, true}));
  }

  EXPECT_EQ(Rect(Form1->CloseBut), (ui::TRect{181, 11, 192, 22}));
  EXPECT_EQ(Rect(Form1->MinimBut), (ui::TRect{161, 11, 172, 22}));
  EXPECT_EQ(Form1->CloseBut->Picture(), ui::Image(11, 11, kDefaultClose));
  EXPECT_EQ(Form1->MinimBut->Picture(), ui::Image(11, 11, kDefaultMinim));
  EXPECT_TRUE(Form1->CloseBut->Transparent);
  EXPECT_TRUE(Form1->MinimBut->Transparent);

  // Bitmap keys left blank fall back the same way.
  dir.Write("Skins/plain/skin.ini", Ini("[skin] Form= CloseButton_default= MinimButton_default="));
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(180, 70, kDefaultFace));
  EXPECT_EQ(Form1->CloseBut->Picture(), ui::Image(11, 11, kDefaultClose));
  EXPECT_EQ(Form1->MinimBut->Picture(), ui::Image(11, 11, kDefaultMinim));
}

TEST_F(SkinTest, EveryKeyOfAFullSkinIsApplied) {
  dir.Write("Skins/Fancy/back.bmp", SolidBitmap(200, 90, 0xFF00FF));
  dir.Write("Skins/Fancy/x.bmp", SolidBitmap(9, 7, 0x00FF00));
  dir.Write("Skins/Fancy/m.bmp", SolidBitmap(13, 5, 0x0000FF));
  // Section and key names in another case; the configured name in another case than the folder.
  dir.Write("Skins/Fancy/skin.ini",
            Ini("[Skin] NameOfSkin=Fancy TransColor=clFuchsia MiniSkin=0 Form=back.bmp FormWidth=240 FormHeight=100 "
                "DatePositionLeft=5 DatePositionTop=6 HourPositionLeft=20 HourPositionTop=60 MinPositionLeft=60 "
                "MinPositionTop=61 SecPositionLeft=100 SecPositionTop=62 Div1PositionLeft=50 Div1PositionTop=58 "
                "Div2PositionLeft=90 Div2PositionTop=59 Div1=: Div2=. TimeFont=Tahoma TimeSize=20 TimeColor=$0000FF "
                "DateFont=Georgia DateSize=12 DateColor=clbtnface closebutton_default=x.bmp CloseButPositionLeft=220 "
                "CloseButPositionTop=4 CloseButWidth=30 CloseButHeight=30 MinimButton_default=m.bmp "
                "MinimButPositionLeft=205 MinimButPositionTop=5 MinimButWidth=30 MinimButHeight=30"));
  UseSkin("fancy");
  ASSERT_FALSE(Start());
  ASSERT_TRUE(Errors().empty()) << Errors()[0].text;
  EXPECT_EQ(Form1->TransparentColorValue(), ui::clFuchsia);
  EXPECT_TRUE(Form1->TransparentColor());
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(200, 90, 0xFF00FF));
  // The window takes the size from the file; the background is stretched over it.
  EXPECT_EQ(Form1->Width(), 240);
  EXPECT_EQ(Form1->Height(), 100);
  EXPECT_EQ(Rect(Form1->Image1), (ui::TRect{0, 0, 240, 100}));
  EXPECT_TRUE(Form1->Image1->Stretch);

  EXPECT_TRUE(Form1->Label1->Visible());
  EXPECT_EQ(Form1->Label1->Left(), 5);
  EXPECT_EQ(Form1->Label1->Top(), 6);
  EXPECT_EQ(Form1->Label1->Font(), (ui::TFont{"Georgia", 12, clockface::SystemColor(15), false}));
  const std::pair<ui::TLabel*, ui::TPoint> time[] = {{Form1->Label2, {20, 60}},
                                                     {Form1->Label3, {60, 61}},
                                                     {Form1->Label4, {100, 62}},
                                                     // centred between the measured digits
                                                     {Form1->Label5, {47, 58}},
                                                     {Form1->Label6, {87, 59}}};
  for (auto [label, at] : time) {
    SCOPED_TRACE(label->Caption());
    EXPECT_EQ(label->Left(), at.x);
    EXPECT_EQ(label->Top(), at.y);
    EXPECT_EQ(label->Font(), (ui::TFont{"Tahoma", 20, 0x0000FF, true}));
  }
  EXPECT_EQ(Form1->Label5->Caption(), ":");
  EXPECT_EQ(Form1->Label6->Caption(), ".");
  EXPECT_GT(Form1->Label5->Width(), 0);

  // The buttons take their bitmaps' sizes over the sizes in the file.
  EXPECT_EQ(Rect(Form1->CloseBut), (ui::TRect{220, 4, 229, 11}));
  EXPECT_EQ(Rect(Form1->MinimBut), (ui::TRect{205, 5, 218, 10}));
  EXPECT_EQ(Form1->CloseBut->Picture(), ui::Image(9, 7, 0x00FF00));
  EXPECT_EQ(Form1->MinimBut->Picture(), ui::Image(13, 5, 0x0000FF));
}

TEST_F(SkinTest, SeparatorsStandCentredBetweenTheDigitsAsTheFontMeasuresThem) {
  // The test backend measures a character of a 10-point font 7 pixels wide: "00" from 20 ends
  // at 34; the minutes start at 50, so ":" (7 wide) stands at 34 + (50 - 34 - 7) / 2 = 38,
  // not at 44 where the skin's author put it for a narrower font.
  dir.Write("Skins/even/back.bmp", SolidBitmap(200, 90, 0xFF00FF));
  dir.Write("Skins/even/skin.ini",
            Ini("[skin] Form=back.bmp HourPositionLeft=20 MinPositionLeft=50 SecPositionLeft=80 Div1=: Div2=: "
                "Div1PositionLeft=44 Div2PositionLeft=150 TimeSize=10 Div1PositionTop=7 Div2PositionTop=8"));
  UseSkin("even");
  ASSERT_FALSE(Start());
  ASSERT_TRUE(Errors().empty()) << Errors()[0].text;
  EXPECT_EQ(Form1->Label5->Left(), 38);
  EXPECT_EQ(Form1->Label5->Top(), 7);
  // A separator the skin puts elsewhere than between the digits stays where it is.
  EXPECT_EQ(Form1->Label6->Left(), 150);
}

TEST_F(SkinTest, APictureTheSkinDoesNotHaveIsTheDefaultSkins) {
  // A skin folder holding only its description: every picture it names is missing.
  StartWith("broken", Ini("[skin] Form=face.bmp FormWidth=100 FormHeight=40 CloseButton_default=nothere.bmp "
                          "CloseButton_undermouse=gone.bmp MinimButton_default=m.bmp CloseButPositionLeft=80 Div1=:"));
  ASSERT_TRUE(Errors().empty()) << Errors()[0].text;
  EXPECT_EQ(Form1->skinName, "broken");
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(180, 70, kDefaultFace));
  EXPECT_EQ(Form1->Width(), 100);
  EXPECT_EQ(Form1->CloseBut->Picture(), ui::Image(11, 11, kDefaultClose));
  EXPECT_EQ(Form1->CloseBut->Left(), 80);
  EXPECT_EQ(Form1->MinimBut->Picture(), ui::Image(11, 11, kDefaultMinim));
  EXPECT_EQ(Form1->Label5->Caption(), ":");
  EXPECT_EQ(Form1->SkinPicturePath(config::TIniSnapshot(*Form1->skinIni), "CloseButton_undermouse", "close_undermouse.bmp"),
            dir.Str() + "Skins\\default\\close_undermouse.bmp");
  // The start went on to the end: the single-instance lock is taken and the clock ticks.
  EXPECT_FALSE(system.mutexes.empty());
  const std::string seconds = Form1->Label4->Caption();
  Advance(1000);
  EXPECT_NE(Form1->Label4->Caption(), seconds);

  // A picture the skin has is its own.
  dir.Write("Skins/broken/face.bmp", SolidBitmap(100, 40, 0x123456));
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(100, 40, 0x123456));
}

// At start a skin that cannot be loaded gives way to the default skin, with one message, and
// the rest of the start runs: the clock ticks. The stored choice is kept.
TEST_F(SkinTest, AtStartASkinThatCannotBeLoadedGivesWayToTheDefaultSkin) {
  dir.Write("Skins/default/skin.ini", Ini("[skin] NameOfSkin=default FormWidth=239 FormHeight=116 Div1=:"));
  struct Case {
    const char* name;
    const char* ini;  // nullptr: no skin.ini at all
    const char* says;  // what the message tells of the failure
  };
  const Case cases[] = {
      {"gone", nullptr, "skin.ini"},
      {"badcolour", "[skin] TransColor=$00FF00 TimeColor=olive", "'olive'"},
      {"hexsize", "[skin] FormWidth=$B4", "'$B4'"},
      {"notabitmap", "[skin] Form=face.bmp", "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.ini) dir.Write(std::string("Skins/") + c.name + "/skin.ini", Ini(c.ini));
    dir.Write("Skins/notabitmap/face.bmp", "BM not really a bitmap");
    UseSkin(c.name);
    ASSERT_FALSE(Start());
    ASSERT_EQ(Errors().size(), 1u);
    const std::string& text = Errors()[0].text;
    EXPECT_EQ(Errors()[0].flags, ui::MB_ICONERROR_FLAG);
    EXPECT_NE(text.find(std::string("Скин \"") + c.name + "\" не удалось загрузить"), std::string::npos) << text;
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
    EXPECT_NE(text.find("со скином \"default\""), std::string::npos) << text;
    EXPECT_EQ(Form1->skinName, "default");
    EXPECT_EQ(Form1->Width(), 239);
    EXPECT_EQ(Form1->TransparentColorValue(), ui::clBlack);
    EXPECT_EQ(Form1->Image1->Picture(), ui::Image(180, 70, kDefaultFace));
    EXPECT_EQ(Form1->Label5->Caption(), ":");
    EXPECT_EQ(Form1->Label2->Font().color, ui::clOlive);
    EXPECT_NE(Config().find(std::string("skin=") + c.name), std::string::npos);
    EXPECT_FALSE(system.mutexes.empty());
    const std::string seconds = Form1->Label4->Caption();
    Advance(1000);
    EXPECT_NE(Form1->Label4->Caption(), seconds);
    platform->fakeDialogs().shown.clear();
    EndInstance();
  }
}

TEST_F(SkinTest, ABrokenDefaultSkinIsReportedAndTheClockStillRuns) {
  StartWith("default", Ini("[skin] TimeColor=olive"));
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].text.find("'olive'"), std::string::npos) << Errors()[0].text;
  EXPECT_FALSE(system.mutexes.empty());
  const std::string seconds = Form1->Label4->Caption();
  Advance(1000);
  EXPECT_NE(Form1->Label4->Caption(), seconds);
}

// While the clock runs, a skin refresh stops at a value that cannot be applied and raises it
// (the skin chooser then goes back to the skin the clock had).
TEST_F(SkinTest, ARefreshStopsAtAValueThatCannotBeApplied) {
  StartWith("live", Ini("[skin] TimeFont=Tahoma"));
  ASSERT_TRUE(Errors().empty()) << Errors()[0].text;

  dir.Write("Skins/live/skin.ini",
            Ini("[skin] TransColor=$00FF00 TimeFont=Verdana TimeSize=21 TimeColor=olive CloseButPositionLeft=5"));
  EXPECT_THROW(Form1->SkinRefresh(), config::EConvertError);
  EXPECT_EQ(Form1->TransparentColorValue(), 0x00FF00);
  EXPECT_EQ(Form1->Label2->Font().name, "Verdana");
  EXPECT_EQ(Form1->Label4->Font().size, 21);
  EXPECT_EQ(Form1->CloseBut->Left(), 181);

  dir.Write("Skins/live/skin.ini", Ini("[skin] SecPositionTop=12px MinPositionTop=33"));
  EXPECT_THROW(Form1->SkinRefresh(), config::EConvertError);
  EXPECT_EQ(Form1->Label3->Top(), 33);

  dir.Write("Skins/live/skin.ini", Ini("[skin] Form=face.bmp"));
  dir.Write("Skins/live/face.bmp", "BM not really a bitmap");
  EXPECT_THROW(Form1->SkinRefresh(), std::runtime_error);

  // A skin whose description cannot be read changes nothing.
  const int width = Form1->Width();
  UseSkin("nowhere");
  try {
    Form1->SkinRefresh();
    ADD_FAILURE() << "applied";
  } catch (const ::platform::FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось прочитать файл скина " + dir.Str() + "skins\\nowhere\\skin.ini");
  }
  EXPECT_EQ(Form1->Width(), width);
}

// Numbers at the ends of the integer range are held to what window coordinates can take, so
// no position + size overflows (the sanitizer build runs this too).
TEST_F(SkinTest, ExtremeNumbersAreClampedToWindowCoordinates) {
  StartWith("wide", Ini("[skin] FormWidth=2147483647 FormHeight=-2147483648 DatePositionLeft=2147483647 "
                        "DatePositionTop=-2147483648 HourPositionLeft=-2147483648 TimeSize=2147483647 "
                        "DateSize=-2147483648 CloseButPositionLeft=2147483647 MinimButPositionTop=2147483647"));
  ASSERT_TRUE(Errors().empty()) << Errors()[0].text;
  EXPECT_EQ(Form1->Width(), 32767);
  EXPECT_EQ(Form1->Height(), 0);
  EXPECT_EQ(Rect(Form1->Label1).left, 32767);
  EXPECT_EQ(Rect(Form1->Label1).top, -32768);
  EXPECT_EQ(Form1->Label2->Left(), -32768);
  EXPECT_EQ(Form1->Label2->Font().size, 32767);
  EXPECT_EQ(Form1->Label1->Font().size, -32768);
  EXPECT_EQ(Rect(Form1->CloseBut), (ui::TRect{32767, 11, 32767 + 11, 22}));
  EXPECT_EQ(Form1->MinimBut->Top(), 32767);
  for (int second = 0; second < 3; ++second) Form1->RefreshTime();  // labels measure their texts
  for (ui::TLabel* label : {Form1->Label1, Form1->Label2, Form1->Label3, Form1->Label4}) {
    EXPECT_LE(label->Width(), 32767);
    EXPECT_GE(label->Width(), 0);
  }
}

TEST_F(SkinTest, EachSkinShowsTheDateUnlessItIsAMiniSkin) {
  dir.Write("Skins/mini/skin.ini", Ini("[skin] MiniSkin=1 FormWidth=120 FormHeight=40"));
  dir.Write("Skins/yes/skin.ini", Ini("[skin] MiniSkin=yes"));  // only "1" counts
  StartWith("big", Ini("[skin] MiniSkin=0 FormWidth=260 FormHeight=110"));
  EXPECT_TRUE(Form1->Label1->Visible());
  UseSkin("yes");
  Form1->SkinRefresh();
  EXPECT_TRUE(Form1->Label1->Visible());

  UseSkin("mini");
  Form1->SkinRefresh();
  EXPECT_FALSE(Form1->Label1->Visible());
  EXPECT_EQ(Form1->Width(), 120);

  // Back on a skin with a date: the date is there again, at its place, with the day's text.
  UseSkin("big");
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->skinName, "big");
  EXPECT_EQ(Form1->Width(), 260);
  EXPECT_EQ(Form1->Height(), 110);
  EXPECT_TRUE(Form1->Label1->Visible());
  EXPECT_EQ(Form1->Label1->Caption(), Form1->DateText());
}

// The design screen is 1024 x 768 with 27 pixels kept free at the bottom.
TEST_F(SkinTest, ASkinChangeKeepsTheClockWholeOnTheScreenAtTheEdgesItWasAt) {
  dir.Write("Skins/paper/skin.ini", Ini("[skin] FormWidth=260 FormHeight=110"));
  dir.Write("Skins/small/skin.ini", Ini("[skin] FormWidth=120 FormHeight=40"));
  // The first start puts the 180 x 70 clock into the bottom-right corner.
  StartWith("plain", "");
  EXPECT_EQ(Form1->BoundsRect(), (ui::TRect{844, 671, 1024, 741}));

  UseSkin("paper");
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->BoundsRect(), (ui::TRect{764, 631, 1024, 741}));
  UseSkin("small");
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->BoundsRect(), (ui::TRect{904, 701, 1024, 741}));

  // Away from the edges the clock keeps its place, unless the new size would cross one.
  Form1->SetBounds(700, 300, Form1->Width(), Form1->Height());
  UseSkin("paper");
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->BoundsRect(), (ui::TRect{700, 300, 960, 410}));
  dir.Write("Skins/paper/skin.ini", Ini("[skin] FormWidth=400 FormHeight=110"));
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->BoundsRect(), (ui::TRect{624, 300, 1024, 410}));
}

TEST_F(SkinTest, ButtonsFollowTheSizeOfEachNewBitmap) {
  dir.Write("Skins/b/c.bmp", SolidBitmap(20, 8, 0x111111));
  dir.Write("Skins/b/m.bmp", SolidBitmap(6, 14, 0x222222));
  StartWith("b", Ini("[skin] CloseButton_default=c.bmp MinimButton_default=m.bmp"));
  EXPECT_EQ(Rect(Form1->CloseBut), (ui::TRect{181, 11, 201, 19}));
  EXPECT_EQ(Rect(Form1->MinimBut), (ui::TRect{161, 11, 167, 25}));

  // Smaller bitmaps shrink the buttons again, whatever sizes the file gives.
  dir.Write("Skins/b/skin.ini", Ini("[skin] CloseButWidth=40 CloseButHeight=40 MinimButWidth=40 MinimButHeight=40"));
  Form1->SkinRefresh();
  EXPECT_EQ(Rect(Form1->CloseBut), (ui::TRect{181, 11, 192, 22}));
  EXPECT_EQ(Rect(Form1->MinimBut), (ui::TRect{161, 11, 172, 22}));
}

TEST_F(SkinTest, SkinFileEditedOnDiskTakesEffectAtTheNextRefresh) {
  dir.Write("Skins/live/a.bmp", SolidBitmap(150, 60, 0xAAAAAA));
  StartWith("live", Ini("[skin] Form=a.bmp FormWidth=150 TimeColor=clRed Div1=:"));
  EXPECT_EQ(Form1->Width(), 150);
  EXPECT_EQ(Form1->Label2->Font().color, 0x0000FF);

  dir.Write("Skins/live/skin.ini", Ini("[skin] Form=a.bmp FormWidth=151 TimeColor=clBlue Div1=-"));
  dir.Write("Skins/live/a.bmp", SolidBitmap(151, 61, 0xBBBBBB));  // the same picture file, redrawn
  Form1->SkinRefresh();
  EXPECT_EQ(Form1->Width(), 151);
  EXPECT_EQ(Form1->Label2->Font().color, 0xFF0000);
  EXPECT_EQ(Form1->Label5->Caption(), "-");
  EXPECT_EQ(Form1->Image1->Picture(), ui::Image(151, 61, 0xBBBBBB));
}

// ---- The skins shipped with the program

std::vector<std::string> ShippedSkins() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(HORAVO_SOURCE_DIR) + "/data/Skins"))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ShippedSkinTest : public ProgramTest, public ::testing::WithParamInterface<std::string> {
 protected:
  // Replaces the fixture's default skin by the shipped skins: their description files from the
  // source tree, their pictures from the art generator.
  void InstallShippedSkins() {
    dir.Remove("Skins");
    for (const std::string& name : ShippedSkins()) {
      const auto source = std::filesystem::path(HORAVO_SOURCE_DIR) / "data/Skins" / name;
      const auto art = std::filesystem::path(HORAVO_ART_DIR) / "dist/Skins" / name;
      for (const auto& base : {source, art})
        for (const auto& file : std::filesystem::directory_iterator(base))
          dir.Write("Skins/" + name + "/" + file.path().filename().string(), ReadFile(file.path()));
    }
  }
};

TEST(ShippedSkins, AreTheDefaultAndTwoMoreWithLowerCaseLatinNames) {
  auto names = ShippedSkins();
  EXPECT_GE(names.size(), 3u);
  EXPECT_NE(std::find(names.begin(), names.end(), "default"), names.end());
  for (const std::string& name : names)
    for (char c : name) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << name;
}

TEST_P(ShippedSkinTest, LoadsWithoutErrorAndKeepsItsButtonsAndTextInsideItsFace) {
  const std::string name = GetParam();
  InstallShippedSkins();
  const std::string ini = ReadFile(std::filesystem::path(HORAVO_SOURCE_DIR) / "data/Skins" / name / "skin.ini");
  for (std::size_t at = ini.find('\n'); at != std::string::npos; at = ini.find('\n', at + 1))
    ASSERT_TRUE(at > 0 && ini[at - 1] == '\r') << "line ends must be CR LF";
  EXPECT_EQ(config::TIniFile(dir.Str() + "Skins/" + name + "/skin.ini").ReadString("skin", "NameOfSkin", ""), name);

  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nskin=" + name + "\r\n");
  ASSERT_FALSE(Start());
  const auto& errors = platform->fakeDialogs().shown;
  ASSERT_TRUE(errors.empty()) << errors[0].text;
  Advance(1000);  // the first tick writes the time with its leading zeros

  auto preview = resources::DecodeBmp(dir.Read("Skins/" + name + "/Preview.bmp").value_or(""));
  ASSERT_TRUE(preview) << "Preview.bmp";
  EXPECT_NEAR(preview->width, 160, 20);
  EXPECT_NEAR(preview->height, 70, 10);

  // The face is drawn for the window's size, and its corners are see-through.
  const ui::Image& face = Form1->Image1->Picture();
  EXPECT_EQ(face.width, Form1->Width());
  EXPECT_EQ(face.height, Form1->Height());
  const std::uint32_t key = ui::ColorToPixel(Form1->TransparentColorValue());
  for (auto [x, y] : {std::pair{0, 0}, {face.width - 1, 0}, {0, face.height - 1}, {face.width - 1, face.height - 1}})
    EXPECT_EQ(face.At(x, y), key) << x << "," << y;

  const ui::TRect window{0, 0, Form1->Width(), Form1->Height()};
  auto inside = [&](const ui::TRect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= window.right && r.bottom <= window.bottom;
  };
  auto overlap = [](const ui::TRect& a, const ui::TRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  };
  std::vector<ui::TLabel*> shown;
  for (ui::TLabel* label : {Form1->Label1, Form1->Label2, Form1->Label3, Form1->Label4, Form1->Label5, Form1->Label6})
    if (label->Visible() && !label->Caption().empty()) shown.push_back(label);
  EXPECT_GE(shown.size(), 5u);
  for (ui::TImage* button : {Form1->MinimBut, Form1->CloseBut}) {
    SCOPED_TRACE(button == Form1->CloseBut ? "CloseBut" : "MinimBut");
    // Drawn with its bottom-left colour left out, and at the size of its picture.
    EXPECT_TRUE(button->Transparent);
    EXPECT_EQ(button->Width(), button->Picture().width);
    EXPECT_EQ(button->Height(), button->Picture().height);
    // Inside the face, and nothing of the picture over the see-through corners.
    const ui::TRect r = button->BoundsRect();
    ASSERT_TRUE(inside(r));
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (button->Picture().At(x - r.left, y - r.top) != button->Picture().BottomLeft()) {
          EXPECT_NE(face.At(x, y), key) << x << "," << y;
        }
    for (ui::TLabel* label : shown) EXPECT_FALSE(overlap(r, label->BoundsRect())) << label->Caption();
  }
  EXPECT_FALSE(overlap(Form1->MinimBut->BoundsRect(), Form1->CloseBut->BoundsRect()));
  for (ui::TLabel* label : shown) EXPECT_TRUE(inside(label->BoundsRect())) << label->Caption();
  // Hours, separator, minutes, separator, seconds from left to right.
  const ui::TLabel* order[] = {Form1->Label2, Form1->Label5, Form1->Label3, Form1->Label6, Form1->Label4};
  for (int i = 0; i + 1 < 5; ++i) EXPECT_LT(order[i]->Left(), order[i + 1]->Left()) << i;
}

INSTANTIATE_TEST_SUITE_P(EachShippedSkin, ShippedSkinTest, ::testing::ValuesIn(ShippedSkins()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
