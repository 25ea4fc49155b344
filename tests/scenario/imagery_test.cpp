// Pictures, window shape and animations driven by scripts on the simulated
// desktop; the checks read the pixels the windows were given.
#include <set>

#include "base/bmp_writer.h"
#include "base/messages.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "script/runner.h"
#include "sgd_encoder.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

constexpr Bgr kKey{255, 0, 255}, kBody{0, 128, 0}, kBlack{};

Bgr Shade(int i) {
  return {static_cast<std::uint8_t>(10 * i), 50, 200};
}

// A `w` x `h` figure on the key colour: a body with one key-coloured hole.
Bitmap Figure(int w, int h) {
  Bitmap b(w, h);
  b.Fill(kBody);
  b.Set(0, 0, kKey);
  b.Set(w / 2, h / 2, kKey);
  return b;
}

// A strip of `frames` solid frames of `w` x `h`, frame i in Shade(i).
Bitmap Strip(int frames, int w, int h) {
  Bitmap b(frames * w, h);
  for (int x = 0; x < b.width(); ++x)
    for (int y = 0; y < h; ++y) b.Set(x, y, Shade(x / w));
  return b;
}

class Imagery : public testing::SimFixture {
 protected:
  void StartWith(const std::string& body) {
    WriteScript("*TKScriptFile\n" + body);
    Start();
    ASSERT_FALSE(form->IsClosing());
  }
  void Put(const std::string& name, const Bitmap& b) { WriteFile(name, EncodeBmp24(b)); }
  void Run(const std::string& label) { RunAction(*form, label); }
  const SimPlatform::Window& Child() const { return *sim->FirstWindowOfKind(WindowKind::kChild); }
  Bgr Shown(int x, int y) const { return MainWindow().surface.At(x, y); }
};

TEST_F(Imagery, ShowingAPictureSizesShapesAndPaintsTheWindow) {
  Put("fig.bmp", Figure(8, 6));
  WriteFile("fig.sgd", EncodeSgd24(Figure(4, 4), true));
  StartWith(
      "_FirstAction:\n>IDS=fig.bmp,body;\n>IDS=fig.sgd,small;\n>IDP=body;\n>AE;\n"
      "Small:\n>IDP=small;\n>AE;\n");
  const auto& w = MainWindow();
  EXPECT_EQ(w.bounds.Width(), 8);
  EXPECT_EQ(w.bounds.Height(), 6);
  ASSERT_EQ(w.region.size(), 7u);  // one run per row, two where the hole is
  EXPECT_EQ(w.region[0], (Rect{1, 0, 8, 1}));
  EXPECT_EQ(w.region[3], (Rect{0, 3, 4, 4}));
  EXPECT_EQ(w.region[4], (Rect{5, 3, 8, 4}));
  EXPECT_EQ(Shown(7, 5), kBody);
  EXPECT_EQ(Shown(4, 3), kKey);
  Run("Small");
  EXPECT_EQ(MainWindow().bounds.Width(), 4);
  EXPECT_EQ(MainWindow().region.size(), 5u);
  EXPECT_EQ(form->images.current_name, "small");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Imagery, CentresOnTheFirstPictureOnlyWhenThePositionWasInvalid) {
  Put("a.bmp", Figure(100, 50));
  Put("b.bmp", Figure(20, 10));
  StartWith("_FirstAction:\n>IDS=a.bmp,a;\n>IDS=b.bmp,b;\n>IDP=a;\n>IDP=b;\n>AE;\n");
  // No tk.ini: centred once, on a 1024 x 768 screen; the second IDP keeps the place.
  EXPECT_EQ(MainWindow().bounds, (Rect{462, 359, 482, 369}));
}

TEST_F(Imagery, FailedLoadsAndUnknownNames) {
  Put("a.bmp", Figure(4, 4));
  StartWith(
      "_FirstAction:\n>IDS=missing.bmp,x;\n>IDS=a.jpg,x;\n>IDS=a.bmp,a;\n>IDP=nothing;\n"
      ">IDP=a;\n>IDD=a;\n>IDP=a;\n>AE;\n");
  // Each failure: the loader's box, then the error log's own.
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kImageFileUnopenable, msg::kFileOpenError,
                                                  msg::kImageFileUnopenable, msg::kFileOpenError}));
  ASSERT_EQ(LogLines().size(), 2u);
  EXPECT_NE(LogLines()[0].find("File open Error"), std::string::npos);
  EXPECT_TRUE(form->images.entries.empty());
  // The deleted picture stays on the window and is still the current one.
  EXPECT_EQ(form->images.current_name, "a");
  EXPECT_EQ(Shown(1, 1), kBody);
}

