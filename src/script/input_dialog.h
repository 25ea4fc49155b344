// The text-input dialog of DIDP: its state in the main window and TDIForm,
// which lays the dialog out and hands it to the platform to show.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace tk {

class TMainForm;
struct CommandContext;

// Kept by the main window; each DIDP overwrites it.
struct InputDialogState {
  int length_limit = 0;  // characters; 0 means 127
  std::string caption;
  std::string prompt;
  std::string initial_text;
  std::string result;  // set when the user presses OK
  bool open = false;
};

class TDIForm {
 public:
  static constexpr int kClientWidth = 258;
  static constexpr int kClientHeight = 67;
  static constexpr std::size_t kDefaultLength = 127;

  explicit TDIForm(TMainForm& form) : form_(form) {}

  // Centred over the main window, texts from the input dialog state.
  InputDialogLayout FormShow() const;
  // Shows the dialog modally; true when the user pressed OK (the result text
  // is then in the state).
  bool ShowModal();

 private:
  TMainForm& form_;
};

void RunInputDialogCommand(CommandContext& context);

}  // namespace tk
