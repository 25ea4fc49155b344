// TMainForm: the character's main window. It owns all of the character's
// state; the subsystems are operations on it. Each subsystem's state is
// declared in that subsystem's folder and only named here, so a file sees
// the states it includes and nothing more.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/random.h"
#include "form/modes.h"
#include "form/repeat_guard.h"
#include "form/second_beat.h"
#include "platform/platform.h"

namespace tk {

class SoundPlayer;
class TAboutForm;
class TraceSink;
class TChildImageForm;
class ScriptLines;
struct Animations;
struct CharacterImages;
struct ClickableMap;
struct ClingState;
struct DragState;
struct EventState;
struct FlagLists;
struct InputDialogState;
struct NumberImages;
struct PromptState;
struct RandomJumpTables;
struct RunnerState;
struct SpeechState;
struct StepAsideState;
struct TPopupMenu1;
struct WalkState;

// Application-shell state of the window.
struct ShellState {
  std::string settings_path;
  std::string title;
  Modes modes;
  bool centre_on_first_image = false;
  bool debug_script = false;
  bool debug_map = false;
  // A seed given before start-up (by a tool, to repeat a run); otherwise the
  // clock seeds the random generator.
  std::optional<std::uint32_t> fixed_seed;
  int screen_color_depth = 0;
  bool tray_added = false;
  // The character is out of sight because a full-screen window covers its
  // monitor; the user's own hide (modes.hidden) is kept apart from it.
  bool stepped_aside = false;
  bool sound_available = false;
  bool sound_device_present = false;  // a wave or MIDI output device exists
  std::string about_caption;
  std::string about_text;
  std::uint32_t about_text_color = 0;
  std::string about_image;
  std::string icon_file;
  int next_cursor_number = -50;
  IconId tray_icon = 0;  // the icon IS loaded, 0 while the program's own shows
};

// A cursor MCS put into the cursor set under a name (at most 31 bytes).
struct NamedCursor {
  std::string name;
  int number = 0;
};

// Where a request to start an action comes from. Each asks MayStartAction.
enum class ActionTrigger {
  kMapClick,     // a left press on the character
  kMapHover,     // the pointer moving over the character (sets cursors)
  kPopupMenu,    // the popup menu, from the character or the tray icon
  kChildWindow,  // presses on the balloon
  kChoiceHover,  // the pointer over waiting choices (highlights them)
  kWalkTimer,
  kEventTimer,
};

// The answer to "may an action start now?".
enum class ActionStart {
  kYes,
  kNotNow,  // an action runs; ask again when it ends
  kNever,   // the window is closing or every run was stopped
};

// How far the window is on its way out; it only ever moves forward.
enum class CloseStage {
  kOpen,
  kStartFailed,  // the script could not start: nothing runs, not even `_LastAction`
  kLastAction,   // a close is under way, `_LastAction` first
  kReleasing,    // saving the settings and releasing what the window owns
  kDestroyed,    // the notification-area icon is gone
  kClosed,       // the window is destroyed and the message loop told to end
};

// The balloon window as the mover sees it: it rides at an offset from the
// main window's corner, at its picture's size.
struct ChildPlacement {
  WindowId window = kNoWindow;
  int offset_x = 0;
  int offset_y = 0;
  int width = 0;
  int height = 0;
};

class TMainForm : public WindowEvents {
 public:
  explicit TMainForm(Platform& platform);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Start-up: the whole creation sequence, `_FirstAction` included. A
  // failed start leaves the close stage at kStartFailed.
  void FormCreate();
  // Runs `_LastAction` once; never refuses.
  bool FormCloseQuery();
  // Saves the settings and releases what the window owns.
  void FormClose();
  // Removes the notification-area icon.
  void FormDestroy();
  // Any close request: the query, the close, then the end of the loop.
  void Close();
  bool IsClosed() const { return close_stage_ == CloseStage::kClosed; }
  // Past kOpen: no action starts any more.
  bool IsClosing() const { return close_stage_ != CloseStage::kOpen; }
  CloseStage close_stage() const { return close_stage_; }

