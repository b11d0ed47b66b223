// The main window's chrome over the fake platform: moving and snapping by the clock face, the
// skinned buttons' pictures, the tray toggle and its icon, closing, the double click.
#include <gtest/gtest.h>

#include <string>

#include "config/ini.h"
#include "platform/fake/fake_platform.h"
#include "tests/unit/program_fixture.h"
#include "tray/trayicon.h"
#include "ui/application.h"

using testing_support::ProgramTest;
using testing_support::SolidBitmap;

namespace {

using ui::TMouseButton;

constexpr unsigned kTrayCallback = 1025, kLeftUp = 514, kRightUp = 517;
const ui::TPoint kFace{3, 3};  // on the clock face, away from the labels and buttons

class ChromeTest : public ProgramTest {
 protected:
  ChromeTest() {
    // A face with both buttons on it, and button pictures that tell themselves apart by colour.
    dir.Write("Skins/default/skin.ini", "[skin]\r\nNameOfSkin=default\r\n" + kButtonPlaces);
    for (const auto& [name, colour] : kPictures) dir.Write("Skins/default/" + name + ".bmp", SolidBitmap(11, 11, colour));
  }

  void StartWithConfig(const std::string& config) {
    dir.Write("Cfg/Clock_config.ini", config);
    ASSERT_FALSE(Start());
  }

  // The colour a button shows (its pictures are of one colour each).
  static std::uint32_t Shows(const ui::TImage* button) {
    return button->Picture().Empty() ? 0 : button->Picture().At(5, 5);
  }
  static ui::TPoint Centre(const ui::TControl* c) { return {c->Left() + 5, c->Top() + 5}; }

  // Pointer input as the window gets it; an error goes to the program's general handling.
  void MoveTo(ui::TPoint p) {
    program->Application().Guard([&] { Form1->RouteMouseMove(0, p); });
  }
  void Press(ui::TPoint p, TMouseButton b = TMouseButton::mbLeft) {
    program->Application().Guard([&] { Form1->RouteMouseDown(b, 0, p); });
  }
  void Release(ui::TPoint p, TMouseButton b = TMouseButton::mbLeft) {
    program->Application().Guard([&] { Form1->RouteMouseUp(b, 0, p); });
  }
  // The notification area telling the icon about a mouse action.
  void IconMouse(unsigned mouseMessage) {
    widgets->Send(Form1->TrayIcon1->Handle(), kTrayCallback, 0, std::intptr_t(mouseMessage));
  }
  void Toggle() {
    program->Application().Guard([] { Form1->N6->Click(); });
  }
  ui::Image LibraryPicture(const std::string& name) { return *Form1->files.ImageLib().Bitmap(name); }
  bool IconShown() {
    return platform->fakeNotifyArea().Find(Form1->TrayIcon1->Handle(), Form1->TrayIcon1->Data().uID) != nullptr;
  }
  const std::vector<platform::MessageBoxCall>& Errors() { return platform->fakeDialogs().shown; }

