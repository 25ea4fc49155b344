// Holds back a message that a script repeats without pause. A call fan-out
// inside the nesting limit can raise the same error a hundred million
// times; shown as modal boxes the user never gets control back, and logged
// it fills the disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tk {

class RepeatGuard {
 public:
  enum class Verdict {
    kPass,       // show or write it
    kFirstHeld,  // hold it back, and say once that repeats are held back
    kHeld,
  };

  // `allowed` identical messages pass in a row; the row ends with another
  // message or a pause of more than `pause_ms` after the last one ended.
  RepeatGuard(int allowed, std::uint32_t pause_ms) : allowed_(allowed), pause_ms_(pause_ms) {}

  Verdict Check(std::string_view message, std::uint32_t now_ms);
  // The message has been dealt with (a box dismissed, a line written).
  void Done(std::uint32_t now_ms) { last_ms_ = now_ms; }

 private:
  int allowed_;
  std::uint32_t pause_ms_;
  std::string last_;
  std::uint32_t last_ms_ = 0;
  long long repeats_ = 0;
};

}  // namespace tk
