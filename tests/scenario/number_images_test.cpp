// The clock, counter, day-count, date and number images on the simulated
// desktop: which cells they show, when they change and how often their
// timers wake to find out.
#include "imagery/number_images.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "base/bmp_writer.h"
#include "base/messages.h"
#include "imagery/animation.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

constexpr Bgr kKey{255, 0, 255}, kBody{0, 128, 0};
constexpr int kCellW = 10, kCellH = 20;
constexpr int kX = 10, kY = 20;  // where every image here is placed

Bgr CellColour(int k) {
  return {static_cast<std::uint8_t>(20 * k + 5), 60, 200};
}

// `cells` solid cells, cell k in CellColour(k), with the key colour in the
// strip's top-left pixel only.
Bitmap DigitStrip(int cells, int cell_width = kCellW) {
  Bitmap b(cells * cell_width, kCellH);
  for (int x = 0; x < b.width(); ++x)
    for (int y = 0; y < kCellH; ++y) b.Set(x, y, CellColour(x / cell_width));
  b.Set(0, 0, kKey);
  return b;
}

Bitmap Figure() {
  Bitmap b(300, 80);
  b.Fill(kBody);
  return b;
}

LocalTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
  return {year, month, day, hour, minute, second, 0};
}

class NumberImagesTest : public testing::SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    WriteFile("fig.bmp", EncodeBmp24(Figure()));
    WriteFile("d11.bmp", EncodeBmp24(DigitStrip(11)));
    WriteFile("d12.bmp", EncodeBmp24(DigitStrip(12)));
  }
  // `body` runs in _FirstAction after the figure is shown; `more` holds
  // further actions.
  void StartWith(const std::string& body, const std::string& more = "") {
    WriteScript("*TKScriptFile\n_FirstAction:\n>IDS=fig.bmp,f;\n>IDP=f;\n" + body + ">AE;\n" +
                more);
    Start();
    ASSERT_FALSE(form->IsClosing());
  }
  void Run(const std::string& label) { RunAction(*form, label); }

  // The cells shown from (kX, y) on, read at each cell's middle: a cell's
  // index, or -1 for anything else (the picture below, a blank cell).
  std::vector<int> ShownCells(int count, int y = kY) const {
    std::vector<int> cells;
    for (int i = 0; i < count; ++i) {
      const Bgr c = MainWindow().surface.At(kX + i * kCellW + kCellW / 2, y + kCellH / 2);
      int k = -1;
      for (int j = 0; j < 12; ++j)
        if (CellColour(j) == c) k = j;
      cells.push_back(k);
    }
    return cells;
  }
  int ShownSecond() const {
    const auto cells = ShownCells(8);
    return cells[6] * 10 + cells[7];
  }
  const Animation* Named(const std::string& name) const {
    for (const auto& a : form->animations.list)
      if (a->name == name) return a.get();
    return nullptr;
  }
  // Moves virtual time to the next whole second plus `ms`.
  void ToNextSecondPlus(std::uint64_t ms) { sim->AdvanceTime(1000 - sim->NowMs() % 1000 + ms); }
};

using Cells = std::vector<int>;
constexpr int S = 10;  // the separator cell, and the space of date and number strips
constexpr int B = -1;  // blank, or not a cell

TEST_F(NumberImagesTest, ClockShowsTheTimeInEightCellsAndFollowsIt) {
  sim->start_time = At(2026, 12, 7, 9, 5, 3);
  StartWith(">TMIP=d11.bmp,10,20;\n");
  const Animation* clock = Named(kTimeImage);
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->Bounds(), (Rect{kX, kY, kX + 80, kY + 20}));
  EXPECT_EQ(ShownCells(9), (Cells{0, 9, S, 0, 5, S, 0, 3, B}));
  // The strip's key colour stays opaque without ACR: the top-left of cell 0.
  EXPECT_EQ(MainWindow().surface.At(kX, kY), kKey);
  sim->AdvanceTime(1000);
  EXPECT_EQ(ShownCells(8), (Cells{0, 9, S, 0, 5, S, 0, 4}));
  sim->AdvanceTime(56 * 1000);
  EXPECT_EQ(ShownCells(8), (Cells{0, 9, S, 0, 6, S, 0, 0}));
  EXPECT_TRUE(LogLines().empty());
}

