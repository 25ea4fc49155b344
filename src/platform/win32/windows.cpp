// Windows of the engine's forms and the routing of their messages.
#include "platform/win32/region.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

// The character and its image windows appear without taking the keyboard
// from whatever the user is doing; dialogs take it.
int ShowCommand(WindowKind kind) {
  return kind == WindowKind::kMain || kind == WindowKind::kChild ? SW_SHOWNOACTIVATE : SW_SHOW;
}

struct MouseAction {
  enum Type { kDown, kMove, kUp } type;
  MouseButton button;
};

std::optional<MouseAction> MouseActionOf(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return MouseAction{MouseAction::kDown, MouseButton::kLeft};
    case WM_RBUTTONDOWN:
      return MouseAction{MouseAction::kDown, MouseButton::kRight};
    case WM_MBUTTONDOWN:
      return MouseAction{MouseAction::kDown, MouseButton::kMiddle};
    case WM_LBUTTONUP:
      return MouseAction{MouseAction::kUp, MouseButton::kLeft};
    case WM_RBUTTONUP:
      return MouseAction{MouseAction::kUp, MouseButton::kRight};
    case WM_MBUTTONUP:
      return MouseAction{MouseAction::kUp, MouseButton::kMiddle};
    case WM_MOUSEMOVE:
      return MouseAction{MouseAction::kMove, MouseButton::kLeft};
    default:
      return std::nullopt;
  }
}

void PlaceInTopmostBand(HWND hwnd, bool topmost) {
  SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool IsTopmost(HWND hwnd) {
  return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

HWND Win32Platform::WindowHandle(WindowId id) const {
  const auto found = windows_.find(id);
  return found == windows_.end() ? nullptr : found->second->hwnd;
}

HWND Win32Platform::MainWindow() const {
  for (const auto& [id, record] : windows_) {
    if (record->kind == WindowKind::kMain) return record->hwnd;
  }
  return nullptr;
}

WindowEvents* Win32Platform::MainWindowEvents() const {
  for (const auto& [id, record] : windows_) {
    if (record->kind == WindowKind::kMain) return record->events;
  }
  return nullptr;
}

WindowId Win32Platform::CreateWindow(WindowKind kind, WindowEvents* events) {
  auto record = std::make_unique<WindowRecord>(
      WindowRecord{this, events, kind, nullptr, 1, std::nullopt, std::nullopt});
  const HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                    app_window_, nullptr, instance_, record.get());
  if (hwnd == nullptr) return kNoWindow;
  record->hwnd = hwnd;
  const WindowId id = next_window_id_++;
  windows_.emplace(id, std::move(record));
  return id;
}

// The record outlives ::DestroyWindow, which still sends the window its
// last messages; a window may also be destroyed from inside its own
// callback, whose caller then no longer touches the record.
void Win32Platform::DestroyWindow(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  ForgetPalette(found->second->hwnd);
  ::DestroyWindow(found->second->hwnd);
  windows_.erase(found);
}

void Win32Platform::SetWindowTitle(WindowId id, const std::string& title) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  SetWindowTextW(found->second->hwnd, win32::WideFromSjis(title).c_str());
  if (found->second->kind == WindowKind::kMain) main_title_ = title;
}

Win32Platform::WindowRecord* Win32Platform::RecordOf(WindowId id) const {
  const auto found = windows_.find(id);
  return found == windows_.end() ? nullptr : found->second.get();
}

int Win32Platform::FactorOf(HWND hwnd) const {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return win32::FrameForDevice(Frames(), POINT{r.left, r.top}).factor;
}

void Win32Platform::SetWindowBounds(WindowId id, const Rect& logical) {
  WindowRecord* record = RecordOf(id);
  if (record == nullptr) return;
  record->bounds = logical;
  const win32::MonitorFrame& frame = win32::FrameForLogical(Frames(), logical);
  const Rect r = frame.ToDevice(logical);
  const HWND hwnd = record->hwnd;
  RECT now{};
  GetWindowRect(hwnd, &now);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  // A walk step only moves: the window keeps its surface and its pixels, so
  // nothing is sent but the new position.
  if (now.right - now.left == r.Width() && now.bottom - now.top == r.Height()) {
    if (now.left == r.left && now.top == r.top) return;
    flags |= SWP_NOSIZE;
  }
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), flags);
  if (record->factor != frame.factor) {
    record->factor = frame.factor;
    ApplyRegion(*record);
  }
}

// What the engine set comes back unchanged while the window stands there,
// so no rounding creeps into a walk; a window moved by the system is read.
Rect Win32Platform::WindowBounds(WindowId id) const {
  const WindowRecord* record = RecordOf(id);
  if (record == nullptr) return {};
  RECT r{};
  GetWindowRect(record->hwnd, &r);
  const Rect device{r.left, r.top, r.right, r.bottom};
  const std::vector<win32::MonitorFrame>& frames = Frames();
  if (record->bounds &&
      win32::FrameForLogical(frames, *record->bounds).ToDevice(*record->bounds) == device) {
    return *record->bounds;
  }
  return win32::FrameForDevice(frames, POINT{r.left, r.top}).ToLogical(device);
}

