// A press that does not end in an ordinary release: the second release of a double click,
// and a press the system took away (a window move loop, a menu).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/stdctrls.h"

namespace {

class PressTest : public ::testing::Test {
 protected:
  PressTest() {
    form.SetBounds(0, 0, 200, 100);
    back->SetParent(&form);
    back->SetAlign(ui::TAlign::alClient);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetBounds(50, 20, 40, 20);
    Watch(back, "back");
    Watch(label, "label");
  }

  void Watch(ui::TControl* c, const std::string& name) {
    c->OnClick = [this, name](ui::TComponent*) { log.push_back(name + " click"); };
    c->OnDblClick = [this, name](ui::TComponent*) { log.push_back(name + " dblclick"); };
    c->OnMouseUp = [this, name](ui::TComponent*, ui::TMouseButton, ui::TShiftState, int, int) {
      log.push_back(name + " up");
    };
    c->OnMouseMove = [this, name](ui::TComponent*, ui::TShiftState, int, int) { log.push_back(name + " move"); };
    c->OnMouseEnter = [this, name](ui::TComponent*) { log.push_back(name + " enter"); };
  }

  std::uint64_t now = 0;
  ui::HeadlessWidgetSet widgets{[this] { return now; }, [this](std::uint64_t t) { now = t; }};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};
  ui::TImage* back = new ui::TImage(&form);
  ui::TLabel* label = new ui::TLabel(&form);
  std::vector<std::string> log;
};

TEST_F(PressTest, ADoubleClickIsOneClickAndOneDoubleClick) {
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {55, 25});
  form.RouteDblClick({55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {55, 25});
  // The next ordinary press clicks again.
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {55, 25});
  EXPECT_EQ(log, (std::vector<std::string>{"label click", "label up", "label dblclick", "label up", "label click",
                                           "label up"}));
}

TEST_F(PressTest, TheSecondPressOfADoubleClickIsAPressMarkedDouble) {
  std::vector<ui::TShiftState> presses;
  label->OnMouseDown = [&](ui::TComponent*, ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    log.push_back("label down " + std::to_string(x) + "," + std::to_string(y));
    EXPECT_EQ(button, ui::TMouseButton::mbLeft);
    presses.push_back(shift);
  };
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {55, 25});
  form.RouteDblClick({55, 25});
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {55, 25});
  EXPECT_EQ(log, (std::vector<std::string>{"label down 5,5", "label click", "label up", "label dblclick",
                                           "label down 5,5", "label up"}));
  EXPECT_EQ(presses, (std::vector<ui::TShiftState>{ui::ssLeft, ui::ssLeft | ui::ssDouble}));
}

TEST_F(PressTest, APressTheSystemTookAwayEndsWithoutClickAndFreesThePointer) {
  form.RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {55, 25});
  form.CancelMouseCapture();
  // The pointer is no longer held by the label: moves reach the control under it.
  form.RouteMouseMove(0, {10, 10});
  EXPECT_EQ(form.HoverControl(), back);
  // A release that arrives after all is an ordinary one where it happens.
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {10, 10});
  EXPECT_EQ(log, (std::vector<std::string>{"back enter", "back move", "back click", "back up"}));
}

}  // namespace
