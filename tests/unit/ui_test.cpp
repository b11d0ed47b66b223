// The component library over the headless backend: lifetime, input routing, timers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/menus.h"
#include "ui/stdctrls.h"

namespace {

class UiTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  ui::HeadlessWidgetSet widgets{[this] { return now; }, [this](std::uint64_t t) { now = t; }};
  std::vector<std::string> messages;
  ui::TApplication app{widgets, [this](const std::string& text, const std::string&, unsigned) {
                         messages.push_back(text);
                         return ui::ID_OK;
                       }};
  std::vector<std::string> log;
};

struct Probe : ui::TComponent {
  Probe(ui::TComponent* owner, std::vector<std::string>& log, std::string name) : TComponent(owner), log_(log) {
    Name = std::move(name);
  }
  ~Probe() override { log_.push_back("destroy " + Name); }
  void Notification(ui::TComponent* c, ui::TOperation op) override {
    if (op == ui::TOperation::opRemove) log_.push_back(Name + " told " + c->Name + " goes");
  }
  std::vector<std::string>& log_;
};

TEST_F(UiTest, OwnerDestroysItsComponentsInReverseOrder) {
  auto* owner = new Probe(nullptr, log, "owner");
  new Probe(owner, log, "a");
  new Probe(owner, log, "b");
  EXPECT_EQ(owner->ComponentCount(), 2);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"destroy owner", "destroy b", "destroy a"}));
}

TEST_F(UiTest, LinkedComponentsAreToldWhenTheOtherGoes) {
  Probe holder(nullptr, log, "holder");
  auto* linked = new Probe(nullptr, log, "linked");
  holder.FreeNotification(linked);
  delete linked;
  EXPECT_EQ(log, (std::vector<std::string>{"destroy linked", "holder told linked goes"}));
  // The link is gone on both sides: destroying the holder tells nobody.
}

TEST_F(UiTest, AChildDestroyedEarlyLeavesItsOwnerAndParent) {
  ui::TForm form(nullptr);
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  EXPECT_EQ(form.Controls().size(), 1u);
  delete label;
  EXPECT_TRUE(form.Controls().empty());
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST_F(UiTest, AControlForgetsAMenuThatIsDestroyed) {
  ui::TForm form(nullptr);
  auto* image = new ui::TImage(&form);
  auto* menu = new ui::TPopupMenu(&form);
  image->SetPopupMenu(menu);
  delete menu;
  EXPECT_EQ(image->PopupMenu(), nullptr);
}

struct Clicks {
  std::vector<std::string>& log;
  void Attach(ui::TControl* c, const std::string& name) {
    c->OnClick = [this, name](ui::TComponent*) { log.push_back(name + " click"); };
    c->OnDblClick = [this, name](ui::TComponent*) { log.push_back(name + " dblclick"); };
    c->OnMouseDown = [this, name](ui::TComponent*, ui::TMouseButton, ui::TShiftState, int x, int y) {
      log.push_back(name + " down " + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnMouseUp = [this, name](ui::TComponent*, ui::TMouseButton, ui::TShiftState, int x, int y) {
      log.push_back(name + " up " + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnMouseEnter = [this, name](ui::TComponent*) { log.push_back(name + " enter"); };
    c->OnMouseLeave = [this, name](ui::TComponent*) { log.push_back(name + " leave"); };
  }
};

TEST_F(UiTest, MouseInputGoesToTheTopmostGraphicControlInItsOwnCoordinates) {
  ui::TForm form(nullptr);
  form.SetBounds(100, 100, 200, 100);
  auto* back = new ui::TImage(&form);
  back->SetParent(&form);
  back->SetAlign(ui::TAlign::alClient);
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(50, 20, 40, 20);
  Clicks clicks{log};
  clicks.Attach(back, "back");
  clicks.Attach(label, "label");

  EXPECT_EQ(back->BoundsRect(), (ui::TRect{0, 0, 200, 100}));
  form.RouteMouseMove(0, {5, 5});
  form.RouteMouseMove(0, {55, 25});
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {56, 26});
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {10, 10});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {10, 10});
  EXPECT_EQ(log, (std::vector<std::string>{"back enter", "back leave", "label enter", "label down 5,5", "label click",
                                           "label up 6,6", "back down 10,10", "back click", "back up 10,10"}));
}

TEST_F(UiTest, ReleasingOutsideThePressedControlIsNoClick) {
  ui::TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* button = new ui::TImage(&form);
  button->SetParent(&form);
  button->SetBounds(10, 10, 11, 11);
  Clicks clicks{log};
  clicks.Attach(button, "button");
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {12, 12});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {100, 50});
  EXPECT_EQ(log, (std::vector<std::string>{"button down 2,2", "button up 90,40"}));
}

TEST_F(UiTest, HiddenAndDisabledControlsLetInputThrough) {
  ui::TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* back = new ui::TImage(&form);
  back->SetParent(&form);
  back->SetAlign(ui::TAlign::alClient);
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(0, 0, 50, 50);
  label->Hide();
  EXPECT_EQ(form.ControlAt({5, 5}), back);
  label->Show();
  label->SetEnabled(false);
  EXPECT_EQ(form.ControlAt({5, 5}), back);
}

