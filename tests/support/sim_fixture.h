// A character folder on the simulated desktop: the test writes the files,
// starts the main window and reads back what the program left behind.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "form/main_form.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"

namespace tk::testing {

class SimFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps test runs of several checkouts apart.
    dir_ = std::filesystem::temp_directory_path() / ("tk_" + std::to_string(::getpid()) + "_" +
                                                     info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    sim = std::make_unique<SimPlatform>(dir_.string(), dir_.string());
    // Every character folder has a map, if an empty one: without it start-up
    // reports the missing file.
    WriteFile("tk.map", EncodeLines({"*TKClickableMapFile"}));
  }
  void TearDown() override {
    form.reset();
    std::filesystem::remove_all(dir_);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }

  // `text` uses '\n' line ends; it is stored encoded as "tk.srt".
  void WriteScript(const std::string& text) const {
    WriteFile("tk.srt", EncodeLines(SplitTextLines(text)));
  }
  void WriteTextScript(const std::string& text) const { WriteFile("tk_srt.txt", text); }

  // Start-up as the program entry runs it.
  void Start() {
    form = std::make_unique<TMainForm>(*sim);
    form->FormCreate();
    if (form->IsClosing()) form->Close();
  }
  void Exit() { form->Close(); }

  std::vector<std::string> LogLines() const { return SplitTextLines(ReadFile("tk_error.txt")); }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : sim->message_boxes) texts.push_back(box.text);
    return texts;
  }
  const SimPlatform::Window& MainWindow() const {
    return *sim->FirstWindowOfKind(WindowKind::kMain);
  }
  // The popup menu, whenever it opens, picks the item with this caption.
  void ChooseFromMenu(const std::string& caption) {
    sim->on_popup_menu = [caption](const std::vector<PopupMenuItem>& items) {
      for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].caption == caption) return static_cast<int>(i);
      return -1;
    };
  }
  // Right-clicks the character and chooses the item with this caption.
  void Choose(const std::string& caption) {
    ChooseFromMenu(caption);
    sim->Click(form->window, MouseButton::kRight, 5, 5);
    sim->on_popup_menu = nullptr;
  }

  std::unique_ptr<SimPlatform> sim;
  std::unique_ptr<TMainForm> form;

 private:
  std::filesystem::path dir_;
};

}  // namespace tk::testing
