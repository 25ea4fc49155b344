// A whole character on the simulated desktop, from a script of any bytes:
// start-up with _FirstAction, a second of its timers, clicks, a drag, the
// menu, and the exit with _LastAction. Runs stop after a bounded number of
// commands, so scripts that loop forever end too.
#include <string>

#include "fuzz_support.h"

namespace {

void Touch(tk::fuzz::Character& c, int menu_pick) {
  tk::SimPlatform& sim = c.sim;
  const tk::WindowId w = c.form->window;
  sim.AdvanceTime(1000);
  c.Allow(400'000);
  sim.Click(w, tk::MouseButton::kLeft, 10, 10);
  sim.MouseMove(w, 40, 30);
  c.Allow(400'000);
  c.form->PmMoveClick();
  sim.MouseDown(w, tk::MouseButton::kLeft, 5, 5);
  sim.MouseMove(w, 60, 45);
  sim.MouseUp(w, tk::MouseButton::kLeft, 60, 45);
  c.form->PmMoveClick();
  sim.on_popup_menu = [menu_pick](const std::vector<tk::PopupMenuItem>& items) {
    return items.empty() ? -1 : menu_pick % static_cast<int>(items.size());
  };
  c.Allow(400'000);
  sim.Click(w, tk::MouseButton::kRight, 10, 10);
  sim.AdvanceTime(200);
  c.Allow(400'000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    tk::fuzz::WriteEmptyMap();
    return true;
  }();
  (void)ready;
  const std::string_view text = tk::fuzz::AsText(data, size);
  tk::fuzz::WriteScript(text);
  tk::fuzz::TheFolder().Remove("tk.ini");
  tk::fuzz::Character c;
  if (!c.Start()) return 0;
  unsigned menu_pick = 0;
  for (const char ch : text) menu_pick = menu_pick * 31 + static_cast<unsigned char>(ch) % 97;
  Touch(c, static_cast<int>(menu_pick & 0xFFFF));
  return 0;
}
