#include "app/command_table.h"

#include <gtest/gtest.h>

#include <cctype>
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

// tkc lint checks each parameter by its letter; a letter it does not know
// would leave that parameter, and every one after it, unchecked.
TEST(CommandTable, ParameterKindsAreKnownLettersAndTheNoneRowHasNone) {
  for (const CommandEntry& row : CommandTable()) {
    EXPECT_EQ(row.params.find_first_not_of(kParamKinds), std::string_view::npos) << row.name;
  }
  EXPECT_EQ(CommandTable().back().params, "");
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

TEST(CommandTable, EveryRowIsFoundByItsOwnNameInAnyCaseAndTheFirstOfANameWins) {
  for (const CommandEntry& row : CommandTable()) {
    std::string lower(row.name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(&LookupCommand(lower), row.code == 0 ? &CommandTable().back() : &row) << row.name;
  }
  const CommandEntry rows[] = {{">ab", 1, nullptr, ""},
                               {">AB", 2, nullptr, ""},
                               {">\x83"
                                "a",
                                3, nullptr, ""},
                               {"None", 0, nullptr, ""}};
  const CommandIndex index(rows);
  EXPECT_EQ(index.Find(">Ab").code, 1);
  // Command names fold every byte on its own, two-byte characters or not.
  EXPECT_EQ(index
                .Find(">\x83"
                      "A")
                .code,
            3);
  EXPECT_EQ(index
                .Find(">\x84"
                      "a")
                .code,
            0);
  EXPECT_EQ(index.Find(">abcdefgh").code, 0);
}

}  // namespace
}  // namespace tk
