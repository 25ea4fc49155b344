// tkc: the author tool. Encodes and decodes the program's encoded files and
// runs a character on the simulated desktop.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "console_text.h"
#include "encode_file.h"
#include "files.h"
#include "interaction/clickable_map.h"
#include "lint.h"
#include "preview/preview.h"
#include "run_character.h"
#include "script/encoded_file.h"
#include "script/flag_file.h"
#include "script/script_loader.h"
#include "sgd_files.h"

namespace {

using tkc::Fail;
using tkc::ReadAll;
using tkc::WriteAll;

int Usage() {
  std::cerr
      << "usage:\n"
         "  tkc encode IN OUT          text script, map or flag file -> encoded form\n"
         "  tkc decode IN OUT          encoded form -> text\n"
         "  tkc sgd encode IN.bmp OUT.sgd  a picture into the compressed SGD format\n"
         "  tkc sgd decode IN.sgd OUT.bmp  and back, as a 24-bit BMP\n"
         "  tkc lint DIR               report the faults of the character in DIR that show\n"
         "                             without running it; exits with 1 when there are any\n"
         "  tkc run DIR --seconds N [--real-seconds S] [--screenshot FILE.png]\n"
         "                             run the character in DIR on a simulated desktop\n"
         "                             for N seconds of virtual time, close it, and save\n"
         "                             the screen as it looked before the close; an action\n"
         "                             still running 60 virtual seconds after its time\n"
         "                             (or S real seconds, default 60, into the run) is\n"
         "                             stopped and named, and tkc exits with 3\n"
         "      [--click X,Y@MS] [--right-click X,Y@MS] [--move X,Y@MS]\n"
         "                             the mouse at screen pixel X,Y after MS virtual ms\n"
         "      [--shot MS=FILE.png]       the screen after MS virtual ms (any number of each)\n"
         "      [--menu CAPTION@MS]        opens the popup menu and chooses the item with\n"
         "                             that caption (\"&Talk\", \"移動(&M)\")\n"
         "      [--drag X,Y>X2,Y2@MS]      a left-button drag between two screen pixels\n"
         "      [--window TITLE@X,Y,W,H[@MS]]  another program's window in front (again:\n"
         "                             moved there) [--close-window TITLE@MS]\n"
         "      [--no-sound]               no wave or MIDI device (default: one of each)\n"
         "      [--cd N]                   a disc of N three-minute tracks in the drive\n"
         "      [--start \"YYYY-MM-DD HH:MM:SS\"]  the virtual clock's start (default: now)\n"
         "      [--seed N]                 the random generator's seed (default: from the clock)\n"
         "      [--fullscreen-window MS-MS]  another program's window covering the primary\n"
         "                             monitor in front between these virtual moments\n"
         "      [--stats]                  print how often each timer woke the character\n"
         "      [--block-font]             text as solid blocks of known size, as in the\n"
         "                             tests (default: a Japanese Gothic through FreeType,\n"
         "                             the file TKC_FONT names or IPA Gothic)\n"
         "      [--trace]                  print what the character does, a line each at\n"
         "                             its virtual time (\"[    12.345] action ...\"):\n"
         "                             actions, refused commands, speech, choices, boxes,\n"
         "                             sounds, the window's moves (see the README)\n"
         "      [--monitor WxH+X+Y[@SCALE%]]  a monitor of the simulated desktop, its\n"
         "                             corner at X,Y (signed: 1280x1024-1280+0 stands left\n"
         "                             of the primary) and its display scale (default\n"
         "                             100%); the first is the primary one, at +0+0;\n"
         "                             screenshots then span every monitor, in picture\n"
         "                             pixels\n"
         "  tkc preview DIR [--port N] [--no-browser]  run the character in DIR live in\n"
         "                             the browser, on http://127.0.0.1:PORT/ (printed, and\n"
         "                             opened in the default browser): pause, step and\n"
         "                             speed up its time, click, drag and right-click it,\n"
         "                             see and edit its flags; a change of its files\n"
         "                             encodes it again and restarts it\n";
  return 2;
}

int Encode(const std::string& in, const std::string& out) {
  std::vector<std::string> warnings;
  const std::string error = tkc::EncodeTextFile(in, out, warnings);
  for (const std::string& warning : warnings) std::cerr << "tkc: warning: " << warning << "\n";
  return error.empty() ? 0 : Fail(error);
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

// Reads a whole number of seconds into `out`; false when it is not one or
// is beyond a day.
bool ReadSeconds(const char* text, long& out) {
  char* end = nullptr;
  out = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && out >= 0 && out <= tkc::kMaxRunSeconds;
}

std::optional<tkc::ScriptedInput::Kind> PointInputKind(const std::string& option) {
  if (option == "--click") return tkc::ScriptedInput::Kind::kLeftClick;
  if (option == "--right-click") return tkc::ScriptedInput::Kind::kRightClick;
  if (option == "--move") return tkc::ScriptedInput::Kind::kMove;
  return std::nullopt;
}

// The setting of a switch without a value; null for any other option.
bool* SwitchSetting(tkc::RunOptions& options, const std::string& option) {
  if (option == "--stats") return &options.stats;
  if (option == "--no-sound") return &options.sound;
  if (option == "--block-font") return &options.block_font;
  if (option == "--trace") return &options.trace;
  return nullptr;
}

// tkc run DIR --seconds N [--real-seconds S] [--screenshot FILE], options in any order.
int Run(int argc, char** argv) {
  tkc::RunOptions options;
  options.folder = argv[2];
  bool have_seconds = false;
  for (int i = 3; i < argc; i += 2) {
    const std::string option = argv[i];
    if (bool* setting = SwitchSetting(options, option)) {
      *setting = option != "--no-sound";
      --i;  // a switch without a value
      continue;
    }
    if (i + 1 == argc) return Usage();
    long value = 0;
    tkc::ScriptedInput input;
    if (option == "--screenshot") {
      options.screenshot = argv[i + 1];
    } else if (const auto kind = PointInputKind(option)) {
      input.kind = *kind;
      if (!tkc::ParsePointAt(argv[i + 1], input)) return Fail("bad " + option + " value (X,Y@MS)");
      options.inputs.push_back(input);
    } else if (option == "--monitor") {
      tk::Monitor monitor;
      if (!tkc::ParseMonitor(argv[i + 1], monitor))
        return Fail("bad --monitor value (WxH+X+Y[@SCALE%])");
      options.monitors.push_back(monitor);
    } else if (option == "--seed") {
      char* end = nullptr;
      const unsigned long long seed = std::strtoull(argv[i + 1], &end, 10);
      if (end == argv[i + 1] || *end != '\0' || argv[i + 1][0] == '-' || seed > 0xFFFFFFFFull)
        return Fail("bad --seed value (a whole number from 0 to 4294967295)");
      options.seed = static_cast<std::uint32_t>(seed);
    } else if (option == "--start") {
      tk::LocalTime start;
      if (!tkc::ParseStart(argv[i + 1], start))
        return Fail("bad --start value (\"YYYY-MM-DD HH:MM:SS\", a real date)");
      options.start = start;
    } else if (option == "--fullscreen-window") {
      tkc::FullScreenSpan span;
      if (!tkc::ParseSpan(argv[i + 1], span)) return Fail("bad --fullscreen-window value (MS-MS)");
      options.full_screen_windows.push_back(span);
    } else if (option == "--menu") {
      input.kind = tkc::ScriptedInput::Kind::kMenu;
      if (!tkc::ParseMenuChoice(argv[i + 1], input)) return Fail("bad --menu value (CAPTION@MS)");
      options.inputs.push_back(input);
    } else if (option == "--drag") {
      input.kind = tkc::ScriptedInput::Kind::kDrag;
      if (!tkc::ParseDrag(argv[i + 1], input)) return Fail("bad --drag value (X,Y>X2,Y2@MS)");
      options.inputs.push_back(input);
    } else if (option == "--window" || option == "--close-window") {
      const bool open = option == "--window";
      input.kind =
          open ? tkc::ScriptedInput::Kind::kWindow : tkc::ScriptedInput::Kind::kCloseWindow;
      const bool parsed =
          open ? tkc::ParseWindow(argv[i + 1], input) : tkc::ParseMenuChoice(argv[i + 1], input);
      if (!parsed)
        return Fail(open ? "bad --window value (TITLE@X,Y,W,H or TITLE@X,Y,W,H@MS)"
                         : "bad --close-window value (TITLE@MS)");
      options.inputs.push_back(input);
    } else if (option == "--cd") {
      char* end = nullptr;
      const long tracks = std::strtol(argv[i + 1], &end, 10);
      if (end == argv[i + 1] || *end != '\0' || tracks < 1 || tracks > 99)
        return Fail("bad --cd value (1 to 99 tracks)");
      options.cd_tracks = static_cast<int>(tracks);
    } else if (option == "--shot") {
      input.kind = tkc::ScriptedInput::Kind::kShot;
      if (!tkc::ParseShot(argv[i + 1], input)) return Fail("bad --shot value (MS=FILE.png)");
      options.inputs.push_back(input);
    } else if (option == "--seconds" || option == "--real-seconds") {
      if (!ReadSeconds(argv[i + 1], value)) return Fail("bad " + option + " value");
      if (option == "--seconds") {
        options.seconds = static_cast<std::uint64_t>(value);
        have_seconds = true;
      } else {
        options.real_limit = std::chrono::seconds(value);
      }
    } else {
      return Usage();
    }
  }
  return have_seconds ? tkc::RunCharacter(options) : Usage();
}

int Sgd(const std::string& direction, const std::string& in, const std::string& out) {
  if (direction == "encode") return tkc::EncodeSgdFile(in, out);
  if (direction == "decode") return tkc::DecodeSgdFile(in, out);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "encode" && argc == 4) return Encode(argv[2], argv[3]);
  if (command == "decode" && argc == 4) return Decode(argv[2], argv[3]);
  if (command == "run" && argc >= 3) return Run(argc, argv);
  if (command == "lint" && argc == 3) return tkc::RunLint(argv[2]);
  if (command == "preview" && argc >= 3) return tkc::Preview(argc, argv);
  if (command == "sgd" && argc == 5) return Sgd(argv[2], argv[3], argv[4]);
  return Usage();
}
