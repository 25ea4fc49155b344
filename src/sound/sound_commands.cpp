#include "sound/sound_commands.h"

namespace tk {

// The sound player is not built yet: no player exists, sound commands do
// nothing.
void RunSoundCommand(CommandContext&) {}
void CreateSoundPlayer(TMainForm&) {}

}  // namespace tk