  const std::string kButtonPlaces =
      "MinimButPositionLeft=140\r\nMinimButPositionTop=8\r\nCloseButPositionLeft=160\r\nCloseButPositionTop=8\r\n";
  static constexpr std::uint32_t kCloseDefault = 0x101010, kCloseHover = 0x202020, kCloseClick = 0x303030,
                                 kMinimDefault = 0x404040, kMinimHover = 0x505050, kMinimClick = 0x606060;
  const std::vector<std::pair<std::string, std::uint32_t>> kPictures = {
      {"close_default", kCloseDefault}, {"close_undermouse", kCloseHover}, {"close_click", kCloseClick},
      {"minim_default", kMinimDefault}, {"minim_undermouse", kMinimHover}, {"minim_click", kMinimClick}};
};

// ---- Moving and snapping

// Where a window of the given size ends when it is dropped at (left, top).
ui::TPoint DropAt(int left, int top, int width, int height) {
  Form1->SetBounds(left, top, width, height);
  Form1->RouteMouseDown(TMouseButton::mbLeft, 0, kFace);
  Form1->RouteMouseUp(TMouseButton::mbLeft, 0, kFace);
  return {Form1->Left(), Form1->Top()};
}

TEST_F(ChromeTest, DroppedWindowSnapsToTheEdgesAtTheMoveLimits) {
  StartWithConfig("");  // StickCon absent: snapping is on
  struct Case {
    int left, top, width, height;
    ui::TPoint expected;
  };
  const Case cases[] = {
      {760, 300, 239, 116, {785, 300}},  // at or past 994 - 239: to the right edge
      {755, 300, 239, 116, {785, 300}},
      {750, 300, 239, 116, {750, 300}},
      {30, 300, 239, 116, {0, 300}},
      {31, 300, 239, 116, {31, 300}},
      {400, 700, 239, 116, {400, 625}},  // 741 - 116
      {400, 661, 239, 116, {400, 661}},  // the bottom limit is fixed, whatever the height
      {400, 30, 239, 116, {400, 0}},
      {400, 31, 239, 116, {400, 31}},
      {900, 700, 180, 70, {844, 671}},
      {-50, -20, 180, 70, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.width << "x" << c.height);
    EXPECT_EQ(DropAt(c.left, c.top, c.width, c.height), c.expected);
  }
}

TEST_F(ChromeTest, SnappingIsOnOnlyWhileStickConIsExactlyOneReadAtEachDrop) {
  StartWithConfig("[Clock]\r\nStickCon=1\r\n");
  EXPECT_EQ(DropAt(760, 300, 239, 116), (ui::TPoint{785, 300}));
  for (const char* off : {"0", "yes", "11", ""}) {
    SCOPED_TRACE(off);
    dir.Write("Cfg/Clock_config.ini", std::string("[Clock]\r\nStickCon=") + off + "\r\n");
    EXPECT_EQ(DropAt(760, 700, 239, 116), (ui::TPoint{760, 700}));
    EXPECT_EQ(DropAt(10, 10, 239, 116), (ui::TPoint{10, 10}));
  }
}

TEST_F(ChromeTest, RightPressOnTheFaceStillChecksThePositionAndOpensTheMenu) {
  StartWithConfig("");
  Form1->SetBounds(20, 300, 180, 70);
  Press(kFace, TMouseButton::mbRight);
  Release(kFace, TMouseButton::mbRight);
  EXPECT_EQ(Form1->Left(), 0);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 1);
}

// A skin whose labels lie apart from each other and from the buttons, and the middle of a label.
const char* const kLabelsApart =
    "[skin]\r\nNameOfSkin=default\r\nHourPositionLeft=20\r\nMinPositionLeft=60\r\nSecPositionLeft=100\r\n"
    "Div1=:\r\nDiv1PositionLeft=50\r\nDiv1PositionTop=50\r\nDiv2=:\r\nDiv2PositionLeft=90\r\nDiv2PositionTop=50\r\n";
