// What tkc says on the author's console: the program's Shift-JIS texts, and
// why a tkc command could not do its work.
#pragma once

#include <string>

namespace tkc {

std::string SjisToUtf8(const std::string& sjis);
// What the author typed, as the program's Shift-JIS; a character that has
// none becomes '?'.
std::string Utf8ToSjis(const std::string& utf8);

// Says "tkc: message" on the error stream; returns the exit code of a
// command that failed, 1.
int Fail(const std::string& message);

}  // namespace tkc
