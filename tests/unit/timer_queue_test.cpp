// The program's own timer queue: when each timer is due, and what a tick may
// do to the timers of the pass it runs in.
#include "platform/timer_queue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tk {
namespace {

const TimerQueue::Runner kRun = [](const TimerQueue::Tick& tick) { tick(); };

TEST(TimerQueue, IntervalsKeepTheirPhaseAndMissedTicksFoldIntoOne) {
  TimerQueue queue;
  int ticks = 0;
  const TimerId id = queue.Create([&] { ++ticks; });
  queue.Set(id, 100, true, 0);
  struct Step {
    std::uint64_t now;
    int ran;
    std::uint64_t next_due;
  } const steps[] = {
      {99, 0, 100},   // not yet
      {105, 1, 200},  // late, yet the next stays on the 100 ms grid
      {350, 1, 400},  // two intervals missed: one tick
      {400, 1, 500},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.now);
    EXPECT_EQ(queue.RunDue(step.now, kRun), step.ran);
    EXPECT_EQ(queue.NextDue(), step.next_due);
  }
  EXPECT_EQ(ticks, 3);
}

TEST(TimerQueue, OnlyRunningTimersAreDueAndShortIntervalsRunAtTheMinimum) {
  struct Case {
    const char* name;
    unsigned interval;
    bool enabled;
    std::optional<std::uint64_t> due;
  } const cases[] = {
      {"running", 250, true, 1250},
      {"shorter than the minimum", 3, true, 1000 + kMinimumTimerMs},
      {"disabled", 250, false, std::nullopt},
      {"interval of zero", 0, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TimerQueue queue;
    const TimerId id = queue.Create([] {});
    EXPECT_EQ(queue.NextDue(), std::nullopt);  // made stopped
    queue.Set(id, c.interval, c.enabled, 1000);
    EXPECT_EQ(queue.NextDue(), c.due);
    EXPECT_EQ(queue.RunDue(5000, kRun), c.due ? 1 : 0);
  }
}

TEST(TimerQueue, ATickThatChangesTimersOfItsPassChangesWhatThePassRuns) {
  TimerQueue queue;
  std::vector<std::string> ran;
  TimerId first = 0, restarted = 0, stopped = 0, destroyed = 0, made = 0, itself = 0;
  first = queue.Create([&] {
    ran.push_back("first");
    queue.Set(restarted, 30, true, 60);
    queue.Set(stopped, 30, false, 60);
    queue.Destroy(destroyed);
    made = queue.Create([&] { ran.push_back("made"); });
    queue.Set(made, 10, true, 60);
  });
  restarted = queue.Create([&] { ran.push_back("restarted"); });
  stopped = queue.Create([&] { ran.push_back("stopped"); });
  destroyed = queue.Create([&] { ran.push_back("destroyed"); });
  itself = queue.Create([&, name = std::string(40, 'L')] {
    queue.Destroy(itself);
    ran.push_back(name.substr(0, 4));  // still alive after its timer went
  });
  queue.Set(first, 10, true, 0);
  for (TimerId id : {restarted, stopped, destroyed}) queue.Set(id, 20, true, 0);
  queue.Set(itself, 50, true, 0);

  EXPECT_EQ(queue.RunDue(60, kRun), 2);
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "LLLL"}));
  EXPECT_FALSE(queue.Contains(destroyed));
  EXPECT_FALSE(queue.Contains(itself));
  EXPECT_EQ(queue.NextDue(), 70u);  // the first one's next tick and the new one
  ran.clear();
  EXPECT_EQ(queue.RunDue(90, kRun), 3);
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "made", "restarted"}));
}

}  // namespace
}  // namespace tk
