// The settings window's event list on a whole headless program: filters, the rows, the detail
// view in the editor, deleting, the test run, and the refresh after the scheduler removed an
// event. The fake clock stands at 07.12.2026 09:05:07 (a Monday).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "config/convert.h"
#include "events/store_changes.h"
#include "events/scheduler.h"
#include "platform/files.h"
#include "tests/unit/program_fixture.h"

using testing_support::ProgramTest;

namespace {

using Numbers = std::vector<std::string>;

class EventListTest : public ProgramTest {
 protected:
  EventListTest() {
    dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
    // The placeholders shipped beside the program.
    dir.Write("notes/-1.zqt", "нет текста");
    dir.Write("days/-1.zqd", "нет праздника");
  }

  // A store of one event of each type, listed in this order, with a listed number "77" that
  // has no section. The side files' paths were stored under `storedDir`.
  void SeedEachType(const std::string& storedDir = "D:\\Old\\") {
    dir.Write("Gear/Events.txt", "10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n77\r\n17\r\n");
    dir.Write("Gear/gear.ini",
              "[10]\r\ntime=10:00:00\r\ndate=07.12.2026\r\ntype=0\r\nms=250\r\nhz=440\r\nperiod=2\r\n"
              "[11]\r\ntime=11:00:00\r\ndate=08.12.2026\r\ntype=1\r\npathtofile=C:\\Tools\\run.bat\r\nperiod=1\r\n"
              "active=0\r\n"
              "[12]\r\ntime=12:00:00\r\ndate=09.12.2026\r\ntype=2\r\nperiod=3\r\n"
              "[13]\r\ntime=13:00:00\r\ndate=10.12.2026\r\ntype=3\r\nperiod=4\r\nMon=0\r\nTue=1\r\nWed=0\r\n"
              "Thu=1\r\nFri=0\r\nSat=1\r\n"
              "[14]\r\ntime=14:00:00\r\ndate=11.12.2026\r\ntype=4\r\nperiod=1\r\n"
              "[15]\r\ntime=15:00:00\r\ndate=12.12.2026\r\ntype=5\r\npathtotxt=" + storedDir + "notes\\15.zqt\r\nperiod=1\r\n"
              "[16]\r\ntime=16:00:00\r\ndate=13.12.2026\r\ntype=6\r\npathtobirthday=" + storedDir + "days\\16.zqd\r\n"
              "Brith?=1\r\nFoto=\r\nEmail=\r\n"
              "[17]\r\ntime=17:00:00\r\ndate=14.12.2026\r\ntype=6\r\npathtobirthday=" + storedDir + "days\\17.zqd\r\n"
              "Brith?=0\r\n");
    dir.Write("notes/15.zqt", "Позвонить маме");
    dir.Write("days/16.zqd", "Иван Петров");
    dir.Write("days/17.zqd", "Новый год");
  }

  TForm2& Open() {
    EXPECT_FALSE(Start());
    Form1->N8->Click();  // "Добавить событие"
    return *Form2;
  }

  Numbers Captions() const {
    Numbers rows;
    for (int i = 0; i < Form2->ListView1->ItemCount(); ++i) rows.push_back(Form2->ListView1->Item(i).Caption());
    return rows;
  }
  int RowOf(const std::string& number) const {
    for (int i = 0; i < Form2->ListView1->ItemCount(); ++i)
      if (Form2->ListView1->Item(i).Caption() == number) return i;
    ADD_FAILURE() << number << " is not listed";
    return -1;
  }
  // The user presses a speed button with the mouse.
  static void Press(ui::TSpeedButton* button) {
    const ui::TPoint at{button->Left() + 5, button->Top() + 5};
    button->Parent()->RouteMouseDown(ui::TMouseButton::mbLeft, ui::ssLeft, at);
    button->Parent()->RouteMouseUp(ui::TMouseButton::mbLeft, ui::ssLeft, at);
  }
  void ClickRow(const std::string& number) { Form2->ListView1->ItemClicked(RowOf(number)); }
  std::string Gear() const { return dir.Read("Gear/gear.ini").value_or(""); }
  std::string List() const { return dir.Read("Gear/Events.txt").value_or(""); }
  std::string Shown(const ui::TDateTimePicker* picker, bool time) {
    return time ? platform->fakeClock().TimeText(picker->DateTime()) : platform->fakeClock().DateText(picker->DateTime());
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& shown : platform->fakeDialogs().shown) texts.push_back(shown.text);
    return texts;
  }
};

// ---- Rows and filters

