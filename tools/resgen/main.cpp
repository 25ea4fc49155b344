// tkresgen OUTDIR: paints the program's icon, cursors and prompt strip and
// writes them as the resource files the Windows build compiles in.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "art.h"
#include "formats.h"

namespace {

using tk::resgen::Bytes;

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteResources(const std::filesystem::path& folder) {
  using namespace tk::resgen;
  std::filesystem::create_directories(folder);
  WriteBytes(folder / "tenkoro.ico", EncodeIconFile({PaintFaceIcon(32), PaintFaceIcon(16)}));
  WriteBytes(folder / "cshand1.cur", EncodeCursorFile(PaintOpenHand(), kHandHotX, kHandHotY));
  WriteBytes(folder / "cshand2.cur", EncodeCursorFile(PaintClosedHand(), kHandHotX, kHandHotY));
  WriteBytes(folder / "prompt01.bmp", EncodeBitmapFile(PaintPromptStrip(), StandardPalette()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tkresgen OUTDIR\n");
    return 2;
  }
  try {
    WriteResources(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tkresgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
