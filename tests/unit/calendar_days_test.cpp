// The calendar's rules without its window: bold days of months, a day's list, the days of a
// range and the time of other cities across their summer-time changes.
#include <gtest/gtest.h>

#include "calendar/calendar_days.h"
#include "platform/fake/fake_time_zones.h"
#include "tests/unit/temp_dir.h"

namespace {

const calendar::Pictures kPictures{"HH:mm:ss", "dd.MM.yyyy"};

platform::DateTime Day(int y, int m, int d, int h = 0, int mi = 0) {
  platform::DateTime t = platform::CivilFromDays(platform::DaysFromCivil(y, m, d));
  t.hour = h;
  t.minute = mi;
  return t;
}

// The days of a month's bits, as "1 5 31".
std::string Days(std::uint32_t bits) {
  std::string text;
  for (int d = 1; d <= 31; ++d)
    if (bits & (1u << (d - 1))) text += (text.empty() ? "" : " ") + std::to_string(d);
  return text;
}

class CalendarStoreTest : public ::testing::Test {
 protected:
  // Events as "number: key=value;key=value", written in list order.
  void Store(const std::vector<std::pair<std::string, std::string>>& events) {
    std::string list, ini;
    for (const auto& [number, keys] : events) {
      list += number + "\r\n";
      ini += "[" + number + "]\r\n";
      std::size_t start = 0;
      while (start < keys.size()) {
        std::size_t end = keys.find(';', start);
        if (end == std::string::npos) end = keys.size();
        ini += keys.substr(start, end - start) + "\r\n";
        start = end + 1;
      }
    }
    dir.Write("Gear/Events.txt", list);
    dir.Write("Gear/gear.ini", ini);
  }
  calendar::StoredEvents Events() { return calendar::ReadEvents(store); }

  testing_support::TempDir dir;
  events::EventStore store{dir.Str()};
};

TEST_F(CalendarStoreTest, BoldDaysFollowEachRuleAndSkipSwitchedOffEvents) {
  Store({
      {"1", "time=10:00:00;date=15.11.2026;type=0;period=1"},           // once, 15 Nov
      {"2", "time=10:00:00;date=31.01.2026;type=5;period=3"},           // monthly on the 31st
      {"3", "time=10:00:00;date=01.01.2026;type=0;period=4;Mon=1;Tue=0;Wed=0;Thu=0;Fri=0;Sat=0;Sun=0"},
      {"4", "time=10:00:00;date=03.12.2026;type=6;Brith?=1"},           // birthday, this year only
      {"5", "time=10:00:00;date=20.11.2025;type=6;Brith?=0"},           // holiday of last year
      {"6", "time=10:00:00;date=25.11.2026;type=0;period=1;active=0"},  // switched off
  });
  auto bits = calendar::BoldDays(Events(), 2026, 11, 2, kPictures);
  ASSERT_EQ(bits.size(), 2u);
  // November has no 31st; Mondays are 2, 9, 16, 23, 30.
  EXPECT_EQ(Days(bits[0]), "2 9 15 16 23 30");
  EXPECT_EQ(Days(bits[1]), "3 7 14 21 28 31");
}

TEST_F(CalendarStoreTest, BoldDaysOfADailyEventAcrossAYearEndAndALeapFebruary) {
  Store({{"1", "time=08:00:00;date=01.01.2020;type=0;period=2"}});
  auto bits = calendar::BoldDays(Events(), 2023, 12, 3, kPictures);
  ASSERT_EQ(bits.size(), 3u);
  EXPECT_EQ(bits[0], 0x7fffffffu);  // 31 days
  EXPECT_EQ(bits[1], 0x7fffffffu);
  EXPECT_EQ(bits[2], 0x1fffffffu);  // 29 days of February 2024
}

TEST_F(CalendarStoreTest, BoldDaysOfAnEmptyOrMissingStore) {
  EXPECT_EQ(calendar::BoldDays(Events(), 2026, 1, 1, kPictures), std::vector<std::uint32_t>{0});
  Store({{"1", "time=garbage;date=;type=0;period=2"}, {"2", "time=10:00:00;date=nonsense;period=3"}});
  EXPECT_EQ(calendar::BoldDays(Events(), 2026, 1, 1, kPictures), std::vector<std::uint32_t>{0});
}

TEST_F(CalendarStoreTest, DayListInTimeOrderWithTextsAndSwitchedOffEvents) {
  Store({
      {"7", "time=18:30:00;date=08.12.2026;type=5;pathtotxt=C:\\old\\notes\\7.zqt;period=1"},
      {"8", "time=07:15:00;date=01.01.2026;type=1;pathtofile=C:\\Music\\wake.mp3;period=2"},
      {"9", "time=12:00:00;date=01.01.2026;type=0;period=2;active=0"},
      {"10", "time=09:00:00;date=08.12.2026;type=6;pathtobirthday=x\\10.zqd;Brith?=1"},
      {"11", "time=09:00:00;date=09.12.2026;type=5;period=1"},  // another day
  });
  dir.Write("notes/7.zqt", "{\\rtf1\\ansi \\par   Позвонить маме\\par второе\\par}");
  dir.Write("days/10.zqd", "Анна\r\n");
  auto list = calendar::DayList(store, Events(), Day(2026, 12, 8), kPictures);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].number, "10");
  EXPECT_EQ(list[0].time, "");
  EXPECT_EQ(list[0].typeName, "День рождения/праздник");
  EXPECT_EQ(list[0].text, "Анна");
  EXPECT_EQ(list[1].number, "8");
  EXPECT_EQ(list[1].text, "wake.mp3");
  EXPECT_EQ(list[2].number, "9");
  EXPECT_FALSE(list[2].active);
  EXPECT_EQ(list[3].time, "18:30:00");
  EXPECT_EQ(list[3].typeName, "Напоминание текстом");
  EXPECT_EQ(list[3].text, "Позвонить маме");
  EXPECT_TRUE(calendar::DayList(store, Events(), Day(2026, 12, 10), kPictures).size() == 2u);  // the daily ones
}

