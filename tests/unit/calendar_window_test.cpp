// The calendar window in a whole program: opened from the clock's menu (which is also the tray
// icon's) and with Ctrl+K, made at its first opening, its day list and bold days following the
// store, and a double click leading to the event editor.
#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/calendar_window.h"
#include "settings/city_clocks.h"
#include "tests/unit/program_fixture.h"

using testing_support::EventsProgramTest;

namespace {

platform::DateTime Day(int y, int m, int d) { return platform::CivilFromDays(platform::DaysFromCivil(y, m, d)); }

class CalendarWindowTest : public EventsProgramTest {
 protected:
  void StartOn(int y, int mo, int d, const std::string& config = "[Clock]\r\nRunTray=0\r\n") {
    EndInstance();
    dir.Write("Cfg/Clock_config.ini", config);
    SetClock(y, mo, d, 10, 0, 0);
    ASSERT_FALSE(Start());
  }
  TCalendarForm* Calendar() { return Form1->calendarWindow ? Form1->calendarWindow() : nullptr; }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    ui::TListView& list = *Calendar()->ListView1;
    for (int i = 0; i < list.ItemCount(); ++i)
      rows.push_back(list.Item(i).Caption() + " | " + list.Item(i).Text(1) + " | " + list.Item(i).Text(2));
    return rows;
  }
  ui::TMenuItem* CalendarItem() {
    for (ui::TMenuItem* item : Form1->PopupMenu2->Items()->Items())
      if (item->Caption == "Календарь...") return item;
    return nullptr;
  }
};

TEST_F(CalendarWindowTest, TheClocksMenuOpensItWithTodaysEventsAndItIsMadeOnlyThen) {
  StoreEvent("10", "5", "18:30:00", "08.12.2026", "1", "", "{\\rtf1\\ansi Купить хлеб\\par}");
  StoreEvent("11", "0", "07:00:00", "01.01.2026", "2");
  StartOn(2026, 12, 8);
  for (const auto& form : program->Application().Forms()) EXPECT_EQ(dynamic_cast<TCalendarForm*>(form.get()), nullptr);

  ui::TMenuItem* item = CalendarItem();
  ASSERT_NE(item, nullptr);
  // The tray icon's menu is the same menu.
  EXPECT_EQ(Form1->TrayIcon1->PopupMenu(), Form1->PopupMenu2);
  item->Click();
  TCalendarForm* calendar = Calendar();
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->Visible());
  EXPECT_EQ(Rows(), (std::vector<std::string>{"07:00:00 | Сигнал | Сигнал",
                                               "18:30:00 | Напоминание текстом | Купить хлеб"}));
  EXPECT_EQ(calendar->MonthCalendar1->DayStates(2026, 12, 1), std::vector<std::uint32_t>{0x7fffffffu});
  EXPECT_FALSE(calendar->Label3->Visible());

  // Esc closes it; Ctrl+K on the clock opens it again, the same window.
  EXPECT_TRUE(calendar->KeyDown(ui::kKeyEscape, 0));
  EXPECT_FALSE(calendar->Visible());
  EXPECT_TRUE(Form1->KeyDown(ui::kKeyK, ui::ssCtrl));
  EXPECT_TRUE(calendar->Visible());
  EXPECT_EQ(Calendar(), calendar);
  EXPECT_FALSE(Form1->KeyDown(ui::kKeyK, 0));
  // Another window taking the foreground closes it.
  calendar->Deactivated();
  EXPECT_FALSE(calendar->Visible());
}

TEST_F(CalendarWindowTest, ItOpensBesideTheClockWholeOnItsMonitor) {
  StartOn(2026, 12, 8);
  Form1->SetBounds(900, 700, Form1->Width(), Form1->Height());
  CalendarItem()->Click();
  const ui::TRect r = Calendar()->ScreenRect();
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.right, 1024);
  EXPECT_LE(r.bottom, 768);
  EXPECT_LE(r.bottom, Form1->ScreenRect().top);  // above the clock in the lower right corner
}

TEST_F(CalendarWindowTest, TheListFollowsTheChosenDayAndTheStoresChanges) {
  StartOn(2026, 12, 8);
  CalendarItem()->Click();
  TCalendarForm* calendar = Calendar();
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(calendar->Label3->Visible());
  EXPECT_EQ(calendar->Label3->Caption(), "Ничего не запланировано");

  // An event added through the program's store shows at once, bold and listed.
  events::EventRecord e;
  e.number = "20";
  e.type = "0";
  e.time = "09:00:00";
  e.date = "09.12.2026";
  e.period = "1";
  program->Store().AddEvent(e);
  EXPECT_EQ(calendar->MonthCalendar1->DayStates(2026, 12, 1), std::vector<std::uint32_t>{1u << 8});
  calendar->MonthCalendar1->SelectionEdited(Day(2026, 12, 9), Day(2026, 12, 9), true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"09:00:00 | Сигнал | Сигнал"}));
  program->Store().Write("20", "active", "0");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"09:00:00 | Сигнал | Сигнал (выключено)"}));
  EXPECT_TRUE(calendar->ListView1->Item(0).Greyed());
  EXPECT_EQ(calendar->MonthCalendar1->DayStates(2026, 12, 1), std::vector<std::uint32_t>{0});

  // A range counts its days.
  calendar->MonthCalendar1->SelectionEdited(Day(2026, 12, 25), Day(2027, 1, 7), true);
  EXPECT_EQ(calendar->Label2->Caption(), "Дней: 14 (2 нед.)");
}