// Wherever in its second the clock starts, and wherever the tick count
// stands (near its wrap, say), it learns the turn of the second within one
// second of polling, then wakes once a second and still shows each second
// within a poll of its start.
TEST_F(NumberImagesTest, ClockWakesOnceASecondYetChangesWithinAPoll) {
  for (const std::uint64_t start_ms : {0u, 437u, 999u}) {
    SCOPED_TRACE(start_ms);
    TearDown();
    SetUp();
    sim->tick_base = 0xFFFFF000u;  // wraps four seconds in
    StartWith("", "Clock:\n>TMIP=d11.bmp,10,20;\n>AE;\n");
    sim->AdvanceTime(start_ms);
    Run("Clock");
    ToNextSecondPlus(0);
    const auto wakes = [&]() -> std::uint64_t {
      const auto ticks = sim->TimerTicks().find(form->second_beat.timer().id());
      return ticks != sim->TimerTicks().end() ? ticks->second : 0;
    };
    EXPECT_LE(wakes(), 22u);  // the polls of the first second
    const std::uint64_t found = wakes();
    for (int step = 0; step < 1000; ++step) {  // 10 s in 10 ms steps
      sim->AdvanceTime(10);
      if (sim->NowMs() % 1000 >= SecondPacer::kPollMs) {
        ASSERT_EQ(ShownSecond(), sim->Now().second) << sim->NowMs();
      }
    }
    EXPECT_GE(wakes() - found, 10u);
    EXPECT_LE(wakes() - found, 12u);
  }
}

// Each second's picture goes on top of every animation, as a new one at the
// end of the list; once it is there, a second is one present, with no
// moment in which the clock is gone.
TEST_F(NumberImagesTest, EachSecondPutsTheClockOnTopInOnePresent) {
  Bitmap cover(20, kCellH);
  cover.Fill(kBody);
  WriteFile("cover.bmp", EncodeBmp24(cover));
  StartWith(">TMIP=d11.bmp,10,20;\n>ACS=cover.bmp,cover,1,10,20,500;\n>ACE=cover,0;\n",
            "Gone:\n>ACD=cover;\n>AE;\n");
  EXPECT_EQ(ShownCells(2), (Cells{B, B}));  // drawn straight over the clock
  ToNextSecondPlus(SecondPacer::kPollMs);
  EXPECT_EQ(ShownSecond(), sim->Now().second);
  EXPECT_EQ(form->animations.list.back()->name, kTimeImage);
  Run("Gone");
  for (int second = 0; second < 3; ++second) {
    const int presents = MainWindow().presents;
    ToNextSecondPlus(SecondPacer::kPollMs);
    EXPECT_EQ(MainWindow().presents, presents + 1);
    EXPECT_EQ(ShownSecond(), sim->Now().second);
  }
}

TEST_F(NumberImagesTest, DeletedClockPicturesComeBackAtTheNextSecond) {
  StartWith(">TMIP=d11.bmp,10,20;\n", "Acd:\n>ACD=_TimeImage;\n>AE;\nOff:\n>TMDL;\n>AE;\n");
  sim->AdvanceTime(1500);
  Run("Acd");
  EXPECT_EQ(Named(kTimeImage), nullptr);
  EXPECT_EQ(ShownCells(1), (Cells{B}));  // the figure shows again
  ToNextSecondPlus(SecondPacer::kPollMs);
  EXPECT_NE(Named(kTimeImage), nullptr);
  EXPECT_EQ(ShownSecond(), sim->Now().second);
  Run("Off");
  EXPECT_EQ(Named(kTimeImage), nullptr);
  EXPECT_FALSE(form->second_beat.timer().running());
  sim->AdvanceTime(3000);
  EXPECT_EQ(Named(kTimeImage), nullptr);
  EXPECT_EQ(ShownCells(1), (Cells{B}));
}

