// Shift-JIS texts of the program shown on the author's console.
#pragma once

#include <string>

namespace tkc {

std::string SjisToUtf8(const std::string& sjis);

}  // namespace tkc
