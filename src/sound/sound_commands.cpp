#include "sound/sound_commands.h"

namespace tk {

// The sound player is not built yet: no player exists.
void CreateSoundPlayer(TMainForm&) {}

}  // namespace tk
