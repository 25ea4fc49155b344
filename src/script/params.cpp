#include "script/params.h"

#include <algorithm>

#include "base/text.h"
#include "script/flags.h"

namespace tk {

namespace {

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  return pos;
}

bool IsStop(char c, ParamMode mode) {
  switch (c) {
    case ',':
    case ';':
    case '=':
    case '(':
    case ')':
      return true;
    case ':':
      return mode == ParamMode::kColon;
    default:
      return false;
  }
}

// The position just past the byte at `stop`, or the end of the line.
std::size_t PastStop(std::string_view line, std::size_t stop) {
  return stop < line.size() ? stop + 1 : line.size();
}

std::size_t ReadDelimited(std::string_view line, std::size_t pos, BoundedText& text,
                          ParamMode mode) {
  std::size_t end = pos;
  bool has_dollar = false;
  for (; end < line.size() && !IsStop(line[end], mode); ++end) has_dollar |= line[end] == '$';
  if (!has_dollar) {
    text.AppendCut(line.substr(pos, end - pos));
  } else {
    for (; pos < end; ++pos) text.Append(line[pos] == '$' ? '\n' : line[pos]);
  }
  return PastStop(line, end);
}

bool EndsWithEMark(std::string_view line, std::size_t start, std::size_t semicolon) {
  return semicolon >= start + 2 && line[semicolon - 2] == '@' && line[semicolon - 1] == 'E';
}

// Copies everything up to a ';' that directly follows "@E" (the "@E" is part
// of the text); a line without that end is taken to its end.
std::size_t ReadEText(std::string_view line, std::size_t pos, BoundedText& text) {
  const std::size_t start = pos;
  for (; pos < line.size(); ++pos) {
    if (line[pos] == ';' && EndsWithEMark(line, start, pos)) break;
    text.Append(line[pos]);
  }
  return PastStop(line, pos);
}

std::size_t ReadInto(std::string_view line, std::size_t pos, ParamMode mode, BoundedText& text) {
  pos = SkipBlanks(line, std::min(pos, line.size()));
  return mode == ParamMode::kEText ? ReadEText(line, pos, text)
                                   : ReadDelimited(line, pos, text, mode);
}

}  // namespace

bool IsFlagReference(std::string_view text) {
  return text.size() >= 2 && text[0] == '@' && text[1] == 'F';
}

std::string FlagValueText(const IntFlag* int_flag, const StrFlag* str_flag, std::string text,
                          std::size_t capacity) {
  if (int_flag != nullptr) return BoundedText::Cut(std::to_string(int_flag->value), capacity);
  if (str_flag != nullptr) return BoundedText::Cut(str_flag->text, capacity);
  return text;
}

std::string SubstituteFlag(std::string text, std::size_t capacity, const FlagLists& flags) {
  if (!IsFlagReference(text)) return text;
  const std::string_view name = std::string_view(text).substr(kFlagReferenceNameStart);
  const IntFlag* int_flag = flags.FindIntFlag(name);
  const StrFlag* str_flag = int_flag ? nullptr : flags.FindStrFlag(name);
  return FlagValueText(int_flag, str_flag, std::move(text), capacity);
}

std::size_t ReadParamText(std::string_view line, std::size_t pos, std::size_t capacity,
                          ParamMode mode, std::string& out) {
  BoundedText text(capacity);
  pos = ReadInto(line, pos, mode, text);
  out = text.Take();
  return pos;
}

std::size_t ReadParam(std::string_view line, std::size_t pos, std::size_t capacity, ParamMode mode,
                      const FlagLists& flags, std::string& out) {
  BoundedText text(capacity);
  pos = ReadInto(line, pos, mode, text);
  out = SubstituteFlag(text.Take(), capacity, flags);
  return pos;
}

std::size_t ReadRest(std::string_view line, std::size_t pos, std::size_t capacity,
                     const FlagLists& flags, std::string& out) {
  BoundedText text(capacity);
  pos = SkipBlanks(line, std::min(pos, line.size()));
  for (; pos < line.size() && line[pos] != ';'; ++pos) text.Append(line[pos]);
  out = SubstituteFlag(text.Take(), capacity, flags);
  return PastStop(line, pos);
}

}  // namespace tk
