// Moving and sizing the character: both windows travel together, and any
// 32-bit position a script or a drag produces lands without overflow.
#include "form/mover.h"

#include <limits>

#include "base/bmp_writer.h"
#include "imagery/animation.h"
#include "imagery/child_image_form.h"
#include "motion/cling_state.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

TEST(PlaceRect, KeepsTheSizeAndSaturatesThePosition) {
  const struct {
    std::int64_t left, top;
    int width, height;
    Rect expected;
  } cases[] = {
      {10, -20, 30, 40, {10, -20, 40, 20}},
      {kMax, kMax, 30, 40, {kMax - 30, kMax - 40, kMax, kMax}},
      {std::int64_t{kMax} * 3, 0, 5, 0, {kMax - 5, 0, kMax, 0}},
      {std::int64_t{kMin} - 1, kMin, 5, 5, {kMin, kMin, kMin + 5, kMin + 5}},
      {std::int64_t{kMax} + kMax, std::int64_t{kMin} * 2, kMax, kMax, {0, kMin, kMax, -1}},
      {7, 8, -3, -4, {7, 8, 7, 8}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceRect(c.left, c.top, c.width, c.height), c.expected)
        << c.left << "," << c.top << " " << c.width << "x" << c.height;
  }
}

class Mover : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    Bitmap body(40, 30), balloon(20, 10);
    body.Fill({0, 0, 255});
    balloon.Fill({0, 255, 0});
    WriteFile("b.bmp", EncodeBmp24(body));
    WriteFile("s.bmp", EncodeBmp24(Bitmap(8, 6)));
    WriteFile("l.bmp", EncodeBmp24(balloon));
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=100\r\nY_Pos=200\r\n");
  }
  Rect Main() const { return MainWindow().bounds; }
  Rect Child() const { return sim->FindWindow(form->child_image->window)->bounds; }
};

TEST_F(Mover, TheBalloonTravelsWithEveryMoveAndResize) {
  StartWith(
      "_FirstAction:\n>IDS=b.bmp,b;\n>IDS=s.bmp,s;\n>IDS=l.bmp,l;\n>IDP=b;\n>CIP=l,-25,5;\n>AE;\n"
      "Small:\n>IDP=s;\n>AE;\n");
  EXPECT_EQ(Main(), (Rect{100, 200, 140, 230}));
  EXPECT_EQ(Child(), (Rect{75, 205, 95, 215}));
  MoveCharacterTo(*form, -300, 50);
  EXPECT_EQ(Main(), (Rect{-300, 50, -260, 80}));
  EXPECT_EQ(Child(), (Rect{-325, 55, -305, 65}));
  RunAction(*form, "Small");  // a new picture sizes the window from its corner
  EXPECT_EQ(Main(), (Rect{-300, 50, -292, 56}));
  EXPECT_EQ(Child(), (Rect{-325, 55, -305, 65}));
  form->PmPutClick();
  EXPECT_FALSE(MainWindow().visible);
  EXPECT_FALSE(sim->FindWindow(form->child_image->window)->visible);
  form->PmPutClick();
  EXPECT_TRUE(MainWindow().visible);
  EXPECT_TRUE(sim->FindWindow(form->child_image->window)->visible);
}

TEST_F(Mover, ExtremeOffsetsAndDragsSaturateInsteadOfOverflowing) {
  StartWith(
      "_FirstAction:\n>IDS=b.bmp,b;\n>IDS=l.bmp,l;\n>IDP=b;\n>CIP=l,2147483647,-2147483648;\n"
      ">ACS=l.bmp,far,1,2147483647,2147483647,1;\n>ACB=far,1,0,0;\n>AE;\n");
  EXPECT_EQ(Child(), (Rect{kMax - 20, kMin + 200, kMax, kMin + 210}));
  sim->AdvanceTime(3);  // an animation far outside ticks without touching the picture
  EXPECT_EQ(form->animations.list.at(0)->Bounds().right, kMax);
  MoveCharacterTo(*form, kMax, kMin);
  EXPECT_EQ(Main(), (Rect{kMax - 40, kMin, kMax, kMin + 30}));
  form->PmMoveClick();  // the drag goes to the form: the sim's pointer stays in 32 bits
  form->FormMouseDown(MouseButton::kLeft, -30000, 30000);
  form->FormMouseMove(30000, -30000);
  EXPECT_EQ(Main(), (Rect{kMax - 40, kMin, kMax, kMin + 30}));
  form->FormMouseMove(-kMax, kMax);
  EXPECT_EQ(Main().Width(), 40);
  EXPECT_EQ(Child().Width(), 20);
  form->cling.clinging = true;
  form->cling.target = {kMin, 0, kMax, 10};
  form->FormMouseMove(kMax, 0);
  EXPECT_EQ(Main().right, kMax);
}

}  // namespace
}  // namespace tk
