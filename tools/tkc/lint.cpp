#include "lint.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "app/command_table.h"
#include "base/text.h"
#include "console_text.h"
#include "files.h"
#include "interaction/clickable_map.h"
#include "script/encoded_file.h"
#include "script/flags.h"
#include "script/params.h"
#include "script/runner.h"
#include "script/script_lines.h"

namespace tkc {

namespace {

namespace fs = std::filesystem;

struct SourceFile {
  std::string name;
  tk::Lines lines;
};

// A line the runner can find as a label: a name and a colon, nothing else.
// Notes in a script are sentences, and sentences have blanks in them.
bool IsLabelLine(std::string_view line) {
  return line.size() > 1 && line.front() != '>' && line.back() == ':' &&
         line.find_first_of(" \t") == std::string_view::npos;
}

// The script's findings come first, then the map's.
int FileRank(std::string_view file) {
  constexpr std::array<std::string_view, 4> kOrder{"tk_srt.txt", "tk.srt", "tk_map.txt", "tk.map"};
  return static_cast<int>(std::find(kOrder.begin(), kOrder.end(), file) - kOrder.begin());
}

bool HasFlagValue(std::string_view value) {
  return value.starts_with("@F");
}

// Where a parameter was read, for the messages.
struct Place {
  const SourceFile* file;
  std::size_t index;     // line index, from 0
  std::string_view who;  // ">IDS", "region"
  std::size_t param;     // from 1
};

class Linter {
 public:
  explicit Linter(std::string folder) : folder_(std::move(folder)) { ListFolder(); }

  std::vector<Finding> Run() {
    if (auto script = ReadSource("tk_srt.txt", "tk.srt", "*TKScriptFile")) {
      script_ = std::move(*script);
      script_read_ = true;
      CollectLabels();
      CollectFlags();
      for (std::size_t i = 0; i < script_.lines.size(); ++i) CheckCommandLine(i);
    }
    if (auto map = ReadSource("tk_map.txt", "tk.map", "*TKClickableMapFile")) {
      map_ = std::move(*map);
      for (std::size_t i = 0; i < map_.lines.size(); ++i) CheckMapRecord(i);
    }
    CheckCursorNames();
    CheckSpeechTexts();
    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
      return std::pair(FileRank(a.file), a.line) < std::pair(FileRank(b.file), b.line);
    });
    return std::move(findings_);
  }

 private:
  void Report(const SourceFile& file, std::size_t index, std::string message) {
    findings_.push_back({file.name, index + 1, std::move(message)});
  }
  void ReportFile(std::string file, std::string message) {
    findings_.push_back({std::move(file), 0, std::move(message)});
  }
  void Report(const Place& at, const std::string& message) {
    Report(*at.file, at.index, std::string(at.who) + ": " + message);
  }

