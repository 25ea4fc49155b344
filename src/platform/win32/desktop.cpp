// Every program's windows as the system lists them, for clinging.
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

}  // namespace tk
