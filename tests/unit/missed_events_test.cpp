// Gaps in the scheduler's scan: a short stall is caught up second by second, a long gap (a
// jump of the clock, sleep, the program closed) runs nothing and is reported in the missed
// events window; the last examined second kept as [Clock] LastScan across runs and sleeps;
// the clock set back fires nothing twice.
#include <gtest/gtest.h>

#include <filesystem>

#include "events/event_store.h"
#include "events/next_firing.h"
#include "tests/unit/program_fixture.h"

using testing_support::EventsProgramTest;

namespace {

using Files = std::vector<std::string>;
using Rows = std::vector<std::string>;

constexpr unsigned kPowerBroadcast = 0x0218, kTimeChange = 0x001E, kEndSession = 0x0016;
constexpr std::uintptr_t kSuspend = 0x4, kResumeAutomatic = 0x12;

class MissedEventsTest : public EventsProgramTest {
 protected:
  void Add(const std::string& number, const std::string& type, const std::string& time, const std::string& period,
           const std::string& date, const std::string& file = "") {
    events::EventRecord e;
    e.number = number;
    e.type = type;
    e.time = time;
    e.date = date;
    e.period = period;
    e.pathToFile = file;
    e.weekdays = {true, false, false, false, false, false, false};  // Mondays, for period "4"
    if (type == "5") e.sideText = "{\\rtf1\\ansi " + file + "\\par second line\\par}";
    Store().AddEvent(e);
  }

  void StartAt(int y, int mo, int d, int h, int m, int s, const std::string& config = "[Clock]\r\nRunTray=0\r\n") {
    EndInstance();
    dir.Write("Cfg/Clock_config.ini", config);
    SetClock(y, mo, d, h, m, s, 500);
    ASSERT_FALSE(Start());
  }

  // After a scan at second x, the next tick reads second x + `distance`: the clock went on
  // `distance` - 1 seconds more than the timer did.
  void TickAfter(int distance) {
    platform->fakeClock().wallMs += std::int64_t(distance - 1) * 1000;
    Advance(1000);
  }

  std::string Key(const std::string& section, const std::string& key) const {
    return config::TIniFile(dir.Str() + "Cfg/Clock_config.ini").ReadString(section, key, "(none)");
  }

  // As closing the settings window does.
  void ReloadLists() {
    Form1->scheduler.LoadList();
    Form1->RefreshBase();
  }

  void Message(unsigned msg, std::uintptr_t wParam) {
    ui::TMessage m{msg, wParam, 0, 0};
    program->Application().MainWindowMessage(m);
  }

  // The missed events window's rows, each as its three columns joined by " | ".
  // Made at the first report only.
  static bool MissedShown() { return Form9 && Form9->Visible(); }

