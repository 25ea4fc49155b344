// A scaled display on the simulated desktop: the windows hold twice the
// pixels at 200%, text is drawn at twice the font size rather than enlarged,
// and a script sees the same picture pixels at every scale. The sim font
// inks a block one pixel short of its cell each way, so text drawn at 18
// points is 17 pixels high where 9-point text enlarged would be 16.
#include <string>
#include <vector>

#include "imagery/child_image_form.h"
#include "imagery/number_images.h"
#include "imagery/speech_state.h"
#include "motion/walk_state.h"
#include "script/runner.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

constexpr Bgr kPaper{200, 220, 240}, kKey{255, 0, 255};

class DisplayScale : public testing::ScriptFixture {
 protected:
  void StartAtScale(int percent, const std::string& body) {
    sim->primary_scale_percent = percent;
    Bitmap ball(60, 40);
    ball.Fill(kPaper);
    ball.Set(0, 0, kKey);
    WriteFile("ball.bmp", EncodeBmp24(ball));
    WritePicture("b.bmp", 40, 30);
    StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>IDS=ball.bmp,ball;\n>AE;\n" + body);
  }
  const SimPlatform::Window& Balloon() const { return *sim->FindWindow(form->child_image->window); }
  // Rows inked in column `x` of `bitmap` from row `top` on, until the first
  // pixel of `paper`.
  static int InkedRows(const Bitmap& bitmap, int x, int top, Bgr paper) {
    int y = top;
    while (y < bitmap.height() && bitmap.At(x, y) != paper) ++y;
    return y - top;
  }
};

TEST_F(DisplayScale, SpeechTextIsDrawnAtTheScaledFontSize) {
  StartAtScale(200, "Talk:\n>CIP=ball,0,0;\n>MLS=2,2,40,30;\n>MSP=Hi;\n>AE;\nHi:\n@D0;A@E\n");
  RunAction(*form, "Talk");
  const auto& balloon = Balloon();
  ASSERT_EQ(balloon.device_surface.width(), 120);
  ASSERT_EQ(balloon.device_surface.height(), 80);
  EXPECT_GT(balloon.device_presents, 0);
  EXPECT_EQ(InkedRows(balloon.device_surface, 5, 4, kPaper), 17);
  // The script's cursor moved as at 100%: one 7-pixel advance.
  EXPECT_EQ(form->speech.cursor, (Point{9, 2}));
  // The picture-sized copy still shows the glyph where it stands.
  EXPECT_NE(balloon.surface.At(3, 3), kPaper);
  EXPECT_EQ(balloon.surface.At(2 + 7, 3), kPaper);
}

TEST_F(DisplayScale, TextImagesAndPicturesOnTheMainWindow) {
  StartAtScale(200, "Show:\n>DTSP=A,1,1,t,16777215;\n>AE;\n");
  RunAction(*form, "Show");
  sim->AdvanceTime(50);  // the window's repaint
  const auto& main = MainWindow();
  ASSERT_EQ(main.device_surface.width(), 80);
  constexpr Bgr kWhite{255, 255, 255};
  const int points = form->numbers.font.size;
  EXPECT_EQ(InkedRows(main.device_surface, 3, 2, kWhite), 2 * points - 1);  // the glyph, finer
  EXPECT_EQ(main.device_surface.At(79, 59), (Bgr{0, 0, 255}));  // the picture, in blocks
  EXPECT_EQ(main.device_surface.At(78, 58), (Bgr{0, 0, 255}));
}

// Where the main window and the balloon stand, and the speech's cursor,
// sampled as the character moves, walks and talks.
TEST_F(DisplayScale, AScriptSeesTheSamePicturePixelsAtEveryScale) {
  std::vector<std::vector<Rect>> runs;
  for (const int percent : {100, 200}) {
    TearDown();
    SetUp();
    StartAtScale(percent,
                 "Go:\n>CIP=ball,-30,-20;\n>MLS=2,2,40,30;\n>MVA=300,200;\n"
                 ">MVB=100,8,2147483647;\n>MSP=Hi;\n>AE;\nHi:\n@D10;ABCDEFGHIJKL@E\n");
    form->walk.dx = 1;
    form->walk.dy = 1;
    form->walk.started = true;
    RunAction(*form, "Go");
    std::vector<Rect> seen;
    for (int step = 0; step < 20; ++step) {
      sim->AdvanceTime(100);
      seen.push_back(MainWindow().bounds);
      seen.push_back(Balloon().bounds);
      seen.push_back({form->speech.cursor.x, form->speech.cursor.y, 0, 0});
    }
    runs.push_back(seen);
  }
  EXPECT_NE(runs[0][0], runs[0][57]);         // it did walk
  EXPECT_NE(runs[0][2], (Rect{2, 2, 0, 0}));  // and type
  EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
}  // namespace tk
