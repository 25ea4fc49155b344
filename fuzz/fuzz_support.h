// What the harnesses share: a folder of their own for the files the program
// reads, and a character started on the simulated desktop.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "form/main_form.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"
#include "script/runner.h"

namespace tk::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A crash report names the property that failed; libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* property) {
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// One folder per process, emptied of nothing: each input overwrites the
// files it needs.
class Folder {
 public:
  Folder() {
    path_ = std::filesystem::temp_directory_path() / ("tk_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Path() const { return path_.string(); }
  void Write(const std::string& name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove(path_ / name, ignored);
  }

 private:
  std::filesystem::path path_;
};

inline Folder& TheFolder() {
  static Folder folder;
  return folder;
}

// A character whose runs stop after about `commands` commands or two
// seconds, whichever comes first, so that a script that loops forever still
// ends (a loop of failing file commands spends its time in the file system).
struct Character {
  explicit Character(long long commands = 400'000) : sim(TheFolder().Path(), TheFolder().Path()) {
    sim.on_message_box = [](const SimPlatform::MessageBoxRecord&) {};
    sim.on_input_dialog = [](const InputDialogLayout&) { return std::optional<std::string>(); };
    sim.on_file_dialog = [](const FileDialogRequest&) { return std::optional<std::string>(); };
    sim.on_popup_menu = [](const std::vector<PopupMenuItem>&) { return -1; };
    form = std::make_unique<TMainForm>(sim);
    Allow(commands);
    form->runner.keep_going = [this] {
      return --budget > 0 && std::chrono::steady_clock::now() < deadline;
    };
  }
  // A fresh allowance for what comes next.
  void Allow(long long commands) {
    budget = commands / 4096 + 1;
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  }
  // Start-up as the program entry runs it; false when it failed.
  bool Start() {
    form->FormCreate();
    if (!form->IsClosing()) return true;
    form->Close();
    return false;
  }
  ~Character() {
    if (!form->IsClosed()) form->Close();
  }

  SimPlatform sim;
  std::unique_ptr<TMainForm> form;
  long long budget = 0;
  std::chrono::steady_clock::time_point deadline;
};

inline void WriteScript(std::string_view text) {
  TheFolder().Write("tk.srt", EncodeLines(SplitTextLines(text)));
}

inline void WriteEmptyMap() {
  TheFolder().Write("tk.map", EncodeLines({"*TKClickableMapFile"}));
}

}  // namespace tk::fuzz
