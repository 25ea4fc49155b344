#include "run_character.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>

#include "app/program.h"
#include "base/bitmap.h"
#include "base/messages.h"
#include "box_gloss.h"
#include "console_text.h"
#include "files.h"
#include "form/main_form.h"
#include "imagery/png_writer.h"
#include "platform/sim/sim_platform.h"
#include "platform/timer.h"
#include "screen_font.h"
#include "script/runner.h"
#include "trace_lines.h"
#include "wake_stats.h"

namespace tkc {

namespace {

// How long an action may go on once the character's time is up, and how
// long _LastAction may take once the close has begun, in virtual time.
constexpr std::uint64_t kOverrunMs = 60'000;

using Clock = std::chrono::steady_clock;

// Virtual time starts at the author's wall-clock time so that timed events
// behave as they would today.
tk::LocalTime HostLocalTime() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
          local->tm_min,         local->tm_sec,     local->tm_wday};
}

std::string ActionName(const std::string& label) {
  return label.empty() ? "(none)" : SjisToUtf8(label);
}

// Answers the runner's "keep going?" A loop that waits lets virtual time run
// past its deadline; one that never waits lets none pass, so real time bounds
// it too. The first answer "no" is final and ends the message loop as well.
class RunBounds {
 public:
  RunBounds(tk::SimPlatform& sim, std::uint64_t virtual_deadline_ms,
            std::chrono::seconds real_limit)
      : sim_(sim),
        virtual_deadline_ms_(virtual_deadline_ms),
        real_limit_(real_limit),
        real_deadline_(Clock::now() + real_limit) {}

  bool KeepGoing(const tk::TMainForm& form) {
    if (!report_.empty()) return false;
    if (sim_.NowMs() > virtual_deadline_ms_) {
      Stop(form, std::to_string(sim_.NowMs() / 1000) + " s of virtual time", "");
    } else if (Clock::now() > real_deadline_) {
      Stop(form, std::to_string(real_limit_.count()) + " s of real time",
           " (a loop without a wait lets no virtual time pass)");
    }
    return report_.empty();
  }
  void AllowVirtualUntil(std::uint64_t deadline_ms) { virtual_deadline_ms_ = deadline_ms; }
  // Empty unless a bound stopped the run.
  const std::string& Report() const { return report_; }

 private:
  void Stop(const tk::TMainForm& form, const std::string& after, const std::string& hint) {
    report_ = "stopped after " + after + ": action " + ActionName(form.runner.RunningAction()) +
              " was still running" + hint;
    sim_.Quit();
  }

  tk::SimPlatform& sim_;
  std::uint64_t virtual_deadline_ms_;
  std::chrono::seconds real_limit_;
  Clock::time_point real_deadline_;
  std::string report_;
};

}  // namespace

std::string StartFailure(const std::string& box_text, const std::string& folder,
                         bool reads_text_script) {
  const bool unreadable = box_text == tk::msg::kScriptUnreadable;
  if (!unreadable && box_text != tk::msg::kScriptUnrecognised) return {};
  constexpr char kEncodeHint[] = "encode the script with \"tkc encode tk_srt.txt tk.srt\"";
  if (reads_text_script) {
    if (!std::filesystem::exists(std::filesystem::path(folder) / "tk_srt.txt")) {
      return folder +
             " has no tk_srt.txt, which \"Script=1\" in tk.ini asks for; write the script "
             "there, or remove \"Script=1\" to read tk.srt";
    }
    if (unreadable) return folder + "/tk_srt.txt cannot be read";
    return folder + "/tk_srt.txt is not a script: it has no \"*TKScriptFile\" line";
  }
  if (!std::filesystem::exists(std::filesystem::path(folder) / "tk.srt")) {
    return folder + " has no tk.srt; " + kEncodeHint +
           ", or put \"[Debug]\" with \"Script=1\" into tk.ini to read tk_srt.txt directly";
  }
  return folder + "/tk.srt is not an encoded script file; " + kEncodeHint;
}

