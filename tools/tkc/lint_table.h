// What `tkc lint` knows of each command: the kind of every parameter, in the
// order the command reads them.
#pragma once

#include <optional>
#include <string_view>

namespace tkc {

// One letter a parameter, so that the table reads as one line a command:
//   L label that must be defined     l label, or empty for none
//   M label of a speech text (defined, and its text needs @E)
//   N whole number                   n whole number, or empty
//   : whole number that also stops at ':' (clock times such as 12:30)
//   D decimal number (a fraction allowed)
//   V a decimal number when the parameter before it is 0, else a whole one
//   P picture file                   p picture file, empty or "0"/"DEFAULT" for none
//   S sound file     C cursor file   I icon file, or empty
//   K cursor name (loaded by MCS, or built in)
//   F flag name (declared in the flag-init block)
//   T text of any kind               E choice text ending in @E
struct CommandParams {
  std::string_view name;   // as in the command table, with its '>'
  std::string_view kinds;  // the letters above
};

// The row of a command named as the command table names it; none for a
// command the table does not have.
std::optional<CommandParams> FindCommandParams(std::string_view table_name);

}  // namespace tkc
