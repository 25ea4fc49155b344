// Clinging to other windows: the character sits on the top edge of the
// front window of another program and rides along with it.
#pragma once

#include <optional>

#include "platform/desktop_windows.h"

namespace tk {

class TMainForm;
struct CommandContext;

struct ClingTarget {
  DesktopWindowHandle window = kNoDesktopWindow;
  // The frame a document window lies in; the character stays inside it.
  DesktopWindowHandle container = kNoDesktopWindow;
};

// The window to sit on: the front program window with a minimize box, or
// the front document window inside it.
std::optional<ClingTarget> FindClingTarget(DesktopWindows& desktop);

// >WCS=dx,dy[,caption,start label,end label];
void RunWcs(CommandContext& c);
// The cling item's click: switches clinging on or off.
void PmClingClick(TMainForm& form);
// Every 50 ms while clinging: follows the target.
void OnClingTimer(TMainForm& form);

}  // namespace tk
