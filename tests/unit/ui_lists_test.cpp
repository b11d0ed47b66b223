// The list view and the date and time pickers as models: what reaches their peers, what the
// user's input does, and which events it raises. Peers here only log what they are told.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "ui/application.h"
#include "ui/datetimepicker.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/listview.h"
#include "ui/menus.h"

namespace {

using Log = std::vector<std::string>;

struct LogFormPeer : ui::FormPeer {};

struct LogListViewPeer : ui::ListViewPeer {
  explicit LogListViewPeer(Log& log) : log(log) {}
  void ColumnsChanged() override { log.push_back("columns"); }
  void SetCheckboxes(bool on) override { log.push_back(on ? "checkboxes on" : "checkboxes off"); }
  void SetItemCount(int n) override { log.push_back("count " + std::to_string(n)); }
  void ItemChanged(int i) override { log.push_back("row " + std::to_string(i)); }
  void SetItemIndex(int i) override { log.push_back("index " + std::to_string(i)); }
  Log& log;
};

struct LogPickerPeer : ui::DateTimePickerPeer {
  explicit LogPickerPeer(Log& log) : log(log) {}
  void SetTimeMode(bool time) override { log.push_back(time ? "time mode" : "date mode"); }
  void SetValue(const platform::DateTime& v) override {
    log.push_back("value " + platform::FormatPicture("dd.MM.yyyy HH:mm:ss", v));
  }
  Log& log;
};

struct LogWidgetSet : ui::HeadlessWidgetSet {
  explicit LogWidgetSet(std::uint64_t& now)
      : HeadlessWidgetSet([&now] { return now; }, [&now](std::uint64_t t) { now = t; }) {}
  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm&) override { return std::make_unique<LogFormPeer>(); }
  std::unique_ptr<ui::ListViewPeer> CreateListViewPeer(ui::TListView&) override {
    return std::make_unique<LogListViewPeer>(log);
  }
  std::unique_ptr<ui::DateTimePickerPeer> CreateDateTimePickerPeer(ui::TDateTimePicker&) override {
    return std::make_unique<LogPickerPeer>(log);
  }
  Log log;
};

platform::DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return {y, mo, d, h, mi, s, 0, platform::DayOfWeek(y, mo, d)};
}

class ListsTest : public ::testing::Test {
 protected:
  std::uint64_t now = 0;
  LogWidgetSet widgets{now};
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};
  Log events;

  ui::TNotifyEvent Record(const std::string& name) {
    return [this, name](ui::TComponent*) { events.push_back(name); };
  }

  // The event list as the settings window lays it out, with three rows, on the form.
  ui::TListView* EventList() {
    auto* list = new ui::TListView(&form);
    list->AddColumn("Код", 58, 58, 70);
    list->AddColumn("Тип", 145, 70, 145);
    list->AddColumn("Время", 65, 65, 75);
    list->AddColumn("Число", 70, 70, 70);
    list->SetGridLines(true);
    list->SetRowSelect(true);
    list->SetCheckboxes(true);
    list->SetHotTrack(true);
    list->SetParent(&form);
    list->AddItem("123", {"Сигнал", "20:00:00", "01.02.2003"}, true);
    list->AddItem("456", {"Выключение", "23:30:00", "31.12.2026"}, false);
    list->AddItem("789", {"Напоминание текстом", "08:15:00", "01.01.2027"}, true);
    list->OnClick = Record("click");
    widgets.log.clear();
    return list;
  }
};

TEST_F(ListsTest, RowsKeepTheirTextsAndMarks) {
  auto* list = EventList();
  ASSERT_EQ(list->ItemCount(), 3);
  const ui::TListItem& row = list->Item(1);
  EXPECT_EQ(row.Index(), 1);
  EXPECT_EQ(row.Caption(), "456");
  EXPECT_EQ(row.Text(1), "Выключение");
  EXPECT_EQ(row.Text(3), "31.12.2026");
  EXPECT_EQ(row.Text(4), "");  // beyond the sub-items
  EXPECT_FALSE(row.Checked());
  EXPECT_TRUE(list->Item(2).Checked());
  EXPECT_THROW(list->Item(3), std::out_of_range);
}

