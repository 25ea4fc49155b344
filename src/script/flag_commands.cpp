#include "script/flag_commands.h"

#include "script/command_context.h"
#include "script/flag_file.h"
#include "script/input_dialog.h"

namespace tk {

namespace {

enum Code { kDIDP = 156, kFFLD = 157, kFFSV = 158, kFFDP = 159 };

}  // namespace

void RunFlagFileCommand(CommandContext& c) {
  switch (c.code) {
    case kDIDP:
      RunInputDialogCommand(c);
      break;
    case kFFLD:
      RunFlagFileLoad(c);
      break;
    case kFFSV:
      RunFlagFileSave(c);
      break;
    case kFFDP:
      RunFlagFileDialog(c);
      break;
    default:
      break;
  }
}

}  // namespace tk
