// The random walk and targeted moves, tick by tick in virtual time.
#include "base/bmp_writer.h"
#include "base/messages.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"
#include "motion/walk_state.h"
#include "script/flags.h"
#include "script/runner.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

// MVL's nine labels in its order; each counts its runs in a flag of its name.
struct Direction {
  const char* name;
  int dx, dy;
};
constexpr Direction kDirections[9] = {{"U", 0, -1},  {"D", 0, 1},    {"L", -1, 0},
                                      {"R", 1, 0},   {"UL", -1, -1}, {"UR", 1, -1},
                                      {"DL", -1, 1}, {"DR", 1, 1},   {"S", 0, 0}};

std::string NameOf(int dx, int dy) {
  for (const Direction& d : kDirections)
    if (d.dx == dx && d.dy == dy) return d.name;
  return {};
}

std::string DirectionActions() {
  std::string flags = "_BeginInitFlags:\nint:Arrive,0;\n";
  std::string actions = "Labels:\n>MVL=U,D,L,R,UL,UR,DL,DR,S;\n>AE;\n";
  for (const Direction& d : kDirections) {
    flags += std::string("int:") + d.name + ",0;\n";
    actions += std::string(d.name) + ":\n>FV+=" + d.name + ",1;\n>AE;\n";
  }
  return flags + "_EndInitFlags:\n" + actions;
}

class WalkTest : public testing::ScriptFixture {
 protected:
  // A 40 x 30 character at (500, 400) on the 1024 x 768 screen.
  void StartWalker(const std::string& actions, int width = 40) {
    WritePicture("b.bmp", width, 30);
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=500\r\nY_Pos=400\r\n");
    StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>CLL=Labels;\n>AE;\n" + DirectionActions() +
              actions);
  }
  void Run(const std::string& label) { RunAction(*form, label); }
  Point Where() const { return {MainWindow().bounds.left, MainWindow().bounds.top}; }
  void Aim(int dx, int dy) {
    form->walk.dx = dx;
    form->walk.dy = dy;
  }
};

TEST_F(WalkTest, LabelsRunOnlyWhenTheDrawnDirectionReallyChanges) {
  StartWalker("Go:\n>MVB=100,4,0;\n>AE;\nStop:\n>MVE;\n>AE;\n");
  Aim(1, 0);
  form->random.Seed(11);
  Random mirror;
  mirror.Seed(11);
  Run("Go");
  sim->AdvanceTime(100);  // the first tick runs the current label without drawing
  EXPECT_EQ(Int("R"), 1);
  std::map<std::string, int> expected{{"R", 1}};
  int dx = 1, dy = 0;
  Point at{504, 400};
  for (int tick = 0; tick < 30; ++tick) {
    (void)mirror.Next();  // turn odds 0 act as 1: every tick draws
    const int ndx = mirror.Next() % 3 - 1;
    const int ndy = mirror.Next() % 3 - 1;
    if (ndx != dx || ndy != dy) ++expected[NameOf(ndx, ndy)];
    dx = ndx, dy = ndy;
    at = {at.x + 4 * dx, at.y + 4 * dy};
  }
  sim->AdvanceTime(3000);
  EXPECT_EQ(Where(), at);
  for (const Direction& d : kDirections) EXPECT_EQ(Int(d.name), expected[d.name]) << d.name;
  Run("Stop");
  const int right_runs = Int("R");
  Aim(1, 0);
  Run("Go");
  sim->AdvanceTime(100);  // after MVE and MVB the current label runs once more
  EXPECT_EQ(Int("R"), right_runs + 1);
}

TEST_F(WalkTest, TheRightEdgeBouncesOnBothAxesKeepingTheHeight) {
  StartWalker("Go:\n>MVB=100,4,2147483647;\n>AE;\n");  // no turn is ever drawn
  sim->SetWindowBounds(form->window, {1024 - 40 - 2, 300, 1024 - 2, 330});
  Aim(1, 1);
  form->walk.started = true;
  Run("Go");
  sim->AdvanceTime(100);
  // Reversed to up-left, clamped flush, then one step: the height is kept.
  EXPECT_EQ(Where(), (Point{1024 - 40 - 4, 300}));
  EXPECT_EQ(Int("UL"), 1);
  EXPECT_EQ(Int("DR"), 0);
}

TEST_F(WalkTest, AWindowWiderThanTheScreenBouncesOnceAndStaysAtTheClampedEdge) {
  StartWalker("Go:\n>MVB=100,4,2147483647;\n>AE;\n", 1100);
  sim->SetWindowBounds(form->window, {0, 300, 1100, 330});
  Aim(1, 0);
  form->walk.started = true;
  Run("Go");
  for (int tick = 0; tick < 3; ++tick) {
    sim->AdvanceTime(100);
    EXPECT_EQ(Where(), (Point{1024 - 1100, 300})) << tick;
  }
  EXPECT_EQ(Int("L") + Int("R"), 3);  // each tick reverses once, and no more
}

struct BounceCase {
  const char* name;
  int width;
  Rect start;
  int dx, dy;
  Point end;
  std::vector<std::string> labels;  // each ran once
};

