#include "preview_clock.h"

#include <gtest/gtest.h>

namespace tkc {
namespace {

using std::chrono::milliseconds;
const PreviewClock::Real kStart = PreviewClock::Real() + std::chrono::hours(1);

// Virtual time at a speed: when each virtual moment falls due, and which
// virtual moment a real one stands for.
TEST(PreviewClock, KeepsPaceAtEachSpeed) {
  struct Case {
    int speed;
    std::uint64_t virtual_ms;  // a moment after the anchor at virtual 5000
    milliseconds real_after;   // how long after the anchor it falls due
  };
  for (const Case& c : {Case{1, 5250, milliseconds(250)}, Case{10, 7500, milliseconds(250)},
                        Case{100, 30000, milliseconds(250)}, Case{1, 4000, milliseconds(0)}}) {
    PreviewClock clock(kStart, 0);
    clock.SetSpeed(c.speed, kStart, 5000);
    EXPECT_EQ(clock.RealAt(c.virtual_ms), kStart + c.real_after) << c.speed;
    EXPECT_EQ(clock.VirtualAt(kStart + c.real_after), std::max<std::uint64_t>(c.virtual_ms, 5000));
  }
}

TEST(PreviewClock, PauseHoldsTimeAndResumesFromWhereItStood) {
  PreviewClock clock(kStart, 100);
  clock.SetPaused(true, kStart + milliseconds(50), 150);
  EXPECT_EQ(clock.RealAt(151), PreviewClock::Real::max());
  EXPECT_EQ(clock.VirtualAt(kStart + std::chrono::seconds(10)), 150u);
  EXPECT_FALSE(clock.CatchUp(kStart + std::chrono::seconds(10), 150));

  const auto resumed = kStart + std::chrono::seconds(20);
  clock.SetPaused(false, resumed, 150);
  EXPECT_EQ(clock.RealAt(160), resumed + milliseconds(10));
}

// A clock held up (a box waited) goes on from now instead of rushing; a
// small lag is caught up as usual.
TEST(PreviewClock, GivesUpCatchingUpOnlyPastTheLargestLag) {
  PreviewClock clock(kStart, 0);
  EXPECT_FALSE(clock.CatchUp(kStart + PreviewClock::kMaxLag, 0));
  EXPECT_EQ(clock.RealAt(100), kStart + milliseconds(100));
  const auto late = kStart + std::chrono::seconds(5);
  EXPECT_TRUE(clock.CatchUp(late, 40));
  EXPECT_EQ(clock.RealAt(100), late + milliseconds(60));
}

TEST(PreviewClock, FarMomentsStayWithinReach) {
  PreviewClock clock(kStart, 0);
  EXPECT_LT(clock.RealAt(UINT64_MAX), kStart + std::chrono::hours(25));
  for (const int speed : {0, 2, 1000, -1}) EXPECT_FALSE(IsPreviewSpeed(speed)) << speed;
  for (const int speed : {1, 10, 100}) EXPECT_TRUE(IsPreviewSpeed(speed)) << speed;
}

}  // namespace
}  // namespace tkc
