// The program entry's portable half: create the main window, run the loop.
#pragma once

namespace tk {

class Platform;

// Creates TMainForm (running its start-up), closes it at once when start-up
// failed, otherwise runs the message loop until it closes. Returns the
// process exit code.
int RunProgram(Platform& platform);

}  // namespace tk
