#include "script/script_loader.h"

#include "base/messages.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "script/flag_commands.h"
#include "script/runner.h"
#include "script/script_lines.h"

namespace tk {

bool LoadScript(TMainForm& form, const std::string& file_name) {
  Lines lines;
  const bool read = form.shell.debug_script ? ReadTextFile(form.platform, file_name, lines)
                                            : ReadEncodedFile(form.platform, file_name, lines);
  if (!read) {
    form.ShowError(msg::kScriptUnreadable, file_name);
    return false;
  }
  form.script.Assign(std::move(lines));
  if (!form.script.Find(kScriptMarker)) {
    form.ShowError(msg::kScriptUnrecognised, file_name);
    return false;
  }
  form.platform.SetWindowRegion(form.window, {});
  ShowCharacter(form, true);
  DeclareInitFlags(form);
  if (form.script.FindLabel("_FirstAction"))
    RunAction(form, "_FirstAction", {ActionCause::Kind::kStartUp, {}});
  return true;
}

}  // namespace tk
