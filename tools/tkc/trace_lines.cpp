#include "trace_lines.h"

#include <cstdio>

#include "box_gloss.h"
#include "console_text.h"
#include "platform/sim/sim_media.h"

namespace tkc {

namespace {

std::string RectText(const tk::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Speech and choice texts in quotes, a line break as "\n".
std::string Quoted(std::string_view sjis) {
  std::string text = "\"";
  for (const char c : SjisToUtf8(std::string(sjis))) {
    text += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return text + "\"";
}

std::string CauseText(const tk::ActionCause& cause) {
  using Kind = tk::ActionCause::Kind;
  const std::string detail = SjisToUtf8(cause.detail);
  switch (cause.kind) {
    case Kind::kCall:
      return detail.empty() ? "call" : "call from " + detail;
    case Kind::kStartUp:
      return "start-up";
    case Kind::kClose:
      return "close";
    case Kind::kClick:
      return "click " + detail;
    case Kind::kMenu:
      return "menu \"" + detail + "\"";
    case Kind::kChoice:
      return "choice " + Quoted(cause.detail);
    case Kind::kEvent:
      return "event " + detail;
    case Kind::kWalk:
      return "walk " + detail;
    case Kind::kSitting:
      return "sitting " + detail;
  }
  return detail;
}

// The simulated devices' failures in words.
std::string MediaErrorText(std::int32_t error) {
  switch (error) {
    case tk::SimMedia::kFileNotFound:
      return "no such file";
    case tk::SimMedia::kInvalidFile:
      return "not a sound the device can play";
    case tk::SimMedia::kNotReady:
      return "no disc in the drive";
    case tk::SimMedia::kInvalidDevice:
      return "no such device";
    default:
      return "error " + std::to_string(error);
  }
}

std::string Seconds(std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%03u", static_cast<unsigned long long>(ms / 1000),
                static_cast<unsigned>(ms % 1000));
  return text;
}

std::string Times(std::int32_t count) {
  if (count <= 0) return "for ever";
  return count == 1 ? "once" : std::to_string(count) + " times";
}

}  // namespace

std::string TraceStamp(std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "[%10s] ", Seconds(ms).c_str());
  return text;
}

void TraceLines::Flush() {
  if (moves_.moves == 0) return;
  std::string text = "window moved " + RectText(moves_.from) + " -> " + RectText(moves_.to);
  if (moves_.moves > 1) {
    text += " (" + std::to_string(moves_.moves) + " moves since " + Seconds(moves_.first_ms) + ")";
  }
  out_ << TraceStamp(moves_.last_ms) << text << "\n";
  moves_ = {};
}

void TraceLines::Line(const std::string& text) {
  Flush();
  out_ << TraceStamp(now_ms_()) << text << std::endl;
}

void TraceLines::ActionStarted(std::string_view label, const tk::ActionCause& cause) {
  Line("action " + SjisToUtf8(std::string(label)) + " started (" + CauseText(cause) + ")");
}

void TraceLines::ActionEnded(std::string_view label, std::string_view ended_in) {
  std::string text = "action " + SjisToUtf8(std::string(label)) + " ended";
  if (ended_in != label) text += " in " + SjisToUtf8(std::string(ended_in));
  Line(text);
}

void TraceLines::ActionRefused(std::string_view label, const tk::ActionCause& cause,
                               std::string_view why) {
  Line("refused action " + SjisToUtf8(std::string(label)) + " (" + CauseText(cause) +
       "): " + std::string(why));
}

void TraceLines::CommandRefused(std::string_view command_line, std::string_view label,
                                std::string_view why) {
  Line("refused " + SjisToUtf8(std::string(command_line)) + " in " +
       SjisToUtf8(std::string(label)) + ": " + std::string(why));
}

void TraceLines::SpeechShown(std::string_view label, std::string_view text) {
  Line("speech " + SjisToUtf8(std::string(label)) + ": " + Quoted(text));
}

void TraceLines::ChoicesShown(const std::vector<tk::TracedChoice>& choices) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const tk::TracedChoice& choice = choices[i];
    Line("choice " + std::to_string(i + 1) + " " + Quoted(choice.text) + " at " +
         RectText(choice.screen) + " -> " + SjisToUtf8(choice.label));
  }
}

void TraceLines::BoxShown(std::string_view text, std::string_view file) {
  const std::string sjis(text);
  std::string line = "box \"" + SjisToUtf8(sjis) + "\"";
  if (const std::string gloss = EnglishGloss(sjis); !gloss.empty()) line += " (" + gloss + ")";
  if (!file.empty()) line += " file " + SjisToUtf8(std::string(file));
  Line(line);
}

void TraceLines::Sound(tk::SoundNote note, std::string_view what, std::int32_t value) {
  const std::string name = SjisToUtf8(std::string(what));
  switch (note) {
    case tk::SoundNote::kOpened:
      return Line("sound opened " + name);
    case tk::SoundNote::kOpenFailed:
      return Line("sound open failed " + name + ": " + MediaErrorText(value));
    case tk::SoundNote::kPlayed:
      return Line("sound played " + name + " " + Times(value));
    case tk::SoundNote::kEnded:
      return Line("sound ended " + name);
    case tk::SoundNote::kStopped:
      return Line("sound stopped " + name);
    case tk::SoundNote::kPaused:
      return Line("sound paused " + name);
    case tk::SoundNote::kResumed:
      return Line("sound resumed " + name);
  }
}

void TraceLines::WindowMoved(const tk::Rect& from, const tk::Rect& to) {
  const std::uint64_t now = now_ms_();
  if (moves_.moves > 0 && now - moves_.last_ms >= kMoveGapMs) Flush();
  if (moves_.moves == 0) moves_ = {from, to, now, now, 0};
  moves_.to = to;
  moves_.last_ms = now;
  ++moves_.moves;
  shown_at_ = to;
}

void TraceLines::WindowShown(bool visible) {
  Line(visible ? "window shown at " + RectText(shown_at_) : "window hidden");
}

}  // namespace tkc
