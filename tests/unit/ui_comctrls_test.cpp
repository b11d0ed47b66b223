// Page controls, track bars, check and radio boxes, check list boxes, speed buttons, spin
// edits and memos as models: what their peers are told, what the user's actions do, and which
// events that raises. Peers here only log what they are told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/checklst.h"
#include "ui/comctrls.h"
#include "ui/extctrls.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/panels.h"
#include "ui/spin.h"
#include "ui/stdctrls.h"

namespace {

using Log = std::vector<std::string>;

struct LogPagesPeer : ui::PageControlPeer {
  explicit LogPagesPeer(Log& log) : log(log) {}
  void SetTabs(const std::vector<ui::PageTab>& tabs) override {
    std::string s = "tabs";
    for (const auto& t : tabs) s += " " + t.caption + (t.image.Empty() ? "" : "*");
    log.push_back(s);
  }
  void SetActiveTab(int i) override { log.push_back("tab " + std::to_string(i)); }
  void SetTabsAtBottom(bool b) override { log.push_back(b ? "bottom" : "top"); }
  ui::TRect DisplayRect() override { return display; }
  Log& log;
  ui::TRect display{};
};

struct LogCheckPeer : ui::CheckBoxPeer {
  LogCheckPeer(Log& log, std::string name) : log(log), name(std::move(name)) {}
  void SetChecked(bool on) override { log.push_back(name + (on ? " on" : " off")); }
  Log& log;
  std::string name;
};

struct LogCheckListPeer : ui::CheckListBoxPeer {
  explicit LogCheckListPeer(Log& log) : log(log) {}
  void SetItems(const std::vector<std::string>& items) override { log.push_back("items " + std::to_string(items.size())); }
  void SetChecked(int i, bool on) override { log.push_back("mark " + std::to_string(i) + (on ? " on" : " off")); }
  Log& log;
};

struct LogTrackPeer : ui::TrackBarPeer {
  explicit LogTrackPeer(Log& log) : log(log) { log.push_back("track peer"); }
  void SetRange(int a, int b) override { log.push_back("range " + std::to_string(a) + ".." + std::to_string(b)); }
  void SetFrequency(int f) override { log.push_back("freq " + std::to_string(f)); }
  void SetPosition(int p) override { log.push_back("pos " + std::to_string(p)); }
  Log& log;
};

struct LogTextPeer : ui::MemoPeer {
  explicit LogTextPeer(Log& log) : log(log) {}
  void SetText(const std::string& t) override { log.push_back("text " + t); }
  Log& log;
};

struct LogWidgetSet : ui::HeadlessWidgetSet {
  explicit LogWidgetSet(std::uint64_t& now)
      : HeadlessWidgetSet([&now] { return now; }, [&now](std::uint64_t t) { now = t; }) {}
  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm&) override { return std::make_unique<ui::FormPeer>(); }
  std::unique_ptr<ui::PanelPeer> CreatePanelPeer(ui::TPanel&) override { return std::make_unique<ui::PanelPeer>(); }
  std::unique_ptr<ui::GroupBoxPeer> CreateGroupBoxPeer(ui::TGroupBox&) override {
    return std::make_unique<ui::GroupBoxPeer>();
  }
  std::unique_ptr<ui::PageControlPeer> CreatePageControlPeer(ui::TPageControl&) override {
    auto p = std::make_unique<LogPagesPeer>(log);
    pages = p.get();
    return p;
  }
  std::unique_ptr<ui::TabSheetPeer> CreateTabSheetPeer(ui::TTabSheet& s) override {
    log.push_back("sheet peer " + s.Caption());
    return std::make_unique<ui::TabSheetPeer>();
  }
  std::unique_ptr<ui::CheckBoxPeer> CreateCheckBoxPeer(ui::TCheckBox& c) override {
    return std::make_unique<LogCheckPeer>(log, c.Name);
  }
  std::unique_ptr<ui::CheckBoxPeer> CreateRadioButtonPeer(ui::TRadioButton& r) override {
    return std::make_unique<LogCheckPeer>(log, r.Name);
  }
  std::unique_ptr<ui::CheckListBoxPeer> CreateCheckListBoxPeer(ui::TCheckListBox&) override {
    return std::make_unique<LogCheckListPeer>(log);
  }
  std::unique_ptr<ui::TrackBarPeer> CreateTrackBarPeer(ui::TTrackBar&) override {
    return std::make_unique<LogTrackPeer>(log);
  }
  std::unique_ptr<ui::SpinEditPeer> CreateSpinEditPeer(ui::TSpinEdit&) override {
    return std::make_unique<ui::SpinEditPeer>();
  }
  std::unique_ptr<ui::MemoPeer> CreateMemoPeer(ui::TMemo&) override { return std::make_unique<LogTextPeer>(log); }
  Log log;
  LogPagesPeer* pages = nullptr;
};

