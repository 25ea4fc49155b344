// What the user touches: cursors from files and the program-wide override,
// the popup menu, the foreground switch, the about box and tray icons.
#include <algorithm>
#include <iterator>

#include "platform/icon_files.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

constexpr int kLabelControlId = 2;

// Files are looked at before the system parses them: they come from the
// character's folder and may be anything.
template <typename Check>
bool PlausibleFile(Platform& platform, const std::string& name, Check check) {
  const auto bytes = platform.ReadFile(name, kMaxIconFileBytes);
  return bytes && check(*bytes);
}

}  // namespace

HCURSOR Win32Platform::CursorHandle(CursorId id) const {
  if (id <= 0 || static_cast<std::size_t>(id) > cursors_.size()) return nullptr;
  return cursors_[static_cast<std::size_t>(id) - 1];
}

CursorId Win32Platform::LoadCursorFile(const std::string& name) {
  if (!PlausibleFile(*this, name, IsCursorFile)) return kNoCursor;
  HCURSOR cursor = LoadCursorFromFileW(win32::WideFromSjis(name).c_str());
  if (cursor == nullptr) return kNoCursor;
  cursors_.push_back(cursor);
  return static_cast<CursorId>(cursors_.size());
}

CursorId Win32Platform::LoadStandardCursor(StandardCursor which) {
  const int key = static_cast<int>(which);
  if (const auto found = standard_cursors_.find(key); found != standard_cursors_.end()) {
    return found->second;
  }
  HCURSOR cursor = LoadCursorW(nullptr, which == StandardCursor::kArrow ? IDC_ARROW : IDC_HAND);
  if (cursor == nullptr) return kNoCursor;
  cursors_.push_back(cursor);
  const auto id = static_cast<CursorId>(cursors_.size());
  standard_cursors_[key] = id;
  return id;
}

void Win32Platform::SetCursorOverride(CursorId id) {
  cursor_override_ = CursorHandle(id);
  // Shown at once when the pointer is over one of our windows; elsewhere the
  // next WM_SETCURSOR decides.
  POINT pointer{};
  GetCursorPos(&pointer);
  HWND under = WindowFromPoint(pointer);
  for (const auto& [window_id, record] : windows_) {
    if (record->hwnd == under) {
      SetCursor(cursor_override_ ? cursor_override_ : LoadCursorW(nullptr, IDC_ARROW));
      break;
    }
  }
}

Point Win32Platform::CursorPosition() const {
  POINT pointer{};
  GetCursorPos(&pointer);
  return win32::FrameForDevice(Frames(), pointer).ToLogical(pointer);
}

int Win32Platform::TrackPopupMenu(WindowId owner, const std::vector<PopupMenuItem>& items,
                                  Point at) {
  HWND hwnd = WindowHandle(owner);
  HMENU menu = CreatePopupMenu();
  if (hwnd == nullptr || menu == nullptr) {
    if (menu) DestroyMenu(menu);
    return -1;
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    const UINT_PTR command = i + 1;
    if (items[i].caption == "-") {
      AppendMenuW(menu, MF_SEPARATOR, command, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED), command,
                  win32::WideFromSjis(items[i].caption).c_str());
    }
  }
  const POINT device =
      win32::FrameForLogical(Frames(), Rect{at.x, at.y, at.x + 1, at.y + 1}).ToDevice(at);
  const SystemLoop loop(*this);
  const int chosen = static_cast<int>(::TrackPopupMenu(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, device.x,
      device.y, 0, hwnd, nullptr));
  DestroyMenu(menu);
  return chosen >= 1 && chosen <= static_cast<int>(items.size()) ? chosen - 1 : -1;
}

// Windows lets only the thread that has the input make another window the
// foreground window, so this thread borrows that input for the moment.
void Win32Platform::ForceForeground(WindowId id) {
  HWND hwnd = WindowHandle(id);
  if (hwnd == nullptr) return;
  const DWORD own = GetWindowThreadProcessId(hwnd, nullptr);
  HWND foreground = GetForegroundWindow();
  const DWORD other = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool attach = other != 0 && other != own && AttachThreadInput(own, other, TRUE);
  SetForegroundWindow(hwnd);
  if (attach) AttachThreadInput(own, other, FALSE);
}

