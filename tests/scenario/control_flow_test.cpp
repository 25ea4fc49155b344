// Branches, calls, random jumps, waits, the shell and the file dialog.
#include <map>

#include "base/messages.h"
#include "script/flags.h"
#include "script/random_jumps.h"
#include "script/runner.h"
#include "script/script_lines.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class ControlFlow : public testing::ScriptFixture {
 protected:
  // The names of the actions a run passed through, from their >FV+ marks.
  std::string Trail() const { return Str("trail"); }
};

TEST_F(ControlFlow, JvcComparesSignedAndOnlyByItsOperatorsFirstByte) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:n,-3;\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">JVC=n,<,0,L1;\n"
      ">FV+=trail,x;\n"
      "L1:\n"
      ">FV+=trail,1;\n"
      ">JVC=n,>,-4,L2;\n"
      ">FV+=trail,x;\n"
      "L2:\n"
      ">FV+=trail,2;\n"
      ">JVC=n,E,-3,L3;\n"
      ">FV+=trail,x;\n"
      "L3:\n"
      ">FV+=trail,3;\n"
      ">JVC=n,!,-3,Never;\n"
      ">JVC=n,e,-3,Never;\n"  // lower case e never holds
      ">JVC=n,<=,0,Never;\n"  // '=' ends the operator: the value is empty
      ">JVC=nobody,!,0,Never;\n"
      ">JVC=n,!,x,Never;\n"
      ">JVC=n,!!,0,L4;\n"  // only the first byte counts
      ">FV+=trail,x;\n"
      "L4:\n"
      ">FV+=trail,4;\n"
      ">AE;\n"
      "Never:\n"
      ">FV+=trail,!;\n"
      ">AE;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Trail(), "1234");
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Parameter Error Line(20) LabelName[L3:] >JVC=n,<=,0,Never;",
                          "Parameter Error Line(22) LabelName[L3:] >JVC=n,!,x,Never;",
                      }));
}

TEST_F(ControlFlow, BitJumpsTakeTheBitNumberModuloThirtyTwo) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:n,2;\n"  // only bit 1 set
      "int:neg,-2147483648;\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">JB1=n,33,A;\n"
      ">FV+=trail,x;\n"
      "A:\n"
      ">FV+=trail,a;\n"
      ">JB0=n,32,B;\n"
      ">FV+=trail,x;\n"
      "B:\n"
      ">FV+=trail,b;\n"
      ">JB1=neg,31,C;\n"
      ">FV+=trail,x;\n"
      "C:\n"
      ">FV+=trail,c;\n"
      ">JB1=n,0,Never;\n"
      ">JB0=n,1,Never;\n"
      ">JB0=nobody,1,Never;\n"
      ">JB0=n,one,Never;\n"
      ">AE;\n"
      "Never:\n"
      ">FV+=trail,!;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Trail(), "abc");
  EXPECT_EQ(Logged(),
            std::vector<std::string>{"Parameter Error Line(22) LabelName[C:] >JB0=n,one,Never;"});
}

TEST_F(ControlFlow, CallsReturnAndAreRefusedWhenRecursiveOrTooDeep) {
  std::string script =
      "_BeginInitFlags:\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Self:\n"
      ">CLL=Self;\n"
      ">FV+=trail,s;\n"
      ">AE;\n";
  // C0 calls C1 ... C8 calls C9: nine nested calls.
  for (int i = 0; i <= 9; ++i) {
    script += "C" + std::to_string(i) + ":\n>FV+=trail,<" + std::to_string(i) + ";\n";
    if (i < 9) script += ">CLL=C" + std::to_string(i + 1) + ";\n";
    script += ">FV+=trail," + std::to_string(i) + ">;\n>AE;\n";
  }
  StartWith(script);
  RunAction(*form, "Self");
  EXPECT_EQ(Trail(), "s");
  form->flags.SetFlagText("trail", "");
  RunAction(*form, "C0");
  EXPECT_EQ(Trail(), "<0<1<2<3<4<5<6<7<88>7>6>5>4>3>2>1>0>");
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Recursive call Error Line(5) LabelName[Self:] >CLL=Self;",
                          "Nesting Error Line(50) LabelName[C8:] >CLL=C9;",
                      }));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kRecursiveCall, msg::kCallNesting}));
  EXPECT_EQ(form->runner.call_depth, 0);
  EXPECT_FALSE(form->runner.Running());
}

TEST_F(ControlFlow, RandomJumpTablesAddRemoveAndRecreateAtTheEnd) {
  StartWith(
      "Fill:\n"
      ">RJS=t,A;\n"
      ">RJS=t,A;\n"
      ">RJS=u,B;\n"
      ">RJS=T,C;\n"  // names count letter case
      ">AE;\n"
      "DropA:\n"
      ">RJD=t,A;\n"  // both entries, then the empty table
      ">RJS=t,D;\n"
      ">AE;\n"
      "DropU:\n"
      ">RJD=u,;\n"
      ">AE;\n"
      "DropAll:\n"
      ">RJD=,;\n"
      ">AE;\n");
  using Table = RandomJumpTables::Table;
  const auto names = [&] {
    std::vector<std::string> out;
    for (const Table& t : form->random_jumps.tables) out.push_back(t.name);
    return out;
  };
  RunAction(*form, "Fill");
  EXPECT_EQ(names(), (std::vector<std::string>{"t", "u", "T"}));
  EXPECT_EQ(form->random_jumps.tables[0].entries, (std::vector<std::string>{"A", "A"}));
  RunAction(*form, "DropA");
  EXPECT_EQ(names(), (std::vector<std::string>{"u", "T", "t"}));
  EXPECT_EQ(form->random_jumps.tables[2].entries, std::vector<std::string>{"D"});
  RunAction(*form, "DropU");
  EXPECT_EQ(names(), (std::vector<std::string>{"T", "t"}));
  RunAction(*form, "DropAll");
  EXPECT_TRUE(form->random_jumps.tables.empty());
}

