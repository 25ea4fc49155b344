// tkc: the author tool. Encodes and decodes the program's encoded files and
// runs a character on the simulated desktop.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "app/program.h"
#include "console_text.h"
#include "imagery/png_writer.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"

namespace {

int Usage() {
  std::cerr << "usage:\n"
               "  tkc encode IN OUT          text script, map or flag file -> encoded form\n"
               "  tkc decode IN OUT          encoded form -> text\n"
               "  tkc run DIR --seconds N [--screenshot FILE.png]\n"
               "                             run the character in DIR on a simulated desktop,\n"
               "                             then save the screen as it looks at the end\n";
  return 2;
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > tk::kMaxDataFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) return std::nullopt;
  return bytes;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

int Fail(const std::string& message) {
  std::cerr << "tkc: " << message << "\n";
  return 1;
}

int Encode(const std::string& in, const std::string& out) {
  const auto text = ReadAll(in);
  if (!text) return Fail("cannot read " + in);
  if (!WriteAll(out, tk::EncodeLines(tk::SplitTextLines(*text)))) {
    return Fail("cannot write " + out);
  }
  return 0;
}

int Decode(const std::string& in, const std::string& out) {
  const auto stored = ReadAll(in);
  if (!stored) return Fail("cannot read " + in);
  tk::Lines lines;
  if (!tk::DecodeLines(*stored, lines)) {
    return Fail(in + " is not an encoded file (line " + std::to_string(lines.size() + 1) +
                " has a broken line end)");
  }
  if (!WriteAll(out, tk::JoinTextLines(lines))) return Fail("cannot write " + out);
  return 0;
}

// Virtual time starts at the author's wall-clock time so that timed events
// behave as they would today.
tk::LocalTime HostLocalTime() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
          local->tm_min,         local->tm_sec,     local->tm_wday};
}

// A plain desktop colour that no character picture is likely to use.
constexpr tk::Bgr kDesktop{0x80, 0x60, 0x30};

int Run(const std::string& folder, long seconds, const std::string& screenshot) {
  std::error_code error;
  const std::string dir = std::filesystem::absolute(folder, error).string();
  if (error || !std::filesystem::is_directory(dir)) return Fail(folder + " is not a folder");
  tk::SimPlatform platform(dir, dir);
  platform.start_time = HostLocalTime();
  platform.on_message_box = [&](const tk::SimPlatform::MessageBoxRecord& box) {
    std::cout << "[" << platform.NowMs() << " ms] " << tkc::SjisToUtf8(box.caption) << ": "
              << tkc::SjisToUtf8(box.text) << std::endl;
  };
  platform.message_loop_ms = static_cast<std::uint64_t>(seconds) * 1000;
  bool saved = screenshot.empty();
  platform.on_loop_end = [&] {
    if (!saved) saved = WriteAll(screenshot, tk::EncodePng(platform.RenderScreen(kDesktop)));
  };
  const int code = tk::RunProgram(platform);
  if (!saved) return Fail("cannot write " + screenshot + " (or the program ended at start-up)");
  for (const std::string& what : platform.exception_boxes)
    std::cout << "exception: " << what << "\n";
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "encode" && argc == 4) return Encode(argv[2], argv[3]);
  if (command == "decode" && argc == 4) return Decode(argv[2], argv[3]);
  if (command == "run" && (argc == 5 || (argc == 7 && std::string(argv[5]) == "--screenshot")) &&
      std::string(argv[3]) == "--seconds") {
    char* end = nullptr;
    const long seconds = std::strtol(argv[4], &end, 10);
    if (*end != '\0' || seconds < 0 || seconds > 86400) return Fail("bad --seconds value");
    return Run(argv[2], seconds, argc == 7 ? argv[6] : "");
  }
  return Usage();
}