namespace {

// tkc's own timers: each ticks once, `ms` after the run began, and is given
// back when the run is over.
using OwnTimers = std::vector<std::unique_ptr<tk::Timer>>;

void AtMs(tk::SimPlatform& sim, OwnTimers& timers, std::uint64_t ms, std::function<void()> action) {
  auto timer = std::make_unique<tk::Timer>();
  *timer = tk::Timer(sim, [once = timer.get(), action = std::move(action)] {
    once->Stop();
    action();
  });
  timer->Start(static_cast<unsigned>(std::max<std::uint64_t>(ms, 1)));
  timers.push_back(std::move(timer));
}

bool ReadNumber(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || text.size() > 12) return false;
  std::size_t used = 0;
  try {
    out = std::stoll(text, &used);
  } catch (const std::exception&) {
    return false;
  }
  return used == text.size() && out >= low && out <= high;
}

constexpr long long kMaxInputMs = kMaxRunSeconds * 1000LL;

const char* InputName(ScriptedInput::Kind kind) {
  switch (kind) {
    case ScriptedInput::Kind::kLeftClick:
      return "click";
    case ScriptedInput::Kind::kRightClick:
      return "right click";
    case ScriptedInput::Kind::kMove:
      return "move";
    case ScriptedInput::Kind::kShot:
      return "shot";
    case ScriptedInput::Kind::kMenu:
      return "menu";
    case ScriptedInput::Kind::kDrag:
      return "drag";
    case ScriptedInput::Kind::kWindow:
      return "window";
    case ScriptedInput::Kind::kCloseWindow:
      return "close window";
  }
  return "";
}

// Opens the popup menu as a right click on the character does and chooses
// the item whose caption reads `caption`; says what it could not do.
void ChooseMenuItem(tk::SimPlatform& sim, tk::TMainForm& form, const std::string& caption,
                    const std::string& when) {
  bool opened = false, found = false;
  std::string captions;
  sim.on_popup_menu = [&](const std::vector<tk::PopupMenuItem>& items) {
    opened = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const std::string shown = SjisToUtf8(items[i].caption);
      if (shown == caption) {
        found = true;
        return static_cast<int>(i);
      }
      if (shown != "-") captions += (captions.empty() ? "" : ", ") + shown;
    }
    return -1;
  };
  form.OpenPopupMenu();
  sim.on_popup_menu = nullptr;
  if (!opened) {
    std::cout << when << "menu \"" << caption << "\": the menu did not open (an action ran)"
              << std::endl;
  } else if (!found) {
    std::cout << when << "menu \"" << caption << "\": no such item; it holds " << captions
              << std::endl;
  }
}

// A left-button drag from one screen point to another in a few steps, each
// in the client pixels of the window as it stands then (it may move along).
bool Drag(tk::SimPlatform& sim, const ScriptedInput& input) {
  const tk::WindowId id = sim.WindowAt({input.x, input.y});
  if (id == tk::kNoWindow) return false;
  const auto client = [&](int x, int y) {
    const tk::Rect bounds = sim.WindowBounds(id);
    return tk::Point{x - bounds.left, y - bounds.top};
  };
  tk::Point at = client(input.x, input.y);
  sim.MouseDown(id, tk::MouseButton::kLeft, at.x, at.y);
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    at = client(input.x + (input.x2 - input.x) * step / kSteps,
                input.y + (input.y2 - input.y) * step / kSteps);
    sim.MouseMove(id, at.x, at.y);
  }
  sim.MouseUp(id, tk::MouseButton::kLeft, at.x, at.y);
  sim.cursor_position = {input.x2, input.y2};
  return true;
}

// Other programs' windows by their titles (Shift-JIS), as --window opened them.
using OtherWindows = std::map<std::string, tk::WindowId>;

