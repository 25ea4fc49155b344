// Dragging the character in move mode, from itself and from its balloon.
#include "base/bmp_writer.h"
#include "imagery/child_image_form.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class DragTest : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    WritePicture("b.bmp", 40, 30);
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=100\r\nY_Pos=200\r\n");
  }
  Rect Bounds() const { return MainWindow().bounds; }
};

TEST_F(DragTest, LeftDragMovesByTheDistanceAndTheCursorsFollowTheMode) {
  StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>CMS=0,0,40,30,CSHAND,Nope;\n>AE;\n");
  const WindowId w = form->window;
  form->PmMoveClick();
  sim->MouseDown(w, MouseButton::kLeft, 10, 5);
  EXPECT_EQ(sim->CursorName(sim->cursor_override), "CSHAND2");
  sim->MouseDown(w, MouseButton::kRight, 10, 5);  // changes nothing during a drag
  sim->MouseMove(w, 30, 25);
  EXPECT_EQ(Bounds(), (Rect{120, 220, 160, 250}));
  sim->MouseMove(w, -500, -500);  // no clamping to the screen
  EXPECT_EQ(Bounds(), (Rect{-390, -285, -350, -255}));
  sim->MouseUp(w, MouseButton::kLeft, -500, -500);
  EXPECT_EQ(sim->CursorName(sim->cursor_override), "CSHAND1");
  sim->MouseMove(w, 0, 0);  // no drag: nothing moves
  EXPECT_EQ(Bounds().left, -390);
  // Presses in move mode never reach the map (its label would be logged).
  sim->Click(w, MouseButton::kLeft, 20, 20);
  EXPECT_TRUE(Logged().empty());
  form->PmMoveClick();
  EXPECT_EQ(sim->cursor_override, kNoCursor);
  Exit();
  EXPECT_NE(ReadFile("tk.ini").find("X_Pos=-390"), std::string::npos) << ReadFile("tk.ini");
}

TEST_F(DragTest, ClingingKeepsTheTopAndTheTargetEdges) {
  StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>AE;\n");
  const WindowId w = form->window;
  form->cling.clinging = true;
  form->cling.target = {50, 230, 200, 400};
  form->PmMoveClick();
  sim->MouseDown(w, MouseButton::kLeft, 10, 5);
  sim->MouseMove(w, 15, 100);
  EXPECT_EQ(Bounds(), (Rect{105, 200, 145, 230}));
  sim->MouseMove(w, -200, 0);
  EXPECT_EQ(Bounds().left, 50);
  sim->MouseMove(w, 500, 0);
  EXPECT_EQ(Bounds().left, 160);
  form->cling.target = {50, 230, 70, 400};  // narrower than the window: the right edge wins
  sim->MouseMove(w, 0, 0);
  EXPECT_EQ(Bounds().left, 30);
}

TEST_F(DragTest, ADragFromTheBalloonMovesBothWindows) {
  StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>CIP=b,50,-40;\n>AE;\n");
  const WindowId child = form->child_image->window;
  form->PmMoveClick();
  sim->MouseDown(child, MouseButton::kLeft, 5, 5);
  sim->MouseMove(child, 25, 15);
  sim->MouseMove(child, 5, 5);  // the balloon moved along: back by 20, 10 in its coordinates
  sim->MouseUp(child, MouseButton::kLeft, 5, 5);
  EXPECT_EQ(Bounds(), (Rect{120, 210, 160, 240}));
  EXPECT_EQ(sim->FindWindow(child)->bounds, (Rect{170, 170, 210, 200}));
  EXPECT_FALSE(form->drag.dragging);
}

}  // namespace
}  // namespace tk
