#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "base/text.h"
#include "platform/sim/sim_clock.h"

namespace tk {

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

// Holds its file unshared, as the system's append handle does: while it is
// open, nobody else reads, replaces or opens that file.
class SimAppendFile : public AppendFile {
 public:
  SimAppendFile(std::FILE* file, std::string path,
                std::shared_ptr<std::set<std::string>> held_files)
      : file_(file), path_(std::move(path)), held_files_(std::move(held_files)) {
    held_files_->insert(path_);
  }
  ~SimAppendFile() override {
    std::fclose(file_);
    held_files_->erase(path_);
  }
  SimAppendFile(const SimAppendFile&) = delete;
  SimAppendFile& operator=(const SimAppendFile&) = delete;
  bool SeekToEnd() override { return std::fseek(file_, 0, SEEK_END) == 0; }
  bool Write(const std::string& bytes) override {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
  }

 private:
  std::FILE* file_;
  std::string path_;
  std::shared_ptr<std::set<std::string>> held_files_;
};

}  // namespace

SimPlatform::SimPlatform(std::string program_folder, std::string current_directory)
    : program_folder_(WithSeparator(std::move(program_folder))),
      current_directory_(WithSeparator(std::move(current_directory))) {}

// --- windows -------------------------------------------------------------------

WindowId SimPlatform::CreateWindow(WindowKind kind, WindowEvents* events) {
  const WindowId id = next_window_++;
  Window& window = windows_[id];
  window.kind = kind;
  window.events = events;
  z_order_.insert(z_order_.begin(), id);
  return id;
}

void SimPlatform::DestroyWindow(WindowId id) {
  if (windows_.erase(id) != 0) std::erase(z_order_, id);
}

const SimPlatform::Window* SimPlatform::FindWindow(WindowId id) const {
  const auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

const SimPlatform::Window* SimPlatform::FirstWindowOfKind(WindowKind kind) const {
  for (const auto& [id, window] : windows_) {
    if (window.kind == kind) return &window;
  }
  return nullptr;
}

WindowEvents* SimPlatform::EventsOf(WindowId id) {
  const auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : it->second.events;
}

void SimPlatform::SetWindowTitle(WindowId id, const std::string& title) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.title = title;
}

Rect SimPlatform::WindowBounds(WindowId id) const {
  const Window* window = FindWindow(id);
  return window ? window->bounds : Rect{};
}

bool SimPlatform::IsWindowVisible(WindowId id) const {
  const Window* window = FindWindow(id);
  return window && window->visible;
}

CursorId SimPlatform::LoadResourceCursor(const std::string& name) {
  const CursorId id = static_cast<CursorId>(cursors_.size()) + 1;
  cursors_[id] = name;
  return id;
}

// --- input -----------------------------------------------------------------------

void SimPlatform::PostClose(WindowId id) {
  if (WindowEvents* events = EventsOf(id)) DispatchInput([&] { events->OnCloseRequest(); });
}

void SimPlatform::Click(WindowId id, MouseButton button, int x, int y) {
  if (WindowEvents* events = EventsOf(id)) {
    DispatchInput([&] { events->OnMouseDown(button, x, y); });
    if ((events = EventsOf(id))) DispatchInput([&] { events->OnMouseUp(button, x, y); });
  }
}

static Point ClientToScreen(const SimPlatform& sim, WindowId id, int x, int y) {
  const Rect bounds = sim.WindowBounds(id);
  return {bounds.left + x, bounds.top + y};
}

void SimPlatform::MouseDown(WindowId id, MouseButton button, int x, int y) {
  cursor_position = ClientToScreen(*this, id, x, y);
  if (WindowEvents* events = EventsOf(id))
    DispatchInput([&] { events->OnMouseDown(button, x, y); });
}

void SimPlatform::MouseMove(WindowId id, int x, int y) {
  cursor_position = ClientToScreen(*this, id, x, y);
  if (WindowEvents* events = EventsOf(id)) DispatchInput([&] { events->OnMouseMove(x, y); });
}

void SimPlatform::MouseUp(WindowId id, MouseButton button, int x, int y) {
  cursor_position = ClientToScreen(*this, id, x, y);
  if (WindowEvents* events = EventsOf(id)) DispatchInput([&] { events->OnMouseUp(button, x, y); });
}

void SimPlatform::SendCommand(WindowId id, int command) {
  if (WindowEvents* events = EventsOf(id)) DispatchInput([&] { events->OnCommand(command); });
}

