// The command table: every command name with its internal code and the
// subsystem operation it is dispatched to.
#pragma once

#include <span>
#include <string_view>

namespace tk {

struct CommandContext;
using CommandHandler = void (*)(CommandContext&);

struct CommandEntry {
  std::string_view name;  // with the leading '>'
  int code;
  CommandHandler handler;
};

// The 96 commands in table order, then the closing "None" entry (code 0).
std::span<const CommandEntry> CommandTable();

// First entry whose name matches, ignoring the case of ASCII letters byte by
// byte; the "None" entry when nothing matches.
const CommandEntry& LookupCommand(std::string_view name);

}  // namespace tk