  Rows Listed() const {
    Rows rows;
    if (!Form9) return rows;
    for (int i = 0; i < Form9->ListView1->ItemCount(); ++i) {
      const ui::TListItem& item = Form9->ListView1->Item(i);
      std::string row = item.Text(0);
      for (const std::string& sub : item.SubItems()) row += " | " + sub;
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(MissedEventsTest, AStallOfFiveSecondsFiresEachSkippedSecondsEventsOnceInOrder) {
  Add("1", "1", "09:05:11", "2", "01.01.2020", "11.bat");
  Add("2", "1", "09:05:13", "2", "01.01.2020", "13.bat");
  Add("3", "1", "09:05:12", "2", "01.01.2020", "12.bat");
  Add("4", "1", "09:05:14", "2", "01.01.2020", "14.bat");
  Add("5", "1", "09:05:15", "2", "01.01.2020", "15.bat");
  StartAt(2026, 12, 7, 9, 5, 10);
  TickAfter(5);  // 09:05:15
  EXPECT_EQ(Opened(), (Files{"11.bat", "12.bat", "13.bat", "14.bat", "15.bat"}));
  AdvanceTo(9, 5, 20);
  EXPECT_EQ(Opened().size(), 5u);
  EXPECT_FALSE(MissedShown());
}

// The gap rule at its edge: the clock set forward by 59, 60 and 61 seconds leaves that many
// seconds unexamined before the tick's own.
TEST_F(MissedEventsTest, UpTo60UnexaminedSecondsAreCaughtUpAndFrom61OnReported) {
  for (int forward : {59, 60, 61}) {
    SCOPED_TRACE(forward);
    const int distance = forward + 1;
    platform->fakeShell().calls.clear();
    dir.Write("Gear/Events.txt", "");
    dir.Write("Gear/gear.ini", "");
    // One event in the last skipped second, one in the tick's own second; the last second
    // examined is 09:05:11.
    const int skipped = 11 + distance - 1, own = 11 + distance;
    auto hms = [](int s) { return testing_support::Hms({2026, 12, 7, 9, 5 + s / 60, s % 60}); };
    Add("1", "1", hms(skipped), "2", "01.01.2020", "skipped.bat");
    Add("2", "1", hms(own), "2", "01.01.2020", "own.bat");
    StartAt(2026, 12, 7, 9, 5, 10);
    Advance(900);  // the start-up announcements are over
    TickAfter(distance);
    if (forward <= 60) {
      EXPECT_EQ(Opened(), (Files{"skipped.bat", "own.bat"}));
      EXPECT_FALSE(MissedShown());
    } else {
      EXPECT_EQ(Opened(), Files{"own.bat"});
      ASSERT_TRUE(MissedShown());
      EXPECT_EQ(Listed(), Rows{"07.12.2026 09:06:12 | Любой файл | skipped.bat"});
    }
  }
}

TEST_F(MissedEventsTest, AJumpOfThreeDaysRunsNothingAndListsEveryDueFiringOldestFirst) {
  // From Saturday 28 November 10:00 to Tuesday 1 December 10:00; November has 30 days.
  Add("1", "1", "12:00:00", "1", "29.11.2026", "once.bat");
  Add("2", "4", "12:00:00", "2", "01.01.2020");
  Add("3", "1", "12:00:00", "3", "31.10.2026", "31st.bat");  // no 31 November
  Add("4", "0", "12:00:00", "3", "30.01.2026");
  Add("5", "5", "12:00:00", "4", "01.01.2020", "Позвонить маме");  // Mondays
  Add("6", "6", "12:00:00", "2", "29.11.2026");                     // a birthday
  Add("7", "1", "12:00:00", "2", "01.01.2020", "inactive.bat");
  Store().Write("7", "active", "0");
  Add("8", "1", "12:00:00", "1", "01.12.2026", "later today.bat");
  StartAt(2026, 11, 28, 10, 0, 0);
  Advance(900);
  TickAfter(3 * 86400);
  EXPECT_EQ(Opened(), Files{});
  EXPECT_TRUE(platform->fakeSession().log.empty());
  EXPECT_TRUE(platform->fakeSound().beeps.empty());
  ASSERT_TRUE(MissedShown());
  EXPECT_EQ(Listed(), (Rows{
                          "28.11.2026 12:00:00 | Выключение | Выключение",
                          "29.11.2026 12:00:00 | Любой файл | once.bat",
                          "29.11.2026 12:00:00 | Выключение | Выключение",
                          "30.11.2026 12:00:00 | Выключение | Выключение",
                          "30.11.2026 12:00:00 | Сигнал | Сигнал",
                          "30.11.2026 12:00:00 | Напоминание текстом | Позвонить маме",
                      }));
  // Nothing of the gap runs later either.
  AdvanceTo(10, 0, 30);
  EXPECT_EQ(Opened(), Files{});
  EXPECT_TRUE(platform->fakeSession().log.empty());
}

TEST_F(MissedEventsTest, APowerOffInATwoMinuteGapIsListedAndTheSessionIsLeftAlone) {
  Add("1", "4", "09:06:00", "1", "07.12.2026");
  Add("2", "3", "09:06:30", "2", "07.12.2026");
  Add("3", "2", "09:06:40", "4", "07.12.2026");
  StartAt(2026, 12, 7, 9, 5, 10);
  Advance(900);
  TickAfter(120);
  EXPECT_TRUE(platform->fakeSession().log.empty());
  EXPECT_EQ(Listed(), (Rows{"07.12.2026 09:06:00 | Выключение | Выключение",
                            "07.12.2026 09:06:30 | Перезагрузка | Перезагрузка",
                            "07.12.2026 09:06:40 | Завершение сеанса | Завершение сеанса"}));
  EXPECT_FALSE(program->Application().Terminated());
}

TEST_F(MissedEventsTest, TheClockSetBackAnHourFiresADailyEventOnceAlsoAfterAReload) {
  Add("1", "1", "10:30:00", "2", "01.01.2020", "daily.bat");
  StartAt(2026, 12, 7, 10, 29, 58);
  AdvanceTo(10, 30, 2);
  ASSERT_EQ(Opened(), Files{"daily.bat"});
  // Summer time ends: the same hour comes round again.
  SetClock(2026, 12, 7, 9, 30, 2, 500);
  ReloadLists();
  AdvanceTo(10, 30, 5);
  EXPECT_EQ(Opened(), Files{"daily.bat"});
  EXPECT_FALSE(MissedShown());
  // The next day it fires again.
  AdvanceTo(10, 30, 1);
  EXPECT_EQ(Opened(), (Files{"daily.bat", "daily.bat"}));
}

TEST_F(MissedEventsTest, LastScanIsWrittenOnCloseOnSuspendEveryTenMinutesAndAtTheSessionsEnd) {
  StartAt(2026, 12, 7, 9, 5, 10);
  EXPECT_EQ(Key("Clock", "LastScan"), "(none)");  // nothing new to keep at a first start
  AdvanceTo(9, 5, 20);
  Message(kPowerBroadcast, kSuspend);
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:05:20");
  AdvanceTo(9, 15, 9);
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:05:20");
  AdvanceTo(9, 15, 11);
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:15:10");
  AdvanceTo(9, 15, 30);
  Message(kEndSession, 0);  // a cancelled log-off
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:15:10");
  Message(kEndSession, 1);
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:15:30");
  AdvanceTo(9, 16, 0);
  CloseMainWindow();
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:16:00");
}

TEST_F(MissedEventsTest, AtStartTheGapSinceTheStampIsReportedAfterTheAnnouncementsAndNotRun) {
  Add("1", "5", "09:04:50", "1", "07.12.2026", "Забрать посылку");
  // The row names a reminder by its first line that is not blank.
  dir.Write("notes/1.zqt", "{\\rtf1\\ansi \\par  \\par \tЗабрать посылку \\par second line\\par}");
  Add("2", "4", "09:04:55", "1", "07.12.2026");
  Add("3", "6", "09:04:56", "1", "07.12.2026");
  dir.Write("days/3.zqd", "День рождения");
  Store().Write("3", "pathtobirthday", dir.Str() + "days\\3.zqd");
  Store().Write("3", "Brith?", "1");
  StartAt(2026, 12, 7, 9, 5, 10, "[Clock]\r\nRunTray=0\r\nLastScan=2026-12-07 09:04:40\r\n");
  EXPECT_FALSE(MissedShown());
  // Stored again at once: a crash now does not bring this report back.
  EXPECT_EQ(Key("Clock", "LastScan"), "2026-12-07 09:05:10");
  Advance(900);
  EXPECT_TRUE(Form4->Visible());  // the birthday is announced, not listed
  ASSERT_TRUE(MissedShown());
  EXPECT_EQ(Listed(), (Rows{"07.12.2026 09:04:50 | Напоминание текстом | Забрать посылку",
                            "07.12.2026 09:04:55 | Выключение | Выключение"}));
  EXPECT_FALSE(Form3->Visible());
  EXPECT_TRUE(platform->fakeSession().log.empty());
}

TEST_F(MissedEventsTest, AStampInTheFutureOrDamagedGivesNoGapAndNoMessage) {
  for (const char* stamp : {"2026-12-08 09:00:00", "2026-12-07 9:04:40", "2026-02-30 09:00:00", "2026-12-07 24:00:00",
                            "вчера", "2026-12-07 09:04:4x"}) {
    SCOPED_TRACE(stamp);
    platform->fakeShell().calls.clear();
    dir.Write("Gear/Events.txt", "");
    dir.Write("Gear/gear.ini", "");
    Add("1", "1", "09:05:00", "2", "01.01.2020", "missed.bat");
    Add("2", "1", "09:05:11", "2", "01.01.2020", "now.bat");
    StartAt(2026, 12, 7, 9, 5, 10, std::string("[Clock]\r\nRunTray=0\r\nLastScan=") + stamp + "\r\n");
    AdvanceTo(9, 5, 12);
    EXPECT_EQ(Opened(), Files{"now.bat"});
    EXPECT_FALSE(MissedShown());
    EXPECT_TRUE(platform->fakeDialogs().shown.empty());
  }
}

TEST_F(MissedEventsTest, WithReportMissedOffTheGapIsStillNotRunAndNoWindowShows) {
  Add("1", "1", "09:06:00", "1", "07.12.2026", "once.bat");
  StartAt(2026, 12, 7, 9, 5, 10, "[Clock]\r\nRunTray=0\r\nReportMissed=0\r\n");
  EXPECT_FALSE(Form2->CheckBox12->Checked());
  Advance(900);
  TickAfter(120);
  EXPECT_EQ(Opened(), Files{});
  EXPECT_FALSE(MissedShown());
  // Switched on again, the next gap is reported; the old one is over.
  Form2->CheckBox12->UserClick();
  EXPECT_EQ(Key("Clock", "ReportMissed"), "1");
  Add("2", "1", "09:09:00", "1", "07.12.2026", "second.bat");
  ReloadLists();
  TickAfter(120);
  EXPECT_EQ(Listed(), Rows{"07.12.2026 09:09:00 | Любой файл | second.bat"});
}

TEST_F(MissedEventsTest, ShowOpensTheReminderAndDeleteRemovesAOneTimeEventFromTheStore) {
  Add("10", "5", "09:06:00", "1", "07.12.2026", "Купить хлеб");
  Add("20", "5", "09:06:10", "2", "07.12.2026", "Каждый день");
  Add("30", "1", "09:06:20", "1", "07.12.2026", "a.bat");
  StartAt(2026, 12, 7, 9, 5, 10);
  Advance(900);
  TickAfter(120);
  ASSERT_EQ(Listed().size(), 3u);
  EXPECT_EQ(Form9->ListView1->ItemIndex(), 0);
  EXPECT_TRUE(Form9->BitBtn1->Enabled());
  EXPECT_TRUE(Form9->BitBtn2->Enabled());
  Form9->BitBtn1->Click();
  ASSERT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->RichEdit1->Text(), "Купить хлеб\r\nsecond line");

  // A daily event is shown but not removed; a file event is removed but has no text.
  Form9->ListView1->ItemClicked(1);
  EXPECT_TRUE(Form9->BitBtn1->Enabled());
  EXPECT_FALSE(Form9->BitBtn2->Enabled());
  Form9->ListView1->ItemClicked(2);
  EXPECT_FALSE(Form9->BitBtn1->Enabled());
  EXPECT_TRUE(Form9->BitBtn2->Enabled());

  Form9->ListView1->ItemClicked(0);
  Form9->BitBtn2->Click();
  EXPECT_EQ(dir.Read("Gear/Events.txt"), "20\r\n30\r\n");
  EXPECT_EQ(dir.Read("Gear/gear.ini").value().find("[10]"), std::string::npos);
  EXPECT_FALSE(dir.Exists("notes/10.zqt"));
  EXPECT_EQ(Form1->scheduler.Names(), (std::vector<std::string>{"20", "30"}));
  EXPECT_EQ(Form2->ListView1->ItemCount(), 2);
  EXPECT_EQ(Listed().size(), 2u);

  // A second report while the window is open adds its rows; closed, it starts afresh.
  Add("40", "1", "09:09:00", "1", "07.12.2026", "b.bat");
  ReloadLists();
  TickAfter(120);
  EXPECT_EQ(Listed().size(), 3u);
  EXPECT_EQ(Listed().back(), "07.12.2026 09:09:00 | Любой файл | b.bat");
  Form9->BitBtn3->Click();
  EXPECT_FALSE(MissedShown());
  TickAfter(86400);
  EXPECT_EQ(Listed(), Rows{"08.12.2026 09:06:10 | Напоминание текстом | Каждый день"});
}

TEST_F(MissedEventsTest, FiringsOlderThan31DaysAreCountedInALastRow) {
  Add("1", "1", "12:00:00", "2", "01.01.2020", "daily.bat");
  StartAt(2026, 10, 1, 10, 0, 0, "[Clock]\r\nRunTray=0\r\nLastScan=2026-06-01 10:00:00\r\n");
  Advance(900);
  const Rows rows = Listed();
  ASSERT_EQ(rows.size(), 32u);
  EXPECT_EQ(rows.front(), "31.08.2026 12:00:00 | Любой файл | daily.bat");
  EXPECT_EQ(rows[30], "30.09.2026 12:00:00 | Любой файл | daily.bat");
  // 1 June to 30 August.
  EXPECT_EQ(rows.back(), "… и ещё 91");
  Form9->ListView1->ItemClicked(31);
  EXPECT_FALSE(Form9->BitBtn1->Enabled());
  EXPECT_FALSE(Form9->BitBtn2->Enabled());
}

TEST_F(MissedEventsTest, ResumeAndATimeChangeRefreshTheFaceAtOnceAndReportTheSleep) {
  Add("1", "1", "11:00:00", "1", "07.12.2026", "slept.bat");
  StartAt(2026, 12, 7, 9, 5, 10);
  Advance(900);
  Message(kPowerBroadcast, kSuspend);
  // Asleep until the next day; the timer has not fired yet.
  SetClock(2026, 12, 8, 8, 1, 2, 300);
  Message(kPowerBroadcast, kResumeAutomatic);
  EXPECT_EQ(Form1->Label2->Caption(), "08");
  EXPECT_EQ(Form1->Label4->Caption(), "02");
  EXPECT_EQ(Form1->Label1->Caption(), "08.12.2026");
  EXPECT_EQ(Listed(), Rows{"07.12.2026 11:00:00 | Любой файл | slept.bat"});
  EXPECT_EQ(Opened(), Files{});
  // The next tick just after the next second begins.
  EXPECT_LE(Form1->Timer1->Interval(), 1000);

  SetClock(2026, 12, 8, 8, 0, 0, 300);  // set back by hand
  Message(kTimeChange, 0);
  EXPECT_EQ(Form1->Label3->Caption(), "00");
  EXPECT_EQ(Form1->Label4->Caption(), "00");
}

// The stamp's text, and the count of firings over spans too long to walk day by day.
TEST(ScanStampTest, WritesAndReadsOnlyTheFixedForm) {
  platform::DateTime t = events::FromSerialSecond(0);
  t.year = 2026, t.month = 3, t.day = 5, t.hour = 7, t.minute = 8, t.second = 9;
  EXPECT_EQ(events::ScanStampText(t), "2026-03-05 07:08:09");
  auto back = events::ParseScanStamp("2026-03-05 07:08:09");
  ASSERT_TRUE(back);
  EXPECT_EQ(events::SerialSecond(*back), events::SerialSecond(t));
  EXPECT_EQ(back->dayOfWeek, 4);
  for (const char* bad : {"", "2026-03-05", "2026-03-05T07:08:09", "2026-02-29 00:00:00", "2026-00-10 00:00:00",
                          "2026-03-05 07:60:00", "1969-12-31 23:59:59", "+026-03-05 07:08:09"})
    EXPECT_FALSE(events::ParseScanStamp(bad)) << bad;
}

TEST(CountFiringsTest, AgreesWithWalkingEachDay) {
  auto at = [](int y, int mo, int d, int h) {
    platform::DateTime t = events::FromSerialSecond(0);
    t.year = y, t.month = mo, t.day = d, t.hour = h;
    return events::FromSerialSecond(events::SerialSecond(t));
  };
  auto rule = [](const char* period, const char* date, std::array<bool, 7> days = {true, true, true, true, true, true, true}) {
    events::FiringRule r;
    r.time = "12:00:00";
    r.period = period;
    r.date = date;
    r.weekdays = days;
    return r;
  };
  const events::FiringRule rules[] = {
      rule("1", "15.03.2021"), rule("2", ""), rule("3", "31.01.2020"), rule("3", "29.02.2020"),
      rule("4", "", {true, false, true, false, false, false, true}), rule("4", "", {}), rule("5", ""),
  };
  const std::pair<platform::DateTime, platform::DateTime> spans[] = {
      {at(2020, 1, 1, 13), at(2024, 6, 30, 11)}, {at(2021, 3, 15, 12), at(2021, 3, 15, 12)},
      {at(2021, 3, 10, 0), at(2021, 3, 20, 0)},   {at(2021, 3, 20, 0), at(2021, 3, 10, 0)}};
  for (const auto& r : rules)
    for (const auto& [first, last] : spans) {
      std::size_t walked = 0;
      events::FiringsBetween(r, first, last, "HH:mm:ss", "dd.MM.yyyy", 0, &walked);
      EXPECT_EQ(events::CountFiringsBetween(r, first, last, "HH:mm:ss", "dd.MM.yyyy"), walked)
          << r.period << " " << r.date << " " << events::ScanStampText(first);
    }
}

TEST(SystemNoticeTest, TheMessagesOfSleepWakingTimeAndSessionEnd) {
  auto notice = [](unsigned msg, std::uintptr_t w) { return ui::SystemNoticeOf(ui::TMessage{msg, w, 0, 0}); };
  EXPECT_EQ(notice(kPowerBroadcast, kSuspend), ui::SystemNotice::kSuspending);
  EXPECT_EQ(notice(kPowerBroadcast, 0x7), ui::SystemNotice::kResumed);
  EXPECT_EQ(notice(kPowerBroadcast, kResumeAutomatic), ui::SystemNotice::kResumed);
  EXPECT_EQ(notice(kPowerBroadcast, 0xA), ui::SystemNotice::kNone);  // power status change
  EXPECT_EQ(notice(kTimeChange, 0), ui::SystemNotice::kTimeChanged);
  EXPECT_EQ(notice(kEndSession, 1), ui::SystemNotice::kSessionEnding);
  EXPECT_EQ(notice(kEndSession, 0), ui::SystemNotice::kNone);
  EXPECT_EQ(notice(0x0011, 0), ui::SystemNotice::kNone);
}

}  // namespace
