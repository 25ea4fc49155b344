// The simulated desktop under the contract: time is virtual, so counts are
// exact.
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "contract/harness.h"
#include "platform/sim/sim_platform.h"

namespace tk::contract {
namespace {

std::filesystem::path ScratchFolder() {
  static std::atomic<int> made{0};
  auto folder = std::filesystem::temp_directory_path() /
                ("tk_contract_" + std::to_string(::getpid()) + "_" + std::to_string(made++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

DesktopWindowHandle Handle(WindowId id) {
  return static_cast<DesktopWindowHandle>(id);
}

class SimHarness : public Harness {
 public:
  SimHarness() : folder_(ScratchFolder()), sim_(folder_.string(), folder_.string()) {}
  ~SimHarness() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  Platform& platform() override { return sim_; }
  void Pass(unsigned ms) override { sim_.AdvanceTime(ms); }
  void Pump() override { sim_.ProcessPendingMessages(); }
  void Busy(unsigned ms) override { sim_.Busy(ms); }
  const std::vector<std::string>& ExceptionBoxes() const override { return sim_.exception_boxes; }
  bool IsTopmost(WindowId id) const override {
    const auto* window = sim_.FindWindow(id);
    return window && window->topmost;
  }
  bool ShapeContains(WindowId id, int x, int y) const override {
    const auto* window = sim_.FindWindow(id);
    if (!window) return false;
    if (!window->region_set) return true;
    for (const Rect& r : window->region) {
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
  }
  int TickSlack() const override { return 0; }

  DesktopWindowHandle OpenOtherWindow(const OtherWindow& w) override {
    return Handle(sim_.OpenForeignWindow({w.title, w.bounds, w.visible, w.minimize_box}));
  }
  DesktopWindowHandle OpenDocumentWindow(DesktopWindowHandle frame) override {
    const Rect f = sim_.Desktop().WindowRect(frame).value_or(Rect{});
    SimPlatform::ForeignWindow document{"", {f.left + 10, f.top + 40, f.left + 110, f.top + 140}};
    document.frame = static_cast<WindowId>(frame);
    return Handle(sim_.OpenForeignWindow(document));
  }
  void MoveOtherWindow(DesktopWindowHandle window, const Rect& bounds) override {
    sim_.MoveForeignWindow(static_cast<WindowId>(window), bounds);
  }
  void RaiseOtherWindow(DesktopWindowHandle window) override {
    sim_.RaiseWindow(static_cast<WindowId>(window));
  }
  void CloseOtherWindow(DesktopWindowHandle window) override {
    sim_.CloseForeignWindow(static_cast<WindowId>(window));
  }

 private:
  std::filesystem::path folder_;
  SimPlatform sim_;
};

}  // namespace

std::unique_ptr<Harness> MakeHarness() {
  return std::make_unique<SimHarness>();
}

}  // namespace tk::contract