bool OpenOrMoveWindow(tk::SimPlatform& sim, OtherWindows& others, const ScriptedInput& input) {
  const std::string title = Utf8ToSjis(input.file);
  const tk::Rect bounds{input.x, input.y, input.x + input.x2, input.y + input.y2};
  if (const auto found = others.find(title); found != others.end()) {
    sim.MoveForeignWindow(found->second, bounds);
    sim.RaiseWindow(found->second);
  } else {
    others[title] = sim.OpenForeignWindow({title, bounds});
  }
  return true;
}

bool CloseWindow(tk::SimPlatform& sim, OtherWindows& others, const ScriptedInput& input) {
  const auto found = others.find(Utf8ToSjis(input.file));
  if (found == others.end()) return false;
  sim.CloseForeignWindow(found->second);
  others.erase(found);
  return true;
}

// Carries out one input; what it could not do is said, not fatal, in the
// trace's form when there is one.
void Perform(tk::SimPlatform& sim, tk::TMainForm* form, OtherWindows& others,
             const ScriptedInput& input, TraceLines* trace) {
  if (trace) trace->Flush();
  const std::string when =
      trace ? TraceStamp(sim.NowMs()) : "[" + std::to_string(sim.NowMs()) + " ms] ";
  const tk::Point at{input.x, input.y};
  bool done = true;
  switch (input.kind) {
    case ScriptedInput::Kind::kLeftClick:
      done = sim.ClickAt(at, tk::MouseButton::kLeft);
      break;
    case ScriptedInput::Kind::kRightClick:
      done = sim.ClickAt(at, tk::MouseButton::kRight);
      break;
    case ScriptedInput::Kind::kMove:
      done = sim.MoveMouseTo(at);
      break;
    case ScriptedInput::Kind::kDrag:
      done = Drag(sim, input);
      break;
    case ScriptedInput::Kind::kMenu:
      if (form != nullptr) ChooseMenuItem(sim, *form, input.file, when);
      return;
    case ScriptedInput::Kind::kWindow:
      OpenOrMoveWindow(sim, others, input);
      return;
    case ScriptedInput::Kind::kCloseWindow:
      if (!CloseWindow(sim, others, input))
        std::cout << when << "close window \"" << input.file << "\": no such window" << std::endl;
      return;
    case ScriptedInput::Kind::kShot:
      if (!WriteAll(input.file, tk::EncodePng(sim.RenderScreen(kDesktopColour)))) {
        std::cout << when << "cannot write " << input.file << std::endl;
      }
      return;
  }
  if (!done) {
    std::cout << when << InputName(input.kind) << " at " << input.x << "," << input.y
              << ": no window of the character there" << std::endl;
  }
}

// Each input is a timer of its own, so it arrives like real input: between
// commands, or while a command waits for the user.
void ScheduleInputs(tk::SimPlatform& sim, OwnTimers& timers, tk::TMainForm* const& form,
                    const std::vector<ScriptedInput>& inputs, TraceLines* trace) {
  auto others = std::make_shared<OtherWindows>();
  for (const ScriptedInput& input : inputs) {
    AtMs(sim, timers, input.at_ms,
         [&sim, &form, others, input, trace] { Perform(sim, form, *others, input, trace); });
  }
}

// A program that goes full screen takes the foreground as it opens; the
// character's own windows stay where they were in the z-order.
void ScheduleFullScreenWindows(tk::SimPlatform& sim, OwnTimers& timers,
                               const std::vector<FullScreenSpan>& spans) {
  for (const FullScreenSpan& span : spans) {
    auto window = std::make_shared<tk::WindowId>(tk::kNoWindow);
    AtMs(sim, timers, span.from_ms, [&sim, window] {
      *window = sim.OpenForeignWindow({"Full screen", {0, 0, sim.screen_width, sim.screen_height}});
    });
    AtMs(sim, timers, span.until_ms, [&sim, window] { sim.CloseForeignWindow(*window); });
  }
}

}  // namespace

