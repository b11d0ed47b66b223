// Small rules of the clock: time and date texts, setting conversions, list files.
#include <gtest/gtest.h>

#include <tuple>

#include "clock/time_format.h"
#include "config/convert.h"
#include "config/settings.h"
#include "events/list_file.h"
#include "tests/unit/temp_dir.h"

namespace {

platform::DateTime At(int y, int mo, int d, int h, int mi, int s) {
  platform::DateTime t{y, mo, d, h, mi, s, 0, clockface::DayOfWeek(y, mo, d)};
  return t;
}

TEST(TimeFormat, RussianAndEnglishPictures) {
  auto t = At(2026, 12, 6, 21, 5, 7);
  EXPECT_EQ(clockface::FormatPicture("HH:mm:ss", t), "21:05:07");
  EXPECT_EQ(clockface::FormatPicture("H:mm:ss", At(2026, 1, 2, 5, 3, 9)), "5:03:09");
  EXPECT_EQ(clockface::FormatPicture("dd.MM.yyyy", t), "06.12.2026");
  EXPECT_EQ(clockface::FormatPicture("d.M.yy", At(2003, 2, 1, 0, 0, 0)), "1.2.03");
  EXPECT_EQ(clockface::FormatPicture("h:mm:ss tt", t), "9:05:07 PM");
  EXPECT_EQ(clockface::FormatPicture("h:mm tt", At(2026, 1, 1, 0, 30, 0)), "12:30 AM");
  EXPECT_EQ(clockface::FormatPicture("dd 'de' MMMM", t), "06 de Декабрь");
}

TEST(TimeFormat, ParsesDatesOfThePictureAndRejectsOthers) {
  auto d = clockface::ParseDate("dd.MM.yyyy", "31.01.2026");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->day, 31);
  EXPECT_EQ(d->month, 1);
  EXPECT_EQ(d->year, 2026);
  EXPECT_EQ(d->dayOfWeek, 6);  // a Saturday
  for (const char* bad : {"", "31.02.2026", "1.13.2026", "aa.01.2026", "01.01.2026x", "01-01-2026", "00.01.2026"})
    EXPECT_FALSE(clockface::ParseDate("dd.MM.yyyy", bad)) << bad;
  EXPECT_TRUE(clockface::ParseDate("dd.MM.yyyy", "29.02.2024"));
  EXPECT_FALSE(clockface::ParseDate("dd.MM.yyyy", "29.02.2100"));
}

