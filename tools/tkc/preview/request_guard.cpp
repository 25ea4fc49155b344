#include "request_guard.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/text.h"

namespace tkc {

namespace fs = std::filesystem;

namespace {

bool IsOwnHost(std::string_view host, int port) {
  const std::string suffix = ":" + std::to_string(port);
  if (!host.ends_with(suffix)) return false;
  const std::string_view name = host.substr(0, host.size() - suffix.size());
  return name == "127.0.0.1" || tk::EqualsIgnoreCase(name, "localhost");
}

}  // namespace

bool IsOwnRequest(std::string_view host, std::optional<std::string_view> origin, int port) {
  if (!IsOwnHost(host, port)) return false;
  if (!origin) return true;
  constexpr std::string_view kScheme = "http://";
  return origin->starts_with(kScheme) && IsOwnHost(origin->substr(kScheme.size()), port);
}

std::optional<fs::path> FileInFolder(const fs::path& folder, std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\0') != std::string_view::npos ||
      name.find('\\') != std::string_view::npos) {
    return std::nullopt;
  }
  std::error_code error;
  const fs::path root = fs::canonical(folder, error);
  if (error) return std::nullopt;
  const fs::path file = fs::canonical(root / fs::path(std::string(name)), error);
  if (error || !fs::is_regular_file(file, error)) return std::nullopt;
  // Inside the folder: every part of the folder's path starts the file's.
  const auto [root_end, file_at] =
      std::mismatch(root.begin(), root.end(), file.begin(), file.end());
  if (root_end != root.end()) return std::nullopt;
  return file;
}

std::string_view ContentTypeOf(const fs::path& file) {
  struct Type {
    std::string_view extension, type;
  };
  static constexpr std::array<Type, 7> kTypes{{{".bmp", "image/bmp"},
                                               {".wav", "audio/wav"},
                                               {".mid", "audio/midi"},
                                               {".png", "image/png"},
                                               {".ico", "image/x-icon"},
                                               {".txt", "text/plain; charset=shift_jis"},
                                               {".ini", "text/plain; charset=shift_jis"}}};
  const std::string extension = file.extension().string();
  for (const Type& t : kTypes) {
    if (tk::EqualsIgnoreCase(extension, t.extension)) return t.type;
  }
  return "application/octet-stream";
}

}  // namespace tkc
