// The notification-area icon component over the headless backend and a fake notification area
// that behaves like the system's (an icon is added once; only a held icon can change or go).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "resources/bitmap_file.h"
#include "tests/unit/program_fixture.h"
#include "tray/trayicon.h"
#include "ui/application.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"

namespace {

using platform::kNotifyAdd;
using platform::kNotifyDelete;
using platform::kNotifyModify;
using tray::TTrayIconMessage;

// Where the system's fields lie in its 488-byte record.
static_assert(offsetof(platform::NotifyIconData, hIcon) == 20);
static_assert(offsetof(platform::NotifyIconData, szTip) == 24);
static_assert(offsetof(platform::NotifyIconData, dwState) == 152);
static_assert(offsetof(platform::NotifyIconData, szInfo) == 160);
static_assert(offsetof(platform::NotifyIconData, uTimeout) == 416);
static_assert(offsetof(platform::NotifyIconData, szInfoTitle) == 420);
static_assert(offsetof(platform::NotifyIconData, dwInfoFlags) == 484);

constexpr unsigned kCallback = 1025;
constexpr unsigned kMouseMove = 512, kLeftDown = 513, kLeftUp = 514, kLeftDouble = 515, kRightDown = 516,
                   kRightUp = 517, kRightDouble = 518, kMiddleDown = 519, kMiddleUp = 520, kMiddleDouble = 521;
constexpr unsigned kSysCommand = 274, kMinimizeCommand = 0xF020, kRestoreCommand = 0xF120;

class TrayIconTest : public ::testing::Test {
 protected:
  TrayIconTest() {
    main = app.CreateForm<ui::TForm>(nullptr);
    main->Show();
    tray = new tray::TTrayIcon(main, area);
  }

  // The notification area telling the icon's window about a mouse action.
  void Mouse(unsigned mouseMessage) { widgets.Send(tray->Handle(), kCallback, 0, std::intptr_t(mouseMessage)); }
  bool Shown() const { return area.Find(tray->Handle(), tray->Data().uID) != nullptr; }
  ui::TImageList* ThreeIcons() {
    auto* list = new ui::TImageList(main);
    for (std::uint32_t c : {0x110000u, 0x220000u, 0x330000u}) {
      ui::Image picture(16, 16, 0xFF00FF);
      picture.At(8, 8) = c;
      list->Add(picture);
    }
    return list;
  }