// Records what graphic controls draw.
struct LogCanvas : ui::Canvas {
  void FillRect(ui::TRect, ui::TColor) override {}
  void DrawImage(const ui::Image& image, ui::TRect r, bool transparent) override {
    log.push_back("image " + std::to_string(image.width) + " at " + Rect(r) + (transparent ? " clear" : ""));
  }
  void DrawText(const std::string& text, ui::TPoint at, const ui::TFont&) override {
    log.push_back("text " + text + " at " + std::to_string(at.x) + "," + std::to_string(at.y));
  }
  void DrawButtonFace(ui::TRect r, bool down, bool, bool) override {
    log.push_back(std::string(down ? "sunk" : "raised") + " " + Rect(r));
  }
  static std::string Rect(ui::TRect r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
  Log log;
};

class ComCtrlsTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  LogWidgetSet widgets{now};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};
  Log events;

  ui::TNotifyEvent Record(const std::string& name) {
    return [this, name](ui::TComponent*) { events.push_back(name); };
  }

  template <class T>
  T* Make(ui::TWinControl* parent, const std::string& name) {
    auto* c = new T(&form);
    c->Name = name;
    c->SetParent(parent);
    return c;
  }

  ui::TPageControl* ThreePages() {
    auto* pages = Make<ui::TPageControl>(&form, "PageControl1");
    pages->SetBounds(0, 0, 400, 300);
    for (const char* caption : {"Сигнал", "Любой файл", "Выключение"}) {
      auto* sheet = new ui::TTabSheet(&form);
      sheet->SetCaption(caption);
      sheet->SetPageControl(pages);
    }
    pages->OnChange = Record("change");
    return pages;
  }
};

// ---- Page control

