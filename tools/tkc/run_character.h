// `tkc run`: a character on the simulated desktop, bounded in virtual and in
// real time, with an exit code that says how the run went.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "platform/platform.h"

namespace tk {
class SimPlatform;
}  // namespace tk

namespace tkc {

// Something the author does at a moment of virtual time.
struct ScriptedInput {
  enum class Kind { kLeftClick, kRightClick, kMove, kShot, kMenu, kDrag, kWindow, kCloseWindow };
  Kind kind = Kind::kLeftClick;
  std::uint64_t at_ms = 0;
  int x = 0, y = 0;    // screen pixels (clicks, moves, where a drag starts)
  int x2 = 0, y2 = 0;  // where a drag ends; another window's width and height
  std::string file;    // the PNG (shots); a caption or title, as UTF-8 (menus, windows)
};

// "X,Y@T" and "T=FILE.png"; false when the text is not of that form.
bool ParsePointAt(const std::string& text, ScriptedInput& input);
bool ParseShot(const std::string& text, ScriptedInput& input);
// "CAPTION@T" (the last "@" ends the caption) and "X,Y>X2,Y2@T".
bool ParseMenuChoice(const std::string& text, ScriptedInput& input);
bool ParseDrag(const std::string& text, ScriptedInput& input);
// "TITLE@X,Y,W,H" or "TITLE@X,Y,W,H@T": another program's window, opened in
// front (or, with a title already open, moved there and brought to the front).
bool ParseWindow(const std::string& text, ScriptedInput& input);
// "WxH+X+Y" or "WxH-X-Y", then optionally "@SCALE%" (100 to 500): X and Y
// are the monitor's corner on the desktop.
bool ParseMonitor(const std::string& text, tk::Monitor& monitor);
// Why these monitors cannot make a desktop; empty when they can. The first
// is the primary one, its corner at 0,0; no two overlap.
std::string CheckMonitors(const std::vector<tk::Monitor>& monitors);

// Another program's window covering the primary monitor, in front from one
// moment of virtual time until a later one.
struct FullScreenSpan {
  std::uint64_t from_ms = 0;
  std::uint64_t until_ms = 0;
};
// "FROM-UNTIL"; false unless FROM < UNTIL.
bool ParseSpan(const std::string& text, FullScreenSpan& span);

// "YYYY-MM-DD HH:MM:SS", a real date; false otherwise.
bool ParseStart(const std::string& text, tk::LocalTime& start);

// The longest run: a week of virtual time, past the counter's wrap after
// 99:59:59.
inline constexpr long kMaxRunSeconds = 7 * 86'400;

struct RunOptions {
  std::string folder;
  std::uint64_t seconds = 0;            // how long the character lives, in virtual time
  std::chrono::seconds real_limit{60};  // the most real time the whole run may take
  std::string screenshot;               // a PNG of the screen at the end; empty: none
  std::vector<ScriptedInput> inputs;    // in any order
  std::vector<FullScreenSpan> full_screen_windows;
  std::optional<tk::LocalTime> start;  // the virtual clock's start; none: the wall clock
  std::optional<std::uint32_t> seed;   // the random generator's; none: from the clock
  bool stats = false;                  // print the wakes per timer at the end
  bool trace = false;                  // print what the character does as it happens
  bool sound = true;                   // one wave and one MIDI output device
  int cd_tracks = 0;                   // the disc in the drive; 0: none
  bool block_font = false;             // text as the tests' blocks, not in a real font
  std::vector<tk::Monitor> monitors;   // the primary first; empty: one of 1024 x 768
};

// Exit codes: 0 the character ran and was closed; 1 it could not run (the
// folder, its script, an internal error); 3 a run was stopped by a bound.
inline constexpr int kExitStopped = 3;

int RunCharacter(const RunOptions& options);

// The colour of the simulated desktop around the character: a plain one
// that no character picture is likely to use.
inline constexpr tk::Bgr kDesktopColour{0x80, 0x60, 0x30};

// The simulated desktop as the options describe it (monitors already
// checked with CheckMonitors): monitors, sound devices, the disc in the
// drive and the clock's start. `tkc run` and `tkc preview` share it.
void SetUpDesktop(tk::SimPlatform& sim, const RunOptions& options);

// The cause and the fix, in the author's words, of a start-up that stopped
// with `box_text`; empty for any other box.
std::string StartFailure(const std::string& box_text, const std::string& folder,
                         bool reads_text_script);

}  // namespace tkc