ui::TPoint MiddleOf(const ui::TControl* c) {
  const ui::TRect r = c->BoundsRect();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(ChromeTest, APressMovedOnAnyLabelMovesTheClockAndAStillOneClicks) {
  dir.Write("Skins/default/skin.ini", kLabelsApart);
  StartWithConfig("");
  auto drag = [&](ui::TPoint to, ui::TShiftState shift = ui::ssLeft) {
    program->Application().Guard([&] { Form1->RouteMouseMove(shift, to); });
  };
  auto modes = [] { return std::pair{Form1->stopwatchMode, Form1->uptimeMode}; };
  for (ui::TLabel* label : {Form1->Label1, Form1->Label2, Form1->Label3, Form1->Label4, Form1->Label5, Form1->Label6}) {
    SCOPED_TRACE(label->Caption());
    const ui::TPoint at = MiddleOf(label);
    ASSERT_EQ(Form1->ControlAt(at), label);
    // Dropped here, the clock snaps to the left edge: a move shows as that snap.
    Form1->SetBounds(20, 300, 180, 70);
    // A tremble of a few pixels is still a click: the window stays and the label switches.
    const auto before = modes();
    Press(at);
    drag({at.x + 3, at.y - 3});
    EXPECT_EQ(Form1->Left(), 20);
    Release({at.x + 3, at.y - 3});
    const auto clicked = modes();
    EXPECT_NE(clicked, before);
    // A pointer that comes by with no button held moves nothing.
    drag({at.x + 20, at.y}, 0);
    EXPECT_EQ(Form1->Left(), 20);
    // Moved further with the button held: the system's move runs and the drop snaps, as on the
    // face; the label is no longer pressed, so nothing that follows clicks it.
    Press(at);
    drag({at.x, at.y + 4});
    EXPECT_EQ(Form1->Left(), 0);
    drag({at.x + 40, at.y + 4});
    EXPECT_EQ(modes(), clicked);
    // Back to the time and the date for the next label.
    if (Form1->stopwatchMode == 1) Form1->Label2->Click();
    if (Form1->uptimeMode == 1) Form1->Label1->Click();
  }
}

TEST_F(ChromeTest, TheRightButtonOnAnyLabelOpensTheClocksMenuAndMovesNothing) {
  dir.Write("Skins/default/skin.ini", kLabelsApart);
  StartWithConfig("");
  Form1->SetBounds(20, 300, 180, 70);
  for (ui::TLabel* label : {Form1->Label1, Form1->Label2, Form1->Label3, Form1->Label4, Form1->Label5, Form1->Label6}) {
    const ui::TPoint at = MiddleOf(label);
    ASSERT_EQ(Form1->ControlAt(at), label);
    Press(at, TMouseButton::mbRight);
    program->Application().Guard([&] { Form1->RouteMouseMove(ui::ssRight, {at.x + 20, at.y}); });
    Release(at, TMouseButton::mbRight);
  }
  EXPECT_EQ(Form1->Left(), 20);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 6);
}

// ---- Button pictures

TEST_F(ChromeTest, HoverPressAndBackOverTheFaceShowTheirPictures) {
  StartWithConfig("");
  ui::TImage* close = Form1->CloseBut;
  ui::TImage* minim = Form1->MinimBut;
  EXPECT_EQ(Shows(close), kCloseDefault);
  MoveTo(Centre(close));
  EXPECT_EQ(Shows(close), kCloseHover);
  EXPECT_EQ(Form1->buttonLit, 1);
  EXPECT_EQ(Form1->buttonPressed, 0);
  Press(Centre(close));
  EXPECT_EQ(Shows(close), kCloseClick);
  EXPECT_EQ(Form1->buttonPressed, 1);
  Release(kFace);  // released off the button: no click, the program goes on
  EXPECT_FALSE(program->Application().Terminated());
  EXPECT_EQ(Shows(close), kCloseClick);
  // Leaving onto a label puts the normal picture back; the press stays in force until the
  // pointer is over the face.
  MoveTo({Form1->Label2->Left() + 1, Form1->Label2->Top() + 1});
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Form1->buttonPressed, 1);
  MoveTo(Centre(minim));
  EXPECT_EQ(Shows(minim), kMinimDefault);  // pressed: no hover picture
  MoveTo(kFace);
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Shows(minim), kMinimDefault);
  EXPECT_EQ(Form1->buttonLit, 0);
  EXPECT_EQ(Form1->buttonPressed, 0);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(ChromeTest, AfterAPressReleasedElsewhereNoHoverPictureUntilTheFaceWasCrossed) {
  StartWithConfig("");
  ui::TImage* close = Form1->CloseBut;
  ui::TImage* minim = Form1->MinimBut;
  MoveTo(Centre(minim));
  Press(Centre(minim));
  EXPECT_EQ(Shows(minim), kMinimClick);
  Release(kFace);
  EXPECT_FALSE(Form1->TrayIcon1->Visible());  // no click
  MoveTo(Centre(close));
  MoveTo(Centre(minim));
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Shows(minim), kMinimDefault);  // left once, and no hover picture since
  MoveTo(kFace);
  MoveTo(Centre(minim));
  EXPECT_EQ(Shows(minim), kMinimHover);
  EXPECT_EQ(Shows(close), kCloseDefault);
}

