// Clock, interval and date events in virtual time: what the commands keep,
// when each kind fires, and a timer that wakes only when something is due
// yet fires everything at the moments a timer ticking on every beat would.
#include <map>

#include "base/bmp_writer.h"
#include "imagery/animation.h"
#include "imagery/speech_state.h"
#include "motion/event_state.h"
#include "script/flags.h"
#include "script/script_lines.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

using Firings = std::vector<std::pair<std::uint64_t, std::string>>;

class Events : public testing::ScriptFixture {
 protected:
  // Event actions append their names to the string flag t. Lets `ms` pass a
  // millisecond at a time and notes what was appended when.
  Firings Watch(std::uint64_t ms) {
    Firings seen;
    StrFlag& trail = *form->flags.FindStrFlag("t");
    for (; ms > 0; --ms) {
      sim->AdvanceTime(1);
      if (trail.text.empty()) continue;
      seen.emplace_back(sim->NowMs(), trail.text);
      trail.text.clear();
    }
    return seen;
  }
  // The moments at which `name` fired.
  static std::vector<std::uint64_t> When(const Firings& seen, char name) {
    std::vector<std::uint64_t> at;
    for (const auto& [ms, names] : seen) {
      for (char c : names) {
        if (c == name) at.push_back(ms);
      }
    }
    return at;
  }
  // Each of the labels A to H appends its own letter.
  static std::string Script(const std::string& first_action, const std::string& more = "") {
    std::string script = "_BeginInitFlags:\nstr:t,;\n_EndInitFlags:\n_FirstAction:\n" +
                         first_action + ">AE;\n" + more;
    for (char c = 'A'; c <= 'H'; ++c) {
      script += std::string(1, c) + ":\n>FV+=t," + c + ";\n>AE;\n";
    }
    return script;
  }
  static std::vector<std::uint64_t> Every(std::uint64_t step, std::uint64_t first,
                                          std::uint64_t last) {
    std::vector<std::uint64_t> at;
    for (std::uint64_t ms = first; ms <= last; ms += step) at.push_back(ms);
    return at;
  }
  // A balloon, A due every 100 ms, and Pick, which shows a choice and ends;
  // `actions` are the test's own.
  void StartWithChoicesAndAEvery100Ms(const std::string& actions) {
    WriteFile("ball.bmp", EncodeBmp24(Bitmap(60, 40)));
    StartWith(Script(">IDS=ball.bmp,ball;\n>CIP=ball,0,0;\n>MLS=2,2,40,30;\n>IES=0,0.1,A;\n",
                     actions + "Pick:\n>SDS=B,One@E;\n>SEL=0,1;\n"));
  }
  const SimPlatform::Timer& EventTimer() const { return sim->Timers().at(form->events.timer.id()); }
};

TEST_F(Events, CommandsKeepWhatTheyReadAndDeleteOnlyExactMatches) {
  StartWith(Script(
      ">CES=12:30,Noon;\n>CES=12,30,Noon;\n>CES=24,0,Late;\n>CES=x,1,Bad;\n>CES=1:y,Bad;\n"
      ">CED=12,30,noon;\n"  // another letter case: nothing
      ">IES=0,0.5,A;\n>IES=0,0.0005,B;\n>IES=0,4.35,C;\n>IES=0,-2,D;\n"
      ">IES=1,0,E;\n>IES=1,-5,F;\n>IES=2,0,G;\n>IES=7,-3,H;\n>IES=1,1.5,Bad;\n>IES=0,x,Bad;\n"
      ">IED=1,0,E;\n"  // E was stored with N = 1
      ">IED=0,0.5,A;\n"
      ">DES=2026,12,24,0,Eve;\n>DES=2003,12,25,2,Past;\n>DES=2026,12,x,0,Bad;\n"
      ">DED=2026,12,24,1,Eve;\n",
      "TakeE:\n>IED=1,1,E;\n>AE;\nWipe:\n>CED=1,2,;\n>IED=0,0,;\n>DED=1,2,3,4,;\n>AE;\n"));
  const EventState& e = form->events;
  ASSERT_EQ(e.clock.entries.size(), 3u);
  EXPECT_EQ(e.clock.entries[0].hour, 12);
  EXPECT_EQ(e.clock.entries[1].minute, 30);
  EXPECT_EQ(e.clock.entries[2].label, "Late");
  std::vector<std::pair<int, int>> interval;
  for (const IntervalEvent& i : e.interval.entries) interval.emplace_back(i.kind, i.value);
  EXPECT_EQ(interval, (std::vector<std::pair<int, int>>{
                          {0, 0}, {0, 4350}, {0, -2000}, {1, 1}, {1, 1}, {2, 0}, {7, -3}}));
  EXPECT_EQ(e.interval.entries[3].label, "E");
  ASSERT_EQ(e.date.entries.size(), 2u);  // DED's kind differs
  EXPECT_EQ(e.date.entries[1].label, "Past");
  EXPECT_EQ(Logged().size(), 5u);  // the five "Bad" lines
  for (const std::string& line : Logged()) {
    EXPECT_EQ(line.rfind("Parameter Error", 0), 0u) << line;
    EXPECT_NE(line.find("Bad;"), std::string::npos) << line;
  }

  RunAction(*form, "TakeE");  // the stored N of E is 1
  ASSERT_EQ(e.interval.entries.size(), 6u);
  EXPECT_EQ(e.interval.entries[3].label, "F");

  RunAction(*form, "Wipe");  // an empty label deletes whatever the numbers
  EXPECT_TRUE(e.clock.entries.empty());
  EXPECT_TRUE(e.interval.entries.empty());
  EXPECT_TRUE(e.date.entries.empty());
  EXPECT_FALSE(form->second_beat.Wanted(SecondBeat::kEvents));
  EXPECT_FALSE(EventTimer().enabled);
}