void Win32Platform::ShowWindow(WindowId id, bool visible) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  ::ShowWindow(found->second->hwnd, visible ? ShowCommand(found->second->kind) : SW_HIDE);
}

bool Win32Platform::IsWindowVisible(WindowId id) const {
  HWND hwnd = WindowHandle(id);
  return hwnd != nullptr && ::IsWindowVisible(hwnd);
}

void Win32Platform::SetTopmost(WindowId id, bool topmost) {
  HWND hwnd = WindowHandle(id);
  if (hwnd == nullptr) return;
  PlaceInTopmostBand(hwnd, topmost);
  if (!topmost && IsTopmost(hwnd)) {
    // Wine leaves an owned popup that lies right above its owner in the
    // topmost band; without the owner for a moment, it leaves the band.
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, 0);
    PlaceInTopmostBand(hwnd, false);
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  }
}

void Win32Platform::SetWindowRegion(WindowId id, const Region& region) {
  WindowRecord* record = RecordOf(id);
  if (record == nullptr) return;
  record->region = region;
  ApplyRegion(*record);
}

void Win32Platform::ApplyRegion(WindowRecord& record) {
  if (!record.region) return;
  const HWND hwnd = record.hwnd;
  Region device = *record.region;
  for (Rect& r : device) r = Scaled(r, record.factor);
  HRGN rgn = win32::CreateRegionFromRects(device);
  if (rgn == nullptr) return;
  // A new region repaints only what it uncovers, but the engine shows a new
  // picture through this repaint: the whole window is due, in one paint.
  InvalidateRect(hwnd, nullptr, TRUE);
  // On success the window owns the region.
  if (!SetWindowRgn(hwnd, rgn, TRUE)) DeleteObject(rgn);
}

LRESULT CALLBACK Win32Platform::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* record =
      reinterpret_cast<const WindowRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (record == nullptr || record->events == nullptr) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return record->platform->HandleWindowMessage(hwnd, *record->events, message, wparam, lparam);
}

LRESULT Win32Platform::HandleWindowMessage(HWND hwnd, WindowEvents& events, UINT message,
                                           WPARAM wparam, LPARAM lparam) {
  if (LRESULT result = 0; HandleTouchMessage(hwnd, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      Guarded([&] { events.OnCommand(LOWORD(wparam)); });
      return 0;
    case kTrayCallbackMessage:
      Guarded([&] { events.OnTrayMessage(static_cast<int>(lparam)); });
      return 0;
    case WM_ERASEBKGND:
      Guarded([&] { events.OnEraseBackground(); });
      return 1;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
      Guarded([&] { events.OnPaletteChanged(); });
      return 0;
    case WM_CLOSE:
      Guarded([&] { events.OnCloseRequest(); });
      return 0;
    // The engine keeps the place and size in picture pixels; the system's
    // suggested rectangle is not taken.
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
      Rescale();
      return 0;
    // Moving or sizing a window by its frame, and its menus, run loops of
    // the system's own until they end.
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
      EnterSystemLoop();
      return DefWindowProcW(hwnd, message, wparam, lparam);
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
      LeaveSystemLoop();
      return DefWindowProcW(hwnd, message, wparam, lparam);
    default:
      if (HandleMouseMessage(hwnd, events, message, lparam)) return 0;
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// A left-button drag keeps the mouse until the button is let go, so the
// window hears the release even when the pointer left it on the way.
bool Win32Platform::HandleMouseMessage(HWND hwnd, WindowEvents& events, UINT message,
                                       LPARAM lparam) {
  const std::optional<MouseAction> action = MouseActionOf(message);
  if (!action) return false;
  const int factor = FactorOf(hwnd);
  // Client pixels left of or above the window (a drag) round outward too.
  const auto logical = [factor](int device) {
    return device >= 0 ? device / factor : -((-device + factor - 1) / factor);
  };
  const int x = logical(GET_X_LPARAM(lparam));
  const int y = logical(GET_Y_LPARAM(lparam));
  const MouseButton button = action->button;
  switch (action->type) {
    case MouseAction::kDown:
      if (button == MouseButton::kLeft) SetCapture(hwnd);
      Guarded([&] { events.OnMouseDown(button, x, y); });
      break;
    case MouseAction::kMove:
      Guarded([&] { events.OnMouseMove(x, y); });
      break;
    case MouseAction::kUp:
      if (button == MouseButton::kLeft && GetCapture() == hwnd) ReleaseCapture();
      Guarded([&] { events.OnMouseUp(button, x, y); });
      break;
  }
  return true;
}

void Win32Platform::Rescale() {
  ForgetMonitors();
  for (const auto& [id, record] : windows_) {
    if (!record->bounds) continue;
    SetWindowBounds(id, *record->bounds);
    InvalidateRect(record->hwnd, nullptr, TRUE);
  }
}

}  // namespace tk
