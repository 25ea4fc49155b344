// Who may drive the preview and what it hands out. The server listens on the
// loopback address only, but any page open in the author's browser can send
// requests there; these checks keep other pages (and names that resolve to
// 127.0.0.1 on someone else's say-so) out.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tkc {

// Whether a request may reach the preview listening on `port`: its Host is
// this server (127.0.0.1:PORT or localhost:PORT), and its Origin, when it
// has one, is this server's page. Browsers send an Origin with every request
// another page makes that could change anything, so one without it comes
// from the preview's own page or from a tool such as curl.
bool IsOwnRequest(std::string_view host, std::optional<std::string_view> origin, int port);

// The file `name` (a relative path with '/' between folders) inside
// `folder`: a regular file that stays inside it when links are followed.
// None for anything else, a name that climbs out with ".." included.
std::optional<std::filesystem::path> FileInFolder(const std::filesystem::path& folder,
                                                  std::string_view name);

// The Content-Type the page needs for a file of the character.
std::string_view ContentTypeOf(const std::filesystem::path& file);

}  // namespace tkc
