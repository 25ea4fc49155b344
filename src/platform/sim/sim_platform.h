// A deterministic desktop in memory for tests and the author tool. Time only
// moves when the program waits or the test advances it; files are real files
// under the folders the test names.
#pragma once

#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/bitmap.h"
#include "platform/desktop_windows.h"
#include "platform/platform.h"
#include "platform/sim/sim_media.h"

namespace tk {

class SimPlatform : public Platform, public TrayIcons, public TextRenderer, public DesktopWindows {
 public:
  struct Window {
    WindowKind kind = WindowKind::kMain;
    WindowEvents* events = nullptr;
    std::string title;
    Rect bounds;
    bool visible = false;
    bool topmost = false;
    Region region;
    bool region_set = false;
    // What the window shows: the pixels presented to it, black where
    // nothing was presented since it last changed size.
    Bitmap surface;
    int presents = 0;
    // On a scaled monitor, the last bitmap presented at the window's scale,
    // in device pixels; `surface` then holds one sample of each block.
    Bitmap device_surface;
    int device_presents = 0;
    // Erases the owner was asked for (OnEraseBackground calls), and whether
    // one waits for the next pump (sim_windows.cpp has the rules).
    int paints = 0;
    bool needs_paint = false;
    std::vector<std::uint32_t> realized_palette;
  };
  struct MessageBoxRecord {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::kError;
    std::uint64_t at_ms = 0;
  };
  struct Timer {
    std::function<void()> on_tick;
    unsigned interval_ms = 0;  // as the program asked for it
    bool enabled = false;
    std::uint64_t due_ms = 0;
    // What the system runs: 0 when it does not tick at all, else no shorter
    // than kMinimumTimerMs.
    unsigned effective_ms = 0;
    bool Ticking() const { return enabled && effective_ms > 0; }
  };
  // Windows runs shorter timer intervals at this one.
  static constexpr unsigned kMinimumTimerMs = tk::kMinimumTimerMs;
  // How many message boxes are kept in `message_boxes`; a script can raise
  // boxes without end, and every later one is only counted.
  static constexpr std::size_t kMessageBoxRecordLimit = 1000;

  // `program_folder` and `current_directory` are host folders.
  SimPlatform(std::string program_folder, std::string current_directory);

  // --- what a test sets up ----------------------------------------------------
  // The primary monitor, its corner at 0,0 and its work area whole.
  int screen_width = 1024;
  int screen_height = 768;
  int primary_scale_percent = 100;
  // Monitors beside the primary one, anywhere on the desktop.
  std::vector<Monitor> other_monitors;
  int screen_color_depth = 32;
  // Whether the desktop tells of each new window in front; Wine does not.
  bool front_window_notices = true;
  int wave_devices = 0;
  int midi_devices = 0;
  LocalTime start_time{2026, 12, 7, 9, 5, 3, 1};
  bool fail_writes = false;     // every write fails as on a full disk
  std::uint32_t tick_base = 0;  // TickCount at virtual time zero
  // How long RunMessageLoop lets virtual time run when nothing quits it.
  std::uint64_t message_loop_ms = 0;
  // Called as each box appears; the box is answered with OK when it returns.
  std::function<void(const MessageBoxRecord&)> on_message_box;
  // Answer the file and input dialogs as the user would; without an answer
  // a dialog is cancelled. The input answer is typed into the edit box, so
  // it is cut to the box's length limit.
  std::function<std::optional<std::string>(const FileDialogRequest&)> on_file_dialog;
  std::function<std::optional<std::string>(const InputDialogLayout&)> on_input_dialog;
  // Called when RunMessageLoop returns, while every window still exists.
  std::function<void()> on_loop_end;

  // The fake media devices; a test describes the disc in the drive there.
  SimMedia media{*this};

  // Text measured and drawn by `renderer` instead of the built-in block font
  // from now on; it must outlive the platform's use of it.
  void UseTextRenderer(TextRenderer& renderer) { text_ = &renderer; }