void Win32Platform::CancelMode(WindowId id) {
  if (HWND hwnd = WindowHandle(id)) DefWindowProcW(hwnd, WM_CANCELMODE, 0, 0);
}

// Laid out by the engine in picture pixels; on a scaled monitor the box, its
// font and its picture grow by the monitor's factor like the character.
void Win32Platform::ShowAboutBox(WindowId id, const AboutBoxLayout& layout) {
  WindowRecord* record = RecordOf(id);
  if (record == nullptr) return;
  const HWND hwnd = record->hwnd;
  const win32::MonitorFrame& frame =
      win32::FrameForLogical(Frames(), {layout.left, layout.top, layout.left + layout.client_width,
                                        layout.top + layout.client_height});
  const int k = frame.factor;
  record->factor = k;
  // A single fixed border with a caption and no border icons.
  SetWindowLongPtrW(hwnd, GWL_STYLE, WS_POPUP | WS_CAPTION);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_DLGMODALFRAME);
  AboutControls& controls = about_boxes_[hwnd];
  if (controls.label == nullptr) {
    const int height = -MulDiv(layout.font_points, 96 * k, 72);
    const std::wstring face = win32::WideFromSjis(layout.font_name);
    controls.font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                0, 0, 0, face.c_str());
    controls.bold_font = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     0, 0, 0, 0, face.c_str());
    controls.label =
        CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0,
                        0, 0, hwnd, reinterpret_cast<HMENU>(kLabelControlId), instance_, nullptr);
    controls.button = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAboutButtonCommand)), instance_, nullptr);
    SendMessageW(controls.label, WM_SETFONT, reinterpret_cast<WPARAM>(controls.bold_font), FALSE);
    SendMessageW(controls.button, WM_SETFONT, reinterpret_cast<WPARAM>(controls.font), FALSE);
  }
  const std::uint32_t c = layout.label_color;
  controls.label_color = RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  SetWindowTextW(hwnd, win32::WideFromSjis(layout.caption).c_str());
  SetWindowTextW(controls.label, win32::WideFromSjis(layout.label_text).c_str());
  SetWindowTextW(controls.button, win32::WideFromSjis(layout.button_text).c_str());
  auto place = [](HWND control, const Rect& r) {
    MoveWindow(control, r.left, r.top, std::max(r.Width(), 0), std::max(r.Height(), 0), TRUE);
  };
  place(controls.label, Scaled(layout.label, k));
  place(controls.button, Scaled(layout.button, k));
  const Rect outer = DialogWindowSize(layout.client_width * k, layout.client_height * k);
  const POINT corner = frame.ToDevice(Point{layout.left, layout.top});
  SetWindowPos(hwnd, HWND_TOPMOST, corner.x, corner.y, outer.Width(), outer.Height(),
               SWP_FRAMECHANGED);
  ::ShowWindow(hwnd, SW_SHOW);
  InvalidateRect(hwnd, nullptr, TRUE);
}

bool Win32Platform::HandleTouchMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       LRESULT& result) {
  switch (message) {
    case WM_SETCURSOR:
      if (cursor_override_ == nullptr || LOWORD(lparam) != HTCLIENT) return false;
      SetCursor(cursor_override_);
      result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC: {
      const auto found = about_boxes_.find(hwnd);
      if (found == about_boxes_.end()) return false;
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, found->second.label_color);
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return true;
    }
    case WM_NCDESTROY:
      if (const auto found = about_boxes_.find(hwnd); found != about_boxes_.end()) {
        DeleteObject(found->second.font);
        DeleteObject(found->second.bold_font);
        about_boxes_.erase(found);
      }
      return false;
    default:
      return false;
  }
}

IconId Win32Platform::LoadIconFile(const std::string& name) {
  if (!PlausibleFile(*this, name, IsIconFile)) return 0;
  auto* icon = static_cast<HICON>(LoadImageW(nullptr, win32::WideFromSjis(name).c_str(), IMAGE_ICON,
                                             0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  if (icon == nullptr) return 0;
  const IconId id = next_icon_id_++;
  icons_[id] = icon;
  return id;
}

void Win32Platform::DestroyIcon(IconId id) {
  const auto found = icons_.find(id);
  if (found == icons_.end()) return;
  ::DestroyIcon(found->second);
  icons_.erase(found);
}

}  // namespace tk
