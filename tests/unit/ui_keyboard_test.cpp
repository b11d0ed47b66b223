// The keyboard in the component library: the focus, the order Tab visits the controls in, and
// the window's keys (Tab, Ctrl+Tab, Enter, Esc, the arrows of a radio group).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/comctrls.h"
#include "ui/edits.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/panels.h"
#include "ui/stdctrls.h"

namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() {
    app.CreateForm<ui::TForm>(nullptr);  // the main form: closing it would end the program
    form = app.CreateForm<ui::TForm>(nullptr);
    form->OnClose = [this](ui::TComponent*, ui::TCloseAction&) { log.push_back("close"); };
  }

  template <class T>
  T* Add(ui::TWinControl* parent, const std::string& name, int left, int top) {
    auto* c = new T(form);
    c->Name = name;
    c->SetParent(parent);
    c->SetBounds(left, top, 80, 20);
    return c;
  }
  ui::TButton* Button(ui::TWinControl* parent, const std::string& name, int left, int top) {
    auto* b = Add<ui::TButton>(parent, name, left, top);
    b->OnClick = [this, name](ui::TComponent*) { log.push_back("press " + name); };
    return b;
  }
  std::vector<std::string> Order() const {
    std::vector<std::string> names;
    for (ui::TWinControl* c : form->TabOrder()) names.push_back(c->Name);
    return names;
  }
  std::string Focused() const { return form->ActiveControl() ? form->ActiveControl()->Name : "(form)"; }
  bool Key(unsigned key, ui::TShiftState shift = 0) { return form->KeyDown(key, shift); }

  std::uint64_t now = 0;
  ui::HeadlessWidgetSet widgets{[this] { return now; }, [this](std::uint64_t t) { now = t; }};
  ui::TApplication app{widgets, nullptr};
  ui::TForm* form = nullptr;
  std::vector<std::string> log;
};

using Names = std::vector<std::string>;

TEST_F(KeyboardTest, TabOrderReadsRowsTopToBottomAndGoesIntoEachContainer) {
  // Made in another order than they stand.
  Add<ui::TEdit>(form, "below", 10, 200);
  auto* group = Add<ui::TGroupBox>(form, "group", 10, 60);
  Add<ui::TCheckBox>(group, "groupRight", 100, 20);
  Add<ui::TCheckBox>(group, "groupLeft", 10, 20);
  Button(form, "topRight", 200, 10);
  Button(form, "topLeft", 10, 10);
  Add<ui::TPanel>(form, "emptyPanel", 300, 300);

  EXPECT_EQ(Order(), (Names{"topLeft", "topRight", "groupLeft", "groupRight", "below"}));
}

TEST_F(KeyboardTest, TabSkipsWhatCannotBeReachedAndGoesRoundBothWays) {
  Button(form, "a", 10, 10);
  Button(form, "hidden", 10, 20)->Hide();
  Button(form, "disabled", 10, 30)->SetEnabled(false);
  auto* offPanel = Add<ui::TPanel>(form, "offPanel", 10, 40);
  Button(offPanel, "insideDisabled", 0, 0);
  offPanel->SetEnabled(false);
  Button(form, "b", 10, 50);
  Button(form, "c", 10, 60);
  form->Show();

  EXPECT_EQ(Order(), (Names{"a", "b", "c"}));
  EXPECT_EQ(Focused(), "(form)");
  Key(ui::kKeyTab);
  EXPECT_EQ(Focused(), "a");
  Key(ui::kKeyTab);
  Key(ui::kKeyTab);
  EXPECT_EQ(Focused(), "c");
  EXPECT_TRUE(Key(ui::kKeyTab));
  EXPECT_EQ(Focused(), "a");
  Key(ui::kKeyTab, ui::ssShift);
  EXPECT_EQ(Focused(), "c");
  // A control that went while it had the focus is no longer the active one.
  delete form->ActiveControl();
  EXPECT_EQ(Focused(), "(form)");
}

