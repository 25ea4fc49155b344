// The sound player on the simulated desktop: plays take the length their
// files describe in virtual time, so the stories below can count plays,
// read where they started and watch notices arrive late.
#include "base/bmp_writer.h"
#include "imagery/animation.h"
#include "script/runner.h"
#include "sound/sound_player.h"
#include "support/script_fixture.h"
#include "support/sound_files.h"

namespace tk {
namespace {

using testing::MidiFile;
using testing::WaveFile;

class SoundTest : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    sim->wave_devices = 1;
    WriteFile("a.wav", WaveFile(400));
    WriteFile("b.wav", WaveFile(300));
    WriteFile("m.mid", MidiFile(480, 960, 250000));  // two quarter notes at 240 a minute
    sim->media.cd_tracks_ms = {3000, 5000};
  }
  void StartPlaying(const std::string& actions) {
    StartWith("_FirstAction:\n>AE;\n" + actions +
              "StopWave:\n>AWT;\n>AE;\nStopMidi:\n>AMT;\n>AE;\nStopCd:\n>ACT;\n>AE;\n");
  }
  void Run(const std::string& label) { RunAction(*form, label); }
  void Pass(std::uint64_t ms) { sim->AdvanceTime(ms); }
  void SwitchSound() { form->PmSoundClick(); }
  SimMedia& media() { return sim->media; }
  const SoundChannel& Wave() const { return form->sound->Channel(SoundKind::kWave); }
  std::uint64_t Now() const { return sim->NowMs(); }
};

TEST_F(SoundTest, RepeatCountsPlayThatOftenAndZeroOrLessForEver) {
  StartPlaying(
      "Once:\n>AWP=1,a.wav;\n>AE;\nThrice:\n>AWP=3,a.wav;\n>AE;\n"
      "Ever:\n>AWP=0,a.wav;\n>AE;\nNegative:\n>AWP=-2,a.wav;\n>AE;\n");
  const struct {
    const char* label;
    int plays;  // in 4 s; -1: still going
  } cases[] = {{"Once", 1}, {"Thrice", 3}, {"Ever", -1}, {"Negative", -1}};
  for (const auto& c : cases) {
    const int before = media().PlaysOf("a.wav");
    const std::uint64_t start = Now();
    Run(c.label);
    Pass(4000);
    const int plays = media().PlaysOf("a.wav") - before;
    if (c.plays > 0) {
      EXPECT_EQ(plays, c.plays) << c.label;
      EXPECT_EQ(media().Sounding(MediaKind::kWave), "") << c.label;
      EXPECT_FALSE(Wave().playing) << c.label;
      // Each play after the first starts where the one before ended.
      EXPECT_EQ(media().plays.back().at_ms, start + 400u * static_cast<unsigned>(c.plays - 1))
          << c.label;
      continue;
    }
    EXPECT_GE(plays, 10) << c.label;
    EXPECT_EQ(media().plays.back().from_ms, 0u) << "rewound before each play";
    Run("StopWave");
    const int stopped_at = media().PlaysOf("a.wav");
    Pass(2000);  // the notice of the play cut short restarts nothing
    EXPECT_EQ(media().PlaysOf("a.wav"), stopped_at) << c.label;
    EXPECT_EQ(media().Sounding(MediaKind::kWave), "") << c.label;
  }
  EXPECT_TRUE(Logged().empty());
}

// A sound that lasts no time at all, repeated for ever, still lets time
// pass between its plays instead of spinning in one moment.
TEST_F(SoundTest, AnEmptySoundRepeatedForEverTakesItsTurnWithTime) {
  sim->midi_devices = 1;
  WriteFile("empty.mid", MidiFile(480, 0, 250000));
  StartPlaying("Spin:\n>AMP=0,empty.mid;\n>AE;\n");
  Run("Spin");
  Pass(100);
  const int plays = media().PlaysOf("empty.mid");
  EXPECT_GT(plays, 10);
  EXPECT_LE(plays, 101);
  Run("StopMidi");
}

TEST_F(SoundTest, TheSameFileStartsOverAndAnotherReplacesIt) {
  StartPlaying("A:\n>AWP=1,a.wav;\n>AE;\nB:\n>AWP=2,b.wav;\n>AE;\n");
  Run("A");
  Pass(150);
  Run("A");
  EXPECT_EQ(media().plays.back().from_ms, 0u);
  EXPECT_EQ(media().OpenDevices(), 1u);
  Pass(390);
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "a.wav") << "a whole play from the start";
  Pass(20);
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "");
  EXPECT_EQ(media().PlaysOf("a.wav"), 2);

  Run("A");
  Pass(100);
  Run("B");
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "b.wav");
  EXPECT_EQ(media().OpenDevices(), 1u);
  EXPECT_EQ(Wave().file, "b.wav");
  // The late notice of the cut-short a.wav must not eat b.wav's ending.
  Pass(1000);
  EXPECT_EQ(media().PlaysOf("b.wav"), 2);
  EXPECT_FALSE(Wave().playing);
}

