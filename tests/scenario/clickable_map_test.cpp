// The clickable map: loading in both forms, the hover and click tests, and
// CMS, CMD and CMA, on the simulated desktop.
#include "interaction/clickable_map.h"

#include "base/messages.h"
#include "imagery/speech_state.h"
#include "script/flags.h"
#include "script/runner.h"
#include "support/icon_files.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class ClickableMapTest : public testing::ScriptFixture {
 protected:
  // A script whose actions count their runs in flags.
  static std::string CountingScript(const std::string& first_action = "") {
    return "_BeginInitFlags:\nint:Head,0;\nint:Body,0;\n_EndInitFlags:\n"
           "_FirstAction:\n" +
           first_action +
           ">AE;\n"
           "Head:\n>FV+=Head,1;\n>AE;\n"
           "Body:\n>FV+=Body,1;\n>AE;\n";
  }
  void WriteMap(const std::string& text) { WriteFile("tk.map", EncodeLines(SplitTextLines(text))); }
  void Click(int x, int y) { sim->Click(form->window, MouseButton::kLeft, x, y); }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (const MapRegion& r : form->map) out.push_back(r.line);
    return out;
  }
  std::string HoverCursor(int x, int y) {
    sim->MouseMove(form->window, x, y);
    return sim->CursorName(sim->cursor_override);
  }
};

TEST_F(ClickableMapTest, LoadsRecordsInFileOrderAsCanonicalLines) {
  WriteMap(
      ">010, 20,60,80,CSHAND,Head;\n"
      "; a note\n"
      "*tkclickablemapfile\n"
      " >1,2,3,4,X,Skipped;\n"
      ">-5,+6,7,8\n"
      ">1,2,x,4,CSHAND,Bad;\n"
      ">0,0,10,10,AVeryLongCursorNameThatIsCutToThirtyOneBytes,Body;\n");
  StartWith(CountingScript());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"10,20,60,80,CSHAND,Head", "-5,6,7,8,,",
                                               "0,0,10,10,AVeryLongCursorNameThatIsCutToT,Body"}));
  // The bad record: a Parameter error naming the map file and its index.
  ASSERT_EQ(Logged().size(), 1u);
  EXPECT_EQ(Logged()[0],
            "Parameter Error Line(5) LabelName[In clickable map file] >1,2,x,4,CSHAND,Bad;");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kParameterError});
}

TEST_F(ClickableMapTest, FileProblemsAreReportedAndStartUpGoesOn) {
  std::filesystem::remove(Path("tk.map"));
  StartWith(CountingScript());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kMapUnreadable});
  EXPECT_EQ(sim->message_boxes[0].caption, "Tenkoro");
  EXPECT_TRUE(form->map.empty());
  Exit();

  sim->message_boxes.clear();
  WriteMap(">1,1,9,9,CSHAND,Head;\n");  // no marker line
  StartWith(CountingScript());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kMapUnrecognised});
  EXPECT_TRUE(form->map.empty());
}

TEST_F(ClickableMapTest, DebugModeReadsThePlainTextMap) {
  WriteFile("tk.ini", "[Debug]\r\nMap=1\r\n");
  WriteFile("tk_map.txt", "*TKClickableMapFile\r\n>1,2,3,4,CSARROW,Head;\r\n");
  WriteMap("*TKClickableMapFile\n>9,9,9,9,CSARROW,Other;\n");
  StartWith(CountingScript());
  EXPECT_EQ(Lines(), std::vector<std::string>{"1,2,3,4,CSARROW,Head"});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{msg::kDebugMode});
}

TEST_F(ClickableMapTest, ClicksNeedStrictContainmentInEitherCornerOrder) {
  WriteMap("*TKClickableMapFile\n>60,80,10,20,CSHAND,Head;\n>5,5,6,100,CSHAND,Body;\n");
  StartWith(CountingScript());
  for (auto [x, y] : {std::pair{10, 50}, {60, 50}, {30, 20}, {30, 80}, {5, 50}, {0, 0}})
    Click(x, y);
  EXPECT_EQ(Int("Head"), 0);
  EXPECT_EQ(Int("Body"), 0);  // 5..6 is one pixel wide: nothing is strictly inside
  Click(11, 21);
  Click(59, 79);
  EXPECT_EQ(Int("Head"), 2);
  EXPECT_TRUE(Logged().empty());
}