TEST(CalendarRangeTest, DaysOfARangeAcrossAYearEndAndALeapDay) {
  EXPECT_EQ(calendar::DaysInRange(Day(2026, 12, 8), Day(2026, 12, 8)), 1);
  EXPECT_EQ(calendar::DaysInRange(Day(2026, 12, 25), Day(2027, 1, 7)), 14);
  EXPECT_EQ(calendar::DaysInRange(Day(2027, 1, 7), Day(2026, 12, 25)), 14);  // chosen backwards
  EXPECT_EQ(calendar::DaysInRange(Day(2024, 2, 28), Day(2024, 3, 1)), 3);
  EXPECT_EQ(calendar::DaysInRange(Day(2023, 2, 28), Day(2023, 3, 1)), 2);
  EXPECT_EQ(calendar::DaysInRange(Day(2024, 1, 1), Day(2024, 12, 31)), 366);
  EXPECT_EQ(calendar::RangeText(1), "Дней: 1");
  EXPECT_EQ(calendar::RangeText(14), "Дней: 14 (2 нед.)");
  EXPECT_EQ(calendar::RangeText(366), "Дней: 366 (52 нед. 2 дн.)");
}

TEST(CalendarCitiesTest, AZonesTimeFollowsItsOwnSummerTime) {
  platform::FakeTimeZones zones;  // the computer is on Moscow time, UTC+3 all year
  struct Case {
    const char* zone;
    platform::DateTime local;
    const char* line;
  };
  const Case cases[] = {
      {"Tokyo Standard Time", Day(2026, 12, 8, 20, 15), "X 02:15, завтра"},
      {"Tokyo Standard Time", Day(2026, 12, 8, 12, 0), "X 18:00"},
      // Berlin: winter UTC+1, summer UTC+2 from the last Sunday of March, 01:00 UTC.
      {"W. Europe Standard Time", Day(2026, 3, 29, 3, 59), "X 01:59"},
      {"W. Europe Standard Time", Day(2026, 3, 29, 4, 0), "X 03:00"},
      {"W. Europe Standard Time", Day(2026, 10, 25, 3, 59), "X 02:59"},
      {"W. Europe Standard Time", Day(2026, 10, 25, 4, 0), "X 02:00"},
      // New York: UTC-5, summer from the second Sunday of March at 2:00.
      {"Eastern Standard Time", Day(2026, 3, 8, 9, 59), "X 01:59"},
      {"Eastern Standard Time", Day(2026, 3, 8, 10, 0), "X 03:00"},
      {"Eastern Standard Time", Day(2026, 1, 1, 2, 0), "X 18:00, вчера"},
      // Sydney: summer spans the year's end.
      {"AUS Eastern Standard Time", Day(2026, 1, 15, 12, 0), "X 20:00"},
      {"AUS Eastern Standard Time", Day(2026, 7, 15, 12, 0), "X 19:00"},
      {"Nowhere", Day(2026, 7, 15, 12, 0), "X: ?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(calendar::CityLine({"X", c.zone}, c.local, zones), c.line)
        << c.zone << " " << platform::FormatPicture("dd.MM.yyyy HH:mm", c.local);
}

TEST(CalendarCitiesTest, TheLocalZonesOwnSummerTimeIsTakenBackToUniversalTime) {
  platform::FakeTimeZones zones;
  zones.localZone = "W. Europe Standard Time";
  EXPECT_EQ(calendar::CityLine({"Токио", "Tokyo Standard Time"}, Day(2026, 7, 1, 12, 0), zones), "Токио 19:00");
  EXPECT_EQ(calendar::CityLine({"Токио", "Tokyo Standard Time"}, Day(2026, 12, 1, 12, 0), zones), "Токио 20:00");
}

TEST(CalendarCitiesTest, CitiesAreStoredInTheirOwnSection) {
  testing_support::TempDir dir;
  dir.Write("c.ini", "[Clock]\r\nRunTray=0\r\n[Cities]\r\nName1=Токио\r\nZone1=Tokyo Standard Time\r\nName2=\r\n"
                     "Zone2=UTC\r\nName3=Берлин\r\nZone3=W. Europe Standard Time\r\n");
  config::TIniFile ini(dir.Str() + "c.ini");
  auto cities = calendar::ReadCities(ini);
  ASSERT_EQ(cities.size(), 2u);
  EXPECT_EQ(cities[1], (calendar::City{"Берлин", "W. Europe Standard Time"}));
  cities.erase(cities.begin());
  calendar::WriteCities(ini, cities);
  EXPECT_EQ(calendar::ReadCities(ini), cities);
  EXPECT_EQ(ini.ReadString("Cities", "Name2", "none"), "none");
  EXPECT_EQ(ini.ReadString("Clock", "RunTray", ""), "0");
}

}  // namespace
