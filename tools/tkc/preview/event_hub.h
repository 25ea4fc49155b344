// Events from the engine thread to every page watching: frames, the state
// panels, menus and boxes. Each page's stream reads them in order; a page
// that falls too far behind (or one that just came) is given the whole
// picture again instead of what it missed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tkc {

struct HubEvent {
  std::uint64_t seq = 0;
  std::string name;
  std::string data;  // one line of JSON
};

class EventHub {
 public:
  // How many recent events are kept for streams that lag.
  static constexpr std::size_t kKept = 256;

  // --- the engine thread --------------------------------------------------
  void Publish(const std::string& name, std::string data);
  // Also kept as the latest of its name, given first to every page that
  // comes later ("state", an open menu); "null" forgets it.
  void PublishSticky(const std::string& name, std::string data);
  // True once after a page came or fell behind: it needs a whole frame.
  bool TakeKeyframeRequest();
  int Watchers() const;

  // --- each page's stream ---------------------------------------------------
  struct Cursor {
    std::uint64_t next = 0;  // the first event not yet read
  };
  // Counts the page in and gives it the sticky events; its frames follow.
  std::vector<HubEvent> Connect(Cursor& cursor);
  void Disconnect();
  // The events after the cursor, waiting up to `timeout` for one; empty on
  // a timeout or once closed. A cursor left behind skips ahead and the
  // sticky events come again, with a whole frame after them.
  std::vector<HubEvent> Wait(Cursor& cursor, std::chrono::milliseconds timeout);

  // Ends every stream.
  void Close();
  bool Closed() const;

 private:
  std::vector<HubEvent> StickyEvents() const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<HubEvent> recent_;
  std::map<std::string, std::string> sticky_;
  std::uint64_t next_seq_ = 1;
  int watchers_ = 0;
  bool keyframe_wanted_ = false;
  bool closed_ = false;
};

}  // namespace tkc