TEST_F(KeyboardTest, ARadioGroupIsOneStopAndItsArrowsCheckTheNextRound) {
  Button(form, "before", 10, 10);
  auto* group = Add<ui::TGroupBox>(form, "group", 10, 40);
  auto* first = Add<ui::TRadioButton>(group, "first", 10, 10);
  auto* second = Add<ui::TRadioButton>(group, "second", 10, 30);
  auto* third = Add<ui::TRadioButton>(group, "third", 10, 50);
  for (auto* r : {first, second, third}) r->OnClick = [this, r](ui::TComponent*) { log.push_back("click " + r->Name); };
  Button(form, "after", 10, 200);

  EXPECT_EQ(Order(), (Names{"before", "first", "after"}));  // none checked: the first
  second->SetChecked(true);
  log.clear();
  EXPECT_EQ(Order(), (Names{"before", "second", "after"}));

  form->SetActiveControl(second);
  EXPECT_TRUE(Key(ui::kKeyDown));
  EXPECT_EQ(Focused(), "third");
  EXPECT_TRUE(third->Checked());
  EXPECT_FALSE(second->Checked());
  Key(ui::kKeyRight);  // round to the first
  EXPECT_EQ(Focused(), "first");
  Key(ui::kKeyUp);
  EXPECT_EQ(Focused(), "third");
  EXPECT_EQ(log, (Names{"click third", "click first", "click third"}));

  // A disabled radio button is passed over; outside a radio group the arrows are the control's.
  second->SetEnabled(false);
  Key(ui::kKeyLeft);
  EXPECT_EQ(Focused(), "first");
  form->SetActiveControl(form->TabOrder().front());
  EXPECT_FALSE(Key(ui::kKeyDown));
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
  auto* ok = Button(form, "ok", 10, 100);
  auto* other = Button(form, "other", 100, 100);
  auto* edit = Add<ui::TEdit>(form, "edit", 10, 10);
  form->Show();

  form->SetActiveControl(edit);
  EXPECT_FALSE(Key(ui::kKeyReturn));  // no default button: the key is the field's
  ok->SetDefault(true);
  EXPECT_TRUE(Key(ui::kKeyReturn));
  form->SetActiveControl(other);
  EXPECT_TRUE(Key(ui::kKeyReturn));
  EXPECT_EQ(log, (Names{"press ok", "press other"}));

  // A memo being edited keeps Enter for a new line; a read-only one does not.
  auto* memo = Add<ui::TMemo>(form, "memo", 10, 40);
  form->SetActiveControl(memo);
  EXPECT_FALSE(Key(ui::kKeyReturn));
  memo->SetReadOnly(true);
  EXPECT_TRUE(Key(ui::kKeyReturn));
  // A default button the user cannot reach is no default.
  log.clear();
  ok->SetEnabled(false);
  form->SetActiveControl(edit);
  EXPECT_FALSE(Key(ui::kKeyReturn));
  ok->SetEnabled(true);
  ok->Hide();
  EXPECT_FALSE(Key(ui::kKeyReturn));
  EXPECT_TRUE(log.empty());
}

TEST_F(KeyboardTest, EscPressesTheCancelButtonOrClosesTheWindow) {
  auto* cancel = Button(form, "cancel", 10, 10);
  Button(form, "ok", 100, 10)->SetDefault(true);
  form->Show();

  EXPECT_TRUE(Key(ui::kKeyEscape));
  EXPECT_EQ(log, Names{"close"});  // a default button alone does not keep Esc from closing
  EXPECT_FALSE(form->Visible());

  form->Show();
  log.clear();
  cancel->Cancel = true;
  EXPECT_TRUE(Key(ui::kKeyEscape));
  EXPECT_EQ(log, Names{"press cancel"});
  EXPECT_TRUE(form->Visible());

  // A hidden cancel button (on a page not shown, say) does not count.
  log.clear();
  cancel->Hide();
  Key(ui::kKeyEscape);
  EXPECT_EQ(log, Names{"close"});
  // Alt+Esc belongs to the system.
  EXPECT_FALSE(Key(ui::kKeyEscape, ui::ssAlt));
}

