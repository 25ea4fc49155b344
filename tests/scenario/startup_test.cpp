#include "app/program.h"
#include "base/messages.h"
#include "form/popup_menu.h"
#include "imagery/prompt_state.h"
#include "motion/event_state.h"
#include "motion/step_aside_state.h"
#include "motion/walk_state.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

using testing::SimFixture;

constexpr char kTrace[] =
    "*TKScriptFile\n"
    "_FirstAction:\n"
    ">First;\n"
    ">AE;\n"
    "_LastAction:\n"
    ">Last;\n"
    ">AE;\n";

class Startup : public SimFixture {};

TEST_F(Startup, WithoutSettingsStartsAtTheOriginAndWritesOnlyWndPos) {
  WriteScript(kTrace);
  Start();
  ASSERT_FALSE(form->IsClosing());
  EXPECT_EQ(MainWindow().bounds.left, 0);
  EXPECT_EQ(MainWindow().bounds.top, 0);
  EXPECT_TRUE(form->shell.centre_on_first_image);
  EXPECT_FALSE(MainWindow().topmost);
  EXPECT_FALSE(form->shell.modes.topmost);
  EXPECT_TRUE(MainWindow().visible);
  EXPECT_TRUE(MainWindow().region_set);
  EXPECT_TRUE(MainWindow().region.empty());
  EXPECT_EQ(MainWindow().title, "Tenkoro");
  EXPECT_TRUE(sim->tray_icon_present);
  EXPECT_EQ(sim->tray_tip, "Tenkoro");
  // _FirstAction ran: its unknown command was reported.
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_NE(LogLines()[0].find("LabelName[_FirstAction:] >First;"), std::string::npos);

  Exit();
  EXPECT_EQ(ReadFile("tk.ini"), "[WndPos]\r\nX_Pos=0\r\nY_Pos=0\r\nZ_Pos=0\r\n");
  EXPECT_FALSE(sim->tray_icon_present);
  EXPECT_TRUE(sim->quit_requested);
  ASSERT_EQ(LogLines().size(), 2u);
  EXPECT_NE(LogLines()[1].find("LabelName[_LastAction:] >Last;"), std::string::npos);
  EXPECT_EQ(sim->FirstWindowOfKind(WindowKind::kMain), nullptr);
}

TEST_F(Startup, ValidPositionsAreKeptAndInvalidOnesCentreTheFirstPicture) {
  struct Case {
    int x, y;
    int want_x, want_y;
    bool centre;
  };
  const Case cases[] = {
      {1024, 768, 1024, 768, false},  // the screen's extent itself is valid
      {10, 20, 10, 20, false},       {-5, 20, 0, 20, true}, {1025, 20, 0, 20, true},
      {10, 769, 10, 0, true},        {-1, -1, 0, 0, true},
  };
  for (const Case& c : cases) {
    SetUp();
    WriteScript(kTrace);
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=" + std::to_string(c.x) +
                            "\r\nY_Pos=" + std::to_string(c.y) + "\r\n");
    Start();
    EXPECT_EQ(MainWindow().bounds.left, c.want_x) << c.x << "," << c.y;
    EXPECT_EQ(MainWindow().bounds.top, c.want_y) << c.x << "," << c.y;
    EXPECT_EQ(form->shell.centre_on_first_image, c.centre) << c.x << "," << c.y;
    Exit();
    EXPECT_NE(ReadFile("tk.ini").find("X_Pos=" + std::to_string(c.want_x) + "\r\n"),
              std::string::npos);
    TearDown();
  }
}

TEST_F(Startup, TopmostSettingChecksTheItemAndSurvivesExit) {
  WriteScript(kTrace);
  WriteFile("tk.ini",
            "; kept\r\n[wndpos]\r\nx_pos=5\r\nY_Pos=6\r\nZ_Pos=1\r\n\r\n[Other]\r\nA=b\r\n");
  Start();
  EXPECT_TRUE(MainWindow().topmost);
  EXPECT_TRUE(form->shell.modes.topmost);
  Exit();
  EXPECT_EQ(ReadFile("tk.ini"),
            "; kept\r\n[wndpos]\r\nX_Pos=5\r\nY_Pos=6\r\nZ_Pos=1\r\n\r\n[Other]\r\nA=b\r\n");
}

