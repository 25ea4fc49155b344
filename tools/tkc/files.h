// Whole files in and out, for the author tool's commands.
#pragma once

#include <optional>
#include <string>

namespace tkc {

// The file's bytes; none when it is not a regular file, cannot be read or is
// larger than the program would read.
std::optional<std::string> ReadAll(const std::string& path);
bool WriteAll(const std::string& path, const std::string& bytes);

}  // namespace tkc