TEST_F(ChromeTest, AQuickMoveOffAButtonOrOutOfTheWindowPutsItsNormalPictureBack) {
  StartWithConfig("");
  ui::TImage* close = Form1->CloseBut;
  ui::TImage* minim = Form1->MinimBut;
  // From "x" straight out of the window, never crossing the face.
  MoveTo(Centre(close));
  ASSERT_EQ(Shows(close), kCloseHover);
  Form1->RouteMouseLeave();
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Form1->buttonLit, 0);
  // From one button straight onto the other.
  MoveTo(Centre(minim));
  MoveTo(Centre(close));
  EXPECT_EQ(Shows(minim), kMinimDefault);
  EXPECT_EQ(Shows(close), kCloseHover);
  // Pressed and left: the normal picture, and the press still keeps hover pictures away.
  Press(Centre(close));
  Release(kFace);
  Form1->RouteMouseLeave();
  EXPECT_EQ(Shows(close), kCloseDefault);
  MoveTo(Centre(close));
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(ChromeTest, AfterARestoreFromTheTrayBothButtonsShowTheirNormalPictures) {
  StartWithConfig("");
  ui::TImage* close = Form1->CloseBut;
  ui::TImage* minim = Form1->MinimBut;
  MoveTo(Centre(close));
  Press(Centre(minim));
  Release(Centre(minim));  // the click hides the clock; the pointer never left the button
  ASSERT_TRUE(Form1->TrayIcon1->Visible());
  EXPECT_EQ(Shows(minim), kMinimClick);
  Form1->N6Click(Form1->N6);  // back from the tray
  ASSERT_FALSE(Form1->TrayIcon1->Visible());
  EXPECT_EQ(Shows(minim), kMinimDefault);
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Form1->buttonPressed, 0);
  EXPECT_EQ(Form1->buttonLit, 0);
  // Hover pictures show again at once.
  MoveTo(Centre(close));
  EXPECT_EQ(Shows(close), kCloseHover);
}

TEST_F(ChromeTest, ButtonPicturesFollowTheCurrentSkinFiles) {
  StartWithConfig("");
  // An edited picture file shows at the next movement over the button.
  dir.Write("Skins/default/close_undermouse.bmp", SolidBitmap(13, 12, 0x777777));
  MoveTo(Centre(Form1->CloseBut));
  EXPECT_EQ(Shows(Form1->CloseBut), 0x777777u);
  EXPECT_EQ(Form1->CloseBut->Width(), 13);  // the button takes the picture's size
  MoveTo(kFace);
  // Another skin chosen while the program runs: its own hover picture, a missing key falls back.
  dir.Write("Skins/other/skin.ini", "[skin]\r\nMinimButton_undermouse=hover.bmp\r\n" + kButtonPlaces);
  dir.Write("Skins/other/hover.bmp", SolidBitmap(11, 11, 0x888888));
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nskin=other\r\n");
  Form1->SkinRefresh();
  MoveTo(Centre(Form1->MinimBut));
  EXPECT_EQ(Shows(Form1->MinimBut), 0x888888u);
  MoveTo(Centre(Form1->CloseBut));
  EXPECT_EQ(Shows(Form1->CloseBut), 0x777777u);
}