TEST_F(Events, PeriodsFireOnTheBeatAndShortOnesOnEveryBeat) {
  StartWith(Script(">IES=0,0.5,A;\n>IES=0,0.0005,B;\n>IES=0,0,C;\n>IES=0,-1,D;\n"));
  const Firings seen = Watch(1000);
  EXPECT_EQ(When(seen, 'A'), (std::vector<std::uint64_t>{500, 1000}));
  for (char c : {'B', 'C', 'D'}) EXPECT_EQ(When(seen, c), Every(10, 10, 1000)) << c;
  EXPECT_EQ(seen.front().second, "BCD");
  EXPECT_EQ(seen[49].second, "ABCD");
}

TEST_F(Events, ChanceEventsDrawOnceASecond) {
  StartWith(
      Script(">IES=1,1,A;\n>IES=1,1,B;\n>IES=1,0,C;\n>IES=2,0,D;\n>IES=3,2,E;\n"
             ">IES=4,-2,F;\n>IES=5,0,G;\n",
             "Drop:\n>IED=5,0,G;\n>AE;\n"));
  RunAction(*form, "Drop");  // G goes: the rest still draw on the same second
  const Firings seen = Watch(2999);
  const std::vector<std::uint64_t> seconds{1000, 2000};
  for (char c : {'A', 'B', 'C', 'D'}) EXPECT_EQ(When(seen, c), seconds) << c;
  EXPECT_TRUE(When(seen, 'G').empty());
  // One in two, over many seconds.
  const TimerId beat = form->second_beat.timer().id();
  const std::uint64_t beats = sim->TimerTicks().at(beat);
  const Firings more = Watch(200'000);
  for (char c : {'E', 'F'}) {
    const std::size_t hits = When(more, c).size();
    EXPECT_GT(hits, 60u) << c;
    EXPECT_LT(hits, 140u) << c;
  }
  // Nothing but the second beat wakes for them, once a second.
  EXPECT_FALSE(EventTimer().enabled);
  EXPECT_EQ(sim->TimerTicks().at(beat) - beats, 200u);
}

TEST_F(Events, ClockEventsFireOnceAtTheirMinuteEveryDayAndNeverForHourOrMinuteOutOfRange) {
  sim->start_time = {2026, 12, 7, 9, 5, 30, 1};
  StartWith(Script(">CES=9:05,A;\n>CES=24,0,B;\n>CES=9,60,C;\n>CES=9:06,D;\n"));
  const Firings first = Watch(1500);
  EXPECT_EQ(When(first, 'A'), (std::vector<std::uint64_t>{1000}));
  sim->AdvanceTime(28'000);  // to 9:05:59
  const Firings next_minute = Watch(2000);
  EXPECT_TRUE(When(next_minute, 'A').empty());
  EXPECT_EQ(When(next_minute, 'D').size(), 1u);
  sim->AdvanceTime(86'400'000 - 33'000);  // 9:05:28 the next day
  const Firings next_day = Watch(4000);
  EXPECT_EQ(When(next_day, 'A').size(), 1u);
  EXPECT_TRUE(When(next_day, 'B').empty());
  EXPECT_TRUE(When(next_day, 'C').empty());
}

TEST_F(Events, ClockEventForTheCurrentMinuteWaitsForTheActionThatAddedIt) {
  sim->start_time = {2026, 12, 7, 9, 5, 0, 1};
  StartWith(Script("", "Setup:\n>CES=9:05,A;\n>WAT=2500;\n>AE;\n"));
  sim->AdvanceTime(3);
  RunAction(*form, "Setup");  // ends at 2503, held back all along
  // 2510 is nearer than a timer can be set for: the beat after it.
  EXPECT_EQ(When(Watch(1000), 'A'), (std::vector<std::uint64_t>{2520}));
}

// A list that an action of the second's walk gives its first entry is
// checked in that walk; one that a period's action starts, with nothing
// else wanting the second beat, a second later.
TEST_F(Events, ClockEventAddedByAChanceIsCheckedInTheSameWalkByAPeriodASecondLater) {
  for (const auto& [adder, fires_at] :
       {std::pair{">IES=0,0.5,X;\n", 1500u}, std::pair{">IES=0,1.5,X;\n", 2500u},
        std::pair{">IES=1,1,X;\n", 1000u}}) {
    SCOPED_TRACE(adder);
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    StartWith(Script(adder, "X:\n>IED=0,0,;\n>IEA;\n>CES=9:05,A;\n>AE;\n"));
    EXPECT_EQ(When(Watch(3000), 'A'), (std::vector<std::uint64_t>{fires_at}));
    form.reset();
  }
}

struct DateCase {
  LocalTime today;
  const char* event;
  bool fires;
};

TEST_F(Events, DateEventsFireOnceOnBeforeOrAfterTheirDate) {
  const LocalTime dec7{2026, 12, 7, 12, 0, 0, 1};
  const LocalTime new_year{2004, 1, 1, 0, 0, 0, 4};
  const DateCase cases[] = {
      {dec7, "2026,12,7,0", true},      {dec7, "2026,12,8,0", false},
      {dec7, "2027,1,1,1", true},       {dec7, "2026,12,6,1", false},
      {dec7, "2026,12,7,1", false},     {dec7, "2026,11,30,1", false},
      {dec7, "2026,12,1,2", true},      {dec7, "2026,12,7,2", false},
      {new_year, "2003,12,25,2", true}, {new_year, "2003,12,25,1", false},
      {dec7, "2026,12,7,3", false},     {dec7, "2026,12,7,-1", false},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.event);
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    sim->start_time = c.today;
    StartWith(Script(std::string(">DES=") + c.event + ",A;\n"));
    const Firings seen = Watch(5000);
    EXPECT_EQ(When(seen, 'A'),
              c.fires ? std::vector<std::uint64_t>{1000} : std::vector<std::uint64_t>{});
    form.reset();
  }
}

TEST_F(Events, DateEventOnTheNextDayFiresAtItsFirstCheckThatDay) {
  sim->start_time = {2026, 12, 7, 23, 59, 58, 1};
  StartWith(Script(">DES=2026,12,8,0,A;\n"));
  EXPECT_EQ(When(Watch(3000), 'A'), (std::vector<std::uint64_t>{2000}));
}

TEST_F(Events, AnEventThatDeletesEventsEndsTheWalkAndTheRestWaitForTheNextBeat) {
  StartWith(Script(">IES=0,0.1,X;\n>IES=0,0.1,B;\n", "X:\n>IED=0,0.1,X;\n>FV+=t,X;\n>AE;\n"));
  const Firings seen = Watch(300);
  EXPECT_EQ(When(seen, 'X'), (std::vector<std::uint64_t>{100}));
  EXPECT_EQ(When(seen, 'B'), (std::vector<std::uint64_t>{110, 210}));
}

TEST_F(Events, NothingFiresWhileAnActionRunsUnlessAChoiceWaits) {
  StartWithChoicesAndAEvery100Ms("Wait:\n>WAT=555;\n>AE;\nAsk:\n>CLL=Pick;\n>WAT=300;\n>AE;\n");
  sim->AdvanceTime(45);
  RunAction(*form, "Wait");  // 45 to 600: held back, then the next beat
  EXPECT_EQ(When(Watch(200), 'A'), (std::vector<std::uint64_t>{610, 710}));
  sim->AdvanceTime(5);
  const std::uint64_t asked = sim->NowMs();
  RunAction(*form, "Ask");  // the choice waits while Ask goes on: A fires inside it
  // A was due at 810 and is every 100 ms from there, all inside Ask.
  EXPECT_EQ(asked, 805u);
  EXPECT_EQ(Str("t"), std::string((sim->NowMs() - 810) / 100 + 1, 'A'));
  EXPECT_TRUE(form->speech.choice_waiting);
}

// What an action holds back costs no wakes: the timer sleeps from the tick
// that found it due until the action ends or its choices wait, and then
// wakes on the first beat it can reach.
TEST_F(Events, EventsHeldBackSleepUntilTheActionEndsOrItsChoicesWait) {
  StartWithChoicesAndAEvery100Ms(
      "Wait:\n>WAT=2000;\n>AE;\nAsk:\n>WAT=1000;\n>CLL=Pick;\n>WAT=300;\n>AE;\n");
  const auto ticks = [&] {
    const auto found = sim->TimerTicks().find(form->events.timer.id());
    return found == sim->TimerTicks().end() ? 0 : found->second;
  };
  sim->AdvanceTime(45);
  const auto before = ticks();
  RunAction(*form, "Wait");  // 45 to 2045; A is due from 100 on
  EXPECT_EQ(ticks() - before, 1u);
  EXPECT_EQ(Str("t"), "");
  // 2050 is nearer than a timer can be set for: the next beat after it.
  EXPECT_EQ(When(Watch(200), 'A'), (std::vector<std::uint64_t>{2060, 2160}));

  sim->AdvanceTime(5);
  const auto asked = ticks();
  RunAction(*form, "Ask");  // 2250 to 3250 held back; then the choices wait
  EXPECT_TRUE(form->speech.choice_waiting);
  // A ran while the choices waited, each time on a tick of its own; the
  // second of waiting before them cost one tick.
  EXPECT_FALSE(Str("t").empty());
  EXPECT_EQ(ticks() - asked, Str("t").size() + 1);
}

// The timer sleeps between the moments something is due; the same script
// with an event due on every beat keeps it ticking on every beat. Both must
// fire the same events at the same moments, clicks and waits included.
TEST_F(Events, SleepingBetweenDueMomentsFiresAsTickingOnEveryBeat) {
  const auto run = [&](const std::string& awake) {
    sim = std::make_unique<SimPlatform>(Path(""), Path(""));
    sim->start_time = {2026, 12, 7, 9, 5, 57, 1};
    StartWith(Script(awake + ">IES=0,0.25,A;\n>IES=1,3,B;\n>CES=9:06,C;\n>DES=2026,12,7,0,D;\n"
                             ">IES=0,0.7,W;\n>IES=0,2.2,Z;\n",
                     "W:\n>WAT=123;\n>FV+=t,W;\n>AE;\n"
                     "Z:\n>DEA;\n>DES=2026,12,7,0,D;\n>AE;\n"
                     "More:\n>IES=0,0.333,E;\n>CES=9:06,F;\n>AE;\n"
                     "Less:\n>IED=0,0.25,A;\n>IED=0,0,Nop;\n>AE;\n"
                     "Nop:\n>AE;\n"));
    Firings seen = Watch(1234);
    RunAction(*form, "More");
    for (const auto& f : Watch(1111)) seen.push_back(f);
    RunAction(*form, "Less");
    for (const auto& f : Watch(4321)) seen.push_back(f);
    form.reset();
    return seen;
  };
  const Firings asleep = run("");
  const Firings awake = run(">IES=0,0,Nop;\n");
  EXPECT_EQ(asleep, awake);
  EXPECT_GT(asleep.size(), 20u);
  EXPECT_EQ(When(asleep, 'D').size(), 4u);  // the first check, then each renewal by Z
}

// Standing still costs the running animation's ticks and one wake a second,
// which the clock image and all three lists share.
TEST_F(Events, AnIdleCharacterWakesForItsAnimationAndOnceASecondForClockAndEvents) {
  Bitmap strip(30, 10);  // three frames that differ
  for (int x = 0; x < 30; ++x)
    for (int y = 0; y < 10; ++y) strip.Set(x, y, {static_cast<std::uint8_t>(x / 10 * 80), 0, 0});
  WriteFile("strip.bmp", EncodeBmp24(strip));
  WriteFile("base.bmp", EncodeBmp24(Bitmap(20, 20)));
  WriteFile("digits.bmp", EncodeBmp24(Bitmap(110, 10)));
  StartWith(
      Script(">IDS=base.bmp,b;\n>IDP=b;\n>ACS=strip.bmp,run,3,0,0,100;\n>ACB=run,1,0,0;\n"
             ">ACS=strip.bmp,still,3,0,0,20;\n>TMIP=digits.bmp,0,10;\n",
             "Later:\n>CES=3,0,A;\n>IES=1,9,B;\n>DES=2000,1,1,0,C;\n>AE;\n"));
  const TimerId run = form->animations.list.at(0)->timer.id();
  const TimerId beat = form->second_beat.timer().id();
  sim->AdvanceTime(1000);  // the beat finds the turn of the second
  const std::uint64_t start = sim->Wakes();
  const std::uint64_t runs = sim->TimerTicks().at(run), beats = sim->TimerTicks().at(beat);
  sim->AdvanceTime(10'000);
  EXPECT_EQ(sim->TimerTicks().at(run) - runs, 100u);
  EXPECT_EQ(sim->TimerTicks().at(beat) - beats, 10u);
  EXPECT_EQ(sim->Wakes() - start, 110u);

  RunAction(*form, "Later");
  sim->AdvanceTime(10'000);
  EXPECT_EQ(sim->TimerTicks().at(beat) - beats, 20u);
  EXPECT_EQ(sim->Wakes() - start, 220u);
  EXPECT_FALSE(sim->TimerTicks().contains(form->events.timer.id()));
}

}  // namespace
}  // namespace tk
