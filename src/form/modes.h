#pragma once

namespace tk {

// The user's switches, kept here and shown as the popup menu's check marks.
struct Modes {
  bool hidden = false;   // PmPut: the character is hidden
  bool topmost = false;  // PmWinMost: both windows stay in the topmost band
  bool sound_on = true;  // PmSound
  bool move = false;     // PmMove: the left button drags the character
  // PmStepAside: the character hides while another program's window fills
  // the monitor it stands on (a game, a video), and comes back after.
  bool step_aside = true;
};

}  // namespace tk
