#include "app/about_form.h"
#include "app/command_table.h"
#include "app/settings.h"
#include "base/messages.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "form/popup_menu.h"
#include "form/trace.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "imagery/imagery_commands.h"
#include "imagery/number_images.h"
#include "imagery/prompt_state.h"
#include "imagery/speech_prompt.h"
#include "imagery/speech_state.h"
#include "interaction/clickable_map.h"
#include "interaction/interaction_commands.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"
#include "motion/event_commands.h"
#include "motion/event_state.h"
#include "motion/motion_commands.h"
#include "motion/step_aside.h"
#include "motion/step_aside_state.h"
#include "motion/walk_state.h"
#include "script/flags.h"
#include "script/input_dialog.h"
#include "script/random_jumps.h"
#include "script/runner.h"
#include "script/script_lines.h"
#include "script/script_loader.h"
#include "sound/sound_commands.h"
#include "sound/sound_player.h"

namespace tk {

namespace {

constexpr unsigned kPromptTimerStartMs = 90;
constexpr unsigned kWalkTimerDefaultMs = 1000;
constexpr std::uint32_t kNavy = 0x00800000;  // 0x00BBGGRR
// The form's design size; nothing of it shows until a picture shapes it.
constexpr int kInitialWindowSize = 160;

std::uint32_t SeedFromClock(const Platform& platform) {
  const LocalTime now = platform.Now();
  return platform.TickCount() ^
         static_cast<std::uint32_t>(((now.hour * 60 + now.minute) * 60 + now.second) * 1000);
}

}  // namespace

struct TMainForm::States {
  ScriptLines script;
  RunnerState runner;
  FlagLists flags;
  RandomJumpTables random_jumps;
  InputDialogState input_dialog;
  TPopupMenu1 popup_menu;
  ClingState cling;
  SpeechState speech;
  ClickableMap map;
  DragState drag;
  CharacterImages images;
  Animations animations;
  NumberImages numbers;
  EventState events;
  PromptState prompt;
  WalkState walk;
  StepAsideState step_aside;
};

TMainForm::TMainForm(Platform& platform)
    : platform(platform),
      states_(std::make_unique<States>()),
      script(states_->script),
      runner(states_->runner),
      flags(states_->flags),
      random_jumps(states_->random_jumps),
      input_dialog(states_->input_dialog),
      PopupMenu1(states_->popup_menu),
      cling(states_->cling),
      speech(states_->speech),
      map(states_->map),
      drag(states_->drag),
      images(states_->images),
      animations(states_->animations),
      numbers(states_->numbers),
      events(states_->events),
      prompt(states_->prompt),
      walk(states_->walk),
      step_aside(states_->step_aside) {
  runner.commands = &Commands();
}

TMainForm::~TMainForm() {
  if (close_stage_ < CloseStage::kDestroyed) FormDestroy();
}

std::optional<ChildPlacement> TMainForm::ChildWindowPlacement() const {
  if (!child_image) return std::nullopt;
  const TChildImageForm& child = *child_image;
  return ChildPlacement{child.window, child.offset_x, child.offset_y, child.display_bitmap.width(),
                        child.display_bitmap.height()};
}

void TMainForm::ShowError(const std::string& text, std::string_view file) {
  ShowBox(text, MessageIcon::kError, file);
}

void TMainForm::ShowInformation(const std::string& text) {
  ShowBox(text, MessageIcon::kInformation);
}

void TMainForm::ShowBox(const std::string& text, MessageIcon icon, std::string_view file) {
  switch (repeated_boxes.Check(text, platform.TickCount())) {
    case RepeatGuard::Verdict::kPass:
      if (trace) trace->BoxShown(text, file);
      platform.ShowMessageBox(text, shell.title, icon);
      break;
    case RepeatGuard::Verdict::kFirstHeld:
      if (trace) trace->BoxShown(msg::kRepeatsHeldBack, {});
      platform.ShowMessageBox(msg::kRepeatsHeldBack, shell.title, MessageIcon::kInformation);
      break;
    case RepeatGuard::Verdict::kHeld:
      return;
  }
  repeated_boxes.Done(platform.TickCount());
}

void TMainForm::CreateTimers() {
  CreateEventTimer(*this);
  second_beat.Create(platform);
  prompt.timer = Timer(platform, [this] { StepPrompt(*this); });
  prompt.timer.SetInterval(kPromptTimerStartMs);
  walk.timer = Timer(platform, [this] { OnWalkTimer(*this); });
  walk.timer.SetInterval(kWalkTimerDefaultMs);
}

void TMainForm::SetDefaults() {
  walk.dx = random.Next() % 3 - 1;
  walk.dy = random.Next() % 3 - 1;
  walk.labels.fill({});
  speech.font.name = msg::kFormFontName;
  speech.text_colour = kNavy;
  shell.title = msg::kDefaultTitle;
  shell.about_caption = msg::kAboutCaption;
  shell.about_text = msg::kDefaultAboutText;
  shell.about_text_color = 0;
  shell.about_image = "0";
  shell.icon_file = "0";
  shell.next_cursor_number = -50;
}

void TMainForm::FormCreate() {
  random.Seed(shell.fixed_seed ? *shell.fixed_seed : SeedFromClock(platform));
  shell.screen_color_depth = platform.ScreenColorDepth();
  window = platform.CreateWindow(WindowKind::kMain, this);
  ResizeCharacter(*this, kInitialWindowSize, kInitialWindowSize);
  CreateTimers();
  SetDefaults();
  platform.SetWindowTitle(window, shell.title);
  cursors[1] = platform.LoadResourceCursor("CSHAND1");
  cursors[2] = platform.LoadResourceCursor("CSHAND2");
  LoadDefaultPrompt(*this);
  if (platform.WaveOutDeviceCount() > 0 || platform.MidiOutDeviceCount() > 0) {
    shell.sound_available = true;
    shell.sound_device_present = true;
    CreateSoundPlayer(*this);
  }
  shell.settings_path = platform.ProgramFolder() + kSettingsFileName;
  ReadSettings();
  if (shell.debug_script || shell.debug_map) ShowInformation(msg::kDebugMode);
  shell.tray_added = platform.Tray().AddTrayIcon(window, shell.title);
  LoadClickableMap(*this, shell.debug_map ? "tk_map.txt" : "tk.map");
  if (!LoadScript(*this, shell.debug_script ? "tk_srt.txt" : "tk.srt")) {
    close_stage_ = CloseStage::kStartFailed;
    return;
  }
  PopupMenu1.PmShowAbout.caption = shell.about_caption + "(&A)";
  if (cling.restore_at_start && cling.setup_done && !cling.clinging) RestoreClinging(*this);
  StartSteppingAside(*this);
}

void TMainForm::OnCloseRequest() {
  Close();
}

void TMainForm::OnEraseBackground() {
  if (IsPaletteDisplay(*this)) platform.RealizePalette(window, images.back_buffer.palette);
  PresentArea(*this, images.back_buffer.Bounds());
}

void TMainForm::OnPaletteChanged() {
  if (IsPaletteDisplay(*this)) platform.InvalidateWindow(window);
}

}  // namespace tk
