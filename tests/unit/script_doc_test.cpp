#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "app/command_table.h"

namespace {

// The command of every "### >NAME ..." heading of the author's reference,
// with the line below it: its usage, "`>NAME=first,second;`".
std::map<std::string, std::string, std::less<>> DocumentedUsages() {
  std::ifstream doc(TK_SCRIPT_DOC);
  std::map<std::string, std::string, std::less<>> usages;
  for (std::string line; std::getline(doc, line);) {
    if (!line.starts_with("### >")) continue;
    std::string usage;
    std::getline(doc, usage);
    usages[line.substr(4, line.find(' ', 4) - 4)] = usage;
  }
  return usages;
}

std::set<std::string, std::less<>> DocumentedCommands() {
  std::set<std::string, std::less<>> names;
  for (const auto& [name, usage] : DocumentedUsages()) names.insert(name);
  return names;
}

// How many parameters a usage line names: none for "`>AE;`".
std::size_t UsageParamCount(std::string_view usage) {
  const std::string_view command = usage.substr(0, usage.find(";`"));
  const std::size_t equals = command.find('=');
  if (equals == std::string_view::npos) return 0;
  return 1 + static_cast<std::size_t>(std::ranges::count(command.substr(equals), ','));
}

// Every command has its section, and every section is a command.
TEST(ScriptDoc, HasASectionForEveryCommand) {
  const auto documented = DocumentedCommands();
  std::set<std::string, std::less<>> known;
  for (const tk::CommandEntry& entry : tk::CommandTable()) {
    if (entry.code == 0) continue;
    known.insert(std::string(entry.name));
    EXPECT_TRUE(documented.contains(entry.name)) << entry.name;
  }
  EXPECT_EQ(documented, known);
}

// tkc lint reads a command's parameters by the kinds in its row; the
// reference an author writes from must name as many.
TEST(ScriptDoc, UsageLinesNameAsManyParametersAsTheCommandTableHasKinds) {
  const auto usages = DocumentedUsages();
  for (const tk::CommandEntry& entry : tk::CommandTable()) {
    const auto usage = usages.find(entry.name);
    if (usage == usages.end()) continue;
    EXPECT_EQ(UsageParamCount(usage->second), entry.params.size()) << usage->second;
  }
}

}  // namespace
