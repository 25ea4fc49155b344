// Clinging to other programs' windows on the simulated desktop: placing,
// following, the cling item, document windows, the settings, and the
// failures a script can cause.
#include "base/bmp_writer.h"
#include "base/messages.h"
#include "form/popup_menu.h"
#include "imagery/child_image_form.h"
#include "motion/cling_state.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

using Foreign = SimPlatform::ForeignWindow;

class ClingTest : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    WritePicture("b.bmp", 40, 30);
    WritePicture("l.bmp", 20, 10, {0, 255, 0});
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=700\r\nY_Pos=500\r\n");
  }
  // The script shows the 40 x 30 picture, then runs `more`.
  void StartShowing(const std::string& more, const std::string& actions = "") {
    StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDS=l.bmp,l;\n>IDP=b;\n" + more + ">AE;\n" + actions);
  }
  Point Corner() const { return {MainWindow().bounds.left, MainWindow().bounds.top}; }
  // Right-clicks the character and chooses the item of this caption; the
  // captions and checks shown ("*") are kept in `shown`.
  void Choose(const std::string& caption) {
    sim->on_popup_menu = [this, caption](const std::vector<PopupMenuItem>& items) {
      shown.clear();
      int chosen = -1;
      for (std::size_t i = 0; i < items.size(); ++i) {
        shown.push_back(items[i].caption + (items[i].checked ? "*" : ""));
        if (items[i].caption == caption) chosen = static_cast<int>(i);
      }
      return chosen;
    };
    sim->Click(form->window, MouseButton::kRight, 5, 5);
    sim->on_popup_menu = nullptr;
  }
  bool ClingTimerTicking() const {
    const auto& timers = sim->Timers();
    const auto it = timers.find(form->cling.timer.id());
    return it != timers.end() && it->second.Ticking() && it->second.interval_ms == 50;
  }
  std::vector<std::string> shown;
};

