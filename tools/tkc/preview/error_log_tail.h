// The character's error log as it grows: the preview looks now and then and
// reads only what was appended since.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

namespace tkc {

class ErrorLogTail {
 public:
  // The newest lines kept; older ones are dropped.
  static constexpr std::size_t kKeptLines = 200;
  // The most read in one look; a log that grew more is read from its end.
  static constexpr std::uintmax_t kMostPerLook = 256 * 1024;

  explicit ErrorLogTail(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads what was appended; a log cut short or deleted is read afresh.
  // True when the lines changed.
  bool Look();
  // Whole lines, as the program wrote them (Shift-JIS), oldest first.
  const std::deque<std::string>& Lines() const { return lines_; }

 private:
  // Splits off the whole lines; how many there were.
  std::size_t Append(const std::string& bytes);

  std::filesystem::path file_;
  std::uintmax_t read_ = 0;  // bytes of the file taken so far
  std::string partial_;      // the start of a line still being written
  std::deque<std::string> lines_;
};

}  // namespace tkc
