// The one way into the engine thread. The server's threads never touch the
// character: they post jobs here, and the engine thread runs them between
// its own work, at the points where the program would take a message.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>

namespace tkc {

class Mailbox {
 public:
  using Job = std::function<void()>;
  using Clock = std::chrono::steady_clock;

  // Input (the mouse on the character) waits for a point where the program
  // takes input; a control (a question, pause, a menu's answer) runs at any
  // point the engine looks, also inside a modal menu or box.
  enum class Kind { kControl, kInput };

  // From any thread. False once closed: the job will never run.
  bool Post(Kind kind, Job job);
  // Runs `ask` on the engine thread and hands its answer back; none when it
  // did not run within `timeout` or the mailbox closed first.
  template <typename Answer>
  std::optional<Answer> Ask(std::function<Answer()> ask, std::chrono::milliseconds timeout);

  // On the engine thread: runs the waiting controls, and the inputs too when
  // `inputs` (in the order they came). True when any ran.
  bool Serve(bool inputs);
  // On the engine thread: sleeps until a job Serve(inputs) would run comes,
  // or `deadline`.
  void WaitUntil(Clock::time_point deadline, bool inputs);
  // Wakes WaitUntil without a job: the engine has something to look at.
  void Nudge();
  // Refuses every later job and drops the waiting ones (their askers get
  // no answer).
  void Close();

 private:
  struct Entry {
    Kind kind;
    Job job;
  };
  bool HasRunnable(bool inputs) const;
  std::optional<Job> Take(bool inputs);

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<Entry> jobs_;
  bool closed_ = false;
  bool nudged_ = false;
};

template <typename Answer>
std::optional<Answer> Mailbox::Ask(std::function<Answer()> ask, std::chrono::milliseconds timeout) {
  auto promise = std::make_shared<std::promise<Answer>>();
  std::future<Answer> answer = promise->get_future();
  // The job alone holds the promise, so a job dropped at the close breaks it.
  if (!Post(Kind::kControl,
            [promise = std::move(promise), ask = std::move(ask)] { promise->set_value(ask()); }))
    return std::nullopt;
  if (answer.wait_for(timeout) != std::future_status::ready) return std::nullopt;
  try {
    return answer.get();
  } catch (const std::future_error&) {  // dropped unanswered at the close
    return std::nullopt;
  }
}

}  // namespace tkc