TEST_F(SoundTest, ThreeKindsSoundTogetherAndEachStopsAlone) {
  StartPlaying("All:\n>AWP=0,a.wav;\n>AMP=0,m.mid;\n>ACP=0,2;\n>AE;\n");
  Run("All");
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "a.wav");
  EXPECT_EQ(media().Sounding(MediaKind::kMidi), "m.mid");
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "cd");
  // Track 2 begins after the lead-in and track 1.
  EXPECT_EQ(media().plays.back().from_ms, 5000u);
  EXPECT_EQ(media().plays.back().to_ms, 10000u);
  Run("StopWave");
  Pass(100);
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "");
  EXPECT_EQ(media().Sounding(MediaKind::kMidi), "m.mid");
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "cd");
  // The MIDI file lasts its 960 ticks at 250 ms a quarter: 500 ms a play.
  Pass(1400);
  EXPECT_EQ(media().PlaysOf("m.mid"), 4);
  Run("StopMidi");
  Run("StopCd");
  Run("StopCd");  // nothing plays: nothing happens
  Pass(100);
  EXPECT_EQ(media().Sounding(MediaKind::kMidi), "");
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "");
  EXPECT_TRUE(Logged().empty());
}

TEST_F(SoundTest, CdTracksRepeatAndTheDeviceOpensAnewEachTime) {
  StartPlaying("Twice:\n>ACP=3,1;\n>AE;\nOther:\n>ACP=1,2;\n>AE;\n");
  Run("Twice");
  Pass(12000);
  ASSERT_EQ(media().plays.size(), 3u);
  for (const auto& play : media().plays) {
    EXPECT_EQ(play.from_ms, 2000u);
    EXPECT_EQ(play.to_ms, 5000u);
  }
  EXPECT_EQ(media().plays[2].at_ms, media().plays[0].at_ms + 6000);
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "");
  Run("Other");
  EXPECT_EQ(media().OpenDevices(), 1u);
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "cd");
}

TEST_F(SoundTest, WithSoundOffAFileOpensSilentlyAndAPausedWaveReplayedEndsLikeAnyOther) {
  StartPlaying("A:\n>AWP=1,a.wav;\n>AE;\n");
  SwitchSound();
  Run("A");
  EXPECT_EQ(media().OpenDevices(), 1u);
  SwitchSound();
  Pass(1000);
  EXPECT_TRUE(media().plays.empty()) << "switching sound on does not start it";
  EXPECT_TRUE(Logged().empty());
  Run("A");  // the open file plays from its start
  Pass(100);
  SwitchSound();
  Pass(10);  // the notice of the paused play arrives
  Run("A");  // stops the paused wave, whose play already reported
  SwitchSound();
  EXPECT_FALSE(Wave().playing);
  Run("A");
  Pass(500);
  EXPECT_EQ(media().PlaysOf("a.wav"), 2);
  EXPECT_FALSE(Wave().playing) << "its end was not taken for the stop's";
  EXPECT_EQ(media().OpenDevices(), 1u);
}

TEST_F(SoundTest, OffAndOnAgainResumesWhereItPausedWithItsCount) {
  StartPlaying("A:\n>AWP=3,a.wav;\n>ACP=2,1;\n>AE;\n");
  Run("A");
  Pass(150);
  SwitchSound();
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "");
  EXPECT_EQ(media().Sounding(MediaKind::kCdAudio), "");
  EXPECT_TRUE(Wave().paused);
  Pass(5000);
  SwitchSound();
  ASSERT_EQ(media().plays.size(), 4u);
  EXPECT_EQ(media().plays[2].from_ms, 150u);   // the wave
  EXPECT_EQ(media().plays[3].from_ms, 2150u);  // the CD, to its track end
  EXPECT_EQ(media().plays[3].to_ms, 5000u);
  EXPECT_EQ(Wave().repeat_count, 3);
  Pass(10000);
  EXPECT_EQ(media().PlaysOf("a.wav"), 4);  // the resumed play and two more
  EXPECT_EQ(media().PlaysOf(""), 3);       // the CD: resumed, then once more
  EXPECT_FALSE(Wave().playing);
}

