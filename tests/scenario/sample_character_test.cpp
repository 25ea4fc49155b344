// The sample character exactly as the build staged it, on the simulated
// desktop: it starts and ends without a box or a logged error, and what the
// user touches (its head, its coat, its menu, its tray icon) answers.
#include <filesystem>

#include "imagery/animation.h"
#include "imagery/child_image_form.h"
#include "imagery/speech_state.h"
#include "interaction/clickable_map.h"
#include "motion/event_state.h"
#include "motion/walk_state.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

constexpr Bgr kSkin{170, 215, 250};
constexpr Bgr kBlush{150, 150, 250};
constexpr Bgr kMouth{70, 60, 200};
// A cheek, and the lower lip of the open mouth, in window coordinates.
constexpr int kCheekX = 58, kCheekY = 98;
constexpr int kLipX = 80, kLipY = 114;

class SampleCharacterTest : public testing::SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    // Everything staged except the program itself (the Windows build puts it there).
    for (const auto& entry : std::filesystem::directory_iterator(TK_SAMPLE_STAGE_DIR)) {
      if (entry.path().filename() == "tenkoro.exe") continue;
      std::filesystem::copy_file(entry.path(), Path(entry.path().filename().string()),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }

  Bgr Shown(int x, int y) const { return MainWindow().surface.At(x, y); }

  // Clicks at (x, y) and, while the reply runs, looks at the window every
  // 50 ms of virtual time; returns the colours seen at (px, py).
  std::vector<Bgr> ClickAndWatch(int x, int y, int px, int py) {
    std::vector<Bgr> seen;
    const TimerId watch = sim->CreateTimer([&] { seen.push_back(Shown(px, py)); });
    sim->SetTimer(watch, 50, true);
    sim->Click(form->window, MouseButton::kLeft, x, y);
    sim->DestroyTimer(watch);
    return seen;
  }

  static bool Saw(const std::vector<Bgr>& seen, Bgr colour) {
    return std::find(seen.begin(), seen.end(), colour) != seen.end();
  }
};

TEST_F(SampleCharacterTest, StartsAndExitsWithoutABoxOrAnError) {
  Start();
  sim->AdvanceTime(1000);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_EQ(form->map.size(), 2u);
  EXPECT_EQ(sim->IconName(sim->tray_icon), "file:sample.ico");
  Exit();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_FALSE(Exists("tk_error.txt"));
}

TEST_F(SampleCharacterTest, HeadAndCoatShowTheirCursorsAndAnswerClicksDifferently) {
  Start();
  sim->AdvanceTime(500);
  sim->MouseMove(form->window, 80, 40);
  EXPECT_EQ(sim->CursorName(sim->cursor_override), "file:pat.cur");
  sim->MouseMove(form->window, 80, 170);
  EXPECT_EQ(sim->CursorName(sim->cursor_override), "standard:hand");

  ASSERT_EQ(Shown(kCheekX, kCheekY), kSkin);
  ASSERT_EQ(Shown(kLipX, kLipY), kSkin);
  // The head: a blush while it runs, the plain face once it is over.
  const auto cheek = ClickAndWatch(80, 40, kCheekX, kCheekY);
  EXPECT_TRUE(Saw(cheek, kBlush));
  EXPECT_EQ(Shown(kCheekX, kCheekY), kSkin);
  // The coat: the mouth opens, no blush, and it ends closed.
  const auto lip = ClickAndWatch(80, 170, kLipX, kLipY);
  EXPECT_TRUE(Saw(lip, kMouth));
  EXPECT_EQ(Shown(kLipX, kLipY), kSkin);
  EXPECT_FALSE(Saw(ClickAndWatch(80, 170, kCheekX, kCheekY), kBlush));

  Exit();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_FALSE(Exists("tk_error.txt"));
}