TEST_F(NumberImagesTest, CounterCountsWhileOnFreezesWhenOffAndWraps) {
  // Before its image the counter's commands do nothing.
  StartWith(">TCON;\n>TCRS;\n>TCOF;\n>TCIP=d11.bmp,10,20;\n>TCON;\n",
            "Off:\n>TCOF;\n>AE;\nOn:\n>TCON;\n>AE;\nReset:\n>TCRS;\n>AE;\nGone:\n>TCDL;\n>AE;\n");
  const auto shown = [&] { return ShownCells(8); };
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 0}));
  EXPECT_TRUE(LogLines().empty());
  sim->AdvanceTime(1010);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 1}));
  sim->AdvanceTime(1000);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 2}));
  Run("Off");
  const unsigned wakes = form->numbers.counter.wakes;
  sim->AdvanceTime(10000);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 2}));
  EXPECT_EQ(form->numbers.counter.wakes, wakes);  // a stopped counter sleeps
  Run("On");
  sim->AdvanceTime(990);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 2}));
  sim->AdvanceTime(20);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 3}));
  Run("Reset");  // shows at the next count (the case below)
  sim->AdvanceTime(1000);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 0}));
  // A program busy for almost 100 hours catches up with every second.
  sim->Busy(std::uint64_t{359999} * 1000);
  sim->AdvanceTime(1);
  EXPECT_EQ(shown(), (Cells{9, 9, S, 5, 9, S, 5, 9}));
  sim->AdvanceTime(1000);
  EXPECT_EQ(shown(), (Cells{0, 0, S, 0, 0, S, 0, 0}));
  const unsigned before = form->numbers.counter.wakes;
  sim->AdvanceTime(10000);
  EXPECT_EQ(form->numbers.counter.wakes - before, 10u);
  Run("Gone");
  EXPECT_EQ(Named(kCounterImage), nullptr);
  EXPECT_EQ(form->numbers.counter.next, 0);
}

// TCRS runs one count of its own under the usual rule: a running counter
// shows 00:00:00 at its next count, or at once when that count is due and
// not yet taken; a stopped one shows it at once.
TEST_F(NumberImagesTest, ResetCounterShowsZeroAtTheCountItIsDue) {
  struct ResetCase {
    const char* name;
    std::function<void()> before;  // 10 ms after 00:00:02 showed
    std::vector<int> seconds;      // shown at the reset, then after each later count
  };
  const ResetCase cases[] = {
      {"mid-second", [&] { sim->AdvanceTime(300); }, {2, 0, 1, 2}},
      {"count due, not yet taken", [&] { sim->Busy(1500); }, {0, 1, 2, 3}},
      {"stopped", [&] { Run("Off"); }, {0, 0, 0, 0}},
  };
  for (const ResetCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    StartWith(">TCIP=d11.bmp,10,20;\n>TCON;\n", "Off:\n>TCOF;\n>AE;\nReset:\n>TCRS;\n>AE;\n");
    const std::uint64_t on = sim->NowMs();  // counts fall at whole seconds from here
    sim->AdvanceTime(2010);
    ASSERT_EQ(ShownSecond(), 2);
    c.before();
    Run("Reset");
    std::vector<int> seconds{ShownSecond()};
    while (seconds.size() < c.seconds.size()) {
      sim->AdvanceTime(1000 - (sim->NowMs() - on) % 1000 + 10);
      seconds.push_back(ShownSecond());
    }
    EXPECT_EQ(seconds, c.seconds);
  }
}

struct DayCountCase {
  LocalTime today;
  std::string target;  // year,month,day
  Cells cells;
};

TEST_F(NumberImagesTest, DayCountCountsDaysEitherWayOnTheGregorianCalendar) {
  const DayCountCase cases[] = {
      {At(2026, 12, 7), "2026,12,17", {1, 0, B}},
      {At(2026, 12, 7), "2026,11,27", {1, 0, B}},
      {At(2026, 12, 7), "2026,12,7", {0, B}},
      {At(2000, 2, 25), "2000,3,6", {1, 0, B}},  // 29 February 2000 is a day
      // 29 February 1900 is not a day: it counts as 1 March, 30 February as 2 March.
      {At(2026, 12, 7), "1900,3,1", {4, 6, 3, 0, 2, B}},
      {At(2026, 12, 7), "1900,2,29", {4, 6, 3, 0, 2, B}},
      {At(2026, 12, 7), "1900,2,28", {4, 6, 3, 0, 3, B}},
      {At(2026, 12, 7), "1900,2,30", {4, 6, 3, 0, 1, B}},
      {At(2026, 12, 7), "1900,3,0", {4, 6, 3, 0, 3, B}},  // day 0: the month's eve
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    TearDown();
    SetUp();
    sim->start_time = c.today;
    StartWith(">DCIP=d11.bmp,10,20," + c.target + ";\n");
    EXPECT_EQ(ShownCells(static_cast<int>(c.cells.size())), c.cells);
  }
}