TEST_F(SoundTest, BadParametersAndMissingDevicesReportTheirError) {
  StartPlaying(
      "BadTrack:\n>ACP=1,x;\n>AE;\nBadCount:\n>AWP=x,a.wav;\n>AE;\n"
      "Missing:\n>AWP=1,missing.wav;\n>AE;\nNotMidi:\n>AMP=1,a.wav;\n>AE;\nCd:\n>ACP=1,1;\n>AE;\n");
  SwitchSound();
  Run("BadTrack");  // sound off: the CD opens, the track is not even read
  EXPECT_TRUE(Logged().empty());
  EXPECT_EQ(media().OpenDevices(), 1u);
  SwitchSound();
  Run("BadTrack");
  Run("BadCount");
  Run("Missing");
  Run("NotMidi");
  media().cd_tracks_ms.clear();
  Run("Cd");
  ASSERT_EQ(Logged().size(), 5u);
  const char* expected[] = {"Parameter Error", "Parameter Error", "File open Error",
                            "File open Error", "File open Error"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(Logged()[i].rfind(expected[i], 0), 0u) << i;
  EXPECT_TRUE(media().plays.empty());
  EXPECT_EQ(media().OpenDevices(), 0u);
}

TEST_F(SoundTest, AFailedOpenClosesTheEarlierWaveWhichOpensAgainLater) {
  StartPlaying("A:\n>AWP=0,a.wav;\n>AE;\nMissing:\n>AWP=1,missing.wav;\n>AE;\n");
  Run("A");
  Pass(100);
  Run("Missing");
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "");
  EXPECT_EQ(media().OpenDevices(), 0u);
  EXPECT_EQ(Wave().file, "0");
  Pass(1000);
  Run("A");
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "a.wav");
  EXPECT_EQ(media().plays.back().from_ms, 0u);
  Pass(1000);
  EXPECT_GE(media().PlaysOf("a.wav"), 4) << "the new device repeats for ever";
}

TEST_F(SoundTest, ATiedAnimationStopsOnItsEndFrameWhenTheFirstPlayEnds) {
  Bitmap strip(12, 4);
  strip.Fill({0, 0, 200});
  WriteFile("mouth.bmp", EncodeBmp24(strip));
  StartPlaying(
      "Talk:\n>ACS=mouth.bmp,m,3,0,0,50;\n>AWP=2,a.wav;\n>ACB=m,1,1,2;\n>AE;\n"
      "Untied:\n>ACB=m,1,0,0;\n>AE;\n");
  Run("Talk");
  const Animation& mouth = *form->animations.list[0];
  ASSERT_TRUE(mouth.timer.running());
  Pass(390);
  EXPECT_TRUE(mouth.timer.running());
  Pass(70);
  EXPECT_FALSE(mouth.timer.running());
  EXPECT_EQ(mouth.current_frame, 2);
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "a.wav") << "the second play goes on";
  // Switching sound off and on pauses a tied animation and lets it go on.
  Run("Talk");
  SwitchSound();
  EXPECT_FALSE(mouth.timer.running());
  Pass(1000);
  SwitchSound();
  EXPECT_TRUE(mouth.timer.running());
  Run("StopWave");  // a stop ends it too
  Pass(60);
  EXPECT_FALSE(mouth.timer.running());
}

TEST_F(SoundTest, NusSilencesEverythingAndCommandsDoNothingWhileSoundIsUnavailable) {
  StartPlaying(
      "All:\n>AWP=0,a.wav;\n>AMP=0,m.mid;\n>ACP=0,1;\n>AE;\nNus:\n>NUS;\n>AE;\n"
      "Bad:\n>AWP=x,a.wav;\n>ACP=1,x;\n>AE;\n");
  Run("All");
  Run("Nus");
  Pass(100);
  EXPECT_EQ(media().Sounding(MediaKind::kWave) + media().Sounding(MediaKind::kMidi) +
                media().Sounding(MediaKind::kCdAudio),
            "");
  const std::size_t plays = media().plays.size();
  Run("All");
  Run("Bad");
  EXPECT_EQ(media().plays.size(), plays);
  EXPECT_TRUE(Logged().empty());
  Run("Nus");
  Run("All");
  EXPECT_EQ(media().Sounding(MediaKind::kWave), "a.wav");
}

TEST_F(SoundTest, NoOutputDeviceNoPlayerAndClosingReleasesEveryDevice) {
  StartPlaying("All:\n>AWP=0,a.wav;\n>AMP=0,m.mid;\n>ACP=0,1;\n>AE;\n");
  Run("All");
  Exit();
  EXPECT_EQ(media().OpenDevices(), 0u);
  Pass(1000);  // late notices find no player
  EXPECT_EQ(media().plays.size(), 3u);

  form.reset();
  sim = std::make_unique<SimPlatform>(Path(""), Path(""));
  Start();
  EXPECT_EQ(form->sound, nullptr);
  EXPECT_FALSE(form->shell.sound_available);
}

}  // namespace
}  // namespace tk
