// What the trace hears as a character runs: what started each action, the
// commands refused and why, the file each box is about, and each sound's
// course. The author tool prints these; here a recorder keeps them short.
#include "form/trace.h"

#include <algorithm>

#include "script/script_lines.h"
#include "sound/sound_player.h"
#include "support/script_fixture.h"
#include "support/sound_files.h"

namespace tk {
namespace {

const char* KindName(ActionCause::Kind kind) {
  constexpr const char* kNames[] = {"call",   "start-up", "close", "click",  "menu",
                                    "choice", "event",    "walk",  "sitting"};
  return kNames[static_cast<int>(kind)];
}

class Recorder : public TraceSink {
 public:
  void ActionStarted(std::string_view label, const ActionCause& cause) override {
    starts.push_back(std::string(label) + " " + KindName(cause.kind) + " " + cause.detail);
  }
  void CommandRefused(std::string_view line, std::string_view, std::string_view why) override {
    Add(std::string(line) + " " + std::string(why));
  }
  void BoxShown(std::string_view, std::string_view file) override {
    Add("box " + std::string(file));
  }
  void Sound(SoundNote note, std::string_view what, std::int32_t value) override {
    constexpr const char* kNotes[] = {"opened",  "open failed", "played", "ended",
                                      "stopped", "paused",      "resumed"};
    Add(std::string(kNotes[static_cast<int>(note)]) + " " + std::string(what) + " " +
        std::to_string(value));
  }
  void WindowShown(bool visible) override { Add(visible ? "shown" : "hidden"); }

  // The notes since the last call, the action starts apart.
  std::vector<std::string> Take() { return std::exchange(notes_, {}); }
  std::vector<std::string> starts;

