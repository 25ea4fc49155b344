#include "app/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tk {
namespace {

TEST(CommandTable, HoldsNinetySixCommandsWithUniqueNamesAndCodesThenNone) {
  const auto table = CommandTable();
  ASSERT_EQ(table.size(), 97u);
  EXPECT_EQ(table.back().name, "None");
  EXPECT_EQ(table.back().code, 0);
  std::set<std::string_view> names;
  std::set<int> codes;
  for (std::size_t i = 0; i + 1 < table.size(); ++i) {
    EXPECT_TRUE(names.insert(table[i].name).second) << table[i].name;
    EXPECT_TRUE(codes.insert(table[i].code).second) << table[i].code;
    EXPECT_NE(table[i].handler, nullptr) << table[i].name;
    EXPECT_EQ(table[i].name.front(), '>');
    EXPECT_LE(table[i].name.size(), 5u);
  }
}

TEST(CommandTable, LookupIgnoresLetterCaseOnly) {
  EXPECT_EQ(LookupCommand(">ids").code, 3);
  EXPECT_EQ(LookupCommand(">Jmp").code, 170);
  EXPECT_EQ(LookupCommand(">fv+").code, 151);
  EXPECT_EQ(LookupCommand(">exec").code, 91);
  EXPECT_EQ(LookupCommand(">AE").code, 99);
  EXPECT_EQ(LookupCommand(">IDSX").code, 0);
  EXPECT_EQ(LookupCommand("IDS").code, 0);
  EXPECT_EQ(LookupCommand(">").code, 0);
  EXPECT_EQ(LookupCommand("").code, 0);
  EXPECT_EQ(LookupCommand("none").code, 0);
  EXPECT_EQ(LookupCommand(">ID").code, 0);
}

}  // namespace
}  // namespace tk
