// Forms whose native windows wait for their first showing: the components hold all the state
// meanwhile, and the peers made late start from it. Peers here note what they found when made.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/unit/program_fixture.h"
#include "ui/application.h"
#include "ui/checklst.h"
#include "ui/comctrls.h"
#include "ui/datetimepicker.h"
#include "ui/edits.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/listview.h"
#include "ui/panels.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"

namespace {

using Log = std::vector<std::string>;

std::string BoundsText(ui::TRect r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) + "x" +
         std::to_string(r.Height());
}

std::string Joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : "|") + item;
  return out;
}

struct NotingFormPeer : ui::FormPeer {
  NotingFormPeer(Log& log, ui::TForm& form) : log(log) {
    log.push_back("form " + form.Caption() + " " + BoundsText(form.BoundsRect()) + (form.Visible() ? " shown" : " hidden") +
                  (form.AlphaBlend() ? " alpha " + std::to_string(form.AlphaBlendValue()) : ""));
  }
  void SetVisible(bool v) override { log.push_back(v ? "show" : "hide"); }
  void SetBounds(ui::TRect r) override { log.push_back("bounds " + BoundsText(r)); }
  Log& log;
};

// Counts what the widget set made, form by form; each peer notes the state it was made from.
struct NotingWidgetSet : ui::HeadlessWidgetSet {
  explicit NotingWidgetSet(std::uint64_t& now)
      : HeadlessWidgetSet([&now] { return now; }, [&now](std::uint64_t t) { now = t; }) {}
  NotingWidgetSet(std::function<std::uint64_t()> now, std::function<void(std::uint64_t)> setNow)
      : HeadlessWidgetSet(std::move(now), std::move(setNow)) {}

  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm& form) override {
    ++formPeers[&form];
    return std::make_unique<NotingFormPeer>(log, form);
  }
  std::unique_ptr<ui::PanelPeer> CreatePanelPeer(ui::TPanel& panel) override {
    return Made<ui::PanelPeer>(panel, "panel " + panel.Caption());
  }
  std::unique_ptr<ui::EditPeer> CreateEditPeer(ui::TEdit& edit) override {
    return Made<ui::EditPeer>(edit, "edit " + edit.Text());
  }
  std::unique_ptr<ui::ListBoxPeer> CreateListBoxPeer(ui::TListBox& list) override {
    return Made<ui::ListBoxPeer>(list, "list " + Joined(list.Items()) + " at " + std::to_string(list.ItemIndex()));
  }
  std::unique_ptr<ui::CheckBoxPeer> CreateCheckBoxPeer(ui::TCheckBox& box) override {
    return Made<ui::CheckBoxPeer>(box, "check " + box.Caption() + (box.Checked() ? " on" : " off"));
  }
  std::unique_ptr<ui::CheckBoxPeer> CreateRadioButtonPeer(ui::TRadioButton& button) override {
    return Made<ui::CheckBoxPeer>(button, "radio " + button.Caption());
  }
  std::unique_ptr<ui::GroupBoxPeer> CreateGroupBoxPeer(ui::TGroupBox& box) override {
    return Made<ui::GroupBoxPeer>(box, "group " + box.Caption());
  }
  std::unique_ptr<ui::ButtonPeer> CreateButtonPeer(ui::TButton& button) override {
    return Made<ui::ButtonPeer>(button, "button " + button.Caption());
  }
  std::unique_ptr<ui::ButtonPeer> CreateBitBtnPeer(ui::TBitBtn& button) override {
    return Made<ui::ButtonPeer>(button, "bitbtn " + button.Caption());
  }
  // The containers and fields of the settings window, made with no notes.
  std::unique_ptr<ui::PageControlPeer> CreatePageControlPeer(ui::TPageControl& c) override {
    return Made<ui::PageControlPeer>(c, "pages");
  }
  std::unique_ptr<ui::TabSheetPeer> CreateTabSheetPeer(ui::TTabSheet& c) override {
    return Made<ui::TabSheetPeer>(c, "page");
  }
  std::unique_ptr<ui::TrackBarPeer> CreateTrackBarPeer(ui::TTrackBar& c) override {
    return Made<ui::TrackBarPeer>(c, "track");
  }
  std::unique_ptr<ui::SpinEditPeer> CreateSpinEditPeer(ui::TSpinEdit& c) override {
    return Made<ui::SpinEditPeer>(c, "spin");
  }
  std::unique_ptr<ui::MemoPeer> CreateMemoPeer(ui::TMemo& c) override { return Made<ui::MemoPeer>(c, "memo"); }
  std::unique_ptr<ui::CheckListBoxPeer> CreateCheckListBoxPeer(ui::TCheckListBox& c) override {
    return Made<ui::CheckListBoxPeer>(c, "checks");
  }
  std::unique_ptr<ui::DateTimePickerPeer> CreateDateTimePickerPeer(ui::TDateTimePicker& c) override {
    return Made<ui::DateTimePickerPeer>(c, "picker");
  }
  std::unique_ptr<ui::ListViewPeer> CreateListViewPeer(ui::TListView& c) override {
    return Made<ui::ListViewPeer>(c, "rows");
  }
  bool DefersHiddenForms() const override { return defer; }

  template <class Peer>
  std::unique_ptr<Peer> Made(ui::TControl& control, std::string note) {
    ++controlPeers;
    if (noteControls) log.push_back(note + " " + BoundsText(control.BoundsRect()));
    return std::make_unique<Peer>();
  }

  bool defer = true;
  bool noteControls = true;
  Log log;
  std::map<const ui::TForm*, int> formPeers;
  int controlPeers = 0;
};

class DeferredFormTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  NotingWidgetSet widgets{now};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
};

TEST_F(DeferredFormTest, HiddenFormHasNoWindowsUntilShownThenMakesThemFromItsState) {
  ui::TForm form{nullptr};
  form.SetCaption("Настройки");
  form.SetBounds(100, 50, 300, 200);
  form.SetAlphaBlend(true);
  form.SetAlphaBlendValue(128);
  auto* panel = new ui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 300, 40);
  auto* box = new ui::TCheckBox(&form);
  box->SetParent(panel);
  box->SetCaption("Звук");
  box->SetBounds(8, 8, 80, 17);
  box->SetChecked(true);
  auto* edit = new ui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetText("Иван");
  edit->SetBounds(8, 50, 120, 21);
  auto* list = new ui::TListBox(&form);
  list->SetParent(&form);
  list->SetItems({"раз", "два"});
  list->SetItemIndex(1);
  list->SetBounds(8, 80, 120, 60);

  EXPECT_FALSE(form.HasPeer());
  EXPECT_FALSE(panel->HasPeer());
  EXPECT_FALSE(box->HasPeer());
  EXPECT_TRUE(widgets.log.empty());

  form.Show();
  // The window is made hidden with the state set before, its controls inside it, parents
  // before children; only then is it shown.
  EXPECT_EQ(widgets.log, (Log{"form Настройки 100,50 300x200 hidden alpha 128", "panel  0,0 300x40",
                              "check Звук on 8,8 80x17", "edit Иван 8,50 120x21", "list раз|два at 1 8,80 120x60",
                              "show"}));
  EXPECT_TRUE(box->HasPeer());
  EXPECT_TRUE(list->HasPeer());

  widgets.log.clear();
  form.Hide();
  form.Show();
  EXPECT_EQ(widgets.log, (Log{"hide", "show"}));
  EXPECT_EQ(widgets.formPeers[&form], 1);
  EXPECT_EQ(widgets.controlPeers, 4);
}

TEST_F(DeferredFormTest, ControlsAddedAfterTheFirstShowingGetTheirPeersAtOnce) {
  ui::TForm form{nullptr};
  form.Show();
  widgets.log.clear();
  auto* edit = new ui::TEdit(&form);
  edit->SetText("a");
  edit->SetParent(&form);
  EXPECT_TRUE(edit->HasPeer());
  EXPECT_EQ(widgets.log, (Log{"edit a 0,0 0x0"}));
}

TEST_F(DeferredFormTest, CentredFormIsMadeWhereItWillShow) {
  ui::TForm form{nullptr};
  form.Position = ui::TPosition::poScreenCenter;
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  // Placed before its window exists: no move of a window already made.
  EXPECT_EQ(widgets.log, (Log{"form  412,334 200x100 hidden", "show"}));
}

TEST_F(DeferredFormTest, BringingForwardOrAMoveCommandMakesTheWindowClosingDoesNot) {
  ui::TForm closed{nullptr};
  int closes = 0;
  closed.OnClose = [&closes](ui::TComponent*, ui::TCloseAction&) { ++closes; };
  closed.SystemCommand(ui::SC_CLOSE_COMMAND);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(closed.HasPeer());

  ui::TForm raised{nullptr};
  raised.BringToFront();
  EXPECT_TRUE(raised.HasPeer());
  EXPECT_FALSE(raised.Visible());

  ui::TForm moved{nullptr};
  moved.SystemCommand(ui::SC_DRAGMOVE_COMMAND);
  EXPECT_TRUE(moved.HasPeer());
}

TEST_F(DeferredFormTest, AnEagerWidgetSetMakesTheFormsWindowWithTheForm) {
  widgets.defer = false;
  ui::TForm form{nullptr};
  EXPECT_TRUE(form.HasPeer());
  auto* box = new ui::TCheckBox(&form);
  box->SetParent(&form);
  EXPECT_TRUE(box->HasPeer());
}

// The whole program over a widget set that defers: at start only the clock gets windows.
class DeferredProgramTest : public testing_support::ProgramTest {
 protected:
  DeferredProgramTest() {
    auto& clock = platform->fakeClock();
    auto noting = std::make_unique<NotingWidgetSet>([&clock] { return clock.Millis(); },
                                                    [&clock](std::uint64_t ms) { clock.SetMillis(ms); });
    noting->noteControls = false;
    noting_ = noting.get();
    widgets = std::move(noting);
  }
  NotingWidgetSet* noting_;
};

TEST_F(DeferredProgramTest, OnlyTheClockHasWindowsAtStartTheSettingsWindowGetsItsOnFirstShow) {
  ASSERT_FALSE(Start().has_value());
  EXPECT_EQ(noting_->formPeers.size(), 1u);
  EXPECT_EQ(noting_->formPeers[Form1], 1);
  for (ui::TForm* hidden : std::initializer_list<ui::TForm*>{Form2, Form3, Form4, Form5, Form6, Form7, Form8}) {
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->HasPeer());
  }
  const int atStart = noting_->controlPeers;

  Form2->Show();
  EXPECT_TRUE(Form2->HasPeer());
  const int settingsControls = noting_->controlPeers - atStart;
  EXPECT_GT(settingsControls, 50);
  Form2->Hide();
  Form2->Show();
  EXPECT_EQ(noting_->formPeers[Form2], 1);
  EXPECT_EQ(noting_->controlPeers - atStart, settingsControls);
  EXPECT_FALSE(Form3->HasPeer());
}

}  // namespace