TEST_F(CalendarWindowTest, ADoubleClickOnADayOpensTheEditorInRecordModeWithThatDate) {
  StartOn(2026, 12, 8);
  CalendarItem()->Click();
  TCalendarForm* calendar = Calendar();
  calendar->MonthCalendar1->DayDoubleClicked(Day(2026, 12, 24));
  EXPECT_FALSE(calendar->Visible());
  ASSERT_TRUE(Form2->Visible());
  EXPECT_TRUE(Form2->Recording());
  EXPECT_EQ(Form2->PageControl1->ActivePageIndex(), 0);
  const platform::DateTime& date = Form2->DateTimePicker2->DateTime();
  EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 20261224);
}

TEST_F(CalendarWindowTest, ADoubleClickOnAnEventShowsItInTheEventList) {
  StoreEvent("30", "1", "12:00:00", "08.12.2026", "1", "C:\\x\\report.doc");
  // The placeholders the detail view loads for the other types, as the program ships them.
  dir.Write("notes/-1.zqt", "");
  dir.Write("days/-1.zqd", "");
  StartOn(2026, 12, 8);
  CalendarItem()->Click();
  TCalendarForm* calendar = Calendar();
  calendar->ListView1->SetItemIndex(0);
  calendar->ListView1->DblClick();
  ASSERT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form2->Recording());
  ASSERT_NE(Form2->ListView1->Selected(), nullptr);
  EXPECT_EQ(Form2->ListView1->Selected()->Caption(), "30");
  EXPECT_EQ(Form2->Edit3->Text(), "C:\\x\\report.doc");
}

TEST_F(CalendarWindowTest, OtherCitiesShowAtTheTopAndInTheTrayHint) {
  StartOn(2026, 12, 8,
          "[Clock]\r\nRunTray=0\r\nCalendarMonths=3\r\n[Cities]\r\nName1=Токио\r\nZone1=Tokyo Standard Time\r\n");
  CalendarItem()->Click();
  TCalendarForm* calendar = Calendar();
  EXPECT_TRUE(calendar->CityLabels[0]->Visible());
  EXPECT_EQ(calendar->CityLabels[0]->Caption(), "Токио 16:00");
  EXPECT_FALSE(calendar->CityLabels[1]->Visible());
  EXPECT_EQ(calendar->MonthCalendar1->MonthCount(), 3);
  Advance(1000);
  EXPECT_NE(Form1->TrayIcon1->Hint().find("\nТокио 16:00"), std::string::npos) << Form1->TrayIcon1->Hint();
  EXPECT_LE(Form1->TrayIcon1->Hint().size(), 63u);
}

TEST_F(CalendarWindowTest, TheSettingsTabAddsAndRemovesCitiesAndTheTrayHintFollows) {
  StartOn(2026, 12, 8);
  settings::CityClocksGroup& group = *Form2->CityClocks;
  EXPECT_TRUE(group.ZoneList->Items().empty());  // the system is asked when the tab is shown
  Form2->PageControl3->SetActivePageIndex(3);
  Form2->PageControl3->OnChange(Form2->PageControl3);
  ASSERT_FALSE(group.ZoneList->Items().empty());
  auto zone = [&](const std::string& display) {
    const auto& items = group.ZoneList->Items();
    return int(std::find(items.begin(), items.end(), display) - items.begin());
  };

  group.NameEdit->SetText("  Токио ");
  group.ZoneList->SetItemIndex(zone("(UTC+09:00) Токио"));
  group.AddButton->Click();
  group.NameEdit->SetText("Без пояса");  // no zone chosen: nothing is added
  group.ZoneList->SetItemIndex(-1);
  group.AddButton->Click();
  group.NameEdit->SetText("Нью-Йорк");
  group.ZoneList->SetItemIndex(zone("(UTC-05:00) Нью-Йорк"));
  group.AddButton->Click();
  EXPECT_EQ(group.CityList->Items(),
            (std::vector<std::string>{"Токио — Tokyo Standard Time", "Нью-Йорк — Eastern Standard Time"}));
  EXPECT_NE(Config().find("[Cities]\r\nName1=Токио\r\nZone1=Tokyo Standard Time\r\nName2=Нью-Йорк\r\n"
                          "Zone2=Eastern Standard Time\r\n"),
            std::string::npos)
      << Config();
  Advance(1000);
  EXPECT_NE(Form1->TrayIcon1->Hint().find("\nТокио 16:00\nНью-Йорк 02:00"), std::string::npos)
      << Form1->TrayIcon1->Hint();

  group.CityList->SetItemIndex(0);
  group.RemoveButton->Click();
  EXPECT_EQ(calendar::ReadCities(Form1->files.Config()), (std::vector<calendar::City>{{"Нью-Йорк", "Eastern Standard Time"}}));
  Advance(1000);
  EXPECT_EQ(Form1->TrayIcon1->Hint().find("Токио"), std::string::npos);
}

}  // namespace