TEST_F(ListsTest, ClickingRowsSelectsThemAndClicksTheList) {
  auto* list = EventList();
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Selected(), nullptr);
  list->ItemClicked(1);
  ASSERT_NE(list->Selected(), nullptr);
  EXPECT_EQ(list->Selected()->Caption(), "456");
  // The area below the rows: nothing selected, still a click of the list.
  list->ItemClicked(-1);
  EXPECT_EQ(list->Selected(), nullptr);
  EXPECT_EQ(events, (Log{"click", "click"}));
  // The native control shows the user's selection already: nothing goes back to it.
  EXPECT_TRUE(widgets.log.empty());

  // A selection by the program reaches the control and raises nothing.
  list->SetItemIndex(2);
  list->SetItemIndex(2);
  list->SetItemIndex(9);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(widgets.log, (Log{"index 2", "index -1"}));
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(ListsTest, TickingABoxTurnsOnlyItsMarkOver) {
  auto* list = EventList();
  list->ItemClicked(0);
  list->CheckClicked(1);
  EXPECT_TRUE(list->Item(1).Checked());
  EXPECT_TRUE(list->Item(0).Checked());
  EXPECT_EQ(list->ItemIndex(), 0);  // the selection stays where it was
  list->CheckClicked(1);
  EXPECT_FALSE(list->Item(1).Checked());
  EXPECT_EQ(widgets.log, (Log{"row 1", "row 1"}));
  EXPECT_EQ(events, (Log{"click", "click", "click"}));

  // No boxes, no ticking; a row that is not there is left alone.
  list->SetCheckboxes(false);
  list->CheckClicked(0);
  list->SetCheckboxes(true);
  list->CheckClicked(7);
  EXPECT_TRUE(list->Item(0).Checked());
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(ListsTest, ADisabledListTakesNoInput) {
  auto* list = EventList();
  list->SetItemIndex(0);
  list->SetEnabled(false);
  list->ItemClicked(2);
  list->CheckClicked(1);
  list->PointerOverItem(1);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_FALSE(list->Item(1).Checked());
  EXPECT_EQ(list->HotItem(), -1);
  EXPECT_TRUE(events.empty());
}

TEST_F(ListsTest, TheHotRowFollowsThePointerOnlyWhileHotTracking) {
  auto* list = EventList();
  list->PointerOverItem(2);
  EXPECT_EQ(list->HotItem(), 2);
  EXPECT_TRUE(list->HandCursor());
  list->PointerOverItem(-1);
  EXPECT_EQ(list->HotItem(), -1);
  EXPECT_FALSE(list->HandCursor());
  list->PointerOverItem(1);
  list->Clear();
  EXPECT_EQ(list->HotItem(), -1);

  list->AddItem("1");
  list->SetHotTrack(false);
  list->PointerOverItem(0);
  EXPECT_EQ(list->HotItem(), -1);
  EXPECT_FALSE(list->HandCursor());
  EXPECT_TRUE(events.empty());  // hovering clicks nothing
}

TEST_F(ListsTest, ColumnWidthsStayWithinTheirLimits) {
  auto* list = EventList();
  auto width = [&](int c) { return list->Columns()[std::size_t(c)].width; };
  list->SetColumnWidth(0, 100);
  EXPECT_EQ(width(0), 70);
  list->SetColumnWidth(1, 10);
  EXPECT_EQ(width(1), 70);
  list->SetColumnWidth(3, 90);  // a fixed column
  EXPECT_EQ(width(3), 70);
  EXPECT_EQ(widgets.log, (Log{"columns", "columns"}));

  // The user's drag within the limits is taken as it is; beyond them the header is set back.
  widgets.log.clear();
  list->ColumnResized(2, 72);
  EXPECT_EQ(width(2), 72);
  EXPECT_TRUE(widgets.log.empty());
  list->ColumnResized(2, 200);
  EXPECT_EQ(width(2), 75);
  EXPECT_EQ(widgets.log, (Log{"columns"}));

  // A column without limits takes any width that is not negative.
  list->AddColumn("Без границ", -5);
  EXPECT_EQ(width(4), 0);
  list->SetColumnWidth(4, 500);
  EXPECT_EQ(width(4), 500);
}

TEST_F(ListsTest, FillingInOneUpdateTellsTheControlOnce) {
  auto* list = EventList();
  list->SetItemIndex(1);
  widgets.log.clear();
  list->BeginUpdate();
  list->Clear();
  for (int i = 0; i < 500; ++i) list->AddItem(std::to_string(i), {"Сигнал"}, i % 2 == 0);
  list->Item(3).SetCaption("три");
  list->BeginUpdate();  // nested updates end with the outer one
  list->EndUpdate();
  EXPECT_TRUE(widgets.log.empty());
  list->EndUpdate();
  EXPECT_EQ(widgets.log, (Log{"count 500", "index -1"}));
  EXPECT_EQ(list->Item(3).Caption(), "три");
  list->EndUpdate();  // one too many: nothing happens

  // A selection made during an update alone reaches the control at its end.
  widgets.log.clear();
  list->BeginUpdate();
  list->SetItemIndex(4);
  EXPECT_TRUE(widgets.log.empty());
  list->EndUpdate();
  EXPECT_EQ(widgets.log, (Log{"count 500", "index 4"}));

  // Outside an update each change reaches the control at once.
  widgets.log.clear();
  list->AddItem("501");
  list->Item(0).AddSubItem("x");
  list->Item(0).SetChecked(false);
  list->Clear();
  EXPECT_EQ(widgets.log, (Log{"count 501", "row 0", "row 0", "count 0"}));
}

TEST_F(ListsTest, TheContextMenuCanBeSwitchedOff) {
  auto* list = EventList();
  auto* menu = new ui::TPopupMenu(&form);
  list->SetPopupMenu(menu);
  EXPECT_TRUE(list->ContextPopup({300, 200}));
  EXPECT_EQ(menu->PopupCount(), 1);
  EXPECT_EQ(menu->LastPopupPoint(), (ui::TPoint{300, 200}));
  EXPECT_EQ(menu->PopupComponent, list);
  list->SetPopupMenu(nullptr);
  EXPECT_FALSE(list->ContextPopup({300, 200}));
  EXPECT_EQ(menu->PopupCount(), 1);
  // The menu going away leaves the list without one.
  list->SetPopupMenu(menu);
  delete menu;
  EXPECT_FALSE(list->ContextPopup({1, 1}));
}

TEST_F(ListsTest, PickerValuesSetInCodeReachTheControlWithoutEvents) {
  auto* picker = new ui::TDateTimePicker(&form);
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  picker->SetParent(&form);
  picker->OnChange = Record("change");
  widgets.log.clear();

  platform::DateTime t = At(2026, 3, 31, 23, 50, 7);
  t.millisecond = 900;  // to the second
  picker->SetDateTime(t);
  picker->SetDateTime(At(2026, 3, 31, 23, 50, 7));
  EXPECT_EQ(picker->DateTime(), At(2026, 3, 31, 23, 50, 7));
  // The time alone keeps the date; the date alone keeps the time.
  picker->SetTime(At(2000, 1, 1, 0, 5, 0));
  picker->SetDate(At(2026, 4, 1));
  EXPECT_EQ(picker->DateTime(), At(2026, 4, 1, 0, 5, 0));
  EXPECT_EQ(picker->DateTime().dayOfWeek, 3);  // a Wednesday
  EXPECT_EQ(widgets.log,
            (Log{"value 31.03.2026 23:50:07", "value 31.03.2026 00:05:00", "value 01.04.2026 00:05:00"}));

  // A value that names no real date or time is refused and the old one kept.
  const platform::DateTime thirteenthMonth{2026, 13, 1, 0, 0, 0, 0, 0};
  for (auto bad : {At(2026, 2, 29), thirteenthMonth, At(2026, 1, 1, 24, 0, 0), At(2026, 1, 1, 0, 60, 0)})
    EXPECT_THROW(picker->SetDateTime(bad), std::invalid_argument);
  EXPECT_EQ(picker->DateTime(), At(2026, 4, 1, 0, 5, 0));
  EXPECT_TRUE(events.empty());
}

TEST_F(ListsTest, PickerTakesTheUsersEditsBack) {
  auto* picker = new ui::TDateTimePicker(&form);
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  picker->SetParent(&form);
  picker->SetDateTime(At(2026, 5, 9, 8, 0, 0));
  picker->OnChange = Record("change");
  widgets.log.clear();

  picker->ValueEdited(At(2026, 5, 9, 8, 1, 0));
  picker->ValueEdited(At(2026, 5, 9, 8, 1, 0));
  picker->ValueEdited(At(2026, 5, 9, 8, 61, 0));  // never a real time: ignored
  EXPECT_EQ(picker->DateTime(), At(2026, 5, 9, 8, 1, 0));
  EXPECT_EQ(events, (Log{"change"}));
  EXPECT_TRUE(widgets.log.empty());

  // A time picker has no calendar.
  picker->OnDropDown = Record("drop down");
  picker->DropDown();
  EXPECT_FALSE(picker->DroppedDown());
  picker->SetEnabled(false);
  picker->ValueEdited(At(2026, 5, 9, 9, 0, 0));
  EXPECT_EQ(events, (Log{"change"}));
}

TEST_F(ListsTest, DatePickerCalendarOpensAndPicksADay) {
  auto* picker = new ui::TDateTimePicker(&form);
  picker->SetParent(&form);
  picker->SetDateTime(At(2026, 1, 30, 20, 0, 0));
  picker->OnChange = Record("change");
  picker->OnDropDown = Record("drop down");
  picker->OnCloseUp = Record("close up");

  picker->PickDay(2026, 2, 1);  // the calendar is not open
  EXPECT_EQ(picker->DateTime(), At(2026, 1, 30, 20, 0, 0));
  picker->DropDown();
  EXPECT_TRUE(picker->DroppedDown());
  picker->PickDay(2026, 2, 1);
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(picker->DateTime(), At(2026, 2, 1, 20, 0, 0));  // the time of day stays
  // Closing without a choice changes nothing.
  picker->DropDown();
  picker->CloseUp();
  EXPECT_EQ(events, (Log{"drop down", "change", "close up", "drop down", "close up"}));
}

TEST_F(ListsTest, EachPickerShowsItsOwnMenu) {
  auto* timePicker = new ui::TDateTimePicker(&form);
  auto* datePicker = new ui::TDateTimePicker(&form);
  timePicker->SetKind(ui::TDateTimeKind::dtkTime);
  auto* quickTime = new ui::TPopupMenu(&form);
  auto* quickDate = new ui::TPopupMenu(&form);
  timePicker->SetPopupMenu(quickTime);
  datePicker->SetPopupMenu(quickDate);
  EXPECT_TRUE(timePicker->ContextPopup({10, 20}));
  EXPECT_TRUE(datePicker->ContextPopup({30, 40}));
  EXPECT_TRUE(datePicker->ContextPopup({30, 40}));
  EXPECT_EQ(quickTime->PopupCount(), 1);
  EXPECT_EQ(quickDate->PopupCount(), 2);
  EXPECT_EQ(quickDate->PopupComponent, datePicker);
  datePicker->SetEnabled(false);
  EXPECT_FALSE(datePicker->ContextPopup({30, 40}));
}

TEST_F(ListsTest, PickerPeerIsMadeWithItsKind) {
  auto* picker = new ui::TDateTimePicker(&form);
  picker->SetParent(&form);
  widgets.log.clear();
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  picker->SetKind(ui::TDateTimeKind::dtkTime);
  EXPECT_EQ(widgets.log, (Log{"time mode"}));
}

// Date and time texts through the user's formats, as the settings window stores a picker's
// value and reads it back.
struct Formats {
  const char* time;
  const char* date;
};

TEST(UserFormats, PickerValuesRoundTripThroughEveryFormat) {
  const Formats formats[] = {{"HH:mm:ss", "dd.MM.yyyy"}, {"H:mm:ss", "d.M.yyyy"}, {"h:mm:ss tt", "M/d/yyyy"},
                             {"hh:mm:ss tt", "yyyy-MM-dd"}, {"HH'ч 'mm'м 'ss", "dd.MM.yy"}};
  const platform::DateTime values[] = {At(2026, 1, 1, 0, 0, 0), At(2026, 12, 31, 23, 59, 59), At(2024, 2, 29, 12, 0, 5),
                                       At(2003, 2, 1, 20, 0, 0), At(2099, 7, 4, 1, 2, 3)};
  platform::FakeClock clock;
  for (const auto& f : formats) {
    clock.longTimeFormat = f.time;
    clock.shortDateFormat = f.date;
    for (const auto& v : values) {
      SCOPED_TRACE(std::string(f.time) + " " + f.date + " " + clock.TimeText(v) + " " + clock.DateText(v));
      auto time = clock.ParseTime(clock.TimeText(v));
      auto date = clock.ParseDate(clock.DateText(v));
      ASSERT_TRUE(time);
      ASSERT_TRUE(date);
      ui::TDateTimePicker picker(nullptr);
      picker.SetTime(*time);
      picker.SetDate(*date);
      EXPECT_EQ(picker.DateTime(), v);
    }
  }
}

TEST(UserFormats, TimesAreReadLikeTheSystemsConversion) {
  platform::FakeClock clock;
  clock.longTimeFormat = "h:mm:ss tt";
  auto hms = [&](const std::string& text) {
    auto t = clock.ParseTime(text);
    return t ? platform::FormatPicture("HH:mm:ss", *t) : std::string("none");
  };
  EXPECT_EQ(hms("12:00:00 AM"), "00:00:00");
  EXPECT_EQ(hms("12:30:00 PM"), "12:30:00");
  EXPECT_EQ(hms("8:05:09 pm"), "20:05:09");
  // A stored text without the mark (written under a 24-hour format) still reads.
  EXPECT_EQ(hms("20:00:00"), "20:00:00");
  EXPECT_EQ(hms(" 7:00:00 AM "), "07:00:00");

  clock.longTimeFormat = "HH:mm:ss";
  EXPECT_EQ(hms("9:5:3"), "09:05:03");
  EXPECT_EQ(clock.ParseTime("20:00:00")->year, 2000);
  for (const char* bad : {"", "ab", "24:00:00", "12:60:00", "12:00:60", "12:00", "12:00:00x", "12-00-00", "123:00:00",
                          "13:00:00 PM", "1"}) {
    clock.longTimeFormat = std::string(bad) == "13:00:00 PM" ? "h:mm:ss tt" : "HH:mm:ss";
    EXPECT_FALSE(clock.ParseTime(bad)) << bad;
  }
}

}  // namespace
