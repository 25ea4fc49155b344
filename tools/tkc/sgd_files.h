// `tkc sgd encode IN.bmp OUT.sgd` and `tkc sgd decode IN.sgd OUT.bmp`: an
// author's own pictures into the compressed format and back.
#pragma once

#include <string>

namespace tkc {

// Both return the exit code: 0, or 1 after a message on the error stream.
int EncodeSgdFile(const std::string& bmp_path, const std::string& sgd_path);
int DecodeSgdFile(const std::string& sgd_path, const std::string& bmp_path);

}  // namespace tkc
