// Wave, MIDI and CD sound.
#pragma once

namespace tk {

class TMainForm;

// Creates the sound player when an output device exists.
void CreateSoundPlayer(TMainForm& form);

}  // namespace tk
