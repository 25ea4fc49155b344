// The prompt mark that blinks while speech waits for a click, and MPS.
#pragma once

#include <string>

namespace tk {

class TMainForm;

// The program's own strip: four frames, at the balloon's corner, 200 ms.
void LoadDefaultPrompt(TMainForm& form);
// MPS. False (after the message box) when the picture does not load.
bool SetPromptMark(TMainForm& form, const std::string& file, int frames, int x, int y,
                   int interval_ms);
// Lets the mark blink while a click is awaited; a running mark goes on.
void StartPrompt(TMainForm& form);
// The prompt timer's handler.
void StepPrompt(TMainForm& form);
// Ends a click-wait whose mark has shown: the balloon under it comes back.
// False while no mark has been drawn yet.
bool EndClickWait(TMainForm& form);
// Stops the mark without restoring anything (the speech was cut short).
void StopPrompt(TMainForm& form);

}  // namespace tk
