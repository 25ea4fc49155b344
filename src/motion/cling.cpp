#include "motion/cling.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "form/main_form.h"
#include "form/mover.h"
#include "form/popup_menu.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"
#include "motion/motion_commands.h"
#include "platform/monitors.h"
#include "script/command_context.h"
#include "script/runner.h"

namespace tk {

namespace {

constexpr unsigned kClingTickMs = 50;
// Titles are compared as a 10-byte buffer holds them: nine bytes at most.
constexpr std::size_t kTitleBytesRead = 9;
// A window of this title is never sat on.
constexpr std::string_view kPassedOverTitle = "Tenk";

bool IsPassedOver(const DesktopWindow& window) {
  return !window.minimize_box || !window.visible ||
         std::string_view(window.title).substr(0, kTitleBytesRead) == kPassedOverTitle;
}

// Only a real document window counts: for a child window the minimize-box
// bit is also the tab-stop bit, which every button and edit box may carry.
bool IsDocumentWindow(const DesktopWindow& window) {
  return window.child && window.minimize_box && window.visible && window.mdi_child;
}

// Clinging keeps the character in front; the user cannot take it out of
// the band meanwhile, so the item leaves the menu.
void HoldInTopmostBand(TMainForm& form) {
  form.shell.modes.topmost = true;
  form.PopupMenu1.PmWinMost.visible = false;
  SetCharacterTopmost(form, true);
}

// Puts the character at the target's corner plus the offsets, where
// clinging starts.
void PlaceOnTarget(TMainForm& form) {
  DesktopWindows& desktop = form.platform.Desktop();
  const auto target = FindClingTarget(desktop);
  if (!target) return;
  const auto rect = desktop.WindowRect(target->window);
  if (!rect) return;
  form.cling.target = *rect;
  MoveCharacterTo(form, std::int64_t{rect->left} + form.cling.dx,
                  std::int64_t{rect->top} + form.cling.dy);
  form.shell.centre_on_first_image = false;
}

void MakeClingTimer(TMainForm& form) {
  if (form.cling.timer.id() != 0) return;
  form.cling.timer = Timer(form.platform, [&form] { OnClingTimer(form); });
  form.cling.timer.SetInterval(kClingTickMs);
}

// Without a caption the script wants clinging for good: the item exists
// only as its check mark, which is what the settings save.
void ClingForGood(TMainForm& form) {
  HoldInTopmostBand(form);
  form.cling.clinging = true;
  PlaceOnTarget(form);
  form.cling.timer.Start();
}

void AddClingItem(TMainForm& form, const std::string& caption) {
  TPopupMenu1& menu = form.PopupMenu1;
  if (menu.has_cling_item) return;
  menu.has_cling_item = true;
  menu.PmCling.caption = caption + "(&C)";
}

// Runs the label unless it is empty; false when the window closed meanwhile.
bool RunClingAction(TMainForm& form, const std::string& label, const char* why) {
  if (!label.empty()) RunAction(form, label, {ActionCause::Kind::kSitting, why});
  return !form.IsClosed();
}

// The timer is off before the end action runs and on only after the start
// action, so no tick arrives while either pumps messages.
void SwitchOn(TMainForm& form, bool place) {
  form.cling.clinging = true;
  HoldInTopmostBand(form);
  if (!RunClingAction(form, form.cling.start_label, "start")) return;
  if (place) PlaceOnTarget(form);
  form.cling.timer.Start();
}

// A character left off every monitor by the window it rode on comes back to
// the middle of the primary one, where the user can reach it.
void BringBackOnScreen(TMainForm& form) {
  const Rect now = form.platform.WindowBounds(form.window);
  if (CornerOnAMonitor(form.platform.Monitors(), now.left, now.top)) return;
  CentreCharacter(form, now.Width(), now.Height());
}

void SwitchOff(TMainForm& form) {
  form.cling.clinging = false;
  form.PopupMenu1.PmWinMost.visible = true;  // still checked: the character stays in front
  form.cling.timer.Stop();
  if (!RunClingAction(form, form.cling.end_label, "end")) return;
  BringBackOnScreen(form);
}

// Where the character goes along the target's top edge: it keeps its
// place when the target moves sideways, within the target's edges and
// then within the frame of a document window. Nothing when the frame has
// gone.
std::optional<std::int64_t> FollowedLeft(DesktopWindows& desktop, const ClingTarget& target,
                                         const ClingState& cling, const Rect& now) {
  const Rect& rect = cling.target;
  std::int64_t x = std::int64_t{now.left} + rect.left - cling.previous_target_left;
  x = std::max<std::int64_t>(x, rect.left);
  if (x + now.Width() > rect.right) x = std::int64_t{rect.right} - now.Width();
  if (target.container == kNoDesktopWindow) return x;
  const auto frame = desktop.WindowRect(target.container);
  if (!frame) return std::nullopt;
  if (x < frame->left) return frame->left;
  if (x + now.Width() > frame->right) return std::int64_t{frame->right} - now.Width();
  return x;
}

}  // namespace

std::optional<ClingTarget> FindClingTarget(DesktopWindows& desktop) {
  std::optional<ClingTarget> found;
  desktop.VisitTopLevelWindows([&](const DesktopWindow& window) {
    if (IsPassedOver(window)) return true;
    found = ClingTarget{window.handle, kNoDesktopWindow};
    return false;
  });
  if (!found) return std::nullopt;
  const DesktopWindowHandle top = found->window;
  desktop.VisitDescendants(top, [&](const DesktopWindow& window) {
    if (!IsDocumentWindow(window)) return true;
    found = ClingTarget{window.handle, top};
    return false;
  });
  return found;
}

void RunWcs(CommandContext& c) {
  ClingState& cling = c.form.cling;
  if (cling.setup_done) return;
  const auto dx = c.Int();
  if (!dx) return;
  cling.dx = *dx;
  const auto dy = c.Int();
  if (!dy) return;
  cling.dy = *dy;
  cling.setup_done = true;
  MakeClingTimer(c.form);
  const std::string caption = c.Param();
  if (caption.empty()) return ClingForGood(c.form);
  AddClingItem(c.form, caption);
  cling.start_label = c.Param();
  cling.end_label = c.Param();
}

void PmClingClick(TMainForm& form) {
  if (form.cling.clinging) {
    SwitchOff(form);
  } else {
    SwitchOn(form, true);
  }
}

void OnClingTimer(TMainForm& form) {
  ClingState& cling = form.cling;
  if (!cling.clinging || form.drag.dragging) return;
  DesktopWindows& desktop = form.platform.Desktop();
  const auto target = FindClingTarget(desktop);
  if (!target) return;
  cling.previous_target_left = cling.target.left;
  const auto rect = desktop.WindowRect(target->window);
  if (!rect) return;
  cling.target = *rect;
  const Rect now = form.platform.WindowBounds(form.window);
  const std::int64_t top = std::int64_t{rect->top} + cling.dy;
  if (std::int64_t{rect->left} + cling.dx == now.left && top == now.top) return;
  const auto left = FollowedLeft(desktop, *target, cling, now);
  // An unchanged place is not set again: the system would have nothing to do.
  if (!left || (*left == now.left && top == now.top)) return;
  MoveCharacterTo(form, *left, top);
}

void PlaceOnSavedClingTarget(TMainForm& form) {
  PlaceOnTarget(form);
}

// The band was saved with the rest, but a settings file edited by hand may
// say otherwise; clinging always holds the character in front.
void RestoreClinging(TMainForm& form) {
  SwitchOn(form, false);
}

}  // namespace tk
