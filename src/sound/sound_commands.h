// Wave, MIDI and CD sound: the player's place in the main window, the six
// commands and what the sound switch and NUS ask of the player.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

// Creates the sound player when an output device exists.
void CreateSoundPlayer(TMainForm& form);

void RunAwp(CommandContext& c);
void RunAmp(CommandContext& c);
void RunAcp(CommandContext& c);
void RunAwt(CommandContext& c);
void RunAmt(CommandContext& c);
void RunAct(CommandContext& c);

// The sound switch, once its check mark has turned.
void PauseOrResumeSound(TMainForm& form);
// NUS turning sound off: whatever plays stops.
void StopAllSound(TMainForm& form);

}  // namespace tk