TEST_F(KeyboardTest, CtrlTabChangesThePageOfThePageControlRound) {
  auto* pages = Add<ui::TPageControl>(form, "pages", 0, 0);
  pages->SetBounds(0, 0, 300, 200);
  std::vector<ui::TTabSheet*> sheets;
  for (const char* name : {"p0", "p1", "p2"}) {
    auto* sheet = new ui::TTabSheet(form);
    sheet->Name = name;
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  pages->SetActivePageIndex(0);
  auto* onFirst = Add<ui::TEdit>(sheets[0], "onFirst", 10, 30);
  Add<ui::TEdit>(sheets[1], "onSecond", 10, 30);
  int changes = 0;
  pages->OnChange = [&changes](ui::TComponent*) { ++changes; };

  EXPECT_EQ(Order(), (Names{"pages", "onFirst"}));
  form->SetActiveControl(onFirst);
  EXPECT_TRUE(Key(ui::kKeyTab, ui::ssCtrl));
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(Focused(), "pages");  // its page went away
  EXPECT_EQ(Order(), (Names{"pages", "onSecond"}));
  Key(ui::kKeyTab, ui::ssCtrl | ui::ssShift);
  Key(ui::kKeyTab, ui::ssCtrl | ui::ssShift);
  EXPECT_EQ(pages->ActivePageIndex(), 2);
  EXPECT_EQ(changes, 3);

  // Without a page control Ctrl+Tab is not the window's.
  delete pages;
  EXPECT_FALSE(Key(ui::kKeyTab, ui::ssCtrl));
}

TEST_F(KeyboardTest, TheWindowsOwnHandlerSeesKeysFirstWhenItHasTheFocus) {
  Button(form, "cancel", 10, 10)->Cancel = true;
  form->OnKeyDown = [this](ui::TComponent*, unsigned& key, ui::TShiftState) {
    log.push_back("key " + std::to_string(key));
    if (key == ui::kKeyEscape) key = 0;
  };
  form->Show();
  EXPECT_TRUE(Key(ui::kKeyEscape));
  EXPECT_EQ(log, Names{"key 27"});  // used there: the cancel button is not pressed

  // A control with the focus gets the keys unless the window previews them.
  log.clear();
  form->SetActiveControl(form->TabOrder().front());
  Key(ui::kKeyEscape);
  EXPECT_EQ(log, Names{"press cancel"});
  log.clear();
  form->KeyPreview = true;
  Key(ui::kKeyEscape);
  EXPECT_EQ(log, Names{"key 27"});
}

TEST_F(KeyboardTest, AShownWindowGivesTheFocusBackToItsControl) {
  auto* first = Button(form, "first", 10, 10);
  auto* second = Button(form, "second", 10, 40);
  form->FocusEntered();
  EXPECT_EQ(Focused(), "first");
  form->FocusMoved(second);  // the user clicked it
  form->FocusEntered();
  EXPECT_EQ(Focused(), "second");
  second->Hide();
  form->FocusEntered();
  EXPECT_EQ(Focused(), "first");
  EXPECT_TRUE(first->Focused());
}

TEST_F(KeyboardTest, AccessibleNamesFallBackToTheCaption) {
  auto* button = Button(form, "b", 0, 0);
  button->SetCaption("Выход");
  EXPECT_EQ(button->AccessibleName(), "Выход");
  auto* picture = new ui::TImage(form);
  picture->SetParent(form);
  EXPECT_EQ(picture->AccessibleName(), "");
  picture->SetAccessibleName("Закрыть");
  EXPECT_EQ(picture->AccessibleName(), "Закрыть");
}

}  // namespace

namespace {

TEST_F(KeyboardTest, HighContrastIsFollowedAtOnceExceptByWindowsThatKeepTheirColours) {
  int told = 0;
  form->OnSystemColorsChanged = [&told](ui::TComponent*) { ++told; };
  EXPECT_FALSE(form->InSystemColors());
  form->SystemColorsChanged(true);
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(form->InSystemColors());
  form->KeepsOwnColors = true;
  EXPECT_FALSE(form->InSystemColors());
  form->SystemColorsChanged(false);
  EXPECT_FALSE(form->HighContrast());
  EXPECT_EQ(told, 2);
}

}  // namespace
