// Timers and the message pump.
#include <stdexcept>

#include "test_support.h"

namespace tk::win32_test {
namespace {

using namespace std::chrono_literals;

TEST(Timers, TickOnlyWhileEnabled) {
  TestPlatform platform;
  int ticks = 0;
  const TimerId timer = platform.CreateTimer([&] { ++ticks; });
  platform.ProcessPendingMessages();
  Sleep(50);
  platform.ProcessPendingMessages();
  EXPECT_EQ(ticks, 0);  // created disabled

  platform.SetTimer(timer, 10, true);
  EXPECT_TRUE(PumpUntil(platform, [&] { return ticks >= 3; }));

  platform.SetTimer(timer, 10, false);
  platform.ProcessPendingMessages();
  const int stopped_at = ticks;
  Sleep(60);
  platform.ProcessPendingMessages();
  EXPECT_EQ(ticks, stopped_at);

  // An interval of zero means no ticks, as with a disabled timer.
  platform.SetTimer(timer, 0, true);
  Sleep(60);
  platform.ProcessPendingMessages();
  EXPECT_EQ(ticks, stopped_at);
}

TEST(Timers, EachTimerCallsItsOwnFunction) {
  TestPlatform platform;
  int a = 0, b = 0;
  const TimerId ta = platform.CreateTimer([&] { ++a; });
  const TimerId tb = platform.CreateTimer([&] { ++b; });
  EXPECT_NE(ta, tb);
  platform.SetTimer(tb, 10, true);
  EXPECT_TRUE(PumpUntil(platform, [&] { return b >= 2; }));
  EXPECT_EQ(a, 0);
}

TEST(Timers, ATickMayDestroyItsOwnTimer) {
  TestPlatform platform;
  int ticks = 0;
  TimerId timer = 0;
  timer = platform.CreateTimer([&] {
    ++ticks;
    platform.DestroyTimer(timer);
  });
  platform.SetTimer(timer, 10, true);
  EXPECT_TRUE(PumpUntil(platform, [&] { return ticks == 1; }));
  Sleep(60);
  platform.ProcessPendingMessages();
  EXPECT_EQ(ticks, 1);
  platform.SetTimer(timer, 10, true);  // gone: ignored
  Sleep(40);
  platform.ProcessPendingMessages();
  EXPECT_EQ(ticks, 1);
}

TEST(Timers, AThrowingTickIsShownAndTheTimerGoesOn) {
  TestPlatform platform;
  int ticks = 0;
  const TimerId timer = platform.CreateTimer([&] {
    ++ticks;
    throw std::runtime_error("tick failed");
  });
  platform.SetTimer(timer, 10, true);
  EXPECT_TRUE(PumpUntil(platform, [&] { return ticks >= 2; }));
  ASSERT_GE(platform.exception_boxes.size(), 2u);
  EXPECT_EQ(platform.exception_boxes[0], "tick failed");
}

// A loop of the system's own, like a window dragged by its frame, fetches
// messages without knowing the program's timers; they tick on regardless,
// and only while it runs does a system timer stand in for them.
TEST(Timers, TickDuringALoopOfTheSystemsOwn) {
  TestPlatform platform;
  RecordingEvents events;
  HWND hwnd = platform.WindowHandle(platform.CreateWindow(WindowKind::kMain, &events));
  int ticks = 0;
  const TimerId timer = platform.CreateTimer([&] { ++ticks; });
  platform.SetTimer(timer, 10, true);
  const auto system_loop = [](std::chrono::milliseconds length) {
    const auto end = std::chrono::steady_clock::now() + length;
    MSG message;
    while (std::chrono::steady_clock::now() < end) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(5);
    }
  };
  system_loop(60ms);
  EXPECT_EQ(ticks, 0);  // before the window's loop begins, nothing stands in

  SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  system_loop(200ms);
  EXPECT_GE(ticks, 3);
  SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);

  const int after_loop = ticks;
  system_loop(60ms);
  EXPECT_EQ(ticks, after_loop);
  EXPECT_TRUE(PumpUntil(platform, [&] { return ticks > after_loop; }));
}

TEST(MessagePump, PendingMessagesLeaveAQuitForTheOuterLoop) {
  TestPlatform platform;
  RecordingEvents events;
  HWND hwnd = platform.WindowHandle(platform.CreateWindow(WindowKind::kMain, &events));
  PostMessageW(hwnd, WM_COMMAND, 1, 0);
  PostQuitMessage(3);
  PostMessageW(hwnd, WM_COMMAND, 2, 0);
  platform.ProcessPendingMessages();
  // Posted messages come before the quit, which stays pending.
  EXPECT_EQ(events.commands, (std::vector<int>{1, 2}));
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
}

TEST(MessagePump, LoopRunsUntilQuit) {
  TestPlatform platform;
  RecordingEvents events;
  HWND hwnd = platform.WindowHandle(platform.CreateWindow(WindowKind::kMain, &events));
  int ticks = 0;
  const TimerId timer = platform.CreateTimer([&] {
    if (++ticks == 3) platform.Quit();
  });
  platform.SetTimer(timer, 10, true);
  PostMessageW(hwnd, WM_COMMAND, 5, 0);
  platform.RunMessageLoop();
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(events.commands, std::vector<int>{5});
  platform.DestroyTimer(timer);
}

}  // namespace
}  // namespace tk::win32_test
