// What tkc says on the author's console: the program's Shift-JIS texts, and
// why a tkc command could not do its work.
#pragma once

#include <string>

namespace tkc {

std::string SjisToUtf8(const std::string& sjis);

// Says "tkc: message" on the error stream; returns the exit code of a
// command that failed, 1.
int Fail(const std::string& message);

}  // namespace tkc
