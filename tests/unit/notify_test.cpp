// The reminder, birthday, holiday and greeting address windows and the start-up
// announcements, over the fake platform. The fake clock stands at 07.12.2026 09:05:07.
#include <gtest/gtest.h>

#include "notify/notices.h"
#include "platform/files.h"
#include "tests/unit/program_fixture.h"
#include "ui/rtf.h"

using testing_support::ProgramTest;
using testing_support::SolidBitmap;

namespace {

class NotifyTest : public ProgramTest {
 protected:
  NotifyTest() { SetConfig("[Clock]\r\nRunTray=0\r\n"); }

  void SetConfig(const std::string& text) { dir.Write("Cfg/Clock_config.ini", text); }
  // A holiday text file, for showing the holiday window directly.
  std::string Holiday() const {
    dir.Write("days/h.zqd", ui::rtf::FromPlainText("Праздник", {}));
    return (dir.Path() / "days" / "h.zqd").string();
  }

  // A type-6 event dated `date`; its side file is written unless `text` is empty. The stored
  // path points into another program folder: only its file name counts.
  void AddCelebration(const std::string& number, const std::string& date, const std::string& brith,
                      const std::string& text, const std::string& extraKeys = "") {
    list_ += number + "\r\n";
    gear_ += "[" + number + "]\r\ntime=00:00:00\r\ndate=" + date + "\r\ntype=6\r\npathtobirthday=C:\\Old\\days\\" +
             number + ".zqd\r\n" + (brith.empty() ? "" : "Brith?=" + brith + "\r\n") + extraKeys;
    dir.Write("Gear/Events.txt", list_);
    dir.Write("Gear/gear.ini", gear_);
    if (!text.empty()) dir.Write("days/" + number + ".zqd", ui::rtf::FromPlainText(text, {}));
  }

  ui::Image LibraryBitmap(const std::string& name) {
    auto lib = platform->NewResourceLibrary();
    lib->Load("resources\\images.dll");
    return lib->Bitmap(name).value_or(ui::Image{});
  }

  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (const auto& box : platform->fakeDialogs().shown) texts.push_back(box.text);
    return texts;
  }

  std::string list_, gear_;
};

// ---- Start-up announcements