TEST_F(ChromeTest, PictureThatDoesNotLoadIsReportedAtEachEventAndChangesNothing) {
  StartWithConfig("");
  dir.Remove("Skins/default/close_undermouse.bmp");
  dir.Remove("Skins/default/minim_default.bmp");
  ui::TImage* close = Form1->CloseBut;
  MoveTo(Centre(close));
  MoveTo(Centre(close));
  ASSERT_EQ(Errors().size(), 2u);
  EXPECT_NE(Errors()[0].text.find("close_undermouse.bmp"), std::string::npos) << Errors()[0].text;
  EXPECT_EQ(Errors()[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Form1->buttonLit, 0);

  Press(Centre(close));
  EXPECT_EQ(Shows(close), kCloseClick);
  Release(kFace);
  MoveTo(kFace);
  EXPECT_EQ(Shows(close), kCloseDefault);
  EXPECT_EQ(Errors().size(), 2u);
  // Leaving the minimise button, its default does not load: it keeps its hover picture and
  // the flags stay set, so the next movement over the face tries again.
  ui::TImage* minim = Form1->MinimBut;
  MoveTo(Centre(minim));
  EXPECT_EQ(Shows(minim), kMinimHover);
  MoveTo(kFace);
  EXPECT_EQ(Errors().size(), 3u);
  EXPECT_NE(Errors()[2].text.find("minim_default.bmp"), std::string::npos) << Errors()[2].text;
  EXPECT_EQ(Shows(minim), kMinimHover);
  EXPECT_EQ(Form1->buttonLit, 1);
  MoveTo(kFace);
  EXPECT_EQ(Errors().size(), 4u);
  EXPECT_FALSE(program->Application().Terminated());
}

// ---- Tray toggle

TEST_F(ChromeTest, MinimiseButtonHidesEveryShownWindowAndTheIconBringsThemBack) {
  StartWithConfig("");
  Form6->Show();
  int settingsClosed = 0;
  Form2->OnClose = [&](ui::TComponent*, ui::TCloseAction&) { ++settingsClosed; };
  Press(Centre(Form1->MinimBut));
  Release(Centre(Form1->MinimBut));
  EXPECT_EQ(settingsClosed, 1);  // closed by its close path though it was not shown
  EXPECT_FALSE(Form1->Visible());
  EXPECT_FALSE(Form6->Visible());
  EXPECT_TRUE(Form1->TrayIcon1->Visible());
  EXPECT_TRUE(IconShown());
  EXPECT_EQ(Form1->N6->Caption, "Восстановить из трея");
  EXPECT_EQ(Form1->N6->Bitmap, LibraryPicture("FROM_TRAY"));

  // Released over the icon, the right button opens the main menu with the toggle first.
  IconMouse(kRightUp);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 1);
  EXPECT_EQ(Form1->PopupMenu2->Items()->Items()[0]->Caption, "Восстановить из трея");
  EXPECT_FALSE(Form1->Visible());

  IconMouse(kLeftUp);  // a single click restores
  EXPECT_TRUE(Form1->Visible());
  EXPECT_TRUE(Form6->Visible());
  EXPECT_FALSE(Form2->Visible());
  EXPECT_FALSE(Form1->TrayIcon1->Visible());
  EXPECT_FALSE(IconShown());
  EXPECT_EQ(Form1->N6->Caption, "Свернуть в трей");
  EXPECT_EQ(Form1->N6->Bitmap, LibraryPicture("TOTRAY"));
  EXPECT_TRUE(Errors().empty());
}

TEST_F(ChromeTest, ToggleTwiceLeavesTheMenuItemAsAtStart) {
  StartWithConfig("");
  const ui::Image start = Form1->N6->Bitmap;
  EXPECT_EQ(start, LibraryPicture("TOTRAY"));
  Toggle();
  Toggle();
  EXPECT_EQ(Form1->N6->Caption, "Свернуть в трей");
  EXPECT_EQ(Form1->N6->Bitmap, start);
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(IconShown());
}

TEST_F(ChromeTest, MinimizeAndRestoreLeaveTheMenuItemAlone) {
  StartWithConfig("");
  Form1->Minimize();
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(IconShown());
  EXPECT_EQ(Form1->N6->Caption, "Свернуть в трей");
  Form1->Restore();
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(IconShown());
  EXPECT_EQ(Form1->N6->Caption, "Свернуть в трей");
}

