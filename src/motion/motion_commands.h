// Walking, timed and event actions, clinging to other windows.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

void RunWalkCommand(CommandContext& context);
void RunEventCommand(CommandContext& context);
void RunClingCommand(CommandContext& context);

// Timer handlers.
void OnEventTimer(TMainForm& form);
void OnWalkTimer(TMainForm& form);

// Moves the window onto the window it clung to at the last exit, keeping the
// saved offsets (start-up, before the script loads).
void PlaceOnSavedClingTarget(TMainForm& form);
// Switches clinging back on as it was at the last exit (end of start-up).
void RestoreClinging(TMainForm& form);

}  // namespace tk