TEST_F(NotifyTest, TwoBirthdaysShareOneWindowAndTheGreetingGoesToTheFirst) {
  AddCelebration("101", "07.12.2026", "1", "Иван", "Foto=\r\nEmail=ivan@mail.ru\r\n");
  AddCelebration("102", "07.12.2026", "1", "Пётр", "Foto=\r\nEmail=petr@bk.ru\r\n");
  ASSERT_FALSE(Start());
  Advance(799);
  EXPECT_FALSE(Form4->Visible());
  Advance(1);
  ASSERT_TRUE(Form4->Visible());
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(Form4->RichEdit1->Text(), "Пётр а также Иван petr@bk.ru");
  EXPECT_EQ(Form4->greetingAddress, "ivan@mail.ru");
  EXPECT_EQ(Form4->BitBtn1->Glyph(), LibraryBitmap("OK"));
  EXPECT_EQ(Form4->BitBtn2->Glyph(), LibraryBitmap("MAIL2"));
  ASSERT_EQ(platform->fakeSound().played.size(), 1u);
  EXPECT_EQ(platform->fakeSound().played[0].path, dir.Str() + "Sound\\Beep.wav");
  EXPECT_FALSE(Form1->Timer2->Enabled());

  Form4->BitBtn2->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "mailto:ivan@mail.ru", "", "");
  EXPECT_TRUE(Form4->Visible());
  Form4->BitBtn1->Click();
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(NotifyTest, AGreetingWithoutAddressOpensAnEmptyMessageAndARefusalIsReported) {
  AddCelebration("101", "07.12.2026", "1", "Иван", "Foto=\r\n");
  ASSERT_FALSE(Start());
  Advance(800);
  ASSERT_TRUE(Form4->Visible());
  ASSERT_EQ(Form4->greetingAddress, "");
  Form4->BitBtn2->Click();
  ASSERT_EQ(platform->fakeShell().calls.size(), 1u);
  testing_support::ExpectShellOpen(platform->fakeShell().calls[0], "mailto:", "", "");
  EXPECT_TRUE(Shown().empty());

  // No mail program: the shell refuses, and the user learns of it.
  platform->fakeShell().result = 31;  // no application is associated
  Form4->BitBtn2->Click();
  const auto& boxes = platform->fakeDialogs().shown;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, std::string(kNoMailProgramText) + "mailto:");
  EXPECT_EQ(boxes[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_EQ(boxes[0].caption, "Horavo");
  EXPECT_TRUE(Form4->Visible());
}

TEST_F(NotifyTest, ABirthdayAndALaterHolidayShowBothAndTheHolidaysPhotoWins) {
  dir.Write("a.bmp", SolidBitmap(4, 4, 0xFF0000));
  dir.Write("b.bmp", SolidBitmap(4, 4, 0x0000FF));
  AddCelebration("101", "07.12.2026", "1", "Иван", "Foto=" + dir.Str() + "a.bmp\r\n");
  AddCelebration("102", "07.12.2026", "0", "Новый год", "Foto=" + dir.Str() + "b.bmp\r\n");
  AddCelebration("103", "07.12.2026", "0", "Рождество");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_TRUE(Form4->Visible());
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form4->RichEdit1->Text(), "Иван");
  EXPECT_EQ(Form5->RichEdit1->Text(), "Рождество а также Новый год");
  EXPECT_EQ(Form4->Image1->Picture(), ui::Image(4, 4, 0x0000FF));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(NotifyTest, WhatIsAnnouncedAndWhatIsNot) {
  // No "Brith?": a holiday. Last year's birthday: not today. Another day: nothing.
  AddCelebration("101", "07.12.2026", "", "Праздник");
  AddCelebration("102", "07.12.2025", "1", "Иван");
  AddCelebration("103", "08.12.2026", "1", "Пётр");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->RichEdit1->Text(), "Праздник");
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Shown().empty());
}

// Unticked in the event list ("active" is "0") means off for the announcements too: no text,
// no photo, no greeting address. Any other value is on, as for the scan.
TEST_F(NotifyTest, ACelebrationSwitchedOffIsNeitherAnnouncedNorOfferedForAGreeting) {
  dir.Write("a.bmp", SolidBitmap(4, 4, 0xFF0000));
  AddCelebration("101", "07.12.2026", "1", "Иван", "Foto=\r\nEmail=ivan@mail.ru\r\nactive=yes\r\n");
  AddCelebration("102", "07.12.2026", "1", "Пётр",
                 "Foto=" + dir.Str() + "a.bmp\r\nEmail=petr@bk.ru\r\nactive=0\r\n");
  AddCelebration("103", "07.12.2026", "0", "Новый год", "active=\r\n");
  AddCelebration("104", "07.12.2026", "0", "Рождество", "active=0\r\n");
  ASSERT_FALSE(Start());
  Advance(800);
  ASSERT_TRUE(Form4->Visible());
  EXPECT_EQ(Form4->RichEdit1->Text(), "Иван");
  EXPECT_EQ(Form4->greetingAddress, "ivan@mail.ru");
  EXPECT_NE(Form4->Image1->Picture(), ui::Image(4, 4, 0xFF0000));
  ASSERT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->RichEdit1->Text(), "Новый год");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(NotifyTest, NothingIsAnnouncedWhenEveryCelebrationOfTheDayIsSwitchedOff) {
  AddCelebration("101", "07.12.2026", "1", "Иван", "Email=ivan@mail.ru\r\nactive=0\r\n");
  AddCelebration("102", "07.12.2026", "0", "Праздник", "active= 0\r\n");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_FALSE(Form4->Visible());
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(Form4->greetingAddress, "");
  EXPECT_TRUE(platform->fakeSound().played.empty());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(NotifyTest, HolidaysCanBeTurnedOffBirthdaysStay) {
  SetConfig("[Clock]\r\nRunTray=0\r\nShowHolydays=0\r\n");
  AddCelebration("101", "07.12.2026", "0", "Праздник");
  AddCelebration("102", "07.12.2026", "1", "Иван");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_TRUE(Form4->Visible());
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(Form5->RichEdit1->Text(), kHolidayErrorText);
}

TEST_F(NotifyTest, AMissingSideFileEndsTheAnnouncementsWithTheErrorBox) {
  AddCelebration("101", "07.12.2026", "0", "");
  AddCelebration("102", "07.12.2026", "1", "Иван");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Не удалось открыть файл \"" + dir.Str() +
                                             "days\\101.zqd\": файл не найден."});
  EXPECT_EQ(platform->fakeDialogs().shown[0].flags, ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG);
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->RichEdit1->Text(), kHolidayErrorText);
  EXPECT_FALSE(Form4->Visible());
  Advance(5000);
  EXPECT_EQ(Shown().size(), 1u);  // the announcements ran once
}

