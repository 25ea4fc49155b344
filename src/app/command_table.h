// The command table: every command name with its number, the operation it
// runs and the kinds of its parameters. It sits above every subsystem, so the
// runner below it knows none.
#pragma once

#include <span>
#include <string_view>

#include "script/command_index.h"

namespace tk {

// The 96 commands in table order, then the closing "None" row (code 0).
std::span<const CommandEntry> CommandTable();
// The index of that table, built once.
const CommandIndex& Commands();

// First row whose name matches, ignoring the case of ASCII letters byte by
// byte; the "None" row when nothing matches.
const CommandEntry& LookupCommand(std::string_view name);

}  // namespace tk
