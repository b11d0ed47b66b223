// The clock on the real desktop: snapping to the work area of the monitor it is dropped on,
// where it opens without a stored position, and a stored position on no monitor.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "chrome/placement.h"
#include "tests/unit/program_fixture.h"

using testing_support::ProgramTest;

namespace {

using platform::MonitorArea;

const MonitorArea kBottomBar{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, 96};
const MonitorArea kTopBar{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}, true, 96};
const MonitorArea kLeftBar{{0, 0, 1920, 1080}, {62, 0, 1920, 1080}, true, 96};
// Two side by side, the second lower and smaller, with no bar of its own.
const MonitorArea kLeftOfTwo{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, 96};
const MonitorArea kRightOfTwo{{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false, 96};
// A monitor left of the primary, at 150 %.
const MonitorArea kLeftOfPrimary{{-2560, -200, 0, 1240}, {-2560, -200, 0, 1192}, false, 144};

struct DropCase {
  const char* what;
  chrome::Monitors monitors;
  ui::TPoint dropped;
  ui::TSize window;  // in the screen's pixels
  ui::TPoint expected;
};

// The end of a move: limits 994 - width (designed), 662, 30, 30.
ui::TPoint Drop(const DropCase& c, int designedWidth) {
  const ui::TRect rect{c.dropped.x, c.dropped.y, c.dropped.x + c.window.cx, c.dropped.y + c.window.cy};
  const MonitorArea* m = chrome::MonitorOf(c.monitors, rect);
  if (!m) return c.dropped;
  return chrome::SnapToArea(c.dropped, c.window, chrome::SnapArea(*m), {994 - designedWidth, 662, 30, 30}, m->dpi);
}

TEST(ClockPlacement, ADroppedClockSnapsToTheWorkAreaEdgesOfItsMonitor) {
  const DropCase cases[] = {
      // Task bar at the bottom: the bottom edge is the bar's top.
      {"bottom bar, near the right", {kBottomBar}, {1670, 300}, {239, 116}, {1681, 300}},
      {"bottom bar, short of the right", {kBottomBar}, {1650, 300}, {239, 116}, {1650, 300}},
      {"bottom bar, near the bottom", {kBottomBar}, {500, 980}, {239, 116}, {500, 924}},
      {"bottom bar, above the bottom limit", {kBottomBar}, {500, 955}, {239, 116}, {500, 955}},
      {"bottom bar, near the top left", {kBottomBar}, {25, 12}, {239, 116}, {0, 0}},
      // Task bar at the top: the top edge is below it, the bottom is the screen's.
      {"top bar, near the top", {kTopBar}, {500, 60}, {239, 116}, {500, 40}},
      {"top bar, near the bottom", {kTopBar}, {500, 1010}, {239, 116}, {500, 964}},
      // Task bar on the left: the left edge is beside it.
      {"left bar, near the left", {kLeftBar}, {80, 500}, {239, 116}, {62, 500}},
      {"left bar, at x 31 beside it", {kLeftBar}, {93, 500}, {239, 116}, {93, 500}},
      // Two monitors side by side of different heights: each drop snaps on its own monitor.
      {"second monitor, near its bottom", {kLeftOfTwo, kRightOfTwo}, {2500, 950}, {239, 116}, {2500, 997 - 116}},
      {"second monitor, near its right", {kLeftOfTwo, kRightOfTwo}, {2950, 100}, {239, 116}, {2961, 100}},
      {"second monitor, near its left", {kLeftOfTwo, kRightOfTwo}, {1940, 100}, {239, 116}, {1920, 100}},
      {"first monitor, near the seam", {kLeftOfTwo, kRightOfTwo}, {1670, 100}, {239, 116}, {1681, 100}},
      // Left of the primary, negative coordinates, 150 %: the distances are scaled (45 pixels).
      {"left monitor, near its left", {kBottomBar, kLeftOfPrimary}, {-2520, 400}, {359, 174}, {-2560, 400}},
      {"left monitor, 46 from its left", {kBottomBar, kLeftOfPrimary}, {-2514, 400}, {359, 174}, {-2514, 400}},
      {"left monitor, near its top", {kBottomBar, kLeftOfPrimary}, {-1500, -170}, {359, 174}, {-1500, -200}},
      {"left monitor, near its right", {kBottomBar, kLeftOfPrimary}, {-390, 400}, {359, 174}, {-359, 400}},
      {"left monitor, near its bottom", {kBottomBar, kLeftOfPrimary}, {-1500, 1100}, {359, 174}, {-1500, 1018}},
  };
  for (const DropCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Drop(c, 239), c.expected);
  }
}