  // The program's files are found whatever the letter case on Windows.
  void ListFolder() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
      folded_names_.insert(tk::FoldCase(entry.path().filename().string()));
    }
  }
  bool FileExists(const std::string& name) const {
    std::error_code error;
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::is_regular_file(fs::path(folder_) / path, error) ||
           folded_names_.contains(tk::FoldCase(name));
  }

  // The text form when there is one (it is what the author edits and what
  // the line numbers should point into), else the encoded form. The program
  // refuses a file without its marker whole, so its lines are not looked at.
  std::optional<SourceFile> ReadSource(const std::string& text_name,
                                       const std::string& encoded_name, std::string_view marker) {
    auto file = ReadEitherForm(text_name, encoded_name);
    if (!file) return std::nullopt;
    const bool marked = std::any_of(file->lines.begin(), file->lines.end(), [&](const auto& line) {
      return tk::EqualsIgnoreCase(line, marker);
    });
    if (!marked) {
      ReportFile(file->name, "has no line " + std::string(marker));
      return std::nullopt;
    }
    return file;
  }

  std::optional<SourceFile> ReadEitherForm(const std::string& text_name,
                                           const std::string& encoded_name) {
    const auto text = ReadAll((fs::path(folder_) / text_name).string());
    const auto stored = ReadAll((fs::path(folder_) / encoded_name).string());
    SourceFile encoded{encoded_name, {}};
    const bool decoded = stored && tk::DecodeLines(*stored, encoded.lines);
    if (text) {
      SourceFile file{text_name, tk::SplitTextLines(*text)};
      // The program reads the encoded form unless tk.ini asks for the text,
      // so an encoded form left behind by an edit is what users would see.
      if (stored && (!decoded || encoded.lines != file.lines)) {
        ReportFile(encoded_name, "differs from " + text_name + "; run: tkc encode " + text_name +
                                     " " + encoded_name);
      }
      return file;
    }
    if (!stored) {
      ReportFile(text_name, "missing, and so is " + encoded_name);
    } else if (!decoded) {
      ReportFile(encoded_name, "not an encoded file (line " +
                                   std::to_string(encoded.lines.size() + 1) +
                                   " has a broken line end)");
    } else {
      return encoded;
    }
    return std::nullopt;
  }

  // The program finds a label as a whole line, so any line can be one; the
  // first of equal lines is the one found. Only lines that look like labels
  // are reported as defined twice: notes may well repeat.
  void CollectLabels() {
    for (std::size_t i = 0; i < script_.lines.size(); ++i) {
      const std::string& line = script_.lines[i];
      const auto [first, added] = first_line_.try_emplace(tk::FoldCase(line), i);
      if (!added && IsLabelLine(line)) {
        Report(script_, i,
               "label " + line + " is defined again; only the first, on line " +
                   std::to_string(first->second + 1) + ", can ever run");
      }
    }
  }
  std::optional<std::size_t> FindLabel(const std::string& label) const {
    const auto found = first_line_.find(tk::FoldCase(label + ":"));
    if (found == first_line_.end()) return std::nullopt;
    return found->second;
  }

  // Flags come only from the flag-init block; its end line matches only as
  // written, as the program reads it.
  void CollectFlags() {
    const auto begin = FindLabel("_BeginInitFlags");
    if (!begin) return;
    for (std::size_t i = *begin + 1; i < script_.lines.size(); ++i) {
      const std::string& line = script_.lines[i];
      if (line == "_EndInitFlags:") break;
      DeclareFlag(line, i);
    }
  }
  void DeclareFlag(std::string_view line, std::size_t index) {
    std::string type, name, value;
    std::size_t pos =
        tk::ReadParam(line, 0, tk::kParamCapacity, tk::ParamMode::kColon, no_flags_, type);
    const bool is_int = tk::EqualsIgnoreCase(type, "int");
    if (!is_int && !tk::EqualsIgnoreCase(type, "str")) return;
    pos = tk::ReadParam(line, pos, tk::kFlagNameCapacity, tk::ParamMode::kPlain, no_flags_, name);
    flag_names_.insert(tk::FoldCase(name));
    tk::ReadRest(line, pos, tk::kParamCapacity, no_flags_, value);
    if (is_int && !value.empty() && !HasFlagValue(value) && !tk::ParseInt32(value)) {
      Report(script_, index,
             "flag " + name + ": the value " + Quoted(value) + " is not a whole number");
    }
  }

  void CheckCommandLine(std::size_t index) {
    const std::string& line = script_.lines[index];
    if (line.empty() || line.front() != '>') return;
    std::size_t pos = 0;
    const std::string_view name = tk::CommandName(line, pos);
    const tk::CommandEntry& entry = tk::LookupCommand(name);
    if (entry.code == 0) {
      Report(script_, index, "unknown command " + std::string(name));
      return;
    }
    CheckParams(line, pos, entry.params, {&script_, index, entry.name, 0});
  }

  // A map record is a region without its command name.
  void CheckMapRecord(std::size_t index) {
    const std::string& line = map_.lines[index];
    if (line.empty() || line.front() != '>') return;
    CheckParams(line, 1, "NNNNKL", {&map_, index, "region", 0});
  }

  void CheckParams(std::string_view line, std::size_t pos, std::string_view kinds, Place at) {
    std::string previous;
    for (const char kind : kinds) {
      ++at.param;
      const auto mode = kind == ':'   ? tk::ParamMode::kColon
                        : kind == 'E' ? tk::ParamMode::kEText
                                      : tk::ParamMode::kPlain;
      std::string value;
      pos = tk::ReadParam(line, pos, tk::kParamCapacity, mode, no_flags_, value);
      // A flag's value is known only while the character runs; without the
      // flag the parameter stays as written, which no command wants.
      if (HasFlagValue(value)) {
        CheckFlagName(value.substr(2), at);
      } else {
        CheckParam(kind == 'V' ? SecondsOrCount(previous) : kind, value, at);
      }
      previous = std::move(value);
    }
  }

  // An interval event's value is in seconds for kind 0, else a whole count.
  static char SecondsOrCount(const std::string& event_kind) {
    return tk::ParseInt32(event_kind).value_or(0) == 0 ? 'D' : 'N';
  }

  void CheckFlagName(const std::string& name, const Place& at) {
    if (!flag_names_.contains(tk::FoldCase(name))) {
      Report(at, "flag " + Quoted(name) + " is not declared between _BeginInitFlags: and " +
                     "_EndInitFlags:");
    }
  }

  void CheckParam(char kind, const std::string& value, const Place& at) {
    switch (kind) {
      case 'M':
        speech_labels_.push_back({at.index, value});
        [[fallthrough]];
      case 'L':
      case 'l':
        return CheckLabel(value, kind != 'l', at);
      case 'N':
      case 'n':
      case ':':
        if (kind == 'n' && value.empty()) return;
        if (!tk::ParseInt32(value)) NotANumber(value, "a whole number", at);
        return;
      case 'D':
        if (!tk::ParseDecimal(value)) NotANumber(value, "a number", at);
        return;
      case 'P':
      case 'p':
        if (kind == 'p' && IsNoPicture(value)) return;
        return CheckFile(value, "picture", at);
      case 'S':
        return CheckFile(value, "sound", at);
      case 'C':
        return CheckFile(value, "cursor", at);
      case 'I':
        if (!value.empty()) CheckFile(value, "icon", at);
        return;
      case 'K':
        cursor_uses_.push_back({at, value});
        return;
      case 'k':
        cursor_names_.insert(tk::FoldCase(value));
        return;
      case 'F':
        return CheckFlagName(value, at);
      case 'E':
        if (!value.ends_with("@E")) Report(at, "choice text " + Quoted(value) + " has no @E");
        return;
      default:
        return;
    }
  }

  static bool IsNoPicture(const std::string& value) {
    return value.empty() || value == "0" || tk::EqualsIgnoreCase(value, "DEFAULT");
  }
  static std::string Quoted(const std::string& value) { return "\"" + value + "\""; }

  void CheckLabel(const std::string& label, bool required, const Place& at) {
    if (label.empty()) {
      if (required) Report(at, "parameter " + std::to_string(at.param) + " names no label");
      return;
    }
    if (script_read_ && !FindLabel(label)) {
      Report(at, "label " + label + " is not defined in " + script_.name);
    }
  }

  void NotANumber(const std::string& value, const std::string& what, const Place& at) {
    const std::string param = "parameter " + std::to_string(at.param);
    Report(at, value.empty() ? param + " is missing; it must be " + what
                             : param + " " + Quoted(value) + " is not " + what);
  }

  void CheckFile(const std::string& name, const std::string& what, const Place& at) {
    if (name.empty()) {
      Report(at, "parameter " + std::to_string(at.param) + " names no " + what + " file");
    } else if (!FileExists(name)) {
      Report(at, what + " file " + name + " is missing");
    }
  }

  // Cursors are loaded by the script, which runs after the map is read, so
  // the names are checked once every MCS has been seen.
  void CheckCursorNames() {
    for (const auto& [at, name] : cursor_uses_) {
      if (tk::EqualsIgnoreCase(name, "CSARROW") || tk::EqualsIgnoreCase(name, "CSHAND")) continue;
      if (cursor_names_.contains(tk::FoldCase(name))) continue;
      Report(at, "cursor " + Quoted(name) + " is neither loaded by >MCS nor CSARROW or CSHAND");
    }
  }

  // Every line after a speech label is text, up to the first @E; a label
  // line before it would be drawn as text too.
  void CheckSpeechTexts() {
    std::unordered_set<std::size_t> checked;
    for (const auto& [use_index, label] : speech_labels_) {
      const auto found = FindLabel(label);
      if (!found || !checked.insert(*found).second) continue;
      const std::size_t start = *found;
      for (std::size_t i = start + 1;; ++i) {
        if (i == script_.lines.size()) {
          Report(script_, start, "the text of " + label + " has no @E before the script ends");
          break;
        }
        const std::string& line = script_.lines[i];
        if (line.find("@E") != std::string::npos) break;
        if (IsLabelLine(line)) {
          Report(script_, start,
                 "the text of " + label + " has no @E before the next label, " + line +
                     " on line " + std::to_string(i + 1));
          break;
        }
      }
    }
  }

  std::string folder_;
  std::unordered_set<std::string> folded_names_;
  SourceFile script_{"tk_srt.txt", {}};
  bool script_read_ = false;  // labels are known only then
  SourceFile map_{"tk_map.txt", {}};
  std::unordered_map<std::string, std::size_t> first_line_;  // folded line -> its first index
  std::unordered_set<std::string> flag_names_;               // folded
  std::unordered_set<std::string> cursor_names_;             // folded, from MCS
  std::vector<std::pair<Place, std::string>> cursor_uses_;
  std::vector<std::pair<std::size_t, std::string>> speech_labels_;
  tk::FlagLists no_flags_;  // nothing is substituted: flags have no values yet
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> LintCharacter(const std::string& folder) {
  return Linter(folder).Run();
}

int RunLint(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    return Fail(folder + " is not a folder");
  }
  const std::vector<Finding> findings = LintCharacter(folder);
  for (const Finding& finding : findings) {
    std::cout << finding.file;
    if (finding.line > 0) std::cout << ":" << finding.line;
    std::cout << ": " << SjisToUtf8(finding.message) << "\n";
  }
  return findings.empty() ? 0 : 1;
}

}  // namespace tkc
