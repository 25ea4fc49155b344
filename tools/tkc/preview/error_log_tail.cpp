#include "error_log_tail.h"

#include <fstream>

namespace tkc {

namespace fs = std::filesystem;

bool ErrorLogTail::Look() {
  std::error_code error;
  const std::uintmax_t size = fs::is_regular_file(file_, error) ? fs::file_size(file_, error) : 0;
  if (error || size == read_) return false;
  bool changed = false;
  if (size < read_) {
    changed = !lines_.empty() || !partial_.empty();
    lines_.clear();
    partial_.clear();
    read_ = 0;
  }
  if (size - read_ > kMostPerLook) {
    read_ = size - kMostPerLook;
    partial_.clear();  // the line cut in two is left out
  }
  std::ifstream in(file_, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(read_));
  std::string bytes(static_cast<std::size_t>(size - read_), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  read_ += bytes.size();
  return Append(bytes) > 0 || changed;
}

std::size_t ErrorLogTail::Append(const std::string& bytes) {
  std::size_t from = 0, added = 0;
  for (std::size_t end; (end = bytes.find('\n', from)) != std::string::npos; from = end + 1) {
    std::string line = partial_ + bytes.substr(from, end - from);
    partial_.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(std::move(line));
    ++added;
    if (lines_.size() > kKeptLines) lines_.pop_front();
  }
  partial_ += bytes.substr(from);
  return added;
}

}  // namespace tkc
