// What a command operation sees of the run that dispatched it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "script/error_log.h"
#include "script/params.h"
#include "script/parsed_line.h"

namespace tk {

class TMainForm;
struct LoadedScript;

// State of one RunAction call; nested runs have their own.
struct ActionRun {
  std::string label;  // with its colon once the search has begun
  std::size_t line_index = 0;
  // The script the run took its current command from, held so that the
  // line and its parsed form last while the command executes.
  std::shared_ptr<LoadedScript> script;
  std::string_view command_line;  // a line of `script`; quoted in error-log lines
  ParsedLine* parsed = nullptr;   // its parsed form; none for a line not taken from a script
  bool end_of_action = false;
  bool result = true;
  std::optional<std::string> jump_target;  // label without its colon
  const ActionRun* outer = nullptr;        // the run this one is nested in
};

// The label of the action a command runs in, as the script wrote it: up to
// its colon. Commands that would start that same action refuse.
inline std::string_view ActionLabel(const ActionRun& run) {
  const std::string_view label = run.label;
  return label.substr(0, label.find(':'));
}

// A plain parameter, read but left where the parsed line keeps it until the
// command takes it as text, number or flag name: a number or a flag lookup
// the line keeps is then taken without copying the text. A flag reference is
// substituted when it is read, as Param does.
struct Operand {
  std::size_t place;  // in the parsed line; kNotKept when known by `text` alone
  std::string text;   // empty for a kept parameter
};

struct CommandContext {
  TMainForm& form;
  ActionRun& run;
  std::size_t pos;        // read position in run.command_line
  std::size_t reads = 0;  // parameters read so far: the place the next one is likely kept at

  std::string Param(ParamMode mode = ParamMode::kPlain, std::size_t capacity = kParamCapacity);
  std::string Rest(std::size_t capacity = kParamCapacity);
  Operand ReadOperand();
  std::string Text(const Operand& operand);
  std::optional<std::int32_t> Number(const Operand& operand);
  // The flags an operand names.
  FoundFlags FlagsNamed(const Operand& operand);
  // Reads a numeric parameter; reports a Parameter Error when it does not
  // convert, after which the command is expected to do nothing further.
  std::optional<std::int32_t> Int();
  // Reads N numeric parameters in turn; nothing after the first that does
  // not convert (which is reported).
  template <std::size_t N>
  std::optional<std::array<std::int32_t, N>> Ints() {
    std::array<std::int32_t, N> values{};
    for (std::int32_t& value : values) {
      const auto read = Int();
      if (!read) return std::nullopt;
      value = *read;
    }
    return values;
  }

  // Logs an error of `kind` for the current command line; `file` is the
  // file a File open Error is about.
  void Report(ErrorKind kind, std::string_view file = {});
  void JumpTo(std::string label) { run.jump_target = std::move(label); }
  void EndAction() { run.end_of_action = true; }

 private:
  // The place of the next parameter in the parsed line, moving past it; or
  // kNotKept (and nothing moved) when it is to be read from the line.
  std::size_t NextKept(ParamMode mode, std::size_t capacity);
  std::string ReadFromLine(ParamMode mode, std::size_t capacity);
};

}  // namespace tk
