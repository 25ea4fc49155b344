#include "platform/sim/freetype/sjis_chars.h"

#include <iconv.h>

#include <cstring>

#include "base/text.h"

namespace tk {

namespace {

constexpr char32_t kUndecodable = U'\u30FB';

iconv_t Converter(void* converter) {
  return static_cast<iconv_t>(converter);
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

}  // namespace

SjisDecoder::SjisDecoder() : converter_(iconv_open("UTF-32LE", "CP932")) {}

SjisDecoder::~SjisDecoder() {
  if (ok()) iconv_close(Converter(converter_));
}

bool SjisDecoder::ok() const {
  return Converter(converter_) != kNoConverter;
}

std::u32string SjisDecoder::Decode(std::string_view text) {
  std::u32string chars;
  chars.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const bool pair = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    const std::size_t length = pair ? 2 : 1;
    chars.push_back(DecodeOne(text.substr(i, length)));
    i += length;
  }
  return chars;
}

char32_t SjisDecoder::DecodeOne(std::string_view bytes) {
  if (!ok()) return kUndecodable;
  char in[2] = {};
  std::memcpy(in, bytes.data(), bytes.size());
  unsigned char out[8] = {};
  char* in_at = in;
  char* out_at = reinterpret_cast<char*>(out);
  std::size_t in_left = bytes.size(), out_left = sizeof out;
  iconv(Converter(converter_), nullptr, nullptr, nullptr, nullptr);  // a fresh start each time
  if (iconv(Converter(converter_), &in_at, &in_left, &out_at, &out_left) ==
          static_cast<std::size_t>(-1) ||
      in_left != 0 || out_left != sizeof out - 4) {
    return kUndecodable;
  }
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

}  // namespace tk