TEST_F(Startup, DebugSwitchesAnnounceThemselvesOnceAndPickTheTextScript) {
  WriteFile("tk.ini", "[Debug]\r\nMap=1\r\n");
  WriteScript(kTrace);  // Map alone: the script still comes from tk.srt
  Start();
  ASSERT_FALSE(form->IsClosing());
  EXPECT_TRUE(form->shell.debug_map);
  EXPECT_FALSE(form->shell.debug_script);
  ASSERT_GE(sim->message_boxes.size(), 1u);
  EXPECT_EQ(sim->message_boxes[0].text, msg::kDebugMode);
  EXPECT_EQ(sim->message_boxes[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(sim->message_boxes[0].caption, "Tenkoro");
  // Map=1 reads tk_map.txt, which this folder lacks.
  EXPECT_EQ(BoxTexts(),
            (std::vector<std::string>{msg::kDebugMode, msg::kMapUnreadable, msg::kCommandError}));
  Exit();
  // The debug keys are read, never written.
  EXPECT_NE(ReadFile("tk.ini").find("[Debug]\r\nMap=1\r\n"), std::string::npos);
}

TEST_F(Startup, DebugScriptReadsThePlainTextScript) {
  WriteFile("tk.ini", "[Debug]\r\nScript=1\r\n");
  WriteTextScript("_FirstAction:\r\n>FromText;\r\n>AE;\r\n*tkscriptfile");
  Start();
  ASSERT_FALSE(form->IsClosing());
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_NE(LogLines()[0].find("Line(1) LabelName[_FirstAction:] >FromText;"), std::string::npos);
}

TEST_F(Startup, MissingOrUnrecognisedScriptEndsStartUpButStillSavesThePosition) {
  struct Case {
    const char* tk_srt;  // nullptr: no file
    const char* message;
  };
  const Case cases[] = {
      {nullptr, msg::kScriptUnreadable},
      {"\x42\x0E\x0C", msg::kScriptUnreadable},  // broken line end
      {"", msg::kScriptUnrecognised},
  };
  for (const Case& c : cases) {
    SetUp();
    if (c.tk_srt) WriteFile("tk.srt", c.tk_srt);
    if (c.tk_srt && *c.tk_srt == '\0') {
      WriteScript("*TKScriptFile \n_FirstAction:\n>First;\n_LastAction:\n>Last;\n");
    }
    WriteFile("tk.ini", "[WndPos]\r\nX_Pos=30\r\nY_Pos=40\r\n");
    Start();
    EXPECT_TRUE(form->IsClosed());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
    EXPECT_EQ(sim->message_boxes[0].icon, MessageIcon::kError);
    EXPECT_FALSE(Exists("tk_error.txt"));  // neither action ran
    EXPECT_EQ(ReadFile("tk.ini"), "[WndPos]\r\nX_Pos=30\r\nY_Pos=40\r\nZ_Pos=0\r\n");
    TearDown();
  }
}

TEST_F(Startup, ScriptWithoutFirstActionShowsAnEmptyWindowAndRunsNothing) {
  WriteScript("_LastAction:\n>Last;\n*TKSCRIPTFILE\n");
  Start();
  ASSERT_FALSE(form->IsClosing());
  EXPECT_TRUE(MainWindow().visible);
  EXPECT_TRUE(MainWindow().region.empty());
  EXPECT_FALSE(Exists("tk_error.txt"));
  Exit();
  EXPECT_EQ(LogLines().size(), 1u);
}

TEST_F(Startup, CloseWithoutLastActionRunsNothingAndASecondCloseIsHarmless) {
  WriteScript("*TKScriptFile\n_FirstAction:\n>AE;\n");
  Start();
  Exit();
  EXPECT_FALSE(Exists("tk_error.txt"));
  EXPECT_TRUE(Exists("tk.ini"));
  WriteFile("tk.ini", "changed");
  form->Close();
  EXPECT_EQ(ReadFile("tk.ini"), "changed");
}

TEST_F(Startup, ACloseRequestWhileLastActionRunsDoesNotCloseTwice) {
  WriteScript("*TKScriptFile\n_LastAction:\n>Last;\n>AE;\n");
  Start();
  int boxes = 0;
  sim->on_message_box = [&](const SimPlatform::MessageBoxRecord&) {
    if (boxes++ == 0) sim->PostClose(form->window);  // the user asks again meanwhile
  };
  Exit();
  EXPECT_EQ(LogLines().size(), 1u);
  EXPECT_TRUE(form->IsClosed());
}

TEST_F(Startup, ProgramEntryRunsTheLoopOnlyAfterASuccessfulStart) {
  sim->message_loop_ms = 5000;
  EXPECT_EQ(RunProgram(*sim), 0);
  EXPECT_EQ(sim->NowMs(), 0u);  // no script: no loop
  EXPECT_TRUE(Exists("tk.ini"));

  WriteScript(kTrace);
  SimPlatform second(Path(""), Path(""));
  second.message_loop_ms = 5000;
  EXPECT_EQ(RunProgram(second), 0);
  EXPECT_EQ(second.NowMs(), 5000u);
  EXPECT_EQ(LogLines().size(), 2u);  // _FirstAction, then _LastAction at the end
  EXPECT_FALSE(second.tray_icon_present);
}

TEST_F(Startup, TimersAreCreatedAsTheStartSequenceNeedsThem) {
  WriteScript(kTrace);
  Start();
  const auto& timers = sim->Timers();
  ASSERT_EQ(timers.size(), 4u);
  // The event timer and the second beat sleep until the script gives them
  // an event or a clock.
  EXPECT_FALSE(timers.at(form->events.timer.id()).enabled);
  EXPECT_FALSE(timers.at(form->second_beat.timer().id()).enabled);
  EXPECT_FALSE(timers.at(form->prompt.timer.id()).enabled);
  EXPECT_EQ(timers.at(form->prompt.timer.id()).interval_ms, 200u);
  EXPECT_FALSE(timers.at(form->walk.timer.id()).enabled);
  EXPECT_GE(form->walk.dx, -1);
  EXPECT_LE(form->walk.dx, 1);
  EXPECT_GE(form->walk.dy, -1);
  EXPECT_LE(form->walk.dy, 1);
  EXPECT_EQ(form->PopupMenu1.PmShowAbout.caption, std::string(msg::kAboutCaption) + "(&A)");
  Exit();
  EXPECT_TRUE(sim->Timers().empty());
}

}  // namespace
}  // namespace tk
