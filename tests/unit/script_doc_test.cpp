#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "app/command_table.h"

namespace {

// The command of every "### >NAME ..." heading of the author's reference.
std::set<std::string, std::less<>> DocumentedCommands() {
  std::ifstream doc(TK_SCRIPT_DOC);
  std::set<std::string, std::less<>> names;
  for (std::string line; std::getline(doc, line);) {
    if (line.starts_with("### >")) names.insert(line.substr(4, line.find(' ', 4) - 4));
  }
  return names;
}

// Every command an author can use has its section, and every section is a
// command the program has; commands still waiting for their subsystem are
// left out until it comes.
TEST(ScriptDoc, HasASectionForEveryWorkingCommand) {
  const auto documented = DocumentedCommands();
  ASSERT_FALSE(documented.empty()) << TK_SCRIPT_DOC;
  std::set<std::string, std::less<>> known;
  for (const tk::CommandEntry& entry : tk::CommandTable()) {
    if (entry.code == 0) continue;
    known.insert(std::string(entry.name));
    const bool working = entry.handler != tk::CommandNotBuiltYet;
    EXPECT_EQ(documented.contains(entry.name), working) << entry.name;
  }
  for (const std::string& name : documented) EXPECT_TRUE(known.contains(name)) << name;
}

}  // namespace
