// Out of the way of full-screen programs: a game or a video in front that
// covers the character's monitor sends it aside (hidden, not walking, its
// timed events still firing) until that window leaves; the user's own hide
// and the menu's switch are kept apart from it, and looking costs nothing
// while no other program's window is in front.
#include "base/messages.h"
#include "form/main_form.h"
#include "imagery/child_image_form.h"
#include "motion/event_state.h"
#include "motion/step_aside_state.h"
#include "motion/walk_state.h"
#include "script/runner.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class StepAside : public testing::ScriptFixture {
 protected:
  static constexpr Rect kPrimary{0, 0, 1024, 768};
  // Right of the primary, a smaller monitor.
  static constexpr Rect kRight{1024, 0, 1824, 600};

  void SetUp() override {
    ScriptFixture::SetUp();
    sim->other_monitors = {{kRight, kRight, 100}};
    WritePicture("b.bmp", 40, 30);
  }
  // The character at (x, y) with its balloon, an event every half second
  // counting in n, and a walk ready to start.
  void StartAt(int x, int y, const std::string& more_settings = "") {
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=" + std::to_string(x) +
                            "\r\nY_Pos=" + std::to_string(y) + "\r\n" + more_settings);
    StartWith(
        "_BeginInitFlags:\nint:n,0;\n_EndInitFlags:\n"
        "_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>CIP=b,40,0;\n>IES=0,0.5,Tick;\n>AE;\n"
        "Tick:\n>FV+=n,1;\n>AE;\n"
        "Walk:\n>MVB=100,8,2147483647;\n>AE;\n"  // no turn is ever drawn
        "Balloon:\n>CIP=b,40,0;\n>AE;\n");
  }
  void Walk() {
    form->walk.dx = 1;
    form->walk.dy = 0;
    form->walk.started = true;
    RunAction(*form, "Walk");
  }
  WindowId OpenWindow(const Rect& bounds, bool shell = false) {
    SimPlatform::ForeignWindow window{"Other", bounds};
    window.shell = shell;
    return sim->OpenForeignWindow(window);
  }
  Point Where() const { return {MainWindow().bounds.left, MainWindow().bounds.top}; }
  bool Shown() const { return MainWindow().visible; }
  bool BalloonShown() const { return sim->FindWindow(form->child_image->window)->visible; }
  // Lets up to a second pass until the character is shown or hidden as asked.
  bool ShownWithinASecond(bool shown) {
    for (int ms = 0; ms <= 1000; ms += 10) {
      if (Shown() == shown && BalloonShown() == shown) return true;
      sim->AdvanceTime(10);
    }
    return false;
  }
  // The wakes over `ms`, the event timer's ticks left out.
  std::uint64_t WakesOver(std::uint64_t ms) {
    const auto event_ticks = [&] {
      const auto it = sim->TimerTicks().find(form->events.timer.id());
      return it == sim->TimerTicks().end() ? std::uint64_t{0} : it->second;
    };
    const std::uint64_t before = sim->Wakes() - event_ticks();
    sim->AdvanceTime(ms);
    return sim->Wakes() - event_ticks() - before;
  }
  // Whether the menu, opened now, shows the item checked.
  bool Checked(const std::string& caption) {
    sim->Click(form->window, MouseButton::kRight, 5, 5);
    for (const PopupMenuItem& item : sim->popup_menus.back().items) {
      if (item.caption == caption) return item.checked;
    }
    ADD_FAILURE() << "no item " << caption;
    return false;
  }
};

TEST_F(StepAside, AGameInFrontSendsTheCharacterAsideWhileItsEventsGoOnAndItComesBackInPlace) {
  StartAt(200, 150);
  Walk();
  sim->AdvanceTime(1000);
  const Point walked_to = Where();
  EXPECT_NE(walked_to, (Point{200, 150}));

  const WindowId game = OpenWindow(kPrimary);
  ASSERT_TRUE(ShownWithinASecond(false));
  const Point aside_at = Where();
  const int events_before = Int("n");
  sim->AdvanceTime(5000);
  EXPECT_EQ(Where(), aside_at);  // no walking meanwhile
  EXPECT_GE(Int("n") - events_before, 9);
  RunAction(*form, "Balloon");  // a new balloon picture stays out of sight too
  EXPECT_FALSE(BalloonShown());

  sim->CloseForeignWindow(game);
  ASSERT_TRUE(ShownWithinASecond(true));
  EXPECT_EQ(Where(), aside_at);
  EXPECT_FALSE(form->shell.modes.hidden);
  sim->AdvanceTime(1000);
  EXPECT_NE(Where(), aside_at);  // walking again
}

TEST_F(StepAside, AVideoThatGrowsToFullScreenAndBackIsSeenWithinASecond) {
  StartAt(200, 150);
  const WindowId video = OpenWindow({100, 100, 740, 580});
  sim->AdvanceTime(3000);
  EXPECT_TRUE(Shown());
  sim->MoveForeignWindow(video,
                         {-8, -8, 1032, 776});  // no new window in front: only a look sees it
  EXPECT_TRUE(ShownWithinASecond(false));
  sim->MoveForeignWindow(video, {100, 100, 740, 580});
  EXPECT_TRUE(ShownWithinASecond(true));
  EXPECT_EQ(Where(), (Point{200, 150}));
}