TEST_F(ChromeTest, RefusedIconStopsTheToggleAndLeavesTheProgramOnScreen) {
  StartWithConfig("");
  platform->fakeNotifyArea().refuse.insert(platform::kNotifyAdd);
  Toggle();
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, "Не удалось добавить значок в область уведомлений.");
  EXPECT_EQ(Form1->N6->Caption, "Свернуть в трей");
  EXPECT_EQ(Form1->N6->Bitmap, LibraryPicture("TOTRAY"));
  // Without an icon the program would be unreachable: it stays shown, counted as not in the tray.
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(Form1->TrayIcon1->Visible());

  platform->fakeNotifyArea().refuse.clear();
  Toggle();
  EXPECT_FALSE(Form1->Visible());
  EXPECT_TRUE(IconShown());
  EXPECT_EQ(Form1->N6->Caption, "Восстановить из трея");
}

TEST_F(ChromeTest, RefusedRemovalStopsTheToggleWithTheMenuItemUnchanged) {
  StartWithConfig("");
  Toggle();
  platform->fakeNotifyArea().refuse.insert(platform::kNotifyDelete);
  Toggle();
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].text, "Не удалось убрать значок из области уведомлений.");
  EXPECT_EQ(Form1->N6->Caption, "Восстановить из трея");
  EXPECT_EQ(Form1->N6->Bitmap, LibraryPicture("FROM_TRAY"));
  EXPECT_TRUE(Form1->Visible());
}

// ---- Closing and the double click

// The close button and the menu's "Закрыть приложение" end the program by the ordinary close.
class ChromeCloseTest : public ChromeTest, public testing::WithParamInterface<bool> {};

TEST_P(ChromeCloseTest, EndsTheProgramLikeAnyClose) {
  StartWithConfig("");
  Form2->Show();
  const std::string left = std::to_string(Form1->Left()), top = std::to_string(Form1->Top());
  if (GetParam()) {
    Press(Centre(Form1->CloseBut));
    Release(Centre(Form1->CloseBut));
  } else {
    Form1->N5->Click();
  }
  EXPECT_TRUE(program->Application().Terminated());
  EXPECT_FALSE(Form2->Visible());
  config::TIniFile ini(dir.Str() + "Cfg/Clock_config.ini");
  EXPECT_EQ(ini.ReadString("Position", "X", ""), left);
  EXPECT_EQ(ini.ReadString("Position", "Y", ""), top);
  EXPECT_EQ(platform->libraryLog.releases, 1);
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, ChromeCloseTest, testing::Bool());

TEST_F(ChromeTest, EachPressOfADoubleClickRunsThePressHandling) {
  StartWithConfig("");
  // On the face: the second press snaps the window like the first.
  Form1->SetBounds(20, 300, 180, 70);
  Press(kFace);
  Release(kFace);
  EXPECT_EQ(Form1->Left(), 0);
  Form1->SetBounds(900, 300, 180, 70);
  Form1->RouteDblClick(kFace);
  Release(kFace);
  EXPECT_EQ(Form1->Left(), 1024 - 180);
  // On a button: the second press shows the pressed picture again.
  ui::TImage* close = Form1->CloseBut;
  Press(Centre(close));
  Release(kFace);
  MoveTo(kFace);
  ASSERT_EQ(Shows(close), kCloseDefault);
  Form1->RouteDblClick(Centre(close));
  EXPECT_EQ(Shows(close), kCloseClick);
  EXPECT_EQ(Form1->buttonPressed, 1);
  Release(kFace);
  EXPECT_FALSE(program->Application().Terminated());
}

TEST_F(ChromeTest, DoubleClickOnTheFaceOpensTheSettingsWindow) {
  StartWithConfig("");
  EXPECT_FALSE(Form2->Visible());
  Form1->RouteMouseDown(TMouseButton::mbLeft, 0, kFace);
  Form1->RouteMouseUp(TMouseButton::mbLeft, 0, kFace);
  EXPECT_FALSE(Form2->Visible());
  Form1->RouteDblClick(kFace);
  Form1->RouteMouseUp(TMouseButton::mbLeft, 0, kFace);
  EXPECT_TRUE(Form2->Visible());
}

}  // namespace
