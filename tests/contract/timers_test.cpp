// Message timers as Windows runs them: ticks only from a pump, never faster
// than the system minimum, elapsed intervals folded into one tick.
#include <stdexcept>

#include "contract/harness.h"

namespace tk::contract {
namespace {

constexpr unsigned kSystemMinimumMs = 10;

class TimerContract : public ContractTest {
 protected:
  TimerId Counting() {
    return platform.CreateTimer([this] { ++ticks; });
  }
  // Ticks in `ms` of pumping, and the time that really passed.
  std::pair<int, std::uint32_t> TicksDuring(unsigned ms) {
    const int before = ticks;
    const std::uint32_t start = platform.TickCount();
    harness->Pass(ms);
    return {ticks - before, platform.TickCount() - start};
  }
  int MostTicksIn(std::uint32_t elapsed_ms, unsigned interval_ms) const {
    return static_cast<int>(elapsed_ms / interval_ms) + 1 + harness->TickSlack();
  }

  int ticks = 0;
};

TEST_F(TimerContract, AnIntervalOfZeroAndAStoppedTimerDoNotTick) {
  const TimerId timer = Counting();
  harness->Pass(40);
  EXPECT_EQ(ticks, 0) << "made stopped";
  platform.SetTimer(timer, 0, true);
  harness->Pass(60);
  EXPECT_EQ(ticks, 0) << "interval 0";

  for (const auto& [interval, enabled] : {std::pair{10u, false}, std::pair{0u, true}}) {
    platform.SetTimer(timer, 10, true);
    const int running_from = ticks;
    ASSERT_TRUE(PassUntil(*harness, [&] { return ticks >= running_from + 2; }));
    platform.SetTimer(timer, interval, enabled);
    harness->Pump();
    const int stopped_at = ticks;
    harness->Pass(60);
    EXPECT_EQ(ticks, stopped_at) << interval << (enabled ? " enabled" : " disabled");
  }
}

TEST_F(TimerContract, ShortIntervalsRunAtTheSystemMinimum) {
  const TimerId timer = Counting();
  for (const unsigned interval : {1u, 5u, 10u, 25u}) {
    platform.SetTimer(timer, interval, true);
    const auto [count, elapsed] = TicksDuring(100);
    EXPECT_GE(count, 1) << interval;
    EXPECT_LE(count, MostTicksIn(elapsed, std::max(interval, kSystemMinimumMs))) << interval;
  }
}

TEST_F(TimerContract, SettingATimerAgainRestartsItsInterval) {
  const TimerId timer = Counting();
  platform.SetTimer(timer, 300, true);
  harness->Pass(200);
  platform.SetTimer(timer, 300, true);
  harness->Pass(200);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(PassUntil(*harness, [&] { return ticks == 1; }));
}

TEST_F(TimerContract, TicksWaitForAPumpAndElapsedIntervalsFoldIntoOne) {
  const TimerId timer = Counting();
  platform.SetTimer(timer, 10, true);
  harness->Busy(100);
  EXPECT_EQ(ticks, 0);
  harness->Pump();
  EXPECT_GE(ticks, 1);
  EXPECT_LE(ticks, 1 + harness->TickSlack());
}

TEST_F(TimerContract, ATickThatBlocksForManyIntervalsIsFollowedByOneTickNotABurst) {
  const TimerId timer = platform.CreateTimer([&] {
    if (++ticks == 1) harness->Busy(200);
  });
  platform.SetTimer(timer, 10, true);
  ASSERT_TRUE(PassUntil(*harness, [&] { return ticks >= 1; }));
  const auto [count, elapsed] = TicksDuring(35);
  EXPECT_GE(count, 1);
  EXPECT_LE(count, MostTicksIn(elapsed, 10));
}

TEST_F(TimerContract, ATickMayDestroyItsOwnTimer) {
  TimerId timer = 0;
  timer = platform.CreateTimer([&] {
    ++ticks;
    platform.DestroyTimer(timer);
  });
  platform.SetTimer(timer, 10, true);
  ASSERT_TRUE(PassUntil(*harness, [&] { return ticks == 1; }));
  harness->Pass(60);
  platform.SetTimer(timer, 10, true);  // gone: ignored
  harness->Pass(40);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(harness->ExceptionBoxes().empty());
}

TEST_F(TimerContract, AThrowingTickIsShownAndTheTimerGoesOn) {
  const struct {
    std::function<void()> fail;
    std::string shown;
  } cases[] = {
      {[] { throw std::runtime_error("tick failed"); }, "tick failed"},
      {[] { throw 42; }, "unknown exception"},
  };
  for (const auto& c : cases) {
    const std::size_t boxes_before = harness->ExceptionBoxes().size();
    int failing_ticks = 0;
    const TimerId timer = platform.CreateTimer([&] {
      ++failing_ticks;
      c.fail();
    });
    platform.SetTimer(timer, 10, true);
    EXPECT_TRUE(PassUntil(*harness, [&] { return failing_ticks >= 2; })) << c.shown;
    platform.DestroyTimer(timer);
    const auto& boxes = harness->ExceptionBoxes();
    ASSERT_GE(boxes.size(), boxes_before + 2) << c.shown;
    EXPECT_EQ(boxes[boxes_before], c.shown);
    EXPECT_EQ(boxes[boxes_before + 1], c.shown);
  }
}

}  // namespace
}  // namespace tk::contract