 private:
  void Add(std::string note) { notes_.push_back(std::move(note)); }
  std::vector<std::string> notes_;
};

class Trace : public testing::ScriptFixture {
 protected:
  void StartTraced(const std::string& actions) {
    WritePicture("b.bmp", 40, 30);
    WriteScript("*TKScriptFile\n_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n" + actions);
    form = std::make_unique<TMainForm>(*sim);
    form->trace = &heard;
    form->FormCreate();
    ASSERT_FALSE(form->IsClosing());
  }
  void Run(const std::string& label) { RunAction(*form, label); }
  Recorder heard;
};

TEST_F(Trace, EachActionSaysWhatStartedIt) {
  sim->OpenForeignWindow({"Editor", {100, 100, 500, 400}});
  StartTraced(
      ">CLL=Sub;\n>PMS=Talk,Talk;\n>WCS=0,0,Sit,On,Off;\n>IES=0,1,Tick;\n>CES=9,5,Tock;\n"
      ">DES=2026,12,7,0,Day;\n>AE;\nSub:\n>AE;\nTalk:\n>AE;\nOn:\n>AE;\nOff:\n>AE;\n"
      "Tick:\n>IEA;\n>AE;\nTock:\n>AE;\nDay:\n>AE;\nGo:\n>MVR=10,0,50,5,Arrive;\n>AE;\n"
      "Arrive:\n>MVE;\n>AE;\n_LastAction:\n>AE;\n");
  Choose("Talk");
  Choose("Sit(&C)");
  Choose("Sit(&C)");
  sim->AdvanceTime(2500);
  Run("Go");
  sim->AdvanceTime(500);
  Exit();
  EXPECT_EQ(heard.starts, (std::vector<std::string>{
                              "_FirstAction start-up ", "Sub call _FirstAction", "Talk menu Talk",
                              "On sitting start", "Off sitting end", "Tick event every 1000 ms",
                              "Tock event at 09:05", "Day event on 2026-12-7", "Go call ",
                              "Arrive walk arrival", "_LastAction close "}));
}

// Each refusal names its command and the state that refused it.
TEST_F(Trace, CommandsThatDoNothingSayWhy) {
  StartTraced(
      ">AE;\nSpeak:\n>MSP=S;\n>AE;\nAsk:\n>CIP=b,0,0;\n>SDS=A,Yes@E;\n>SEL=0,0;\n"
      "Busy:\n>MSP=S;\n>MSC;\n>MLS=1,1,20,20;\n>SDS=A,No@E;\n>CIP=b,0,0;\n>CIE;\n>SEL=0,0;\n"
      "Walk:\n>MVB=50,2,10;\n>MVR=10,0,50,2,;\n>MVA=0,0,50,2,;\n>AE;\nA:\n>AE;\nS:\nHi@E\n");
  heard.Take();
  Run("Speak");
  EXPECT_EQ(heard.Take(),
            (std::vector<std::string>{">MSP=S; there is no balloon (>CIP shows one)"}));
  Run("Ask");
  heard.Take();
  Run("Busy");
  const std::string waiting = " choices wait for a click";
  EXPECT_EQ(heard.Take(), (std::vector<std::string>{
                              ">MSP=S;" + waiting, ">MSC;" + waiting, ">MLS=1,1,20,20;" + waiting,
                              ">SDS=A,No@E;" + waiting, ">CIP=b,0,0;" + waiting, ">CIE;" + waiting,
                              ">SEL=0,0;" + waiting}));
  form->PmPutClick();
  Run("Walk");
  const std::string hidden = " the character is hidden";
  EXPECT_EQ(heard.Take(),
            (std::vector<std::string>{"hidden", ">MVB=50,2,10;" + hidden,
                                      ">MVR=10,0,50,2,;" + hidden, ">MVA=0,0,50,2,;" + hidden}));
}

TEST_F(Trace, BoxesAboutAFileNameIt) {
  sim->wave_devices = 1;
  StartTraced(">AE;\n");
  const struct {
    const char* command;
    const char* file;  // every box the command shows names it; "": none does
  } cases[] = {
      {">IDS=no.bmp,n;", "no.bmp"},
      {">ACS=no.sgd,n,1,0,0,100;", "no.sgd"},
      {">MPS=no.bmp,1,0,0,100;", "no.bmp"},
      {">MCS=no.cur,c;", "no.cur"},
      {">IS=no.ico;", "no.ico"},
      {">FFLD=no.dat;", "no.dat"},
      {">TMIP=no.bmp,0,0;", "no.bmp"},
      {">AWP=1,no.wav;", "no.wav"},
      {">Nope;", ""},
  };
  for (const auto& c : cases) {
    form->script.Assign(SplitTextLines(std::string("*TKScriptFile\nOne:\n") + c.command));
    heard.Take();
    Run("One");
    std::vector<std::string> boxes;
    for (const std::string& note : heard.Take())
      if (note.starts_with("box ")) boxes.push_back(note.substr(4));
    EXPECT_FALSE(boxes.empty()) << c.command;
    for (const std::string& file : boxes) EXPECT_EQ(file, c.file) << c.command;
    sim->AdvanceTime(2000);  // no box is held back as a repeat
  }
}

TEST_F(Trace, ASoundIsFollowedFromItsOpeningToItsEnd) {
  sim->wave_devices = 1;
  sim->media.cd_tracks_ms = {3000, 5000};
  WriteFile("a.wav", testing::WaveFile(400));
  StartTraced(
      ">AE;\nTwice:\n>AWP=2,a.wav;\n>AE;\nEver:\n>AWP=0,a.wav;\n>AE;\nStop:\n>AWT;\n>AE;\n"
      "Disc:\n>ACP=1,2;\n>AE;\nItems:\n>NUS;\n>AWP=1,a.wav;\n>AE;\n");
  heard.Take();
  Run("Twice");
  sim->AdvanceTime(1000);
  Run("Ever");
  form->PmSoundClick();
  form->PmSoundClick();
  Run("Stop");
  Run("Disc");
  form->PmSoundClick();
  Run("Twice");
  Run("Items");
  EXPECT_EQ(heard.Take(),
            (std::vector<std::string>{
                "opened a.wav 0", "played a.wav 2", "ended a.wav 0", "played a.wav 0",
                "paused a.wav 0", "resumed a.wav 0", "stopped a.wav 0", "opened CD 0",
                "played CD track 2 1", "paused CD track 2 0",
                ">AWP=2,a.wav; sound is switched off: the sound is opened, not played",
                "stopped CD track 2 0", ">AWP=1,a.wav; the Sound item is taken away (>NUS)"}));
}

}  // namespace
}  // namespace tk
