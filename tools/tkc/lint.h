// `tkc lint DIR`: the faults of a character that can be found without running
// it, each with its file and line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tkc {

struct Finding {
  std::string file;  // the file's name inside the character's folder
  std::size_t line;  // from 1; 0 for the file as a whole
  std::string message;
};

// Reads the script (tk_srt.txt, or tk.srt when there is no text form) and the
// clickable map (tk_map.txt, or tk.map) of the character in `folder`. The
// findings come in file order, then line order.
std::vector<Finding> LintCharacter(const std::string& folder);

// Prints the findings as "file:line: message" and returns the exit code:
// 0 when there are none, 1 otherwise.
int RunLint(const std::string& folder);

}  // namespace tkc
