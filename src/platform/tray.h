// The notification-area icon: a service of its own beside Platform. Each
// further service (text, media devices, other windows) gets a small
// interface like this one, reached through one accessor of Platform, so the
// core interface does not keep growing.
#pragma once

#include <string>

namespace tk {

using WindowId = int;
using IconId = int;

class TrayIcons {
 public:
  virtual ~TrayIcons() = default;
  // Adds icon 1 of `owner` with the program's own icon; callbacks arrive as
  // WindowEvents::OnTrayMessage of the owner.
  virtual bool AddTrayIcon(WindowId owner, const std::string& tip) = 0;
  virtual void DeleteTrayIcon(WindowId owner) = 0;
  // Re-sends the icon record whole: its tip and its icon (0: the program's own).
  virtual void ModifyTrayIcon(WindowId owner, const std::string& tip, IconId icon) = 0;
  // An icon file; 0 when it cannot be loaded.
  virtual IconId LoadIconFile(const std::string& name) = 0;
  virtual void DestroyIcon(IconId id) = 0;
};

}  // namespace tk
