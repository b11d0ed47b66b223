// The windowed controls as models: what reaches their peers, what comes back from the user,
// and which events that raises. Peers here only log what they are told.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/unit/program_fixture.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/panels.h"
#include "ui/richedit.h"

namespace {

using Log = std::vector<std::string>;

struct LogFormPeer : ui::FormPeer {};

struct LogEditPeer : ui::EditPeer {
  explicit LogEditPeer(Log& log) : log(log) { log.push_back("edit peer"); }
  void SetText(const std::string& t) override { log.push_back("text " + t); }
  void SetMaxLength(int n) override { log.push_back("max " + std::to_string(n)); }
  Log& log;
};

struct LogListPeer : ui::ListBoxPeer {
  explicit LogListPeer(Log& log) : log(log) {}
  void SetItems(const std::vector<std::string>& items) override { log.push_back("items " + std::to_string(items.size())); }
  void SetItemIndex(int i) override { log.push_back("index " + std::to_string(i)); }
  Log& log;
};

struct LogButtonPeer : ui::ButtonPeer {
  explicit LogButtonPeer(Log& log) : log(log) {}
  void SetGlyph(const ui::Image& g) override { log.push_back("glyph " + std::to_string(g.width)); }
  Log& log;
};

// A native rich-text control stand-in: it holds what the user typed and its own Rich Text.
struct LogRichPeer : ui::RichEditPeer {
  explicit LogRichPeer(Log& log) : log(log) {}
  void SetContent(const std::string& c, bool rich) override { log.push_back((rich ? "rich " : "plain ") + c); }
  std::string Text() override { return typed; }
  std::string RichText() override { return rich; }
  Log& log;
  std::string typed;
  std::string rich = "{\\rtf1 native}";
};

struct LogWidgetSet : ui::HeadlessWidgetSet {
  LogWidgetSet(std::uint64_t& now)
      : HeadlessWidgetSet([&now] { return now; }, [&now](std::uint64_t t) { now = t; }) {}
  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm&) override { return std::make_unique<LogFormPeer>(); }
  std::unique_ptr<ui::PanelPeer> CreatePanelPeer(ui::TPanel&) override {
    log.push_back("panel peer");
    return std::make_unique<ui::PanelPeer>();
  }
  std::unique_ptr<ui::EditPeer> CreateEditPeer(ui::TEdit&) override { return std::make_unique<LogEditPeer>(log); }
  std::unique_ptr<ui::ListBoxPeer> CreateListBoxPeer(ui::TListBox&) override {
    return std::make_unique<LogListPeer>(log);
  }
  std::unique_ptr<ui::ButtonPeer> CreateBitBtnPeer(ui::TBitBtn&) override { return std::make_unique<LogButtonPeer>(log); }
  std::unique_ptr<ui::RichEditPeer> CreateRichEditPeer(ui::TRichEdit&) override {
    auto peer = std::make_unique<LogRichPeer>(log);
    rich = peer.get();
    return peer;
  }
  ui::TSize FrameSize(ui::TBorderStyle b) override {
    return b == ui::TBorderStyle::bsNone ? ui::TSize{0, 0} : ui::TSize{8, 30};
  }
  Log log;
  LogRichPeer* rich = nullptr;
};

class ControlsTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  LogWidgetSet widgets{now};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};
  Log events;
  testing_support::TempDir dir;

  ui::TNotifyEvent Record(const std::string& name) {
    return [this, name](ui::TComponent*) { events.push_back(name); };
  }
};

TEST_F(ControlsTest, ChildrenParentedBeforeTheirContainerGetPeersWithIt) {
  auto* panel = new ui::TPanel(&form);
  auto* edit = new ui::TEdit(&form);
  edit->SetParent(panel);
  edit->SetText("a");
  EXPECT_TRUE(widgets.log.empty());
  panel->SetParent(&form);
  EXPECT_EQ(widgets.log, (Log{"panel peer", "edit peer"}));
  EXPECT_TRUE(edit->HasPeer());
}

TEST_F(ControlsTest, EditPushesRealChangesAndTakesTheUsersTextBack) {
  auto* edit = new ui::TEdit(&form);
  edit->SetParent(&form);
  edit->OnChange = Record("change");
  widgets.log.clear();
  edit->SetText("Иван");
  edit->SetText("Иван");
  edit->SetMaxLength(5);
  edit->SetMaxLength(5);
  EXPECT_EQ(widgets.log, (Log{"text Иван", "max 5"}));
  EXPECT_EQ(events, (Log{"change"}));

  // The user's typing: the model follows without telling the field what it shows already,
  // and a text longer than the limit is cut as the field would have refused it.
  widgets.log.clear();
  edit->TextEdited("Иванов-Петров");
  EXPECT_EQ(edit->Text(), "Ивано");
  edit->TextEdited("Ивано");
  EXPECT_TRUE(widgets.log.empty());
  EXPECT_EQ(events, (Log{"change", "change"}));
}

