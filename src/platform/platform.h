// The narrow interface between the portable engine and the operating system.
// Every text crossing it is Shift-JIS bytes; the Win32 implementation converts
// explicitly, the simulated one keeps them as they are.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "platform/media.h"
#include "platform/text.h"
#include "platform/tray.h"

namespace tk {

class Bitmap;
class DesktopWindows;

// One display of the desktop: where it stands (the primary one's corner is
// 0,0; others may lie at negative coordinates), the part task bars leave
// free, and its scale in percent of 96 dots per inch.
struct Monitor {
  Rect bounds;
  Rect work_area;
  int scale_percent = 100;
  bool operator==(const Monitor&) const = default;
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, day_of_week = 0;
};

using TimerId = int;
// Message timers run every shorter interval at this one, as Windows does.
inline constexpr unsigned kMinimumTimerMs = 10;
using CursorId = int;
inline constexpr WindowId kNoWindow = 0;
inline constexpr CursorId kNoCursor = 0;  // as an override: none, each window shows its own

enum class StandardCursor { kArrow, kHandPoint };

// One line of a popup menu; a caption of a lone "-" draws a separator.
struct PopupMenuItem {
  std::string caption;
  bool checked = false;
  bool operator==(const PopupMenuItem&) const = default;
};

// The about box, laid out by the engine (TAboutForm): screen position and
// client size, the label and the button in client coordinates. Its button
// reports WindowEvents::OnCommand(kAboutButtonCommand); the background is
// painted by the form through OnEraseBackground.
inline constexpr int kAboutButtonCommand = 1;
struct AboutBoxLayout {
  int left = 0;
  int top = 0;
  int client_width = 0;
  int client_height = 0;
  std::string caption;
  std::string font_name;
  int font_points = 9;
  Rect label;  // Label1: bold, centred, transparent
  std::string label_text;
  std::uint32_t label_color = 0;  // 0x00BBGGRR
  Rect button;                    // Button1
  std::string button_text;
};

enum class MessageIcon { kError, kInformation };

enum class MouseButton { kLeft, kRight, kMiddle };

// Mouse message codes the notification-area icon reports (as Windows numbers them).
inline constexpr int kTrayLeftButtonDown = 0x0201;
inline constexpr int kTrayRightButtonDown = 0x0204;

// Callbacks of one window, implemented by the engine's form classes. The
// platform calls them on the user-interface thread only.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnMouseDown(MouseButton, int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*x*/, int /*y*/) {}
  virtual void OnMouseUp(MouseButton, int /*x*/, int /*y*/) {}
  // A menu command (WM_COMMAND low word) routed to the window.
  virtual void OnCommand(int /*id*/) {}
  // The notification-area icon's callback; `mouse_message` is the mouse
  // message code it carries (WM_RBUTTONUP and friends).
  virtual void OnTrayMessage(int /*mouse_message*/) {}
  // Someone asked the window to close (a close message from outside).
  virtual void OnCloseRequest() {}
  // The window needs its background; the form presents its back buffer.
  virtual void OnEraseBackground() {}
  // The system palette changed or the window may realise its own.
  virtual void OnPaletteChanged() {}
};

// A file opened for appending, held open and unshared until destroyed.
class AppendFile {
 public:
  virtual ~AppendFile() = default;
  virtual bool SeekToEnd() = 0;
  virtual bool Write(const std::string& bytes) = 0;
};

enum class WindowKind { kMain, kChild, kAbout, kInput };

// The common open and save dialogs. The filter is "description|pattern".
struct FileDialogRequest {
  bool save = false;  // a save dialog, which asks before overwriting a file
  std::string title;
  std::string filter;
  int filter_index = 1;
  std::string initial_folder;
};

// The text-input dialog, laid out by the engine (TDIForm) in pixels: the
// window's screen position and its client size, the controls in client
// coordinates. Shown modally; topmost while it is open.
struct InputDialogLayout {
  struct Control {
    Rect rect;
    std::string text;
  };
  int left = 0;
  int top = 0;
  int client_width = 0;
  int client_height = 0;
  std::string font_name;
  int font_points = 9;
  std::string caption;
  Control prompt;              // LbCaption: a label sized to its text from rect's corner
  Control edit;                // EbTextBox: the initial text
  std::size_t max_length = 0;  // characters the edit box accepts
  Control cancel;              // BtCancel
  Control ok;                  // BtOk, the default button
};

