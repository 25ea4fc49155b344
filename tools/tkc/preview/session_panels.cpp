// What the engine thread sends the pages besides input answers: frames,
// the panels' state, the boxes and error log, and the encoding and lint
// report after each change of the character's files.
#include <cctype>
#include <iostream>
#include <optional>
#include <string_view>

#include "../console_text.h"
#include "../encode_file.h"
#include "../lint.h"
#include "engine_state.h"
#include "form/main_form.h"
#include "preview_session.h"
#include "script/script_lines.h"

namespace tkc {

namespace fs = std::filesystem;

namespace {

// Frames at most this often; state and files at their own pace.
constexpr std::chrono::milliseconds kFrameGap{33};
constexpr std::chrono::milliseconds kStateGap{200};
constexpr std::chrono::milliseconds kFileGap{1000};

std::string Dump(const nlohmann::json& json) {
  return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Changes whenever a screenshot could: each window's pixels are only ever
// changed by a present, and its place, shape and visibility are here too.
std::uint64_t ScreenSignature(const tk::SimPlatform& sim) {
  std::uint64_t signature = 1469598103934665603ull;
  const auto mix = [&](std::int64_t value) {
    signature = (signature ^ static_cast<std::uint64_t>(value)) * 1099511628211ull;
  };
  for (const tk::WindowId id : sim.ZOrder()) {
    const tk::SimPlatform::Window* w = sim.FindWindow(id);
    if (w == nullptr) continue;
    for (const std::int64_t value :
         {std::int64_t{id}, std::int64_t{w->presents}, std::int64_t{w->visible},
          std::int64_t{w->topmost}, std::int64_t{w->region_set}})
      mix(value);
    const auto mix_rect = [&](const tk::Rect& r) {
      for (const int value : {r.left, r.top, r.right, r.bottom}) mix(value);
    };
    mix_rect(w->bounds);
    for (const tk::Rect& r : w->region) mix_rect(r);
  }
  return signature;
}

const char* MediaName(tk::MediaKind kind) {
  switch (kind) {
    case tk::MediaKind::kWave:
      return "wave";
    case tk::MediaKind::kMidi:
      return "midi";
    case tk::MediaKind::kCdAudio:
      return "cd";
  }
  return "";
}

// The page's address of a file of the character's folder, every byte but
// the plain ones escaped (names are the program's Shift-JIS); none for a
// file outside the folder.
std::optional<std::string> FileUrl(const fs::path& folder, const std::string& host_path) {
  const fs::path relative = fs::path(host_path).lexically_normal().lexically_relative(folder);
  const std::string name = relative.generic_string();
  if (relative.empty() || name.starts_with("..")) return std::nullopt;
  std::string url = "/files/";
  for (const unsigned char c : name) {
    if (std::isalnum(c) ||
        std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos) {
      url += static_cast<char>(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      url += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return url;
}

}  // namespace

PreviewSession::Clock::time_point PreviewSession::Refresh() {
  const Clock::time_point now = Clock::now();
  const bool whole = hub_.TakeKeyframeRequest();
  // With no page to see them, frames are not even made.
  const bool moved =
      sim_ != nullptr && hub_.Watchers() > 0 && ScreenSignature(*sim_) != shown_screen_;
  if (whole || (moved && now >= next_frame_)) SendFrame(whole);
  if (sim_ != nullptr) PublishSounds();
  if (now >= next_state_) PublishState();
  if (now >= next_look_) LookAtFiles();
  Clock::time_point next = std::min(next_state_, next_look_);
  if (moved) next = std::min(next, next_frame_);
  return next;
}

void PreviewSession::SendFrame(bool whole) {
  if (sim_ == nullptr) return;
  frames_.Send(sim_->RenderScreen(kDesktopColour), whole, hub_);
  shown_screen_ = ScreenSignature(*sim_);
  next_frame_ = Clock::now() + kFrameGap;
}

nlohmann::json PreviewSession::State() const {
  nlohmann::json state =
      form_ != nullptr ? CharacterState(*form_, *sim_) : nlohmann::json::object();
  state["status"] = status_;
  state["starts"] = starts_;
  if (sim_ != nullptr) {
    state["sounding"] = {{"wave", SjisToUtf8(sim_->media.Sounding(tk::MediaKind::kWave))},
                         {"midi", SjisToUtf8(sim_->media.Sounding(tk::MediaKind::kMidi))},
                         {"cd", sim_->media.Sounding(tk::MediaKind::kCdAudio)}};
  }
  state["ms"] = NowMs();
  state["speed"] = clock_.speed();
  state["paused"] = clock_.paused();
  state["stepping"] = stepping_;
  state["keepFlags"] = keep_flags_;
  state["folder"] = folder_;
  return state;
}

nlohmann::json PreviewSession::Script() const {
  if (form_ == nullptr) return nullptr;
  nlohmann::json lines = nlohmann::json::array();
  for (const std::string& line : form_->script.All()) lines.push_back(SjisToUtf8(line));
  return lines;
}

// Built only when virtual time moved or a request changed something, so a
// paused character costs nothing here; sent only when it differs, so an idle
// one sends nothing (the page runs the clock on by itself).
void PreviewSession::PublishState() {
  next_state_ = Clock::now() + kStateGap;
  if (!state_dirty_ && NowMs() == state_at_ms_) return;
  state_at_ms_ = NowMs();
  nlohmann::json state = State();
  state.erase("ms");
  std::string compared = Dump(state);
  if (!state_dirty_ && compared == last_state_) return;
  state_dirty_ = false;
  last_state_ = std::move(compared);
  state["ms"] = NowMs();
  hub_.PublishSticky("state", Dump(state));
}

// Each play as it starts: the page plays a wave file itself and shows what
// MIDI or the disc would play.
void PreviewSession::PublishSounds() {
  const auto& plays = sim_->media.plays;
  for (; plays_seen_ < plays.size(); ++plays_seen_) {
    const tk::SimMedia::PlayRecord& play = plays[plays_seen_];
    nlohmann::json sound = {{"kind", MediaName(play.kind)},
                            {"atMs", play.at_ms},
                            {"fromMs", play.from_ms},
                            {"toMs", play.to_ms}};
    if (!play.file.empty()) {
      sound["file"] = SjisToUtf8(play.file);
      if (const auto url = FileUrl(folder_, sim_->Resolve(play.file))) sound["url"] = *url;
    }
    hub_.Publish("sound", Dump(sound));
  }
}

void PreviewSession::PublishBoxes() {
  nlohmann::json boxes = nlohmann::json::array();
  for (const nlohmann::json& box : boxes_) boxes.push_back(box);
  hub_.PublishSticky("boxes", Dump(boxes));
}

void PreviewSession::LookAtFiles() {
  next_look_ = Clock::now() + kFileGap;
  if (errors_.Look()) {
    nlohmann::json lines = nlohmann::json::array();
    for (const std::string& line : errors_.Lines()) lines.push_back(SjisToUtf8(line));
    hub_.PublishSticky("errors", Dump(lines));
  }
  if (sim_ != nullptr && sim_->exception_boxes.size() > exceptions_seen_) {
    for (; exceptions_seen_ < sim_->exception_boxes.size(); ++exceptions_seen_) {
      const std::string& what = sim_->exception_boxes[exceptions_seen_];
      std::cout << "exception: " << what << std::endl;
      boxes_.push_back({{"caption", "internal error"}, {"text", what}, {"atMs", NowMs()}});
    }
    PublishBoxes();
  }
  SourceStamps stamps = StampSources(folder_);
  if (stamps == stamps_) return;
  stamps_ = std::move(stamps);
  std::cout << "tkc preview: the character's files changed" << std::endl;
  RequestRestart(Ending::kRebuild);
}

// Encodes the text forms the author edits, as `tkc encode` would, and lints
// the character; the page shows what either found.
void PreviewSession::Rebuild() {
  nlohmann::json problems = nlohmann::json::array();
  nlohmann::json warnings = nlohmann::json::array();
  for (const auto& [text, encoded] :
       {std::pair{"tk_srt.txt", "tk.srt"}, {"tk_map.txt", "tk.map"}}) {
    const fs::path in = fs::path(folder_) / text;
    std::error_code error;
    if (!fs::is_regular_file(in, error)) continue;
    std::vector<std::string> said;
    const std::string why =
        EncodeTextFile(in.string(), (fs::path(folder_) / encoded).string(), said);
    if (!why.empty()) problems.push_back(why);
    for (const std::string& w : said) warnings.push_back(w);
  }
  nlohmann::json findings = nlohmann::json::array();
  for (const Finding& f : LintCharacter(folder_))
    findings.push_back({{"file", f.file}, {"line", f.line}, {"message", f.message}});
  std::cout << "tkc preview: encoded; " << problems.size() << " problem(s), " << findings.size()
            << " lint finding(s)" << std::endl;
  hub_.PublishSticky(
      "lint", Dump({{"problems", problems}, {"warnings", warnings}, {"findings", findings}}));
  stamps_ = StampSources(folder_);
}

}  // namespace tkc
