// The real platform: Win32, GDI and the shell, wide-character calls only.
// Everything runs on the one thread that created it.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_windows.h"
#include "platform/platform.h"
#include "platform/timer_queue.h"
#include "platform/win32/scaling.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_media.h"

namespace tk {

class Win32Platform : public Platform,
                      public TrayIcons,
                      public TextRenderer,
                      public DesktopWindows {
 public:
  // The notification-area icon reports to its owner with this message.
  static constexpr UINT kTrayCallbackMessage = WM_USER + 1;

  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The system handle behind a window id, nullptr if there is none.
  HWND WindowHandle(WindowId id) const;
  // The hidden window that owns the others and receives the timers.
  HWND ApplicationWindow() const { return app_window_; }

  // --- windows (windows.cpp) ---
  WindowId CreateWindow(WindowKind kind, WindowEvents* events) override;
  void DestroyWindow(WindowId id) override;
  void SetWindowTitle(WindowId id, const std::string& title) override;
  void SetWindowBounds(WindowId id, const Rect& screen_rect) override;
  Rect WindowBounds(WindowId id) const override;
  void ShowWindow(WindowId id, bool visible) override;
  bool IsWindowVisible(WindowId id) const override;
  void SetTopmost(WindowId id, bool topmost) override;
  void SetWindowRegion(WindowId id, const Region& region) override;

  // --- pixels (painting.cpp) ---
  void PresentBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) override;
  int WindowScale(WindowId id) const override;
  void PresentScaledBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) override;
  void RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) override;
  void InvalidateWindow(WindowId id) override;

  // --- cursors, clock, screen, media (system.cpp) ---
  std::optional<std::string> ReadResourceBitmap(const std::string& name,
                                                std::size_t max_bytes) override;
  CursorId LoadResourceCursor(const std::string& name) override;

  // --- cursors, menus, focus, about box, tray icons (touch.cpp) ---
  CursorId LoadCursorFile(const std::string& name) override;
  CursorId LoadStandardCursor(StandardCursor which) override;
  void SetCursorOverride(CursorId id) override;
  Point CursorPosition() const override;
  int TrackPopupMenu(WindowId owner, const std::vector<PopupMenuItem>& items, Point at) override;
  void ForceForeground(WindowId id) override;
  void CancelMode(WindowId id) override;
  void ShowAboutBox(WindowId id, const AboutBoxLayout& layout) override;
  void ModifyTrayIcon(WindowId owner, const std::string& tip, IconId icon) override;
  IconId LoadIconFile(const std::string& name) override;
  void DestroyIcon(IconId id) override;
  std::uint32_t TickCount() const override;
  LocalTime Now() const override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  std::vector<Monitor> Monitors() const override;
  int ScreenColorDepth() const override;
  int WaveOutDeviceCount() const override;
  int MidiOutDeviceCount() const override;

  // --- timers (timers.cpp) ---
  TimerId CreateTimer(std::function<void()> on_tick) override;
  void SetTimer(TimerId id, unsigned interval_ms, bool enabled) override;
  void DestroyTimer(TimerId id) override;

  // --- message loop and message boxes (messages.cpp) ---
  void ProcessPendingMessages() override;
  void RunMessageLoop() override;
  void Quit() override;
  void ShowMessageBox(const std::string& text, const std::string& caption,
                      MessageIcon icon) override;
  void ShowExceptionBox(const std::string& what) override;
  void WaitForMessages(std::uint32_t max_ms) override;

  // --- dialogs and the shell (dialogs.cpp) ---
  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
  Rect DialogWindowSize(int client_width, int client_height) const override;
  std::optional<std::string> ShowInputDialog(WindowId owner,
                                             const InputDialogLayout& layout) override;
  void ShellOpen(const std::string& file, const std::string& parameters) override;

  // --- notification area (tray.cpp) ---
  TrayIcons& Tray() override { return *this; }
  TextRenderer& Text() override { return *this; }
  MediaDevices& Media() override { return *media_; }
  TextExtent MeasureText(const TextFont& font, std::string_view text) override;
  void DrawText(Bitmap& target, int x, int y, const TextFont& font, std::string_view text,
                std::uint32_t colour) override;
  bool AddTrayIcon(WindowId owner, const std::string& tip) override;
  void DeleteTrayIcon(WindowId owner) override;

  // --- every program's windows (desktop.cpp) ---
  DesktopWindows& Desktop() override { return *this; }
  void VisitTopLevelWindows(const DesktopWindowVisitor& visit) override;
  void VisitDescendants(DesktopWindowHandle parent, const DesktopWindowVisitor& visit) override;
  std::optional<Rect> WindowRect(DesktopWindowHandle window) override;
  std::optional<Rect> ForeignFrontWindowBounds() override;
  bool NoticeFrontWindowChanges(std::function<void()> on_change) override;

  // --- files and folders (files.cpp) ---
  std::string ProgramFolder() const override;
  std::string CurrentDirectory() const override;
  bool SetCurrentDirectory(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& name, std::size_t max_bytes) override;
  bool WriteFileReplacing(const std::string& name, const std::string& bytes) override;
  std::unique_ptr<AppendFile> OpenForAppend(const std::string& name) override;

 private:
  // Lives as long as its window; the window keeps a pointer to it.
  struct WindowRecord {
    Win32Platform* platform;
    WindowEvents* events;
    WindowKind kind;
    HWND hwnd;
    // What the engine last asked for, in picture pixels, and the factor of
    // the monitor the window then stood on: a change of scale applies them
    // again at the new factor.
    int factor = 1;
    std::optional<Rect> bounds;
    std::optional<Region> region;
  };
  // The icon each owner shows in the notification area, kept so that it can
  // be shown again when the taskbar is recreated.
  struct TrayIcon {
    std::wstring tip;
    IconId icon = 0;  // 0: the program's own icon
  };
  static constexpr wchar_t kAppWindowClass[] = L"TenkoroApplication";
  static constexpr wchar_t kWindowClass[] = L"TenkoroWindow";

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void RegisterWindowClasses();
  void CreateApplicationWindow();
  LRESULT HandleWindowMessage(HWND hwnd, WindowEvents& events, UINT message, WPARAM wparam,
                              LPARAM lparam);
  bool HandleMouseMessage(HWND hwnd, WindowEvents& events, UINT message, LPARAM lparam);
  LRESULT HandleAppMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // --- the timer queue and the loops that run it (timers.cpp, messages.cpp) ---
  // Milliseconds on the performance counter: the tick count moves in steps
  // as coarse as the system's timer resolution.
  std::uint64_t NowMs() const;
  // How long a wait may last before the earliest timer is due; INFINITE
  // while none runs.
  DWORD MsUntilNextTimer() const;
  void RunDueTimers();
  std::optional<int> DispatchWaitingMessages();
  // While the system runs a loop of its own (a message box, a menu, a window
  // being moved), a system timer stands in for the queue's earliest tick.
  void EnterSystemLoop();
  void LeaveSystemLoop();
  void SetStandInTimer();
  void OnSystemTimer(UINT_PTR id);
  class SystemLoop {
   public:
    explicit SystemLoop(Win32Platform& platform) : platform_(platform) {
      platform_.EnterSystemLoop();
    }
    ~SystemLoop() { platform_.LeaveSystemLoop(); }
    SystemLoop(const SystemLoop&) = delete;
    SystemLoop& operator=(const SystemLoop&) = delete;

   private:
    Win32Platform& platform_;
  };
  void DeliverMediaNotice(MediaDeviceId device);
  HWND MainWindow() const;
  void ForgetPalette(HWND hwnd);
  const std::vector<win32::MonitorFrame>& Frames() const;
  void ForgetMonitors();
  WindowRecord* RecordOf(WindowId id) const;
  void BlitRows(HWND hwnd, const std::vector<std::uint8_t>& rows, const Rect& device_rect);
  // Device pixels per picture pixel of a window, from where it stands now.
  int FactorOf(HWND hwnd) const;
  void ApplyRegion(WindowRecord& record);
  // The displays or a window's scale changed: every window is placed,
  // shaped and painted again at its monitor's factor.
  void Rescale();
  WindowEvents* MainWindowEvents() const;

  // The boundary between the engine and Windows: an exception escaping an
  // engine callback is shown to the user here and goes no further, because
  // it must never unwind through the system's frames.
  template <typename Call>
  void Guarded(Call&& call) noexcept {
    try {
      call();
    } catch (const std::exception& e) {
      ReportException(e.what());
    } catch (...) {
      ReportException("unknown exception");
    }
  }
  void ReportException(const char* what) noexcept;
  static void CALLBACK OnForegroundEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object,
                                         LONG child, DWORD thread, DWORD time);
  void StopFrontWindowNotices();
  bool NotifyTray(DWORD action, HWND owner, const TrayIcon& icon);
  void RestoreTrayIcons();
  // Answers WM_SETCURSOR and WM_CTLCOLORSTATIC; false when the default applies.
  bool HandleTouchMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  HCURSOR CursorHandle(CursorId id) const;
  struct AboutControls {
    HWND label = nullptr;
    HWND button = nullptr;
    HFONT font = nullptr;
    HFONT bold_font = nullptr;
    COLORREF label_color = 0;
  };

  HINSTANCE instance_;
  HWND app_window_ = nullptr;
  std::unique_ptr<Win32Media> media_;  // its notices come to app_window_
  std::map<WindowId, std::unique_ptr<WindowRecord>> windows_;
  mutable std::vector<win32::MonitorFrame> frames_;  // empty until read
  WindowId next_window_id_ = 1;
  TimerQueue timers_;
  LONGLONG counts_per_second_ = 1;  // of the performance counter
  int system_loops_ = 0;            // the system's own loops running now
  bool stand_in_set_ = false;
  std::vector<HCURSOR> cursors_;
  std::map<int, CursorId> standard_cursors_;
  HCURSOR cursor_override_ = nullptr;
  std::map<IconId, HICON> icons_;
  IconId next_icon_id_ = 1;
  std::map<HWND, AboutControls> about_boxes_;
  std::map<HWND, TrayIcon> tray_icons_;
  // Broadcast by the shell when the taskbar is (re)created.
  UINT taskbar_created_message_ = 0;
  std::string main_title_;
  // The palette each window realises before it is painted (palette displays).
  std::map<HWND, HPALETTE> palettes_;
  // Who hears of a new foreground window, and the system's hook that tells.
  std::function<void()> front_watcher_;
  HWINEVENTHOOK front_hook_ = nullptr;
  // The window last seen in front, and whether it is another program's and
  // no shell window: a window's class and process never change, so they are
  // asked once per window, not at every look.
  struct FrontSeen {
    HWND hwnd = nullptr;
    bool foreign = false;
  } front_seen_;
};

namespace win32 {

// The standard box for a failure: an error icon, OK, in front of everything.
void ShowErrorBox(HWND owner, const std::string& text, const std::string& caption);
// The executable's name without folder or extension, for captions when
// nothing better is known.
std::string ProgramName();

}  // namespace win32

}  // namespace tk