TEST_F(StepAside, OnlyAnotherProgramsWindowCoveringTheCharactersWholeMonitorCounts) {
  struct Case {
    const char* name;
    Point character;
    Rect front;
    bool shell;
    bool aside;
  } const cases[] = {
      {"exactly the primary", {200, 150}, kPrimary, false, true},
      {"beyond every edge", {200, 150}, {-20, -20, 1100, 800}, false, true},
      {"a maximized window above a task bar", {200, 150}, {0, 0, 1024, 728}, false, false},
      {"one pixel short on the left", {200, 150}, {1, 0, 1024, 768}, false, false},
      {"the desktop background", {200, 150}, kPrimary, true, false},
      {"the other monitor, not the character's", {200, 150}, kRight, false, false},
      {"the other monitor, where the character stands", {1200, 100}, kRight, false, true},
      {"the primary, the character on the other", {1200, 100}, kPrimary, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    StartAt(c.character.x, c.character.y);
    OpenWindow(c.front, c.shell);
    sim->AdvanceTime(1500);
    EXPECT_EQ(Shown(), !c.aside) << c.name;
    EXPECT_EQ(form->shell.stepped_aside, c.aside) << c.name;
    TearDown();
  }
}

TEST_F(StepAside, TheUsersOwnHideOutlastsTheReturnAndAShowWaitsForIt) {
  StartAt(200, 150);
  Choose(msg::kMenuHide);
  const WindowId game = OpenWindow(kPrimary);
  sim->AdvanceTime(2000);
  sim->CloseForeignWindow(game);
  sim->AdvanceTime(2000);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(form->shell.modes.hidden);
  form->PmPutClick();
  EXPECT_TRUE(Shown());

  // Shown again by the user while aside: it still waits for the game to go.
  const WindowId second = OpenWindow(kPrimary);
  ASSERT_TRUE(ShownWithinASecond(false));
  form->PmPutClick();
  form->PmPutClick();
  EXPECT_FALSE(Shown());
  sim->CloseForeignWindow(second);
  EXPECT_TRUE(ShownWithinASecond(true));
}

TEST_F(StepAside, TheMenuSwitchesItOffAndOnAtOnceAndTkIniKeepsTheChoice) {
  StartAt(200, 150);
  EXPECT_TRUE(Checked(msg::kMenuStepAside));
  Choose(msg::kMenuStepAside);
  EXPECT_FALSE(Checked(msg::kMenuStepAside));
  OpenWindow(kPrimary);
  sim->AdvanceTime(3000);
  EXPECT_TRUE(Shown());
  form->PmStepAsideClick();  // on again, the game still in front: aside at once
  EXPECT_FALSE(Shown());
  form->PmStepAsideClick();  // off while aside: back at once
  EXPECT_TRUE(Shown());
  EXPECT_EQ(Where(), (Point{200, 150}));
  Exit();
  EXPECT_NE(ReadFile("tk.ini").find("[Options]\r\nStepAside=0\r\n"), std::string::npos);

  TearDown();
  SetUp();
  StartAt(200, 150, "[Options]\r\nStepAside=0\r\n");
  EXPECT_FALSE(Checked(msg::kMenuStepAside));
  OpenWindow(kPrimary);
  sim->AdvanceTime(2000);
  EXPECT_TRUE(Shown());
  Choose(msg::kMenuStepAside);
  EXPECT_FALSE(Shown());
  Exit();
  EXPECT_NE(ReadFile("tk.ini").find("[Options]\r\nStepAside=1\r\n"), std::string::npos);
}

TEST_F(StepAside, LookingCostsAWakeASecondOnlyWhileAnotherProgramIsInFront) {
  StartAt(200, 150);
  EXPECT_EQ(WakesOver(10'000), 0u) << "nothing of another program in front";
  const WindowId editor = OpenWindow({100, 100, 500, 400});
  EXPECT_EQ(WakesOver(10'000), 11u) << "the notice, then a look each second";
  sim->SendTrayMessage(kTrayLeftButtonDown);  // the character's own window to the front
  EXPECT_EQ(WakesOver(10'000), 1u) << "the notice of the character's own window in front";
  sim->CloseForeignWindow(editor);
  EXPECT_EQ(WakesOver(10'000), 0u);
  EXPECT_FALSE(sim->Timers().at(form->second_beat.timer().id()).enabled);
}

// Where the desktop sends no notice of a new window in front (Wine), the
// character looks each second while it shows or stands aside, and not while
// the user keeps it hidden.
TEST_F(StepAside, WithoutNoticesALookEachSecondWhileTheCharacterShowsFindsTheGame) {
  sim->front_window_notices = false;
  StartAt(200, 150);
  EXPECT_EQ(WakesOver(10'000), 10u);
  const WindowId game = OpenWindow(kPrimary);
  EXPECT_TRUE(ShownWithinASecond(false));
  EXPECT_EQ(WakesOver(10'000), 10u);
  sim->CloseForeignWindow(game);
  EXPECT_TRUE(ShownWithinASecond(true));
  EXPECT_EQ(Where(), (Point{200, 150}));
  form->PmPutClick();
  EXPECT_EQ(WakesOver(10'000), 0u);
  form->PmPutClick();
  EXPECT_EQ(WakesOver(10'000), 10u);
}

}  // namespace
}  // namespace tk
