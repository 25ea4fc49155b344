// The simulated desktop's menus, cursors, focus, about box and tray icon.
#include "platform/icon_files.h"
#include "platform/sim/sim_platform.h"

namespace tk {

std::string SimPlatform::CursorName(CursorId id) const {
  const auto it = cursors_.find(id);
  return it == cursors_.end() ? std::string() : it->second;
}

CursorId SimPlatform::LoadCursorFile(const std::string& name) {
  const auto bytes = ReadFile(name, kMaxIconFileBytes);
  if (!bytes || !IsCursorFile(*bytes)) return kNoCursor;
  const CursorId id = static_cast<CursorId>(cursors_.size()) + 1;
  cursors_[id] = "file:" + name;
  return id;
}

CursorId SimPlatform::LoadStandardCursor(StandardCursor which) {
  const std::string name = which == StandardCursor::kArrow ? "standard:arrow" : "standard:hand";
  for (const auto& [id, known] : cursors_) {
    if (known == name) return id;
  }
  const CursorId id = static_cast<CursorId>(cursors_.size()) + 1;
  cursors_[id] = name;
  return id;
}

void SimPlatform::SetCursorOverride(CursorId id) {
  cursor_override = id;
}

int SimPlatform::TrackPopupMenu(WindowId owner, const std::vector<PopupMenuItem>& items, Point at) {
  popup_menus.push_back({owner, items, at});
  const int chosen = on_popup_menu ? on_popup_menu(items) : -1;
  return chosen >= 0 && chosen < static_cast<int>(items.size()) ? chosen : -1;
}

void SimPlatform::ForceForeground(WindowId id) {
  foreground_requests.push_back(id);
  SetForeground(id);
}

void SimPlatform::CancelMode(WindowId id) {
  cancel_modes.push_back(id);
}

void SimPlatform::ShowAboutBox(WindowId id, const AboutBoxLayout& layout) {
  about_boxes[id] = layout;
  SetWindowTitle(id, layout.caption);
  const Rect outer = DialogWindowSize(layout.client_width, layout.client_height);
  SetWindowBounds(
      id, {layout.left, layout.top, layout.left + outer.Width(), layout.top + outer.Height()});
  ShowWindow(id, true);
  InvalidateWindow(id);
}

void SimPlatform::ModifyTrayIcon(WindowId owner, const std::string& tip, IconId icon) {
  if (!tray_icon_present || owner != tray_owner) return;
  tray_tip = tip;
  tray_icon = icon;
  ++tray_modifications;
}

IconId SimPlatform::LoadIconFile(const std::string& name) {
  const auto bytes = ReadFile(name, kMaxIconFileBytes);
  if (!bytes || !IsIconFile(*bytes)) return 0;
  const IconId id = next_icon_++;
  icons_[id] = "file:" + name;
  return id;
}

void SimPlatform::DestroyIcon(IconId id) {
  icons_.erase(id);
}

std::string SimPlatform::IconName(IconId id) const {
  const auto it = icons_.find(id);
  return it == icons_.end() ? std::string() : it->second;
}

}  // namespace tk
