// The resources compiled into the program (the test program carries the
// same ones) and the services that use them.
#include "test_support.h"

namespace tk::win32_test {
namespace {

TEST(Resources, HandCursorsLoadWithTheirHotSpot) {
  TestPlatform platform;
  const CursorId open = platform.LoadResourceCursor("CSHAND1");
  const CursorId closed = platform.LoadResourceCursor("CSHAND2");
  EXPECT_NE(open, 0);
  EXPECT_NE(closed, 0);
  EXPECT_NE(open, closed);
  EXPECT_EQ(platform.LoadResourceCursor("NOSUCHCURSOR"), 0);

  for (const wchar_t* name : {L"CSHAND1", L"CSHAND2"}) {
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), name);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 14u);
    EXPECT_EQ(info.yHotspot, 16u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(Resources, IconHasBothSizes) {
  for (int size : {32, 16}) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0);
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

TEST(Resources, PromptStripIsFourFramesOnGreen) {
  HBITMAP strip = LoadBitmapW(GetModuleHandleW(nullptr), L"PROMPT01");
  ASSERT_NE(strip, nullptr);
  BITMAP info{};
  GetObjectW(strip, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 64);
  EXPECT_EQ(info.bmHeight, 16);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 63, 15), RGB(0, 255, 0));
  // The top edge of the arrow sits 2 pixels lower in each frame.
  for (int frame = 0; frame < 4; ++frame) {
    EXPECT_EQ(GetPixel(dc, frame * 16 + 7, 2 + 2 * frame), RGB(0, 0, 0)) << frame;
    EXPECT_EQ(GetPixel(dc, frame * 16 + 7, 1 + 2 * frame), RGB(0, 255, 0)) << frame;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(strip);
}

TEST(Tray, IconIsAddedToItsOwnerAndRemoved) {
  TestPlatform platform;
  RecordingEvents events;
  const WindowId owner = platform.CreateWindow(WindowKind::kMain, &events);
  EXPECT_FALSE(platform.AddTrayIcon(owner + 1, "Tenkoro"));
  ASSERT_TRUE(platform.AddTrayIcon(owner, std::string(200, 'x')));  // long tips are cut
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = platform.WindowHandle(owner);
  data.uID = 1;
  data.uFlags = NIF_TIP;
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &data));  // exists as icon 1 of the owner
  platform.DeleteTrayIcon(owner);
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data));
}

TEST(Tray, IconComesBackWhenTheTaskbarIsRecreated) {
  TestPlatform platform;
  RecordingEvents events;
  const WindowId owner = platform.CreateWindow(WindowKind::kMain, &events);
  ASSERT_TRUE(platform.AddTrayIcon(owner, "Tenkoro"));
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = platform.WindowHandle(owner);
  data.uID = 1;
  data.uFlags = NIF_TIP;
  // A restarted taskbar knows no icons any more.
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
  ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data));
  SendMessageW(platform.ApplicationWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &data));
  platform.DeleteTrayIcon(owner);
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data));
}

TEST(SystemFacts, ClockScreenAndDevicesAnswer) {
  TestPlatform platform;
  // The system's own tick count, whatever the machine's load.
  EXPECT_LE(GetTickCount() - platform.TickCount(), 1000u);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const LocalTime now = platform.Now();
  EXPECT_EQ(now.year, t.wYear);
  EXPECT_EQ(now.day_of_week, t.wDayOfWeek);
  EXPECT_GE(now.day_of_week, 0);
  EXPECT_LE(now.day_of_week, 6);
  EXPECT_EQ(platform.ScreenWidth(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GT(platform.ScreenHeight(), 0);
  EXPECT_GE(platform.ScreenColorDepth(), 8);
  EXPECT_GE(platform.WaveOutDeviceCount(), 0);
  EXPECT_GE(platform.MidiOutDeviceCount(), 0);
}

}  // namespace
}  // namespace tk::win32_test
