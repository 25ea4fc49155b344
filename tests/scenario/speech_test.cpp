// Speech text and choices typed into the balloon on the simulated desktop.
// The sim font makes every position predictable: at the default 9 points a
// one-byte character advances 7 pixels (a 5-pixel cell plus 2) and inks a
// 4 x 8 block at the cursor; a two-byte one advances 11; a line is 9 high.
#include <gmock/gmock.h>

#include <deque>
#include <functional>

#include "base/bmp_writer.h"
#include "base/messages.h"
#include "form/popup_menu.h"
#include "imagery/child_image_form.h"
#include "imagery/prompt_state.h"
#include "imagery/speech_render.h"
#include "imagery/speech_state.h"
#include "script/flags.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

using ::testing::HasSubstr;

constexpr Bgr kKey{255, 0, 255}, kPaper{200, 220, 240}, kNavy{0x80, 0, 0}, kRed{0, 0, 255};

// The balloon is 60 x 40; text goes into (2, 2)-(40, 30): five characters
// to a line, three lines before it scrolls.
constexpr char kSetUp[] =
    "*TKScriptFile\n"
    "_FirstAction:\n>IDS=ball.bmp,ball;\n>CIP=ball,0,0;\n>MLS=2,2,40,30;\n>AE;\n";

class Speech : public testing::SimFixture {
 protected:
  void StartWith(const std::string& actions) {
    Bitmap ball(60, 40);
    ball.Fill(kPaper);
    ball.Set(0, 0, kKey);
    WriteFile("ball.bmp", EncodeBmp24(ball));
    WriteScript(kSetUp + actions);
    Start();
    ASSERT_FALSE(form->IsClosing());
    ASSERT_TRUE(form->child_image);
  }
  void Run(const std::string& label) { RunAction(*form, label); }
  WindowId Balloon() const { return form->child_image->window; }
  const Bitmap& Shown() const { return sim->FindWindow(Balloon())->surface; }
  Bgr At(int x, int y) const { return Shown().At(x, y); }
  // Runs `f` once, `ms` of virtual time from now.
  void After(unsigned ms, std::function<void()> f) {
    TimerId& id = timer_ids_.emplace_back();
    id = sim->CreateTimer([this, &id, f = std::move(f)] {
      sim->SetTimer(id, 0, false);
      f();
    });
    sim->SetTimer(id, ms, true);
  }

 private:
  std::deque<TimerId> timer_ids_;
};

struct TypingCase {
  const char* text;  // the lines after the label
  Point cursor;      // where the next character would go
  std::vector<Point> inked;
  Bgr ink = kNavy;
  std::vector<Point> blank;  // still the balloon's paper
};