TEST(ClockPlacement, OnAMonitorThatReportsNoBarTheOldBottomBandStays) {
  // 1024 x 768 with nothing docked: exactly the snapping of a screen of that size.
  const MonitorArea bare{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true, 96};
  EXPECT_EQ(chrome::SnapArea(bare), (ui::TRect{0, 0, 1024, 741}));
  for (auto [pos, expected] : {std::pair{ui::TPoint{760, 300}, ui::TPoint{785, 300}},
                               {{750, 300}, {750, 300}},
                               {{400, 700}, {400, 625}},
                               {{400, 661}, {400, 661}},
                               {{30, 31}, {0, 31}}}) {
    SCOPED_TRACE(testing::Message() << pos.x << "," << pos.y);
    EXPECT_EQ(chrome::SnapToArea(pos, {239, 116}, chrome::SnapArea(bare), {755, 662, 30, 30}, 96), expected);
  }
  // At 150 % the band is scaled too.
  const MonitorArea scaled{{0, 0, 1536, 1152}, {0, 0, 1536, 1152}, true, 144};
  EXPECT_EQ(chrome::SnapArea(scaled).bottom, 1152 - 41);
}

// A single monitor of that size that reports no task bar.
MonitorArea Bare(int width, int height) { return {{0, 0, width, height}, {0, 0, width, height}, true, 96}; }

ui::TPoint SnapOn(const MonitorArea& m, ui::TPoint pos, ui::TSize window, chrome::SnapLimits limits) {
  return chrome::SnapToArea(pos, window, chrome::SnapArea(m), limits, m.dpi);
}

struct SnapCase {
  int left, top, width, height;
  chrome::SnapLimits limits;
  int wantLeft, wantTop;
};

TEST(ClockPlacement, OnTheDesignScreen) {
  const MonitorArea screen = Bare(1024, 768);
  const SnapCase cases[] = {
      {895, 687, 180, 70, {865, 657, 30, 30}, 844, 671},     // start-up defaults
      {760, 300, 239, 116, {994 - 239, 662, 30, 30}, 785, 300},  // past the right limit after a move
      {750, 300, 239, 116, {994 - 239, 662, 30, 30}, 750, 300},
      {30, 300, 239, 116, {755, 662, 30, 30}, 0, 300},       // at the left limit
      {31, 300, 239, 116, {755, 662, 30, 30}, 31, 300},
      {300, 700, 239, 116, {755, 662, 30, 30}, 300, 625},    // past the bottom limit
      {300, 661, 239, 116, {755, 662, 30, 30}, 300, 661},    // the lower edge may stay below 741
      {300, 30, 239, 116, {755, 662, 30, 30}, 300, 0},
      {-50, -50, 239, 116, {755, 662, 30, 30}, 0, 0},
  };
  for (const auto& c : cases) {
    auto p = SnapOn(screen, {c.left, c.top}, {c.width, c.height}, c.limits);
    EXPECT_EQ(p, (ui::TPoint{c.wantLeft, c.wantTop})) << c.left << "," << c.top;
  }
}

TEST(ClockPlacement, LimitsFollowTheRealScreenEdges) {
  // On a wider and taller screen the same limits apply at the same distance from the edges.
  const MonitorArea screen = Bare(1920, 1080);
  auto p = SnapOn(screen, {1900 - 239, 500}, {239, 116}, {994 - 239, 662, 30, 30});
  EXPECT_EQ(p, (ui::TPoint{1920 - 239, 500}));
  p = SnapOn(screen, {1000, 500}, {239, 116}, {994 - 239, 662, 30, 30});
  EXPECT_EQ(p, (ui::TPoint{1000, 500}));  // the middle of a big screen is not an edge
  p = SnapOn(screen, {1000, 1000}, {239, 116}, {994 - 239, 662, 30, 30});
  EXPECT_EQ(p, (ui::TPoint{1000, 1080 - 27 - 116}));
}

