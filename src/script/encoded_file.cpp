#include "script/encoded_file.h"

#include "platform/platform.h"

namespace tk {

namespace {

constexpr unsigned char kEncodedCr = 13 + 1;
constexpr unsigned char kEncodedLf = 10 + 1;

unsigned char Decode(char stored) {
  return static_cast<unsigned char>(stored) - 1;
}

}  // namespace

bool DecodeLines(std::string_view stored, Lines& lines) {
  lines.clear();
  std::string pending;
  std::size_t decoded_bytes = 0;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const unsigned char d = Decode(stored[i]);
    if (d == 13) {
      if (++i == stored.size()) break;
      if (Decode(stored[i]) != 10) return false;
      lines.push_back(std::move(pending));
      pending.clear();
    } else if (d == 12) {
      // An unencoded CR: the plain line end the writer puts after the data.
      if (++i == stored.size()) break;
      const unsigned char next = Decode(stored[i]);
      if (next == 9) {
        // The pending text stays pending, so each further plain line end
        // repeats it: a small file could decode to an unbounded amount.
        decoded_bytes += pending.size();
        if (decoded_bytes > kMaxDataFileBytes) return false;
        if (!pending.empty()) lines.push_back(pending);
      } else {
        pending.push_back(static_cast<char>(next));
      }
    } else {
      pending.push_back(static_cast<char>(d));
    }
  }
  return true;
}

std::string EncodeLines(const Lines& lines, std::size_t* dropped) {
  std::string stored;
  std::size_t left_out = 0;
  for (const std::string& line : lines) {
    for (char c : line) {
      if (StorableInLine(c)) {
        stored.push_back(static_cast<char>(static_cast<unsigned char>(c) + 1));
      } else {
        ++left_out;
      }
    }
    stored.push_back(static_cast<char>(kEncodedCr));
    stored.push_back(static_cast<char>(kEncodedLf));
  }
  stored += "\r\n";
  if (dropped != nullptr) *dropped = left_out;
  return stored;
}

Lines SplitTextLines(std::string_view text) {
  Lines lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

std::string JoinTextLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool ReadEncodedFile(Platform& platform, const std::string& name, Lines& lines) {
  lines.clear();
  const auto stored = platform.ReadFile(name, kMaxDataFileBytes);
  return stored && DecodeLines(*stored, lines);
}

bool WriteEncodedFile(Platform& platform, const std::string& name, const Lines& lines,
                      std::size_t* dropped) {
  return platform.WriteFileReplacing(name, EncodeLines(lines, dropped));
}

bool ReadTextFile(Platform& platform, const std::string& name, Lines& lines) {
  lines.clear();
  const auto text = platform.ReadFile(name, kMaxDataFileBytes);
  if (!text) return false;
  lines = SplitTextLines(*text);
  return true;
}

}  // namespace tk
