#include "script/input_dialog.h"

#include "base/messages.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/flags.h"

namespace tk {

InputDialogLayout TDIForm::FormShow() const {
  const InputDialogState& state = form_.input_dialog;
  InputDialogLayout layout;
  const Rect owner = form_.platform.WindowBounds(form_.window);
  const Rect frame = form_.platform.DialogWindowSize(kClientWidth, kClientHeight);
  // Integer division truncates toward zero, as the placement always has.
  layout.left = owner.left + (owner.Width() - frame.Width()) / 2;
  layout.top = owner.top + (owner.Height() - frame.Height()) / 2;
  layout.client_width = kClientWidth;
  layout.client_height = kClientHeight;
  layout.font_name = msg::kFormFontName;
  layout.font_points = 9;
  layout.caption = state.caption;
  layout.prompt = {{4, 4, 4, 4}, state.prompt};
  layout.edit = {{4, 20, 4 + 249, 20 + 20}, state.initial_text};
  // A negative limit would mean no limit at all to the edit box; it gets the
  // default, like 0.
  layout.max_length =
      state.length_limit <= 0 ? kDefaultLength : static_cast<std::size_t>(state.length_limit);
  layout.cancel = {{100, 44, 100 + 73, 44 + 21}, msg::kCancelButton};
  layout.ok = {{180, 44, 180 + 73, 44 + 21}, msg::kOkButton};
  return layout;
}

bool TDIForm::ShowModal() {
  InputDialogState& state = form_.input_dialog;
  state.open = true;
  const auto typed = form_.platform.ShowInputDialog(form_.window, FormShow());
  state.open = false;
  if (!typed) return false;
  state.result = *typed;
  return true;
}

void RunInputDialogCommand(CommandContext& c) {
  const std::string flag_name = c.Param();
  const auto limit = c.Int();
  if (!limit) return;
  InputDialogState& state = c.form.input_dialog;
  state.length_limit = *limit;
  state.caption = c.Param();
  state.prompt = c.Param();
  state.initial_text = c.Param();
  const std::string on_ok = c.Param();
  const std::string on_cancel = c.Param();
  if (state.open) return;
  if (TDIForm(c.form).ShowModal()) {
    c.form.flags.SetFlagText(flag_name, state.result);
    if (!on_ok.empty()) c.JumpTo(on_ok);
  } else if (!on_cancel.empty()) {
    c.JumpTo(on_cancel);
  }
}

}  // namespace tk