TEST_F(EventListTest, ANewWindowListsEveryEventButCelebrationsInFileOrder) {
  SeedEachType();
  TForm2& w = Open();
  ui::TListView& list = *w.ListView1;
  EXPECT_TRUE(w.SpeedButton5->Down());
  EXPECT_FALSE(w.SpeedButton6->Down());
  EXPECT_EQ(w.listFilter, 8);
  EXPECT_EQ(Captions(), (Numbers{"10", "11", "12", "13", "14", "15", "77"}));

  // Columns with their widths and limits; together they fit inside the list beside a vertical
  // scroll bar. The user can widen "Тип" to 145.
  ASSERT_EQ(list.Columns().size(), 4u);
  const std::tuple<const char*, int, int, int> columns[] = {
      {"Код", 58, 58, 70}, {"Тип", 110, 70, 145}, {"Время", 65, 65, 75}, {"Число", 70, 70, 70}};
  int total = 0;
  for (std::size_t c = 0; c < 4; ++c) {
    EXPECT_EQ(list.Columns()[c].caption, std::get<0>(columns[c]));
    EXPECT_EQ(list.Columns()[c].width, std::get<1>(columns[c]));
    EXPECT_EQ(list.Columns()[c].minWidth, std::get<2>(columns[c]));
    EXPECT_EQ(list.Columns()[c].maxWidth, std::get<3>(columns[c]));
    total += list.Columns()[c].width;
  }
  EXPECT_LE(total + 4 + 17, list.Width());
  list.ColumnResized(1, 200);
  EXPECT_EQ(list.Columns()[1].width, 145);
  EXPECT_TRUE(list.GridLines());
  EXPECT_TRUE(list.RowSelect());
  EXPECT_TRUE(list.Checkboxes());
  EXPECT_TRUE(list.HotTrack());
  EXPECT_LT(list.Left() + list.Width(), 330);  // the editor begins right of it
  EXPECT_FALSE(w.Button2->Visible());

  // Row texts with the list's own defaults; the box follows "active".
  EXPECT_EQ(list.Item(0).SubItems(), (Numbers{"Сигнал", "10:00:00", "07.12.2026"}));
  EXPECT_TRUE(list.Item(0).Checked());
  EXPECT_EQ(list.Item(1).SubItems(), (Numbers{"Любой файл", "11:00:00", "08.12.2026"}));
  EXPECT_FALSE(list.Item(1).Checked());
  EXPECT_EQ(list.Item(4).Text(1), "Выключение");
  EXPECT_EQ(list.Item(5).Text(1), "Напоминание текстом");
  EXPECT_EQ(list.Item(6).SubItems(), (Numbers{"Любой файл", "1", "1"}));
  EXPECT_TRUE(list.Item(6).Checked());
}

TEST_F(EventListTest, ARowsBoxSwitchesItsEventOffAndOnForTheScheduler) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\first.bat\r\nperiod=2\r\n"
            "[2]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\second.bat\r\nperiod=2\r\n"
            "active=0\r\n");
  TForm2& w = Open();
  ui::TListView& list = *w.ListView1;
  EXPECT_TRUE(list.Item(RowOf("1")).Checked());  // no "active" is on
  EXPECT_FALSE(list.Item(RowOf("2")).Checked());
  list.CheckClicked(RowOf("1"));
  list.CheckClicked(RowOf("2"));
  EXPECT_NE(Gear().find("[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\first.bat\r\n"
                        "period=2\r\nactive=0\r\n"),
            std::string::npos)
      << Gear();
  EXPECT_NE(Gear().find("pathtofile=C:\\a\\second.bat\r\nperiod=2\r\nactive=1\r\n"), std::string::npos) << Gear();

  // With the window still open, only the event switched on runs at its second.
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Numbers{"second.bat"});
  EXPECT_EQ(program->Scheduler().Names(), (Numbers{"1", "2"}));  // both stay scheduled

  // A list built again shows the stored state.
  w.SpeedButton6->Click();
  w.SpeedButton5->Click();
  EXPECT_FALSE(list.Item(RowOf("1")).Checked());
  EXPECT_TRUE(list.Item(RowOf("2")).Checked());
}

TEST_F(EventListTest, ABoxOfAnEventThatIsGoneOrCannotBeWrittenStoresNothing) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n");
  dir.Write("Gear/gear.ini", "[1]\r\ntime=11:00:00\r\n[2]\r\ntime=12:00:00\r\n");
  TForm2& w = Open();
  ui::TListView& list = *w.ListView1;

  // "2" left the list file behind the window's back: no section comes back, the list follows.
  dir.Write("Gear/Events.txt", "1\r\n");
  dir.Write("Gear/gear.ini", "[1]\r\ntime=11:00:00\r\n");
  list.CheckClicked(RowOf("2"));
  EXPECT_EQ(Captions(), Numbers{"1"});
  EXPECT_EQ(Gear(), "[1]\r\ntime=11:00:00\r\n");

  // A detail file that cannot be written: the error goes to the user and the box shows what
  // is stored.
  dir.Remove("Gear/gear.ini");
  std::filesystem::create_directories(dir.Path() / "Gear" / "gear.ini");
  EXPECT_THROW(list.CheckClicked(RowOf("1")), platform::FileError);
  EXPECT_TRUE(list.Item(RowOf("1")).Checked());
}

