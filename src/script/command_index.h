// What the runner needs of the command table: rows naming each command's own
// operation, and a lookup that finds a name without walking the table.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tk {

struct CommandContext;
using CommandHandler = void (*)(CommandContext&);

// What each parameter of a command is, one letter a parameter in the order
// the command reads them, so that a script can be checked without running it:
//   L label that must be defined     l label, or empty for none
//   M label of a speech text (defined, and its text needs @E)
//   N whole number                   n whole number, or empty
//   : whole number that also stops at ':' (clock times such as 12:30)
//   D decimal number (a fraction allowed)
//   V a decimal number when the parameter before it is 0, else a whole one
//   P picture file                   p picture file, empty or "0"/"DEFAULT" for none
//   S sound file     C cursor file   I icon file, or empty
//   K cursor name (loaded by MCS, or built in)     k the name MCS gives a cursor
//   F flag name (declared in the flag-init block)
//   T text of any kind               E choice text ending in @E
inline constexpr std::string_view kParamKinds = "LlMNn:DVPpSCIKkFTE";

struct CommandEntry {
  std::string_view name;  // with the leading '>'
  int code;               // the command's number; only data, never a dispatch key
  CommandHandler handler;
  std::string_view params;  // letters of kParamKinds
};

// Finds table rows by name, ignoring the case of ASCII letters byte by byte;
// the first row of a name wins. The table ends with a row of code 0 that
// stands for every unknown name.
class CommandIndex {
 public:
  explicit CommandIndex(std::span<const CommandEntry> table);
  const CommandEntry& Find(std::string_view name) const;

 private:
  static constexpr std::size_t kSlots = 512;  // a power of two, well above the row count
  struct Slot {
    std::uint64_t key = 0;  // 0: empty; no name packs to 0
    const CommandEntry* entry = nullptr;
  };
  const Slot* Probe(std::uint64_t key) const;
  std::array<Slot, kSlots> slots_{};
  const CommandEntry* unknown_ = nullptr;
};

}  // namespace tk