TEST_F(ComCtrlsTest, PagesSetByTheProgramChangeWithoutOnChange) {
  ui::TPageControl* pages = ThreePages();
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  pages->SetActivePageIndex(2);
  EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
  EXPECT_EQ(pages->Pages(2)->PageIndex(), 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(pages->Pages(i)->Visible(), i == 2) << i;
  // A stored type outside the pages shows none.
  pages->SetActivePageIndex(9);
  EXPECT_EQ(pages->ActivePageIndex(), -1);
  EXPECT_EQ(pages->ActivePage(), nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(pages->Pages(i)->Visible());
  EXPECT_TRUE(events.empty());
}

TEST_F(ComCtrlsTest, UserChangesThePageOnlyWhileEnabled) {
  ui::TPageControl* pages = ThreePages();
  widgets.log.clear();
  pages->TabClicked(1);
  pages->TabClicked(1);  // the shown page again
  EXPECT_EQ(events, (Log{"change"}));
  EXPECT_TRUE(pages->Pages(1)->Visible());
  EXPECT_FALSE(pages->Pages(0)->Visible());

  // A disabled page control (view mode of the editor) keeps its page; the native control,
  // which may show the clicked tab, is set back.
  pages->SetEnabled(false);
  widgets.log.clear();
  pages->TabClicked(2);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(widgets.log, (Log{"tab 1"}));
  pages->SetEnabled(true);
  form.SetEnabled(false);
  pages->TabClicked(2);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(events, (Log{"change"}));
}

TEST_F(ComCtrlsTest, TabsShowCaptionsAndPicturesOfTheImageList) {
  auto* images = new ui::TImageList(&form);
  images->Add(ui::Image(16, 16, 1));
  ui::TPageControl* pages = ThreePages();
  pages->Pages(0)->SetImageIndex(0);
  pages->Pages(1)->SetImageIndex(5);  // no such picture
  widgets.log.clear();
  pages->SetImages(images);
  EXPECT_EQ(widgets.log.front(), "tabs Сигнал* Любой файл Выключение");
  pages->Pages(2)->SetCaption("Перезагрузка");
  EXPECT_EQ(pages->Tabs()[2].caption, "Перезагрузка");
  // The image list goes: the tabs lose their pictures, nothing points at it any more.
  delete images;
  EXPECT_EQ(pages->Images(), nullptr);
  EXPECT_TRUE(pages->Tabs()[0].image.Empty());
}

TEST_F(ComCtrlsTest, PeersGetTheWholeStateWhenCreatedAndPagesFillTheDisplayArea) {
  ui::TForm detached{nullptr};
  widgets.log.clear();
  auto* holder = new ui::TPanel(&detached);  // parented later: no peers until then
  auto* pages = new ui::TPageControl(&detached);
  pages->SetParent(holder);
  pages->SetBounds(0, 0, 200, 100);
  for (const char* caption : {"Главное окно", "Звук"}) {
    auto* sheet = new ui::TTabSheet(&detached);
    sheet->SetCaption(caption);
    sheet->SetParent(pages);
  }
  pages->SetActivePageIndex(1);
  EXPECT_TRUE(widgets.log.empty());
  holder->SetParent(&detached);
  EXPECT_EQ(widgets.log, (Log{"sheet peer Главное окно", "sheet peer Звук"}));
  EXPECT_FALSE(pages->Pages(0)->Visible());

  // The native control's display area places the pages; without one they sit under the tabs.
  widgets.pages->display = {4, 24, 196, 96};
  pages->SetBounds(0, 0, 200, 101);
  EXPECT_EQ(pages->Pages(0)->BoundsRect(), (ui::TRect{4, 24, 196, 96}));
  auto* bare = new ui::TPageControl(&detached);
  bare->SetBounds(0, 0, 200, 100);
  auto* sheet = new ui::TTabSheet(&detached);
  sheet->SetParent(bare);
  EXPECT_GT(sheet->Top(), 10);
  EXPECT_EQ(sheet->BoundsRect().bottom, 98);
  bare->SetTabPosition(ui::TTabPosition::tpBottom);
  EXPECT_EQ(sheet->Top(), 2);
  EXPECT_LT(sheet->BoundsRect().bottom, 90);
}

TEST_F(ComCtrlsTest, RemovingPagesKeepsAPageShown) {
  ui::TPageControl* pages = ThreePages();
  pages->SetActivePageIndex(2);
  delete pages->Pages(2);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_TRUE(pages->Pages(1)->Visible());
  delete pages->Pages(0);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_EQ(pages->Pages(0)->Caption(), "Любой файл");
  EXPECT_TRUE(events.empty());
}

// ---- Track bar

TEST_F(ComCtrlsTest, TrackBarKeepsItsPositionInTheRange) {
  auto* bar = Make<ui::TTrackBar>(&form, "TrackBar1");
  bar->OnChange = Record("change");
  EXPECT_EQ(widgets.log, (Log{"track peer"}));
  widgets.log.clear();
  bar->SetRange(0, 200);
  bar->SetFrequency(5);
  bar->SetFrequency(0);  // at least every position
  EXPECT_EQ(bar->Frequency(), 1);
  bar->SetPosition(150);
  bar->SetPosition(150);
  bar->SetPosition(900);
  EXPECT_EQ(bar->Position(), 200);
  bar->SetMax(100);  // the position follows the range
  EXPECT_EQ(bar->Position(), 100);
  bar->SetMin(300);  // the maximum rises with it
  EXPECT_EQ(bar->Max(), 300);
  EXPECT_EQ(bar->Position(), 300);
  EXPECT_EQ(events, (Log{"change", "change", "change", "change"}));
  EXPECT_EQ(widgets.log, (Log{"range 0..200", "freq 5", "freq 1", "pos 150", "pos 200", "range 0..100", "pos 100",
                              "range 300..300", "pos 300"}));
}

TEST_F(ComCtrlsTest, TrackBarTakesTheUsersPositionInsideItsRange) {
  auto* bar = Make<ui::TTrackBar>(&form, "TrackBar1");
  bar->SetRange(0, 200);
  bar->OnChange = Record("change");
  widgets.log.clear();
  bar->UserMoved(55);  // the native control shows it already
  bar->UserMoved(55);
  bar->UserMoved(-3);  // out of range: the control is set back
  EXPECT_EQ(bar->Position(), 0);
  bar->SetEnabled(false);
  bar->UserMoved(10);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(events, (Log{"change", "change"}));
  EXPECT_EQ(widgets.log, (Log{"pos 0", "pos 0"}));
}

// ---- Check boxes and radio buttons

TEST_F(ComCtrlsTest, CheckBoxSetByTheProgramRunsItsClickHandler) {
  auto* box = Make<ui::TCheckBox>(&form, "CheckBox7");
  box->OnClick = Record("click");
  widgets.log.clear();
  box->SetChecked(true);
  box->SetChecked(true);  // as loaded: no change, no handler
  box->SetChecked(false);
  box->UserClick();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(events, (Log{"click", "click", "click"}));
  EXPECT_EQ(widgets.log, (Log{"CheckBox7 on", "CheckBox7 off", "CheckBox7 on"}));

  auto* group = Make<ui::TGroupBox>(&form, "GroupBox1");
  box->SetParent(group);
  group->SetEnabled(false);
  box->UserClick();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(ComCtrlsTest, OneRadioButtonPerParentIsChecked) {
  auto* group = Make<ui::TGroupBox>(&form, "GroupBox1");
  ui::TRadioButton* radio[4];
  for (int i = 0; i < 4; ++i) {
    radio[i] = Make<ui::TRadioButton>(group, "RadioButton" + std::to_string(i + 1));
    radio[i]->OnClick = Record("click " + std::to_string(i + 1));
  }
  auto* elsewhere = Make<ui::TRadioButton>(&form, "RadioButton9");
  elsewhere->SetChecked(true);
  events.clear();
  widgets.log.clear();

  radio[0]->SetChecked(true);
  radio[3]->UserClick();
  radio[3]->UserClick();  // already checked: nothing
  EXPECT_EQ(events, (Log{"click 1", "click 4"}));
  EXPECT_EQ(widgets.log, (Log{"RadioButton1 on", "RadioButton4 on", "RadioButton1 off"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(radio[i]->Checked(), i == 3);
  EXPECT_TRUE(elsewhere->Checked());  // another parent, another group

  // Unchecking by the program raises nothing and leaves the group with none checked.
  radio[3]->SetChecked(false);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(radio[i]->Checked());
  EXPECT_EQ(events.size(), 2u);
  radio[1]->SetEnabled(false);
  radio[1]->UserClick();
  EXPECT_FALSE(radio[1]->Checked());
}

// ---- Check list box

TEST_F(ComCtrlsTest, CheckListBoxMarksItemsAndReportsTheUsersTicks) {
  auto* list = Make<ui::TCheckListBox>(&form, "CheckListBox2");
  list->OnClickCheck = Record("check");
  list->SetItems({"Понедельник", "Вторник", "Среда"});
  widgets.log.clear();
  list->SetChecked(1, true);
  list->SetChecked(1, true);
  list->SetChecked(7, true);  // no such item
  EXPECT_TRUE(events.empty());
  list->CheckToggled(1);
  list->CheckToggled(2);
  list->CheckToggled(-1);
  EXPECT_FALSE(list->Checked(1));
  EXPECT_TRUE(list->Checked(2));
  EXPECT_FALSE(list->Checked(9));
  EXPECT_EQ(events, (Log{"check", "check"}));
  EXPECT_EQ(widgets.log, (Log{"mark 1 on", "mark 1 off", "mark 2 on"}));

  // An added item starts clear and the others keep their marks (shown again by the peer);
  // new items clear every mark.
  widgets.log.clear();
  list->AddItem("Четверг");
  EXPECT_TRUE(list->Checked(2));
  EXPECT_FALSE(list->Checked(3));
  EXPECT_EQ(widgets.log, (Log{"items 4", "mark 2 on"}));
  list->SetItems({"Пятница", "Суббота", "Воскресенье"});
  EXPECT_FALSE(list->Checked(2));

  list->SetEnabled(false);
  list->CheckToggled(0);
  EXPECT_FALSE(list->Checked(0));
  EXPECT_EQ(events.size(), 2u);
}

// ---- Speed buttons

TEST_F(ComCtrlsTest, SpeedButtonGroupKeepsExactlyOneDown) {
  auto* panel = Make<ui::TPanel>(&form, "Panel1");
  panel->SetBounds(0, 0, 300, 40);
  auto* standard = new ui::TSpeedButton(&form);
  standard->SetBounds(0, 0, 100, 25);
  auto* birthdays = new ui::TSpeedButton(&form);
  birthdays->SetBounds(100, 0, 100, 25);
  for (auto* b : {standard, birthdays}) {
    b->SetGroupIndex(1);
    b->SetParent(panel);
  }
  standard->OnClick = Record("standard");
  birthdays->OnClick = Record("birthdays");
  auto click = [panel](int x) {
    panel->RouteMouseDown(ui::TMouseButton::mbLeft, 0, {x, 10});
    panel->RouteMouseUp(ui::TMouseButton::mbLeft, 0, {x, 10});
  };

  standard->SetDown(true);  // the program's press: no handler
  EXPECT_TRUE(events.empty());
  click(150);
  EXPECT_TRUE(birthdays->Down());
  EXPECT_FALSE(standard->Down());
  click(150);  // the down button stays down, and still reports the click
  EXPECT_TRUE(birthdays->Down());
  birthdays->SetDown(false);  // a group without AllowAllUp cannot be left with none down
  EXPECT_TRUE(birthdays->Down());
  click(50);
  EXPECT_TRUE(standard->Down());
  EXPECT_FALSE(birthdays->Down());
  EXPECT_EQ(events, (Log{"birthdays", "birthdays", "standard"}));

  // Pressed on the button but released elsewhere: no click, nothing moves.
  panel->RouteMouseDown(ui::TMouseButton::mbLeft, 0, {150, 10});
  panel->RouteMouseUp(ui::TMouseButton::mbLeft, 0, {250, 30});
  EXPECT_TRUE(standard->Down());
  EXPECT_EQ(events.size(), 3u);

  standard->AllowAllUp = true;
  click(50);
  EXPECT_FALSE(standard->Down());
}

TEST_F(ComCtrlsTest, SpeedButtonOutsideAGroupNeverStaysDownAndPaintsItsFace) {
  auto* button = new ui::TSpeedButton(&form);
  button->SetParent(&form);
  button->SetBounds(10, 10, 30, 30);
  button->SetGlyph(ui::Image(16, 16, 7));
  button->OnClick = Record("beep");
  button->SetDown(true);
  EXPECT_FALSE(button->Down());
  LogCanvas canvas;
  form.RouteMouseMove(0, {20, 20});
  form.RouteMouseDown(ui::TMouseButton::mbLeft, 0, {20, 20});
  button->Paint(canvas);  // held down: sunk, the glyph moved by a pixel
  form.RouteMouseUp(ui::TMouseButton::mbLeft, 0, {20, 20});
  button->Paint(canvas);
  EXPECT_EQ(events, (Log{"beep"}));
  EXPECT_EQ(canvas.log, (Log{"sunk 10,10,40,40", "image 16 at 18,18,34,34 clear", "raised 10,10,40,40",
                             "image 16 at 17,17,33,33 clear"}));
}

// ---- Spin edit

TEST_F(ComCtrlsTest, SpinEditReadsItsTextAsANumber) {
  auto* spin = Make<ui::TSpinEdit>(&form, "CSpinEdit2");
  spin->SetMinValue(5);
  for (const auto& [text, value] : std::vector<std::pair<std::string, int>>{
           {"80", 80}, {" 80 ", 80}, {"+7", 7}, {"-3", -3}, {"0", 0}}) {
    spin->SetText(text);
    EXPECT_EQ(spin->Value(), value) << text;
  }
  for (const std::string text : {"", "  ", "8 0", "80с", "0x10", "99999999999", "+", "-"}) {
    spin->SetText(text);
    EXPECT_EQ(spin->Value(), 5) << "not a number: " << text;
  }
}

TEST_F(ComCtrlsTest, SpinEditArrowsStepWithinTheLimits) {
  auto* spin = Make<ui::TSpinEdit>(&form, "CSpinEdit2");
  spin->SetMinValue(0);
  spin->SetMaxValue(600);
  spin->OnChange = Record("change");
  spin->SetText("80");
  spin->ArrowClicked(true);
  EXPECT_EQ(spin->Text(), "81");
  spin->TextEdited("600");
  spin->ArrowClicked(true);  // at the top: the text stays, no change
  EXPECT_EQ(spin->Text(), "600");
  spin->TextEdited("abc");
  spin->ArrowClicked(false);  // not a number counts as the minimum
  EXPECT_EQ(spin->Text(), "0");
  spin->Increment = 10;
  spin->SetReadOnly(true);
  spin->ArrowClicked(true);
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(events, (Log{"change", "change", "change", "change", "change"}));

  // Without limits the arrows run over the whole number range without wrapping.
  auto* free = Make<ui::TSpinEdit>(&form, "CSpinEdit3");
  free->SetText("2147483647");
  free->ArrowClicked(true);
  EXPECT_EQ(free->Text(), "2147483647");
}

// ---- Memo

TEST_F(ComCtrlsTest, MemoWithoutReturnsKeepsOneParagraph) {
  auto* memo = Make<ui::TMemo>(&form, "Memo1");
  memo->WantReturns = false;
  memo->OnChange = Record("change");
  EXPECT_FALSE(memo->AcceptsKey('\r'));
  EXPECT_FALSE(memo->AcceptsKey('\n'));
  EXPECT_TRUE(memo->AcceptsKey('a'));
  widgets.log.clear();
  memo->TextEdited("Ой! Сломалось что-то :))");
  EXPECT_TRUE(widgets.log.empty());
  // Pasted line breaks would break the one-line setting the text is stored in.
  memo->TextEdited("Сохраните\r\nданные\nсейчас");
  EXPECT_EQ(memo->Text(), "Сохраните данные сейчас");
  EXPECT_EQ(widgets.log, (Log{"text Сохраните данные сейчас"}));
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"Сохраните данные сейчас"}));
  EXPECT_EQ(events.size(), 2u);

  auto* credits = Make<ui::TMemo>(&form, "Memo2");
  EXPECT_TRUE(credits->AcceptsKey('\r'));
  credits->TextEdited("раз\r\nдва\r\n");
  EXPECT_EQ(credits->Lines(), (std::vector<std::string>{"раз", "два"}));
  credits->SetLines({"a", "", "b"});
  EXPECT_EQ(credits->Text(), "a\r\n\r\nb");
}

// ---- Containers, colours and hints

TEST_F(ComCtrlsTest, StretchedPictureFillsTheFrameOfItsPanel) {
  auto* panel = Make<ui::TPanel>(&form, "Panel2");
  panel->SetBounds(100, 100, 160, 110);
  panel->SetBevelOuter(ui::TBevelCut::bvLowered);
  panel->SetBevelInner(ui::TBevelCut::bvRaised);
  panel->SetBevelWidth(2);
  auto* image = new ui::TImage(&form);
  image->Stretch = true;
  image->SetParent(panel);
  image->SetAlign(ui::TAlign::alClient);
  image->SetPicture(ui::Image(64, 40, 3));
  EXPECT_EQ(image->BoundsRect(), (ui::TRect{4, 4, 156, 106}));
  LogCanvas canvas;
  panel->PaintControls(canvas);
  EXPECT_EQ(canvas.log, (Log{"image 64 at 4,4,156,106"}));
  panel->SetBevelInner(ui::TBevelCut::bvNone);
  EXPECT_EQ(image->BoundsRect(), (ui::TRect{2, 2, 158, 108}));
}

TEST_F(ComCtrlsTest, BoxesStandOnTheirParentsColour) {
  form.SetColor(15384215);
  auto* pages = ThreePages();
  auto* group = Make<ui::TGroupBox>(pages->Pages(0), "GroupBox1");
  auto* box = Make<ui::TCheckBox>(group, "CheckBox1");
  EXPECT_EQ(box->EffectiveColor(), 15384215);
  group->SetColor(0xC0DCC0);
  EXPECT_EQ(box->EffectiveColor(), 0xC0DCC0);
  box->SetColor(ui::clWhite);
  form.SetColor(0);
  EXPECT_EQ(box->EffectiveColor(), ui::clWhite);
}

TEST_F(ComCtrlsTest, HintIsTheControlsOrItsNearestParents) {
  auto* group = Make<ui::TGroupBox>(&form, "GroupBox1");
  auto* box = Make<ui::TCheckBox>(group, "CheckBox1");
  auto* button = new ui::TSpeedButton(&form);
  button->SetParent(group);
  EXPECT_EQ(ui::ShownHint(box), "");
  group->SetHint("Настройки главного окна");
  EXPECT_EQ(ui::ShownHint(box), "Настройки главного окна");
  EXPECT_EQ(ui::ShownHint(button), "Настройки главного окна");
  box->SetHint("Окно прилипает к краям экрана");
  EXPECT_EQ(ui::ShownHint(box), "Окно прилипает к краям экрана");
  box->ShowHint = false;
  EXPECT_EQ(ui::ShownHint(box), "");
  EXPECT_EQ(ui::ShownHint(nullptr), "");
}

}  // namespace
