// The program's windows from the keyboard and for screen readers, on a whole headless program:
// each window's tab order, Enter and Esc, the clock's keys and what the face is called. The fake
// clock stands at 07.12.2026 09:05:07.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "clock/face_name.h"
#include "tests/unit/program_fixture.h"
#include "ui/application.h"

using testing_support::EventsProgramTest;

namespace {

class KeyboardWindowsTest : public EventsProgramTest {
 protected:
  KeyboardWindowsTest() { dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n"); }
  void StartProgram() { ASSERT_FALSE(Start()); }

  // Tab round the whole window: every stop once, in TabOrder's order, and back to the first.
  static void ExpectTabGoesRound(ui::TForm& form) {
    const std::vector<ui::TWinControl*> order = form.TabOrder();
    ASSERT_FALSE(order.empty()) << form.Name;
    form.SetActiveControl(nullptr);
    std::set<ui::TWinControl*> seen;
    for (ui::TWinControl* expected : order) {
      form.KeyDown(ui::kKeyTab, 0);
      EXPECT_EQ(form.ActiveControl(), expected) << form.Name << " " << expected->Name;
      seen.insert(form.ActiveControl());
    }
    EXPECT_EQ(seen.size(), order.size()) << form.Name;
    form.KeyDown(ui::kKeyTab, 0);
    EXPECT_EQ(form.ActiveControl(), order.front()) << form.Name;
  }
};

TEST_F(KeyboardWindowsTest, EveryWindowHasATabOrderAndEscClosesTheNoticesAndTools) {
  StartProgram();
  for (ui::TForm* form : std::initializer_list<ui::TForm*>{Form2, Form6, Form7, Form8}) {
    form->Show();
    ExpectTabGoesRound(*form);
  }
  // The settings window's first stops are the pages' tabs and the event list.
  Form2->SetActiveControl(nullptr);
  Form2->KeyDown(ui::kKeyTab, 0);
  EXPECT_EQ(Form2->ActiveControl(), Form2->PageControl1);

  // About has no buttons of its own kind; the colour picker has only a default button.
  for (ui::TForm* form : std::initializer_list<ui::TForm*>{Form6, Form8, Form7}) {
    form->Show();
    EXPECT_TRUE(form->KeyDown(ui::kKeyEscape, 0)) << form->Name;
    EXPECT_FALSE(form->Visible()) << form->Name;
  }
  // The greeting address window's Enter is "Вот так!".
  EXPECT_EQ(Form7->DefaultButton(), Form7->Button3);
  EXPECT_EQ(Form8->DefaultButton(), Form8->Button1);
}

TEST_F(KeyboardWindowsTest, TheReminderTakesTheFocusOnItsTextAndEnterOrEscConfirms) {
  StartProgram();
  dir.Write("notes/5.zqt", "Встреча");
  Form3->ShowReminder(dir.Str() + "notes\\5.zqt");
  ASSERT_TRUE(Form3->Visible());
  EXPECT_TRUE(Form3->FocusOnShow);
  EXPECT_EQ(Form3->ActiveControl(), Form3->RichEdit1);
  EXPECT_TRUE(Form3->KeyDown(ui::kKeyReturn, 0));
  EXPECT_FALSE(Form3->Visible());

  Form3->ShowReminder(dir.Str() + "notes\\5.zqt");
  EXPECT_TRUE(Form3->KeyDown(ui::kKeyEscape, 0));
  EXPECT_FALSE(Form3->Visible());
}

TEST_F(KeyboardWindowsTest, InRecordModeEnterCommitsAndEscCancelsInViewModeEscOnlyLeaves) {
  StartProgram();
  TForm2& w = *Form2;
  Form1->N8->Click();
  ASSERT_TRUE(w.Visible());
  EXPECT_EQ(w.CancelButton(), w.BitBtn5);  // "Выход", never "Удалить событие"
  EXPECT_EQ(w.DefaultButton(), nullptr);

  w.BitBtn4->Click();
  ASSERT_TRUE(w.Recording());
  const std::string number = w.Edit5->Text();
  EXPECT_EQ(w.DefaultButton(), w.BitBtn4);
  EXPECT_EQ(w.CancelButton(), w.BitBtn6);
  w.SetActiveControl(w.Edit5);
  EXPECT_TRUE(w.KeyDown(ui::kKeyReturn, 0));
  EXPECT_FALSE(w.Recording());
  EXPECT_NE(dir.Read("Gear/Events.txt").value_or("").find(number), std::string::npos);

  w.BitBtn4->Click();
  const std::string cancelled = w.Edit5->Text();
  EXPECT_TRUE(w.KeyDown(ui::kKeyEscape, 0));
  EXPECT_FALSE(w.Recording());
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(dir.Read("Gear/Events.txt").value_or("").find(cancelled), std::string::npos);
  const std::string stored = dir.Read("Gear/Events.txt").value_or("");

  // In view mode Esc is "Выход": the window closes, the selected event stays.
  EXPECT_TRUE(w.KeyDown(ui::kKeyEscape, 0));
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(dir.Read("Gear/Events.txt").value_or(""), stored);

  // Ctrl+Tab goes to the settings page and its own "Выход".
  Form1->N8->Click();
  w.KeyDown(ui::kKeyTab, ui::ssCtrl);
  EXPECT_EQ(w.PageControl1->ActivePageIndex(), 1);
  EXPECT_EQ(w.CancelButton(), w.BitBtn10);
}

TEST_F(KeyboardWindowsTest, TheClocksKeys) {
  StartProgram();
  TForm1& clock = *Form1;
  ASSERT_EQ(clock.ActiveControl(), nullptr);
  const int left = clock.Left(), top = clock.Top();

  EXPECT_TRUE(clock.KeyDown(ui::kKeyRight, 0));
  EXPECT_TRUE(clock.KeyDown(ui::kKeyDown, ui::ssShift));
  EXPECT_EQ(clock.Left(), left + 1);
  EXPECT_EQ(clock.Top(), top + 10);
  clock.KeyDown(ui::kKeyLeft, ui::ssShift);
  clock.KeyDown(ui::kKeyUp, 0);
  EXPECT_EQ(clock.Left(), left - 9);
  EXPECT_EQ(clock.Top(), top + 9);
  // Ctrl with an arrow is no move.
  clock.KeyDown(ui::kKeyUp, ui::ssCtrl);
  EXPECT_EQ(clock.Top(), top + 9);

  EXPECT_TRUE(clock.KeyDown(ui::kKeyApps, 0));
  EXPECT_TRUE(clock.KeyDown(ui::kKeyF10, ui::ssShift));
  EXPECT_EQ(clock.PopupMenu2->PopupCount(), 2);
  clock.KeyDown(ui::kKeyF10, 0);  // F10 alone is not the menu
  EXPECT_EQ(clock.PopupMenu2->PopupCount(), 2);

  EXPECT_TRUE(clock.KeyDown(ui::kKeyReturn, 0));
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(Form2->PageControl1->ActivePageIndex(), 0);

  // Esc hides the clock to the tray; it never closes the program.
  EXPECT_TRUE(clock.KeyDown(ui::kKeyEscape, 0));
  EXPECT_TRUE(clock.TrayIcon1->Visible());
  EXPECT_FALSE(clock.Visible());
  EXPECT_FALSE(ui::Application().Terminated());
  clock.KeyDown(ui::kKeyEscape, 0);
  EXPECT_TRUE(clock.TrayIcon1->Visible());
}

TEST_F(KeyboardWindowsTest, TheFaceIsNamedByWhatItShows) {
  StartProgram();
  TForm1& clock = *Form1;
  Advance(1000);
  const std::string time = clock.Label2->Caption() + ":" + clock.Label3->Caption() + ":" + clock.Label4->Caption();
  EXPECT_EQ(clock.AccessibleName(), time + " 07.12.2026");
  EXPECT_EQ(clock.MinimBut->AccessibleName(), "Свернуть в трей");
  EXPECT_EQ(clock.CloseBut->AccessibleName(), "Закрыть");
  EXPECT_EQ(clock.Caption(), "Horavo");  // the window's title stays
  // In high contrast the face keeps its skin; the other windows take the system's colours.
  clock.SystemColorsChanged(true);
  Form2->SystemColorsChanged(true);
  EXPECT_FALSE(clock.InSystemColors());
  EXPECT_TRUE(Form2->InSystemColors());

  clock.Label2->Click();  // the stopwatch
  Advance(20);
  EXPECT_EQ(clock.AccessibleName().rfind("Секундомер ", 0), 0u) << clock.AccessibleName();
  clock.Label2->Click();
  clock.Label1->Click();  // the uptime in the date's place
  Advance(1000);
  EXPECT_NE(clock.AccessibleName().find(", Время работы Windows "), std::string::npos) << clock.AccessibleName();
}

TEST(FaceNameRules, ReadingsAndAnnouncements) {
  clockface::FaceReading r{"09", "05", "07", true, "07.12.2026", false, false};
  EXPECT_EQ(clockface::FaceName(r), "09:05:07 07.12.2026");
  r.showsThird = false;
  EXPECT_EQ(clockface::FaceName(r), "09:05 07.12.2026");
  const std::string minute = clockface::FaceAnnouncementKey(r);
  r.third = "08";
  EXPECT_EQ(clockface::FaceAnnouncementKey(r), minute);  // a new second is not announced
  r.second = "06";
  EXPECT_NE(clockface::FaceAnnouncementKey(r), minute);
  r.uptime = true;
  r.dateLine = "3:04:05";
  EXPECT_EQ(clockface::FaceName(r), "09:06, Время работы Windows 3:04:05");

  clockface::FaceReading stopwatch{"0", "12", "05", false, "07.12.2026", true, false};
  EXPECT_EQ(clockface::FaceName(stopwatch), "Секундомер 0:12:05");
  const std::string running = clockface::FaceAnnouncementKey(stopwatch);
  stopwatch.third = "06";
  EXPECT_EQ(clockface::FaceAnnouncementKey(stopwatch), running);
}

}  // namespace
