#include "form/mover.h"

#include <algorithm>
#include <limits>

#include "form/main_form.h"
#include "form/trace.h"

namespace tk {

namespace {

constexpr std::int64_t kMinCoordinate = std::numeric_limits<int>::min();
constexpr std::int64_t kMaxCoordinate = std::numeric_limits<int>::max();

int Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
  return static_cast<int>(std::clamp(value, low, std::max(low, high)));
}

// The main window from where it stood to `to`; the trace hears of a change.
void SetMainBounds(TMainForm& form, const Rect& from, const Rect& to) {
  form.platform.SetWindowBounds(form.window, to);
  if (form.trace && !(from == to)) form.trace->WindowMoved(from, to);
}

}  // namespace

Rect PlaceRect(std::int64_t left, std::int64_t top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int l = Clamp(left, kMinCoordinate, kMaxCoordinate - width);
  const int t = Clamp(top, kMinCoordinate, kMaxCoordinate - height);
  return {l, t, l + width, t + height};
}

void PlaceChildImage(TMainForm& form) {
  const auto child = form.ChildWindowPlacement();
  if (!child) return;
  const Rect main = form.platform.WindowBounds(form.window);
  form.platform.SetWindowBounds(child->window, PlaceRect(std::int64_t{main.left} + child->offset_x,
                                                         std::int64_t{main.top} + child->offset_y,
                                                         child->width, child->height));
}

void MoveCharacterTo(TMainForm& form, std::int64_t left, std::int64_t top) {
  const Rect now = form.platform.WindowBounds(form.window);
  SetMainBounds(form, now, PlaceRect(left, top, now.Width(), now.Height()));
  PlaceChildImage(form);
}

void CentreCharacter(TMainForm& form, int width, int height) {
  MoveCharacterTo(form, (std::int64_t{form.platform.ScreenWidth()} - width) / 2,
                  (std::int64_t{form.platform.ScreenHeight()} - height) / 2);
}

void ResizeCharacter(TMainForm& form, int width, int height) {
  const Rect now = form.platform.WindowBounds(form.window);
  SetMainBounds(form, now, PlaceRect(now.left, now.top, width, height));
  PlaceChildImage(form);
}

void ShowCharacter(TMainForm& form, bool visible) {
  if (visible && form.shell.stepped_aside) return;
  const bool was_visible = form.trace && form.platform.IsWindowVisible(form.window);
  const auto child = form.ChildWindowPlacement();
  if (visible) form.platform.ShowWindow(form.window, true);
  if (child) form.platform.ShowWindow(child->window, visible);
  if (!visible) form.platform.ShowWindow(form.window, false);
  if (form.trace && was_visible != visible) form.trace->WindowShown(visible);
}

void ShowChildWindow(TMainForm& form) {
  if (form.shell.stepped_aside) return;
  if (const auto child = form.ChildWindowPlacement()) form.platform.ShowWindow(child->window, true);
}

void StandAside(TMainForm& form, bool aside) {
  if (form.shell.stepped_aside == aside) return;
  if (aside) ShowCharacter(form, false);
  form.shell.stepped_aside = aside;
  if (!aside && !form.shell.modes.hidden) ShowCharacter(form, true);
}

void SetCharacterTopmost(TMainForm& form, bool topmost) {
  if (const auto child = form.ChildWindowPlacement()) {
    form.platform.SetTopmost(child->window, topmost);
  }
  form.platform.SetTopmost(form.window, topmost);
}

}  // namespace tk
