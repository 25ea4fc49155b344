#include "platform/win32/region.h"

#include <gtest/gtest.h>

namespace tk::win32 {
namespace {

struct RegionHolder {
  explicit RegionHolder(HRGN r) : rgn(r) {}
  ~RegionHolder() {
    if (rgn) DeleteObject(rgn);
  }
  HRGN rgn;
};

TEST(RegionFromRects, CoversExactlyTheRectangles) {
  // Two runs of an L shape and a separate dot.
  RegionHolder region(CreateRegionFromRects({{0, 0, 10, 1}, {0, 1, 3, 5}, {20, 20, 21, 21}}));
  ASSERT_NE(region.rgn, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.rgn, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 21);
  EXPECT_EQ(box.bottom, 21);
  EXPECT_TRUE(PtInRegion(region.rgn, 9, 0));
  EXPECT_TRUE(PtInRegion(region.rgn, 2, 4));
  EXPECT_TRUE(PtInRegion(region.rgn, 20, 20));
  EXPECT_FALSE(PtInRegion(region.rgn, 10, 0));  // right and bottom edges are outside
  EXPECT_FALSE(PtInRegion(region.rgn, 3, 1));
  EXPECT_FALSE(PtInRegion(region.rgn, 2, 5));
  EXPECT_FALSE(PtInRegion(region.rgn, 15, 15));
}

TEST(RegionFromRects, EmptyListOrEmptyRectanglesGiveAnEmptyRegion) {
  for (const Region& rects : {Region{}, Region{{5, 5, 5, 9}, {1, 1, 4, 1}}}) {
    RegionHolder region(CreateRegionFromRects(rects));
    ASSERT_NE(region.rgn, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.rgn, &box), NULLREGION);
  }
}

TEST(RegionFromRects, EmptyRectanglesAmongOthersAreIgnored) {
  RegionHolder region(CreateRegionFromRects({{3, 3, 3, 3}, {0, 0, 2, 2}, {7, 1, 4, 9}}));
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.rgn, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 2);
  EXPECT_EQ(box.bottom, 2);
}

TEST(RegionFromRects, ManyRunsInOneCall) {
  // One run per row of a 400-row diagonal: a typical character shape size.
  Region rects;
  for (int y = 0; y < 400; ++y) rects.push_back({y, y, y + 50, y + 1});
  RegionHolder region(CreateRegionFromRects(rects));
  ASSERT_NE(region.rgn, nullptr);
  EXPECT_TRUE(PtInRegion(region.rgn, 399 + 49, 399));
  EXPECT_FALSE(PtInRegion(region.rgn, 398, 399));
  EXPECT_EQ(GetRegionData(region.rgn, 0, nullptr), sizeof(RGNDATAHEADER) + 400 * sizeof(RECT));
}

}  // namespace
}  // namespace tk::win32
