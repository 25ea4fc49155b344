// Which monitor a window stands on, and whether a saved corner lies on one.
#include "platform/monitors.h"

#include <gtest/gtest.h>

#include <climits>

namespace tk {
namespace {

// A 1024 x 768 primary, a 1280 x 1024 monitor to its left reaching higher
// up, and a small one to its right, lower down.
const std::vector<Monitor> kDesk = {
    {{0, 0, 1024, 768}, {0, 0, 1024, 728}, 100},
    {{-1280, -256, 0, 768}, {-1280, -256, 0, 768}, 150},
    {{1024, 200, 1824, 800}, {1024, 200, 1824, 800}, 200},
};

TEST(Monitors, AWindowStandsOnTheMonitorHoldingMostOfItOrElseTheNearest) {
  struct Case {
    const char* name;
    Rect window;
    int monitor;
  } const cases[] = {
      {"inside the primary", {100, 100, 140, 130}, 0},
      {"inside the left one", {-600, -200, -560, -170}, 1},
      {"mostly on the left one", {-30, 10, 10, 40}, 1},
      {"straddling equally: the primary", {-20, 10, 20, 40}, 0},
      {"on the right one", {1500, 500, 1540, 530}, 2},
      {"just above the primary, on none", {500, -100, 540, -70}, 0},
      {"high above, nearer the left one's top", {100, -500, 140, -470}, 1},
      {"far left, on none", {-5000, 0, -4960, 30}, 1},
      {"below the right one, on none", {1500, 900, 1540, 930}, 2},
      {"at the very edge of 32 bits", {INT_MAX - 40, INT_MAX - 30, INT_MAX, INT_MAX}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(&MonitorOf(kDesk, c.window), &kDesk[static_cast<std::size_t>(c.monitor)]) << c.name;
  }
}

TEST(Monitors, ACornerCountsOnAMonitorUpToItsRightAndBottomEdges) {
  EXPECT_TRUE(CornerOnAMonitor(kDesk, 1024, 768));
  EXPECT_TRUE(CornerOnAMonitor(kDesk, -1280, -256));
  EXPECT_TRUE(CornerOnAMonitor(kDesk, 1824, 800));
  EXPECT_FALSE(CornerOnAMonitor(kDesk, 500, -1));
  EXPECT_FALSE(CornerOnAMonitor(kDesk, 1500, 100));
  EXPECT_FALSE(CornerOnAMonitor(kDesk, -1281, 0));
  EXPECT_FALSE(CornerOnAMonitor({kDesk.front()}, -1, 0));
}

TEST(Monitors, PicturesGrowByTheNearestWholeFactor) {
  const std::pair<int, int> cases[] = {{96, 1},  {100, 1}, {125, 1}, {149, 1}, {150, 2}, {175, 2},
                                       {200, 2}, {225, 2}, {250, 3}, {300, 3}, {0, 1},   {-20, 1}};
  for (const auto& [scale, factor] : cases) EXPECT_EQ(WholeScaleFactor(scale), factor) << scale;
}

}  // namespace
}  // namespace tk