  // --- what a test drives -----------------------------------------------------
  // Other programs' windows. They share the z-order with the program's own
  // windows but are neither drawn nor clicked: only clinging and stepping
  // aside look at them.
  struct ForeignWindow {
    std::string title;
    Rect bounds;  // screen pixels, also for a document window
    bool visible = true;
    bool minimize_box = true;
    bool topmost = false;
    WindowId frame = kNoWindow;  // set: a document window inside this frame
    bool shell = false;          // the desktop background or a task bar
  };
  // Opens in front of its band, as a program that starts and takes the
  // foreground (a visible top-level window does); a document window opens in
  // front of its frame's others.
  WindowId OpenForeignWindow(const ForeignWindow& window);
  void MoveForeignWindow(WindowId id, const Rect& bounds);
  // To the front of its band (or its frame), as when the user activates it;
  // a top-level window takes the foreground.
  void RaiseWindow(WindowId id);
  // Closes the window and its document windows. When it had the foreground,
  // the next visible foreign window in the z-order takes it (or none does).
  void CloseForeignWindow(WindowId id);
  // The window in front: a foreign one, one of the program's own (after
  // ForceForeground), or kNoWindow for the bare desktop.
  WindowId ForegroundWindow() const { return foreground_; }
  // Every top-level window, front first, as the system would list them.
  std::vector<WindowId> ZOrder() const;

  // Moves virtual time forward, firing timers as they fall due.
  void AdvanceTime(std::uint64_t ms);
  // When the first ticking timer or posted message is due; UINT64_MAX when none ticks.
  std::uint64_t NextDueMs() const;
  // The program is busy for `ms` (inside a handler, say): time passes and
  // nothing is delivered; what fell due waits for the next pump.
  void Busy(std::uint64_t ms);
  std::uint64_t NowMs() const { return now_ms_; }
  // A message posted to arrive at `at_ms` of virtual time (now or later): it
  // is handled by the first pump at or after that time, before timers due
  // then. Returns an id for CancelPost.
  std::uint64_t PostAt(std::uint64_t at_ms, std::function<void()> message);
  void CancelPost(std::uint64_t id);
  // Input delivered as the message loop would deliver it.
  void PostClose(WindowId id);
  void Click(WindowId id, MouseButton button, int x, int y);
  void SendCommand(WindowId id, int command);
  void SendTrayMessage(int mouse_message);
  // The mouse one message at a time (a drag); the pointer follows.
  void MouseDown(WindowId id, MouseButton button, int x, int y);
  void MouseMove(WindowId id, int x, int y);
  void MouseUp(WindowId id, MouseButton button, int x, int y);
  // The mouse at a point of the screen, as a user moves and clicks it: the
  // window shown there (through its shape) hears it in its own coordinates.
  // False when no window of the program is there.
  bool ClickAt(Point screen, MouseButton button);
  bool MoveMouseTo(Point screen);
  // Answers a popup menu as the user would: the index of the item to choose
  // among those shown, -1 to close it. Without an answer, nothing is chosen.
  std::function<int(const std::vector<PopupMenuItem>&)> on_popup_menu;
  Point cursor_position;  // where the pointer is, in screen coordinates