TEST_F(UiTest, RightButtonOpensTheNearestContextMenuAtTheScreenPoint) {
  ui::TForm form(nullptr);
  form.SetBounds(100, 200, 200, 100);
  auto* menu = new ui::TPopupMenu(&form);
  auto* label = new ui::TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(0, 0, 50, 50);
  form.RouteMouseDown(ui::TMouseButton::mbRight, 0, {5, 5});
  form.RouteMouseUp(ui::TMouseButton::mbRight, 0, {5, 5});
  EXPECT_EQ(menu->PopupCount(), 0);  // nobody has a menu
  form.SetPopupMenu(menu);
  form.RouteMouseDown(ui::TMouseButton::mbRight, 0, {5, 5});
  form.RouteMouseUp(ui::TMouseButton::mbRight, 0, {5, 5});
  EXPECT_EQ(menu->PopupCount(), 1);
  EXPECT_EQ(menu->LastPopupPoint(), (ui::TPoint{105, 205}));
  EXPECT_EQ(menu->PopupComponent, &form);  // the control whose menu opened
}

TEST_F(UiTest, TimersFireInOrderOfTheirDueTimes) {
  ui::TForm form(nullptr);
  auto* fast = new ui::TTimer(&form);
  fast->SetInterval(300);
  auto* slow = new ui::TTimer(&form);
  slow->SetInterval(500);
  fast->OnTimer = [&](ui::TComponent*) { log.push_back("fast@" + std::to_string(now)); };
  slow->OnTimer = [&](ui::TComponent*) { log.push_back("slow@" + std::to_string(now)); };
  widgets.Advance(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"fast@300", "slow@500", "fast@600", "fast@900", "slow@1000"}));
  EXPECT_EQ(now, 1000u);
}

TEST_F(UiTest, ChangingTheIntervalRestartsTheCountAndDisablingStopsIt) {
  ui::TForm form(nullptr);
  auto* timer = new ui::TTimer(&form);
  int fired = 0;
  timer->OnTimer = [&](ui::TComponent*) {
    ++fired;
    timer->SetInterval(100);  // a handler may re-arm its own timer
  };
  widgets.Advance(999);
  EXPECT_EQ(fired, 0);
  widgets.Advance(1);
  EXPECT_EQ(fired, 1);
  widgets.Advance(250);
  EXPECT_EQ(fired, 3);
  timer->SetEnabled(false);
  widgets.Advance(1000);
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(widgets.ActiveTimerCount(), 0);
}

TEST_F(UiTest, RestartCountsFromNowWhetherTheTimerRanStoodOrHadThatInterval) {
  ui::TForm form(nullptr);
  auto* timer = new ui::TTimer(&form);
  timer->OnTimer = [&](ui::TComponent*) { log.push_back("tick@" + std::to_string(now)); };
  widgets.Advance(600);
  timer->Restart(1000);  // running, same interval: its count starts again
  widgets.Advance(1000);
  timer->SetEnabled(false);
  timer->Restart(300);  // stopped: it runs again
  widgets.Advance(700);
  EXPECT_EQ(log, (std::vector<std::string>{"tick@1600", "tick@1900", "tick@2200"}));
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(widgets.ActiveTimerCount(), 1);
}

TEST_F(UiTest, DestroyedTimerNeverFires) {
  auto* form = new ui::TForm(nullptr);
  auto* timer = new ui::TTimer(form);
  timer->SetInterval(10);
  timer->OnTimer = [&](ui::TComponent*) { log.push_back("fired"); };
  delete form;
  widgets.Advance(100);
  EXPECT_TRUE(log.empty());
}

TEST_F(UiTest, LabelsSizeThemselvesToTheirText) {
  ui::TForm form(nullptr);
  auto* label = new ui::TLabel(&form);
  label->SetCaption("12");
  int narrow = label->Width();
  label->SetCaption("1234");
  EXPECT_GT(label->Width(), narrow);
  int height = label->Height();
  label->SetFontSize(24);
  EXPECT_GT(label->Height(), height);
}

TEST_F(UiTest, ErrorsInCreationHandlersAreShownAndTheFormLives) {
  struct Failing : ui::TForm {
    explicit Failing(ui::TComponent* o) : TForm(o) {
      OnCreate = [](ui::TComponent*) { throw std::runtime_error("broken"); };
    }
  };
  auto* form = app.CreateForm<Failing>(nullptr);
  EXPECT_EQ(app.MainForm(), form);
  EXPECT_EQ(messages, std::vector<std::string>{"broken."});
}

TEST_F(UiTest, ClosingTheMainFormEndsTheApplicationOtherFormsHide) {
  auto* main = app.CreateForm<ui::TForm>(nullptr);
  auto* other = app.CreateForm<ui::TForm>(nullptr);
  other->Show();
  other->Close();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(app.Terminated());
  main->OnClose = [](ui::TComponent*, ui::TCloseAction& a) { a = ui::TCloseAction::caNone; };
  main->SystemCommand(ui::SC_CLOSE_COMMAND);
  EXPECT_FALSE(app.Terminated());
  main->OnClose = nullptr;
  main->SystemCommand(ui::SC_CLOSE_COMMAND);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(UiTest, MenuItemsRunOnlyWhenEnabled) {
  ui::TForm form(nullptr);
  auto* item = new ui::TMenuItem(&form);
  int runs = 0;
  item->OnClick = [&](ui::TComponent*) { ++runs; };
  item->Click();
  item->Enabled = false;
  item->Click();
  EXPECT_EQ(runs, 1);
}

}  // namespace
