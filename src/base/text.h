// Byte-level text helpers for Shift-JIS script text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tk {

// The scripts were designed around fixed buffers of `capacity` bytes that
// hold at most capacity - 1 text bytes. This is that rule, stated once.
class BoundedText {
 public:
  explicit BoundedText(std::size_t capacity) : limit_(capacity > 0 ? capacity - 1 : 0) {}
  // Appends when there is room; returns false once the buffer is full.
  bool Append(char c) {
    if (text_.size() >= limit_) return false;
    text_.push_back(c);
    return true;
  }
  // Appends as much of `bytes` as there is room for.
  void AppendCut(std::string_view bytes) {
    text_.append(bytes.substr(0, limit_ - std::min(text_.size(), limit_)));
  }
  bool Full() const { return text_.size() >= limit_; }
  const std::string& Text() const { return text_; }
  std::string Take() { return std::move(text_); }

  // `text` as a buffer of `capacity` bytes would hold it.
  static std::string Cut(std::string_view text, std::size_t capacity) {
    const std::size_t limit = capacity > 0 ? capacity - 1 : 0;
    return std::string(text.substr(0, limit));
  }

 private:
  std::size_t limit_;
  std::string text_;
};

// First byte of a two-byte Shift-JIS character.
inline bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Upper-cases single-byte letters, leaving both bytes of every two-byte
// character alone (a trail byte may look like an ASCII letter).
std::string FoldCase(std::string_view text);

// Equality that ignores the case of single-byte letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// A hash that agrees with EqualsIgnoreCase.
std::size_t HashIgnoringCase(std::string_view text);

// For hash maps keyed by names that ignore letter case; lookups take any
// string view without making a folded copy.
struct IgnoreCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return HashIgnoringCase(text); }
};
struct IgnoreCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoreCase(a, b); }
};

// A signed decimal integer that fits in 32 bits: optional sign, digits,
// nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// A finite decimal number: optional sign, digits with an optional fraction
// (at least one digit in all), an optional exponent; nothing else.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace tk