bool ParseSpan(const std::string& text, FullScreenSpan& span) {
  const std::size_t dash = text.find('-');
  long long from = 0, until = 0;
  if (dash == std::string::npos || !ReadNumber(text.substr(0, dash), 0, kMaxInputMs, from) ||
      !ReadNumber(text.substr(dash + 1), 0, kMaxInputMs, until) || from >= until) {
    return false;
  }
  span = {static_cast<std::uint64_t>(from), static_cast<std::uint64_t>(until)};
  return true;
}

bool ParsePointAt(const std::string& text, ScriptedInput& input) {
  const std::size_t comma = text.find(',');
  const std::size_t at = text.find('@');
  if (comma == std::string::npos || at == std::string::npos || at < comma) return false;
  long long x = 0, y = 0, ms = 0;
  constexpr long long kLimit = 1'000'000;
  if (!ReadNumber(text.substr(0, comma), -kLimit, kLimit, x) ||
      !ReadNumber(text.substr(comma + 1, at - comma - 1), -kLimit, kLimit, y) ||
      !ReadNumber(text.substr(at + 1), 0, kMaxInputMs, ms)) {
    return false;
  }
  input.x = static_cast<int>(x);
  input.y = static_cast<int>(y);
  input.at_ms = static_cast<std::uint64_t>(ms);
  return true;
}

bool ParseMenuChoice(const std::string& text, ScriptedInput& input) {
  const std::size_t at = text.rfind('@');
  long long ms = 0;
  if (at == std::string::npos || at == 0 || !ReadNumber(text.substr(at + 1), 0, kMaxInputMs, ms))
    return false;
  input.at_ms = static_cast<std::uint64_t>(ms);
  input.file = text.substr(0, at);
  return true;
}

bool ParseDrag(const std::string& text, ScriptedInput& input) {
  const std::size_t arrow = text.find('>');
  if (arrow == std::string::npos) return false;
  ScriptedInput end;
  if (!ParsePointAt(text.substr(0, arrow) + "@0", input) ||
      !ParsePointAt(text.substr(arrow + 1), end)) {
    return false;
  }
  input.x2 = end.x;
  input.y2 = end.y;
  input.at_ms = end.at_ms;
  return true;
}

bool ParseWindow(const std::string& text, ScriptedInput& input) {
  std::string rest = text;
  long long ms = 0;
  const std::size_t last = rest.rfind('@');
  if (last != std::string::npos && rest.find(',', last) == std::string::npos) {  // "@T" ends it
    if (!ReadNumber(rest.substr(last + 1), 0, kMaxInputMs, ms)) return false;
    rest.resize(last);
  }
  const std::size_t at = rest.rfind('@');
  if (at == std::string::npos || at == 0) return false;
  long long box[4] = {};
  std::size_t from = at + 1;
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = i < 3 ? rest.find(',', from) : rest.size();
    if (comma == std::string::npos) return false;
    const bool size = i >= 2;
    if (!ReadNumber(rest.substr(from, comma - from), size ? 1 : -1'000'000,
                    size ? tk::kMaxImageSide : 1'000'000, box[i])) {
      return false;
    }
    from = comma + 1;
  }
  input.file = rest.substr(0, at);
  input.x = static_cast<int>(box[0]);
  input.y = static_cast<int>(box[1]);
  input.x2 = static_cast<int>(box[2]);
  input.y2 = static_cast<int>(box[3]);
  input.at_ms = static_cast<std::uint64_t>(ms);
  return true;
}

bool ParseShot(const std::string& text, ScriptedInput& input) {
  const std::size_t equals = text.find('=');
  long long ms = 0;
  if (equals == std::string::npos || equals + 1 == text.size() ||
      !ReadNumber(text.substr(0, equals), 0, kMaxInputMs, ms)) {
    return false;
  }
  input.at_ms = static_cast<std::uint64_t>(ms);
  input.file = text.substr(equals + 1);
  return true;
}

namespace {

// A signed whole number at `at`, which moves past it: "+12", "-3", "40".
bool ReadSigned(const std::string& text, std::size_t& at, bool sign_required, long long low,
                long long high, long long& out) {
  std::size_t end = at;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
    ++end;
  } else if (sign_required) {
    return false;
  }
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  std::string number = text.substr(at, end - at);
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  if (!ReadNumber(number, low, high, out)) return false;
  at = end;
  return true;
}