  // A modal box with the title text as caption. The same box repeated
  // without pause is shown a few times, then held back (said once). `file`
  // is the file the box is about, told only to the trace.
  void ShowError(const std::string& text, std::string_view file = {});
  void ShowInformation(const std::string& text);

  // Mouse handlers of the window: dragging in move mode, the clickable map
  // otherwise, the popup menu on the right button. The child image window
  // passes its drags in with its own client coordinates.
  void FormMouseDown(MouseButton button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormMouseUp(MouseButton button, int x, int y);

  // PopupMenu1 and its items.
  void OpenPopupMenu();
  void PmMoveClick();
  void PmWinMostClick();
  void PmPutClick();
  void PmSoundClick();
  void PmStepAsideClick();
  void PmShowAboutClick();
  void PmExitClick();
  // Unchecks PmMove, ends any drag and lifts the cursor override.
  void TurnMoveModeOff();

  // The one answer to "may an action start now?". No action starts inside
  // another one (not now), nor once the window is closing or every run was
  // stopped (never); the event timer alone may start one while a choice
  // waits, nested in the choosing action.
  ActionStart MayStartAction(ActionTrigger trigger) const;
  bool CanStartAction(ActionTrigger trigger) const {
    return MayStartAction(trigger) == ActionStart::kYes;
  }
  // Why an action may not start now, in the author's words; empty when it may.
  std::string StartRefusal(ActionTrigger trigger) const;

  // The balloon window's place, when there is one.
  std::optional<ChildPlacement> ChildWindowPlacement() const;

  // Cursor number 1, 2, or a script's; kNoCursor when the number has none.
  CursorId CursorOfNumber(int number) const;
  // The map's choice: the named cursor table first, then the built-in names.
  CursorId CursorForName(const std::string& name);

  // WindowEvents
  void OnMouseDown(MouseButton button, int x, int y) override { FormMouseDown(button, x, y); }
  void OnMouseMove(int x, int y) override { FormMouseMove(x, y); }
  void OnMouseUp(MouseButton button, int x, int y) override { FormMouseUp(button, x, y); }
  void OnCommand(int id) override;
  void OnTrayMessage(int mouse_message) override;
  void OnCloseRequest() override;
  void OnEraseBackground() override;
  void OnPaletteChanged() override;

  Platform& platform;
  WindowId window = kNoWindow;
  Random random;
  TraceSink* trace = nullptr;  // who hears what happens; set before start-up
  SecondBeat second_beat;      // the clock image, the front-window look, the event checks

  ShellState shell;
  RepeatGuard repeated_boxes{10, 1000};
  RepeatGuard repeated_log_lines{1000, 1000};
  std::vector<NamedCursor> named_cursors;
  // Cursor numbers (1 open hand, 2 closed hand, scripts' from -50 down).
  std::map<int, CursorId> cursors;

 private:
  // Owns every subsystem state below; declared first, so it is made first.
  struct States;
  std::unique_ptr<States> states_;

 public:
  ScriptLines& script;
  RunnerState& runner;
  FlagLists& flags;
  RandomJumpTables& random_jumps;
  InputDialogState& input_dialog;
  TPopupMenu1& PopupMenu1;
  ClingState& cling;
  SpeechState& speech;
  ClickableMap& map;
  DragState& drag;
  CharacterImages& images;
  Animations& animations;
  NumberImages& numbers;
  EventState& events;
  PromptState& prompt;
  WalkState& walk;
  StepAsideState& step_aside;
  std::unique_ptr<TAboutForm> about_form;
  std::unique_ptr<TChildImageForm> child_image;  // at most one, made by CIP
  std::unique_ptr<SoundPlayer> sound;            // only while an output device exists

 private:
  void ShowBox(const std::string& text, MessageIcon icon, std::string_view file = {});
  void CreateTimers();
  void SetDefaults();
  void ReadSettings();
  void ReadWindowPosition(const class ProfileFile& settings);
  void WriteSettings();
  void ReleaseAll();
  void TrackPopupMenu(bool hide_script_items);

  CloseStage close_stage_ = CloseStage::kOpen;
};

}  // namespace tk
