// The windows of every program on the desktop, the character's own among
// them, as clinging needs to see them, and the one in front, which may fill
// a monitor: a service of its own beside Platform.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace tk {

// A window as the system names it; valid only while that window exists.
using DesktopWindowHandle = std::uintptr_t;
inline constexpr DesktopWindowHandle kNoDesktopWindow = 0;

struct DesktopWindow {
  DesktopWindowHandle handle = kNoDesktopWindow;
  std::string title;  // Shift-JIS
  bool visible = false;
  bool minimize_box = false;
  bool child = false;
  bool mdi_child = false;  // a document window inside a multiple-document frame
  Rect bounds;             // screen pixels
};

// Called for each window in turn; returning false ends the walk.
using DesktopWindowVisitor = std::function<bool(const DesktopWindow&)>;

class DesktopWindows {
 public:
  virtual ~DesktopWindows() = default;
  // The top-level windows of all programs, front first (the topmost band
  // ahead of the others).
  virtual void VisitTopLevelWindows(const DesktopWindowVisitor& visit) = 0;
  // Every window inside `parent` at any depth: each child, front first,
  // followed by what lies inside it.
  virtual void VisitDescendants(DesktopWindowHandle parent, const DesktopWindowVisitor& visit) = 0;
  // The window's rectangle now; nothing once it was closed.
  virtual std::optional<Rect> WindowRect(DesktopWindowHandle window) = 0;

  // The rectangle of the window in front (the one the user works in) when it
  // is another program's: nothing while no window, one of the program's own
  // or one of the shell's (the desktop background, a task bar) is in front.
  // Only the rectangle, since this is asked every second.
  virtual std::optional<Rect> ForeignFrontWindowBounds() = 0;
  // Has `on_change` run from the message loop after another window came to
  // the front; nullptr stops the notices. False when the system sends none,
  // so that the caller has to look by itself now and then.
  virtual bool NoticeFrontWindowChanges(std::function<void()> on_change) = 0;
};

}  // namespace tk
