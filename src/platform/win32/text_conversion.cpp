#include "platform/win32/text_conversion.h"

#include <climits>
#include <stdexcept>

#include "platform/win32/win32_api.h"

namespace tk::win32 {
namespace {

constexpr UINT kShiftJisCodePage = 932;
// Without this, a character Shift-JIS lacks may turn into a look-alike
// such as a path separator, and a file name would point somewhere else.
constexpr DWORD kNoLookalikes = WC_NO_BEST_FIT_CHARS;

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromSjis(std::string_view sjis) {
  if (sjis.empty()) return {};
  const int length = CheckedLength(sjis.size());
  const int needed = MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(kShiftJisCodePage, 0, sjis.data(), length, wide.data(), needed);
  return wide;
}

std::string SjisFromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = CheckedLength(wide.size());
  const int needed = WideCharToMultiByte(kShiftJisCodePage, kNoLookalikes, wide.data(), length,
                                         nullptr, 0, nullptr, nullptr);
  std::string sjis(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(kShiftJisCodePage, kNoLookalikes, wide.data(), length, sjis.data(), needed,
                      nullptr, nullptr);
  return sjis;
}

}  // namespace tk::win32