  // --- what a test observes ---------------------------------------------------
  std::vector<MessageBoxRecord> message_boxes;  // the first kMessageBoxRecordLimit
  std::uint64_t message_box_count = 0;          // every box shown
  std::vector<std::string> exception_boxes;
  std::vector<FileDialogRequest> file_dialogs;
  std::vector<InputDialogLayout> input_dialogs;
  struct ShellOpenRecord {
    std::string file;
    std::string parameters;
  };
  std::vector<ShellOpenRecord> shell_opens;
  bool tray_icon_present = false;
  std::string tray_tip;
  WindowId tray_owner = kNoWindow;
  bool quit_requested = false;
  struct PopupMenuRecord {
    WindowId owner = kNoWindow;
    std::vector<PopupMenuItem> items;
    Point at;
  };
  std::vector<PopupMenuRecord> popup_menus;
  CursorId cursor_override = kNoCursor;
  // What a cursor id stands for: "CSHAND1" (a resource), "file:ear.cur", "standard:arrow".
  std::string CursorName(CursorId id) const;
  std::vector<WindowId> foreground_requests;
  std::vector<WindowId> cancel_modes;
  IconId tray_icon = 0;  // 0: the program's own
  int tray_modifications = 0;
  std::string IconName(IconId id) const;           // "file:x.ico", "" when destroyed or unknown
  std::map<WindowId, AboutBoxLayout> about_boxes;  // the latest layout of each
  const Window* FindWindow(WindowId id) const;
  const Window* FirstWindowOfKind(WindowKind kind) const;
  const std::map<int, Timer>& Timers() const { return timers_; }
  // Wakes of the program: each timer tick, each input message and each
  // posted message (a media notice) handled (a paint always follows one of
  // these, so it is no wake of its own). Ticks are kept per timer,
  // destroyed timers included.
  const std::map<TimerId, std::uint64_t>& TimerTicks() const { return timer_ticks_; }
  std::uint64_t input_messages = 0;
  std::uint64_t posted_messages = 0;
  std::uint64_t Wakes() const;
  // The desktop as a screenshot would show it: every visible window drawn
  // through its region at its place, topmost ones last, over `desktop`.
  // With several monitors the picture spans them all as they stand, its
  // corner at the top-left of the rectangle holding them, black between.
  Bitmap RenderScreen(Bgr desktop) const;
  // The visible window whose shape holds the point, the top one where several
  // do; kNoWindow for the bare desktop.
  WindowId WindowAt(Point screen) const;

