// Message pumping and the program's message boxes. The loop sleeps until a
// message comes or the earliest timer is due: a timer's tick then costs one
// wait, with nothing to fetch from the system's queue.
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {

// Handles the messages waiting now; stops at a quit, whose exit code it
// hands to the caller.
std::optional<int> Win32Platform::DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return std::nullopt;
}

// Timers come after the messages, as the system's own timer messages do.
void Win32Platform::ProcessPendingMessages() {
  if (const std::optional<int> quit = DispatchWaitingMessages()) {
    // The quit belongs to the outer loop; leave it for that loop to see.
    PostQuitMessage(*quit);
    return;
  }
  RunDueTimers();
}

void Win32Platform::WaitForMessages(std::uint32_t max_ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(max_ms, MsUntilNextTimer()), QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
}

// A wait that ended on its time-out brought no message: the due timers run
// without asking the queue first.
void Win32Platform::RunMessageLoop() {
  bool timed_out = false;
  for (;;) {
    if (!timed_out && DispatchWaitingMessages()) return;
    RunDueTimers();
    timed_out = MsgWaitForMultipleObjectsEx(0, nullptr, MsUntilNextTimer(), QS_ALLINPUT,
                                            MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT;
  }
}

void Win32Platform::Quit() {
  PostQuitMessage(0);
}

void Win32Platform::ShowMessageBox(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
  const UINT icon_style = icon == MessageIcon::kError ? MB_ICONERROR : MB_ICONINFORMATION;
  const SystemLoop loop(*this);
  MessageBoxW(MainWindow(), win32::WideFromSjis(text).c_str(), win32::WideFromSjis(caption).c_str(),
              MB_OK | icon_style | MB_SETFOREGROUND);
}

void Win32Platform::ShowExceptionBox(const std::string& what) {
  const SystemLoop loop(*this);
  win32::ShowErrorBox(MainWindow(), what, main_title_.empty() ? win32::ProgramName() : main_title_);
}

namespace win32 {

void ShowErrorBox(HWND owner, const std::string& text, const std::string& caption) {
  MessageBoxW(owner, WideFromSjis(text).c_str(), WideFromSjis(caption).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace win32

}  // namespace tk
