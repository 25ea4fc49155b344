// Entry point of the Windows program.
#include <exception>

#include "app/program.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    tk::Win32Platform platform(instance);
    return tk::RunProgram(platform);
  } catch (const std::exception& e) {
    // Reached only if the platform itself could not start or stop; the
    // engine's own failures are shown where they happen.
    tk::win32::ShowErrorBox(nullptr, e.what(), tk::win32::ProgramName());
  } catch (...) {
    tk::win32::ShowErrorBox(nullptr, "unknown exception", tk::win32::ProgramName());
  }
  return 1;
}
