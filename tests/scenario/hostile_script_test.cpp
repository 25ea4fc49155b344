// Scripts written to hurt: coordinates at the ends of the 32-bit range, and
// call fan-outs that stay within the nesting limit yet run almost forever.
#include "base/bmp_writer.h"
#include "base/messages.h"
#include "imagery/child_image_form.h"
#include "script/runner.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class HostileScript : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    WritePicture("b.bmp", 40, 30);
  }
};

// Each runs under the sanitizers: an overflow anywhere fails the test run.
TEST_F(HostileScript, CoordinatesAtTheEndsOfTheRangeDrawNothingAndMoveSafely) {
  StartWith(
      "_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>AE;\n"
      "Far:\n>ACS=b.bmp,x,1,2147483647,0,1;\n>ACE=x,0;\n>ACB=x,1,0,0;\n"
      ">ACS=b.bmp,y,1,-2147483648,-2147483648,1;\n>ACE=y,0;\n>ACB=y,1,0,0;\n"
      ">CIP=b,2147483647,0;\n>AE;\n");
  sim->AdvanceTime(10);
  const auto before = MainWindow().surface.At(5, 5);
  EXPECT_TRUE(RunAction(*form, "Far"));
  sim->AdvanceTime(100);
  EXPECT_EQ(MainWindow().surface.At(5, 5), before);
  sim->SetWindowBounds(form->window, {100, 100, 140, 130});
  form->PmMoveClick();  // a drag moves the child window along, far right
  sim->MouseDown(form->window, MouseButton::kLeft, 5, 5);
  sim->MouseMove(form->window, 25, 5);
  EXPECT_EQ(sim->FindWindow(form->child_image->window)->bounds.right, 2147483647);
  EXPECT_TRUE(Logged().empty());
}

// Without a guard, a fan-out of 3 at each of the 8 levels shows 3^8 modal
// boxes (of 10 it would be 10^8), and logs as many lines.
TEST_F(HostileScript, AnErrorRepeatedWithoutPauseIsShownAFewTimesThenOnlyCounted) {
  StartWith(
      "A:\n>CLL=B;\n>CLL=B;\n>CLL=B;\n>AE;\n"
      "B:\n>CLL=A;\n>CLL=A;\n>CLL=A;\n>AE;\n");
  RunAction(*form, "A");
  const std::vector<std::string> boxes = BoxTexts();
  std::vector<std::string> expected(10, msg::kCallNesting);
  expected.push_back(msg::kRepeatsHeldBack);
  EXPECT_EQ(boxes, expected);
  const auto lines = Logged();
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_EQ(lines[999], "Nesting Error Line(2) LabelName[A:] >CLL=B;");
  EXPECT_EQ(lines[1000], "The error above repeats; its further repeats are not logged");
  sim->AdvanceTime(1001);  // after a pause the same error is news again
  RunAction(*form, "A");
  EXPECT_EQ(BoxTexts().size(), 22u);
  EXPECT_EQ(Logged().size(), 2002u);
}

}  // namespace
}  // namespace tk
