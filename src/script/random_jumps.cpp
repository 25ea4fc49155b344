#include "script/random_jumps.h"

#include <algorithm>

#include "base/random.h"
#include "base/text.h"

namespace tk {

namespace {

std::string TableName(std::string_view name) {
  return BoundedText::Cut(name, RandomJumpTables::kNameCapacity);
}

template <typename Tables>
auto FindTable(Tables& tables, std::string_view name) {
  const std::string key = TableName(name);
  return std::find_if(tables.begin(), tables.end(), [&](const auto& t) { return t.name == key; });
}

}  // namespace

void RandomJumpTables::Add(std::string_view name, std::string label) {
  auto table = FindTable(tables, name);
  if (table == tables.end()) {
    tables.push_back({TableName(name), {}});
    table = std::prev(tables.end());
  }
  table->entries.push_back(std::move(label));
}

void RandomJumpTables::Remove(std::string_view name, std::string_view label) {
  if (name.empty()) {
    tables.clear();
    return;
  }
  const std::string key = TableName(name);
  if (label.empty()) {
    std::erase_if(tables, [&](const Table& t) { return t.name == key; });
    return;
  }
  const auto table = FindTable(tables, name);
  if (table == tables.end()) return;
  std::erase(table->entries, label);
  if (table->entries.empty()) tables.erase(table);
}

std::optional<std::string> RandomJumpTables::Pick(std::string_view name, Random& random) const {
  const auto table = FindTable(tables, name);
  if (table == tables.end() || table->entries.empty()) return std::nullopt;
  const auto n = static_cast<int>(table->entries.size());
  return table->entries[static_cast<std::size_t>(random.Next() % n)];
}

}  // namespace tk
