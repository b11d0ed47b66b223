// The stopwatch measured by the system's millisecond counter: minutes, seconds and hundredths,
// whatever the rate of the ticks that read it.
#include <gtest/gtest.h>

#include <random>

#include "clock/stopwatch.h"

using clockface::Stopwatch;
using clockface::StopwatchCounters;

namespace {

TEST(StopwatchCount, IrregularTicksOverSixtySecondsReadOneMinute) {
  for (std::uint32_t start : {0u, 3'600'000u, 0xFFFFFFFFu - 30'000u}) {  // the last wraps midway
    Stopwatch watch;
    watch.Start(start);
    std::mt19937 random(start);
    std::uint32_t now = start;
    StopwatchCounters last{};
    for (std::uint32_t passed = 0; passed < 60'000;) {
      std::uint32_t step = 10 + random() % 7;  // 10 to 16 ms, as timer messages come
      step = std::min(step, 60'000 - passed);
      passed += step;
      now += step;
      StopwatchCounters v = watch.Read(now);
      ASSERT_LE(v.c, 99);
      ASSERT_LE(v.b, 59);
      ASSERT_GE(v.a * 6000 + v.b * 100 + v.c, last.a * 6000 + last.b * 100 + last.c);
      ASSERT_EQ(v.a * 60000 + v.b * 1000 + v.c * 10, passed / 10 * 10);
      last = v;
    }
    EXPECT_EQ(last, (StopwatchCounters{1, 0, 0})) << start;
    EXPECT_TRUE(watch.Running());
  }
}

TEST(StopwatchCount, CountersAreMinutesSecondsAndHundredths) {
  EXPECT_EQ(Stopwatch::Counters(0), (StopwatchCounters{0, 0, 0}));
  EXPECT_EQ(Stopwatch::Counters(9), (StopwatchCounters{0, 0, 0}));
  EXPECT_EQ(Stopwatch::Counters(990), (StopwatchCounters{0, 0, 99}));
  EXPECT_EQ(Stopwatch::Counters(1000), (StopwatchCounters{0, 1, 0}));
  EXPECT_EQ(Stopwatch::Counters(59'999), (StopwatchCounters{0, 59, 99}));
  EXPECT_EQ(Stopwatch::Counters(19 * 60'000 + 59'990), (StopwatchCounters{19, 59, 99}));
  EXPECT_EQ(Stopwatch::Counters(Stopwatch::kLimitMs), (StopwatchCounters{20, 0, 0}));
  EXPECT_EQ(Stopwatch::Counters(0xFFFFFFFFu), (StopwatchCounters{20, 0, 0}));
}

TEST(StopwatchCount, StopsByItselfAtTwentyMinutesAndAStartStaysThere) {
  Stopwatch watch;
  watch.Start(1000);
  EXPECT_EQ(watch.Read(1000 + Stopwatch::kLimitMs - 10), (StopwatchCounters{19, 59, 99}));
  EXPECT_TRUE(watch.Running());
  EXPECT_EQ(watch.Read(1000 + Stopwatch::kLimitMs + 7), (StopwatchCounters{20, 0, 0}));
  EXPECT_FALSE(watch.Running());
  EXPECT_EQ(watch.Read(5'000'000), (StopwatchCounters{20, 0, 0}));

  watch.Start(6'000'000);
  EXPECT_EQ(watch.Read(6'000'010), (StopwatchCounters{20, 0, 0}));
  EXPECT_FALSE(watch.Running());

  // A tick that comes hours late still stops at the limit, not beyond it.
  Stopwatch late;
  late.Start(0);
  EXPECT_EQ(late.Read(10 * 3'600'000), (StopwatchCounters{20, 0, 0}));
}

TEST(StopwatchCount, StopKeepsTheShownValueAndStartGoesOnFromIt) {
  Stopwatch watch;
  watch.Start(10'000);
  watch.Stop(10'000 + 61'237);
  EXPECT_FALSE(watch.Running());
  EXPECT_EQ(watch.Read(99'999'999), (StopwatchCounters{1, 1, 23}));  // time stands while stopped
  watch.Stop(200'000);  // a second stop changes nothing
  EXPECT_EQ(watch.Read(200'000), (StopwatchCounters{1, 1, 23}));

  watch.Start(500'000);
  watch.Start(500'500);  // "Пуск" again while running does not restart the count
  EXPECT_EQ(watch.Read(500'770), (StopwatchCounters{1, 2, 0}));

  watch.Reset();
  EXPECT_FALSE(watch.Running());
  EXPECT_EQ(watch.Read(600'000), (StopwatchCounters{0, 0, 0}));
  watch.Start(600'000);
  EXPECT_EQ(watch.Read(600'015), (StopwatchCounters{0, 0, 1}));
}

}  // namespace