TEST_F(Imagery, SameNamesTheFirstWinsAndDeleteRemovesAll) {
  Bitmap red(3, 3), blue(5, 5);
  red.Fill({0, 0, 255});
  blue.Fill({255, 0, 0});
  Put("red.bmp", red);
  Put("blue.bmp", blue);
  Put("other.bmp", blue);
  StartWith(
      "_FirstAction:\n>IDS=red.bmp,x;\n>IDS=blue.bmp,x;\n>IDS=other.bmp,y;\n>IDP=x;\n>AE;\n"
      "Del:\n>IDD=x;\n>AE;\nAll:\n>IDD=;\n>IDP=y;\n>AE;\n");
  EXPECT_EQ(MainWindow().bounds.Width(), 3);
  Run("Del");
  ASSERT_EQ(form->images.entries.size(), 1u);
  EXPECT_EQ(form->images.entries[0].name, "y");
  Run("All");
  EXPECT_TRUE(form->images.entries.empty());
  EXPECT_EQ(MainWindow().bounds.Width(), 3);  // IDP of a deleted name did nothing
}

TEST_F(Imagery, LoopModeCyclesThroughThePartialFrameInVirtualTime) {
  Put("base.bmp", Figure(200, 100));
  // 100 pixels in 3 frames: 33 wide, and a fourth frame of one column.
  Bitmap strip(100, 10);
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 10; ++y) strip.Set(x, y, Shade(x / 33));
  Put("strip.bmp", strip);
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=strip.bmp,eye,3,10,20,100;\n"
      ">ACB=eye,1,0,0;\n>AE;\n");
  const Animation& eye = *form->animations.list.at(0);
  EXPECT_EQ(eye.frame_count, 4);
  EXPECT_EQ(eye.frame_width, 33);
  std::vector<int> frames;
  for (int i = 0; i < 6; ++i) {
    sim->AdvanceTime(100);
    frames.push_back(eye.current_frame);
    EXPECT_EQ(Shown(10, 20), Shade(eye.current_frame)) << i;
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  sim->AdvanceTime(200);  // frame 3: one column of strip, the rest the strip's key
  EXPECT_EQ(Shown(10, 20), Shade(3));
  EXPECT_EQ(Shown(11, 20), Shade(0));  // unmasked: the key colour itself shows
}

TEST_F(Imagery, OnceModeStopsAndRandomModeStaysInRange) {
  Put("base.bmp", Figure(50, 50));
  Put("one.bmp", Strip(1, 5, 5));
  Put("four.bmp", Strip(4, 5, 5));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=one.bmp,one,0,0,0,0;\n"
      ">ACS=four.bmp,four,4,10,10,-5;\n>ACB=one,2,0,0;\n>ACB=four,0,0,0;\n>AE;\n");
  const Animation& one = *form->animations.list[0];
  const Animation& four = *form->animations.list[1];
  EXPECT_EQ(sim->Timers().at(one.timer.id()).interval_ms, 1u);
  EXPECT_EQ(sim->Timers().at(four.timer.id()).interval_ms, 1u);
  sim->AdvanceTime(SimPlatform::kMinimumTimerMs);
  EXPECT_EQ(one.current_frame, 0);
  EXPECT_TRUE(one.timer.running());
  sim->AdvanceTime(SimPlatform::kMinimumTimerMs);
  EXPECT_FALSE(one.timer.running());
  EXPECT_FALSE(sim->Timers().at(one.timer.id()).enabled);
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    sim->AdvanceTime(SimPlatform::kMinimumTimerMs);
    seen.insert(four.current_frame);
  }
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(Imagery, LaterAnimationsAreDrawnOnTopAndMasksShowThePictureBelow) {
  Put("base.bmp", Figure(40, 40));
  Bitmap ring = Strip(1, 6, 6);  // a frame whose key (corner colour) fills the middle
  for (int x = 1; x < 5; ++x)
    for (int y = 1; y < 5; ++y) ring.Set(x, y, ring.At(0, 0));
  ring.Set(2, 2, {1, 1, 1});
  Put("ring.bmp", ring);
  Put("block.bmp", Strip(2, 6, 6));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=block.bmp,low,2,10,10,50;\n"
      ">ACR=1;\n>ACS=ring.bmp,high,1,12,12,50;\n>ACB=low,1,0,0;\n>ACB=high,1,0,0;\n>AE;\n");
  sim->AdvanceTime(50);
  EXPECT_EQ(Shown(12, 12), Shade(0));        // the ring's border over the block
  EXPECT_EQ(Shown(13, 13), Shade(0));        // the ring's hole shows the block
  EXPECT_EQ(Shown(14, 14), (Bgr{1, 1, 1}));  // the ring's dot
  EXPECT_EQ(Shown(17, 17), kBody);           // the ring's hole over the body
  sim->AdvanceTime(50);                      // the block steps under the ring
  EXPECT_EQ(Shown(13, 13), Shade(1));
  EXPECT_EQ(Shown(14, 14), (Bgr{1, 1, 1}));
}

