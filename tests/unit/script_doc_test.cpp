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

}  // namespace