bool Overlap(const tk::Rect& a, const tk::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

bool ParseStart(const std::string& text, tk::LocalTime& start) {
  // Exactly "YYYY-MM-DD HH:MM:SS": digits where digits go, separators between.
  constexpr char kShape[] = "0000-00-00 00:00:00";
  if (text.size() != sizeof kShape - 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
  }
  const auto field = [&](std::size_t at, std::size_t length) {
    return std::stoi(text.substr(at, length));
  };
  const std::chrono::year_month_day date{std::chrono::year{field(0, 4)},
                                         std::chrono::month{static_cast<unsigned>(field(5, 2))},
                                         std::chrono::day{static_cast<unsigned>(field(8, 2))}};
  const int hour = field(11, 2), minute = field(14, 2), second = field(17, 2);
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return false;
  const std::chrono::weekday weekday{std::chrono::sys_days{date}};
  start = {static_cast<int>(date.year()),
           static_cast<int>(static_cast<unsigned>(date.month())),
           static_cast<int>(static_cast<unsigned>(date.day())),
           hour,
           minute,
           second,
           static_cast<int>(weekday.c_encoding())};
  return true;
}

bool ParseMonitor(const std::string& text, tk::Monitor& monitor) {
  constexpr long long kMaxSide = tk::kMaxImageSide;
  constexpr long long kMaxCorner = 1'000'000;
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  long long width = 0, height = 0, left = 0, top = 0;
  std::size_t at = 0;
  if (!ReadSigned(text.substr(0, x), at, false, 1, kMaxSide, width) || at != x) return false;
  at = x + 1;
  if (!ReadSigned(text, at, false, 1, kMaxSide, height) ||
      !ReadSigned(text, at, true, -kMaxCorner, kMaxCorner, left) ||
      !ReadSigned(text, at, true, -kMaxCorner, kMaxCorner, top)) {
    return false;
  }
  long long scale = 100;
  if (at < text.size() && text[at] == '@') {
    const std::size_t percent = text.size() - 1;
    ++at;
    if (text.back() != '%' || !ReadSigned(text.substr(0, percent), at, false, 100, 500, scale))
      return false;
    ++at;
  }
  if (at != text.size()) return false;
  const tk::Rect bounds{static_cast<int>(left), static_cast<int>(top),
                        static_cast<int>(left + width), static_cast<int>(top + height)};
  monitor = {bounds, bounds, static_cast<int>(scale)};
  return true;
}

std::string CheckMonitors(const std::vector<tk::Monitor>& monitors) {
  if (monitors.empty()) return {};
  const tk::Rect& primary = monitors.front().bounds;
  if (primary.left != 0 || primary.top != 0)
    return "the first --monitor is the primary one: its corner is +0+0";
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    for (std::size_t j = i + 1; j < monitors.size(); ++j) {
      if (Overlap(monitors[i].bounds, monitors[j].bounds))
        return "monitors " + std::to_string(i + 1) + " and " + std::to_string(j + 1) + " overlap";
    }
  }
  long long left = 0, top = 0, right = 0, bottom = 0;
  for (const tk::Monitor& m : monitors) {
    left = std::min<long long>(left, m.bounds.left);
    top = std::min<long long>(top, m.bounds.top);
    right = std::max<long long>(right, m.bounds.right);
    bottom = std::max<long long>(bottom, m.bounds.bottom);
  }
  if (!tk::IsSaneImageSize(right - left, bottom - top))
    return "the monitors span a desktop too large for a screenshot";
  return {};
}

