// Parameter readers shared by every command.
#pragma once

#include <string>
#include <string_view>

namespace tk {

struct FlagLists;
struct IntFlag;
struct StrFlag;

enum class ParamMode {
  kPlain,  // stops at , ; = ( ) and the end of the line; '$' is a line feed
  kColon,  // as plain, ':' stops too
  kEText,  // bytes as they are up to "@E;" (speech text)
};

// Buffer capacities the parameters are read into; a buffer of n bytes holds
// n - 1 bytes of text.
inline constexpr std::size_t kParamCapacity = 128;
inline constexpr std::size_t kFlagNameCapacity = 16;
inline constexpr std::size_t kTitleCapacity = 64;
inline constexpr std::size_t kSpeechCodeCapacity = 32;
// Names in the named cursor table, from MCS and from the clickable map.
inline constexpr std::size_t kCursorNameCapacity = 32;

// Reads one parameter of `line` from `pos` into `out`; returns the position
// after the stop byte, never beyond the end of the line.
std::size_t ReadParam(std::string_view line, std::size_t pos, std::size_t capacity, ParamMode mode,
                      const FlagLists& flags, std::string& out);

// ReadParam without the flag substitution: the parameter as the line holds it,
// which depends on nothing but the line and the arguments.
std::size_t ReadParamText(std::string_view line, std::size_t pos, std::size_t capacity,
                          ParamMode mode, std::string& out);

// Reads up to the next ';' or the end of the line.
std::size_t ReadRest(std::string_view line, std::size_t pos, std::size_t capacity,
                     const FlagLists& flags, std::string& out);

// "@Fname" becomes the value of the integer flag, else the text of the string
// flag of that name, cut to the buffer; anything else stays as it is.
std::string SubstituteFlag(std::string text, std::size_t capacity, const FlagLists& flags);

// Whether SubstituteFlag would look `text` up: it begins with "@F". The name
// follows at kFlagReferenceNameStart.
bool IsFlagReference(std::string_view text);
inline constexpr std::size_t kFlagReferenceNameStart = 2;
// SubstituteFlag once the flags of the name have been found (the string flag
// counts only without an integer flag).
std::string FlagValueText(const IntFlag* int_flag, const StrFlag* str_flag, std::string text,
                          std::size_t capacity);

}  // namespace tk