  // --- Platform -----------------------------------------------------------------
  WindowId CreateWindow(WindowKind kind, WindowEvents* events) override;
  void DestroyWindow(WindowId id) override;
  void SetWindowTitle(WindowId id, const std::string& title) override;
  void SetWindowBounds(WindowId id, const Rect& screen_rect) override;
  Rect WindowBounds(WindowId id) const override;
  void ShowWindow(WindowId id, bool visible) override;
  bool IsWindowVisible(WindowId id) const override;
  void SetTopmost(WindowId id, bool topmost) override;
  void SetWindowRegion(WindowId id, const Region& region) override;
  void PresentBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) override;
  int WindowScale(WindowId id) const override;
  void PresentScaledBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) override;
  void RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) override;
  void InvalidateWindow(WindowId id) override;
  std::optional<std::string> ReadResourceBitmap(const std::string& name,
                                                std::size_t max_bytes) override;
  CursorId LoadResourceCursor(const std::string& name) override;
  CursorId LoadCursorFile(const std::string& name) override;
  CursorId LoadStandardCursor(StandardCursor which) override;
  void SetCursorOverride(CursorId id) override;
  Point CursorPosition() const override { return cursor_position; }
  int TrackPopupMenu(WindowId owner, const std::vector<PopupMenuItem>& items, Point at) override;
  void ForceForeground(WindowId id) override;
  void CancelMode(WindowId id) override;
  void ShowAboutBox(WindowId id, const AboutBoxLayout& layout) override;
  TimerId CreateTimer(std::function<void()> on_tick) override;
  void SetTimer(TimerId id, unsigned interval_ms, bool enabled) override;
  void DestroyTimer(TimerId id) override;
  void ProcessPendingMessages() override;
  void RunMessageLoop() override;
  void Quit() override;
  void ShowMessageBox(const std::string& text, const std::string& caption,
                      MessageIcon icon) override;
  void ShowExceptionBox(const std::string& what) override;
  void WaitForMessages(std::uint32_t max_ms) override;
  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
  Rect DialogWindowSize(int client_width, int client_height) const override;
  std::optional<std::string> ShowInputDialog(WindowId owner,
                                             const InputDialogLayout& layout) override;
  void ShellOpen(const std::string& file, const std::string& parameters) override;
  TrayIcons& Tray() override { return *this; }
  TextRenderer& Text() override { return *text_; }
  MediaDevices& Media() override { return media; }
  DesktopWindows& Desktop() override { return *this; }
  void VisitTopLevelWindows(const DesktopWindowVisitor& visit) override;
  void VisitDescendants(DesktopWindowHandle parent, const DesktopWindowVisitor& visit) override;
  std::optional<Rect> WindowRect(DesktopWindowHandle window) override;
  std::optional<Rect> ForeignFrontWindowBounds() override;
  // Each change of the foreground is posted as a message to the watcher.
  bool NoticeFrontWindowChanges(std::function<void()> on_change) override;
  // The built-in font: a one-byte character is a cell (points + 1) / 2
  // pixels wide, a two-byte one `points` wide, one more each when bold; a
  // line is `points` high. Each glyph but the spaces is a solid block one
  // pixel smaller than its cell, the underline its cell's last row.
  TextExtent MeasureText(const TextFont& font, std::string_view text) override;
  void DrawText(Bitmap& target, int x, int y, const TextFont& font, std::string_view text,
                std::uint32_t colour) override;
  bool AddTrayIcon(WindowId owner, const std::string& tip) override;
  void DeleteTrayIcon(WindowId owner) override;
  void ModifyTrayIcon(WindowId owner, const std::string& tip, IconId icon) override;
  IconId LoadIconFile(const std::string& name) override;
  void DestroyIcon(IconId id) override;
  std::string ProgramFolder() const override;
  std::string CurrentDirectory() const override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& name, std::size_t max_bytes) override;
  bool WriteFileReplacing(const std::string& name, const std::string& bytes) override;
  std::unique_ptr<AppendFile> OpenForAppend(const std::string& name) override;
  std::uint32_t TickCount() const override;
  LocalTime Now() const override;
  int ScreenWidth() const override { return screen_width; }
  int ScreenHeight() const override { return screen_height; }
  std::vector<Monitor> Monitors() const override;
  int ScreenColorDepth() const override { return screen_color_depth; }
  int WaveOutDeviceCount() const override { return wave_devices; }
  int MidiOutDeviceCount() const override { return midi_devices; }

  // The host path a file name of the program resolves to.
  std::string Resolve(const std::string& name) const;

 private:
  // Runs engine code as the message loop would: an exception is shown in the
  // standard error box and the program goes on.
  template <typename F>
  void Dispatch(F&& f) {
    try {
      f();
    } catch (const std::exception& e) {
      ShowExceptionBox(e.what());
    } catch (...) {
      ShowExceptionBox("unknown exception");
    }
  }
  template <typename F>
  void DispatchInput(F&& f) {
    ++input_messages;
    Dispatch(std::forward<F>(f));
  }
  bool FireNextTimerDueBy(std::uint64_t limit_ms);
  bool DeliverNextPostDueBy(std::uint64_t limit_ms);
  // Paints every visible window marked for it, once each, as a pump does.
  void PaintPendingWindows();
  void PaintNow(WindowId id);
  template <typename Change>
  void Reshape(WindowId id, Change&& change);
  bool IsHeld(const std::string& host_path) const;
  WindowEvents* EventsOf(WindowId id);

  std::string program_folder_;
  std::string current_directory_;
  std::map<WindowId, Window> windows_;
  std::map<WindowId, ForeignWindow> foreign_windows_;
  // Top-level windows of both kinds, front first; bands are kept apart when
  // they are listed. Document windows, front first, in `documents_`.
  std::vector<WindowId> z_order_;
  std::vector<WindowId> documents_;
  bool IsTopmostWindow(WindowId id) const;
  void BringToFront(std::vector<WindowId>& order, WindowId id);
  std::optional<DesktopWindow> DescribeWindow(WindowId id) const;
  void SetForeground(WindowId id);
  WindowId foreground_ = kNoWindow;
  std::function<void()> front_watcher_;
  TextRenderer* text_ = this;
  std::map<TimerId, Timer> timers_;
  std::map<TimerId, std::uint64_t> timer_ticks_;
  std::map<CursorId, std::string> cursors_;
  std::map<IconId, std::string> icons_;
  IconId next_icon_ = 1;
  WindowId next_window_ = 1;
  TimerId next_timer_ = 1;
  std::uint64_t now_ms_ = 0;
  // Posted messages by due time, then by the order they were posted.
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::function<void()>> posts_;
  std::uint64_t next_post_ = 1;
  // Files held open for appending, shared with their handles.
  std::shared_ptr<std::set<std::string>> held_files_ = std::make_shared<std::set<std::string>>();
};

}  // namespace tk