// What the formatter writes, the parser reads back: every picture element, quoted literals,
// fields without separators, names and the halves of the day.
TEST(TimeFormat, DatesAndTimesReadBackWhatTheFormatterWrote) {
  const char* const datePictures[] = {
      "dd.MM.yyyy", "d.M.yy", "dd.MM.yyyy' y.'", "'Date: 'dd/MM/yyyy", "yyyy-MM-dd", "yyyyMMdd",
      "dddd, d MMMM yyyy", "ddd dd MMM yy", "d.M.y", "dd.MM.yyyy 'dd.MM'", "dd''MM''yy", "dd.MM.yyyy 'open quote",
      "dd.MM.yyyy (ddd) dd"};
  const char* const timePictures[] = {"HH:mm:ss", "H:mm:ss", "h:mm:ss tt", "hh:mm:ss t", "HHmmss", "hmmss tt",
                                      "'at' H' h 'm' min 's", "tt h:mm:ss", "HH:mm:ss 'HH'", "H (h) mm ss"};
  int checked = 0;
  for (int day = 0; day < 800; day += 7)
    for (int hour : {0, 1, 11, 12, 13, 23}) {
      const int year = 2000 + day % 100, month = 1 + day % 12, dayOfMonth = 1 + day % clockface::DaysInMonth(year, month);
      const auto t = At(year, month, dayOfMonth, hour, (day * 7) % 60, (day * 13) % 60);
      for (const char* picture : datePictures) {
        SCOPED_TRACE(picture);
        const std::string text = clockface::FormatPicture(picture, t);
        const auto back = clockface::ParseDate(picture, text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(std::tie(back->year, back->month, back->day, back->dayOfWeek),
                  std::tie(t.year, t.month, t.day, t.dayOfWeek)) << text;
        ++checked;
      }
      // Fields of one letter run together can be read in more than one way; what is read is
      // written the same way again.
      for (const char* picture : {"dMyy", "dMy", "yyMd"}) {
        const std::string text = clockface::FormatPicture(picture, t);
        const auto back = clockface::ParseDate(picture, text);
        ASSERT_TRUE(back) << picture << " " << text;
        EXPECT_EQ(clockface::FormatPicture(picture, *back), text) << picture;
      }
      for (const char* picture : timePictures) {
        SCOPED_TRACE(picture);
        const std::string text = clockface::FormatPicture(picture, t);
        const auto back = clockface::ParseTime(picture, text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(std::tie(back->hour, back->minute, back->second), std::tie(t.hour, t.minute, t.second)) << text;
      }
    }
  EXPECT_GT(checked, 1000);

  // Years written in full keep their century; two digits stand for this one.
  EXPECT_EQ(clockface::ParseDate("dd.MM.yyyy", "01.02.1999")->year, 1999);
  EXPECT_EQ(clockface::ParseDate("dd.MM.yy", "01.02.99")->year, 2099);
  EXPECT_EQ(clockface::ParseDate("d.M.yyyy", "1.2.0012")->year, 12);
}

TEST(TimeFormat, TextsThatDoNotFitThePictureAreRefused) {
  const std::pair<const char*, const char*> badDates[] = {
      {"dd.MM.yyyy' y.'", "01.02.2003"},      {"dd.MM.yyyy' y.'", "01.02.2003 y"},  {"dd.MM.yyyy' y.'", "01.02.2003' y.'"},
      {"dd.MM.yyyy (ddd)", "01.02.2003 (Xy)"}, {"dd MMMM yyyy", "01 Мартобрь 2003"}, {"dd.MM.yyyy dd", "01.02.2003 02"},
      {"dd.MM", "01.02"},                     {"MM.yyyy", "02.2003"},               {"dd.MM.yyyy", "01.02."},
      {"dd.MM.yyyy", "1.2.3.4"}};
  for (const auto& [picture, text] : badDates) EXPECT_FALSE(clockface::ParseDate(picture, text)) << picture << " " << text;
  const std::pair<const char*, const char*> badTimes[] = {
      {"HH:mm:ss", "24:00:00"}, {"HH:mm:ss", "12:60:00"}, {"HH:mm:ss", "12:00:60"}, {"h:mm tt", "13:00 PM"},
      {"h:mm tt", "1:00 XM"},   {"HH:mm:ss", "12:00"},    {"HH h", "13 2"},         {"HH:mm:ss", ""}};
  for (const auto& [picture, text] : badTimes) EXPECT_FALSE(clockface::ParseTime(picture, text)) << picture << " " << text;
  // A field given twice is read once for both, when both agree.
  EXPECT_TRUE(clockface::ParseTime("HH h tt", "13 1 PM"));
  // Runs of fields without separators are bounded work, whatever they are fed.
  EXPECT_FALSE(clockface::ParseDate(std::string(200, 'd') + "dMdMdMdMdMdMdMdMdMdMdMdMdMdMdMy", std::string(300, '1')));
}

TEST(TimeFormat, CalendarHelpers) {
  EXPECT_EQ(clockface::DayOfWeek(2026, 12, 7), 1);  // Monday
  EXPECT_EQ(clockface::DayOfWeek(2000, 1, 1), 6);
  EXPECT_EQ(clockface::DaysInMonth(2024, 2), 29);
  EXPECT_EQ(clockface::DaysInMonth(2026, 4), 30);
  EXPECT_EQ(clockface::DaysInMonth(2026, 13), 0);
  EXPECT_EQ(clockface::DayOfWeek(2026, 13, 1), 0);
}

TEST(StrToInt, AcceptsDecimalIntegers) {
  EXPECT_EQ(config::StrToInt("0"), 0);
  EXPECT_EQ(config::StrToInt("895"), 895);
  EXPECT_EQ(config::StrToInt("-12"), -12);
  EXPECT_EQ(config::StrToInt("+7"), 7);
  EXPECT_EQ(config::StrToInt(" 42 "), 42);
  EXPECT_EQ(config::StrToInt("007"), 7);
  EXPECT_EQ(config::StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(config::StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RejectsEverythingElseWithTheTextInTheMessage) {
  for (const char* bad : {"", " ", "-", "abc", "$10", "0x10", "1.5", "12a", "1 2", "2147483648", "-2147483649",
                          "99999999999999999999"}) {
    try {
      config::StrToInt(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const config::EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Значение '") + bad + "' не является целым числом");
    }
  }
}

TEST(ListFile, SplitsEveryKindOfLineEnd) {
  EXPECT_EQ(events::SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(events::SplitLines("1\r\n2\r\n"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(events::SplitLines("1\n2"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(events::SplitLines("1\r2\r\n\r\n3"), (std::vector<std::string>{"1", "2", "", "3"}));
}

TEST(Settings, TypedReadersTakeTheirDefaultAndReadTheFileAtEachCall) {
  testing_support::TempDir dir;
  config::Settings settings(dir.Str() + "Clock_config.ini");
  EXPECT_EQ(settings.ReadInt("Clock", "HideNulls", 7), 7);
  EXPECT_TRUE(settings.ReadFlag("Position", "Save", true));
  EXPECT_FALSE(settings.ReadFlag("Position", "Save", false));
  EXPECT_EQ(settings.ReadText("Clock", "skin", "default"), "default");

  dir.Write("Clock_config.ini", "[Clock]\r\nHideNulls= -3 \r\nskin=paper\r\n[Position]\r\nSave=yes\r\n");
  EXPECT_EQ(settings.ReadInt("Clock", "HideNulls", 7), -3);
  EXPECT_FALSE(settings.ReadFlag("Position", "Save", true));  // only "1" is on
  EXPECT_EQ(settings.ReadText("Clock", "skin", "default"), "paper");

  dir.Write("Clock_config.ini", "[Clock]\r\nHideNulls=$1\r\n[Position]\r\nSave=1\r\n");
  EXPECT_TRUE(settings.ReadFlag("Position", "Save", false));
  try {
    settings.ReadInt("Clock", "HideNulls", 0);
    ADD_FAILURE() << "accepted $1";
  } catch (const config::EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "Значение '$1' не является целым числом");
  }
}

}  // namespace
