// The pure rules of the clock tick and the scheduler, one named case per rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/chimes.h"
#include "config/convert.h"
#include "events/scheduler.h"

namespace {

using clockface::Chime;
using Chimes = std::vector<Chime>;

const clockface::ChimeSettings kAll{"mid.wav", "hour.wav", "min.wav", 600, 700, 900};
const clockface::ChimeSettings kBeepsOnly{"", "", "", 600, 700, 900};
const clockface::ChimeSettings kFilesOnly{"mid.wav", "hour.wav", "min.wav", 0, 0, 0};

Chime File(const char* path) { return {path, 0, 0}; }
Chime Beep(int hz, int ms) { return {"", hz, ms}; }

TEST(ChimesAt, MidnightSoundsItsFileThenItsLongBeepAndNothingElse) {
  EXPECT_EQ(clockface::ChimesAt(0, 0, 0, kAll), (Chimes{File("mid.wav"), Beep(600, 1000)}));
}

TEST(ChimesAt, MidnightIsAnnouncedByFiveShortLowBeeps) {
  for (int s = 55; s <= 59; ++s) EXPECT_EQ(clockface::ChimesAt(23, 59, s, kAll), Chimes{Beep(800, 100)}) << s;
  EXPECT_EQ(clockface::ChimesAt(23, 59, 54, kAll), Chimes{});
}

TEST(ChimesAt, AFullHourSoundsTheHourFileThenItsBeep) {
  EXPECT_EQ(clockface::ChimesAt(14, 0, 0, kAll), (Chimes{File("hour.wav"), Beep(700, 500)}));
  EXPECT_EQ(clockface::ChimesAt(0, 0, 0, kFilesOnly), Chimes{File("mid.wav")});
}

TEST(ChimesAt, OtherHoursAreAnnouncedByFiveShortHighBeeps) {
  for (int s = 55; s <= 59; ++s) EXPECT_EQ(clockface::ChimesAt(13, 59, s, kAll), Chimes{Beep(1000, 100)}) << s;
}

TEST(ChimesAt, AnnouncementsNeedTheBeepOfTheirSignal) {
  EXPECT_EQ(clockface::ChimesAt(13, 59, 57, kFilesOnly), Chimes{});
  EXPECT_EQ(clockface::ChimesAt(23, 59, 57, kFilesOnly), Chimes{});
}

TEST(ChimesAt, AFullMinuteSoundsTheMinuteFileThenAShortBeep) {
  EXPECT_EQ(clockface::ChimesAt(14, 1, 0, kAll), (Chimes{File("min.wav"), Beep(900, 70)}));
  EXPECT_EQ(clockface::ChimesAt(14, 1, 0, kBeepsOnly), Chimes{Beep(900, 70)});
}

TEST(ChimesAt, OtherSecondsAreSilent) {
  EXPECT_EQ(clockface::ChimesAt(14, 1, 1, kAll), Chimes{});
  EXPECT_EQ(clockface::ChimesAt(14, 58, 59, kAll), Chimes{});
}

TEST(MsToNextTick, DueJustAfterTheNextSecondBegins) {
  EXPECT_EQ(clockface::MsToNextTick(0), 1000 + clockface::kTickMarginMs);
  EXPECT_EQ(clockface::MsToNextTick(500), 500 + clockface::kTickMarginMs);
  EXPECT_EQ(clockface::MsToNextTick(999), 1 + clockface::kTickMarginMs);
}

TEST(MsToNextTick, MillisecondsOutsideASecondAreClamped) {
  EXPECT_EQ(clockface::MsToNextTick(-5), clockface::MsToNextTick(0));
  EXPECT_EQ(clockface::MsToNextTick(1500), clockface::MsToNextTick(999));
}

TEST(WithLeadingZero, NumbersBelowTenGetAZeroWhenWanted) {
  EXPECT_EQ(clockface::WithLeadingZero("7", true), "07");
  EXPECT_EQ(clockface::WithLeadingZero("0", true), "00");
  EXPECT_EQ(clockface::WithLeadingZero("7", false), "7");
  EXPECT_EQ(clockface::WithLeadingZero("10", true), "10");
}

TEST(WithLeadingZero, AnAlreadyPaddedLabelKeepsItsOneZero) {
  EXPECT_EQ(clockface::WithLeadingZero("07", true), "07");
}

TEST(WithLeadingZero, ATextThatIsNoNumberRaisesTheConversionError) {
  EXPECT_THROW(clockface::WithLeadingZero("--:", true), config::EConvertError);
  EXPECT_THROW(clockface::WithLeadingZero("", false), config::EConvertError);
}

TEST(MonthlyRule, HoldsOnTheStoredDayOfAnyMonthAndYear) {
  EXPECT_TRUE(events::MonthlyRuleHolds("07.05.2020", "dd.MM.yyyy", 7));
  EXPECT_FALSE(events::MonthlyRuleHolds("07.05.2020", "dd.MM.yyyy", 8));
  EXPECT_TRUE(events::MonthlyRuleHolds("31.01.2026", "dd.MM.yyyy", 31));
  EXPECT_TRUE(events::MonthlyRuleHolds("5/31/2026", "M/d/yyyy", 31));
}

TEST(MonthlyRule, AStoredDateThatDoesNotParseRaisesTheConversionError) {
  EXPECT_THROW(events::MonthlyRuleHolds("31/13/2026", "dd.MM.yyyy", 31), config::EConvertError);
  EXPECT_THROW(events::MonthlyRuleHolds("", "dd.MM.yyyy", 1), config::EConvertError);
}

TEST(SerialSecond, DiffersForTheSameTimeOnAnotherDay) {
  platform::DateTime a{2026, 12, 7, 9, 5, 7, 0, 1};
  platform::DateTime b = a;
  b.day = 8;
  platform::DateTime c = a;
  c.millisecond = 999;
  EXPECT_NE(events::SerialSecond(a), events::SerialSecond(b));
  EXPECT_EQ(events::SerialSecond(a), events::SerialSecond(c));
  b = a;
  b.second = 8;
  EXPECT_EQ(events::SerialSecond(b), events::SerialSecond(a) + 1);
}

}  // namespace
