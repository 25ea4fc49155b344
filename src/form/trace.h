// What the character does, told as it happens to whoever listens: the author
// tool prints it line by line. The form holds at most one listener; without
// one, each place that tells pays one test of a null pointer. Texts are the
// engine's Shift-JIS, as the script wrote them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace tk {

// What made an action start. The detail says which: where a click hit, a
// menu item's caption, an event's kind and time, the calling action.
struct ActionCause {
  enum class Kind { kCall, kStartUp, kClose, kClick, kMenu, kChoice, kEvent, kWalk, kSitting };
  Kind kind = Kind::kCall;
  std::string detail;
};

// What befell a sound. `what` names it: the file, or "CD track N".
enum class SoundNote { kOpened, kOpenFailed, kPlayed, kEnded, kStopped, kPaused, kResumed };

// One offered choice as drawn: its text without codes, the action it runs,
// and where it stands on the screen.
struct TracedChoice {
  std::string text;
  std::string label;
  Rect screen;
};

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // `label` without its colon. An action ends where it jumped to last.
  virtual void ActionStarted(std::string_view /*label*/, const ActionCause& /*cause*/) {}
  virtual void ActionEnded(std::string_view /*label*/, std::string_view /*ended_in*/) {}
  // Something that would start an action could not: `why` says what held it.
  virtual void ActionRefused(std::string_view /*label*/, const ActionCause& /*cause*/,
                             std::string_view /*why*/) {}
  // A command that did nothing because of the state the character is in.
  virtual void CommandRefused(std::string_view /*command_line*/, std::string_view /*label*/,
                              std::string_view /*why*/) {}
  // Once a speech is over: the text it drew, a line break as '\n'.
  virtual void SpeechShown(std::string_view /*label*/, std::string_view /*text*/) {}
  virtual void ChoicesShown(const std::vector<TracedChoice>& /*choices*/) {}
  // A box as it opens; `file` is the file it is about, empty when none.
  virtual void BoxShown(std::string_view /*text*/, std::string_view /*file*/) {}
  // `value`: how many times a play repeats (0 or less: for ever), or the
  // device's error code for a failed open.
  virtual void Sound(SoundNote /*note*/, std::string_view /*what*/, std::int32_t /*value*/) {}
  // The main window's place or size changed, or it was shown or hidden.
  virtual void WindowMoved(const Rect& /*from*/, const Rect& /*to*/) {}
  virtual void WindowShown(bool /*visible*/) {}
};

}  // namespace tk