TEST(ClockPlacement, ANewSizeKeepsTheEdgesReachedAndTheWholeWindowOnTheScreen) {
  struct Case {
    ui::TPoint at;
    ui::TSize before, after;
    MonitorArea screen;
    ui::TPoint want;
  };
  const MonitorArea design = Bare(1024, 768), wide = Bare(1920, 1080);
  const Case cases[] = {
      {{844, 671}, {180, 70}, {260, 110}, design, {764, 631}},   // bottom-right corner, growing
      {{764, 631}, {260, 110}, {120, 40}, design, {904, 701}},   // and shrinking
      {{0, 0}, {180, 70}, {260, 110}, design, {0, 0}},           // top-left corner
      {{844, 0}, {180, 70}, {260, 110}, design, {764, 0}},       // top-right corner
      {{0, 671}, {180, 70}, {260, 110}, design, {0, 631}},       // bottom-left corner
      {{844, 300}, {180, 70}, {260, 110}, design, {764, 300}},   // right edge only
      {{300, 671}, {180, 70}, {260, 110}, design, {300, 631}},   // bottom edge only
      {{300, 661}, {239, 116}, {260, 110}, design, {300, 631}},  // below the snapped line counts as there
      {{400, 300}, {180, 70}, {260, 110}, design, {400, 300}},   // free: stays
      {{700, 300}, {180, 70}, {400, 110}, design, {624, 300}},   // free, but would cross the right edge
      {{300, 600}, {180, 70}, {260, 200}, design, {300, 568}},   // ... or the bottom of the screen
      {{100, 100}, {180, 70}, {1200, 900}, design, {0, 0}},      // larger than the screen
      {{-50, -20}, {180, 70}, {260, 110}, design, {0, 0}},       // partly off at the left and top
      {{1740, 983}, {180, 70}, {260, 110}, wide, {1660, 943}},   // the corner of a bigger screen
      {{1000, 500}, {180, 70}, {260, 110}, wide, {1000, 500}},
      {{300, 661}, {239, 116}, {239, 116}, design, {300, 661}},  // the same size moves nothing
  };
  for (const auto& c : cases)
    EXPECT_EQ(chrome::KeepOnMonitor(c.at, c.before, c.after, c.screen), c.want)
        << c.at.x << "," << c.at.y << " " << c.after.cx << "x" << c.after.cy;
}

TEST(ClockPlacement, ANewSizeKeepsTheWindowOnTheMonitorItStandsOn) {
  // The right monitor of two, lower and with no bar: its own edges count, not the primary's.
  EXPECT_EQ(chrome::KeepOnMonitor({2961, 881}, {239, 116}, {260, 110}, kRightOfTwo), (ui::TPoint{2940, 887}));
  EXPECT_EQ(chrome::KeepOnMonitor({2500, 300}, {239, 116}, {260, 110}, kRightOfTwo), (ui::TPoint{2500, 300}));
  // A bar at the top: the window stays below it.
  EXPECT_EQ(chrome::KeepOnMonitor({500, 40}, {180, 70}, {260, 110}, kTopBar), (ui::TPoint{500, 40}));
  EXPECT_EQ(chrome::KeepOnMonitor({500, 20}, {180, 70}, {260, 110}, kTopBar), (ui::TPoint{500, 40}));
}

TEST(ClockPlacement, TheMonitorOfAWindowIsTheOneItCoversMostOrElseTheNearest) {
  const chrome::Monitors two{kLeftOfTwo, kRightOfTwo};
  EXPECT_EQ(chrome::MonitorOf(two, {1800, 100, 2039, 216}), &two[0]);  // 120 px left, 119 right
  EXPECT_EQ(chrome::MonitorOf(two, {1802, 100, 2041, 216}), &two[1]);
  EXPECT_EQ(chrome::MonitorOf(two, {5000, 100, 5239, 216}), &two[1]);  // off both: the nearer
  EXPECT_EQ(chrome::MonitorOf(two, {-900, 2000, -661, 2116}), &two[0]);
  EXPECT_EQ(chrome::MonitorOf({}, {0, 0, 10, 10}), nullptr);
  const chrome::Monitors secondFirst{kRightOfTwo, kLeftOfTwo};
  EXPECT_EQ(chrome::PrimaryOf(secondFirst), &secondFirst[1]);
}

