// Composing a window's picture from its layers: order, clipping, and the
// layers left out when they do not meet the area.
#include "imagery/layer.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tk {
namespace {

// Fills its bounds with one colour and remembers where it was asked to draw.
class SolidLayer : public Layer {
 public:
  SolidLayer(Rect bounds, Bgr colour) : bounds_(bounds), colour_(colour) {}
  Rect Bounds() const override { return bounds_; }
  void Draw(Bitmap& target, const Rect& clip) const override {
    clips.push_back(clip);
    for (int y = clip.top; y < clip.bottom; ++y)
      for (int x = clip.left; x < clip.right; ++x) target.Set(x, y, colour_);
  }
  mutable std::vector<Rect> clips;

 private:
  Rect bounds_;
  Bgr colour_;
};

TEST(ComposeLayers, DrawsBottomFirstOnlyWhereTheAreaIs) {
  constexpr Bgr kRed{0, 0, 255}, kBlue{255, 0, 0}, kOld{9, 9, 9};
  Bitmap under(10, 10);
  under.Fill({1, 1, 1});
  const PictureLayer picture(under);
  SolidLayer low({2, 2, 8, 8}, kRed), high({5, 5, 20, 20}, kBlue), away({-5, 0, 0, 10}, kRed);
  const Layer* layers[] = {&picture, &low, &high, &away};
  Bitmap target(10, 10);
  target.Fill(kOld);
  ComposeLayers(layers, target, {4, 4, 12, 6});
  EXPECT_EQ(low.clips, (std::vector<Rect>{{4, 4, 8, 6}}));
  EXPECT_EQ(high.clips, (std::vector<Rect>{{5, 5, 10, 6}}));  // also cut to the target
  EXPECT_TRUE(away.clips.empty());
  EXPECT_EQ(target.At(4, 4), kRed);
  EXPECT_EQ(target.At(5, 5), kBlue);  // the later layer on top
  EXPECT_EQ(target.At(3, 4), kOld);   // outside the area: untouched
  EXPECT_EQ(target.At(4, 6), kOld);
  ComposeLayers(layers, target, {0, 0, 2, 2});
  EXPECT_EQ(target.At(1, 1), (Bgr{1, 1, 1}));
  EXPECT_EQ(low.clips.size(), 1u);
}

// At a factor of 3 each picture pixel is a 3 x 3 block: a picture layer
// enlarges, a layer that only knows picture pixels has the pixels it changed
// enlarged, and everything outside the area stays as it was.
TEST(ComposeLayers, ScaledTargetsGetBlocksOfPicturePixels) {
  constexpr Bgr kRed{0, 0, 255}, kOld{9, 9, 9}, kGrey{1, 1, 1};
  Bitmap under(4, 4);
  under.Fill(kGrey);
  under.Set(1, 1, kRed);
  const PictureLayer picture(under);
  SolidLayer solid({2, 2, 3, 3}, kRed);
  const Layer* layers[] = {&picture, &solid};
  Bitmap target(12, 12);
  target.Fill(kOld);
  ComposeLayers(layers, target, {1, 1, 3, 4}, 3);
  EXPECT_EQ(solid.clips, (std::vector<Rect>{{2, 2, 3, 3}}));  // in picture pixels
  for (const auto& [x, y, want] : std::vector<std::tuple<int, int, Bgr>>{{3, 3, kRed},
                                                                         {5, 5, kRed},
                                                                         {6, 3, kGrey},
                                                                         {8, 8, kRed},
                                                                         {6, 8, kRed},
                                                                         {3, 11, kGrey},
                                                                         {2, 3, kOld},
                                                                         {9, 3, kOld},
                                                                         {3, 0, kOld}}) {
    EXPECT_EQ(target.At(x, y), want) << x << "," << y;
  }
}

TEST(EnlargePixels, MasksAndClipsLikeTheUnscaledCopies) {
  constexpr Bgr kWhite{255, 255, 255}, kBlue{255, 0, 0}, kOld{9, 9, 9};
  Bitmap src(2, 2), mask(2, 2);
  src.Fill(kBlue);
  mask.Set(1, 0, kWhite);  // kept as the target was
  Bitmap target(6, 4);
  target.Fill(kOld);
  EnlargePixels(src, &mask, 0, 0, target, 2, 0, 2, 2, 2);  // the right column falls outside
  EXPECT_EQ(target.At(4, 0), kBlue);
  EXPECT_EQ(target.At(5, 3), kBlue);
  EXPECT_EQ(target.At(3, 0), kOld);
  EnlargePixels(src, nullptr, 0, 0, target, -1, 1, 2, 2, 2);  // held off the left edge
  EXPECT_EQ(target.At(0, 2), kBlue);
  EXPECT_EQ(target.At(0, 1), kOld);
  EnlargePixels(src, nullptr, 0, 0, target, 2147483647, -2147483647 - 1, 2, 2, 2);
  EnlargePixels(src, &target, 0, 0, target, 0, 0, 2, 2, 2);  // a mask of another size
  EXPECT_EQ(target.At(1, 0), kOld);
}

}  // namespace
}  // namespace tk