TEST_F(NotifyTest, TheProgramStartsInTheTrayByDefault) {
  SetConfig("");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_TRUE(Form1->TrayIcon1->Visible());
  EXPECT_FALSE(Form1->Visible());
}

TEST_F(NotifyTest, ABirthdayBringsTheProgramBackFromTheTray) {
  SetConfig("");
  AddCelebration("101", "07.12.2026", "1", "Иван");
  ASSERT_FALSE(Start());
  Advance(800);
  EXPECT_FALSE(Form1->TrayIcon1->Visible());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_TRUE(Form4->Visible());
}

// ---- Holiday window

TEST_F(NotifyTest, HolidayWindowFadesInHoldsFadesOutAndCloses) {
  ASSERT_FALSE(Start());
  Form5->Show();
  EXPECT_TRUE(Form5->AlphaBlend());
  EXPECT_EQ(Form5->AlphaBlendValue(), 0);
  EXPECT_EQ(Form5->Left(), 821);
  EXPECT_EQ(Form5->Top(), 496);
  Advance(100);
  EXPECT_EQ(Form5->AlphaBlendValue(), 1);
  EXPECT_EQ(Form5->Timer1->Interval(), 10);
  Advance(2530);
  EXPECT_EQ(Form5->AlphaBlendValue(), 254);
  Advance(10);  // 255 steps of 10 ms after the first tick
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  EXPECT_EQ(Form5->Timer1->Interval(), 6000);
  Advance(5999);
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  Advance(1);
  EXPECT_EQ(Form5->AlphaBlendValue(), 254);
  EXPECT_EQ(Form5->Timer1->Interval(), 100);
  Advance(25300);
  EXPECT_EQ(Form5->AlphaBlendValue(), 1);
  EXPECT_TRUE(Form5->Visible());
  Advance(100);
  EXPECT_FALSE(Form5->Visible());
  // Shown again later it is opaque, and nothing fades it any more.
  Form5->Show();
  Advance(60000);
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
}

TEST_F(NotifyTest, HiddenHolidayWindowFadesWithoutTimerStepsAndShowsWhereTheFadeStands) {
  ASSERT_FALSE(Start());
  Advance(100);  // the first step, on a hidden window, stops the timer
  EXPECT_FALSE(Form5->Timer1->Enabled());
  Advance(700);
  EXPECT_EQ(Form5->AlphaBlendValue(), 1);
  Form5->ShowHoliday(Holiday());  // 800 ms after start: 70 more steps of 10 ms were due
  EXPECT_EQ(Form5->AlphaBlendValue(), 71);
  EXPECT_TRUE(Form5->Timer1->Enabled());
  Advance(1840);
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  Advance(6000 + 25500);
  EXPECT_FALSE(Form5->Visible());
}

