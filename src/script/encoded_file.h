// The encoded form shared by the script, the clickable map and flag files:
// every byte stored plus one, lines ended by the encoded pair 14, 11.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tk {

class Platform;

using Lines = std::vector<std::string>;

// Largest data file the program reads into memory. Scripts, maps and flag
// files are text; anything bigger is refused rather than allocated.
inline constexpr std::size_t kMaxDataFileBytes = 64u << 20;

// Decodes `stored` into `lines` (cleared first). Returns false when a decoded
// CR is followed by anything but a decoded LF; the lines decoded before that
// stay in `lines`. Also false when the lines would add up to more than
// kMaxDataFileBytes, which only a file made to repeat text can reach.
bool DecodeLines(std::string_view stored, Lines& lines);

// Whether a byte can be stored inside a line. 12 would be stored as a plain
// CR, which the reader takes for the end of the data, and 13 as the encoded
// line end, which the reader needs an encoded LF after.
inline bool StorableInLine(char c) {
  return c != '\x0C' && c != '\r';
}

// The whole stored file for `lines`, ending with the plain CR LF that the
// single stored text line is written with. Bytes that cannot be stored are
// left out, so that the file always reads back; `dropped` counts them.
std::string EncodeLines(const Lines& lines, std::size_t* dropped = nullptr);

// Splits plain text at CR LF, LF or CR. A last line without a line end counts.
Lines SplitTextLines(std::string_view text);

// Joins lines as a plain text file with CR LF after each.
std::string JoinTextLines(const Lines& lines);

// File-level forms of the above, through the platform's file services.
bool ReadEncodedFile(Platform& platform, const std::string& name, Lines& lines);
bool WriteEncodedFile(Platform& platform, const std::string& name, const Lines& lines,
                      std::size_t* dropped = nullptr);
bool ReadTextFile(Platform& platform, const std::string& name, Lines& lines);

}  // namespace tk