TEST_F(EventListTest, FiltersListTheirTypesAndOnlyTheBirthdayViewListsCelebrations) {
  SeedEachType();
  TForm2& w = Open();
  const std::pair<ui::TMenuItem*, Numbers> onlyOneType[] = {{w.N2, {"10"}}, {w.N3, {"11", "77"}}, {w.N4, {"12"}},
                                                            {w.N5, {"13"}}, {w.N6, {"14"}},        {w.N7, {"15"}}};
  for (const auto& [item, rows] : onlyOneType) {
    item->Click();
    EXPECT_EQ(Captions(), rows) << item->Caption;
  }
  EXPECT_EQ(w.listFilter, 5);
  w.N10->Click();  // "Все" is the standard view: no birthdays
  EXPECT_EQ(w.listFilter, 8);
  EXPECT_EQ(Captions(), (Numbers{"10", "11", "12", "13", "14", "15", "77"}));

  Press(w.SpeedButton6);
  EXPECT_TRUE(w.SpeedButton6->Down());
  EXPECT_FALSE(w.SpeedButton5->Down());
  EXPECT_EQ(Captions(), (Numbers{"16", "17"}));
  EXPECT_EQ(w.ListView1->Item(0).Text(1), "День рождения/праздник");
  Press(w.SpeedButton5);
  EXPECT_TRUE(w.SpeedButton5->Down());
  EXPECT_EQ(Captions().size(), 7u);

  // The menu's items sit where the user finds them.
  ASSERT_EQ(w.PopupMenu1->Items()->Count(), 2);
  EXPECT_EQ(w.PopupMenu1->Items()->Items()[0]->Caption, "Показать...");
  EXPECT_EQ(w.PopupMenu1->Items()->Items()[1], w.N19);
  EXPECT_EQ(w.N19->Caption, "Тест!");
  EXPECT_EQ(w.N10->Parent(), w.N1);
  EXPECT_EQ(w.N10->Caption, "Все");
}

TEST_F(EventListTest, TheBirthdayViewHasNoContextMenu) {
  SeedEachType();
  TForm2& w = Open();
  ui::TListView& list = *w.ListView1;
  list.MouseMove(0, 20, 20);
  EXPECT_TRUE(list.ContextPopup({30, 40}));
  EXPECT_EQ(w.PopupMenu1->PopupCount(), 1);

  Press(w.SpeedButton6);
  list.MouseMove(0, 20, 20);
  EXPECT_FALSE(list.ContextPopup({30, 40}));
  EXPECT_EQ(w.PopupMenu1->PopupCount(), 1);

  Press(w.SpeedButton5);
  list.MouseMove(0, 20, 20);
  EXPECT_TRUE(list.ContextPopup({30, 40}));
  EXPECT_EQ(w.PopupMenu1->PopupCount(), 2);
}

TEST_F(EventListTest, ATypeThatIsNoNumberIsListedByNameButFailsATypeFilter) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini", "[1]\r\ntype=0\r\n[2]\r\ntype=x\r\n[3]\r\ntype=0\r\n");
  TForm2& w = Open();
  EXPECT_EQ(Captions(), (Numbers{"1", "2", "3"}));
  EXPECT_EQ(w.ListView1->Item(1).Text(1), "x");
  EXPECT_THROW(w.N2->Click(), config::EConvertError);
  EXPECT_EQ(Captions(), (Numbers{"1"}));  // the rows before the damaged one
}

TEST_F(EventListTest, CommittingInTheBirthdayViewKeepsThatViewAndRewritesTheWholeList) {
  SeedEachType();
  TForm2& w = Open();
  Press(w.SpeedButton6);
  w.BitBtn4->Click();
  EXPECT_TRUE(w.SpeedButton5->Down());  // only the button's look changes while recording
  EXPECT_EQ(w.listFilter, 6);
  w.PageControl2->TabClicked(6);
  const std::string number = w.Edit5->Text();
  w.BitBtn4->Click();
  EXPECT_TRUE(w.SpeedButton6->Down());
  EXPECT_EQ(Captions(), (Numbers{"16", "17", number}));
  EXPECT_EQ(List(), "10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n77\r\n17\r\n" + number + "\r\n");
  EXPECT_EQ(w.storedCodes, (Numbers{"10", "11", "12", "13", "14", "15", "16", "77", "17", number}));
  EXPECT_EQ(w.shownCodes, w.storedCodes);
}

