// Every program's windows as the system lists them, for clinging, and the
// one in front, for stepping aside.
#include <array>
#include <string_view>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

// Long enough for any title worth comparing; longer ones are cut.
constexpr int kTitleChars = 256;

HWND HandleOf(DesktopWindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

// Rectangles in picture pixels, as the engine speaks.
DesktopWindow Describe(HWND hwnd, const std::vector<win32::MonitorFrame>& frames) {
  const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  wchar_t title[kTitleChars] = {};
  const int length = GetWindowTextW(hwnd, title, kTitleChars);
  RECT r{};
  GetWindowRect(hwnd, &r);
  DesktopWindow window;
  window.handle = reinterpret_cast<DesktopWindowHandle>(hwnd);
  window.title = win32::SjisFromWide(std::wstring_view(title, length > 0 ? length : 0));
  window.visible = (style & WS_VISIBLE) != 0;
  window.minimize_box = (style & WS_MINIMIZEBOX) != 0;
  window.child = (style & WS_CHILD) != 0;
  window.mdi_child = (ex_style & WS_EX_MDICHILD) != 0;
  window.bounds = win32::FrameForDevice(frames, POINT{r.left, r.top})
                      .ToLogical(Rect{r.left, r.top, r.right, r.bottom});
  return window;
}

// The visitor runs inside the system's enumeration; an exception must not
// unwind through it, so it is carried out and thrown again afterwards.
struct Walk {
  const DesktopWindowVisitor& visit;
  const std::vector<win32::MonitorFrame>& frames;
  std::exception_ptr failure;
};

BOOL CALLBACK VisitOne(HWND hwnd, LPARAM param) {
  auto& walk = *reinterpret_cast<Walk*>(param);
  try {
    return walk.visit(Describe(hwnd, walk.frames)) ? TRUE : FALSE;
  } catch (...) {
    walk.failure = std::current_exception();
    return FALSE;
  }
}

// The desktop background and the task bars, Wine's own among them: they fill
// a monitor without being anything the character should make room for.
bool IsShellWindow(HWND hwnd) {
  if (hwnd == GetDesktopWindow() || hwnd == GetShellWindow()) return true;
  constexpr std::array<std::wstring_view, 5> kShellClasses{L"Progman", L"WorkerW", L"Shell_TrayWnd",
                                                           L"Shell_SecondaryTrayWnd", L"#32769"};
  wchar_t name[64] = {};
  const int length = GetClassNameW(hwnd, name, 64);
  const std::wstring_view class_name(name, length > 0 ? static_cast<std::size_t>(length) : 0);
  for (const std::wstring_view shell : kShellClasses) {
    if (class_name == shell) return true;
  }
  return false;
}

// Out of context, a hook's events arrive as messages to the thread that set
// it; one platform at a time listens.
Win32Platform* front_listener = nullptr;

// Wine 8 accepts the foreground hook but never calls it, nor does it take a
// shell hook window (both measured); there the caller has to look by itself.
bool ForegroundEventsArrive() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

}  // namespace

void Win32Platform::VisitTopLevelWindows(const DesktopWindowVisitor& visit) {
  Walk walk{visit, Frames(), nullptr};
  EnumWindows(&VisitOne, reinterpret_cast<LPARAM>(&walk));
  if (walk.failure) std::rethrow_exception(walk.failure);
}

void Win32Platform::VisitDescendants(DesktopWindowHandle parent,
                                     const DesktopWindowVisitor& visit) {
  HWND hwnd = HandleOf(parent);
  if (hwnd == nullptr || !IsWindow(hwnd)) return;
  Walk walk{visit, Frames(), nullptr};
  EnumChildWindows(hwnd, &VisitOne, reinterpret_cast<LPARAM>(&walk));
  if (walk.failure) std::rethrow_exception(walk.failure);
}

std::optional<Rect> Win32Platform::WindowRect(DesktopWindowHandle window) {
  RECT r{};
  HWND hwnd = HandleOf(window);
  if (hwnd == nullptr || !GetWindowRect(hwnd, &r)) return std::nullopt;
  return win32::FrameForDevice(Frames(), POINT{r.left, r.top})
      .ToLogical(Rect{r.left, r.top, r.right, r.bottom});
}

// Under Wine each question about another process's window is a round trip
// to its server, so the style and the title are not read here.
std::optional<Rect> Win32Platform::ForeignFrontWindowBounds() {
  HWND hwnd = GetForegroundWindow();
  if (hwnd == nullptr) return std::nullopt;
  if (hwnd != front_seen_.hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    front_seen_ = {hwnd, !IsShellWindow(hwnd) && process != GetCurrentProcessId()};
  }
  if (!front_seen_.foreign) return std::nullopt;
  return WindowRect(reinterpret_cast<DesktopWindowHandle>(hwnd));
}

void CALLBACK Win32Platform::OnForegroundEvent(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD,
                                               DWORD) {
  Win32Platform* platform = front_listener;
  if (platform == nullptr || platform->front_hook_ != hook || !platform->front_watcher_) return;
  platform->Guarded([&] { platform->front_watcher_(); });
}

bool Win32Platform::NoticeFrontWindowChanges(std::function<void()> on_change) {
  StopFrontWindowNotices();
  if (!on_change) return true;
  if (!ForegroundEventsArrive()) return false;
  front_hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                &Win32Platform::OnForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  if (front_hook_ == nullptr) return false;
  front_watcher_ = std::move(on_change);
  front_listener = this;
  return true;
}

void Win32Platform::StopFrontWindowNotices() {
  if (front_hook_ != nullptr) UnhookWinEvent(front_hook_);
  front_hook_ = nullptr;
  front_watcher_ = nullptr;
  if (front_listener == this) front_listener = nullptr;
}

}  // namespace tk
