#include "imagery/speech_text.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/text.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/speech_prompt.h"
#include "imagery/speech_render.h"
#include "imagery/speech_state.h"
#include "script/error_log.h"
#include "script/flags.h"
#include "script/params.h"

namespace tk {

namespace {

// The parameters of one text code, read as the command parameters are.
class CodeParams {
 public:
  CodeParams(TMainForm& form, std::string_view line) : form_(form), line_(line) {}

  std::string Text(std::size_t capacity = kSpeechCodeCapacity) {
    std::string out;
    form_.speech.line_pos =
        ReadParam(line_, form_.speech.line_pos, capacity, ParamMode::kPlain, form_.flags, out);
    return out;
  }
  // A bad number is remembered and reported once, by Valid.
  std::int32_t Int() {
    const auto value = ParseInt32(Text());
    if (!value) bad_ = true;
    return value.value_or(0);
  }
  bool Valid() {
    if (!bad_) return true;
    const SpeechErrorSource& at = form_.speech.error_source;
    LogScriptError(form_, at.text, at.label, ErrorKind::kParameter, at.line_index);
    return false;
  }

 private:
  TMainForm& form_;
  std::string_view line_;
  bool bad_ = false;
};

void RunAnimationCode(TMainForm& form, CodeParams& params) {
  const std::int32_t stop = params.Int();
  const std::string name = CutImageName(params.Text());
  const std::int32_t number = params.Int();
  if (!params.Valid()) return;
  if (stop == 0) {
    StartAnimations(form, name, number, 0, 0);
    return;
  }
  StopAnimations(form, name, number);
  for (const auto& animation : form.animations.list) {
    if (animation->name != name) continue;
    RedrawAnimation(form, *animation);  // redraws every animation of the name
    return;
  }
}

// An inserted value cannot insert again, or its own "@F" would loop.
void StartInsertion(TMainForm& form, CodeParams& params) {
  SpeechState& sp = form.speech;
  const std::string name = params.Text(kFlagNameCapacity);
  if (sp.insertion.pending) return;
  sp.insertion = {name, true, sp.line_pos};
  sp.line_pos = 0;
}

void EndOfSpeechCode(TMainForm& form) {
  SpeechState& sp = form.speech;
  if (sp.choice_rendering) {
    sp.widest_x = std::max(sp.widest_x, sp.cursor.x);
    SpeechLineFeed(form, 'E');
    return;
  }
  form.speech.showing = false;
  sp.scrolled = false;
  sp.fast_forward = false;
  sp.scroll_total = 0;
  sp.line_pos = 0;
}

// "@#" inside an inserted value ends the value, not the script line, which
// would otherwise start the value over and over.
void EndOfLineCode(SpeechState& sp) {
  if (sp.choice_rendering) return;
  if (sp.insertion.pending) {
    sp.line_pos = sp.insertion.resume_at;
    sp.insertion.pending = false;
    return;
  }
  sp.line_pos = 0;
}

void RunTextCode(TMainForm& form, std::string_view line, char code) {
  SpeechState& sp = form.speech;
  CodeParams params(form, line);
  switch (code) {
    case '@':
      return DrawSpeechCharacter(form, "@");
    case '\\':
      return SpeechLineBreak(form);
    case '#':
      return EndOfLineCode(sp);
    case 'E':
      return EndOfSpeechCode(form);
    case 'W':
      if (sp.choice_rendering) return;
      sp.click_wait = true;
      sp.fast_forward = false;
      return;
    case 'C':
    case 'S':
    case 'D': {
      const std::int32_t value = params.Int();
      if (!params.Valid()) return;
      if (code == 'C') sp.text_colour = static_cast<std::uint32_t>(value);
      if (code == 'S') sp.shadow_colour = static_cast<std::uint32_t>(value);
      if (code == 'D') sp.delay_ms = static_cast<std::uint32_t>(std::max(value, 0));
      return;
    }
    case 'A':
      return RunAnimationCode(form, params);
    case 'F':
      return StartInsertion(form, params);
    default:
      return;  // an unknown code is skipped with its "@"
  }
}

void EndOfText(SpeechState& sp) {
  if (sp.insertion.pending) {
    sp.line_pos = sp.insertion.resume_at;
    sp.insertion.pending = false;
  } else {
    sp.line_pos = 0;
  }
}

std::size_t CharacterLength(std::string_view line, std::size_t pos) {
  const auto b = static_cast<unsigned char>(line[pos]);
  return IsSjisLeadByte(b) && pos + 1 < line.size() ? 2 : 1;
}

}  // namespace

std::string InsertedFlagValue(const TMainForm& form, const std::string& name) {
  if (const StrFlag* s = form.flags.FindStrFlag(name)) return s->text;
  if (const IntFlag* i = form.flags.FindIntFlag(name)) return std::to_string(i->value);
  return {};
}

void RenderTextStep(TMainForm& form, std::string_view line) {
  SpeechState& sp = form.speech;
  if (sp.click_wait) {
    StartPrompt(form);
    return;
  }
  std::size_t& pos = sp.line_pos;
  if (pos >= line.size() || line[pos] == '\0') return EndOfText(sp);
  const std::size_t length = CharacterLength(line, pos);
  const std::string_view character = line.substr(pos, length);
  pos += length;
  if (character != "@") return DrawSpeechCharacter(form, character);
  if (pos >= line.size() || line[pos] == '\0') return;  // a lone "@" ends nothing
  const char code = line[pos++];
  if (IsSjisLeadByte(static_cast<unsigned char>(code))) {
    const std::size_t start = pos - 1;
    pos = std::min(start + CharacterLength(line, start), line.size());
    return DrawSpeechCharacter(form, line.substr(start, pos - start));
  }
  RunTextCode(form, line, code);
}

}  // namespace tk
