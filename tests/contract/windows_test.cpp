// WindowContract as the engine handles them: place, visibility, the topmost band
// and the shape.
#include "contract/harness.h"

namespace tk::contract {
namespace {

class WindowContract : public ContractTest {
 protected:
  ~WindowContract() override { platform.DestroyWindow(window); }

 private:
  WindowEvents events_;

 protected:
  WindowId window = platform.CreateWindow(WindowKind::kMain, &events_);
};

TEST_F(WindowContract, StartHiddenAndKeepTheBoundsTheyAreGiven) {
  ASSERT_NE(window, kNoWindow);
  EXPECT_FALSE(platform.IsWindowVisible(window));
  for (const Rect& bounds : {Rect{40, 30, 140, 80}, Rect{-20, -10, 30, 40},
                             Rect{300, 200, 301, 201}, Rect{0, 0, 640, 480}}) {
    platform.SetWindowBounds(window, bounds);
    EXPECT_EQ(platform.WindowBounds(window), bounds);
  }
}

TEST_F(WindowContract, ShowHideAndTheTopmostBandLeaveThePlaceAlone) {
  const Rect bounds{10, 20, 60, 70};
  platform.SetWindowBounds(window, bounds);
  for (const bool visible : {true, false, true}) {
    platform.ShowWindow(window, visible);
    EXPECT_EQ(platform.IsWindowVisible(window), visible);
  }
  for (const bool topmost : {true, false, true, false}) {
    platform.SetTopmost(window, topmost);
    EXPECT_EQ(harness->IsTopmost(window), topmost);
    EXPECT_TRUE(platform.IsWindowVisible(window));
  }
  EXPECT_EQ(platform.WindowBounds(window), bounds);
}

TEST_F(WindowContract, ARegionShapesTheWindowAndIsReplacedWhole) {
  platform.SetWindowBounds(window, {0, 0, 50, 50});
  platform.ShowWindow(window, true);
  EXPECT_TRUE(harness->ShapeContains(window, 49, 49));  // no shape: all of it
  platform.SetWindowRegion(window, {{0, 0, 10, 5}, {2, 5, 8, 9}});
  const struct {
    int x, y;
    bool inside;
  } points[] = {{0, 0, true},  {9, 4, true},  {10, 4, false}, {7, 8, true},
                {8, 8, false}, {1, 6, false}, {2, 9, false},  {40, 40, false}};
  for (const auto& p : points) {
    EXPECT_EQ(harness->ShapeContains(window, p.x, p.y), p.inside) << p.x << "," << p.y;
  }
  platform.SetWindowRegion(window, {{20, 20, 30, 30}});
  EXPECT_FALSE(harness->ShapeContains(window, 0, 0));
  EXPECT_TRUE(harness->ShapeContains(window, 25, 25));
  platform.SetWindowRegion(window, {});
  EXPECT_FALSE(harness->ShapeContains(window, 25, 25));  // empty: nothing shows
}

TEST_F(WindowContract, UnknownAndDestroyedWindowsAreIgnored) {
  platform.DestroyWindow(window);
  for (const WindowId id : {window, window + 100}) {
    platform.SetWindowBounds(id, {0, 0, 10, 10});
    platform.ShowWindow(id, true);
    platform.SetTopmost(id, true);
    platform.SetWindowRegion(id, {});
    platform.InvalidateWindow(id);
    platform.DestroyWindow(id);
    EXPECT_EQ(platform.WindowBounds(id), Rect{});
    EXPECT_FALSE(platform.IsWindowVisible(id));
  }
  harness->Pump();
}

}  // namespace
}  // namespace tk::contract