TEST_F(Speech, TypesTextCodesAndWrapsWhereTheSimFontSays) {
  const std::vector<TypingCase> cases = {
      // Five characters fill a line; the sixth wraps to the next.
      {"ABCDEFG@E",
       {16, 11},
       {{2, 2}, {5, 9}, {30, 2}, {2, 11}, {9, 11}},
       kNavy,
       {{6, 2}, {37, 2}}},
      // "@\" breaks the line; "@#" drops the rest of its line, and the next
      // script line goes on where the text stopped.
      {"AB@\\CD@#XYZ\nEF@E", {30, 11}, {{2, 11}, {16, 11}, {23, 11}}, kNavy, {{30, 11}, {2, 20}}},
      // The flag's value is typed where "@F" stands, then the line goes on.
      {"A@Fcount;B@E", {30, 2}, {{9, 2}, {16, 2}, {23, 2}}, kNavy, {{30, 2}}},
      // "@@" types an at sign; "@" before a two-byte character only quotes it.
      {"@@\x82\xA0@\x82\xA0"
       "@E",
       {31, 2},
       {{2, 2}, {9, 2}, {20, 2}},
       kNavy,
       {{29, 2}}},
      {"@C255;AB@E", {16, 2}, {{2, 2}, {9, 2}}, kRed, {}},
      // Black text draws nothing, yet the cursor moves on.
      {"@C0;AB@E", {16, 2}, {}, kNavy, {{2, 2}, {9, 2}}},
      // The shadow shows one pixel down and right of the glyph, under it not.
      {"@S255;A@E", {9, 2}, {{6, 3}, {3, 10}, {6, 10}}, kRed, {{7, 3}, {2, 10}}},
      // A line feed that would pass the bottom moves the text up a line.
      {"A@\\B@\\C@\\D@E", {9, 20}, {{2, 2}, {2, 11}, {2, 20}}, kNavy, {{2, 29}}},
  };
  std::string actions;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    actions += "T" + std::to_string(i) + ":\n>MSP=Say" + std::to_string(i) + ";\n>AE;\nSay" +
               std::to_string(i) + ":\n@D0;@C8388608;@S0;" + cases[i].text + "\n";
  }
  StartWith(actions);
  form->flags.ints.push_back({"count", 42});
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].text);
    ClearTextArea(*form);
    Run("T" + std::to_string(i));
    EXPECT_FALSE(form->speech.showing);
    EXPECT_EQ(form->speech.cursor, cases[i].cursor);
    for (const Point p : cases[i].inked) EXPECT_EQ(At(p.x, p.y), cases[i].ink) << p.x << "," << p.y;
    for (const Point p : cases[i].blank) EXPECT_EQ(At(p.x, p.y), kPaper) << p.x << "," << p.y;
  }
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Speech, ScrollingSmoothlyEndsWhereScrollingAtOnceDoes) {
  StartWith(
      "Fast:\n>MSP=F;\n>AE;\nF:\n@D0;A@\\B@\\C@\\D@E\n"
      "Slow:\n>MSP=S;\n>AE;\nS:\n@D50;A@\\B@\\C@\\D@E\n");
  Run("Fast");
  const Bitmap at_once = Shown();
  EXPECT_EQ(at_once.At(2, 20), kNavy);  // D, on the last line
  EXPECT_EQ(at_once.At(2, 29), kPaper);
  ClearTextArea(*form);
  const std::uint64_t start = sim->NowMs();
  Run("Slow");
  EXPECT_EQ(Shown().Bytes(), at_once.Bytes());
  // Four characters at 50 ms, and a 9-pixel scroll in three steps 40 ms apart.
  EXPECT_GE(sim->NowMs() - start, 4u * 50 + 2 * 40);
}

TEST_F(Speech, BadNumberInATextCodeIsReportedWithTheSpeechLabelAndLine) {
  StartWith("Talk:\n>MSP=Bad;\n>AE;\nBad:\n@D0;@C255x;A@E\n");
  Run("Talk");
  EXPECT_THAT(BoxTexts(), ::testing::ElementsAre(msg::kParameterError));
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_THAT(LogLines()[0], HasSubstr("Line(10) LabelName[Bad:] @D0;@C255x;A@E"));
  EXPECT_EQ(At(2, 2), kNavy);  // the colour code had no effect
}

TEST_F(Speech, MissingLabelShowsABoxOnlyAndSpeechStaysAvailable) {
  StartWith("Talk:\n>MSP=Nowhere;\n>MSP=Here;\n>AE;\nHere:\n@D0;A@E\n");
  Run("Talk");
  EXPECT_THAT(BoxTexts(), ::testing::ElementsAre(msg::kSpeechLabelNotFound));
  EXPECT_FALSE(Exists("tk_error.txt"));
  EXPECT_EQ(At(2, 2), kNavy);
}

TEST_F(Speech, TextThatRunsOutWithoutEndCodeStillEndsTheSpeech) {
  StartWith("Talk:\n>MSP=Open;\n>AE;\nAgain:\n>MSP=Open;\n>AE;\nOpen:\n@D0;AB");
  Run("Talk");
  EXPECT_FALSE(form->speech.showing);
  EXPECT_EQ(form->speech.cursor, (Point{16, 2}));
  Run("Again");  // not refused
  EXPECT_EQ(form->speech.cursor, (Point{30, 2}));
}