inline constexpr int kMaxDisplayFactor = 8;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- windows -------------------------------------------------------------
  // Creates a hidden borderless tool window (no taskbar button).
  virtual WindowId CreateWindow(WindowKind kind, WindowEvents* events) = 0;
  virtual void DestroyWindow(WindowId id) = 0;
  virtual void SetWindowTitle(WindowId id, const std::string& title) = 0;
  virtual void SetWindowBounds(WindowId id, const Rect& screen_rect) = 0;
  virtual Rect WindowBounds(WindowId id) const = 0;
  virtual void ShowWindow(WindowId id, bool visible) = 0;
  virtual bool IsWindowVisible(WindowId id) const = 0;
  // Places the window in (or out of) the topmost band without activating,
  // moving or resizing it.
  virtual void SetTopmost(WindowId id, bool topmost) = 0;
  // Applies the region in one call and redraws the window.
  virtual void SetWindowRegion(WindowId id, const Region& region) = 0;
  // Copies `area` of `bitmap` to the same client coordinates of the window,
  // in one blit.
  virtual void PresentBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) = 0;
  // Device pixels per picture pixel in the window: its monitor's whole scale
  // factor (the engine draws at most kMaxDisplayFactor); 1 for a window that
  // does not exist.
  virtual int WindowScale(WindowId id) const = 0;
  // As PresentBitmap for a bitmap drawn at the window's scale: `area` is in
  // device pixels of the client area, copied as it is.
  virtual void PresentScaledBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) = 0;
  // Selects these colours (0x00RRGGBB) into the window's drawing surface as
  // its foreground palette and realises them; for palette displays.
  virtual void RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) = 0;
  // Asks for the whole window to be erased and painted again.
  virtual void InvalidateWindow(WindowId id) = 0;

  // --- cursors --------------------------------------------------------------
  // A cursor from the program's own resources (CSHAND1, CSHAND2); 0 if absent.
  virtual CursorId LoadResourceCursor(const std::string& name) = 0;
  // A bitmap resource of the program (PROMPT01) as the bytes of a BMP file;
  // nothing when it is absent or larger than `max_bytes`.
  virtual std::optional<std::string> ReadResourceBitmap(const std::string& name,
                                                        std::size_t max_bytes) = 0;
  // A static or animated cursor file; 0 when it cannot be loaded.
  virtual CursorId LoadCursorFile(const std::string& name) = 0;
  virtual CursorId LoadStandardCursor(StandardCursor which) = 0;
  // The cursor every window of the program shows, whatever each window's
  // own; kNoCursor lifts the override. Other programs keep their cursors.
  virtual void SetCursorOverride(CursorId id) = 0;
  // The pointer in screen coordinates.
  virtual Point CursorPosition() const = 0;

  // --- menus and focus --------------------------------------------------------
  // Shows the items with their top-left corner at `at` (screen coordinates),
  // chosen with the left button, `owner` as owner; runs until the menu closes
  // and returns the index of the chosen item, -1 when none was chosen.
  virtual int TrackPopupMenu(WindowId owner, const std::vector<PopupMenuItem>& items, Point at) = 0;
  // Makes the window the foreground window even when another program's
  // window has the foreground.
  virtual void ForceForeground(WindowId id) = 0;
  // Ends whatever mode the window is in (mouse capture, a menu).
  virtual void CancelMode(WindowId id) = 0;
  // Lays out and shows a window made with WindowKind::kAbout (not modal).
  virtual void ShowAboutBox(WindowId id, const AboutBoxLayout& layout) = 0;

  // --- timers ---------------------------------------------------------------
  // Message timers: ticks arrive on the UI thread from the message loop or
  // from ProcessPendingMessages, never in the middle of other code.
  virtual TimerId CreateTimer(std::function<void()> on_tick) = 0;
  virtual void SetTimer(TimerId id, unsigned interval_ms, bool enabled) = 0;
  virtual void DestroyTimer(TimerId id) = 0;

  // --- message pumping ------------------------------------------------------
  // Handles what is pending and returns without waiting for more.
  virtual void ProcessPendingMessages() = 0;
  // Runs until Quit is called.
  virtual void RunMessageLoop() = 0;
  virtual void Quit() = 0;

  // Sleeps until a message arrives or `max_ms` pass, so that a waiting
  // command does not spin.
  virtual void WaitForMessages(std::uint32_t max_ms) = 0;

  // --- user messages --------------------------------------------------------
  // Modal box with one OK button; returns when dismissed.
  virtual void ShowMessageBox(const std::string& text, const std::string& caption,
                              MessageIcon icon) = 0;
  // The standard box for an unexpected failure that reached the message loop.
  virtual void ShowExceptionBox(const std::string& what) = 0;

  // --- dialogs and the shell -------------------------------------------------
  // The full path of the file the user confirmed, nothing when cancelled.
  virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;
  // Outer size of a dialog window (single fixed border and caption) whose
  // client area has the given size.
  virtual Rect DialogWindowSize(int client_width, int client_height) const = 0;
  // The edit box's text when the user pressed OK, nothing on cancel.
  virtual std::optional<std::string> ShowInputDialog(WindowId owner,
                                                     const InputDialogLayout& layout) = 0;
  // Opens a file or program with its default action; the answer is ignored.
  virtual void ShellOpen(const std::string& file, const std::string& parameters) = 0;

  // --- services of their own ------------------------------------------------
  virtual TrayIcons& Tray() = 0;
  virtual TextRenderer& Text() = 0;
  virtual MediaDevices& Media() = 0;
  virtual DesktopWindows& Desktop() = 0;

  // --- files and folders ----------------------------------------------------
  // Folder of the executable, ending with a path separator.
  virtual std::string ProgramFolder() const = 0;
  virtual std::string CurrentDirectory() const = 0;
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  // Names without a folder resolve against the current directory. Reading
  // refuses files larger than `max_bytes`.
  virtual std::optional<std::string> ReadFile(const std::string& name, std::size_t max_bytes) = 0;
  // Replaces the file so that a failure at any point leaves the old content.
  virtual bool WriteFileReplacing(const std::string& name, const std::string& bytes) = 0;
  virtual std::unique_ptr<AppendFile> OpenForAppend(const std::string& name) = 0;

  // --- clock and screen -----------------------------------------------------
  virtual std::uint32_t TickCount() const = 0;
  virtual LocalTime Now() const = 0;
  // The primary monitor's size.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Every monitor, the primary one first; never empty.
  virtual std::vector<Monitor> Monitors() const = 0;
  // Planes times bits per pixel of the screen.
  virtual int ScreenColorDepth() const = 0;

  // --- media ----------------------------------------------------------------
  virtual int WaveOutDeviceCount() const = 0;
  virtual int MidiOutDeviceCount() const = 0;
};

// The factor the engine draws `window` at: its scale, within what it draws.
inline int DrawingFactor(const Platform& platform, WindowId window) {
  return std::clamp(platform.WindowScale(window), 1, kMaxDisplayFactor);
}

}  // namespace tk
