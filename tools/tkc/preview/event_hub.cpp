#include "event_hub.h"

namespace tkc {

void EventHub::Publish(const std::string& name, std::string data) {
  {
    std::lock_guard lock(mutex_);
    recent_.push_back({next_seq_++, name, std::move(data)});
    if (recent_.size() > kKept) recent_.pop_front();
  }
  changed_.notify_all();
}

void EventHub::PublishSticky(const std::string& name, std::string data) {
  {
    std::lock_guard lock(mutex_);
    if (data == "null") {
      sticky_.erase(name);
    } else {
      sticky_[name] = data;
    }
  }
  Publish(name, std::move(data));
}

bool EventHub::TakeKeyframeRequest() {
  std::lock_guard lock(mutex_);
  const bool wanted = keyframe_wanted_;
  keyframe_wanted_ = false;
  return wanted;
}

int EventHub::Watchers() const {
  std::lock_guard lock(mutex_);
  return watchers_;
}

std::vector<HubEvent> EventHub::StickyEvents() const {
  std::vector<HubEvent> events;
  for (const auto& [name, data] : sticky_) events.push_back({0, name, data});
  return events;
}

std::vector<HubEvent> EventHub::Connect(Cursor& cursor) {
  std::lock_guard lock(mutex_);
  ++watchers_;
  keyframe_wanted_ = true;
  cursor.next = next_seq_;
  return StickyEvents();
}

void EventHub::Disconnect() {
  std::lock_guard lock(mutex_);
  --watchers_;
}

std::vector<HubEvent> EventHub::Wait(Cursor& cursor, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return closed_ || next_seq_ > cursor.next; });
  if (closed_) return {};
  const std::uint64_t oldest = recent_.empty() ? next_seq_ : recent_.front().seq;
  if (cursor.next < oldest) {
    cursor.next = next_seq_;
    keyframe_wanted_ = true;
    return StickyEvents();
  }
  std::vector<HubEvent> events;
  for (const HubEvent& e : recent_) {
    if (e.seq >= cursor.next) events.push_back(e);
  }
  cursor.next = next_seq_;
  return events;
}

void EventHub::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool EventHub::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

}  // namespace tkc
