// Commands that do nothing because of the state the character is in say so
// to the trace, since the script shows no sign of it.
#pragma once

#include <string_view>

#include "form/main_form.h"
#include "form/trace.h"
#include "script/command_context.h"

namespace tk {

inline void TraceRefusal(const CommandContext& c, std::string_view why) {
  if (c.form.trace) c.form.trace->CommandRefused(c.run.command_line, ActionLabel(c.run), why);
}

}  // namespace tk
