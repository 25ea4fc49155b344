// `tkc preview DIR [--port N] [--no-browser]`: the character on the simulated desktop, live
// in the browser, with its inside in panels beside it.
#pragma once

namespace tkc {

// argv[2] is the folder; exits with 0 after Ctrl-C, 1 when it cannot start.
int Preview(int argc, char** argv);

}  // namespace tkc
