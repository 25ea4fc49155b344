// A command line keeps what it read on its first run. Every later run must
// still see what a first run would: flags as they are now, and the lines as
// the script holds them now.
#include <algorithm>
#include <map>
#include <utility>

#include "script/script_lines.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class KeptLines : public testing::ScriptFixture {
 protected:
  static constexpr const char* kFlags =
      "_BeginInitFlags:\nint:n,0;\nint:step,1;\nint:limit,3;\n"
      "str:s,;\nstr:which,n;\nstr:target,A;\n_EndInitFlags:\n";
  // An integer flag's value as text, else a string flag's text.
  std::string Value(const std::string& name) const {
    if (const IntFlag* flag = form->flags.FindIntFlag(name)) return std::to_string(flag->value);
    const StrFlag* flag = form->flags.FindStrFlag(name);
    return flag ? flag->text : "(none)";
  }
};

TEST_F(KeptLines, EveryRunSeesTheFlagsAsTheyAreNow) {
  struct Case {
    const char* what;
    const char* script;
    std::vector<const char*> actions;  // run in turn
    std::map<std::string, std::string> expected;
  };
  const Case cases[] = {
      {"a reference reads its flag anew",
       "Go:\n>FV+=n,@Fstep;\n>AE;\nBump:\n>FV+=step,10;\n>AE;\n",
       {"Go", "Bump", "Go"},
       {{"n", "12"}, {"step", "11"}}},
      {"a line without a reference beside one with",
       "Go:\n>FV+=n,5;\n>FV+=n,@Fn;\n>AE;\n",
       {"Go", "Go"},
       {{"n", "30"}}},
      {"the flag a line names comes from a reference",
       "Go:\n>FV+=@Fwhich,1;\n>AE;\nSwitch:\n>FVS=which,step;\n>AE;\n",
       {"Go", "Switch", "Go"},
       {{"n", "1"}, {"step", "2"}}},
      {"names ignore case; only \"@F\" refers",
       "Go:\n>fv+=N,1;\n>FV+=n,@FSTEP;\n>FV+=S,@fn;\n>FV+=s,@Fn;\n>AE;\n",
       {"Go", "Go"},
       {{"n", "4"}, {"s", "@fn2@fn4"}}},
      {"a jump through a reference goes where the flag says now",
       "Go:\n>JMP=@Ftarget;\nA:\n>FV+=n,1;\n>FVS=target,B;\n>AE;\nB:\n>FV+=step,100;\n>AE;\n",
       {"Go", "Go"},
       {{"n", "1"}, {"step", "101"}, {"target", "B"}}},
      {"a loop compares with the limit of each pass",
       "Go:\n>FV+=n,1;\n>JVC=n,<,@Flimit,Go;\n>AE;\nRaise:\n>FV+=limit,2;\n>AE;\n",
       {"Go", "Raise", "Go"},
       {{"n", "5"}}},
      {"a bit number from a reference",
       "Go:\n>FBS=n,@Fstep,1;\n>FV*=n,3;\n>AE;\nBump:\n>FV+=step,1;\n>AE;\n",
       {"Go", "Bump", "Go"},
       {{"n", "18"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartWith(std::string(kFlags) + c.script);
    for (const char* action : c.actions) RunAction(*form, action);
    for (const auto& [name, value] : c.expected) EXPECT_EQ(Value(name), value) << name;
    EXPECT_EQ(Logged(), std::vector<std::string>{});
    TearDown();
    SetUp();
  }
}

// Flags are only declared at start-up, but a line must not keep a lookup made
// before a flag list changed.
TEST_F(KeptLines, AFlagAddedAfterALineRanIsFoundOnItsNextRun) {
  StartWith(std::string(kFlags) + "Go:\n>FV+=s,5;\n>FV+=late,1;\n>AE;\n");
  RunAction(*form, "Go");
  form->flags.ints.push_back({"S", 10});  // an integer flag of the name wins
  form->flags.ints.push_back({"Late", 0});
  RunAction(*form, "Go");
  EXPECT_EQ(Value("s"), "15");
  EXPECT_EQ(form->flags.FindStrFlag("s")->text, "5");
  EXPECT_EQ(Value("late"), "1");
  EXPECT_EQ(Logged(),
            std::vector<std::string>{"Parameter Error Line(11) LabelName[Go:] >FV+=late,1;"});
}

// A command that replaces or clears the script (here a message box's
// handler does) leaves the run on the new lines, whose kept forms are their
// own: the line that ran before at the same place is not run again.
TEST_F(KeptLines, AScriptChangedWhileACommandRunsRunsOnFromTheNewLines) {
  struct Case {
    const char* what;
    bool clear;
    const char* expected_n;
  };
  for (const Case& c : {Case{"replaced", false, "101"}, Case{"cleared", true, "1"}}) {
    SCOPED_TRACE(c.what);
    StartWith(std::string(kFlags) + "Go:\n>Bad;\n>FV+=n,1;\n>AE;\n");
    RunAction(*form, "Go");
    Lines changed = form->script.All();
    *std::find(changed.begin(), changed.end(), ">FV+=n,1;") = ">FV+=n,100;";
    bool armed = true;
    sim->on_message_box = [&](const SimPlatform::MessageBoxRecord&) {
      if (!std::exchange(armed, false)) return;
      if (c.clear) {
        form->script.Clear();
      } else {
        form->script.Assign(changed);
      }
    };
    RunAction(*form, "Go");
    EXPECT_EQ(Value("n"), c.expected_n);
    TearDown();
    SetUp();
  }
}

}  // namespace
}  // namespace tk
