// A desktop of several monitors: the character walks within the one it
// stands on, is dragged from one to another, and a saved place on a monitor
// that is gone brings it back onto the primary one, whole.
#include <cstdlib>

#include "form/main_form.h"
#include "motion/walk_state.h"
#include "script/runner.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class MonitorsTest : public testing::ScriptFixture {
 protected:
  // Left of the 1024 x 768 primary, a taller 1280 x 1024 one reaching
  // 256 pixels higher.
  static constexpr Rect kLeft{-1280, -256, 0, 768};

  void SetUp() override {
    ScriptFixture::SetUp();
    sim->other_monitors = {{kLeft, kLeft, 100}};
    WritePicture("b.bmp", 40, 30);
  }
  void StartAt(int x, int y) {
    WriteFile("tk.ini",
              "[WndPos]\r\nX_Pos=" + std::to_string(x) + "\r\nY_Pos=" + std::to_string(y) + "\r\n");
    StartWith(
        "_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>AE;\n"
        "Go:\n>MVB=100,8,2147483647;\n>AE;\n");  // no turn is ever drawn
  }
  Point Where() const { return {MainWindow().bounds.left, MainWindow().bounds.top}; }
  void WalkFor(int dx, int dy, std::uint32_t ms) {
    form->walk.dx = dx;
    form->walk.dy = dy;
    form->walk.started = true;
    RunAction(*form, "Go");
    sim->AdvanceTime(ms);
  }
};

TEST_F(MonitorsTest, AWalkBouncesAtTheEdgesOfTheMonitorItStandsOn) {
  StartAt(-60, 700);  // on the left monitor, near its bottom right
  EXPECT_EQ(Where(), (Point{-60, 700}));
  WalkFor(1, 0, 500);  // would cross onto the primary: bounces at x = 0
  EXPECT_LE(MainWindow().bounds.right, 0);
  EXPECT_EQ(form->walk.dx, -1);
  WalkFor(0, -1, 110 * 100);  // up past the primary's top, short of the left one's
  EXPECT_LT(Where().y, 0);
  EXPECT_GE(Where().y, kLeft.top);
}

TEST_F(MonitorsTest, ADragCarriesTheCharacterOntoAnotherMonitorWhereItWalksOn) {
  StartAt(100, 100);
  const WindowId w = form->window;
  form->PmMoveClick();
  sim->MouseDown(w, MouseButton::kLeft, 10, 10);
  sim->MouseMove(w, 10 - 700, 10);
  sim->MouseUp(w, MouseButton::kLeft, 10 - 700, 10);
  form->PmMoveClick();
  EXPECT_EQ(Where(), (Point{-600, 100}));
  WalkFor(-1, 0, 100 * 100);  // past the left monitor's far edge: turned back there
  EXPECT_EQ(form->walk.dx, 1);
  EXPECT_GE(Where().x, kLeft.left);
  EXPECT_LE(MainWindow().bounds.right, 0);
}

TEST_F(MonitorsTest, MoveAndClingingReachOtherMonitors) {
  WriteFile("tk.ini", "[WndPos]\r\nX_Pos=100\r\nY_Pos=100\r\n");
  StartWith(
      "_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>AE;\n"
      "There:\n>MVA=-900,-200,10,5,;\n>AE;\n"
      "Sit:\n>WCS=0,-30;\n>AE;\n");
  RunAction(*form, "There");
  sim->AdvanceTime(3000);
  EXPECT_LE(std::abs(Where().x - -900), 5);  // one step short, on the left monitor
  EXPECT_LE(std::abs(Where().y - -200), 5);
  EXPECT_LT(Where().y, 0);

  const WindowId editor = sim->OpenForeignWindow({"Editor", {200, 300, 600, 700}});
  RunAction(*form, "Sit");
  EXPECT_EQ(Where(), (Point{200, 270}));
  sim->MoveForeignWindow(editor, {-1000, 100, -600, 500});  // dragged onto the left monitor
  sim->AdvanceTime(50);
  EXPECT_EQ(Where(), (Point{-1000, 70}));
}

TEST_F(MonitorsTest, SavedPlacesOnAMonitorStandAndOnesOnNoneComeBackOntoThePrimary) {
  struct Case {
    const char* name;
    int x, y;
    bool centred;
  } const cases[] = {
      {"on the left monitor", -800, -200, false},
      {"on the primary", 30, 40, false},
      {"where a monitor was, right of the primary", 1500, 300, true},
      {"above the primary, beside the left one's top", 200, -100, true},
  };
  for (const Case& c : cases) {
    SetUp();
    StartAt(c.x, c.y);
    if (c.centred) {
      // Whole on the primary: centred, as the first picture places it.
      EXPECT_EQ(Where(), (Point{(1024 - 40) / 2, (768 - 30) / 2})) << c.name;
    } else {
      EXPECT_EQ(Where(), (Point{c.x, c.y})) << c.name;
    }
    TearDown();
  }
}

}  // namespace
}  // namespace tk