TEST_F(ClingTest, WithoutACaptionItSitsOnTheFrontWindowForGoodAndFollowsIt) {
  const WindowId editor = sim->OpenForeignWindow({"Editor", {200, 300, 600, 700}});
  StartShowing(">WCS=0,-30;\n>WCS=50,50,Again,On,Off;\n");
  EXPECT_EQ(Corner(), (Point{200, 270}));
  EXPECT_TRUE(MainWindow().topmost);
  EXPECT_TRUE(form->cling.clinging);
  EXPECT_EQ(form->cling.dx, 0);  // the second WCS changed nothing
  EXPECT_FALSE(form->PopupMenu1.has_cling_item);
  EXPECT_TRUE(ClingTimerTicking());
  Choose("");
  EXPECT_EQ(std::count(shown.begin(), shown.end(), std::string(msg::kMenuWinMost) + "*"), 0);

  sim->MoveForeignWindow(editor, {250, 320, 650, 720});
  sim->AdvanceTime(50);
  EXPECT_EQ(Corner(), (Point{250, 290}));
  const WindowId other = sim->OpenForeignWindow({"Other", {10, 10, 300, 200}});
  sim->AdvanceTime(50);  // onto the window that came to the front, as far left as it allows
  EXPECT_EQ(Corner(), (Point{10, -20}));
  sim->RaiseWindow(editor);
  sim->AdvanceTime(50);
  EXPECT_EQ(Corner(), (Point{250, 290}));

  form->PmMoveClick();
  sim->MouseDown(form->window, MouseButton::kLeft, 10, 5);
  sim->MouseMove(form->window, 100, 500);  // sideways only, along the edge
  EXPECT_EQ(Corner(), (Point{340, 290}));
  sim->MoveForeignWindow(editor, {260, 320, 660, 720});
  sim->AdvanceTime(200);  // no following while the drag lasts
  EXPECT_EQ(Corner(), (Point{340, 290}));
  sim->MouseUp(form->window, MouseButton::kLeft, 100, 500);
  sim->AdvanceTime(50);  // keeps its place along the edge, not the offset
  EXPECT_EQ(Corner(), (Point{350, 290}));
  sim->CloseForeignWindow(editor);
  sim->CloseForeignWindow(other);
  sim->AdvanceTime(200);  // nothing to sit on: it stays
  EXPECT_EQ(Corner(), (Point{350, 290}));
  Exit();
  const std::string ini = ReadFile("tk.ini");
  for (const char* line : {"Z_Pos=1", "[Cling]\r\nMode=1\r\nDx=0\r\nDy=-30\r\n"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << " in " << ini;
  }
}

TEST_F(ClingTest, TheCaptionedItemSwitchesClingingOnAndOffWithItsLabels) {
  const WindowId editor = sim->OpenForeignWindow({"Editor", {100, 100, 500, 400}});
  StartShowing(">WCS=5,-20,Cling,On,Off;\n>CIP=l,-10,5;\n",
               "On:\n>NS=Started;\n>AE;\nOff:\n>NS=Ended;\n>AE;\n");
  EXPECT_EQ(Corner(), (Point{700, 500}));
  EXPECT_FALSE(ClingTimerTicking() || MainWindow().topmost);
  Choose("Cling(&C)");
  EXPECT_EQ(shown.at(3), "Cling(&C)");  // right after PmPut
  EXPECT_EQ(form->shell.title, "Started");
  EXPECT_EQ(Corner(), (Point{105, 80}));
  EXPECT_EQ(sim->FindWindow(form->child_image->window)->bounds.left, 95);
  EXPECT_TRUE(MainWindow().topmost);
  EXPECT_TRUE(sim->FindWindow(form->child_image->window)->topmost);
  EXPECT_TRUE(ClingTimerTicking());
  sim->MoveForeignWindow(editor, {150, 200, 550, 500});
  sim->AdvanceTime(50);
  EXPECT_EQ(Corner(), (Point{155, 180}));
  EXPECT_EQ(sim->FindWindow(form->child_image->window)->bounds.left, 145);

  Choose("Cling(&C)");
  EXPECT_EQ(shown.at(2), "Cling(&C)*");  // PmWinMost is out of the menu
  EXPECT_EQ(std::count(shown.begin(), shown.end(), std::string(msg::kMenuWinMost) + "*"), 0);
  EXPECT_EQ(form->shell.title, "Ended");
  EXPECT_FALSE(ClingTimerTicking());
  sim->MoveForeignWindow(editor, {0, 0, 400, 300});
  sim->AdvanceTime(200);
  EXPECT_EQ(Corner(), (Point{155, 180}));
  EXPECT_TRUE(MainWindow().topmost);  // the band stays until the user leaves it
  Choose("");
  EXPECT_EQ(shown.at(1), std::string(msg::kMenuWinMost) + "*");

  sim->MoveForeignWindow(editor, {-500, -100, 300, 400});
  Choose("Cling(&C)");
  EXPECT_EQ(Corner(), (Point{-495, -120}));
  Choose("Cling(&C)");  // switched off the screen: back to the middle
  EXPECT_EQ(Corner(), (Point{(1024 - 40) / 2, (768 - 30) / 2}));
  EXPECT_EQ(sim->FindWindow(form->child_image->window)->bounds.left, (1024 - 40) / 2 - 10);
  Exit();
  EXPECT_NE(ReadFile("tk.ini").find("[Cling]\r\nMode=0\r\nDx=5\r\nDy=-20\r\n"), std::string::npos);
}

TEST_F(ClingTest, ADocumentWindowIsSatOnWithinItsFrameAndTenkIsPassedOver) {
  const WindowId frame = sim->OpenForeignWindow({"Frame", {100, 100, 500, 400}});
  Foreign document{"Doc", {300, 150, 450, 300}};
  document.frame = frame;
  const WindowId doc = sim->OpenForeignWindow(document);
  sim->OpenForeignWindow({"Tenk", {0, 0, 200, 200}});
  sim->OpenForeignWindow({"NoBox", {0, 0, 200, 200}, true, false});
  sim->OpenForeignWindow({"Hidden", {0, 0, 200, 200}, false, true});
  StartShowing(">WCS=0,-30;\n");
  EXPECT_EQ(Corner(), (Point{300, 120}));
  const struct {
    Rect document;
    Point expected;
  } moves[] = {
      {{60, 150, 210, 300}, {100, 120}},   // held at the frame's left edge
      {{440, 150, 640, 300}, {460, 120}},  // and at its right edge
      {{300, 200, 450, 350}, {320, 170}},
  };
  for (const auto& m : moves) {
    sim->MoveForeignWindow(doc, m.document);
    sim->AdvanceTime(50);
    EXPECT_EQ(Corner(), m.expected) << m.document.left;
  }
  sim->CloseForeignWindow(doc);
  sim->AdvanceTime(50);  // the frame itself now, at the same distance from the left
  EXPECT_EQ(Corner(), (Point{120, 70}));
  sim->OpenForeignWindow({"Tenkoro", {600, 600, 900, 700}});  // only "Tenk" itself is passed over
  sim->AdvanceTime(50);
  EXPECT_EQ(Corner(), (Point{620, 570}));
}

TEST_F(ClingTest, OffsetsThatAreNotNumbersLeaveTheSetupUndone) {
  sim->OpenForeignWindow({"Editor", {200, 300, 600, 700}});
  StartShowing(">WCS=abc,1;\n>WCS=7,x;\n", "Again:\n>WCS=1,-2;\n>AE;\n");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kParameterError, msg::kParameterError}));
  EXPECT_FALSE(form->cling.setup_done);
  EXPECT_EQ(form->cling.dx, 7);  // stored as it was read
  EXPECT_EQ(form->cling.timer.id(), 0);
  EXPECT_EQ(Corner(), (Point{700, 500}));
  RunAction(*form, "Again");
  EXPECT_TRUE(form->cling.clinging);
  EXPECT_EQ(Corner(), (Point{201, 298}));
  Exit();
  EXPECT_EQ(ReadFile("tk.ini").find("Dx=7"), std::string::npos);
}

