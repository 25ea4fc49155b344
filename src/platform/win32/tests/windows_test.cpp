// Window creation, its look to the system, and the routing of messages to
// the engine's callbacks.
#include <stdexcept>

#include "base/bitmap.h"
#include "platform/win32/text_conversion.h"
#include "test_support.h"

namespace tk::win32_test {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    id = platform.CreateWindow(WindowKind::kMain, &events);
    ASSERT_NE(id, kNoWindow);
    hwnd = platform.WindowHandle(id);
    ASSERT_NE(hwnd, nullptr);
  }

  RecordingEvents events;
  TestPlatform platform;
  WindowId id = kNoWindow;
  HWND hwnd = nullptr;
};

TEST_F(WindowTest, MainWindowIsAHiddenBorderlessToolWindowOwnedByTheHiddenAppWindow) {
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CHILD));
  EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex_style & WS_EX_APPWINDOW);  // would force a taskbar button
  EXPECT_FALSE(platform.IsWindowVisible(id));

  HWND owner = GetWindow(hwnd, GW_OWNER);
  EXPECT_EQ(owner, platform.ApplicationWindow());
  EXPECT_TRUE(GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(::IsWindowVisible(owner));
}

TEST_F(WindowTest, ShowHideTitleAndBounds) {
  platform.SetWindowBounds(id, {40, 30, 140, 80});
  EXPECT_EQ(platform.WindowBounds(id), (Rect{40, 30, 140, 80}));
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 100);  // no frame eats into the picture
  EXPECT_EQ(client.bottom, 50);

  platform.SetWindowTitle(id, kSjisTest);
  wchar_t title[32] = {};
  GetWindowTextW(hwnd, title, 32);
  EXPECT_EQ(std::wstring(title), kWideTest);

  platform.ShowWindow(id, true);
  EXPECT_TRUE(platform.IsWindowVisible(id));
  platform.ShowWindow(id, false);
  EXPECT_FALSE(platform.IsWindowVisible(id));
}

TEST_F(WindowTest, TopmostBandChangesWithoutMoving) {
  platform.SetWindowBounds(id, {10, 20, 60, 70});
  platform.ShowWindow(id, true);
  platform.SetTopmost(id, true);
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  platform.SetTopmost(id, false);
  EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(platform.WindowBounds(id), (Rect{10, 20, 60, 70}));
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), platform.ApplicationWindow());
  platform.SetTopmost(id, true);  // and back, repeatedly
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowTest, RegionIsAppliedAndReplaced) {
  platform.SetWindowBounds(id, {0, 0, 50, 50});
  platform.SetWindowRegion(id, {{0, 0, 10, 5}, {2, 5, 8, 9}});
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, copy), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(copy, 7, 8));
  EXPECT_FALSE(PtInRegion(copy, 9, 8));
  platform.SetWindowRegion(id, {});
  EXPECT_EQ(GetWindowRgn(hwnd, copy), NULLREGION);
  DeleteObject(copy);
}

// The engine puts a new picture on the screen through this repaint alone,
// whether the new shape shrinks, grows or stays as it was.
TEST_F(WindowTest, ANewRegionRepaintsAShownWindowOnce) {
  const auto settle = [&] {
    PumpUntil(
        platform, [] { return false; }, std::chrono::milliseconds(200));
  };
  platform.SetWindowBounds(id, {0, 0, 50, 50});
  platform.ShowWindow(id, true);
  settle();
  const Region shapes[] = {{{0, 0, 10, 5}, {2, 5, 8, 9}}, {{0, 0, 50, 50}}, {{0, 0, 50, 50}}};
  for (const Region& shape : shapes) {
    events.erases = 0;
    platform.SetWindowRegion(id, shape);
    settle();
    EXPECT_EQ(events.erases, 1) << shape.size();
  }
}

TEST_F(WindowTest, UnknownIdsAreIgnored) {
  const WindowId unknown = id + 100;
  platform.SetWindowBounds(unknown, {0, 0, 1, 1});
  platform.ShowWindow(unknown, true);
  platform.SetWindowRegion(unknown, {});
  platform.DestroyWindow(unknown);
  EXPECT_EQ(platform.WindowHandle(unknown), nullptr);
  EXPECT_EQ(platform.WindowBounds(unknown), Rect{});
  EXPECT_FALSE(platform.IsWindowVisible(unknown));
}