// Talk, from the menu: the greeting waits for a click, then three topics; the
// song (the third) moves the mouth while it is sung.
TEST_F(SampleCharacterTest, TalkGreetsThenAnswersTheChosenTopic) {
  Start();
  ChooseFromMenu("&Talk");
  std::vector<Bgr> lip;
  const TimerId watch = sim->CreateTimer([&] { lip.push_back(Shown(kLipX, kLipY)); });
  sim->SetTimer(watch, 50, true);
  struct Press {
    std::uint64_t at_ms;
    int x, y;  // in the balloon: the greeting's wait, then the third topic's line
  };
  const Press plan[] = {{2500, 60, 40}, {6000, 30, 12 + 9 * 3 + 4}, {12000, 60, 40}};
  std::vector<TimerId> presses(std::size(plan));
  for (std::size_t i = 0; i < presses.size(); ++i) {
    presses[i] = sim->CreateTimer([this, i, &plan, &presses] {
      sim->SetTimer(presses[i], 1, false);
      sim->Click(form->child_image->window, MouseButton::kLeft, plan[i].x, plan[i].y);
    });
    sim->SetTimer(presses[i], static_cast<unsigned>(plan[i].at_ms), true);
  }
  sim->Click(form->window, MouseButton::kRight, 80, 40);  // the greeting runs from here
  sim->AdvanceTime(14000);
  for (const TimerId id : presses) sim->DestroyTimer(id);
  sim->DestroyTimer(watch);
  EXPECT_FALSE(form->runner.Running());
  EXPECT_FALSE(form->speech.showing || form->speech.choice_waiting);
  EXPECT_TRUE(Saw(lip, kMouth));
  EXPECT_FALSE(form->child_image);  // the balloon went with the answer
  Exit();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_FALSE(Exists("tk_error.txt"));
}

// The balloon shows only while the character speaks or offers a choice:
// neither at the start nor when a stroll begins or ends.
TEST_F(SampleCharacterTest, StandingOrStrollingItShowsNoEmptyBalloon) {
  Start();
  sim->AdvanceTime(1000);
  EXPECT_FALSE(form->child_image);
  for (const char* item : {"Take a wal&k", "Stand sti&ll"}) {
    ChooseFromMenu(item);
    sim->Click(form->window, MouseButton::kRight, 80, 40);
    sim->AdvanceTime(500);
    EXPECT_FALSE(form->child_image) << item;
  }
  EXPECT_FALSE(form->walk.timer.running());
  Exit();
  EXPECT_FALSE(Exists("tk_error.txt"));
}

// With a wave device, the greeting chimes once; the mouth moves while the
// chime lasts and closes when it ends, while the greeting still waits.
TEST_F(SampleCharacterTest, TheGreetingChimesAndTheMouthClosesWhenTheChimeEnds) {
  sim->wave_devices = 1;
  Start();
  ChooseFromMenu("&Talk");
  std::vector<Bgr> lip;
  bool mouth_stopped_closed = false;
  const TimerId watch = sim->CreateTimer([&] {
    lip.push_back(Shown(kLipX, kLipY));
    if (sim->NowMs() < 2000 || !form->speech.showing) return;
    for (const auto& a : form->animations.list) {
      if (a->name == "mouth") mouth_stopped_closed = !a->timer.running() && a->current_frame == 0;
    }
  });
  sim->SetTimer(watch, 50, true);
  const TimerId press = sim->CreateTimer([&] { sim->PostClose(form->window); });
  sim->SetTimer(press, 2500, true);
  sim->Click(form->window, MouseButton::kRight, 80, 40);
  sim->DestroyTimer(press);
  sim->DestroyTimer(watch);
  EXPECT_EQ(sim->media.PlaysOf("hello.wav"), 1);
  EXPECT_TRUE(Saw(lip, kMouth));
  EXPECT_TRUE(mouth_stopped_closed);
}

TEST_F(SampleCharacterTest, SettlesInAfterTwoMinutesThenGreetsTheHourAndNotesTheDate) {
  sim->start_time = {2026, 12, 24, 11, 58, 0, 4};
  Start();
  // The actions running, in turn, looked at every 100 ms.
  std::vector<std::string> ran;
  const TimerId watch = sim->CreateTimer([&] {
    const std::string running = form->runner.RunningAction();
    if (!running.empty() && (ran.empty() || ran.back() != running)) ran.push_back(running);
  });
  sim->SetTimer(watch, 100, true);
  sim->AdvanceTime(119'000);
  EXPECT_TRUE(form->events.clock.entries.empty());  // a short look finds it as it started
  EXPECT_TRUE(ran.empty());
  sim->AdvanceTime(12'000);  // 12:00:00 is the first check of the hour
  sim->DestroyTimer(watch);
  EXPECT_EQ(form->events.clock.entries.size(), 24u);
  EXPECT_EQ(form->events.date.entries.size(), 2u);
  // Chats, strolls and rests, each by chance.
  std::vector<std::int32_t> odds;
  for (const auto& entry : form->events.interval.entries) odds.push_back(entry.value);
  EXPECT_EQ(odds, (std::vector<std::int32_t>{300, 240, 40}));
  // The date's turn comes once the greeting is over.
  EXPECT_EQ(ran, (std::vector<std::string>{"Hour", "ChristmasEve"}));
  Exit();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
  EXPECT_FALSE(Exists("tk_error.txt"));
}

}  // namespace
}  // namespace tk
