// Speech text (MSP): the typist that draws a label's text into the balloon,
// pausing between characters while messages keep being handled.
#pragma once

#include <string>

namespace tk {

class TMainForm;
struct CommandContext;
struct SpeechErrorSource;

// Speech or choices own the balloon; the commands that would disturb it
// are refused meanwhile.
bool SpeechBusy(const TMainForm& form);
// SpeechBusy for the command on hand, which the trace hears is refused.
bool SpeechRefuses(const CommandContext& c);
// Why speech or choices cannot be drawn now (the character is hidden, or
// there is no balloon), told to the trace; nothing when they can.
void TraceUndrawableSpeech(const CommandContext& c);

// Marks the balloon as being drawn: move mode ends and the main window
// lets go of the mouse. False when there is no balloon to draw into or the
// character is hidden.
bool BeginSpeechDrawing(TMainForm& form);

// Pumps messages once after a drawing step, then waits out the character
// delay (not while fast-forwarding) or, while a click is awaited, the
// click. False when the window closed or the runs were stopped meanwhile.
bool PauseAfterStep(TMainForm& form);

// Draws the text after `label` up to its "@E", or to the end of the script.
void ShowSpeech(TMainForm& form, const std::string& label);

// Leaves speech drawing as "@E" does.
void EndSpeech(TMainForm& form);

}  // namespace tk
