// Named tables of labels that RJP and RCL pick from at random.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class Random;

// Ordered like everything else the window keeps: new tables at the end, new
// entries at the end of their table, the first table of a name wins. Names
// compare bytes exactly. A table never stays empty.
struct RandomJumpTables {
  struct Table {
    std::string name;
    std::vector<std::string> entries;  // duplicates weigh the pick
  };
  std::vector<Table> tables;

  // Names are kept to 31 bytes.
  static constexpr std::size_t kNameCapacity = 32;

  void Add(std::string_view name, std::string label);
  // Empty name: every table. Empty label: every table of that name. Else
  // every entry equal to the label in the first table of that name.
  void Remove(std::string_view name, std::string_view label);
  // A uniformly chosen entry of the first table of the name; nothing when
  // no table has it.
  std::optional<std::string> Pick(std::string_view name, Random& random) const;
  void Clear() { tables.clear(); }
};

}  // namespace tk