TEST_F(NumberImagesTest, DayCountAndDateChangeAtMidnightAndSleepUntilThen) {
  sim->start_time = At(2003, 7, 5, 23, 58, 30);
  StartWith(">DCIP=d11.bmp,10,20,2003,7,15;\n>DAIP=d12.bmp,10,50;\n",
            "Again:\n>DCIP=d11.bmp,10,20,2003,8,15;\n>AE;\n");
  const auto date = [&] { return ShownCells(10, 50); };
  EXPECT_EQ(ShownCells(3), (Cells{1, 0, B}));
  EXPECT_EQ(date(), (Cells{2, 0, 0, 3, 11, S, 7, 11, S, 5}));
  EXPECT_EQ(Named(kDateImage)->Bounds().Width(), 100);
  // A new target waits for the next day.
  Run("Again");
  EXPECT_EQ(ShownCells(3), (Cells{1, 0, B}));
  sim->AdvanceTime(90 * 1000 - 1);  // to 23:59:59.999
  EXPECT_EQ(ShownCells(3), (Cells{1, 0, B}));
  sim->AdvanceTime(SecondPacer::kPollMs + 1);
  EXPECT_EQ(ShownCells(3), (Cells{4, 0, B}));
  EXPECT_EQ(date(), (Cells{2, 0, 0, 3, 11, S, 7, 11, S, 6}));
  // Sleeping until midnight: a wake a minute, no more.
  const unsigned date_wakes = form->numbers.date.wakes;
  const unsigned count_wakes = form->numbers.day_count.wakes;
  sim->AdvanceTime(3600 * 1000);
  EXPECT_LE(form->numbers.date.wakes - date_wakes, 61u);
  EXPECT_LE(form->numbers.day_count.wakes - count_wakes, 61u);
}

struct NumberCase {
  std::string text;
  std::string width;
  Cells cells;
};

TEST_F(NumberImagesTest, NumberImagesPadLikeAPrintfField) {
  const NumberCase cases[] = {
      {"42", "5", {S, S, S, 4, 2, B}},
      {"42", "-5", {4, 2, S, S, S, B}},
      {"-7", "0", {11, 7, B}},
      {"123456", "3", {1, 2, 3, 4, 5, 6, B}},  // a longer text is not cut
      {"4:2", "1", {4, S, 2, B}},              // ':' stands where a 10th digit would
      {"x?", "0", {B, B, B}},                  // cells the strip has not are blank
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " " + c.width);
    TearDown();
    SetUp();
    StartWith(">DPIS=d12.bmp;\n>DTIP=" + c.text + ",10,20,num," + c.width + ";\n");
    EXPECT_EQ(ShownCells(static_cast<int>(c.cells.size())), c.cells);
  }
}

