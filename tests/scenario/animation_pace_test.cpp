// Animation timers that sleep over frames showing the same picture, in
// virtual time: each run is compared, moment by moment, with the same run
// whose timers tick on every frame.
#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#include "imagery/animation.h"
#include "support/script_fixture.h"
#include "support/sound_files.h"

namespace tk {
namespace {

constexpr Bgr kKey{255, 0, 255};

// Frame colours by letter; '.' is the key colour, transparent under ACR.
Bgr Colour(char c) {
  if (c == '.') return kKey;
  return {static_cast<std::uint8_t>(c * 5), static_cast<std::uint8_t>(c * 3), 90};
}

// One frame of `w` x `h` per letter of `frames`, each solid but for a
// key-coloured top-left pixel.
Bitmap Strip(std::string_view frames, int w, int h) {
  Bitmap b(static_cast<int>(frames.size()) * w, h);
  for (int x = 0; x < b.width(); ++x)
    for (int y = 0; y < h; ++y) b.Set(x, y, Colour(frames[static_cast<std::size_t>(x / w)]));
  for (int f = 0; f < static_cast<int>(frames.size()); ++f) b.Set(f * w, 0, kKey);
  return b;
}

// What the window showed: a hash of its pixels from each moment they changed.
using Shown = std::vector<std::pair<std::uint64_t, std::size_t>>;

using Plan = std::vector<std::pair<std::uint64_t, std::string>>;

// One run of a script: what it showed, how often its animations woke, and
// the random generator's next draw at its end.
struct Outcome {
  Shown shown;
  std::uint64_t wakes = 0;
  std::uint32_t draw = 0;
};

class AnimationPace : public testing::ScriptFixture {
 protected:
  void Put(const std::string& name, std::string_view frames, int w, int h) {
    WriteFile(name, EncodeBmp24(Strip(frames, w, h)));
  }
  std::size_t Picture() const {
    const auto& bytes = MainWindow().surface.Bytes();
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  std::uint64_t Wakes() const {
    std::uint64_t wakes = 0;
    for (const auto& a : form->animations.list) {
      const auto ticks = sim->TimerTicks().find(a->timer.id());
      if (ticks != sim->TimerTicks().end()) wakes += ticks->second;
    }
    return wakes;
  }
  // Runs `script` for `ms` on a fresh desktop, a millisecond at a time,
  // running each label of `plan` at its moment.
  Outcome RunFor(const std::string& script, const Plan& plan, std::uint64_t ms, bool sleep) {
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    sim->wave_devices = 1;
    StartWith(script);
    form->animations.sleep_over_same_frames = sleep;
    Outcome run;
    run.shown = {{sim->NowMs(), Picture()}};
    auto next = plan.begin();
    for (; ms > 0; --ms) {
      sim->AdvanceTime(1);
      for (; next != plan.end() && next->first == sim->NowMs(); ++next) {
        RunAction(*form, next->second);
      }
      if (Picture() != run.shown.back().second) run.shown.emplace_back(sim->NowMs(), Picture());
    }
    run.wakes = Wakes();
    run.draw = form->random.Next();
    form.reset();
    return run;
  }
};

// Blinking eyes, a play once through that ends on repeated frames, a frame
// that never changes, a random play and one tied to a sound, with everything
// that draws on the back buffer without recomposing it: a frame drawn
// straight over a sleeping animation from one below it in the list, a stop
// that leaves its last frame behind, a start that shows nothing until its
// first tick, and the picture below deleted and loaded again.
TEST_F(AnimationPace, SleepingOverSameFramesShowsWhatTickingShowsAtEveryMoment) {
  WritePicture("base.bmp", 70, 40, {0, 128, 0});
  WriteFile("a.wav", testing::WaveFile(270));
  Put("under.bmp", "uv", 30, 20);
  Put("blink.bmp", "oooohsh", 20, 10);
  Put("once.bmp", "abbccc", 20, 20);
  Put("still.bmp", "s", 10, 10);
  Put("dice.bmp", "xyz", 10, 10);
  Put("mouth.bmp", "mmn", 12, 6);
  Put("spot.bmp", "p..p", 8, 8);
  const std::string script =
      "_FirstAction:\n>IDS=base.bmp,base;\n>IDP=base;\n>ACS=under.bmp,under,2,0,0,40;\n"
      ">ACS=blink.bmp,blink,7,5,2,20;\n>ACB=blink,1,0,0;\n>ACS=once.bmp,once,6,15,8,40;\n"
      ">ACS=still.bmp,still,1,40,0,20;\n>ACB=still,1,0,0;\n>ACS=dice.bmp,dice,3,55,25,40;\n"
      ">ACB=dice,0,0,0;\n>ACS=mouth.bmp,mouth,3,30,30,20;\n>ACR=1;\n"
      ">ACS=spot.bmp,spot,4,8,4,60;\n>ACB=spot,1,0,0;\n>AE;\n"
      "Play:\n>ACB=once,2,0,0;\n>AE;\nTalk:\n>AWP=1,a.wav;\n>ACB=mouth,1,1,2;\n>AE;\n"
      "Cover:\n>ACE=under,1;\n>AE;\nHide:\n>ACE=blink,-1;\n>AE;\nAgain:\n>ACB=blink,1,0,0;\n>AE;\n"
      "Drop:\n>IDD=base;\n>AE;\nBack:\n>IDS=base.bmp,base;\n>AE;\n";
  // Every interval is a multiple of 20 ms and everything happens 5 ms after
  // a multiple of 20 ms, so no sleeper is ever woken for a tick closer than
  // the platform's shortest interval (the next test). The sound ends while
  // the mouth would sleep.
  const Plan plan{{105, "Play"},  {165, "Talk"},  {325, "Cover"}, {465, "Hide"},
                  {525, "Play"},  {585, "Again"}, {705, "Drop"},  {805, "Back"},
                  {905, "Cover"}, {1045, "Play"}, {1225, "Hide"}, {1385, "Again"}};
  const Outcome asleep = RunFor(script, plan, 1800, true);
  const Outcome awake = RunFor(script, plan, 1800, false);
  EXPECT_EQ(asleep.shown, awake.shown);
  EXPECT_GT(asleep.shown.size(), 80u);
  EXPECT_EQ(asleep.draw, awake.draw);  // the random play drew as often
  EXPECT_LT(asleep.wakes * 10, awake.wakes * 7) << asleep.wakes << " of " << awake.wakes;
}

// A frame drawn over a sleeper 5 ms before its next tick: the platform
// wakes it no sooner than 10 ms on, so it puts itself back 5 ms late, and
// keeps its beat from there.
TEST_F(AnimationPace, WokenForATickNearerThanTheShortestIntervalASleeperIsLateOnlyThen) {
  WritePicture("base.bmp", 40, 20, {0, 128, 0});
  Put("under.bmp", "uv", 30, 20);
  Put("blink.bmp", "oooh", 20, 10);
  const std::string script =
      "_FirstAction:\n>IDS=base.bmp,base;\n>IDP=base;\n>ACS=under.bmp,under,2,0,0,40;\n"
      ">ACS=blink.bmp,blink,4,5,2,40;\n>ACB=blink,1,0,0;\n>AE;\nCover:\n>ACE=under,1;\n>AE;\n";
  const Plan plan{{235, "Cover"}};  // the blink sleeps from 200 to 320
  Shown asleep = RunFor(script, plan, 800, true).shown;
  Shown awake = RunFor(script, plan, 800, false).shown;
  const auto at = [](const Shown& shown, std::uint64_t ms) {
    const auto found = std::ranges::find(shown, ms, &Shown::value_type::first);
    return found != shown.end() ? found->second : 0;
  };
  EXPECT_NE(at(awake, 240), 0u);
  EXPECT_EQ(at(asleep, 245), at(awake, 240));
  std::erase_if(asleep, [](const auto& s) { return s.first == 245; });
  std::erase_if(awake, [](const auto& s) { return s.first == 240; });
  EXPECT_EQ(asleep, awake);
}

struct PaceCase {
  const char* frames;
  int mode;
  std::uint64_t wakes;  // in 2400 ms at 100 ms a frame
};

// Every tick that changes the picture or ends the play is a wake; the ticks
// between are not, and a picture that never changes wakes once a minute.
TEST_F(AnimationPace, WakesOnlyWhereThePictureChangesOrThePlayEnds) {
  const PaceCase cases[] = {
      {"oooohsh", 1, 13},  // 24 ticks: the first, 3 blinks of 4 changes
      {"abcd", 1, 24},     // every frame differs
      {"aaaa", 1, 1},      // the first frame, then nothing within the minute
      {"abbbcc", 2, 4},    // a, b, c, and the tick that ends the play
      {"abcabc", 0, 24},   // random: every tick draws
      {"abab", 7, 1},      // another mode keeps the frame it has
  };
  for (const PaceCase& c : cases) {
    SCOPED_TRACE(c.frames);
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    Put("s.bmp", c.frames, 10, 10);
    StartWith("_FirstAction:\n>ACS=s.bmp,s," + std::to_string(std::strlen(c.frames)) +
              ",0,0,100;\n>ACB=s," + std::to_string(c.mode) + ",0,0;\n>AE;\n");
    sim->AdvanceTime(2400);
    EXPECT_EQ(Wakes(), c.wakes);
    form.reset();
  }
}

}  // namespace
}  // namespace tk
