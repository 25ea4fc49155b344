// TMainForm: the character's main window. It owns all of the character's
// state; the subsystems are operations on it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/popup_menu.h"
#include "app/random.h"
#include "app/repeat_guard.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "imagery/number_images.h"
#include "imagery/prompt_state.h"
#include "imagery/speech_state.h"
#include "interaction/clickable_map.h"
#include "motion/cling_state.h"
#include "motion/event_state.h"
#include "motion/walk_state.h"
#include "platform/platform.h"
#include "script/flags.h"
#include "script/input_dialog.h"
#include "script/random_jumps.h"
#include "script/runner.h"
#include "script/script_lines.h"
#include "sound/sound_player.h"

namespace tk {

// Application-shell state of the window.
struct ShellState {
  std::string settings_path;
  std::string title;
  bool closing = false;
  bool centre_on_first_image = false;
  bool debug_script = false;
  bool debug_map = false;
  int screen_color_depth = 0;
  bool tray_added = false;
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

// A left-button drag of the character in move mode.
struct DragState {
  bool dragging = false;
  int grab_x = 0;  // client pixels of the window the drag started on
  int grab_y = 0;
};

// Where a request to start an action comes from. Each asks MayStartAction.
enum class ActionTrigger {
  kMapClick,     // a left press on the character
  kMapHover,     // the pointer moving over the character (sets cursors)
  kPopupMenu,    // the popup menu, from the character or the tray icon
  kChildWindow,  // presses on the balloon
  kWalkTimer,
  kEventTimer,
};

class TMainForm : public WindowEvents {
 public:
  explicit TMainForm(Platform& platform);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Start-up: the whole creation sequence, `_FirstAction` included. On a
  // failed start the closing flag is set.
  void FormCreate();
  // Runs `_LastAction` once; never refuses.
  bool FormCloseQuery();
  // Saves the settings and releases what the window owns.
  void FormClose();
  // Removes the notification-area icon.
  void FormDestroy();
  // Any close request: the query, the close, then the end of the loop.
  void Close();
  bool IsClosed() const { return closed_; }

  // A modal box with the title text as caption. The same box repeated
  // without pause is shown a few times, then held back (said once).
  void ShowError(const std::string& text);
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
  void PmShowAboutClick();
  void PmExitClick();
  // Unchecks PmMove, ends any drag and lifts the cursor override.
  void TurnMoveModeOff();

  // The one answer to "may an action start now?". No action starts inside
  // another one, nor once the window is closing; the event timer alone may
  // start one while a choice waits, nested in the choosing action.
  bool MayStartAction(ActionTrigger trigger) const;

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

  ShellState shell;
  RepeatGuard repeated_boxes{10, 1000};
  RepeatGuard repeated_log_lines{1000, 1000};
  ScriptLines script;
  RunnerState runner;
  FlagLists flags;
  RandomJumpTables random_jumps;
  InputDialogState input_dialog;
  TPopupMenu1 PopupMenu1;
  ClingState cling;
  SpeechState speech;
  ClickableMap map;
  std::vector<NamedCursor> named_cursors;
  DragState drag;
  std::unique_ptr<class TAboutForm> about_form;
  CharacterImages images;
  Animations animations;
  std::unique_ptr<TChildImageForm> child_image;  // at most one, made by CIP
  NumberImages numbers;

  EventState events;
  PromptState prompt;
  WalkState walk;
  std::unique_ptr<SoundPlayer> sound;  // only while an output device exists

  // Cursor numbers (1 open hand, 2 closed hand, scripts' from -50 down).
  std::map<int, CursorId> cursors;

 private:
  void ShowBox(const std::string& text, MessageIcon icon);
  void CreateTimers();
  void SetDefaults();
  void ReadSettings();
  void ReadWindowPosition(const class ProfileFile& settings);
  void WriteSettings();
  void ReleaseAll();
  void TrackPopupMenu(bool hide_script_items);

  bool closed_ = false;
  bool close_in_progress_ = false;
  bool destroyed_ = false;
};

}  // namespace tk