TEST_F(NotifyTest, HolidayShownAfterTheHiddenFadeEndedStaysOpaque) {
  ASSERT_FALSE(Start());
  Advance(40000);
  Form5->ShowHoliday(Holiday());
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  EXPECT_FALSE(Form5->Timer1->Enabled());
  Advance(60000);
  EXPECT_TRUE(Form5->Visible());
}

TEST_F(NotifyTest, DoubleClickKeepsTheHolidayWindow) {
  ASSERT_FALSE(Start());
  Form5->Show();
  Advance(1000);
  Form5->Label1->DblClick();
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
  Advance(60000);
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->AlphaBlendValue(), 255);
}

TEST_F(NotifyTest, TheClosePictureLightsUpUnderThePointerAndCloses) {
  ASSERT_FALSE(Start());
  Form5->Show();
  ui::TPanel* panel = Form5->Panel1;
  panel->RouteMouseMove(0, {180, 10});
  EXPECT_FALSE(Form5->Image1->Visible());
  EXPECT_TRUE(Form5->Image2->Visible());
  panel->RouteMouseMove(0, {90, 100});
  EXPECT_TRUE(Form5->Image1->Visible());
  EXPECT_FALSE(Form5->Image2->Visible());
  panel->RouteMouseMove(0, {180, 10});
  panel->RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, {180, 10});
  panel->RouteMouseUp(ui::TMouseButton::mbLeft, 0, {180, 10});
  EXPECT_FALSE(Form5->Visible());
}

// ---- Reminder window and snapping

TEST_F(NotifyTest, ReminderShowsItsSideFileCentred) {
  dir.Write("notes/5.zqt", "{\\rtf1\\ansi\\ansicpg1251 \\'c2\\'f1\\'f2\\'f0\\'e5\\'f7\\'e0\\par \\b 10:00\\b0\\par}");
  ASSERT_FALSE(Start());
  Form3->ShowReminder(dir.Str() + "notes\\5.zqt");
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text(), "Встреча\r\n10:00");
  EXPECT_EQ(Form3->BitBtn1->Glyph(), LibraryBitmap("OK"));
  EXPECT_EQ(Form3->BoundsRect(), (ui::TRect{309, 293, 309 + 405, 293 + 182}));
  ASSERT_EQ(platform->fakeSound().played.size(), 1u);
  Form3->BitBtn1->Click();
  EXPECT_FALSE(Form3->Visible());

  // A reminder without its file: the window shows with the text it had, and the error goes on.
  EXPECT_THROW(Form3->ShowReminder(dir.Str() + "notes\\6.zqt"), platform::FileError);
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text(), "Встреча\r\n10:00");
}

TEST_F(NotifyTest, DraggedWindowsSnapToTheEdges) {
  ASSERT_FALSE(Start());
  auto press = [](ui::TControl* c) { c->MouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, 5, 5); };
  Form3->SetBounds(600, 100, Form3->Width(), Form3->Height());
  press(Form3->Panel1);
  EXPECT_EQ(Form3->Left(), 619);
  EXPECT_EQ(Form3->Top(), 100);
  Form3->SetBounds(300, 40, Form3->Width(), Form3->Height());
  press(Form3->Panel1);
  EXPECT_EQ(Form3->Top(), 40);  // the panel's threshold is 30
  press(Form3->RichEdit1);
  EXPECT_EQ(Form3->Top(), 0);  // the text's is 60
  Form3->SetBounds(25, 510, Form3->Width(), Form3->Height());
  press(Form3->Panel1);
  EXPECT_EQ(Form3->BoundsRect().left, 0);
  EXPECT_EQ(Form3->Top(), 567);

  // The wider birthday window stops at the right edge instead of hanging over it.
  Form4->SetBounds(600, 20, Form4->Width(), Form4->Height());
  press(Form4->Label1);
  EXPECT_EQ(Form4->Left(), 1024 - 504);
  EXPECT_EQ(Form4->Top(), 0);
}