TEST_F(ControlsTest, ListBoxSelectionByProgramAndByTheUser) {
  auto* list = new ui::TListBox(&form);
  list->SetParent(&form);
  list->OnClick = Record("click");
  list->SetItems({"mail.ru", "bk.ru"});
  list->SetItemIndex(1);
  list->SetItemIndex(7);  // out of range: nothing selected
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->SelectedText(), "");
  EXPECT_TRUE(events.empty());

  widgets.log.clear();
  list->ItemPicked(0);
  list->ItemPicked(0);
  list->ItemPicked(5);
  EXPECT_EQ(list->SelectedText(), "mail.ru");
  EXPECT_EQ(events, (Log{"click", "click"}));
  EXPECT_TRUE(widgets.log.empty());
  list->SetItems({"x"});
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ControlsTest, BitBtnSendsItsGlyphOnlyWhenItChanges) {
  auto* button = new ui::TBitBtn(&form);
  button->SetParent(&form);
  button->OnClick = Record("click");
  button->SetGlyph(ui::Image(16, 16, 1));
  button->SetGlyph(ui::Image(16, 16, 1));
  button->SetGlyph({});
  EXPECT_EQ(widgets.log, (Log{"glyph 16", "glyph 0"}));
  button->Click();
  EXPECT_EQ(events, (Log{"click"}));
}

TEST_F(ControlsTest, RichEditShowsLoadedRichTextAndKeepsItsPlainText) {
  dir.Write("note.zqt", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}");
  dir.Write("plain.txt", "one\ntwo");
  auto* rich = new ui::TRichEdit(&form);
  rich->SetParent(&form);
  rich->OnChange = Record("change");
  widgets.log.clear();

  rich->LoadFromFile(dir.Str() + "note.zqt");
  EXPECT_EQ(rich->Text(), "Привет");
  rich->LoadFromFile(dir.Str() + "plain.txt");
  EXPECT_EQ(rich->Text(), "one\r\ntwo");
  rich->SetText("one\r\ntwo");
  EXPECT_EQ(widgets.log, (Log{"rich {\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}", "plain one\r\ntwo"}));
  EXPECT_EQ(events, (Log{"change", "change"}));

  // What the user types comes back from the native control, which also saves it.
  widgets.rich->typed = "typed";
  rich->UserEdited();
  EXPECT_EQ(rich->Text(), "typed");
  rich->SaveToFile(dir.Str() + "out.zqt");
  EXPECT_EQ(dir.Read("out.zqt"), "{\\rtf1 native}");
}

TEST_F(ControlsTest, ASavedDocumentEndsAtItsClosingBrace) {
  // The native control streams its document out with a NUL after the closing brace.
  auto* rich = new ui::TRichEdit(&form);
  rich->SetParent(&form);
  widgets.rich->rich = std::string("{\\rtf1 typed}\0", 14);
  widgets.rich->typed = "typed";
  rich->UserEdited();
  rich->SaveToFile(dir.Str() + "typed.zqt");
  EXPECT_EQ(dir.Read("typed.zqt"), "{\\rtf1 typed}");

  // A file saved with the NUL before is saved again without it.
  dir.Write("old.zqt", std::string("{\\rtf1 old}\0\0", 13));
  rich->LoadFromFile(dir.Str() + "old.zqt");
  EXPECT_EQ(rich->Text(), "old");
  EXPECT_EQ(rich->RichText(), "{\\rtf1 old}");
}

TEST_F(ControlsTest, RichEditWithoutPeerSavesTextThatLoadsBack) {
  ui::TRichEdit rich(nullptr);
  rich.SetText("С днём рождения!\r\n{Иван}");
  std::filesystem::create_directories(dir.Path() / "days");
  rich.SaveToFile(dir.Str() + "days/1.zqd");
  ui::TRichEdit other(nullptr);
  other.LoadFromFile(dir.Str() + "days/1.zqd");
  EXPECT_EQ(other.Text(), "С днём рождения!\r\n{Иван}");
  EXPECT_TRUE(other.DocumentIsRich());
}

TEST_F(ControlsTest, MissingFileKeepsTheDocumentAndNamesThePath) {
  ui::TRichEdit rich(nullptr);
  rich.SetText("old");
  const std::string path = dir.Str() + "notes\\-1.zqt";
  try {
    rich.LoadFromFile(path);
    FAIL() << "no error";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось открыть файл \"" + path + "\": файл не найден");
  }
  EXPECT_EQ(rich.Text(), "old");
}

TEST_F(ControlsTest, FramedFormsCentreOnTheirFirstShowingAndAlignToTheClientArea) {
  form.SetBorderStyle(ui::TBorderStyle::bsDialog);
  form.SetClientWidth(332);
  form.SetClientHeight(160);
  EXPECT_EQ(form.Width(), 340);
  EXPECT_EQ(form.Height(), 190);
  auto* panel = new ui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(ui::TAlign::alClient);
  EXPECT_EQ(panel->BoundsRect(), (ui::TRect{0, 0, 332, 160}));

  form.Position = ui::TPosition::poDesktopCenter;
  form.Show();
  EXPECT_EQ(form.Left(), (1024 - 340) / 2);
  EXPECT_EQ(form.Top(), (768 - 190) / 2);
  // Moved by the user, hidden and shown again: it stays where it was put.
  form.SetBounds(10, 20, form.Width(), form.Height());
  form.Hide();
  form.Show();
  EXPECT_EQ(form.Left(), 10);
  EXPECT_EQ(form.Top(), 20);
}

