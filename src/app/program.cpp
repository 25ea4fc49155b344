#include "app/program.h"

#include "app/main_form.h"

namespace tk {

int RunProgram(Platform& platform) {
  TMainForm form(platform);
  form.FormCreate();
  if (form.shell.closing) {
    form.Close();
  } else {
    platform.RunMessageLoop();
    form.Close();  // the loop may end without a close request (a quit from outside)
  }
  return 0;
}

}  // namespace tk
