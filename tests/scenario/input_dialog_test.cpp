// DIDP and the input dialog TDIForm.
#include "script/input_dialog.h"

#include "base/messages.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class InputDialog : public testing::ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    StartWith(
        "_BeginInitFlags:\n"
        "str:answer,before;\n"
        "int:number,1;\n"
        "str:trail,;\n"
        "_EndInitFlags:\n"
        "Ask:\n"
        ">DIDP=answer,0,Title,Your name?,Taro,Ok,Cancelled;\n"
        ">FV+=trail,x;\n"
        ">AE;\n"
        "AskQuietly:\n"
        ">DIDP=answer,5,T,P,,,;\n"
        ">FV+=trail,n;\n"
        ">AE;\n"
        "AskNumber:\n"
        ">DIDP=number,3,T,P,1,,;\n"
        ">DIDP=number,three,T,P,1,,;\n"
        ">AE;\n"
        "Ok:\n"
        ">FV+=trail,o;\n"
        ">AE;\n"
        "Cancelled:\n"
        ">FV+=trail,c;\n"
        ">AE;\n");
    sim->SetWindowBounds(form->window, {100, 200, 300, 361});
  }
};

TEST_F(InputDialog, LaidOutCentredOverTheCharacter) {
  RunAction(*form, "Ask");
  ASSERT_EQ(sim->input_dialogs.size(), 1u);
  const InputDialogLayout& d = sim->input_dialogs[0];
  const Rect frame = sim->DialogWindowSize(258, 67);  // 264 x 92 on the simulated desktop
  EXPECT_EQ(d.left, 100 + (200 - frame.Width()) / 2);
  EXPECT_EQ(d.top, 200 + (161 - frame.Height()) / 2);
  EXPECT_EQ(d.left, 68);  // -64 / 2 rounds toward zero
  EXPECT_EQ(d.top, 234);  // 69 / 2
  EXPECT_EQ(d.client_width, 258);
  EXPECT_EQ(d.client_height, 67);
  EXPECT_EQ(d.font_name, msg::kFormFontName);
  EXPECT_EQ(d.font_points, 9);
  EXPECT_EQ(d.caption, "Title");
  EXPECT_EQ(d.prompt.text, "Your name?");
  EXPECT_EQ(d.prompt.rect.left, 4);
  EXPECT_EQ(d.prompt.rect.top, 4);
  EXPECT_EQ(d.edit.text, "Taro");
  EXPECT_EQ(d.edit.rect, (Rect{4, 20, 253, 40}));
  EXPECT_EQ(d.cancel.rect, (Rect{100, 44, 173, 65}));
  EXPECT_EQ(d.cancel.text, msg::kCancelButton);
  EXPECT_EQ(d.ok.rect, (Rect{180, 44, 253, 65}));
  EXPECT_EQ(d.ok.text, "O K");
  EXPECT_EQ(d.max_length, 127u);  // limit 0
}

TEST_F(InputDialog, OkSetsTheFlagEvenWithTheTextUnchanged) {
  sim->on_input_dialog = [](const InputDialogLayout& d) { return d.edit.text; };
  RunAction(*form, "Ask");
  EXPECT_EQ(Str("answer"), "Taro");
  EXPECT_EQ(Str("trail"), "o");
  EXPECT_EQ(form->input_dialog.result, "Taro");
  EXPECT_FALSE(form->input_dialog.open);
}

TEST_F(InputDialog, LimitZeroTakes127CharactersAndOthersTheirLimit) {
  sim->on_input_dialog = [](const InputDialogLayout&) { return std::string(300, 'k'); };
  RunAction(*form, "Ask");
  EXPECT_EQ(Str("answer"), std::string(127, 'k'));
  // Limit 5, two-byte characters count as one.
  sim->on_input_dialog = [](const InputDialogLayout&) {
    return std::string("\x82\xA0\x82\xA2xyzw");
  };
  RunAction(*form, "AskQuietly");
  EXPECT_EQ(Str("answer"), "\x82\xA0\x82\xA2xyz");
}

TEST_F(InputDialog, CancelWithAnEmptyLabelContinuesWithTheNextLine) {
  RunAction(*form, "Ask");  // no answer: cancelled
  EXPECT_EQ(Str("trail"), "c");
  RunAction(*form, "AskQuietly");
  EXPECT_EQ(Str("trail"), "cn");
  EXPECT_EQ(Str("answer"), "before");
}

TEST_F(InputDialog, IntegerFlagsTakeNumbersOnlyAndTheLimitMustConvert) {
  sim->on_input_dialog = [](const InputDialogLayout&) { return std::string("12a"); };
  RunAction(*form, "AskNumber");
  EXPECT_EQ(Int("number"), 1);               // "12a" is not a number; nothing reported
  EXPECT_EQ(sim->input_dialogs.size(), 1u);  // the bad limit shows no dialog
  EXPECT_EQ(Logged().size(), 1u);
}

TEST_F(InputDialog, OnlyOneDialogAtATime) {
  // A timer firing while the dialog is open runs another DIDP.
  int nested_dialogs = -1;
  sim->on_input_dialog = [&](const InputDialogLayout&) -> std::optional<std::string> {
    const std::size_t before = sim->input_dialogs.size();
    RunAction(*form, "AskQuietly");
    nested_dialogs = static_cast<int>(sim->input_dialogs.size() - before);
    return std::nullopt;
  };
  RunAction(*form, "Ask");
  EXPECT_EQ(nested_dialogs, 0);
  EXPECT_EQ(Str("trail"), "nc");  // the refused one went on to its next line
}

}  // namespace
}  // namespace tk