TEST_F(ClickableMapTest, FirstRegionWinsAndCmsGoesInFront) {
  WriteMap("*TKClickableMapFile\n>0,0,100,100,CSHAND,Head;\n>0,0,100,100,CSHAND,Body;\n");
  StartWith(CountingScript() + "AddBody:\n>CMS=40,40,50,50,CSARROW,Body;\n>AE;\n");
  Click(45, 45);
  EXPECT_EQ(Int("Head"), 1);
  RunAction(*form, "AddBody");
  Click(45, 45);
  Click(30, 30);
  EXPECT_EQ(Int("Body"), 1);
  EXPECT_EQ(Int("Head"), 2);
}

TEST_F(ClickableMapTest, CmdMatchesCanonicalTextIgnoringCaseAndRemovesOneCopy) {
  StartWith(CountingScript(">CMS=10,20,60,80,CsHand,Head;\n>CMS=10,20,60,80,CsHand,Head;\n"
                           ">CMS=1,1,2,2,A,B;\n") +
            "Del:\n>CMD=010,+20,60,80,CSHAND,HEAD;\n>AE;\n"
            "DelBad:\n>CMD=1,,2,2,A,B;\n>AE;\n"
            "All:\n>CMA;\n>AE;\n");
  ASSERT_EQ(Lines().size(), 3u);
  RunAction(*form, "Del");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"1,1,2,2,A,B", "10,20,60,80,CsHand,Head"}));
  RunAction(*form, "DelBad");
  EXPECT_EQ(Lines().size(), 2u);
  ASSERT_EQ(Logged().size(), 1u);
  EXPECT_EQ(Logged()[0].rfind("Parameter Error", 0), 0u);
  RunAction(*form, "All");
  EXPECT_TRUE(form->map.empty());
}

TEST_F(ClickableMapTest, ClickRunsOnlyWhenIdleAndMissingLabelsAreReported) {
  WriteMap("*TKClickableMapFile\n>0,0,50,50,,Nowhere;\n>0,0,100,100,,Head;\n");
  StartWith(CountingScript());
  form->runner.runs = 1;
  Click(60, 60);
  form->runner.runs = 0;
  form->speech.showing = true;
  Click(60, 60);
  form->speech.showing = false;
  form->speech.choice_waiting = true;
  Click(60, 60);
  form->speech.choice_waiting = false;
  sim->Click(form->window, MouseButton::kRight, 60, 60);
  EXPECT_EQ(Int("Head"), 0);
  Click(60, 60);
  EXPECT_EQ(Int("Head"), 1);
  Click(10, 10);
  EXPECT_EQ(Logged(), std::vector<std::string>{"Label not found Error LabelName[Nowhere:]"});
}

TEST_F(ClickableMapTest, HoverChoosesTheCursorByName) {
  WriteFile("ear.cur", testing::CursorFileBytes());
  WriteMap(
      "*TKClickableMapFile\n>0,0,10,10,cshand,A;\n>10,0,20,10,EAR,A;\n>20,0,30,10,Lost,A;\n"
      ">30,0,40,10,Unknown,A;\n>40,0,50,10,CSArrow,A;\n");
  StartWith(CountingScript(">MCS=ear.cur,Ear;\n>MCS=other.cur,EAR;\n>MCS=missing.cur,lost;\n"));
  EXPECT_EQ(HoverCursor(5, 5), "standard:hand");
  EXPECT_EQ(HoverCursor(15, 5), "file:ear.cur");  // the first of two entries named alike
  EXPECT_EQ(HoverCursor(25, 5), "standard:arrow");
  EXPECT_EQ(HoverCursor(35, 5), "standard:arrow");
  EXPECT_EQ(HoverCursor(45, 5), "standard:arrow");
  EXPECT_EQ(HoverCursor(15, 5), "file:ear.cur");
  EXPECT_EQ(HoverCursor(15, 50), "");  // outside every region: no override
  HoverCursor(15, 5);
  form->runner.runs = 1;
  EXPECT_EQ(HoverCursor(5, 5), "file:ear.cur");  // unchanged while an action runs
  form->runner.runs = 0;
  form->map.clear();
  EXPECT_EQ(HoverCursor(100, 100), "file:ear.cur");  // an empty map leaves the override
}

}  // namespace
}  // namespace tk