// A saved target is returned to before the script runs; clinging comes back
// on only when the script sets it up again, and the band comes with it even
// where the file says otherwise.
TEST_F(ClingTest, StartUpReturnsToTheSavedTarget) {
  const std::string cling = "[Cling]\r\nMode=1\r\nDx=10\r\nDy=-5\r\n";
  for (const bool wcs : {true, false}) {
    SCOPED_TRACE(wcs);
    form.reset();
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    const WindowId editor = sim->OpenForeignWindow({"Editor", {200, 300, 600, 700}});
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=700\r\nY_Pos=500\r\nZ_Pos=0\r\n" + cling);
    WriteScript("*TKScriptFile\n_FirstAction:\n" + std::string(wcs ? ">WCS=0,0,C,On,;\n" : "") +
                ">AE;\nOn:\n>NS=Started;\n>AE;\n");
    Start();
    EXPECT_EQ(Corner(), (Point{210, 295}));
    EXPECT_EQ(form->cling.clinging, wcs);
    EXPECT_EQ(MainWindow().topmost && form->shell.title == "Started" && ClingTimerTicking(), wcs);
    // Without WCS no cling timer exists: an idle character never wakes for it.
    EXPECT_EQ(form->cling.timer.id() != 0, wcs);
    sim->MoveForeignWindow(editor, {0, 0, 400, 300});
    sim->AdvanceTime(100);  // WCS's own offsets hold from now on
    EXPECT_EQ(Corner(), (wcs ? Point{10, 0} : Point{210, 295}));
    Exit();
    const std::string ini = ReadFile("tk.ini");
    EXPECT_EQ(ini.find(cling) != std::string::npos, !wcs);
    EXPECT_EQ(ini.find("Z_Pos=1") != std::string::npos, wcs);
  }
}

}  // namespace
}  // namespace tk
