// The notification-area icon: icon 1 of its owner window, with the
// program's own icon and callbacks as kTrayCallbackMessage.
#include <algorithm>
#include <iterator>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAW IconData(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kTrayIconId;
  return data;
}

// The tip is cut to the field's size, keeping its terminator.
void CopyTip(NOTIFYICONDATAW& data, const std::wstring& tip) {
  const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
  std::copy_n(tip.begin(), length, data.szTip);
  data.szTip[length] = L'\0';
}

}  // namespace

bool Win32Platform::AddTrayIcon(WindowId owner, const std::string& tip) {
  HWND hwnd = WindowHandle(owner);
  if (hwnd == nullptr) return false;
  NOTIFYICONDATAW data = IconData(hwnd);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = LoadIconW(instance_, L"MAINICON");
  CopyTip(data, win32::WideFromSjis(tip));
  if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
  tray_owners_.insert(hwnd);
  return true;
}

void Win32Platform::DeleteTrayIcon(WindowId owner) {
  HWND hwnd = WindowHandle(owner);
  if (hwnd == nullptr || tray_owners_.erase(hwnd) == 0) return;
  NOTIFYICONDATAW data = IconData(hwnd);
  Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace tk