// ---- The detail view

TEST_F(EventListTest, AnEventWithoutKeysShowsTheDetailViewsDefaults) {
  dir.Write("Gear/Events.txt", "404\r\n");
  TForm2& w = Open();
  ASSERT_EQ(Captions(), Numbers{"404"});
  EXPECT_EQ(w.ListView1->Item(0).SubItems(), (Numbers{"Любой файл", "1", "1"}));
  w.CheckBox1->SetChecked(true);
  ClickRow("404");
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(Shown(w.DateTimePicker1, true), "20:00:00");
  EXPECT_EQ(Shown(w.DateTimePicker2, false), "01.02.2003");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 0);  // the view's own default type
  EXPECT_EQ(w.Edit1->Text(), "800");
  EXPECT_EQ(w.Edit2->Text(), "1000");
  EXPECT_EQ(w.Edit3->Text(), program->Files().AppDir() + "horavo.exe");
  EXPECT_EQ(w.RichEdit1->Text(), "нет текста");
  EXPECT_EQ(w.RichEdit2->Text(), "нет праздника");
  EXPECT_EQ(w.Edit5->Text(), "404");
  EXPECT_TRUE(w.RadioButton1->Checked());
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_TRUE(w.DateTimePicker1->Visible());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  EXPECT_TRUE(w.CheckBox1->Checked());  // only a birthday's view touches the box
}

TEST_F(EventListTest, TheDetailViewShowsEachKindOfEvent) {
  SeedEachType();
  TForm2& w = Open();
  // An addition of a birthday, cancelled: the periodicity options stay disabled until the list
  // is clicked, even below its rows.
  w.BitBtn4->Click();
  w.PageControl2->TabClicked(6);
  w.BitBtn6->Click();
  const std::string drawn = w.Edit5->Text();
  ASSERT_FALSE(w.RadioButton2->Enabled());
  w.ListView1->ItemClicked(-1);
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{w.RadioButton1, w.RadioButton2, w.RadioButton3,
                                                               w.RadioButton4, w.Label2})
    EXPECT_TRUE(c->Enabled()) << c->Name;
  EXPECT_EQ(w.Edit5->Text(), drawn);

  ClickRow("10");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 0);
  EXPECT_EQ(w.Edit1->Text(), "440");
  EXPECT_EQ(w.Edit2->Text(), "250");
  EXPECT_TRUE(w.RadioButton2->Checked());
  EXPECT_FALSE(w.DateTimePicker2->Visible());
  EXPECT_FALSE(w.Label4->Visible());
  EXPECT_TRUE(w.DateTimePicker1->Visible());
  EXPECT_EQ(Shown(w.DateTimePicker1, true), "10:00:00");

  // Weekdays from their keys; a missing key counts as chosen. The list shows but is locked.
  ClickRow("13");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 3);
  EXPECT_TRUE(w.RadioButton4->Checked());
  EXPECT_TRUE(w.CheckListBox2->Visible());
  EXPECT_FALSE(w.CheckListBox2->Enabled());
  EXPECT_FALSE(w.DateTimePicker2->Visible());
  const bool marks[] = {false, true, false, true, false, true, true};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(w.CheckListBox2->Checked(k), marks[k]) << k;

  // A monthly event after it: every mark is cleared, the date is back.
  ClickRow("12");
  EXPECT_TRUE(w.RadioButton3->Checked());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  for (int k = 0; k < 7; ++k) EXPECT_FALSE(w.CheckListBox2->Checked(k));
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_EQ(Shown(w.DateTimePicker2, false), "09.12.2026");

  // A reminder's text comes from the program's own notes folder, whatever folder was stored.
  ClickRow("15");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 5);
  EXPECT_EQ(w.RichEdit1->Text(), "Позвонить маме");
  EXPECT_TRUE(w.RadioButton1->Checked());
  EXPECT_EQ(w.Edit5->Text(), "15");

  // A birthday: its page, its text from the days folder, the flag, no time picker.
  Press(w.SpeedButton6);
  ClickRow("16");
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 6);
  EXPECT_EQ(w.RichEdit2->Text(), "Иван Петров");
  EXPECT_TRUE(w.CheckBox1->Checked());
  EXPECT_FALSE(w.DateTimePicker1->Visible());
  EXPECT_FALSE(w.Label3->Visible());
  EXPECT_FALSE(w.Image3->Visible());
  EXPECT_FALSE(w.CheckListBox2->Visible());
  EXPECT_TRUE(w.DateTimePicker2->Visible());
  EXPECT_EQ(Shown(w.DateTimePicker2, false), "13.12.2026");
  ClickRow("17");
  EXPECT_FALSE(w.CheckBox1->Checked());
  EXPECT_EQ(w.RichEdit2->Text(), "Новый год");
  EXPECT_FALSE(w.Recording());  // showing an event never starts an addition
  EXPECT_TRUE(Errors().empty());
}