TEST_F(ControlFlow, RandomPicksAreUniformOverEntries) {
  StartWith("_FirstAction:\n>AE;\n");
  form->random.Seed(12345);
  RandomJumpTables tables;
  tables.Add("t", "A");
  tables.Add("t", "A");  // twice as likely
  tables.Add("t", "B");
  tables.Add("t", "C");
  std::map<std::string, int> counts;
  constexpr int kDraws = 40000;
  for (int i = 0; i < kDraws; ++i) ++counts[*tables.Pick("t", form->random)];
  // Expected 20000, 10000, 10000; five standard deviations is about 500.
  EXPECT_NEAR(counts["A"], 20000, 500);
  EXPECT_NEAR(counts["B"], 10000, 500);
  EXPECT_NEAR(counts["C"], 10000, 500);
  EXPECT_FALSE(tables.Pick("missing", form->random));
}

TEST_F(ControlFlow, RandomJumpAndCallReportWhatTheyCannotPick) {
  StartWith(
      "_BeginInitFlags:\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">RJP=none;\n"
      ">RCL=none;\n"
      ">RJS=self,Go;\n"
      ">RJP=self;\n"
      ">RCL=self;\n"
      ">RJS=other,Sub;\n"
      ">RCL=other;\n"
      ">RJP=other;\n"
      ">FV+=trail,x;\n"
      "Sub:\n"
      ">FV+=trail,s;\n"
      ">AE;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Trail(), "ss");  // called once, then jumped to
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Label not found Error LabelName[Go:]",
                          "Label not found Error LabelName[Go:]",
                          "Recursive call Error Line(8) LabelName[Go:] >RJP=self;",
                          "Recursive call Error Line(9) LabelName[Go:] >RCL=self;",
                      }));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kLabelNotFound, msg::kLabelNotFound,
                                                  msg::kRecursiveJump, msg::kRecursiveCall}));
}

TEST_F(ControlFlow, WaitInsideAJumpLoopKeepsTimersRunningInVirtualTime) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:n,0;\n"
      "_EndInitFlags:\n"
      "Loop:\n"
      ">WAT=100;\n"
      ">FV+=n,1;\n"
      ">JVC=n,E,5,Done;\n"
      ">JMP=Loop;\n"
      "Done:\n"
      ">WAT=-5;\n"
      ">WAT=0;\n"
      ">WAT=soon;\n"
      ">AE;\n");
  int ticks = 0;
  bool running_during_tick = true;
  const TimerId timer = sim->CreateTimer([&] {
    ++ticks;
    running_during_tick = running_during_tick && form->runner.Running();
  });
  sim->SetTimer(timer, 50, true);
  const std::uint64_t start = sim->NowMs();
  RunAction(*form, "Loop");
  EXPECT_EQ(Int("n"), 5);
  EXPECT_GE(sim->NowMs() - start, 500u);
  EXPECT_LE(sim->NowMs() - start, 510u);  // negative and zero waits return at once
  EXPECT_GE(ticks, 9);
  EXPECT_TRUE(running_during_tick);
  EXPECT_EQ(Logged().size(), 1u);  // WAT=soon
}

TEST_F(ControlFlow, WaitAcrossTheTickCountersWrapStillWaits) {
  sim->tick_base = 0xFFFFFFFFu - 20;
  StartWith("Go:\n>WAT=100;\n>AE;\n");
  const std::uint64_t start = sim->NowMs();
  RunAction(*form, "Go");
  EXPECT_GE(sim->NowMs() - start, 100u);
}

TEST_F(ControlFlow, ExecAndTheFileDialog) {
  StartWith(
      "_BeginInitFlags:\n"
      "str:file,none;\n"
      "str:trail,;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">EXEC=notes.txt;\n"
      ">EXEC=prog.exe,-a -b;\n"
      ">FNDP=file,bmp,Pick,Picked,Cancelled;\n"
      ">FV+=trail,x;\n"
      "Picked:\n"
      ">FV+=trail,p;\n"
      ">FNDP=file,bmp,Pick,Picked2,;\n"
      ">FV+=trail,n;\n"
      ">AE;\n"
      "Picked2:\n"
      ">FV+=trail,!;\n");
  ASSERT_EQ(sim->shell_opens.size(), 0u);
  std::vector<std::optional<std::string>> answers = {"C:\\chara\\a.bmp", std::nullopt};
  sim->on_file_dialog = [&](const FileDialogRequest&) {
    sim->SetCurrentDirectory("/");  // the dialog may move the current directory
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  RunAction(*form, "Go");
  ASSERT_EQ(sim->shell_opens.size(), 2u);
  EXPECT_EQ(sim->shell_opens[0].file, "notes.txt");
  EXPECT_EQ(sim->shell_opens[0].parameters, "");
  EXPECT_EQ(sim->shell_opens[1].parameters, "-a -b");
  ASSERT_EQ(sim->file_dialogs.size(), 2u);
  const FileDialogRequest& request = sim->file_dialogs[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.title, "Pick");
  EXPECT_EQ(request.filter, std::string(msg::kFileFilterPrefix) + "bmp)|*.bmp");
  EXPECT_EQ(request.filter_index, 1);
  EXPECT_EQ(request.initial_folder, sim->ProgramFolder());
  EXPECT_EQ(Str("file"), "C:\\chara\\a.bmp");  // kept when the second is cancelled
  EXPECT_EQ(Trail(), "pn");
  EXPECT_EQ(sim->CurrentDirectory(), sim->ProgramFolder());
}

}  // namespace
}  // namespace tk
