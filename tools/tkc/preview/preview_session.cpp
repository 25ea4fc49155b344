#include "preview_session.h"

#include <algorithm>
#include <iostream>

#include "../box_gloss.h"
#include "../console_text.h"
#include "../screen_font.h"
#include "app/program.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/flag_file.h"
#include "script/flags.h"
#include "script/runner.h"

namespace tkc {

namespace {

// The longest the engine thread sleeps without looking around (a stop, a
// page that came).
constexpr std::chrono::milliseconds kLook{250};
// The most virtual time one step runs through when nothing happens.
constexpr std::uint64_t kLongestStepMs = 60'000;

}  // namespace

PreviewSession::PreviewSession(std::string folder, RunOptions desktop, Mailbox& mailbox,
                               EventHub& hub)
    : folder_(std::move(folder)),
      desktop_(std::move(desktop)),
      font_(OpenScreenFont()),
      mailbox_(mailbox),
      hub_(hub),
      errors_(std::filesystem::path(folder_) / "tk_error.txt") {}

void PreviewSession::Run(const std::atomic<bool>& stop) {
  stop_ = &stop;
  stamps_ = StampSources(folder_);
  Rebuild();
  while (!stop.load()) {
    ending_ = Ending::kNone;
    RunOnce();
    if (stop.load()) break;
    if (ending_ == Ending::kNone) WaitWhileClosed();
    if (ending_ == Ending::kRebuild) Rebuild();
  }
}

void PreviewSession::RunOnce() {
  PreviewPlatform sim(folder_, *this);
  SetUpDesktop(sim, desktop_);
  if (font_) sim.UseTextRenderer(*font_);
  sim.on_message_box = [this](const tk::SimPlatform::MessageBoxRecord& box) { OnBox(box); };
  sim.on_popup_menu = [this](const std::vector<tk::PopupMenuItem>& items) { return OnMenu(items); };
  sim_ = &sim;
  clock_ = [&] {
    PreviewClock fresh(Clock::now(), 0);
    fresh.SetSpeed(clock_.speed(), Clock::now(), 0);
    fresh.SetPaused(clock_.paused(), Clock::now(), 0);
    return fresh;
  }();
  shown_screen_ = 0;
  state_at_ms_ = UINT64_MAX;
  plays_seen_ = exceptions_seen_ = 0;
  status_ = "running";
  ++starts_;
  state_dirty_ = true;
  std::cout << "tkc preview: the character starts" << std::endl;
  tk::RunProgram(sim, [this](tk::TMainForm& form) {
    form_ = &form;
    form.runner.keep_going = [this] { return KeepGoing(); };
  });
  form_ = nullptr;
  captured_ = tk::kNoWindow;
  SendFrame(false);  // the windows are gone
  sim_ = nullptr;
  status_ = "closed";
  state_dirty_ = true;
  PublishState();
}

// The character closed itself (its menu's exit, a failed start): the page
// can still restart it, and a change of its files does.
void PreviewSession::WaitWhileClosed() {
  std::cout << "tkc preview: the character closed; restart it from the page" << std::endl;
  while (!Stopping()) {
    mailbox_.Serve(true);
    const Clock::time_point next = Refresh();
    if (Stopping()) break;
    mailbox_.WaitUntil(std::min(next, Clock::now() + kLook), true);
  }
}

void PreviewSession::RequestRestart(Ending ending) {
  if (keep_flags_ && form_ != nullptr) kept_flags_ = tk::FlagRecordLine(form_->flags);
  ending_ = std::max(ending_, ending);
  status_ = "restarting";
  state_dirty_ = true;
}

// Asked before the first command of `_FirstAction` (the flags are declared
// by then), every few thousand commands and on each pass of a wait: the
// controls are served there, inputs wait for the next pump.
bool PreviewSession::KeepGoing() {
  if (kept_flags_ && form_ != nullptr) {
    tk::ApplyFlagRecord(*kept_flags_, form_->flags);
    kept_flags_.reset();
  }
  mailbox_.Serve(false);
  Refresh();
  return !Stopping();
}

std::uint64_t PreviewSession::NowMs() const {
  return sim_ != nullptr ? sim_->NowMs() : 0;
}

std::uint64_t PreviewSession::Pace(std::uint64_t target_ms, bool inputs) {
  for (;;) {
    const bool served = mailbox_.Serve(inputs);
    const Clock::time_point next_refresh = Refresh();
    if (Stopping()) {
      // Nothing more runs, `_LastAction` neither: a restart starts afresh at
      // once, whatever the character was doing.
      if (form_ != nullptr) form_->runner.stopped = true;
      sim_->Quit();
      return NowMs();
    }
    const std::uint64_t now_ms = NowMs();
    target_ms = std::max(target_ms, now_ms);
    if (stepping_) {
      if (!StepDone()) return target_ms;
      stepping_ = false;
      state_dirty_ = true;
    }
    const Clock::time_point now = Clock::now();
    // What was served is seen before time moves on.
    if (served)
      return clock_.paused() ? now_ms : std::clamp(clock_.VirtualAt(now), now_ms, target_ms);
    if (now >= clock_.RealAt(target_ms)) {
      // Late by much (the character was busy, a box waited): time goes on
      // from here rather than rushing through what was missed.
      clock_.CatchUp(now, target_ms);
      return target_ms;
    }
    mailbox_.WaitUntil(std::min({clock_.RealAt(target_ms), now + kLook, next_refresh}), inputs);
  }
}

void PreviewSession::StartStep() {
  if (sim_ == nullptr || !clock_.paused()) return;
  stepping_ = true;
  step_wakes_ = sim_->Wakes();
  step_until_ms_ = sim_->NowMs() + kLongestStepMs;
  const tk::ActionRun* run = form_ ? form_->runner.innermost : nullptr;
  step_line_ = {run ? run->label : "", run ? run->line_index : 0, form_ ? form_->runner.runs : 0};
}

bool PreviewSession::StepDone() const {
  if (sim_ == nullptr || sim_->Wakes() != step_wakes_ || sim_->NowMs() >= step_until_ms_)
    return true;
  const tk::ActionRun* run = form_ ? form_->runner.innermost : nullptr;
  return step_line_ != std::tuple<std::string, std::size_t, int>{run ? run->label : "",
                                                                 run ? run->line_index : 0,
                                                                 form_ ? form_->runner.runs : 0};
}

void PreviewSession::Control(const ControlRequest& request) {
  const Clock::time_point now = Clock::now();
  if (request.pause) clock_.SetPaused(*request.pause, now, NowMs());
  if (request.speed && IsPreviewSpeed(*request.speed))
    clock_.SetSpeed(*request.speed, now, NowMs());
  if (request.keep_flags) keep_flags_ = *request.keep_flags;
  if (request.step) StartStep();
  if (request.restart) RequestRestart(Ending::kRestart);
  state_dirty_ = true;
}

void PreviewSession::Mouse(MouseAction action, tk::MouseButton button, tk::Point at) {
  if (sim_ == nullptr || form_ == nullptr) return;
  if (action == MouseAction::kDown) captured_ = sim_->WindowAt(at);
  if (captured_ == tk::kNoWindow) {
    if (action == MouseAction::kMove) sim_->MoveMouseTo(at);
    sim_->cursor_position = at;
    return;
  }
  const tk::Rect bounds = sim_->WindowBounds(captured_);
  const int x = at.x - bounds.left, y = at.y - bounds.top;
  switch (action) {
    case MouseAction::kDown:
      return sim_->MouseDown(captured_, button, x, y);
    case MouseAction::kMove:
      return sim_->MouseMove(captured_, x, y);
    case MouseAction::kUp: {
      const tk::WindowId window = captured_;
      captured_ = tk::kNoWindow;  // before the handler, which may open a menu
      return sim_->MouseUp(window, button, x, y);
    }
  }
}

bool PreviewSession::SetFlag(const std::string& name_utf8, const std::string& value_utf8) {
  if (form_ == nullptr) return false;
  state_dirty_ = true;
  return form_->flags.SetFlagText(Utf8ToSjis(name_utf8), Utf8ToSjis(value_utf8));
}

// --- the menu and the boxes ---------------------------------------------------------

void PreviewSession::WaitModal(const std::function<bool()>& answered) {
  state_dirty_ = true;
  while (!answered() && !Stopping() && hub_.Watchers() > 0) {
    mailbox_.Serve(false);
    if (answered()) break;
    const Clock::time_point next = Refresh();
    mailbox_.WaitUntil(std::min(next, Clock::now() + kLook), false);
  }
  state_dirty_ = true;
}

int PreviewSession::OnMenu(const std::vector<tk::PopupMenuItem>& items) {
  if (hub_.Watchers() == 0) return -1;
  nlohmann::json shown = nlohmann::json::array();
  for (const tk::PopupMenuItem& item : items)
    shown.push_back({{"caption", SjisToUtf8(item.caption)}, {"checked", item.checked}});
  open_menu_ = ++modal_id_;
  menu_answer_.reset();
  SendFrame(false);  // the page shows the menu over the screen as it is now
  const tk::Point at = sim_->cursor_position;
  hub_.PublishSticky(
      "menu",
      nlohmann::json{{"id", open_menu_}, {"x", at.x}, {"y", at.y}, {"items", shown}}.dump());
  WaitModal([this] { return menu_answer_.has_value(); });
  open_menu_ = 0;
  hub_.PublishSticky("menu", "null");
  const int chosen = menu_answer_.value_or(-1);
  return chosen >= 0 && chosen < static_cast<int>(items.size()) ? chosen : -1;
}

void PreviewSession::AnswerMenu(std::uint64_t id, int index) {
  if (id != 0 && id == open_menu_) menu_answer_ = index;
}

void PreviewSession::OnBox(const tk::SimPlatform::MessageBoxRecord& box) {
  const std::string gloss = EnglishGloss(box.text);
  std::cout << "[" << box.at_ms << " ms] " << SjisToUtf8(box.caption) << ": "
            << SjisToUtf8(box.text) << (gloss.empty() ? "" : " (" + gloss + ")") << std::endl;
  nlohmann::json shown = {{"id", ++modal_id_},
                          {"atMs", box.at_ms},
                          {"caption", SjisToUtf8(box.caption)},
                          {"text", SjisToUtf8(box.text)},
                          {"gloss", gloss}};
  if (form_ != nullptr) {
    const std::string why = StartFailure(box.text, folder_, form_->shell.debug_script);
    if (!why.empty()) shown["hint"] = why;
  }
  boxes_.push_back(shown);
  if (boxes_.size() > 50) boxes_.pop_front();
  PublishBoxes();
  if (hub_.Watchers() == 0) return;  // nobody to answer: OK at once
  open_box_ = modal_id_;
  box_answered_ = false;
  SendFrame(false);
  hub_.PublishSticky("box", shown.dump());
  WaitModal([this] { return box_answered_; });
  open_box_ = 0;
  hub_.PublishSticky("box", "null");
}

void PreviewSession::AnswerBox(std::uint64_t id) {
  if (id != 0 && id == open_box_) box_answered_ = true;
}

}  // namespace tkc