  std::uint64_t now = 0;
  ui::HeadlessWidgetSet widgets{[this] { return now; }, [this](std::uint64_t t) { now = t; }};
  platform::FakeNotifyArea area;  // outlives the application, whose forms own the icon
  ui::TApplication app{widgets, nullptr};
  ui::TForm* main;
  tray::TTrayIcon* tray;
  std::vector<std::string> log;
};

TEST_F(TrayIconTest, StartsHiddenWithItsDocumentedValues) {
  EXPECT_FALSE(tray->Visible());
  EXPECT_EQ(tray->Hint(), "");
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  EXPECT_TRUE(tray->Hide());
  EXPECT_EQ(tray->RestoreOn(), TTrayIconMessage::imDoubleClick);
  EXPECT_EQ(tray->PopupMenuOn(), TTrayIconMessage::imNone);
  EXPECT_EQ(tray->Icons(), nullptr);
  EXPECT_EQ(tray->IconIndex(), 0);
  EXPECT_EQ(tray->AnimateInterval(), 1000);
  EXPECT_FALSE(tray->Animate());
  EXPECT_EQ(widgets.ActiveTimerCount(), 0);
  EXPECT_TRUE(area.calls.empty());
  EXPECT_EQ(static_cast<int>(TTrayIconMessage::imNone), 8);
  EXPECT_EQ(sizeof(TTrayIconMessage), 1u);
}

TEST_F(TrayIconTest, RecordNamesTheWindowTheComponentAndTheProgramIcon) {
  const platform::NotifyIconData& d = tray->Data();
  EXPECT_EQ(d.cbSize, 488u);
  EXPECT_EQ(d.hWnd, 0u);  // a hidden icon has no window for its messages yet
  tray->SetVisible(true);
  EXPECT_NE(d.hWnd, 0u);
  EXPECT_EQ(d.hWnd, tray->Handle());
  tray->SetVisible(false);
  EXPECT_EQ(d.uID, std::uint32_t(reinterpret_cast<std::uintptr_t>(tray)));
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 1025u);
  EXPECT_EQ(d.hIcon, platform::FakeNotifyArea::kProgramIcon);
  // Everything from the tool-tip on is zero.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&d);
  for (std::size_t i = offsetof(platform::NotifyIconData, szTip); i < sizeof d; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(TrayIconTest, VisibleAddsAndRemovesTheIconAndSetsHide) {
  tray->SetHint("Время");
  tray->SetVisible(true);
  ASSERT_EQ(area.calls.size(), 1u);
  EXPECT_EQ(area.calls[0].request, kNotifyAdd);
  EXPECT_STREQ(area.calls[0].data.szTip, "Время");
  EXPECT_TRUE(Shown());
  EXPECT_TRUE(tray->Hide());

  tray->SetVisible(true);  // shown already: no second add, which the area would refuse
  EXPECT_EQ(area.Count(kNotifyAdd), 1);

  tray->SetVisible(false);
  EXPECT_EQ(area.calls.back().request, kNotifyDelete);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(tray->Visible());
  EXPECT_FALSE(tray->Hide());
  tray->SetVisible(false);  // removing an icon that is not there is no error
}

TEST_F(TrayIconTest, RefusedAddOrRemoveRaisesWithItsTextAndKeepsTheRest) {
  area.refuse = {kNotifyAdd};
  try {
    tray->SetVisible(true);
    FAIL() << "no error";
  } catch (const tray::EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Не удалось добавить значок в область уведомлений");
  }
  EXPECT_TRUE(tray->Visible());  // stored before the request
  ui::TMessage minimize{kSysCommand, kMinimizeCommand};
  app.MainWindowMessage(minimize);
  EXPECT_TRUE(main->Visible()) << "hooked although the icon is not shown";

  area.refuse.clear();
  tray->SetVisible(true);
  area.refuse = {kNotifyDelete};
  try {
    tray->SetVisible(false);
    FAIL() << "no error";
  } catch (const tray::EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Не удалось убрать значок из области уведомлений");
  }
  EXPECT_FALSE(tray->Visible());
  EXPECT_TRUE(tray->Hide());
  app.MainWindowMessage(minimize);
  EXPECT_FALSE(main->Visible()) << "the hook stays while the icon does";
}

TEST_F(TrayIconTest, HintRules) {
  tray->SetHint("later");  // waits in the record for the add
  EXPECT_TRUE(area.calls.empty());
  tray->SetVisible(true);
  EXPECT_STREQ(area.calls.back().data.szTip, "later");

  const std::string longest(63, 'x');
  tray->SetHint(longest);
  EXPECT_EQ(tray->Hint(), longest);
  EXPECT_EQ(std::string(area.calls.back().data.szTip), longest);
  EXPECT_EQ(area.Count(kNotifyModify), 1);

  tray->SetHint(std::string(64, 'y'));
  tray->SetHint(longest);
  EXPECT_EQ(tray->Hint(), longest);
  EXPECT_EQ(area.Count(kNotifyModify), 1) << "too long or unchanged: no request";

  tray->SetHint("");
  EXPECT_EQ(area.calls.back().data.uFlags, 3u) << "no tip flag for an empty hint";
  EXPECT_EQ(area.calls.back().data.szTip[0], '\0');
  tray->SetHint("ab");
  EXPECT_EQ(area.calls.back().data.uFlags, 7u);
  EXPECT_STREQ(area.calls.back().data.szTip, "ab") << "no rest of the longer text behind it";
  EXPECT_EQ(area.calls.back().data.szTip[3], '\0');
}

TEST_F(TrayIconTest, BalloonsShowOnlyByAShownIconAndLeaveItsRecordAlone) {
  EXPECT_FALSE(tray->ShowBalloon("Horavo", "не видно"));
  EXPECT_TRUE(area.calls.empty());
  tray->SetHint("часы");
  tray->SetVisible(true);
  const std::size_t before = area.calls.size();

  EXPECT_TRUE(tray->ShowBalloon(std::string(70, 't'), std::string(300, 'x'), 5000));
  ASSERT_EQ(area.balloons.size(), 1u);
  const platform::NotifyIconData& b = area.balloons[0];
  EXPECT_EQ(b.uFlags, platform::kNotifyFlagInfo);
  EXPECT_EQ(std::string(b.szInfo), std::string(255, 'x'));
  EXPECT_EQ(std::string(b.szInfoTitle), std::string(63, 't'));
  EXPECT_EQ(b.uTimeout, 5000u);
  EXPECT_EQ(b.dwInfoFlags, platform::kNotifyInfoIcon);
  EXPECT_EQ(b.hWnd, tray->Handle());

  // A later update of the picture or hint does not show the balloon again.
  tray->SetHint("часы 2");
  EXPECT_EQ(area.calls.size(), before + 2);
  EXPECT_EQ(area.calls.back().data.uFlags & platform::kNotifyFlagInfo, 0u);
  EXPECT_EQ(area.balloons.size(), 1u);

  area.refuse.insert(kNotifyModify);
  EXPECT_FALSE(tray->ShowBalloon("Horavo", "отказ"));
}

// Which triggers each mouse message of the notification area answers.
struct TriggerRow {
  unsigned message;
  std::vector<TTrayIconMessage> triggers;
};

TEST_F(TrayIconTest, EachMouseMessageRunsExactlyItsTriggers) {
  using enum TTrayIconMessage;
  const std::vector<TriggerRow> table = {
      {kMouseMove, {}},
      {kLeftDown, {imMouseDown}},
      {kLeftUp, {imClick, imMouseUp, imLeftClickUp}},
      {kLeftDouble, {imDoubleClick, imLeftDoubleClick}},
      {kRightDown, {imMouseDown}},
      {kRightUp, {imMouseUp, imRightClickUp}},
      {kRightDouble, {imDoubleClick, imRightDoubleClick}},
      {kMiddleDown, {imMouseDown}},
      {kMiddleUp, {imMouseUp}},
      {kMiddleDouble, {imDoubleClick}},
      {0x020A /* wheel */, {}},
  };
  tray->SetVisible(true);  // the area sends its messages to a shown icon
  auto* menu = new ui::TPopupMenu(main);
  tray->SetPopupMenu(menu);
  int restores = 0;
  tray->OnRestore = [&](ui::TComponent* sender) {
    EXPECT_EQ(sender, tray);
    ++restores;
  };
  for (const TriggerRow& row : table)
    for (int t = 0; t <= 8; ++t) {
      auto trigger = TTrayIconMessage(t);
      bool expected = std::find(row.triggers.begin(), row.triggers.end(), trigger) != row.triggers.end();
      tray->SetRestoreOn(trigger);
      tray->SetPopupMenuOn(imNone);
      restores = 0;
      Mouse(row.message);
      EXPECT_EQ(restores, expected ? 1 : 0) << "restore, message " << row.message << " trigger " << t;
      tray->SetRestoreOn(imNone);
      tray->SetPopupMenuOn(trigger);
      int before = menu->PopupCount();
      Mouse(row.message);
      EXPECT_EQ(menu->PopupCount() - before, expected ? 1 : 0) << "menu, message " << row.message << " trigger " << t;
    }
}

TEST_F(TrayIconTest, TheKeyboardOnTheIconRestoresOrOpensTheMenu) {
  tray->SetVisible(true);
  auto* menu = new ui::TPopupMenu(main);
  tray->SetPopupMenu(menu);
  tray->SetRestoreOn(TTrayIconMessage::imNone);
  tray->SetPopupMenuOn(TTrayIconMessage::imNone);
  int restores = 0;
  tray->OnRestore = [&](ui::TComponent*) { ++restores; };
  Mouse(0x0401);  // Enter on the icon
  EXPECT_EQ(restores, 1);
  Mouse(0x007B);  // the menu key
  EXPECT_EQ(menu->PopupCount(), 1);
}

TEST_F(TrayIconTest, EventsGetThePointerPositionAndShiftState) {
  tray->SetVisible(true);
  widgets.cursor = {700, 750};
  widgets.shiftKeys = ui::ssShift | ui::ssCtrl;
  tray->OnClick = [&](ui::TComponent*) { log.push_back("click"); };
  tray->OnDblClick = [&](ui::TComponent*) { log.push_back("dblclick"); };
  auto mouse = [&](const char* what) {
    return [&, what](ui::TComponent*, ui::TMouseButton b, ui::TShiftState s, int x, int y) {
      log.push_back(std::string(what) + " " + std::to_string(int(b)) + " " + std::to_string(s) + " " +
                    std::to_string(x) + "," + std::to_string(y));
    };
  };
  tray->OnMouseDown = mouse("down");
  tray->OnMouseUp = mouse("up");
  tray->OnMouseMove = [&](ui::TComponent*, ui::TShiftState s, int x, int y) {
    log.push_back("move " + std::to_string(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  Mouse(kMouseMove);
  Mouse(kLeftDown);
  Mouse(kLeftUp);
  Mouse(kRightUp);
  Mouse(kMiddleDouble);
  // Shift 1, Ctrl 4, Left 8, Right 16; buttons left 0, right 1.
  EXPECT_EQ(log, (std::vector<std::string>{"move 5 700,750", "down 0 13 700,750", "click", "up 0 13 700,750",
                                           "up 1 21 700,750", "dblclick"}));
}

TEST_F(TrayIconTest, MenuOrImageListGoneNeverCrashes) {
  auto* menu = new ui::TPopupMenu(main);
  tray->SetPopupMenu(menu);
  tray->SetPopupMenuOn(TTrayIconMessage::imRightClickUp);
  delete menu;
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  Mouse(kRightUp);
  tray->ShowMenu();

  ui::TImageList* list = ThreeIcons();
  tray->SetIcons(list);
  tray->SetAnimate(true);
  EXPECT_EQ(widgets.ActiveTimerCount(), 1);
  delete list;
  EXPECT_EQ(tray->Icons(), nullptr);
  EXPECT_FALSE(tray->Animate());
  EXPECT_EQ(widgets.ActiveTimerCount(), 0);
  widgets.Advance(5000);
  tray->SetIconIndex(2);
  EXPECT_EQ(tray->IconIndex(), 2);
}

TEST_F(TrayIconTest, QueriesAndOtherMessagesAreAnswered) {
  tray->SetVisible(true);
  EXPECT_EQ(widgets.Send(tray->Handle(), 17 /* query end session */), 1);
  EXPECT_EQ(widgets.Send(tray->Handle(), 0x0400), 0);
  EXPECT_EQ(widgets.Send(tray->Handle(), kCallback, 0, kLeftUp), 0);
}

TEST_F(TrayIconTest, MinimizeAndRestoreTheWholeProgram) {
  auto* other = app.CreateForm<ui::TForm>(nullptr);
  auto* hidden = app.CreateForm<ui::TForm>(nullptr);
  other->Show();
  tray->OnMinimize = [&](ui::TComponent*) { log.push_back("minimize"); };
  tray->OnRestore = [&](ui::TComponent*) { log.push_back("restore"); };
  tray->Minimize();
  tray->Minimize();  // nothing left to hide: the first one's forms stay remembered
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(other->Visible());
  tray->Restore();
  EXPECT_TRUE(main->Visible());
  EXPECT_TRUE(other->Visible());
  EXPECT_FALSE(hidden->Visible());
  EXPECT_EQ(log, (std::vector<std::string>{"minimize", "minimize", "restore"}));
}

TEST_F(TrayIconTest, ShownIconFollowsTheSystemsMinimizeAndRestoreCommands) {
  ui::TMessage minimize{kSysCommand, kMinimizeCommand};
  ui::TMessage restore{kSysCommand, kRestoreCommand};
  ui::TMessage other{kSysCommand, kMinimizeCommand | 1};
  EXPECT_FALSE(app.MainWindowMessage(minimize));
  EXPECT_TRUE(main->Visible()) << "no hook before the icon shows";

  tray->SetVisible(true);
  EXPECT_FALSE(app.MainWindowMessage(other));
  EXPECT_TRUE(main->Visible());
  EXPECT_FALSE(app.MainWindowMessage(minimize)) << "the command goes on as usual";
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(app.MainWindowMessage(restore));
  EXPECT_TRUE(main->Visible());

  tray->SetVisible(false);
  app.MainWindowMessage(minimize);
  EXPECT_TRUE(main->Visible());
}

TEST_F(TrayIconTest, AnimationStepsThroughTheImageListAndWraps) {
  ui::TImageList* list = ThreeIcons();
  tray->SetAnimate(true);
  EXPECT_FALSE(tray->Animate()) << "no image list: no animation";
  tray->SetIconIndex(1);
  EXPECT_EQ(tray->IconIndex(), 1);
  EXPECT_EQ(tray->Data().hIcon, platform::FakeNotifyArea::kProgramIcon) << "no image list: picture unchanged";

  tray->SetIcons(list);
  tray->SetIconIndex(0);
  tray->SetVisible(true);
  tray->SetAnimateInterval(250);
  tray->SetAnimate(true);
  std::vector<int> indexes;
  for (int i = 0; i < 4; ++i) {
    widgets.Advance(250);
    indexes.push_back(tray->IconIndex());
    const platform::NotifyIconData& sent = area.calls.back().data;
    ASSERT_EQ(area.calls.back().request, kNotifyModify);
    const ui::Image* expected = list->Get(tray->IconIndex());
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(area.icons.count(sent.hIcon), 1u);
    EXPECT_EQ(area.icons[sent.hIcon], *expected);
  }
  EXPECT_EQ(indexes, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(area.icons.size(), 1u) << "each frame's icon is released when the next one shows";

  tray->SetAnimate(false);
  widgets.Advance(1000);
  EXPECT_EQ(tray->IconIndex(), 1);
}

TEST_F(TrayIconTest, LoadedTakesThePictureFromTheListOrTheProgram) {
  ui::TImageList* list = ThreeIcons();
  tray->SetIcons(list);
  tray->SetIconIndex(2);
  tray->SetAnimate(true);
  tray->SetAnimate(false);
  tray->Loaded();
  EXPECT_EQ(area.icons[tray->Data().hIcon], *list->Get(2));
  EXPECT_EQ(widgets.ActiveTimerCount(), 0);

  list->Clear();
  tray->Loaded();
  EXPECT_EQ(tray->Data().hIcon, platform::FakeNotifyArea::kProgramIcon) << "empty list: the program's icon";

  tray->SetIcons(nullptr);
  tray->Loaded();
  EXPECT_EQ(tray->Data().hIcon, platform::FakeNotifyArea::kProgramIcon);
  EXPECT_TRUE(area.icons.empty());
}

TEST_F(TrayIconTest, DestroyingRemovesIconWindowHookAndPictures) {
  tray->SetIcons(ThreeIcons());
  tray->Loaded();
  tray->SetVisible(true);
  const std::uint32_t window = tray->Handle();
  delete tray;
  EXPECT_EQ(area.calls.back().request, kNotifyDelete);
  EXPECT_TRUE(area.shown.empty());
  EXPECT_TRUE(area.icons.empty());
  EXPECT_EQ(widgets.MessageWindowCount(), 0);
  EXPECT_EQ(widgets.Send(window, kCallback, 0, kLeftUp), 0);
  ui::TMessage minimize{kSysCommand, kMinimizeCommand};
  EXPECT_FALSE(app.MainWindowMessage(minimize));
  EXPECT_TRUE(main->Visible());
}

TEST_F(TrayIconTest, ARecreatedTaskbarGetsTheShownIconBack) {
  const unsigned taskbarCreated = widgets.RegisterMessage("TaskbarCreated");
  widgets.SendToAll(taskbarCreated);
  EXPECT_TRUE(area.calls.empty()) << "a hidden icon stays hidden";

  tray->SetHint("Время");
  tray->SetVisible(true);
  area.Restart();
  widgets.SendToAll(taskbarCreated);
  EXPECT_EQ(area.Count(kNotifyAdd), 2);
  ASSERT_TRUE(Shown());
  EXPECT_STREQ(area.shown[0].szTip, "Время");
  tray->SetHint("Время 2");
  EXPECT_EQ(area.calls.back().request, kNotifyModify);

  // Told so while the task bar still holds the icon: it stays and still follows the hint.
  widgets.SendToAll(taskbarCreated);
  tray->SetHint("Время 3");
  ASSERT_TRUE(Shown());
  EXPECT_STREQ(area.shown[0].szTip, "Время 3");
}

TEST_F(TrayIconTest, EndOfSessionRemovesTheIconButACancelledOneKeepsIt) {
  tray->SetVisible(true);
  widgets.Send(tray->Handle(), 22, 0);  // the log-off was cancelled
  EXPECT_TRUE(Shown());
  EXPECT_EQ(area.calls.size(), 1u);

  widgets.Send(tray->Handle(), 22, 1);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(tray->Visible());
  // Hint changes wait; should the session go on after all, the icon comes back with them.
  tray->SetHint("x");
  EXPECT_EQ(area.Count(kNotifyModify), 0);
  widgets.Send(tray->Handle(), 22, 0);
  EXPECT_TRUE(Shown());
  EXPECT_STREQ(area.shown[0].szTip, "x");
  widgets.Send(tray->Handle(), 22, 1);
  tray->SetVisible(false);  // the icon is already gone: no error
  EXPECT_FALSE(tray->Hide());
}

// The main window's icon as the program configures it.
class TrayProgramTest : public testing_support::ProgramTest {};

TEST_F(TrayProgramTest, MainWindowIconOpensItsMenuAndShowsTheTrayPicture) {
  ui::Image picture(16, 16, 0xFF00FF);
  picture.At(3, 4) = 0x123456;
  platform->fakeResources().data["TRAYICON"] = resources::EncodeBmp(picture);
  // The icon is shown by hand below; the start in the tray would toggle it back 800 ms in.
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
  ASSERT_FALSE(Start());
  tray::TTrayIcon* icon = Form1->TrayIcon1;
  EXPECT_FALSE(icon->Visible());
  EXPECT_EQ(icon->PopupMenu(), Form1->PopupMenu2);
  EXPECT_EQ(icon->RestoreOn(), TTrayIconMessage::imDoubleClick);
  EXPECT_EQ(icon->PopupMenuOn(), TTrayIconMessage::imRightClickUp);
  EXPECT_EQ(icon->Icons(), Form1->ImageList1);
  ASSERT_EQ(Form1->ImageList1->Count(), 1);
  auto& area = platform->fakeNotifyArea();
  EXPECT_EQ(area.icons[icon->Data().hIcon], picture);

  icon->Minimize();
  icon->SetVisible(true);
  EXPECT_FALSE(Form1->Visible());
  EXPECT_STREQ(area.shown.at(0).szTip, "Время 09:05:07 | Число 07.12.2026");
  Advance(1000);
  EXPECT_STREQ(area.shown.at(0).szTip, "Время 09:05:08 | Число 07.12.2026");
  widgets->cursor = {990, 750};
  widgets->Send(icon->Handle(), kCallback, 0, kRightUp);
  EXPECT_EQ(Form1->PopupMenu2->PopupCount(), 1);
  EXPECT_EQ(Form1->PopupMenu2->LastPopupPoint(), (ui::TPoint{990, 750}));
  widgets->Send(icon->Handle(), kCallback, 0, kLeftDouble);
  EXPECT_TRUE(Form1->Visible());
}

TEST_F(TrayProgramTest, WithoutTheTrayPictureTheIconShowsTheProgramIcon) {
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->ImageList1->Count(), 0);
  EXPECT_EQ(Form1->TrayIcon1->Data().hIcon, platform::FakeNotifyArea::kProgramIcon);
  Form1->TrayIcon1->SetVisible(true);
  CloseMainWindow();
  program.reset();
  EXPECT_TRUE(platform->fakeNotifyArea().shown.empty()) << "the icon goes with the program";
}

}  // namespace
