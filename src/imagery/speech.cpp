#include "imagery/speech.h"

#include <utility>

#include "base/messages.h"
#include "form/main_form.h"
#include "form/trace.h"
#include "imagery/child_image_form.h"
#include "imagery/speech_prompt.h"
#include "imagery/speech_state.h"
#include "imagery/speech_text.h"
#include "script/command_refusal.h"
#include "script/script_lines.h"
#include "script/wait.h"

namespace tk {

bool SpeechBusy(const TMainForm& form) {
  return form.speech.showing || form.speech.choice_waiting;
}

bool SpeechRefuses(const CommandContext& c) {
  if (!SpeechBusy(c.form)) return false;
  TraceRefusal(c,
               c.form.speech.choice_waiting ? "choices wait for a click" : "speech is being shown");
  return true;
}

void TraceUndrawableSpeech(const CommandContext& c) {
  if (c.form.shell.modes.hidden) {
    TraceRefusal(c, "the character is hidden");
  } else if (!c.form.child_image) {
    TraceRefusal(c, "there is no balloon (>CIP shows one)");
  }
}

bool BeginSpeechDrawing(TMainForm& form) {
  if (form.shell.modes.hidden || !form.child_image) return false;
  form.speech.showing = true;
  form.TurnMoveModeOff();
  form.platform.CancelMode(form.window);
  return true;
}

bool PauseAfterStep(TMainForm& form) {
  SpeechState& sp = form.speech;
  bool pumped = false;
  // Asked before the first pump too; that first answer is always "not yet".
  const auto first_pump_done = [&pumped] { return std::exchange(pumped, true); };
  WaitEnd end;
  if (sp.click_wait) {
    StartPrompt(form);
    end = WaitUntil(form,
                    [&] { return first_pump_done() && (!sp.click_wait || !form.speech.showing); });
  } else {
    end = WaitUntil(
        form, [&] { return first_pump_done() && sp.fast_forward; }, sp.delay_ms);
  }
  return end == WaitEnd::kDone || end == WaitEnd::kTimeUp;
}

void EndSpeech(TMainForm& form) {
  SpeechState& sp = form.speech;
  form.speech.showing = false;
  sp.scrolled = false;
  sp.fast_forward = false;
  sp.scroll_total = 0;
  sp.line_pos = 0;
}

namespace {

// A speech cut short by a close or a stop leaves nothing waiting.
void AbandonSpeech(TMainForm& form) {
  EndSpeech(form);
  form.speech.click_wait = false;
  form.speech.insertion.pending = false;
  StopPrompt(form);
}

// Tells the trace what the speech drew, once it is over.
void TraceSpeech(TMainForm& form, const std::string& label) {
  if (!form.trace) return;
  form.trace->SpeechShown(label, form.speech.traced_text);
  form.speech.traced_text.clear();
}

}  // namespace

void ShowSpeech(TMainForm& form, const std::string& label) {
  if (!BeginSpeechDrawing(form)) return;
  const auto found = form.script.FindLabel(label);
  if (!found) {
    form.ShowError(msg::kSpeechLabelNotFound);
    form.speech.showing = false;
    return;
  }
  SpeechState& sp = form.speech;
  sp.label = label + ":";
  sp.line_index = *found + 1;
  sp.line_pos = 0;
  sp.insertion.pending = false;
  sp.traced_text.clear();
  while (form.speech.showing && sp.line_index < form.script.Size()) {
    const std::string& line = form.script[sp.line_index];
    sp.error_source = {line, sp.label, static_cast<long long>(sp.line_index)};
    if (sp.insertion.pending) {
      RenderTextStep(form, InsertedFlagValue(form, sp.insertion.name));
    } else {
      RenderTextStep(form, line);
      if (!sp.insertion.pending && sp.line_pos == 0) ++sp.line_index;
    }
    if (!PauseAfterStep(form)) {
      AbandonSpeech(form);
      return TraceSpeech(form, label);
    }
  }
  // Text that runs out without "@E" ends the speech all the same; otherwise
  // the balloon would refuse every later speech command.
  EndSpeech(form);
  TraceSpeech(form, label);
}

}  // namespace tk