TEST(ClockPlacement, WithoutAStoredPlaceTheClockOpensInThePrimaryMonitorsLowerRightCorner) {
  EXPECT_EQ(chrome::DefaultPlace({kBottomBar}, {239, 116}), (ui::TPoint{1681, 924}));
  EXPECT_EQ(chrome::DefaultPlace({kTopBar}, {239, 116}), (ui::TPoint{1681, 964}));
  EXPECT_EQ(chrome::DefaultPlace({kLeftOfPrimary, kBottomBar}, {180, 70}), (ui::TPoint{1740, 970}));
  EXPECT_EQ(chrome::DefaultPlace({kRightOfTwo}, {180, 70}), (ui::TPoint{3020, 1024 - 27 - 70}));
  EXPECT_EQ(chrome::DefaultPlace({}, {180, 70}), (ui::TPoint{0, 0}));
}

TEST(ClockPlacement, APlaceOnNoMonitorComesIntoTheNearestWorkArea) {
  const chrome::Monitors two{kLeftOfTwo, kRightOfTwo};
  // Where a docked monitor used to be, right of both.
  EXPECT_EQ(chrome::KeepOnAMonitor(two, {4000, 500, 4239, 616}), (ui::TPoint{3200 - 239, 500}));
  // Below the second one, which is shorter.
  EXPECT_EQ(chrome::KeepOnAMonitor(two, {2500, 1050, 2739, 1166}), (ui::TPoint{2500, 1024 - 116}));
  // Far up and left of everything.
  EXPECT_EQ(chrome::KeepOnAMonitor(two, {-5000, -5000, -4761, -4884}), (ui::TPoint{0, 0}));
  // Partly on a monitor: stays where the user left it.
  EXPECT_EQ(chrome::KeepOnAMonitor(two, {3100, 500, 3339, 616}), (ui::TPoint{3100, 500}));
  // A monitor with negative coordinates.
  EXPECT_EQ(chrome::KeepOnAMonitor({kLeftOfPrimary, kBottomBar}, {-3000, 300, -2641, 474}), (ui::TPoint{-2560, 300}));
}

// ---- The clock itself

class ClockPlacementTest : public ProgramTest {
 protected:
  void Monitors(chrome::Monitors monitors) { platform->fakeMonitors().monitors = std::move(monitors); }
};

TEST_F(ClockPlacementTest, OnAWideScreenWithoutAStoredPlaceItOpensInTheLowerRightCorner) {
  Monitors({kBottomBar});
  dir.Write("Cfg/Clock_config.ini", "[Clock]\r\nRunTray=0\r\n");
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->ScreenRect(), (ui::TRect{1920 - 180, 1040 - 70, 1920, 1040}));
}

TEST_F(ClockPlacementTest, AStoredPlaceIsKeptAndOneOnADetachedMonitorComesBack) {
  Monitors({kLeftOfTwo, kRightOfTwo});
  dir.Write("Cfg/Clock_config.ini", "[Position]\r\nX=2400\r\nY=500\r\n");
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->Left(), 2400);
  EXPECT_EQ(Form1->Top(), 500);
  EndInstance();

  Monitors({kLeftOfTwo});  // the second monitor is gone
  ASSERT_FALSE(Start());
  EXPECT_EQ(Form1->Left(), 1920 - 180);
  EXPECT_EQ(Form1->Top(), 500);
}

TEST_F(ClockPlacementTest, DroppedOnTheSecondMonitorItSnapsToThatMonitorsEdges) {
  Monitors({kLeftOfTwo, kRightOfTwo});
  dir.Write("Cfg/Clock_config.ini", "[Position]\r\nX=100\r\nY=100\r\n");
  ASSERT_FALSE(Start());
  Form1->SetBounds(3010, 950, Form1->Width(), Form1->Height());
  Form1->CheckPosition(994 - Form1->Width(), 662, 30, 30);
  EXPECT_EQ(Form1->Left(), 3200 - 180);
  EXPECT_EQ(Form1->Top(), 1024 - 27 - 70);
}

}  // namespace