TEST_F(Imagery, StoppingAndDeleting) {
  Put("base.bmp", Figure(40, 40));
  Put("s.bmp", Strip(3, 4, 4));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=s.bmp,a,3,4,4,10;\n>ACS=s.bmp,a,3,20,4,10;\n"
      ">ACB=a,1,0,0;\n>AE;\n"
      "Two:\n>ACE=a,2;\n>AE;\nOff:\n>ACE=a,-1;\n>AE;\nRedraw:\n>IDP=b;\n>AE;\n"
      "Gone:\n>ACB=a,1,0,0;\n>ACD=;\n>AE;\nBad:\n>ACE=a,x;\n>AE;\n");
  sim->AdvanceTime(10);
  Run("Two");
  EXPECT_EQ(Shown(4, 4), Shade(2));
  EXPECT_EQ(Shown(20, 4), Shade(2));
  sim->AdvanceTime(100);  // stopped: the timers are off
  EXPECT_EQ(Shown(4, 4), Shade(2));
  Run("Off");
  EXPECT_EQ(Shown(4, 4), Shade(2));  // still there until its area is redrawn
  Run("Redraw");
  EXPECT_EQ(Shown(4, 4), kBody);
  Run("Gone");
  EXPECT_TRUE(form->animations.list.empty());
  EXPECT_EQ(Shown(20, 4), kBody);
  Run("Bad");
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_NE(LogLines()[0].find("Parameter Error"), std::string::npos);
}

TEST_F(Imagery, AnAnimationOverADeletedPictureLeavesBlack) {
  Put("base.bmp", Figure(20, 20));
  Put("s.bmp", Strip(2, 4, 4));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=s.bmp,a,2,2,2,10;\n>IDD=b;\n>ACD=a;\n>AE;\n");
  EXPECT_EQ(Shown(3, 3), kBlack);
  EXPECT_EQ(Shown(15, 15), kBody);
}

TEST_F(Imagery, SoundTiedAnimationsWaitForTheirSound) {
  sim->wave_devices = 1;
  Put("base.bmp", Figure(20, 20));
  Put("s.bmp", Strip(2, 4, 4));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=s.bmp,a,2,2,2,10;\n>ACB=a,1,1,0;\n>AE;\n");
  EXPECT_FALSE(form->animations.list[0]->running);  // no wave plays
}

TEST_F(Imagery, ChildImageIsShapedPlacedAndReshaped) {
  Put("base.bmp", Figure(40, 30));
  Put("balloon.bmp", Figure(12, 8));
  Bitmap wide(20, 4);
  wide.Fill(kBody);
  wide.Set(0, 0, kKey);
  Put("wide.bmp", wide);
  sim->screen_width = 400;
  sim->screen_height = 300;
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDS=balloon.bmp,ball;\n>IDS=wide.bmp,wide;\n>IDP=b;\n"
      ">CIP=ball,-15,5;\n>AE;\nAgain:\n>CIP=wide,50,-4;\n>AE;\nClose:\n>CIE;\n>AE;\n");
  const Rect main = MainWindow().bounds;
  EXPECT_EQ(main, (Rect{180, 135, 220, 165}));
  EXPECT_EQ(Child().bounds, (Rect{165, 140, 177, 148}));
  EXPECT_TRUE(Child().visible);
  EXPECT_EQ(Child().region.size(), 9u);
  EXPECT_EQ(Child().surface.At(11, 7), kBody);
  const Bitmap screen = sim->RenderScreen({1, 2, 3});
  EXPECT_EQ(screen.At(165, 140), (Bgr{1, 2, 3}));  // the balloon's key pixel
  EXPECT_EQ(screen.At(166, 140), kBody);
  EXPECT_EQ(screen.At(180, 135), (Bgr{1, 2, 3}));  // the figure's key pixel
  Run("Again");
  int children = 0;
  for (WindowId id = 1; id < 20; ++id) {
    const auto* w = sim->FindWindow(id);
    if (w && w->kind == WindowKind::kChild) ++children;
  }
  EXPECT_EQ(children, 1);
  EXPECT_EQ(Child().bounds, (Rect{230, 131, 250, 135}));
  EXPECT_EQ(Child().region, (Region{{1, 0, 20, 1}, {0, 1, 20, 2}, {0, 2, 20, 3}, {0, 3, 20, 4}}));
  Run("Close");
  EXPECT_EQ(sim->FirstWindowOfKind(WindowKind::kChild), nullptr);
}

