#include "form/repeat_guard.h"

namespace tk {

RepeatGuard::Verdict RepeatGuard::Check(std::string_view message, std::uint32_t now_ms) {
  // Unsigned difference: right across the tick count's wrap.
  const bool in_a_row = repeats_ > 0 && message == last_ && now_ms - last_ms_ <= pause_ms_;
  if (!in_a_row) {
    last_.assign(message);
    repeats_ = 0;
  }
  ++repeats_;
  last_ms_ = now_ms;
  if (repeats_ <= allowed_) return Verdict::kPass;
  return repeats_ == allowed_ + 1 ? Verdict::kFirstHeld : Verdict::kHeld;
}

}  // namespace tk