TEST(NoticeSnapTest, NumbersMoveWithTheScreensEdges) {
  using notify::SnapNotice;
  EXPECT_EQ(SnapNotice({558, 506}, {405, 182}, {1024, 768}, 30), (ui::TPoint{558, 506}));
  EXPECT_EQ(SnapNotice({559, 507}, {405, 182}, {1024, 768}, 30), (ui::TPoint{619, 567}));
  EXPECT_EQ(SnapNotice({30, 31}, {405, 182}, {1024, 768}, 30), (ui::TPoint{0, 31}));
  EXPECT_EQ(SnapNotice({1500, 900}, {405, 182}, {1920, 1080}, 30), (ui::TPoint{1515, 879}));
  EXPECT_EQ(SnapNotice({1200, 500}, {405, 182}, {1920, 1080}, 30), (ui::TPoint{1200, 500}));
}

// ---- Greeting address window

TEST_F(NotifyTest, GreetingAddressIsComposedFromItsThreeFields) {
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form7->ListBox1->Items(), (std::vector<std::string>{"mail", "yandex"}));
  EXPECT_EQ(Form7->ListBox2->Items(), (std::vector<std::string>{"gmail", "hotmail"}));
  EXPECT_EQ(Form7->BorderStyle(), ui::TBorderStyle::bsDialog);
  EXPECT_EQ(Form7->ClientWidth(), 332);
  EXPECT_EQ(Form7->ClientHeight(), 160);
  std::vector<std::string> chosen;
  Form7->OnAddressChosen = [&](const std::string& a) { chosen.push_back(a); };

  Form7->Show();
  Form7->Edit1->TextEdited("ivan");
  Form7->ListBox2->ItemPicked(0);
  Form7->ListBox1->ItemPicked(1);
  Form7->Button2->Click();
  EXPECT_EQ(Form7->Edit2->Text(), "yandex");
  EXPECT_EQ(Form7->Edit3->Text(), "com");
  Form7->Button1->Click();
  Form7->Button3->Click();
  EXPECT_EQ(chosen, std::vector<std::string>{"ivan@yandex.ru"});
  EXPECT_FALSE(Form7->Visible());

  // Cancelling, by the button or by the close box, changes nothing.
  Form7->Show();
  Form7->Button4->Click();
  EXPECT_FALSE(Form7->Visible());
  Form7->Show();
  Form7->SystemCommand(ui::SC_CLOSE_COMMAND);
  EXPECT_FALSE(Form7->Visible());
  EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(NotifyTest, AMissingDomainListIsReportedAtStartAndTheProgramRuns) {
  dir.Remove("Cfg/com_domens.txt");
  ASSERT_FALSE(Start());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Не удалось открыть файл \"" + dir.Str() +
                                             "Cfg\\com_domens.txt\": файл не найден."});
  EXPECT_EQ(Form7->ListBox1->Count(), 2);
  EXPECT_EQ(Form7->ListBox2->Items(), std::vector<std::string>{"Домен"});
  EXPECT_TRUE(Form1->Visible());
}

}  // namespace

namespace {

// The lists shipped beside the program: bare domain names (the suffix is a field of its own),
// one per CR LF line, a useful number of them.
TEST(ShippedDomainListsTest, HoldBareDomainNames) {
  for (const char* name : {"ru_domens.txt", "com_domens.txt"}) {
    auto text = platform::ReadFile(std::string(HORAVO_SOURCE_DIR) + "/data/Cfg/" + name);
    ASSERT_TRUE(text) << name;
    ASSERT_TRUE(text->size() >= 2 && text->substr(text->size() - 2) == "\r\n") << name;
    std::size_t lines = 0, start = 0;
    for (std::size_t end; (end = text->find("\r\n", start)) != std::string::npos; start = end + 2) {
      std::string domain = text->substr(start, end - start);
      ++lines;
      EXPECT_FALSE(domain.empty()) << name;
      for (char c : domain) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-') << domain;
    }
    EXPECT_GE(lines, 10u) << name;
    EXPECT_LE(lines, 30u) << name;
    EXPECT_EQ(text->find('\n'), text->find("\r\n") + 1) << name;
  }
}

}  // namespace
