// The preview's engine thread: it encodes the character, runs it on the
// simulated desktop at the pace the page asks for, restarts it when its
// files change or the author asks, and answers the page's requests, which
// reach it only through the mailbox.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>

#include "../run_character.h"
#include "error_log_tail.h"
#include "event_hub.h"
#include "frame_stream.h"
#include "mailbox.h"
#include "preview_clock.h"
#include "preview_platform.h"
#include "source_stamps.h"

namespace tk {
class TMainForm;
}

namespace tkc {

enum class MouseAction { kDown, kMove, kUp };

// What the page's controls ask for; each part that is set.
struct ControlRequest {
  std::optional<bool> pause;
  std::optional<int> speed;  // checked with IsPreviewSpeed
  std::optional<bool> keep_flags;
  bool step = false;     // while paused: on to the next timer, message or line
  bool restart = false;  // start the character afresh (its flags kept if asked)
};

class PreviewSession : public PreviewPlatform::Pacer {
 public:
  using Clock = std::chrono::steady_clock;

  // `folder` is absolute; `desktop` describes the simulated desktop as for
  // `tkc run` (its other options are not used).
  PreviewSession(std::string folder, RunOptions desktop, Mailbox& mailbox, EventHub& hub);

  // Until `stop` is set: encode, run the character, and again after each
  // restart. A character that closes itself waits for the next.
  void Run(const std::atomic<bool>& stop);

  // --- the page's requests, each run on the engine thread ----------------------
  nlohmann::json State() const;
  // The script the character runs, a line each (as the running line and the
  // error log count them); null while none runs.
  nlohmann::json Script() const;
  // The mouse at a screen point. A press holds the window it fell on until
  // the release, as the system's capture does, so drags follow.
  void Mouse(MouseAction action, tk::MouseButton button, tk::Point at);
  // False when the character has no flag of that name (or the value does not
  // fit an integer flag).
  bool SetFlag(const std::string& name_utf8, const std::string& value_utf8);
  void Control(const ControlRequest& request);
  // The answers to the menu and the box the page shows; -1 closes the menu.
  void AnswerMenu(std::uint64_t id, int index);
  void AnswerBox(std::uint64_t id);

  // PreviewPlatform::Pacer
  std::uint64_t Pace(std::uint64_t target_ms, bool inputs) override;

 private:
  enum class Ending { kNone, kRestart, kRebuild };

  bool Stopping() const { return ending_ != Ending::kNone || stop_->load(); }
  void Rebuild();
  void RunOnce();
  void WaitWhileClosed();
  void RequestRestart(Ending ending);
  bool KeepGoing();
  // Frames, panels and files, each when its time has come; returns when it
  // wants to be called next.
  Clock::time_point Refresh();
  void SendFrame(bool whole);
  void PublishState();
  void LookAtFiles();
  void PublishBoxes();
  void PublishSounds();
  int OnMenu(const std::vector<tk::PopupMenuItem>& items);
  void OnBox(const tk::SimPlatform::MessageBoxRecord& box);
  // Serves controls until `answered` or nobody is there to answer; virtual
  // time stands still meanwhile, as behind the system's own modal loops.
  void WaitModal(const std::function<bool()>& answered);
  void StartStep();
  bool StepDone() const;
  std::uint64_t NowMs() const;

  std::string folder_;
  RunOptions desktop_;
  // The screen font every start draws its text with; none: the block font.
  std::unique_ptr<tk::TextRenderer> font_;
  Mailbox& mailbox_;
  EventHub& hub_;
  const std::atomic<bool>* stop_ = nullptr;

  PreviewPlatform* sim_ = nullptr;  // while a character runs
  tk::TMainForm* form_ = nullptr;
  std::string status_ = "starting";
  int starts_ = 0;  // how often a character was started in this preview
  Ending ending_ = Ending::kNone;
  bool keep_flags_ = false;
  std::optional<std::string> kept_flags_;  // a record line, applied at the next start
  PreviewClock clock_{Clock::now(), 0};

  // The step under way: it ends when a timer or message was handled, the
  // script moved to another line, or a minute of virtual time went by.
  bool stepping_ = false;
  std::uint64_t step_wakes_ = 0;
  std::uint64_t step_until_ms_ = 0;
  std::tuple<std::string, std::size_t, int> step_line_;

  tk::WindowId captured_ = tk::kNoWindow;

  std::uint64_t modal_id_ = 0;
  std::uint64_t open_menu_ = 0, open_box_ = 0;  // 0: none open
  std::optional<int> menu_answer_;
  bool box_answered_ = false;
  std::deque<nlohmann::json> boxes_;
  std::size_t exceptions_seen_ = 0;
  std::size_t plays_seen_ = 0;  // of the simulated media's plays

  FrameStream frames_{kDesktopColour};
  std::uint64_t shown_screen_ = 0;  // the signature of the screen last sent
  Clock::time_point next_frame_{}, next_state_{}, next_look_{};
  std::uint64_t state_at_ms_ = UINT64_MAX;  // virtual time when the state was last built
  bool state_dirty_ = true;
  std::string last_state_;
  SourceStamps stamps_;
  ErrorLogTail errors_;
};

}  // namespace tkc
