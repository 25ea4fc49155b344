// The notification-area icon: icon 1 of its owner window, with the
// program's own icon and callbacks as kTrayCallbackMessage.
#include <algorithm>
#include <iterator>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

constexpr UINT kTrayIconId = 1;

// The tip is cut to the field's size, keeping its terminator.
void CopyTip(NOTIFYICONDATAW& data, const std::wstring& tip) {
  const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
  std::copy_n(tip.begin(), length, data.szTip);
  data.szTip[length] = L'\0';
}

}  // namespace

bool Win32Platform::NotifyTray(DWORD action, HWND owner, const TrayIcon& icon) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kTrayIconId;
  if (action != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    const auto found = icons_.find(icon.icon);
    data.hIcon = found != icons_.end() ? found->second : LoadIconW(instance_, L"MAINICON");
    CopyTip(data, icon.tip);
  }
  return Shell_NotifyIconW(action, &data) != FALSE;
}

bool Win32Platform::AddTrayIcon(WindowId owner, const std::string& tip) {
  HWND hwnd = WindowHandle(owner);
  if (hwnd == nullptr) return false;
  const TrayIcon icon{win32::WideFromSjis(tip), 0};
  if (!NotifyTray(NIM_ADD, hwnd, icon)) return false;
  tray_icons_[hwnd] = icon;
  return true;
}

void Win32Platform::ModifyTrayIcon(WindowId owner, const std::string& tip, IconId icon) {
  const auto found = tray_icons_.find(WindowHandle(owner));
  if (found == tray_icons_.end()) return;
  found->second = TrayIcon{win32::WideFromSjis(tip), icon};
  NotifyTray(NIM_MODIFY, found->first, found->second);
}

void Win32Platform::DeleteTrayIcon(WindowId owner) {
  const auto found = tray_icons_.find(WindowHandle(owner));
  if (found == tray_icons_.end()) return;
  NotifyTray(NIM_DELETE, found->first, found->second);
  tray_icons_.erase(found);
}

// A restarted taskbar has forgotten every icon; ours come back as they were.
void Win32Platform::RestoreTrayIcons() {
  for (const auto& [owner, icon] : tray_icons_) NotifyTray(NIM_ADD, owner, icon);
}

}  // namespace tk
