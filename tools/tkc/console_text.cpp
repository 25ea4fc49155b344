#include "console_text.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tkc {

int Fail(const std::string& message) {
  std::cerr << "tkc: " << message << "\n";
  return 1;
}

#ifdef _WIN32

std::string SjisToUtf8(const std::string& sjis) {
  if (sjis.empty()) return {};
  const int wide_length =
      MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), wide.data(), wide_length);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string Utf8ToSjis(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int wide_length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      wide_length);
  const int length =
      WideCharToMultiByte(932, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string sjis(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(932, 0, wide.data(), wide_length, sjis.data(), length, nullptr, nullptr);
  return sjis;
}

#else

namespace {

// Converts between two encodings; an undecodable byte shows as '?'.
std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 3 + 4, '\0');
  char* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<std::size_t>(-1)) break;
    // An undecodable byte: show it as '?' and go on.
    if (out_left == 0) break;
    *out_ptr++ = '?';
    --out_left;
    ++in_ptr;
    --in_left;
  }
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

std::string SjisToUtf8(const std::string& sjis) {
  return Convert(sjis, "UTF-8", "CP932");
}

std::string Utf8ToSjis(const std::string& utf8) {
  return Convert(utf8, "CP932", "UTF-8");
}

#endif

}  // namespace tkc
