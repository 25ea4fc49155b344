// Shared pieces of the Windows platform tests, which run on Windows or
// under Wine with a display.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tk::win32_test {

// Records the exception boxes instead of showing them.
class TestPlatform : public Win32Platform {
 public:
  TestPlatform() : Win32Platform(GetModuleHandleW(nullptr)) {}
  void ShowExceptionBox(const std::string& what) override { exception_boxes.push_back(what); }
  std::vector<std::string> exception_boxes;
};

struct MouseEvent {
  char kind;  // 'd'own, 'm'ove, 'u'p
  MouseButton button;
  int x, y;
  bool operator==(const MouseEvent&) const = default;
};

class RecordingEvents : public WindowEvents {
 public:
  void OnMouseDown(MouseButton b, int x, int y) override { mouse.push_back({'d', b, x, y}); }
  void OnMouseMove(int x, int y) override { mouse.push_back({'m', MouseButton::kLeft, x, y}); }
  void OnMouseUp(MouseButton b, int x, int y) override { mouse.push_back({'u', b, x, y}); }
  void OnCommand(int id) override {
    commands.push_back(id);
    if (on_command) on_command();
  }
  void OnTrayMessage(int message) override { tray_messages.push_back(message); }
  void OnCloseRequest() override { ++close_requests; }
  void OnEraseBackground() override { ++erases; }

  std::function<void()> on_command;
  std::vector<MouseEvent> mouse;
  std::vector<int> commands;
  std::vector<int> tray_messages;
  int close_requests = 0;
  int erases = 0;
};

// Pumps messages until `done` holds or the time runs out; returns `done()`.
inline bool PumpUntil(Platform& platform, const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    platform.ProcessPendingMessages();
    Sleep(5);
  }
  return done();
}

// Shift-JIS bytes of a few test texts.
inline const std::string kSjisTest = "\x83\x65\x83\x58\x83\x67";  // テスト
inline const std::wstring kWideTest = L"\u30c6\u30b9\u30c8";

}  // namespace tk::win32_test
