// What the engine may rely on from any platform, checked against each one.
// A platform's test program provides MakeHarness; the cases in this folder
// are compiled into every such program.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/desktop_windows.h"
#include "platform/platform.h"

namespace tk::contract {

class Harness {
 public:
  virtual ~Harness() = default;
  virtual Platform& platform() = 0;
  // Lets about `ms` pass while messages are handled as the message loop
  // handles them.
  virtual void Pass(unsigned ms) = 0;
  // Handles what is pending, as the engine's waits do.
  virtual void Pump() = 0;
  // Keeps the thread busy for `ms` without handling messages, as a slow
  // handler does.
  virtual void Busy(unsigned ms) = 0;
  virtual const std::vector<std::string>& ExceptionBoxes() const = 0;
  virtual bool IsTopmost(WindowId id) const = 0;
  // Whether the window's shape holds the client point.
  virtual bool ShapeContains(WindowId id, int x, int y) const = 0;
  // How many ticks a count may be off by: real time is late now and then.
  virtual int TickSlack() const = 0;

  // Windows standing in for other programs' ones, closed with the harness.
  struct OtherWindow {
    std::string title;  // Shift-JIS
    Rect bounds;
    bool minimize_box = true;
    bool visible = true;
  };
  // Opens in front of the other windows without taking the focus.
  virtual DesktopWindowHandle OpenOtherWindow(const OtherWindow& window) = 0;
  // A document window inside a window opened above, in front of its others.
  virtual DesktopWindowHandle OpenDocumentWindow(DesktopWindowHandle frame) = 0;
  virtual void MoveOtherWindow(DesktopWindowHandle window, const Rect& bounds) = 0;
  virtual void RaiseOtherWindow(DesktopWindowHandle window) = 0;
  virtual void CloseOtherWindow(DesktopWindowHandle window) = 0;
};

// A fresh platform whose current directory is an empty scratch folder,
// removed again with the harness.
std::unique_ptr<Harness> MakeHarness();

// Lets time pass in small steps until `done` holds or `limit_ms` passed.
template <typename Done>
bool PassUntil(Harness& harness, Done done, unsigned limit_ms = 2000) {
  for (unsigned passed = 0; !done() && passed < limit_ms; passed += 10) harness.Pass(10);
  return done();
}

class ContractTest : public ::testing::Test {
 protected:
  std::unique_ptr<Harness> harness = MakeHarness();
  Platform& platform = harness->platform();
};

}  // namespace tk::contract
