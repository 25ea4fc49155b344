// The script error log "tk_error.txt" and the boxes that go with it.
#pragma once

#include <string>
#include <string_view>

namespace tk {

class TMainForm;
struct LocalTime;

enum class ErrorKind {
  kCommand = 1,
  kFileOpen = 2,
  kNesting = 3,
  kRecursiveCall = 4,
  kLabelNotFound = 5,
  kParameter = 6,
};

inline constexpr char kErrorLogFile[] = "tk_error.txt";

// One log line, CR LF included.
std::string FormatErrorLine(const LocalTime& time, std::string_view text, std::string_view label,
                            ErrorKind kind, long long line_index);

// Appends one line for the error, showing the kind's own box first where
// the kind has one (about `named_file`, when there is one). Never changes the
// reporter's flow.
void LogScriptError(TMainForm& form, std::string_view text, std::string_view label, ErrorKind kind,
                    long long line_index, std::string_view named_file = {});

// Appends a time-stamped note of the program's own, with no box.
void LogNote(TMainForm& form, std::string_view text);

}  // namespace tk
