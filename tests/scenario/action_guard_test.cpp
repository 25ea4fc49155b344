// Who may start an action when, and what stops every run.
#include "imagery/speech_state.h"
#include "script/flags.h"
#include "script/runner.h"
#include "script/wait.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class ActionGuard : public testing::ScriptFixture {};

TEST_F(ActionGuard, EachTriggerIsRefusedInsideARunExceptTheEventsWhileAChoiceWaits) {
  StartWith("Idle:\n>AE;\n");
  using T = ActionTrigger;
  constexpr ActionStart Y = ActionStart::kYes, N = ActionStart::kNotNow, X = ActionStart::kNever;
  struct State {
    const char* name;
    int runs;
    bool speech, choice, stopped;
    // kMapClick, kMapHover, kPopupMenu, kChildWindow, kWalkTimer, kEventTimer, kChoiceHover
    std::array<ActionStart, 7> answer;
  };
  const State states[] = {
      {"idle", 0, false, false, false, {Y, Y, Y, Y, Y, Y, Y}},
      {"running", 1, false, false, false, {N, N, N, N, N, N, N}},
      {"nested runs", 3, false, false, false, {N, N, N, N, N, N, N}},
      {"choice waits", 1, false, true, false, {N, N, N, N, N, Y, N}},
      {"speech shows", 1, true, false, false, {N, N, N, Y, N, N, N}},
      {"speech, no run", 0, true, false, false, {N, Y, Y, Y, Y, Y, Y}},
      {"stopped", 0, false, false, true, {X, X, X, X, X, X, X}},
      {"stopped in a run", 1, false, true, true, {X, X, X, X, X, X, X}},
  };
  const T triggers[] = {T::kMapClick,  T::kMapHover,   T::kPopupMenu,  T::kChildWindow,
                        T::kWalkTimer, T::kEventTimer, T::kChoiceHover};
  for (const State& s : states) {
    form->runner.runs = s.runs;
    form->runner.stopped = s.stopped;
    form->speech.showing = s.speech;
    form->speech.choice_waiting = s.choice;
    for (std::size_t i = 0; i < std::size(triggers); ++i) {
      EXPECT_EQ(form->MayStartAction(triggers[i]), s.answer[i]) << s.name << ", trigger " << i;
    }
  }
  form->runner = {};
}

// `_LastAction` runs once the close has begun: nothing else starts beside it
// or after it, whatever asks.
TEST_F(ActionGuard, NothingStartsOnceTheCloseBegins) {
  StartWith("_LastAction:\n>WAT=20;\n>AE;\n");  // the wait asks keep_going
  std::vector<ActionStart> during_last_action;
  form->runner.keep_going = [&] {
    if (during_last_action.empty()) {
      for (ActionTrigger trigger : {ActionTrigger::kEventTimer, ActionTrigger::kPopupMenu}) {
        during_last_action.push_back(form->MayStartAction(trigger));
      }
    }
    return true;
  };
  form->Close();
  EXPECT_EQ(form->close_stage(), CloseStage::kClosed);
  EXPECT_EQ(during_last_action, (std::vector{ActionStart::kNever, ActionStart::kNever}));
  EXPECT_EQ(form->MayStartAction(ActionTrigger::kMapClick), ActionStart::kNever);
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
  EXPECT_EQ(form->MayStartAction(ActionTrigger::kMapClick), ActionStart::kNever);
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
