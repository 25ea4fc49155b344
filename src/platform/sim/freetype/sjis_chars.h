// Shift-JIS text as the characters a font draws, one code point each.
#pragma once

#include <string>
#include <string_view>

namespace tk {

class SjisDecoder {
 public:
  SjisDecoder();
  ~SjisDecoder();
  SjisDecoder(const SjisDecoder&) = delete;
  SjisDecoder& operator=(const SjisDecoder&) = delete;
  // False when the system cannot convert Windows' Shift-JIS (code page 932).
  bool ok() const;

  // A lead byte and the byte after it are one character, and so is a lone
  // lead byte at the end, as the program counts them everywhere. What does
  // not decode shows as the katakana middle dot, as Windows shows it.
  std::u32string Decode(std::string_view text);

 private:
  char32_t DecodeOne(std::string_view bytes);
  void* converter_;  // an iconv_t
};

}  // namespace tk
