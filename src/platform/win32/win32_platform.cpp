// Start-up and shutdown of the platform: window classes, the hidden
// application window, and the exception boundary.
#include "platform/win32/win32_platform.h"

#include <stdexcept>

namespace tk {
namespace {

// A class left registered by an earlier instance in the same session is
// as good as a new one.
void RegisterClassOnce(const WNDCLASSEXW& window_class) {
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("cannot register a window class");
  }
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    counts_per_second_ = frequency.QuadPart;
  }
  taskbar_created_message_ = RegisterWindowMessageW(L"TaskbarCreated");
  RegisterWindowClasses();
  CreateApplicationWindow();
  media_ = std::make_unique<Win32Media>(app_window_);
}

Win32Platform::~Win32Platform() {
  StopFrontWindowNotices();
  for (const auto& [owner, icon] : tray_icons_) NotifyTray(NIM_DELETE, owner, icon);
  for (const auto& [hwnd, palette] : palettes_) DeleteObject(palette);
  while (!windows_.empty()) DestroyWindow(windows_.begin()->first);
  ::DestroyWindow(app_window_);
  UnregisterClassW(kWindowClass, instance_);
  UnregisterClassW(kAppWindowClass, instance_);
}

void Win32Platform::RegisterWindowClasses() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Win32Platform::AppWindowProc;
  window_class.hInstance = instance_;
  window_class.lpszClassName = kAppWindowClass;
  RegisterClassOnce(window_class);

  // A window keeps its own drawing surface: each present is then a blit,
  // not a surface borrowed from the shared cache and reset afterwards, which
  // under Wine also rereads the X resources for font smoothing.
  window_class.style = CS_OWNDC;
  window_class.lpfnWndProc = &Win32Platform::WindowProc;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconW(instance_, L"MAINICON");
  window_class.lpszClassName = kWindowClass;
  RegisterClassOnce(window_class);
}

// Owner of every other window: a hidden tool window, so neither it nor the
// windows it owns get a taskbar button.
void Win32Platform::CreateApplicationWindow() {
  app_window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kAppWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance_, this);
  if (app_window_ == nullptr) throw std::runtime_error("cannot create the application window");
}

LRESULT CALLBACK Win32Platform::AppWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (platform == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return platform->HandleAppMessage(hwnd, message, wparam, lparam);
}

LRESULT Win32Platform::HandleAppMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      OnSystemTimer(wparam);
      return 0;
    case MM_MCINOTIFY:
      DeliverMediaNotice(static_cast<MediaDeviceId>(LOWORD(lparam)));
      return 0;
    case WM_CLOSE:
      // Closing the program from outside (a task manager) reaches this
      // window too; destroying it would take the owned windows along
      // behind the engine's back, so the main window is asked instead.
      if (WindowEvents* main = MainWindowEvents()) Guarded([main] { main->OnCloseRequest(); });
      return 0;
    case WM_ENDSESSION:
      // The session ends (log-off, shutdown): the process will not live to
      // see another message, so the character closes now as if asked to,
      // which saves its place and runs _LastAction.
      if (wparam) {
        if (WindowEvents* main = MainWindowEvents()) Guarded([main] { main->OnCloseRequest(); });
      }
      return 0;
    default:
      if (message == taskbar_created_message_ && message != 0) {
        RestoreTrayIcons();
        return 0;
      }
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// Like a timer tick: the callback may start the next play, which replaces
// the stored one, so it runs from a copy.
void Win32Platform::DeliverMediaNotice(MediaDeviceId device) {
  const MediaDevices::EndOfPlay notice = media_->NoticeFor(device);
  if (notice) Guarded([&] { notice(device); });
}

void Win32Platform::ReportException(const char* what) noexcept {
  try {
    ShowExceptionBox(what);
  } catch (...) {
    // Nothing is left to tell the user with; carrying on is the best option.
  }
}

}  // namespace tk