TEST_F(NumberImagesTest, NumberImagesNeedAStripAndGoByName) {
  StartWith(">DTIP=1,10,20,a,0;\n>DPIS=d12.bmp;\n>DTIP=@Fn,10,20,a,0;\n",
            "_BeginInitFlags:\nint:n,-305;\n_EndInitFlags:\nTwice:\n>DTIP=9,10,20,a,0;\n>AE;\nDel:"
            "\n>DTID=a;\n>AE;\n"
            "Released:\n>DPID;\n>DTIP=5,10,20,b,0;\n>AE;\n");
  EXPECT_EQ(ShownCells(5), (Cells{11, 3, 0, 5, B}));
  Run("Twice");
  EXPECT_EQ(ShownCells(2), (Cells{9, B}));
  EXPECT_EQ(std::count_if(form->animations.list.begin(), form->animations.list.end(),
                          [](const auto& a) { return a->name == "a"; }),
            1);
  Run("Del");
  EXPECT_EQ(ShownCells(1), (Cells{B}));
  Run("Released");
  EXPECT_EQ(Named("b"), nullptr);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(NumberImagesTest, LoadFailuresShowABoxOnlyAndKeepTheStripThereWas) {
  StartWith(">TMIP=missing.bmp,10,20;\n>DPIS=missing.bmp;\n>DCIP=missing.bmp,1,2,2000,1,1;\n",
            "Clock:\n>TMIP=d11.bmp,10,20;\n>TMIP=gone.bmp,40,20;\n>AE;\n");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>(3, msg::kImageFileUnopenable)));
  EXPECT_TRUE(form->animations.list.empty());
  EXPECT_FALSE(form->numbers.clock.live);
  Run("Clock");
  // The place moved with the failed load; the old strip draws there from
  // the next second on.
  ToNextSecondPlus(SecondPacer::kPollMs);
  EXPECT_EQ(Named(kTimeImage)->left, 40);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(NumberImagesTest, BadParametersAreParameterErrors) {
  StartWith(
      ">TMIP=d11.bmp,x,1;\n>DCIP=d11.bmp,1,1,2000,13,1;\n>DCIP=d11.bmp,1,1,40000,1,1;\n"
      ">DTIP=1,1,1,a,w;\n>DPFS=12,255,0,1,0,x,1;\n");
  EXPECT_EQ(LogLines().size(), 5u);
  for (const auto& line : LogLines()) EXPECT_NE(line.find("Parameter Error"), std::string::npos);
  EXPECT_TRUE(form->animations.list.empty());
  EXPECT_FALSE(form->numbers.day_count.live);
  EXPECT_EQ(form->numbers.font.size, 10);  // the font kept every setting
  EXPECT_FALSE(form->numbers.font.bold);
}

TEST_F(NumberImagesTest, TextImageFontSettings) {
  StartWith("", "Set:\n>DPFN=Serif;\n>DPFS=12,255,65280,1,0,2,1;\n>AE;\n");
  const TextImageFont& font = form->numbers.font;
  EXPECT_EQ(font.name, msg::kFormFontName);
  EXPECT_EQ(font.colour, 0x800000u);
  Run("Set");
  EXPECT_EQ(font.name, "Serif");
  EXPECT_EQ(font.size, 12);
  EXPECT_EQ(font.colour, 255u);
  EXPECT_EQ(font.shadow, 65280u);
  EXPECT_EQ((std::vector<bool>{font.bold, font.italic, font.underline, font.strikeout}),
            (std::vector<bool>{true, false, false, true}));
}

