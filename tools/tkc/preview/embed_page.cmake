# Writes OUT, a C++ source holding the page's files (FILES, a ;-list of
# absolute paths) as byte arrays, with PageFiles() listing them. Run by the
# build whenever a page file changes, so the page needs no step of its own.
set(entries "")
set(arrays "")
set(index 0)
foreach(file IN LISTS FILES)
  get_filename_component(name ${file} NAME)
  get_filename_component(extension ${file} LAST_EXT)
  if(extension STREQUAL ".html")
    set(type "text/html; charset=utf-8")
  elseif(extension STREQUAL ".js")
    set(type "text/javascript; charset=utf-8")
  elseif(extension STREQUAL ".css")
    set(type "text/css; charset=utf-8")
  else()
    message(FATAL_ERROR "embed_page: no type known for ${name}")
  endif()
  set(path "/${name}")
  if(name STREQUAL "index.html")
    set(path "/")
  endif()
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char kFile${index}[] = {${bytes}0x00};\n")
  string(APPEND entries
    "    {\"${path}\", \"${type}\", {reinterpret_cast<const char*>(kFile${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT}.new "// Made by embed_page.cmake from tools/tkc/preview/page; do not edit.
#include \"page_files.h\"

namespace tkc {

namespace {

${arrays}
const PageFile kFiles[] = {
${entries}};

}  // namespace

std::span<const PageFile> PageFiles() {
  return kFiles;
}

}  // namespace tkc
")
# Left alone when unchanged, so tkc is not linked again for nothing.
configure_file(${OUT}.new ${OUT} COPYONLY)
