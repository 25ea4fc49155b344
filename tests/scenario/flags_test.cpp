// Flags as a script sees them: the init block, FVS and the arithmetic.
#include "script/flags.h"

#include "base/messages.h"
#include "script/script_lines.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class Flags : public testing::ScriptFixture {};

TEST_F(Flags, InitBlockDeclaresInOrderAndLogsBadIntegers) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:Count,10;\n"
      "STR:Name,Hello;\n"
      "a note line is skipped\n"
      "int:a,1;\n"
      "int:A,2;\n"
      "int:Empty,;\n"
      "int:Bad,12x;\n"
      "str:Copy,@FCount;\n"
      "int:Twice,@FA;\n"
      "int:LongerThanFifteenBytes,5;\n"
      "_endInitFlags:\n"  // other case: not the end
      "int:AfterWrongEnd,3;\n"
      "_EndInitFlags:\n"
      "int:Outside,4;\n");
  EXPECT_EQ(Int("Count"), 10);
  EXPECT_EQ(Str("name"), "Hello");
  ASSERT_EQ(form->flags.ints.size(), 8u);
  EXPECT_EQ(form->flags.ints[1].name, "a");
  EXPECT_EQ(form->flags.ints[2].name, "A");
  EXPECT_EQ(Int("A"), 1);  // the first of the name
  EXPECT_EQ(Int("Empty"), 0);
  EXPECT_EQ(Int("Bad"), 0);
  EXPECT_EQ(Str("Copy"), "10");
  EXPECT_EQ(Int("Twice"), 1);
  EXPECT_EQ(Int("LongerThanFifte"), 5);
  EXPECT_EQ(Int("AfterWrongEnd"), 3);
  EXPECT_EQ(form->flags.FindIntFlag("Outside"), nullptr);
  EXPECT_EQ(Logged(),
            std::vector<std::string>{"Parameter Error Line(8) LabelName[FlagInitError] Bad"});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kParameterError});
}

TEST_F(Flags, WithoutABlockThereAreNoFlagsAndSettingOneFails) {
  StartWith(
      "Go:\n"
      ">FVS=x,1;\n"
      ">FV+=x,1;\n"
      ">JMP=@Fx;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Parameter Error Line(2) LabelName[Go:] >FVS=x,1;",
                          "Parameter Error Line(3) LabelName[Go:] >FV+=x,1;",
                          "Label not found Error LabelName[@Fx:]",
                      }));
}

TEST_F(Flags, SetAndComputeWithThirtyTwoBitWrapping) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:n,0;\n"
      "int:m,0;\n"
      "str:s,;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">FVS=n,2147483647;\n"
      ">FV+=n,1;\n"  // wraps to the smallest value
      ">FVS=m,-5;\n"
      ">FV-=m,2147483647;\n"
      ">FVS=s,a$b;\n"  // the text takes a line feed
      ">FV+=s,cd;\n"
      ">FV*=s,2;\n"    // not on string flags
      ">FVS=n,abc;\n"  // not a number: n keeps its value
      ">AE;\n"
      "Mul:\n"
      ">FVS=n,65536;\n"
      ">FV*=n,65537;\n"
      ">AE;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Int("n"), -2147483647 - 1);
  EXPECT_EQ(Int("m"), 2147483644);  // -5 - (2^31 - 1) wrapped
  EXPECT_EQ(Str("s"), "a\nbcd");
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          "Parameter Error Line(13) LabelName[Go:] >FV*=s,2;",
                          "Parameter Error Line(14) LabelName[Go:] >FVS=n,abc;",
                      }));
  RunAction(*form, "Mul");
  EXPECT_EQ(Int("n"), 65536);  // 2^32 + 2^16 wrapped
}