TEST_F(EventListTest, AMissingTextFileOrABadTimeStopsTheDetailViewWithTheErrorShown) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=08:00:00\r\ntype=5\r\npathtotxt=C:\\notes\\gone.zqt\r\n"
            "[2]\r\ntime=half past\r\ntype=0\r\nhz=123\r\n"
            "[3]\r\ntime=09:30:00\r\ntype=0\r\nhz=x\r\n");
  TForm2& w = Open();
  EXPECT_THROW(ClickRow("1"), platform::FileError);
  EXPECT_EQ(w.PageControl2->ActivePageIndex(), 5);
  EXPECT_EQ(w.Edit5->Text(), "00001");  // the steps after the load did not run

  try {
    ClickRow("2");
    ADD_FAILURE() << "a time that does not parse was shown";
  } catch (const config::EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "Значение 'half past' не является временем");
  }
  EXPECT_NE(w.Edit1->Text(), "123");

  // Texts are shown as stored; only the test run converts them.
  ClickRow("3");
  EXPECT_EQ(w.Edit1->Text(), "x");
  EXPECT_THROW(w.N19->Click(), config::EConvertError);
  EXPECT_TRUE(platform->fakeSound().beeps.empty());
}

// ---- Deleting

TEST_F(EventListTest, DeletingWithNothingSelectedOnlyAsksForARow) {
  SeedEachType();
  TForm2& w = Open();
  const std::string gear = Gear();
  w.BitBtn6->Click();  // "Удалить событие"
  ASSERT_EQ(Errors(), Numbers{"Выберите запись из левого списка которую нужно удалить..."});
  EXPECT_EQ(platform->fakeDialogs().shown[0].flags, unsigned(ui::MB_OK_FLAG | ui::MB_ICONERROR_FLAG));
  EXPECT_EQ(Gear(), gear);
  EXPECT_EQ(Captions().size(), 7u);
}

TEST_F(EventListTest, DeletingAsksFirstAndThenEmptiesTheDetailView) {
  SeedEachType();
  TForm2& w = Open();
  ClickRow("15");
  ASSERT_EQ(w.RichEdit1->Text(), "Позвонить маме");
  const std::string gear = Gear();
  platform->fakeDialogs().answers = {ui::ID_NO};
  w.BitBtn6->Click();  // "Удалить событие"
  ASSERT_EQ(Errors(), Numbers{"Удалить событие 15?"});
  const auto& question = platform->fakeDialogs().shown[0];
  EXPECT_EQ(question.caption, "Horavo");
  EXPECT_EQ(question.flags, unsigned(ui::MB_YESNO_FLAG | ui::MB_ICONQUESTION_FLAG));
  // "Нет" keeps everything.
  EXPECT_EQ(Gear(), gear);
  EXPECT_TRUE(dir.Exists("notes/15.zqt"));
  EXPECT_EQ(RowOf("15"), w.ListView1->ItemIndex());
  EXPECT_EQ(w.Edit5->Text(), "15");

  platform->fakeDialogs().answers = {ui::ID_YES};
  w.BitBtn6->Click();
  EXPECT_EQ(Errors().size(), 2u);
  EXPECT_FALSE(dir.Exists("notes/15.zqt"));
  EXPECT_EQ(Captions(), (Numbers{"10", "11", "12", "13", "14", "77"}));
  // Nothing of the deleted event stays on show.
  EXPECT_EQ(w.Edit5->Text(), "");
  EXPECT_EQ(w.RichEdit1->Text(), "");
  EXPECT_EQ(w.NextFiringLabel->Caption(), "");
  EXPECT_EQ(w.NextFiringWhenLabel->Caption(), "");
  EXPECT_EQ(w.ListView1->Selected(), nullptr);
  // The next addition starts from the first number only when no event is stored.
  w.BitBtn4->Click();
  EXPECT_NE(w.Edit5->Text(), "");
}

