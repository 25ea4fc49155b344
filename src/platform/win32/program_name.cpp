#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk::win32 {

std::string ProgramName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  return SjisFromWide(name.substr(0, name.find_last_of(L'.')));
}

}  // namespace tk::win32
