// The workbench page's own files, built into tkc from tools/tkc/preview/page.
#pragma once

#include <span>
#include <string_view>

namespace tkc {

struct PageFile {
  std::string_view path;  // as requested: "/", "/app.js"
  std::string_view type;  // its Content-Type
  std::string_view bytes;
};

std::span<const PageFile> PageFiles();

}  // namespace tkc
