#include "script/error_log.h"

#include <utility>

#include "base/messages.h"
#include "form/main_form.h"

namespace tk {

namespace {

const char* KindText(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kCommand:
      return "Command Error";
    case ErrorKind::kFileOpen:
      return "File open Error";
    case ErrorKind::kNesting:
      return "Nesting Error";
    case ErrorKind::kRecursiveCall:
      return "Recursive call Error";
    case ErrorKind::kLabelNotFound:
      return "Label not found Error";
    case ErrorKind::kParameter:
      return "Parameter Error";
  }
  return "";
}

// The box the log itself shows; the other kinds' reporters show their own.
const char* KindMessage(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kFileOpen:
      return msg::kFileOpenError;
    case ErrorKind::kLabelNotFound:
      return msg::kLabelNotFound;
    case ErrorKind::kParameter:
      return msg::kParameterError;
    default:
      return nullptr;
  }
}

constexpr char kRepeatsNotLogged[] = "The error above repeats; its further repeats are not logged";

std::string TimeStamp(const LocalTime& t) {
  std::string stamp = "[";
  for (const auto& [value, separator] :
       {std::pair{t.month, "/"}, std::pair{t.day, " "}, std::pair{t.hour, ":"},
        std::pair{t.minute, ":"}, std::pair{t.second, "] "}}) {
    stamp += std::to_string(value);
    stamp += separator;
  }
  return stamp;
}

}  // namespace

std::string FormatErrorLine(const LocalTime& time, std::string_view text, std::string_view label,
                            ErrorKind kind, long long line_index) {
  std::string line = TimeStamp(time) + KindText(kind);
  if (kind == ErrorKind::kLabelNotFound) {
    line += " LabelName[";
    line += label;
    line += "]";
  } else {
    line += " Line(" + std::to_string(line_index) + ") LabelName[";
    line += label;
    line += "] ";
    line += text;
  }
  line += "\r\n";
  return line;
}

void LogScriptError(TMainForm& form, std::string_view text, std::string_view label, ErrorKind kind,
                    long long line_index, std::string_view named_file) {
  Platform& platform = form.platform;
  const char* message = KindMessage(kind);
  // Errors of one kind without pause, as from a call fan-out cycling through
  // a few lines, are written a thousand times, then as a note that the
  // repeats are left out.
  const auto verdict = form.repeated_log_lines.Check(KindText(kind), platform.TickCount());
  if (verdict == RepeatGuard::Verdict::kHeld) {
    if (message) form.ShowError(message, named_file);
    return;
  }
  const auto file = platform.OpenForAppend(kErrorLogFile);
  if (!file) {
    form.ShowError(msg::kErrorLogUnopenable, kErrorLogFile);
    return;
  }
  if (!file->SeekToEnd()) return;
  if (message) form.ShowError(message, named_file);
  file->Write(verdict == RepeatGuard::Verdict::kPass
                  ? FormatErrorLine(platform.Now(), text, label, kind, line_index)
                  : TimeStamp(platform.Now()) + kRepeatsNotLogged + "\r\n");
  form.repeated_log_lines.Done(platform.TickCount());
}

void LogNote(TMainForm& form, std::string_view text) {
  const auto file = form.platform.OpenForAppend(kErrorLogFile);
  if (!file || !file->SeekToEnd()) return;
  file->Write(TimeStamp(form.platform.Now()) + std::string(text) + "\r\n");
}

}  // namespace tk