void SetUpDesktop(tk::SimPlatform& sim, const RunOptions& options) {
  if (!options.monitors.empty()) {
    sim.screen_width = options.monitors.front().bounds.Width();
    sim.screen_height = options.monitors.front().bounds.Height();
    sim.primary_scale_percent = options.monitors.front().scale_percent;
    sim.other_monitors.assign(options.monitors.begin() + 1, options.monitors.end());
  }
  sim.wave_devices = sim.midi_devices = options.sound ? 1 : 0;
  constexpr std::uint32_t kTrackMs = 180'000;  // each track of a --cd disc
  sim.media.cd_tracks_ms.assign(static_cast<std::size_t>(options.cd_tracks), kTrackMs);
  sim.start_time = options.start ? *options.start : HostLocalTime();
}

int RunCharacter(const RunOptions& options) {
  std::error_code error;
  const std::string dir = std::filesystem::absolute(options.folder, error).string();
  if (error || !std::filesystem::is_directory(dir))
    return Fail(options.folder + " is not a folder");
  if (const std::string why = CheckMonitors(options.monitors); !why.empty()) return Fail(why);
  const std::unique_ptr<tk::TextRenderer> font = options.block_font ? nullptr : OpenScreenFont();
  tk::SimPlatform sim(dir, dir);
  if (font) sim.UseTextRenderer(*font);
  SetUpDesktop(sim, options);
  const std::uint64_t lifetime_ms = options.seconds * 1000;
  RunBounds bounds(sim, lifetime_ms + kOverrunMs, options.real_limit);

  tk::TMainForm* form = nullptr;  // set while the program runs
  std::optional<TraceLines> trace;
  if (options.trace) trace.emplace(std::cout, [&sim] { return sim.NowMs(); });
  std::string start_failure;
  sim.on_message_box = [&](const tk::SimPlatform::MessageBoxRecord& box) {
    const std::string gloss = EnglishGloss(box.text);
    // The trace tells each box itself, with the file it is about.
    if (!trace)
      std::cout << "[" << sim.NowMs() << " ms] " << SjisToUtf8(box.caption) << ": "
                << SjisToUtf8(box.text) << (gloss.empty() ? "" : " (" + gloss + ")") << std::endl;
    if (form && start_failure.empty())
      start_failure = StartFailure(box.text, options.folder, form->shell.debug_script);
  };
  sim.message_loop_ms = lifetime_ms;  // a backstop: the timer below ends the loop first
  OwnTimers own_timers;
  ScheduleInputs(sim, own_timers, form, options.inputs, trace ? &*trace : nullptr);
  ScheduleFullScreenWindows(sim, own_timers, options.full_screen_windows);
  // However much of the lifetime start-up took, the loop ends when it is up.
  AtMs(sim, own_timers, lifetime_ms, [&sim] { sim.Quit(); });
  WakeStats stats;
  for (const auto& timer : own_timers) stats.own.insert(timer->id());
  bool saved = options.screenshot.empty();
  sim.on_loop_end = [&] {
    bounds.AllowVirtualUntil(sim.NowMs() + kOverrunMs);
    if (form) stats.names = TimerNames(*form);
    CountWakes(sim, stats);
    if (!saved)
      saved = WriteAll(options.screenshot, tk::EncodePng(sim.RenderScreen(kDesktopColour)));
  };
  tk::RunProgram(sim, [&](tk::TMainForm& created) {
    form = &created;
    if (trace) created.trace = &*trace;
    created.shell.fixed_seed = options.seed;
    created.runner.keep_going = [&bounds, &created] { return bounds.KeepGoing(created); };
  });
  form = nullptr;
  if (trace) trace->Flush();

  if (!start_failure.empty()) return Fail(start_failure);
  if (options.stats) PrintWakeStats(std::cout, stats);
  for (const std::string& what : sim.exception_boxes) std::cout << "exception: " << what << "\n";
  if (!bounds.Report().empty()) {
    Fail(bounds.Report());
    return kExitStopped;
  }
  if (!saved)
    return Fail("cannot write " + options.screenshot + " (or the character closed at start-up)");
  return sim.exception_boxes.empty() ? 0 : Fail("the program hit an internal error (see above)");
}

}  // namespace tkc