void SimPlatform::SendTrayMessage(int mouse_message) {
  if (WindowEvents* events = EventsOf(tray_owner)) {
    DispatchInput([&] { events->OnTrayMessage(mouse_message); });
  }
}

// --- timers and time ---------------------------------------------------------------

TimerId SimPlatform::CreateTimer(std::function<void()> on_tick) {
  const TimerId id = next_timer_++;
  timers_[id].on_tick = std::move(on_tick);
  return id;
}

void SimPlatform::SetTimer(TimerId id, unsigned interval_ms, bool enabled) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  Timer& timer = it->second;
  timer.interval_ms = interval_ms;
  timer.effective_ms = interval_ms == 0 ? 0 : std::max(interval_ms, kMinimumTimerMs);
  timer.enabled = enabled;
  timer.due_ms = now_ms_ + timer.effective_ms;
}

void SimPlatform::DestroyTimer(TimerId id) {
  timers_.erase(id);
}

bool SimPlatform::FireNextTimerDueBy(std::uint64_t limit_ms) {
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.Ticking() && it->second.due_ms <= limit_ms &&
        (next == timers_.end() || it->second.due_ms < next->second.due_ms)) {
      next = it;
    }
  }
  if (next == timers_.end()) return false;
  now_ms_ = std::max(now_ms_, next->second.due_ms);
  // Elapsed intervals coalesce into one tick, as message timers do.
  next->second.due_ms = now_ms_ + next->second.effective_ms;
  const std::function<void()> tick = next->second.on_tick;  // the handler may destroy it
  ++timer_ticks_[next->first];
  Dispatch(tick);
  return true;
}

std::uint64_t SimPlatform::PostAt(std::uint64_t at_ms, std::function<void()> message) {
  const std::uint64_t id = next_post_++;
  posts_.emplace(std::pair{std::max(at_ms, now_ms_), id}, std::move(message));
  return id;
}

void SimPlatform::CancelPost(std::uint64_t id) {
  std::erase_if(posts_, [id](const auto& post) { return post.first.second == id; });
}

// Posted messages come before the timers due at the same time.
bool SimPlatform::DeliverNextPostDueBy(std::uint64_t limit_ms) {
  if (posts_.empty() || posts_.begin()->first.first > limit_ms) return false;
  for (const auto& [id, timer] : timers_) {
    if (timer.Ticking() && timer.due_ms < posts_.begin()->first.first) return false;
  }
  const auto next = posts_.begin();
  now_ms_ = std::max(now_ms_, next->first.first);
  const std::function<void()> message = std::move(next->second);
  posts_.erase(next);
  ++posted_messages;
  Dispatch(message);
  return true;
}

std::uint64_t SimPlatform::NextDueMs() const {
  std::uint64_t next = UINT64_MAX;
  for (const auto& [id, timer] : timers_) {
    if (timer.Ticking()) next = std::min(next, timer.due_ms);
  }
  if (!posts_.empty()) next = std::min(next, posts_.begin()->first.first);
  return next;
}

std::uint64_t SimPlatform::Wakes() const {
  std::uint64_t wakes = input_messages + posted_messages;
  for (const auto& [id, ticks] : timer_ticks_) wakes += ticks;
  return wakes;
}

void SimPlatform::Busy(std::uint64_t ms) {
  now_ms_ += ms;
}

// Paints come before timer messages, as the system orders them, and a tick
// that invalidates is painted before the next tick.
void SimPlatform::AdvanceTime(std::uint64_t ms) {
  const std::uint64_t target = now_ms_ + ms;
  PaintPendingWindows();
  while (DeliverNextPostDueBy(target) || FireNextTimerDueBy(target)) PaintPendingWindows();
  now_ms_ = std::max(now_ms_, target);
}

// Pumping is where a running command lets time pass.
void SimPlatform::ProcessPendingMessages() {
  AdvanceTime(1);
}

// An idle program sleeps until its next timer is due; so does the loop,
// rather than stepping through every millisecond in between.
void SimPlatform::RunMessageLoop() {
  const std::uint64_t end = now_ms_ + message_loop_ms;
  while (!quit_requested && now_ms_ < end) {
    AdvanceTime(std::clamp(NextDueMs(), now_ms_ + 1, end) - now_ms_);
  }
  if (on_loop_end) on_loop_end();
}

