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

struct CommandEntry {
  std::string_view name;  // with the leading '>'
  int code;               // the command's number; only data, never a dispatch key
  CommandHandler handler;
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
