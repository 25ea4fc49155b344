// Picture pixels to device pixels and back on a scaled monitor, and the
// block enlargement that keeps pixel art hard-edged.
#include "platform/win32/scaling.h"

#include <gtest/gtest.h>

#include "base/bitmap.h"

namespace tk::win32_test {
namespace {

// A 200% monitor standing left of and above the primary's corner.
const win32::MonitorFrame kLeft{nullptr, {-2560, -512, 0, 1536}, {-2560, -512, 0, 1496}, 200, 2};

TEST(Scaling, EachMonitorKeepsItsCornerAndScalesWhatLiesInsideIt) {
  EXPECT_EQ(kLeft.Logical().bounds, (Rect{-2560, -512, -1280, 512}));
  EXPECT_EQ(kLeft.Logical().work_area, (Rect{-2560, -512, -1280, 492}));
  const Rect picture{-2000, -100, -1840, 100};
  const Rect device = kLeft.ToDevice(picture);
  EXPECT_EQ(device, (Rect{-1440, 312, -1120, 712}));
  EXPECT_EQ(kLeft.ToLogical(device), picture);
  // A device pixel just left of a block's edge belongs to the block before.
  EXPECT_EQ(kLeft.ToLogical(POINT{-1441, 311}), (Point{-2001, -101}));
}

// A point on a monitor finds its frame by the frame's own rectangle; one off
// every monitor goes to the nearest real one, which these made-up frames
// are not, and falls back to the first.
TEST(Scaling, APointFindsTheFrameOfTheMonitorHoldingIt) {
  const win32::MonitorFrame primary{nullptr, {0, 0, 1024, 768}, {0, 0, 1024, 728}, 100, 1};
  const std::vector<win32::MonitorFrame> frames{primary, kLeft};
  EXPECT_EQ(&win32::FrameForDevice(frames, POINT{-1, 1535}), &frames[1]);
  EXPECT_EQ(&win32::FrameForDevice(frames, POINT{0, 0}), &frames[0]);
  EXPECT_EQ(&win32::FrameForDevice(frames, POINT{-2560, -512}), &frames[1]);
  EXPECT_EQ(&win32::FrameForDevice(frames, POINT{5000, 5000}), &frames[0]);
}

TEST(Scaling, EveryPicturePixelBecomesAFactorByFactorBlock) {
  Bitmap picture(3, 2);
  picture.Set(1, 0, {1, 2, 3});
  picture.Set(2, 1, {4, 5, 6});
  LONG stride = 0;
  const std::vector<std::uint8_t> rows = win32::EnlargedRows(picture, {1, 0, 3, 2}, 2, stride);
  EXPECT_EQ(stride, 12);  // 4 pixels of 3 bytes, already on a 32-bit boundary
  ASSERT_EQ(rows.size(), 4u * 12u);
  const auto at = [&](int x, int y) {
    const std::uint8_t* p =
        &rows[static_cast<std::size_t>(y) * 12 + static_cast<std::size_t>(x) * 3];
    return Bgr{p[0], p[1], p[2]};
  };
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const Bgr want = (x < 2 && y < 2) ? Bgr{1, 2, 3} : (x >= 2 && y >= 2) ? Bgr{4, 5, 6} : Bgr{};
      EXPECT_EQ(at(x, y), want) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tk::win32_test