// ---- Painting again only what changed

// A form peer that records the areas it is asked to paint again.
struct PaintLogFormPeer : ui::FormPeer {
  void Invalidate() override { areas.push_back(ui::kEverywhere); }
  void InvalidateRect(ui::TRect r) override { areas.push_back(r); }
  std::vector<ui::TRect> areas;
};

struct PaintLogWidgetSet : ui::HeadlessWidgetSet {
  explicit PaintLogWidgetSet(std::uint64_t& now)
      : HeadlessWidgetSet([&now] { return now; }, [&now](std::uint64_t t) { now = t; }) {}
  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm&) override {
    auto peer = std::make_unique<PaintLogFormPeer>();
    form = peer.get();
    return peer;
  }
  PaintLogFormPeer* form = nullptr;
};

// A canvas that paints one area and records which controls drew there.
struct AreaCanvas : ui::Canvas {
  explicit AreaCanvas(ui::TRect area) : area(area) {}
  void FillRect(ui::TRect, ui::TColor) override {}
  void DrawImage(const ui::Image& image, ui::TRect, bool) override { drawn.push_back("image " + std::to_string(image.width)); }
  void DrawText(const std::string& text, ui::TPoint, const ui::TFont&) override { drawn.push_back(text); }
  ui::TRect PaintRect() const override { return area; }
  ui::TRect area;
  std::vector<std::string> drawn;
};

class RepaintTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  PaintLogWidgetSet widgets{now};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};

  template <class T>
  T* Child(int left, int top) {
    auto* c = new T(&form);
    c->SetParent(&form);
    c->SetLeft(left);
    c->SetTop(top);
    widgets.form->areas.clear();
    return c;
  }
  // Everything asked for, as one rectangle.
  ui::TRect Asked() const {
    ui::TRect all;
    for (const ui::TRect& r : widgets.form->areas) all = all.United(r);
    return all;
  }
};

TEST_F(RepaintTest, ALabelThatChangesItsTextRenewsOnlyWhereItWasAndIs) {
  auto* seconds = Child<ui::TLabel>(100, 40);
  seconds->SetCaption("59");
  const ui::TRect wide = seconds->BoundsRect();
  widgets.form->areas.clear();
  seconds->SetCaption("0");
  EXPECT_FALSE(widgets.form->areas.empty());
  // The old, wider text is wiped as well as the new one drawn, and nothing else is touched.
  EXPECT_EQ(Asked(), wide);

  widgets.form->areas.clear();
  seconds->SetCaption("0");
  EXPECT_TRUE(widgets.form->areas.empty());
}

TEST_F(RepaintTest, WhatMayDrawBeyondItsBoundsRenewsEverything) {
  auto* fixed = Child<ui::TLabel>(10, 10);
  fixed->SetAutoSize(false);
  fixed->SetBounds(10, 10, 5, 5);
  widgets.form->areas.clear();
  fixed->SetCaption("a long text");
  EXPECT_EQ(Asked(), ui::kEverywhere);

  // A picture at its own size reaches past small bounds: the area it covers is renewed, also
  // when it is replaced by a smaller one.
  auto* picture = Child<ui::TImage>(20, 30);
  picture->SetBounds(20, 30, 4, 4);
  widgets.form->areas.clear();
  picture->SetPicture(ui::Image(50, 40, 0x123456));
  EXPECT_EQ(Asked(), (ui::TRect{20, 30, 70, 70}));
  widgets.form->areas.clear();
  picture->SetPicture(ui::Image(2, 2, 0x123456));
  EXPECT_EQ(Asked(), (ui::TRect{20, 30, 70, 70}));
}

TEST_F(RepaintTest, APaintOfOneAreaDrawsOnlyTheControlsThatReachIntoIt) {
  auto* date = Child<ui::TLabel>(10, 10);
  date->SetCaption("07.12.2026");
  auto* seconds = Child<ui::TLabel>(10, 60);
  seconds->SetCaption("07");
  auto* background = Child<ui::TImage>(0, 0);
  background->Stretch = true;
  background->SetBounds(0, 0, 200, 100);
  background->SetPicture(ui::Image(20, 10, 0x123456));
  auto* hidden = Child<ui::TLabel>(10, 60);
  hidden->SetCaption("hidden");
  hidden->Hide();

  AreaCanvas canvas(seconds->BoundsRect());
  form.PaintControls(canvas);
  EXPECT_EQ(canvas.drawn, (std::vector<std::string>{"07", "image 20"}));

  AreaCanvas whole(ui::kEverywhere);
  form.PaintControls(whole);
  EXPECT_EQ(whole.drawn, (std::vector<std::string>{"07.12.2026", "07", "image 20"}));
}

}  // namespace
