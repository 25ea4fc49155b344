// The encoded-file reader takes any bytes, and whatever it reads, the writer
// stores so that it reads back the same, less the bytes a line cannot hold.
#include <algorithm>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tk::Lines lines;
  tk::DecodeLines(tk::fuzz::AsText(data, size), lines);
  for (const tk::Lines& written : {lines, tk::SplitTextLines(tk::fuzz::AsText(data, size))}) {
    tk::Lines back;
    if (!tk::DecodeLines(tk::EncodeLines(written), back)) tk::fuzz::Broken("a written file reads");
    tk::Lines storable = written;
    for (std::string& line : storable)
      std::erase_if(line, [](char c) { return !tk::StorableInLine(c); });
    if (back != storable) tk::fuzz::Broken("a written file reads back the same");
  }
  return 0;
}
