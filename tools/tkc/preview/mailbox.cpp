#include "mailbox.h"

#include <algorithm>

namespace tkc {

bool Mailbox::Post(Kind kind, Job job) {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    jobs_.push_back({kind, std::move(job)});
  }
  arrived_.notify_all();
  return true;
}

bool Mailbox::HasRunnable(bool inputs) const {
  return std::any_of(jobs_.begin(), jobs_.end(),
                     [&](const Entry& e) { return inputs || e.kind == Kind::kControl; });
}

std::optional<Mailbox::Job> Mailbox::Take(bool inputs) {
  std::lock_guard lock(mutex_);
  const auto it = std::find_if(jobs_.begin(), jobs_.end(),
                               [&](const Entry& e) { return inputs || e.kind == Kind::kControl; });
  if (it == jobs_.end()) return std::nullopt;
  Job job = std::move(it->job);
  jobs_.erase(it);
  return job;
}

// One job at a time, the lock released while it runs: a job may lead the
// engine into a wait that serves the mailbox again.
bool Mailbox::Serve(bool inputs) {
  bool ran = false;
  while (std::optional<Job> job = Take(inputs)) {
    (*job)();
    ran = true;
  }
  return ran;
}

void Mailbox::WaitUntil(Clock::time_point deadline, bool inputs) {
  std::unique_lock lock(mutex_);
  arrived_.wait_until(lock, deadline, [&] { return closed_ || nudged_ || HasRunnable(inputs); });
  nudged_ = false;
}

void Mailbox::Nudge() {
  {
    std::lock_guard lock(mutex_);
    nudged_ = true;
  }
  arrived_.notify_all();
}

void Mailbox::Close() {
  std::deque<Entry> dropped;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    dropped.swap(jobs_);
  }
  arrived_.notify_all();
}

}  // namespace tkc