void SimPlatform::Quit() {
  quit_requested = true;
}

std::uint32_t SimPlatform::TickCount() const {
  return tick_base + static_cast<std::uint32_t>(now_ms_);
}

LocalTime SimPlatform::Now() const {
  return AddSeconds(start_time, now_ms_ / 1000);
}

// Time already moves by one millisecond in each ProcessPendingMessages.
void SimPlatform::WaitForMessages(std::uint32_t) {}

// --- dialogs and the shell -------------------------------------------------------------

std::optional<std::string> SimPlatform::ShowFileDialog(const FileDialogRequest& request) {
  file_dialogs.push_back(request);
  return on_file_dialog ? on_file_dialog(request) : std::nullopt;
}

// A fixed frame: 3 pixels of border on each side and a 19-pixel caption.
Rect SimPlatform::DialogWindowSize(int client_width, int client_height) const {
  return {0, 0, client_width + 6, client_height + 25};
}

std::optional<std::string> SimPlatform::ShowInputDialog(WindowId, const InputDialogLayout& layout) {
  input_dialogs.push_back(layout);
  if (!on_input_dialog) return std::nullopt;
  std::optional<std::string> typed = on_input_dialog(layout);
  if (!typed) return typed;
  // The edit box counts characters; a two-byte character is one.
  std::size_t characters = 0;
  std::size_t i = 0;
  while (i < typed->size() && characters < layout.max_length) {
    const auto b = static_cast<unsigned char>((*typed)[i]);
    const bool lead = IsSjisLeadByte(b);
    i += (lead && i + 1 < typed->size()) ? 2 : 1;
    ++characters;
  }
  typed->resize(i);
  return typed;
}

void SimPlatform::ShellOpen(const std::string& file, const std::string& parameters) {
  shell_opens.push_back({file, parameters});
}

// --- boxes and tray ------------------------------------------------------------------

void SimPlatform::ShowMessageBox(const std::string& text, const std::string& caption,
                                 MessageIcon icon) {
  const MessageBoxRecord box{text, caption, icon, now_ms_};
  ++message_box_count;
  if (message_boxes.size() < kMessageBoxRecordLimit) message_boxes.push_back(box);
  if (on_message_box) on_message_box(box);
}

void SimPlatform::ShowExceptionBox(const std::string& what) {
  exception_boxes.push_back(what);
}

bool SimPlatform::AddTrayIcon(WindowId owner, const std::string& tip) {
  tray_icon_present = true;
  tray_owner = owner;
  tray_tip = tip;
  return true;
}

void SimPlatform::DeleteTrayIcon(WindowId owner) {
  if (owner == tray_owner) tray_icon_present = false;
}

// --- files ---------------------------------------------------------------------------

std::string SimPlatform::Resolve(const std::string& name) const {
  if (!name.empty() && name.front() == '/') return name;
  return current_directory_ + name;
}

std::string SimPlatform::ProgramFolder() const {
  return program_folder_;
}
std::string SimPlatform::CurrentDirectory() const {
  return current_directory_;
}

bool SimPlatform::SetCurrentDirectory(const std::string& path) {
  std::error_code error;
  if (!fs::is_directory(Resolve(path), error)) return false;
  current_directory_ = WithSeparator(Resolve(path));
  return true;
}

bool SimPlatform::IsHeld(const std::string& path) const {
  return held_files_->contains(fs::path(path).lexically_normal().string());
}

std::optional<std::string> SimPlatform::ReadFile(const std::string& name, std::size_t max_bytes) {
  const std::string path = Resolve(name);
  if (IsHeld(path)) return std::nullopt;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const auto size = fs::file_size(path, error);
  if (error || size > max_bytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size()) return std::nullopt;
  return bytes;
}

bool SimPlatform::WriteFileReplacing(const std::string& name, const std::string& bytes) {
  const std::string path = Resolve(name);
  if (fail_writes || IsHeld(path)) return false;
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code error;
  fs::rename(temp, path, error);
  if (error) std::remove(temp.c_str());
  return !error;
}

std::unique_ptr<AppendFile> SimPlatform::OpenForAppend(const std::string& name) {
  const std::string path = Resolve(name);
  if (IsHeld(path)) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (!file) return nullptr;
  return std::make_unique<SimAppendFile>(file, fs::path(path).lexically_normal().string(),
                                         held_files_);
}

}  // namespace tk
