#include "imagery/image_region.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

constexpr Bgr kMagenta{255, 0, 255}, kInk{10, 20, 30}, kWhite{255, 255, 255}, kBlack{};

// Rows of letters: 'm' magenta, anything else ink.
Bitmap Picture(const std::vector<std::string>& rows) {
  Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) b.Set(x, y, rows[y][x] == 'm' ? kMagenta : kInk);
  return b;
}

TEST(ImageRegion, EveryKeyPixelIsCutOutInsideTheFigureToo) {
  const Region region = BuildImageRegion(Picture({"mmmm",  //
                                                  "mxmx", "xxxm"}));
  EXPECT_EQ(region, (Region{{1, 1, 2, 2}, {3, 1, 4, 2}, {0, 2, 3, 3}}));
}

TEST(ImageRegion, OnlyTheTopLeftPixelKeyed) {
  EXPECT_EQ(BuildImageRegion(Picture({"mxx", "xxx"})), (Region{{1, 0, 3, 1}, {0, 1, 3, 2}}));
}

TEST(ImageRegion, TheKeyIsWhateverTheTopLeftPixelIs) {
  // Ink at the top left makes ink the key and magenta the figure.
  EXPECT_EQ(BuildImageRegion(Picture({"xmx", "xxm"})), (Region{{1, 0, 2, 1}, {2, 1, 3, 2}}));
}

TEST(ImageRegion, AllKeyGivesAnEmptyRegion) {
  EXPECT_TRUE(BuildImageRegion(Picture({"mmm", "mmm"})).empty());
  EXPECT_TRUE(BuildImageRegion(Bitmap()).empty());
}

TEST(ImageRegion, FrameMaskIsWhiteOnTheKey) {
  Bitmap mask;
  MakeFrameMask(Picture({"mx", "xm"}), mask);
  ASSERT_EQ(mask.width(), 2);
  EXPECT_EQ(mask.At(0, 0), kWhite);
  EXPECT_EQ(mask.At(1, 0), kBlack);
  EXPECT_EQ(mask.At(0, 1), kBlack);
  EXPECT_EQ(mask.At(1, 1), kWhite);
}

TEST(ImageRegion, MaskedCopyKeepsTheBackgroundUnderWhite) {
  const Bitmap frame = Picture({"mx", "xm"});
  Bitmap mask;
  MakeFrameMask(frame, mask);
  Bitmap back(3, 2);
  back.Fill({1, 2, 3});
  CopyPixelsMasked(frame, mask, 0, 0, back, 1, 0, 2, 2);
  EXPECT_EQ(back.At(0, 0), (Bgr{1, 2, 3}));
  EXPECT_EQ(back.At(1, 0), (Bgr{1, 2, 3}));
  EXPECT_EQ(back.At(2, 0), kInk);
  EXPECT_EQ(back.At(1, 1), kInk);
  EXPECT_EQ(back.At(2, 1), (Bgr{1, 2, 3}));
}

}  // namespace
}  // namespace tk