TEST_F(EventListTest, DeletingTakesTheSideFileOfTheEventsOwnTypeAndKeepsTheOrder) {
  SeedEachType();
  TForm2& w = Open();
  // The editor shows a signal, and the reminder row is reached by the keyboard, not clicked.
  ClickRow("10");
  w.ListView1->SelectionChanged(RowOf("15"));
  w.BitBtn6->Click();
  EXPECT_EQ(Errors(), Numbers{"Удалить событие 15?"});
  EXPECT_FALSE(dir.Exists("notes/15.zqt"));
  EXPECT_TRUE(dir.Exists("notes/-1.zqt"));
  EXPECT_EQ(Gear().find("[15]"), std::string::npos);
  EXPECT_EQ(List(), "10\r\n11\r\n12\r\n13\r\n14\r\n16\r\n77\r\n17\r\n");
  EXPECT_EQ(w.storedCodes, (Numbers{"10", "11", "12", "13", "14", "16", "77", "17"}));
  EXPECT_EQ(Captions(), (Numbers{"10", "11", "12", "13", "14", "77"}));

  // A holiday, while the editor still shows the signal's page.
  Press(w.SpeedButton6);
  w.ListView1->SelectionChanged(RowOf("17"));
  w.BitBtn6->Click();
  EXPECT_FALSE(dir.Exists("days/17.zqd"));
  EXPECT_TRUE(dir.Exists("days/16.zqd"));
  EXPECT_EQ(Captions(), Numbers{"16"});

  // A signal takes no file with it.
  Press(w.SpeedButton5);
  ClickRow("12");
  ClickRow("10");
  w.BitBtn6->Click();
  EXPECT_TRUE(dir.Exists("days/16.zqd"));
  EXPECT_TRUE(dir.Exists("notes/-1.zqt"));
  EXPECT_EQ(List(), "11\r\n12\r\n13\r\n14\r\n16\r\n77\r\n");
  EXPECT_EQ(Captions(), (Numbers{"11", "12", "13", "14", "77"}));
}

TEST_F(EventListTest, ADeletedEventNoLongerFiresWhileTheWindowStaysOpen) {
  dir.Write("Gear/Events.txt", "1\r\n2\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\first.bat\r\nperiod=2\r\n"
            "[2]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\second.bat\r\nperiod=2\r\n");
  TForm2& w = Open();
  ASSERT_EQ(program->Scheduler().Names(), (Numbers{"1", "2"}));
  ClickRow("1");
  w.BitBtn6->Click();
  EXPECT_EQ(program->Scheduler().Names(), Numbers{"2"});
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Numbers{"second.bat"});
  EXPECT_TRUE(w.Visible());
}

TEST_F(EventListTest, AFiredOneTimeEventLeavesTheListAndLaterDeletionsKeepItOut) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nKillTask=1\r\n");
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\once.bat\r\nperiod=1\r\n"
            "[2]\r\ntime=11:00:00\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\two.bat\r\nperiod=2\r\n"
            "[3]\r\ntime=12:00:00\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\three.bat\r\nperiod=2\r\n");
  TForm2& w = Open();
  ASSERT_EQ(Captions(), (Numbers{"1", "2", "3"}));
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Numbers{"once.bat"});
  EXPECT_EQ(Captions(), (Numbers{"2", "3"}));
  EXPECT_EQ(w.shownCodes, (Numbers{"2", "3"}));
  ClickRow("3");
  w.BitBtn6->Click();
  EXPECT_EQ(List(), "2\r\n");
  EXPECT_EQ(w.storedCodes, Numbers{"2"});
}

TEST_F(EventListTest, AFailingRefreshDoesNotStopTheScan) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nKillTask=1\r\n");
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\once.bat\r\nperiod=1\r\n"
            "[2]\r\ntype=bad\r\n"
            "[3]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\after.bat\r\nperiod=2\r\n");
  TForm2& w = Open();
  EXPECT_THROW(w.N3->Click(), config::EConvertError);  // "bad" is no type
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), (Numbers{"once.bat", "after.bat"}));
}

// ---- "Тест!"

TEST_F(EventListTest, TheTestRunPerformsTheShownEventsActionHarmlessly) {
  // The test run opens the stored paths as they are: here, the program's own folders.
  SeedEachType(platform::DirectoryOf(platform->fakeProcess().exePath));
  TForm2& w = Open();
  auto& shell = platform->fakeShell().calls;

  ClickRow("10");
  w.N19->Click();
  ASSERT_EQ(platform->fakeSound().beeps.size(), 1u);
  EXPECT_EQ(platform->fakeSound().beeps[0].frequency, 440);
  EXPECT_EQ(platform->fakeSound().beeps[0].durationMs, 250);

  ClickRow("11");
  w.N19->Click();
  ASSERT_EQ(shell.size(), 1u);
  testing_support::ExpectShellOpen(shell[0], "run.bat", "", "C:\\Tools\\");

  for (const char* number : {"12", "13", "14"}) {
    ClickRow(number);
    w.N19->Click();
  }
  ASSERT_EQ(shell.size(), 4u);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(shell[i].verb, "open");
    EXPECT_EQ(shell[i].file, "shutdown.exe");
    EXPECT_EQ(shell[i].parameters, " shell32,SHExitWindowsEx 8");
    EXPECT_EQ(shell[i].showCommand, 0);  // hidden
  }
  EXPECT_TRUE(platform->fakeSession().log.empty());  // no session ends

  ClickRow("15");
  w.N19->Click();
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text(), "Позвонить маме");

  Press(w.SpeedButton6);
  ClickRow("16");
  w.N19->Click();
  EXPECT_TRUE(Form4->Visible());
  EXPECT_EQ(Form4->RichEdit1->Text(), "Иван Петров");
  EXPECT_FALSE(Form5->Visible());
  ClickRow("17");
  w.N19->Click();
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->RichEdit1->Text(), "Новый год");
  EXPECT_EQ(shell.size(), 4u);
}


