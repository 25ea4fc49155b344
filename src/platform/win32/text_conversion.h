// The only place where text changes encoding: the engine's Shift-JIS bytes
// become UTF-16 for the ...W calls and back. Code page 932 is named
// explicitly so the program does not depend on the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace tk::win32 {

// Undecodable bytes become a replacement character instead of failing.
std::wstring WideFromSjis(std::string_view sjis);
// Characters Shift-JIS lacks become '?'.
std::string SjisFromWide(std::wstring_view wide);

}  // namespace tk::win32
