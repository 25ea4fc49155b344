// The program entry's portable half: create the main window, run the loop.
#pragma once

#include <functional>

namespace tk {

class Platform;
class TMainForm;

// Lets a host of the program (the author tool) reach the form once it
// exists and before its start-up runs, to watch or bound what it does.
using FormCreatedHook = std::function<void(TMainForm&)>;

// Creates TMainForm (running its start-up), closes it at once when start-up
// failed, otherwise runs the message loop until it closes. Returns the
// process exit code.
int RunProgram(Platform& platform, const FormCreatedHook& on_form_created = {});

}  // namespace tk