TEST_F(Flags, DivisionRemainderAndTheirFailures) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:q,0;\n"
      "_EndInitFlags:\n");
  struct Case {
    std::string commands;
    std::int32_t start;
    std::int32_t expected;
    bool fails;
  };
  const std::vector<Case> cases = {
      {">FV/=q,2,0;", 7, 4, false},
      {">FV/=q,2,1;", 7, 3, false},
      {">FV/=q,2,0;", -7, -4, false},
      {">FV/=q,2,5;", -7, -3, false},
      {">FV/=q,1,1;", 16777217, 16777216, false},  // single-precision quotient
      {">FV/=q,0.5,0;", 3, 6, false},
      {">FV/=q,0,0;", 7, 7, true},
      {">FV/=q,0.0,0;", 7, 7, true},
      {">FV/=q,two,0;", 7, 7, true},
      {">FV/=q,2,x;", 7, 7, true},
      {">FV/=q,0.5,0;", 2000000000, 2000000000, true},  // quotient beyond 32 bits
      {">FV%=q,2.9;", 7, 1, false},
      {">FV%=q,2;", -7, -1, false},
      {">FV%=q,-1;", -2147483647 - 1, 0, false},
      {">FV%=q,0.5;", 7, 7, true},
      {">FV%=q,x;", 7, 7, true},
      {">FV%=q,1e10;", -7, -7, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.commands + " on " + std::to_string(test.start));
    form->flags.FindIntFlag("q")->value = test.start;
    const std::size_t logged = LogLines().size();
    form->script.Assign({"*TKScriptFile", "One:", test.commands, ">AE;"});
    RunAction(*form, "One");
    EXPECT_EQ(Int("q"), test.expected);
    EXPECT_EQ(LogLines().size(), logged + (test.fails ? 1 : 0));
  }
}

TEST_F(Flags, StringFlagsAppendAndRemoveText) {
  StartWith(
      "_BeginInitFlags:\n"
      "str:s,abcabc;\n"
      "str:long,;\n"
      "str:num,abc;\n"
      "int:num,0;\n"  // integer flags come first for FV+ and FV-
      "_EndInitFlags:\n"
      "Go:\n"
      ">FV-=s,bc;\n"
      ">FV-=s,zz;\n"
      ">FV-=s,;\n"
      ">FV+=long," +
      std::string(200, 'x') +
      ";\n"
      ">FV+=num,3;\n"
      ">FV-=num,x;\n"
      ">AE;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(form->flags.strs[0].text, "aabc");  // only the first occurrence
  EXPECT_EQ(Str("long"), std::string(127, 'x'));
  EXPECT_EQ(Int("num"), 3);
  EXPECT_EQ(Str("num"), "abc");
  EXPECT_EQ(Logged().size(), 3u);  // zz, the empty text, and x for an integer
}

TEST_F(Flags, BitsDateTimeAndScreen) {
  sim->screen_width = 1280;
  sim->screen_height = 720;
  StartWith(
      "_BeginInitFlags:\n"
      "int:b,0;\n"
      "int:c,255;\n"
      "int:year,0;\n"
      "str:month,;\n"
      "int:other,7;\n"
      "str:h,;\n"
      "int:w,0;\n"
      "_EndInitFlags:\n"
      "Go:\n"
      ">FBS=b,31,1;\n"
      ">FBS=c,-1,1;\n"   // -1 is bit 31 too
      ">FBS=c,32,-2;\n"  // even clears bit 0
      ">FAD=c,240;\n"
      ">FOR=c,1;\n"
      ">FBS=nobody,1,1;\n"  // no flag: nothing, no report
      ">FBS=b,x,1;\n"
      ">FDTS=year,0;\n"
      ">FDTS=month,1;\n"
      ">FDTS=other,9;\n"
      ">FDPS=w,0;\n"
      ">FDPS=h,1;\n"
      ">FDTS=year,x;\n"
      ">AE;\n");
  RunAction(*form, "Go");
  EXPECT_EQ(Int("b"), -2147483647 - 1);
  EXPECT_EQ(Int("c"), 0xF1);  // bit 31 set, bit 0 cleared, AND 240, OR 1
  EXPECT_EQ(Int("year"), 2026);
  EXPECT_EQ(Str("month"), "12");
  EXPECT_EQ(Int("other"), 0);
  EXPECT_EQ(Int("w"), 1280);
  EXPECT_EQ(Str("h"), "720");
  EXPECT_EQ(Logged().size(), 2u);
}

}  // namespace
}  // namespace tk