TEST_F(WalkTest, ABounceOffTheLeftOrTopEdgeGoesOnUntilTheWindowIsInside) {
  const BounceCase cases[] = {
      {"off the left, walking right", 40, {-50, 300, -10, 330}, 1, 0, {4, 300}, {"L", "R"}},
      {"off the top, walking down-right", 40, {500, -50, 540, -20}, 1, 1, {504, 4}, {"UL", "DR"}},
      {"off both, walking up-right", 40, {-50, -50, -10, -20}, 1, -1, {4, 0}, {"DL", "UR"}},
      // Two pixels to spare and a step of 4: every retry is off the screen.
      {"no room for a step", 1022, {0, 300, 1022, 330}, 1, 0, {2, 300}, {"L"}},
  };
  for (const BounceCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    StartWalker("Go:\n>MVB=100,4,2147483647;\n>AE;\n", c.width);  // no turn is ever drawn
    sim->SetWindowBounds(form->window, c.start);
    Aim(c.dx, c.dy);
    form->walk.started = true;
    Run("Go");
    sim->AdvanceTime(100);
    EXPECT_EQ(Where(), c.end);
    int runs = 0;
    for (const Direction& d : kDirections) runs += Int(d.name);
    EXPECT_EQ(runs, static_cast<int>(c.labels.size()));
    for (const std::string& label : c.labels) EXPECT_EQ(Int(label), 1) << label;
  }
}

struct MoveCase {
  const char* command;
  int ticks;  // of 10 ms, the first only notes the start
  Point end;
  int arrivals;
};

class TargetedMoveTest : public WalkTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(TargetedMoveTest, StepsAlongTheLineAndRepeatsTheArrivalAction) {
  const MoveCase& c = GetParam();
  StartWalker(std::string("Go:\n>") + c.command + ";\n>AE;\nArrive:\n>FV+=Arrive,1;\n>AE;\n");
  Run("Go");
  sim->AdvanceTime(10 * c.ticks);
  EXPECT_EQ(Where(), c.end);
  EXPECT_EQ(Int("Arrive"), c.arrivals);
  EXPECT_TRUE(Logged().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, TargetedMoveTest,
    ::testing::Values(
        // Arrives at travelled 105: the window stays at start + 98, and the
        // arrival action runs on that tick and each later one.
        MoveCase{"MVR=100,0,10,7,Arrive", 1 + 14 + 3, {598, 400}, 3},
        MoveCase{"MVR=0,-50,10,10,Arrive", 1 + 4 + 1, {500, 360}, 1},
        // The next step would cross the left edge: blocked where it stands.
        MoveCase{"MVR=-600,0,10,100,Arrive", 1 + 5 + 2, {0, 400}, 2},
        MoveCase{"MVR=0,0,10,1,Arrive", 10, {500, 400}, 0},
        // Absolute moves ignore the screen edges; half away from zero rounding.
        MoveCase{"MVA=-500,-300,10,50,Arrive", 1 + 24 + 1, {-483, -288}, 1},
        MoveCase{"MVA=500,400,10,5,Arrive", 3, {500, 400}, 3},  // already there
        MoveCase{"MVA=503,400,10,0,Arrive", 1 + 2 + 2, {502, 400}, 2}));

TEST_F(WalkTest, AMoveToItsOwnActionIsRefusedAndStopsTheTimer) {
  StartWalker(
      "Go:\n>MVB=100,1,1;\n>AE;\n"
      "Self:\n>MVR=10,0,10,1,Self;\n>MVA=10,0,10,1,Self;\n>FV+=Arrive,1;\n>AE;\n");
  Run("Go");
  Run("Self");
  EXPECT_FALSE(form->walk.timer.running());
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kMvrRecursion, msg::kMvaRecursion}));
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Recursive call Error Line(52) LabelName[Self:] >MVR=10,0,10,1,Self;",
                          "Recursive call Error Line(53) LabelName[Self:] >MVA=10,0,10,1,Self;",
                      }));
  EXPECT_EQ(Int("Arrive"), 1);  // the action goes on
}

TEST_F(WalkTest, WalkingPausesWhileHiddenClingingOrDraggingAndNeverRepaints) {
  StartWalker("Go:\n>MVB=100,4,2147483647;\n>AE;\nBad:\n>MVB=x,1,1;\n>AE;\n");
  Aim(1, 0);
  Run("Go");
  sim->AdvanceTime(100);
  const int paints = MainWindow().paints;
  sim->AdvanceTime(100);
  EXPECT_EQ(Where(), (Point{508, 400}));
  EXPECT_EQ(MainWindow().paints, paints);  // a step moves the pixels it has
  form->PmPutClick();
  sim->AdvanceTime(300);
  form->PmPutClick();
  form->cling.clinging = true;
  sim->AdvanceTime(300);
  form->cling.clinging = false;
  form->drag.dragging = true;
  sim->AdvanceTime(300);
  form->drag.dragging = false;
  EXPECT_EQ(Where(), (Point{508, 400}));
  sim->AdvanceTime(100);
  EXPECT_EQ(Where(), (Point{512, 400}));
  form->PmPutClick();  // hidden: a move command starts nothing
  form->walk.timer.Stop();
  Run("Go");
  EXPECT_FALSE(form->walk.timer.running());
  form->PmPutClick();
  Run("Bad");
  EXPECT_FALSE(form->walk.timer.running());
  EXPECT_EQ(Logged(),
            std::vector<std::string>{"Parameter Error Line(52) LabelName[Bad:] >MVB=x,1,1;"});
}

}  // namespace
}  // namespace tk