TEST_F(WindowTest, CommandsTrayEraseAndCloseReachTheEngine) {
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(42, 0), 0);
  EXPECT_EQ(events.commands, std::vector<int>{42});

  SendMessageW(hwnd, Win32Platform::kTrayCallbackMessage, 1, WM_RBUTTONUP);
  EXPECT_EQ(events.tray_messages, std::vector<int>{WM_RBUTTONUP});

  HDC dc = GetDC(hwnd);
  EXPECT_EQ(SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(hwnd, dc);
  EXPECT_EQ(events.erases, 1);

  // Closing is the engine's decision: the window stays until it says so.
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(events.close_requests, 1);
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, CloseFromOutsideOfTheAppWindowAsksTheMainWindow) {
  SendMessageW(platform.ApplicationWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(events.close_requests, 1);
  EXPECT_TRUE(IsWindow(platform.ApplicationWindow()));
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, TheEndOfTheSessionClosesTheMainWindowOnlyWhenItReallyEnds) {
  SendMessageW(platform.ApplicationWindow(), WM_QUERYENDSESSION, 0, 0);
  SendMessageW(platform.ApplicationWindow(), WM_ENDSESSION, FALSE, 0);  // cancelled
  EXPECT_EQ(events.close_requests, 0);
  SendMessageW(platform.ApplicationWindow(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(events.close_requests, 1);
}

TEST_F(WindowTest, MouseReportsSignedClientCoordinatesAndCapturesLeftDrags) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  EXPECT_EQ(GetCapture(), hwnd);
  // Dragged past the left edge while captured.
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3, 7));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-4, 8));
  EXPECT_NE(GetCapture(), hwnd);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
  SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(1, 2));
  SendMessageW(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 4));

  const std::vector<MouseEvent> expected = {
      {'d', MouseButton::kLeft, 5, 6},  {'m', MouseButton::kLeft, -3, 7},
      {'u', MouseButton::kLeft, -4, 8}, {'d', MouseButton::kRight, 1, 2},
      {'u', MouseButton::kRight, 1, 2}, {'d', MouseButton::kMiddle, 3, 4},
  };
  EXPECT_EQ(events.mouse, expected);
  EXPECT_EQ(GetCapture(), nullptr);  // only the left button drags
}

TEST_F(WindowTest, ExceptionsFromCallbacksAreShownAndStopThere) {
  events.on_command = [] { throw std::runtime_error("broken command"); };
  SendMessageW(hwnd, WM_COMMAND, 7, 0);
  events.on_command = [] { throw 42; };
  SendMessageW(hwnd, WM_COMMAND, 8, 0);
  EXPECT_EQ(platform.exception_boxes,
            (std::vector<std::string>{"broken command", "unknown exception"}));
  // The window still works afterwards.
  events.on_command = nullptr;
  SendMessageW(hwnd, WM_COMMAND, 9, 0);
  EXPECT_EQ(events.commands, (std::vector<int>{7, 8, 9}));
}

TEST_F(WindowTest, WindowMayBeDestroyedFromItsOwnCallback) {
  events.on_command = [&] { platform.DestroyWindow(id); };
  SendMessageW(hwnd, WM_COMMAND, 1, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(platform.WindowHandle(id), nullptr);
  EXPECT_TRUE(platform.exception_boxes.empty());
}

TEST(WindowKinds, EveryKindIsABorderlessOwnedToolWindow) {
  TestPlatform platform;
  RecordingEvents events;
  for (WindowKind kind : {WindowKind::kChild, WindowKind::kAbout, WindowKind::kInput}) {
    const WindowId id = platform.CreateWindow(kind, &events);
    HWND hwnd = platform.WindowHandle(id);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), platform.ApplicationWindow());
    EXPECT_FALSE(::IsWindowVisible(hwnd));
  }
}

// A window keeps its own DC from present to present, and that DC is left
// as presents found it: a palette still selected there could not be
// deleted when the next one replaces it.
TEST_F(WindowTest, PresentsDrawThroughTheWindowsOwnDcAndLeaveItsPaletteAsItWas) {
  EXPECT_TRUE(GetClassLongPtrW(hwnd, GCL_STYLE) & CS_OWNDC);
  platform.SetWindowBounds(id, {10, 20, 30, 40});
  platform.ShowWindow(id, true);
  platform.RealizePalette(id, {0xFF0000, 0x00FF00, 0x0000FF});
  Bitmap picture(20, 20);
  platform.PresentBitmap(id, picture, picture.Bounds());
  HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
  ReleaseDC(hwnd, dc);
}

TEST(WindowKinds, PlatformsComeAndGoInOneProcess) {
  // Classes stay registered between instances; a second platform must
  // still start (and the first one's windows must be gone).
  HWND first_window = nullptr;
  {
    TestPlatform platform;
    RecordingEvents events;
    first_window = platform.WindowHandle(platform.CreateWindow(WindowKind::kMain, &events));
  }
  EXPECT_FALSE(IsWindow(first_window));
  TestPlatform again;
  RecordingEvents events;
  EXPECT_NE(again.CreateWindow(WindowKind::kMain, &events), kNoWindow);
}

}  // namespace
}  // namespace tk::win32_test