// ---- When each event fires next

TEST_F(EventListTest, TheDetailViewAndTheRowsHintTellWhenTheEventFiresNext) {
  SeedEachType();
  TForm2& w = Open();
  auto shown = [&] { return w.NextFiringLabel->Caption() + "|" + w.NextFiringWhenLabel->Caption(); };
  EXPECT_EQ(shown(), "|");
  ClickRow("10");  // daily at 10:00:00, the clock at 09:05:07
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 10:00:00");
  EXPECT_TRUE(w.NextFiringLabel->Visible() && w.NextFiringWhenLabel->Visible());
  // Under the pickers, inside their group.
  EXPECT_GT(w.NextFiringLabel->Top(), w.DateTimePicker2->Top() + w.DateTimePicker2->Height() - 1);
  EXPECT_LE(w.NextFiringWhenLabel->Top() + w.NextFiringWhenLabel->Height(), w.GroupBox1->Height());
  ClickRow("11");  // inactive
  EXPECT_EQ(shown(), "Следующий раз:|не сработает");
  ClickRow("13");  // Tuesdays, Thursdays and Saturdays at 13:00:00
  EXPECT_EQ(shown(), "Следующий раз:|08.12.2026 13:00:00");
  ClickRow("14");  // once, on the 11th
  EXPECT_EQ(shown(), "Следующий раз:|11.12.2026 14:00:00");
  // An addition shows its own line: once, at the current second, as the editor copied it.
  w.BitBtn4Click(w.BitBtn4);
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 09:05:07");
  w.CancelAdd();

  // The hint over a row says the same, and follows the pointer from row to row.
  ui::TListView& list = *w.ListView1;
  auto hover = [&](const std::string& number) {
    list.PointerOverItem(number.empty() ? -1 : RowOf(number));
    list.MouseMove(0, 10, 10);
    return list.Hint();
  };
  EXPECT_EQ(hover("12"), "Следующий раз: 09.12.2026 12:00:00");  // monthly on the 9th
  EXPECT_EQ(hover("11"), "Следующий раз: не сработает");
  EXPECT_EQ(hover(""), "");
  // The clock moved on past today's time of the daily event.
  platform->fakeClock().Set(2026, 12, 7, 10, 0, 1);
  EXPECT_EQ(hover("10"), "Следующий раз: 08.12.2026 10:00:00");
  // Birthdays and holidays are announced on their day, not fired at a time: no line.
  Press(w.SpeedButton6);
  EXPECT_EQ(hover("16"), "");
  ClickRow("16");
  EXPECT_EQ(shown(), "|");
}

// ---- Changes made elsewhere

