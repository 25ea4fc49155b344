// What stepping aside for full-screen programs keeps between looks at the
// window in front.
#pragma once

#include <functional>
#include <utility>

#include "platform/desktop_windows.h"

namespace tk {

// The platform's notices of a new window in front, taken back when the
// owner goes, so that none reaches a form that is gone.
class FrontWindowWatch {
 public:
  FrontWindowWatch() = default;
  ~FrontWindowWatch() { Stop(); }
  FrontWindowWatch(const FrontWindowWatch&) = delete;
  FrontWindowWatch& operator=(const FrontWindowWatch&) = delete;

  // False when the platform sends no such notices.
  bool Start(DesktopWindows& desktop, std::function<void()> on_change) {
    Stop();
    desktop_ = &desktop;
    return desktop.NoticeFrontWindowChanges(std::move(on_change));
  }
  void Stop() {
    if (desktop_ != nullptr) desktop_->NoticeFrontWindowChanges(nullptr);
    desktop_ = nullptr;
  }

 private:
  DesktopWindows* desktop_ = nullptr;
};

struct StepAsideState {
  FrontWindowWatch watch;
  // The platform tells when another window comes to the front. The form's
  // second beat looks again while another program's window is in front,
  // since it may grow to fill the screen without a new window coming to the
  // front; without notices, while the character is shown or stands aside.
  bool noticed = false;
};

}  // namespace tk