TEST_F(Speech, ClickWaitShowsThePromptUntilAPressAfterItAppears) {
  StartWith("Talk:\n>MPS=,0,44,20,200;\n>MSP=W;\n>AE;\nW:\n@D0;A@WB@E\n");
  bool waiting_early = false, prompt_shown = false;
  After(50, [&] {
    sim->Click(Balloon(), MouseButton::kLeft, 30, 30);  // before the mark: no end
    waiting_early = form->speech.click_wait;
  });
  After(300, [&] {  // the first frame shows from 200 ms to 400 ms
    prompt_shown = form->prompt.timer.running() && At(45, 22) == Bgr{};  // its outline
    sim->Click(Balloon(), MouseButton::kRight, 30, 30);
  });
  Run("Talk");
  EXPECT_TRUE(waiting_early);
  EXPECT_TRUE(prompt_shown);
  EXPECT_EQ(At(9, 2), kNavy);  // B, after the wait
  EXPECT_EQ(At(45, 22), kPaper);
  EXPECT_FALSE(form->prompt.timer.running());
  EXPECT_FALSE(form->speech.click_wait);
}

TEST_F(Speech, ClosingDuringAClickWaitEndsTheSpeechAndStopsThePrompt) {
  StartWith("Talk:\n>MSP=W;\n>AE;\nW:\n@D0;A@WB@E\n");
  After(300, [&] { sim->PostClose(form->window); });
  Run("Talk");
  EXPECT_TRUE(form->IsClosed());
  EXPECT_FALSE(form->speech.showing);
  EXPECT_FALSE(form->prompt.timer.running());
}

TEST_F(Speech, APressWhileTypingTypesTheRestWithoutDelay) {
  StartWith("Talk:\n>MSP=Long;\n>AE;\nLong:\n@D100;ABCDEFGHIJ@E\n");
  After(150, [&] { sim->Click(Balloon(), MouseButton::kLeft, 30, 30); });
  const std::uint64_t start = sim->NowMs();
  Run("Talk");
  EXPECT_LT(sim->NowMs() - start, 400u);  // ten characters at 100 ms would take 1000
  EXPECT_EQ(form->speech.cursor, (Point{37, 11}));
  EXPECT_FALSE(form->speech.fast_forward);
}

// Two choices below one line of text; the second pushes the text up a
// line, so the first one's rectangle moves up with it.
constexpr char kChoices[] =
    "Ask:\n>MSP=Q;\n>SDS=One,A@E;\n>SDS=Two,B@E;\n>SEL=1,0;\n>NS=not reached;\n>AE;\n"
    "Q:\n@D0;Hi@E\n"
    "One:\n>NS=chose one;\n>AE;\nTwo:\n>NS=chose two;\n>AE;\n"
    "Busy:\n>MSC;\n>MSP=Q;\n>CIE;\n>AE;\n";

TEST_F(Speech, ChoicesTakeRectanglesCorrectedForScrollingAndAClickRunsTheirAction) {
  StartWith(kChoices);
  Run("Ask");
  EXPECT_EQ(form->shell.title, msg::kDefaultTitle);  // SEL ended the action
  ASSERT_EQ(form->speech.choices.size(), 2u);
  EXPECT_EQ(form->speech.choices[0].rect, (Rect{2, 2, 9, 11}));
  EXPECT_EQ(form->speech.choices[1].rect, (Rect{2, 11, 9, 20}));
  EXPECT_EQ(At(2, 2), kNavy);  // A; "Hi" scrolled away
  EXPECT_EQ(At(9, 2), kPaper);
  EXPECT_TRUE(form->speech.choice_waiting);
  EXPECT_FALSE(form->speech.showing);

  const Bitmap before = Shown();
  Run("Busy");  // refused while the choices wait
  EXPECT_EQ(Shown().Bytes(), before.Bytes());
  ASSERT_TRUE(form->child_image);

  sim->Click(Balloon(), MouseButton::kLeft, 5, 15);
  EXPECT_EQ(form->shell.title, "chose two");
  EXPECT_FALSE(form->speech.choice_waiting);
  EXPECT_TRUE(form->speech.choices.empty());
}

