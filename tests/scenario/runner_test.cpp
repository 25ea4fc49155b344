#include "script/runner.h"

#include "base/messages.h"
#include "script/command_context.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

class Runner : public testing::SimFixture {
 protected:
  // Starts a character whose script is `body` after the marker, without a
  // _FirstAction unless the body has one.
  void StartWith(const std::string& body) {
    WriteScript("*TKScriptFile\n" + body);
    Start();
    ASSERT_FALSE(form->IsClosing());
  }
  // The command texts of the logged lines, in order.
  std::vector<std::string> Logged() const {
    std::vector<std::string> out;
    for (const std::string& line : LogLines()) out.push_back(line.substr(line.find(']') + 2));
    return out;
  }
};

TEST_F(Runner, CommandNamesIgnoreCaseAndOnlyTheirFirstFiveBytesCount) {
  StartWith(
      "Go:\n"
      ">idd=a;\n"       // known, lower case
      ">IDSX=a.bmp;\n"  // >IDSX is not a command
      ">ABCDEF;\n"      // the name is >ABCD
      ">EXECUTE=x;\n"   // the name is >EXEC, a command
      ">;\n"            // an empty name
      ">AE  ;\n"        // blanks belong to the name
      ">Tail;\n"
      ">AE\n");  // no '=' or ';': the name runs to the end of the line
  EXPECT_FALSE(RunAction(*form, "go"));
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Command Error Line(3) LabelName[go:] >IDSX=a.bmp;",
                          "Command Error Line(4) LabelName[go:] >ABCDEF;",
                          "Command Error Line(6) LabelName[go:] >;",
                          "Command Error Line(7) LabelName[go:] >AE  ;",
                          "Command Error Line(8) LabelName[go:] >Tail;",
                      }));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>(5, msg::kCommandError));
  EXPECT_FALSE(form->runner.Running());
}

TEST_F(Runner, AnActionRunsOnThroughLabelsUntilItsEnd) {
  StartWith(
      "A:\n"
      ">One;\n"
      "  >indented lines are not commands\n"
      "\n"
      "B:\n"
      ">Two;\n"
      ">AE;\n"
      ">Never;\n"
      "C:\n"
      ">AE;\n"
      ">NotReached;\n"
      "D:\n"
      ">Three;\n");
  EXPECT_FALSE(RunAction(*form, "A"));
  EXPECT_TRUE(RunAction(*form, "C"));
  EXPECT_FALSE(RunAction(*form, "D"));  // the script's end ends the run too
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Command Error Line(2) LabelName[A:] >One;",
                          "Command Error Line(6) LabelName[A:] >Two;",
                          "Command Error Line(13) LabelName[D:] >Three;",
                      }));
}

TEST_F(Runner, JumpsReplaceTheActionAndAMissingLabelEndsTheRun) {
  StartWith(
      "Start:\n"
      ">JMP=Middle;\n"
      ">Skipped;\n"
      "middle:\n"
      ">Here;\n"
      ">jmp=Walk;\n"
      ">AfterMissing;\n"
      "Walk :\n");  // a label with a blank before its colon is another line
  EXPECT_FALSE(RunAction(*form, "Start"));
  const auto lines = Logged();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Command Error Line(5) LabelName[Middle:] >Here;");
  EXPECT_EQ(lines[1], "Label not found Error LabelName[Walk:]");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kCommandError, msg::kLabelNotFound}));
}

TEST_F(Runner, ALabelLineMatchesOnlyAsAWholeLine) {
  StartWith("Idle: \n>Wrong;\nIDLE:\n>Right;\n>AE;\n");
  RunAction(*form, "idle");
  EXPECT_EQ(Logged(), std::vector<std::string>{"Command Error Line(4) LabelName[idle:] >Right;"});
  EXPECT_FALSE(RunAction(*form, "Nowhere"));
  EXPECT_EQ(Logged().back(), "Label not found Error LabelName[Nowhere:]");
}

// A run that a handler starts inside another (a timer while a command
// waits) must not end the outer run's guard when it ends itself.
TEST_F(Runner, RunsAreCountedSoANestedRunEndingLeavesTheOuterOneRunning) {
  StartWith("A:\n>Probe;\n>CLL=B;\n>AE;\nB:\n>Probe;\n>AE;\nC:\n>Probe;\n>AE;\n");
  std::vector<std::string> seen;
  bool nested = false;
  auto note = [&] { seen.push_back(form->runner.Running() ? form->runner.RunningAction() : "-"); };
  sim->on_message_box = [&](const SimPlatform::MessageBoxRecord&) {
    note();
    if (nested) return;
    nested = true;
    RunAction(*form, "C");
    note();
  };
  RunAction(*form, "A");
  EXPECT_FALSE(form->runner.Running());
  EXPECT_EQ(form->runner.RunningAction(), "");
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "A", "A", "A"}));
}

TEST_F(Runner, FirstActionRunsAtStartAndAnUnknownCommandDoesNotStopIt) {
  StartWith("_FirstAction:\n>Bad1;\n>Bad2;\n>AE;\n");
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Command Error Line(2) LabelName[_FirstAction:] >Bad1;",
                          "Command Error Line(3) LabelName[_FirstAction:] >Bad2;",
                      }));
}

}  // namespace
}  // namespace tk

namespace tk {
namespace {

TEST_F(Runner, NumericParametersThatDoNotConvertAreReportedForTheCurrentLine) {
  StartWith("");
  ActionRun run;
  run.label = "Count:";
  run.line_index = 7;
  run.command_line = ">FVS=12 ,-3,x1,;";
  CommandContext context{*form, run, 5};
  EXPECT_EQ(context.Int(), std::nullopt);  // "12 " has a blank
  EXPECT_EQ(context.Int(), -3);
  EXPECT_EQ(context.Int(), std::nullopt);
  EXPECT_EQ(context.Int(), std::nullopt);  // empty
  EXPECT_EQ(context.Int(), std::nullopt);  // past the end of the line
  EXPECT_EQ(Logged(), std::vector<std::string>(
                          4, "Parameter Error Line(7) LabelName[Count:] >FVS=12 ,-3,x1,;"));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>(4, msg::kParameterError));
}

}  // namespace
}  // namespace tk
