// What only the simulated desktop records for its tests.
#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/sim_clock.h"

namespace tk {
namespace {

class SimRecords : public ::testing::Test {
 protected:
  std::string folder = std::filesystem::temp_directory_path().string();
  SimPlatform sim{folder, folder};
};

TEST_F(SimRecords, EndlessMessageBoxesAreCountedButOnlyTheFirstAreKept) {
  const std::size_t kept = SimPlatform::kMessageBoxRecordLimit;
  std::uint64_t answered = 0;
  std::string last_answered;
  sim.on_message_box = [&](const SimPlatform::MessageBoxRecord& box) {
    ++answered;
    last_answered = box.text;
  };
  for (std::size_t i = 0; i < kept + 500; ++i) {
    sim.ShowMessageBox("box " + std::to_string(i), "caption", MessageIcon::kError);
  }
  EXPECT_EQ(sim.message_box_count, kept + 500);
  EXPECT_EQ(answered, kept + 500);
  EXPECT_EQ(last_answered, "box " + std::to_string(kept + 499));
  ASSERT_EQ(sim.message_boxes.size(), kept);
  EXPECT_EQ(sim.message_boxes.front().text, "box 0");
  EXPECT_EQ(sim.message_boxes.back().text, "box " + std::to_string(kept - 1));
}

TEST_F(SimRecords, TimersKeepTheRequestedIntervalBesideTheOneThatRuns) {
  const TimerId timer = sim.CreateTimer([] {});
  const struct {
    unsigned requested, runs;
  } cases[] = {{0, 0}, {1, 10}, {9, 10}, {10, 10}, {200, 200}};
  for (const auto& c : cases) {
    sim.SetTimer(timer, c.requested, true);
    EXPECT_EQ(sim.Timers().at(timer).interval_ms, c.requested);
    EXPECT_EQ(sim.Timers().at(timer).effective_ms, c.runs);
    EXPECT_EQ(sim.Timers().at(timer).Ticking(), c.runs > 0);
  }
}

TEST_F(SimRecords, PaintsAreCountedPerWindow) {
  WindowEvents events;
  const WindowId a = sim.CreateWindow(WindowKind::kMain, &events);
  const WindowId b = sim.CreateWindow(WindowKind::kChild, &events);
  for (const WindowId id : {a, b}) {
    sim.SetWindowBounds(id, {0, 0, 10, 10});
    sim.ShowWindow(id, true);  // painted at once
  }
  sim.InvalidateWindow(a);
  sim.InvalidateWindow(a);
  sim.ProcessPendingMessages();
  EXPECT_EQ(sim.FindWindow(a)->paints, 2);
  EXPECT_EQ(sim.FindWindow(b)->paints, 1);
}

// Speech tests predict cursor positions and pixels from these metrics.
TEST_F(SimRecords, TheBuiltInFontHasKnownCellsAndDrawsBlocks) {
  const TextFont plain{"f", 12}, bold{"f", 12, true}, small{"f", 4, false, false, true};
  EXPECT_EQ(sim.MeasureText(plain, "Ab"), (TextExtent{12, 12}));
  EXPECT_EQ(sim.MeasureText(plain, "\x82\xA0 "), (TextExtent{18, 12}));  // a two-byte character
  EXPECT_EQ(sim.MeasureText(bold, "Ab"), (TextExtent{14, 12}));
  EXPECT_EQ(sim.MeasureText(plain, "\x82"), (TextExtent{6, 12}));  // a lone lead byte
  Bitmap b(11, 6);
  sim.DrawText(b, 1, 1, small,
               "A \x81\x40"
               "B",
               0x0000FF);  // red; both spaces stay blank
  std::string rows;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) rows += b.At(x, y) == Bgr{0, 0, 255} ? '#' : '.';
    rows += '/';
  }
  EXPECT_EQ(rows, ".........../.#.......#./.#.......#./.#.......#./.##########/.........../");
  sim.DrawText(b, -100, 1000000, plain, "xyz", 0xFFFFFF);  // far outside: nothing, no fault
}

TEST_F(SimRecords, ThePointerFindsTheWindowShownThroughItsShape) {
  WindowEvents events;
  const WindowId low = sim.CreateWindow(WindowKind::kMain, &events);
  const WindowId high = sim.CreateWindow(WindowKind::kChild, &events);
  sim.SetWindowBounds(low, {100, 100, 200, 200});
  sim.SetWindowBounds(high, {150, 150, 250, 250});
  sim.SetWindowRegion(high, {{0, 0, 10, 10}});  // only its corner shows
  sim.ShowWindow(low, true);
  sim.ShowWindow(high, true);
  EXPECT_EQ(sim.WindowAt({155, 155}), high);
  EXPECT_EQ(sim.WindowAt({170, 170}), low);  // through the later window's cut-out
  EXPECT_EQ(sim.WindowAt({220, 220}), kNoWindow);
  sim.SetTopmost(low, true);
  EXPECT_EQ(sim.WindowAt({155, 155}), low);
  sim.ShowWindow(low, false);
  EXPECT_EQ(sim.WindowAt({155, 155}), high);
  EXPECT_FALSE(sim.ClickAt({99, 99}, MouseButton::kLeft));
  EXPECT_EQ(sim.cursor_position, (Point{99, 99}));
}

TEST_F(SimRecords, VirtualTimeRunsOnTheCalendarBeforeAndAfter1970) {
  const struct {
    LocalTime start;
    std::uint64_t seconds;
    LocalTime expected;
  } cases[] = {
      {{1969, 12, 31, 23, 59, 59, 3}, 1, {1970, 1, 1, 0, 0, 0, 4}},
      {{1900, 2, 28, 12, 0, 0, 3}, 86400, {1900, 3, 1, 12, 0, 0, 4}},
      {{2000, 2, 28, 23, 0, 0, 1}, 3600, {2000, 2, 29, 0, 0, 0, 2}},
      {{2026, 12, 31, 23, 59, 30, 4}, 45, {2027, 1, 1, 0, 0, 15, 5}},
  };
  for (const auto& c : cases) {
    const LocalTime t = AddSeconds(c.start, c.seconds);
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second, t.day_of_week}),
              std::vector<int>({c.expected.year, c.expected.month, c.expected.day, c.expected.hour,
                                c.expected.minute, c.expected.second, c.expected.day_of_week}))
        << c.start.year;
  }
}

}  // namespace
}  // namespace tk
