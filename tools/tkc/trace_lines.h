// `tkc run --trace`: what the character does, one line each, stamped with
// the virtual time in seconds: "[    12.345] action Hello started (click at
// 40,30 in area 10,20,80,90)". Each line's second word says what it is
// about: action, refused, speech, choice, box, sound, window. Rectangles
// are left,top,right,bottom in screen pixels (a map area's in the
// character's own).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include "form/trace.h"

namespace tkc {

// "[    12.345] ": seconds, right-aligned, with milliseconds.
std::string TraceStamp(std::uint64_t ms);

class TraceLines : public tk::TraceSink {
 public:
  // Moves of the window less than this apart, with nothing else said between
  // them, are told as one line: a walk or a drag is one line, not one a step.
  static constexpr std::uint64_t kMoveGapMs = 1000;

  TraceLines(std::ostream& out, std::function<std::uint64_t()> now_ms)
      : out_(out), now_ms_(std::move(now_ms)) {}

  // Says the moves held back so far; before anything else is printed.
  void Flush();

  void ActionStarted(std::string_view label, const tk::ActionCause& cause) override;
  void ActionEnded(std::string_view label, std::string_view ended_in) override;
  void ActionRefused(std::string_view label, const tk::ActionCause& cause,
                     std::string_view why) override;
  void CommandRefused(std::string_view command_line, std::string_view label,
                      std::string_view why) override;
  void SpeechShown(std::string_view label, std::string_view text) override;
  void ChoicesShown(const std::vector<tk::TracedChoice>& choices) override;
  void BoxShown(std::string_view text, std::string_view file) override;
  void Sound(tk::SoundNote note, std::string_view what, std::int32_t value) override;
  void WindowMoved(const tk::Rect& from, const tk::Rect& to) override;
  void WindowShown(bool visible) override;

 private:
  // One line at the time it is said; what was held back goes first.
  void Line(const std::string& text);

  struct MoveRun {
    tk::Rect from, to;
    std::uint64_t first_ms = 0, last_ms = 0;
    int moves = 0;
  };

  std::ostream& out_;
  std::function<std::uint64_t()> now_ms_;
  MoveRun moves_;  // held back until something else is said
  tk::Rect shown_at_;
};

}  // namespace tkc
