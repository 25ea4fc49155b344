// Who may start an action when, and what stops every run.
#include "app/wait.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class ActionGuard : public testing::ScriptFixture {};

TEST_F(ActionGuard, EachTriggerIsRefusedInsideARunExceptTheEventsWhileAChoiceWaits) {
  StartWith("Idle:\n>AE;\n");
  using T = ActionTrigger;
  struct State {
    const char* name;
    int runs;
    bool speech, choice, closing;
    // kMapClick, kMapHover, kPopupMenu, kChildWindow, kWalkTimer, kEventTimer
    std::array<bool, 6> allowed;
  };
  const State states[] = {
      {"idle", 0, false, false, false, {true, true, true, true, true, true}},
      {"running", 1, false, false, false, {false, false, false, false, false, false}},
      {"nested runs", 3, false, false, false, {false, false, false, false, false, false}},
      {"choice waits", 1, false, true, false, {false, false, false, false, false, true}},
      {"speech shows", 1, true, false, false, {false, false, false, true, false, false}},
      {"speech, no run", 0, true, false, false, {false, true, true, true, true, true}},
      {"closing", 0, false, false, true, {false, false, false, false, false, false}},
  };
  const T triggers[] = {T::kMapClick,    T::kMapHover,  T::kPopupMenu,
                        T::kChildWindow, T::kWalkTimer, T::kEventTimer};
  for (const State& s : states) {
    form->runner.runs = s.runs;
    form->speech.showing = s.speech;
    form->speech.choice_waiting = s.choice;
    form->shell.closing = s.closing;
    for (std::size_t i = 0; i < std::size(triggers); ++i) {
      EXPECT_EQ(form->MayStartAction(triggers[i]), s.allowed[i]) << s.name << ", trigger " << i;
    }
  }
  form->runner = {};
}

// A loop that never waits and a loop that waits both end once the hook says
// so; nothing starts afterwards, and the outermost action is known.
TEST_F(ActionGuard, KeepGoingStopsRunawayLoopsAndEveryLaterAction) {
  StartWith(
      "Spin:\n>CLL=Inner;\n>AE;\nInner:\n>FV+=n,1;\n>JMP=Inner;\n"
      "Doze:\n>WAT=1000;\n>JMP=Doze;\n"
      "Once:\n>FV+=n,1000000;\n>AE;\n"
      "_BeginInitFlags:\nint:n,0;\n_EndInitFlags:\n");
  std::string seen_running;
  form->runner.keep_going = [&] {
    seen_running = form->runner.RunningAction();
    return form->flags.FindIntFlag("n")->value < 50000;
  };
  RunAction(*form, "Spin");
  EXPECT_TRUE(form->runner.stopped);
  EXPECT_EQ(seen_running, "Spin");
  EXPECT_FALSE(form->runner.Running());
  EXPECT_LT(Int("n"), 50000 + 5000);

  const std::uint64_t before = sim->NowMs();
  RunAction(*form, "Doze");  // already stopped: returns at once
  RunAction(*form, "Once");
  EXPECT_EQ(sim->NowMs(), before);
  EXPECT_LT(Int("n"), 1000000);
  EXPECT_FALSE(form->MayStartAction(ActionTrigger::kMapClick));
}

TEST_F(ActionGuard, AWaitEndsOnItsConditionItsTimeOrAStop) {
  StartWith("Idle:\n>AE;\n");
  const std::uint64_t t0 = sim->NowMs();
  EXPECT_EQ(WaitUntil(
                *form, [] { return true; }, 500),
            WaitEnd::kDone);
  EXPECT_EQ(sim->NowMs(), t0);  // a condition that holds costs no pump
  EXPECT_EQ(WaitUntil(
                *form, [&] { return sim->NowMs() >= t0 + 30; }, 500),
            WaitEnd::kDone);
  EXPECT_LT(sim->NowMs(), t0 + 40);
  EXPECT_EQ(WaitFor(*form, 100), WaitEnd::kTimeUp);
  EXPECT_GE(sim->NowMs(), t0 + 130);
  int asked = 0;
  form->runner.keep_going = [&] { return ++asked < 3; };
  EXPECT_EQ(WaitUntil(*form, nullptr), WaitEnd::kStopped);
  EXPECT_EQ(asked, 3);
}

}  // namespace
}  // namespace tk