// A picture change reaches the screen in one paint, animations included; a
// tick paints its own rectangle once, whatever else shares its name.
TEST_F(Imagery, EachChangeIsPaintedOnce) {
  Put("a.bmp", Figure(30, 20));
  Put("b.bmp", Figure(40, 30));
  Put("s.bmp", Strip(2, 4, 4));
  StartWith(
      "_FirstAction:\n>IDS=a.bmp,a;\n>IDS=b.bmp,b;\n>IDP=a;\n>ACS=s.bmp,x,2,2,2,10;\n"
      ">ACS=s.bmp,x,2,12,2,10;\n>ACS=s.bmp,x,2,22,2,10;\n>ACB=x,1,0,0;\n>AE;\n"
      "Switch:\n>IDP=b;\n>AE;\n");
  const auto presents = [&] { return MainWindow().presents; };
  int before = presents();
  sim->AdvanceTime(10);
  EXPECT_EQ(presents(), before + 3);
  before = presents();
  Run("Switch");
  sim->ProcessPendingMessages();
  EXPECT_EQ(presents(), before + 1);
  EXPECT_EQ(MainWindow().bounds.Width(), 40);
  for (const int x : {2, 12, 22}) EXPECT_EQ(Shown(x, 2), Shade(0)) << x;
  EXPECT_EQ(Shown(39, 29), kBody);
}

TEST_F(Imagery, AnimationTimersGoWithTheirAnimations) {
  Put("base.bmp", Figure(20, 20));
  Put("s.bmp", Strip(2, 4, 4));
  StartWith(
      "_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>ACS=s.bmp,a,2,0,0,10;\n>ACS=s.bmp,k,2,4,4,10;\n"
      ">ACS=s.bmp,a,2,8,8,10;\n>ACB=k,1,0,0;\n>AE;\nDel:\n>ACD=a;\n>AE;\n");
  std::vector<TimerId> ids;
  for (const auto& a : form->animations.list) ids.push_back(a->timer.id());
  for (const TimerId id : ids) EXPECT_EQ(sim->Timers().count(id), 1u);
  Run("Del");
  EXPECT_EQ(sim->Timers().count(ids[0]) + sim->Timers().count(ids[2]), 0u);
  sim->AdvanceTime(10);
  EXPECT_EQ(form->animations.list.at(0)->current_frame, 0);  // k goes on
  Exit();
  EXPECT_EQ(sim->Timers().count(ids[1]), 0u);
}

TEST_F(Imagery, ErasingRepaintsFromTheBackBuffer) {
  Put("base.bmp", Figure(10, 10));
  StartWith("_FirstAction:\n>IDS=base.bmp,b;\n>IDP=b;\n>AE;\n");
  const int presents = MainWindow().presents;
  sim->InvalidateWindow(form->window);
  sim->ProcessPendingMessages();
  EXPECT_EQ(MainWindow().presents, presents + 1);
  EXPECT_EQ(Shown(9, 9), kBody);
}

}  // namespace
}  // namespace tk

namespace tk {
namespace {

// A name longer than a name buffer holds means the same picture or
// animation to every command that takes it.
TEST_F(Imagery, LongNamesAreCutAlikeForEveryCommandThatNamesAPictureOrAnimation) {
  const std::string longer(40, 'n');
  Put("fig.bmp", Figure(20, 20));
  Put("strip.bmp", Strip(2, 5, 5));
  StartWith("_FirstAction:\n>IDS=fig.bmp," + longer + ";\n>IDP=" + longer + "0;\n>ACS=strip.bmp," +
            longer + ",2,0,0,100;\n>ACB=" + longer + "9,1,0,0;\n>AE;\n" + "Stop:\n>ACE=" + longer +
            "x,1;\n>AE;\nDrop:\n>ACD=" + longer + "y;\n>IDD=" + longer + "z;\n>AE;\n");
  EXPECT_EQ(form->images.current_name, std::string(31, 'n'));
  ASSERT_EQ(form->animations.list.size(), 1u);
  EXPECT_TRUE(form->animations.list[0]->running);
  Run("Stop");
  EXPECT_EQ(form->animations.list[0]->current_frame, 1);
  Run("Drop");
  EXPECT_TRUE(form->animations.list.empty());
  EXPECT_TRUE(form->images.entries.empty());
}

}  // namespace
}  // namespace tk
