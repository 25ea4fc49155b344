// Composing a window's picture from its layers: order, clipping, and the
// layers left out when they do not meet the area.
#include "imagery/layer.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tk
