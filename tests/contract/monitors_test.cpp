// The monitors as the engine reads them: the primary one first, at the
// origin and of the screen's size, each work area inside its monitor.
#include "contract/harness.h"

namespace tk::contract {
namespace {

class MonitorsContract : public ContractTest {};

TEST_F(MonitorsContract, ThePrimaryComesFirstAndEveryWorkAreaLiesInsideItsMonitor) {
  const std::vector<Monitor> monitors = platform.Monitors();
  ASSERT_FALSE(monitors.empty());
  EXPECT_EQ(monitors.front().bounds, (Rect{0, 0, platform.ScreenWidth(), platform.ScreenHeight()}));
  for (const Monitor& m : monitors) {
    EXPECT_GT(m.bounds.Width(), 0);
    EXPECT_GT(m.bounds.Height(), 0);
    EXPECT_GE(m.work_area.left, m.bounds.left);
    EXPECT_GE(m.work_area.top, m.bounds.top);
    EXPECT_LE(m.work_area.right, m.bounds.right);
    EXPECT_LE(m.work_area.bottom, m.bounds.bottom);
    EXPECT_GE(m.scale_percent, 100);
  }
}

}  // namespace
}  // namespace tk::contract
