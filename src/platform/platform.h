// The narrow interface between the portable engine and the operating system.
// Every text crossing it is Shift-JIS bytes; the Win32 implementation converts
// explicitly, the simulated one keeps them as they are.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tk {

class Bitmap;

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A window shape: the union of these rectangles in client coordinates.
// Empty means nothing of the window is visible.
using Region = std::vector<Rect>;

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, day_of_week = 0;
};

using WindowId = int;
using TimerId = int;
using CursorId = int;
inline constexpr WindowId kNoWindow = 0;

enum class MessageIcon { kError, kInformation };

enum class MouseButton { kLeft, kRight, kMiddle };

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
  // Selects these colours (0x00RRGGBB) into the window's drawing surface as
  // its foreground palette and realises them; for palette displays.
  virtual void RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) = 0;
  // Asks for the whole window to be erased and painted again.
  virtual void InvalidateWindow(WindowId id) = 0;

  // --- cursors --------------------------------------------------------------
  // A cursor from the program's own resources (CSHAND1, CSHAND2); 0 if absent.
  virtual CursorId LoadResourceCursor(const std::string& name) = 0;

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

  // --- notification area ----------------------------------------------------
  // Adds icon 1 of `owner` with the program's own icon; callbacks arrive as
  // WindowEvents::OnTrayMessage of the owner.
  virtual bool AddTrayIcon(WindowId owner, const std::string& tip) = 0;
  virtual void DeleteTrayIcon(WindowId owner) = 0;

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
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Planes times bits per pixel of the screen.
  virtual int ScreenColorDepth() const = 0;

  // --- media ----------------------------------------------------------------
  virtual int WaveOutDeviceCount() const = 0;
  virtual int MidiOutDeviceCount() const = 0;
};

}  // namespace tk
