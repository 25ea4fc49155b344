// When a window is asked for its background: an invalidation waits for the
// next pump and is painted once; a window that appears or changes size,
// shape or band is painted before the change returns, when it has
// something to show that is invalid.
#include <functional>
#include <stdexcept>

#include "contract/harness.h"

namespace tk::contract {
namespace {

class PaintContract : public ContractTest {
 protected:
  struct CountingEvents : WindowEvents {
    void OnEraseBackground() override {
      ++paints;
      if (fail) fail();
    }
    int paints = 0;
    std::function<void()> fail;
  };

  void SetUp() override {
    platform.SetWindowBounds(window, kPlace);
    platform.ShowWindow(window, true);
    Settle();
  }
  ~PaintContract() override { platform.DestroyWindow(window); }

  // The first paints of a change come and go; afterwards nothing is pending.
  void Settle() {
    harness->Pass(150);
    events.paints = 0;
  }

  static constexpr Rect kPlace{100, 100, 160, 150};
  CountingEvents events;
  WindowId window = platform.CreateWindow(WindowKind::kMain, &events);
};

TEST_F(PaintContract, EachChangePaintsAtItsOwnTime) {
  using Step = std::function<void(Platform&, WindowId)>;
  const auto invalidate = [](Platform& p, WindowId w) { p.InvalidateWindow(w); };
  const auto shape = [](Region region) {
    return [region](Platform& p, WindowId w) { p.SetWindowRegion(w, region); };
  };
  const auto place = [](Rect bounds) {
    return [bounds](Platform& p, WindowId w) { p.SetWindowBounds(w, bounds); };
  };
  const auto show = [](bool visible) {
    return [visible](Platform& p, WindowId w) { p.ShowWindow(w, visible); };
  };
  const auto both = [](Step a, Step b) {
    return [a, b](Platform& p, WindowId w) {
      a(p, w);
      b(p, w);
    };
  };
  const Step nothing = [](Platform&, WindowId) {};
  const Region corner{{0, 0, 10, 10}};
  const struct {
    const char* what;
    Step before;  // settled before counting starts
    Step change;
    int painted_at_once;
    int painted_after_a_pump;
  } cases[] = {
      {"two invalidations", nothing, both(invalidate, invalidate), 0, 1},
      {"a move", nothing, place({130, 120, 190, 170}), 0, 0},
      {"a smaller size", nothing, place({100, 100, 150, 140}), 0, 0},
      {"a larger size", nothing, place({100, 100, 170, 160}), 1, 1},
      {"a larger size outside the shape", shape(corner), place({100, 100, 170, 160}), 0, 0},
      {"a smaller shape", nothing, shape(corner), 1, 1},
      {"a larger shape", shape(corner), shape({{0, 0, 20, 10}}), 1, 1},
      {"the same shape again", shape(corner), shape(corner), 1, 1},
      {"an invalidation, then a move", nothing, both(invalidate, place({90, 90, 150, 140})), 0, 1},
      {"an invalidation, then a new size", nothing, both(invalidate, place({100, 100, 150, 140})),
       1, 1},
      {"an invalidation, then a new shape", nothing, both(invalidate, shape(corner)), 1, 1},
      {"an invalidation, then the topmost band", nothing,
       both(invalidate, [](Platform& p, WindowId w) { p.SetTopmost(w, true); }), 1, 1},
      {"showing", show(false), show(true), 1, 1},
      {"showing after an invalidation while hidden", show(false), both(invalidate, show(true)), 1,
       1},
      {"showing again", nothing, show(true), 0, 0},
      {"hiding an invalid window", nothing, both(invalidate, show(false)), 0, 0},
      {"an invalidation while hidden", show(false), invalidate, 0, 0},
      {"showing nothing", both(show(false), shape({})), show(true), 0, 0},
      {"an invalidation of an empty shape", shape({}), invalidate, 0, 0},
  };
  for (const auto& c : cases) {
    platform.SetTopmost(window, false);
    platform.ShowWindow(window, true);
    platform.SetWindowBounds(window, kPlace);
    platform.SetWindowRegion(window, {{0, 0, 200, 200}});  // wider than any size here
    c.before(platform, window);
    Settle();
    c.change(platform, window);
    EXPECT_EQ(events.paints, c.painted_at_once) << c.what;
    harness->Pump();
    harness->Pass(50);
    EXPECT_EQ(events.paints, c.painted_after_a_pump) << c.what;
  }
}

TEST_F(PaintContract, AThrowingPaintIsShownAndTheWindowPaintsAgainLater) {
  events.fail = [] { throw std::runtime_error("paint failed"); };
  platform.InvalidateWindow(window);
  harness->Pump();
  ASSERT_EQ(harness->ExceptionBoxes(), std::vector<std::string>{"paint failed"});
  events.fail = nullptr;
  platform.InvalidateWindow(window);
  harness->Pump();
  EXPECT_EQ(events.paints, 2);
}

TEST_F(PaintContract, APaintMayDestroyItsWindow) {
  events.fail = [&] { platform.DestroyWindow(window); };
  platform.InvalidateWindow(window);
  harness->Pump();
  EXPECT_EQ(events.paints, 1);
  EXPECT_FALSE(platform.IsWindowVisible(window));
  EXPECT_TRUE(harness->ExceptionBoxes().empty());
}

}  // namespace
}  // namespace tk::contract