// Strips too narrow for their cells, and places at the edge of the
// coordinates, show nothing or something, and never fail.
TEST_F(NumberImagesTest, OddStripsAndPlacesAreHarmless) {
  WriteFile("narrow.bmp", EncodeBmp24(DigitStrip(1, 5)));
  StartWith(
      ">TMIP=narrow.bmp,10,20;\n>DPIS=narrow.bmp;\n>DTIP=1,1,1,n,-2147483648;\n"
      ">TCIP=d11.bmp,2147483647,-2147483648;\n>DAIP=d12.bmp,-2147483648,2147483647;\n");
  EXPECT_EQ(Named(kTimeImage), nullptr);
  EXPECT_EQ(Named("n"), nullptr);
  ASSERT_NE(Named(kCounterImage), nullptr);
  EXPECT_EQ(Named(kCounterImage)->Bounds().right, 2147483647);
  ASSERT_NE(Named(kDateImage), nullptr);
  sim->AdvanceTime(2000);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(NumberImagesTest, WithTransparencyTheKeyColourShowsThePictureBelow) {
  StartWith(">ACR=1;\n>TMIP=d11.bmp,10,20;\n");
  EXPECT_EQ(MainWindow().surface.At(kX, kY), kBody);
  EXPECT_EQ(MainWindow().surface.At(kX + 1, kY), CellColour(0));
}

TEST_F(NumberImagesTest, ClosingReleasesEveryTimer) {
  StartWith(">TMIP=d11.bmp,10,20;\n>TCIP=d11.bmp,10,20;\n>TCON;\n>DAIP=d12.bmp,10,50;\n");
  const NumberImages& n = form->numbers;
  const std::vector<TimerId> ids{form->second_beat.timer().id(), n.counter.timer.id(),
                                 n.date.timer.id()};
  Exit();
  for (TimerId id : ids) EXPECT_FALSE(sim->Timers().contains(id)) << id;
}

// The sample character as the build staged it wears a clock on its coat:
// light digits on a dark plate, 5 x 9 cells.
TEST_F(NumberImagesTest, TheSampleCharacterWearsAClock) {
  for (const auto& entry : std::filesystem::directory_iterator(TK_SAMPLE_STAGE_DIR)) {
    std::filesystem::copy_file(entry.path(), Path(entry.path().filename().string()),
                               std::filesystem::copy_options::overwrite_existing);
  }
  sim->start_time = At(2026, 12, 7, 9, 5, 3);
  Start();
  ASSERT_NE(Named(kTimeImage), nullptr);
  EXPECT_EQ(Named(kTimeImage)->Bounds(), (Rect{60, 148, 100, 157}));
  const Bgr plate{40, 30, 30}, lit{255, 255, 255};
  const auto at = [&](int cell, int col, int row) {
    return MainWindow().surface.At(60 + cell * 5 + 1 + col, 148 + 2 + row);
  };
  EXPECT_EQ(at(0, 1, 0), lit);    // the top of the hour's 0
  EXPECT_EQ(at(0, 1, 2), plate);  // ... and its hollow middle
  EXPECT_EQ(at(1, 0, 3), plate);  // 9: open at the lower left
  EXPECT_EQ(at(2, 1, 1), lit);    // the colon
  EXPECT_EQ(at(7, 0, 1), plate);  // 3: open at the upper left
  EXPECT_EQ(at(7, 2, 1), lit);
  EXPECT_TRUE(BoxTexts().empty());
}

// Where the second turns is found by polling and then predicted; wakes that
// come late (as message timers do) or a clock set by hand do not make it
// miss a turn by more than a poll plus the lateness.
TEST(SecondPacer, FollowsTheTurnThroughLateWakesAndAClockSetByHand) {
  constexpr std::uint64_t kLate = 16;
  for (const std::uint64_t phase : {0u, 1u, 333u, 999u}) {
    SCOPED_TRACE(phase);
    SecondPacer pacer;
    std::uint64_t shift = phase;
    const auto second = [&](std::uint64_t t) { return (t + 5000 - shift) / 1000; };
    std::uint64_t now = 5000, last = second(now), wakes = 0, worst = 0;
    unsigned delay = pacer.Wake(now, true);
    while (now < 65000) {
      now += delay + (wakes * 7) % kLate;
      ++wakes;
      if (now >= 30000 && shift == phase) shift = phase + 400;  // the clock is set
      const bool changed = second(now) != last;
      if (changed && now > 8000 && (now < 30000 || now > 33000)) {
        worst = std::max(worst, (now + 5000 - shift) % 1000);
      }
      last = second(now);
      delay = pacer.Wake(now, changed);
    }
    EXPECT_LE(worst, SecondPacer::kPollMs + kLate);
    EXPECT_LE(wakes, 60u + 3 * 20u);
  }
}

// A message timer is periodic but each wake comes a little late. The beat's
// timer keeps its interval through that jitter instead of being set anew
// each second, and the turn still shows within a poll plus the slack.
TEST(SecondPacer, KeepsAJitteringTimerAndStillFollowsTheTurn) {
  for (const std::uint64_t phase : {0u, 500u, 999u}) {
    SCOPED_TRACE(phase);
    SecondPacer pacer;
    const auto second = [&](std::uint64_t t) { return (t + 5000 - phase) / 1000; };
    std::uint64_t now = 5000, last = second(now), worst = 0, restarts = 1, wakes = 0;
    unsigned interval = pacer.Wake(now, true);
    std::uint64_t due = now + interval;
    while (now < 65000) {
      now = due + (++wakes * 7) % 3;
      const bool changed = second(now) != last;
      if (changed && now > 8000) worst = std::max(worst, (now + 5000 - phase) % 1000);
      last = second(now);
      const unsigned wanted = pacer.Wake(now, changed);
      if (SecondPacer::Keeps(interval, wanted)) {
        due += interval;
      } else {
        interval = wanted;
        due = now + wanted;
        ++restarts;
      }
    }
    EXPECT_LE(worst, SecondPacer::kPollMs + SecondPacer::kSlackMs);
    EXPECT_LE(restarts, 8u);
  }
}

}  // namespace
}  // namespace tk