TEST_F(EventListTest, TheListAndTheDetailViewFollowEveryChangeOfTheStoreAtOnce) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nKillTask=1\r\n");
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\once.bat\r\nperiod=1\r\n"
            "[2]\r\ntime=11:00:00\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\two.bat\r\nperiod=2\r\n"
            "[3]\r\ntime=12:00:00\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\three.bat\r\nperiod=2\r\n");
  TForm2& w = Open();
  ClickRow("2");
  auto selected = [&] { return w.ListView1->Selected() ? w.ListView1->Selected()->Caption() : std::string("-"); };

  // A snoozed reminder and a power-off template appear at once; the row shown stays selected.
  Form3->Snooze(5);
  ASSERT_EQ(Captions().size(), 4u);
  EXPECT_EQ(w.storedCodes, w.shownCodes);
  Form1->N14->Click();  // "Через 1 минуту"
  ASSERT_EQ(Captions().size(), 5u);
  EXPECT_EQ(w.storedCodes, w.shownCodes);
  EXPECT_EQ(selected(), "2");
  EXPECT_EQ(w.Edit5->Text(), "2");

  // Removed elsewhere (as the missed events window removes one): another event leaves the
  // view alone; the one shown empties it.
  events::RemoveEvent(program->Store(), "3");
  const Numbers rows = Captions();
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "3"), 0);
  EXPECT_EQ(w.Edit5->Text(), "2");
  EXPECT_EQ(w.NextFiringWhenLabel->Caption(), "07.12.2026 11:00:00");
  events::RemoveEvent(program->Store(), "2");
  EXPECT_EQ(selected(), "-");
  EXPECT_EQ(w.Edit5->Text(), "");
  EXPECT_EQ(w.NextFiringLabel->Caption(), "");

  // The scan removing a fired one-time event is heard the same way.
  ClickRow("1");
  AdvanceTo(9, 5, 11);
  EXPECT_EQ(Opened(), Numbers{"once.bat"});
  EXPECT_EQ(Captions().size(), 2u);
  EXPECT_EQ(w.Edit5->Text(), "");
  EXPECT_EQ(w.storedCodes, w.shownCodes);

  // During an addition the list follows too, and a number the store gave away meanwhile is
  // drawn again for the addition.
  w.BitBtn4->Click();
  const std::string drawn = w.Edit5->Text();
  events::EventRecord taken;
  taken.number = drawn;
  taken.type = "0";
  program->Store().AddEvent(taken);
  EXPECT_NE(w.Edit5->Text(), drawn);
  EXPECT_EQ(std::count(w.storedCodes.begin(), w.storedCodes.end(), w.Edit5->Text()), 0);
  EXPECT_EQ(Captions().size(), 3u);
  EXPECT_TRUE(w.Recording());
}

TEST_F(EventListTest, AOneTimeEventThatHasFiredIsGreyedAndSaysSo) {
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\nKillTask=0\r\n");
  dir.Write("Gear/Events.txt", "1\r\n2\r\n3\r\n4\r\n");
  dir.Write("Gear/gear.ini",
            "[1]\r\ntime=09:05:10\r\ndate=07.12.2026\r\ntype=1\r\npathtofile=C:\\a\\once.bat\r\nperiod=1\r\n"
            "[2]\r\ntime=08:00:00\r\ndate=07.12.2026\r\ntype=2\r\nperiod=1\r\n"
            "[3]\r\ntime=08:00:00\r\ndate=07.12.2026\r\ntype=2\r\nperiod=1\r\nactive=0\r\n"
            "[4]\r\ntime=08:00:00\r\ndate=07.12.2026\r\ntype=2\r\nperiod=2\r\n");
  TForm2& w = Open();
  auto greyed = [&](const std::string& number) { return w.ListView1->Item(RowOf(number)).Greyed(); };
  auto shown = [&] { return w.NextFiringLabel->Caption() + "|" + w.NextFiringWhenLabel->Caption(); };
  auto hover = [&](const std::string& number) {
    w.ListView1->PointerOverItem(RowOf(number));
    w.ListView1->MouseMove(0, 10, 10);
    return w.ListView1->Hint();
  };
  // Fired before the start; switched off (never fired, as far as the list knows); daily.
  EXPECT_TRUE(greyed("2"));
  EXPECT_FALSE(greyed("3"));
  EXPECT_FALSE(greyed("4"));
  EXPECT_FALSE(greyed("1"));
  EXPECT_EQ(hover("2"), "Уже сработало");
  EXPECT_EQ(hover("3"), "Следующий раз: не сработает");
  ClickRow("2");
  EXPECT_EQ(shown(), "Уже сработало|");

  // One fires while the window is open: its row, its hint and its detail view say so.
  ClickRow("1");
  EXPECT_EQ(hover("1"), "Следующий раз: 07.12.2026 09:05:10");
  EXPECT_EQ(shown(), "Следующий раз:|07.12.2026 09:05:10");
  AdvanceTo(9, 5, 12);
  EXPECT_EQ(Opened(), Numbers{"once.bat"});
  EXPECT_TRUE(greyed("1"));
  EXPECT_EQ(shown(), "Уже сработало|");
  EXPECT_EQ(w.ListView1->Hint(), "");  // the list was rebuilt under the pointer
  EXPECT_EQ(hover("1"), "Уже сработало");
  EXPECT_EQ(w.ListView1->Selected()->Caption(), "1");

  // Switching a fired one off takes the grey away; on again brings it back.
  ui::TListView& list = *w.ListView1;
  list.CheckClicked(RowOf("2"));
  EXPECT_FALSE(greyed("2"));
  list.CheckClicked(RowOf("2"));
  EXPECT_TRUE(greyed("2"));
  EXPECT_EQ(hover("2"), "Уже сработало");
}

}  // namespace
