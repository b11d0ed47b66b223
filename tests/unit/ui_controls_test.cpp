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
  std::string RichText() override { return "{\\rtf1 native}"; }
  Log& log;
  std::string typed;
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
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". The system cannot find the file specified");
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

}  // namespace
