// Message pumping and the program's message boxes.
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {

void Win32Platform::ProcessPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit belongs to the outer loop; leave it for that loop to see.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Platform::WaitForMessages(std::uint32_t max_ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, max_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Platform::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32Platform::Quit() {
  PostQuitMessage(0);
}

void Win32Platform::ShowMessageBox(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
  const UINT icon_style = icon == MessageIcon::kError ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(MainWindow(), win32::WideFromSjis(text).c_str(), win32::WideFromSjis(caption).c_str(),
              MB_OK | icon_style | MB_SETFOREGROUND);
}

void Win32Platform::ShowExceptionBox(const std::string& what) {
  win32::ShowErrorBox(MainWindow(), what, main_title_.empty() ? win32::ProgramName() : main_title_);
}

namespace win32 {

void ShowErrorBox(HWND owner, const std::string& text, const std::string& caption) {
  MessageBoxW(owner, WideFromSjis(text).c_str(), WideFromSjis(caption).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace win32

}  // namespace tk
