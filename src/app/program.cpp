#include "app/program.h"

#include "form/main_form.h"

namespace tk {

int RunProgram(Platform& platform, const FormCreatedHook& on_form_created) {
  TMainForm form(platform);
  if (on_form_created) on_form_created(form);
  form.FormCreate();
  if (form.close_stage() == CloseStage::kStartFailed) {
    form.Close();
  } else {
    platform.RunMessageLoop();
    form.Close();  // the loop may end without a close request (a quit from outside)
  }
  return 0;
}

}  // namespace tk
