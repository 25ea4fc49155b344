// MSP, MSC, MLS, MFS, MFN, MPS, SDS and SEL.
#include "form/main_form.h"
#include "imagery/imagery_commands.h"
#include "imagery/speech.h"
#include "imagery/speech_choices.h"
#include "imagery/speech_prompt.h"
#include "imagery/speech_render.h"
#include "imagery/speech_state.h"
#include "script/command_context.h"

namespace tk {

void RunMsp(CommandContext& c) {
  const std::string label = c.Param();
  if (SpeechRefuses(c)) return;
  TraceUndrawableSpeech(c);
  ShowSpeech(c.form, label);
}

void RunMsc(CommandContext& c) {
  if (!SpeechRefuses(c)) ClearTextArea(c.form);
}

void RunMls(CommandContext& c) {
  const auto area = c.Ints<4>();
  if (!area || SpeechRefuses(c)) return;
  const auto [left, top, right, bottom] = *area;
  SetTextArea(c.form, left, top, right, bottom);
}

void RunMfs(CommandContext& c) {
  const auto values = c.Ints<5>();
  if (!values) return;
  const auto [points, bold, italic, underline, strikeout] = *values;
  TextFont& font = c.form.speech.font;
  font.points = points;
  font.bold = bold == 1;
  font.italic = italic == 1;
  font.underline = underline == 1;
  font.strikeout = strikeout == 1;
}

void RunMfn(CommandContext& c) {
  c.form.speech.font.name = c.Param();
}

void RunMps(CommandContext& c) {
  const std::string file = c.Param();
  const auto values = c.Ints<4>();
  if (!values) return;
  const auto [frames, x, y, interval] = *values;
  if (!SetPromptMark(c.form, file, frames, x, y, interval)) {
    c.Report(ErrorKind::kFileOpen, file);
  }
}

void RunSds(CommandContext& c) {
  std::string label = c.Param();
  std::string text = c.Param(ParamMode::kEText);
  if (!SpeechRefuses(c)) AddChoice(c.form, std::move(label), std::move(text));
}

// The choosing action ends here whether or not the choices show; the
// choice's own action takes over once one is clicked.
void RunSel(CommandContext& c) {
  const auto style = c.Int();
  if (!style) return;
  const auto full_width = c.Int();
  if (!full_width) return;
  if (!SpeechRefuses(c)) {
    TraceUndrawableSpeech(c);
    c.form.speech.error_source = {std::string(c.run.command_line), c.run.label,
                                  static_cast<long long>(c.run.line_index)};
    ShowChoices(c.form, *style, *full_width == 1);
  }
  c.EndAction();
}

}  // namespace tk