TEST_F(Speech, HighlightFollowsThePointerAndLeavesNothingBehind) {
  StartWith(kChoices);
  Run("Ask");
  const Bitmap before = Shown();
  const auto inverted = [&](int x, int y) {
    const Bgr c = before.At(x, y);
    return At(x, y) == Bgr{static_cast<std::uint8_t>(~c.b), static_cast<std::uint8_t>(~c.g),
                           static_cast<std::uint8_t>(~c.r)};
  };
  struct StyleCase {
    int style;
    bool corner, beside_corner, hatch, interior;  // (2,2), (3,2), (4,4), (5,4)
  };
  for (const StyleCase s : {StyleCase{1, true, false, false, false},
                            {2, true, true, false, false},
                            {3, true, false, true, false},
                            {0, true, false, true, true}}) {
    SCOPED_TRACE(s.style);
    form->speech.highlight.style = s.style;
    sim->MouseMove(Balloon(), 5, 6);
    EXPECT_EQ(inverted(2, 2), s.corner);
    EXPECT_EQ(inverted(3, 2), s.beside_corner);
    EXPECT_EQ(inverted(4, 4), s.hatch);
    EXPECT_EQ(inverted(5, 4), s.interior);
    sim->MouseMove(Balloon(), 5, 15);  // over the second: the first is restored
    EXPECT_EQ(At(2, 2), before.At(2, 2));
    EXPECT_TRUE(inverted(2, 12) || inverted(3, 12));
    sim->MouseMove(Balloon(), 50, 35);  // over no choice
    EXPECT_EQ(Shown().Bytes(), before.Bytes());
  }
}

// Whatever became of the balloon's buffer and of its pixels on the screen,
// a repaint shows its layers again: text, highlight and prompt mark.
TEST_F(Speech, ARepaintAfterHighlightOrPromptChangesComposesTheSamePixels) {
  StartWith(std::string(kChoices) + "Wait:\n>MPS=,0,44,20,200;\n>MSP=W;\n>AE;\nW:\n@D0;A@WB@E\n");
  Bitmap red(60, 40);
  red.Fill(kRed);
  Bitmap expected;
  const auto spoil = [&] {
    expected = Shown();
    form->child_image->display_bitmap.Fill(kRed);
    sim->PresentBitmap(Balloon(), red, red.Bounds());
    sim->InvalidateWindow(Balloon());
  };
  const auto repainted = [&] { return Shown().Bytes() == expected.Bytes(); };
  bool prompt_shown = false, prompt_repainted = false;
  After(300, [&] {
    prompt_shown = At(45, 22) == Bgr{};
    spoil();
  });
  After(350, [&] {
    prompt_repainted = repainted();
    sim->Click(Balloon(), MouseButton::kLeft, 30, 30);
  });
  Run("Wait");
  EXPECT_TRUE(prompt_shown);
  EXPECT_TRUE(prompt_repainted);
  ClearTextArea(*form);
  Run("Ask");
  for (const Point pointer : {Point{5, 6}, Point{5, 15}, Point{50, 35}}) {
    SCOPED_TRACE(pointer.y);
    sim->MouseMove(Balloon(), pointer.x, pointer.y);
    spoil();
    sim->ProcessPendingMessages();
    EXPECT_TRUE(repainted());
  }
  EXPECT_EQ(At(45, 22), kPaper);
}

TEST_F(Speech, ChoicesWhileHiddenShowNothingAndStillEndTheAction) {
  StartWith("Ask:\n>SDS=One,A@E;\n>SEL=0,1;\n>NS=not reached;\n>AE;\n");
  form->PmPutClick();
  const Bitmap before = Shown();
  Run("Ask");
  EXPECT_EQ(form->shell.title, msg::kDefaultTitle);
  EXPECT_FALSE(form->speech.choice_waiting);
  EXPECT_EQ(Shown().Bytes(), before.Bytes());
}

TEST_F(Speech, SpeechTurnsMoveModeOffAndTheCharacterIgnoresClicks) {
  StartWith("Talk:\n>MSP=Q;\n>AE;\nQ:\n@D0;Hi@E\n");
  form->PmMoveClick();
  Run("Talk");
  EXPECT_FALSE(form->shell.modes.move);
  EXPECT_EQ(sim->cursor_override, kNoCursor);
}

}  // namespace
}  // namespace tk
