#include "lint_table.h"

#include <gtest/gtest.h>

#include "app/command_table.h"

namespace {

// tkc lint reads every command with this table; a command the table lacks,
// or a letter it does not know, would go unchecked.
TEST(LintTable, DescribesEveryCommandWithKnownKinds) {
  for (const tk::CommandEntry& entry : tk::CommandTable()) {
    if (entry.code == 0) continue;
    const auto params = tkc::FindCommandParams(entry.name);
    ASSERT_TRUE(params) << entry.name;
    EXPECT_EQ(params->kinds.find_first_not_of("LlMNn:DVPpSCIKkFTE"), std::string_view::npos)
        << entry.name;
  }
}

}  // namespace
