#include "app/system_commands.h"

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "form/popup_menu.h"
#include "script/command_context.h"
#include "sound/sound_commands.h"

namespace tk {

namespace {

void SetTitle(CommandContext& c) {
  TMainForm& form = c.form;
  form.shell.title = c.Param(ParamMode::kPlain, kTitleCapacity);
  if (form.shell.tray_added) {
    form.platform.Tray().ModifyTrayIcon(form.window, form.shell.title, form.shell.tray_icon);
  }
}

// The number is used up whether or not the file loads, so later cursors
// keep the numbers a script author counted on.
void LoadNamedCursor(CommandContext& c) {
  TMainForm& form = c.form;
  const std::string file = c.Param();
  const std::string name = BoundedText::Cut(c.Param(), kCursorNameCapacity);
  const int number = form.shell.next_cursor_number--;
  CursorId cursor = form.platform.LoadCursorFile(file);
  if (cursor == kNoCursor) {
    form.ShowError(msg::kCursorFileUnopenable, file);
    cursor = form.platform.LoadStandardCursor(StandardCursor::kArrow);
    form.cursors[number] = cursor;
    form.named_cursors.push_back({name, number});
    c.Report(ErrorKind::kFileOpen, file);
    return;
  }
  form.cursors[number] = cursor;
  form.named_cursors.push_back({name, number});
}

void SetAbout(CommandContext& c) {
  ShellState& shell = c.form.shell;
  shell.about_caption = c.Param();
  c.form.PopupMenu1.PmShowAbout.caption = shell.about_caption + "(&A)";
  shell.about_text = c.Param();
  const std::string colour = c.Param();
  const std::string image = c.Param();
  if (colour.empty()) {
    shell.about_text_color = 0;
  } else if (const auto value = ParseInt32(colour)) {
    shell.about_text_color = static_cast<std::uint32_t>(*value);
  } else {
    c.Report(ErrorKind::kParameter);
    return;
  }
  shell.about_image = image.empty() ? "0" : image;
}

// A file that does not load leaves the icon shown as it was.
void SetTrayIcon(CommandContext& c) {
  TMainForm& form = c.form;
  ShellState& shell = form.shell;
  shell.icon_file = c.Param();
  if (shell.icon_file.empty()) return;
  const IconId icon = form.platform.Tray().LoadIconFile(shell.icon_file);
  if (icon == 0) {
    form.ShowError(msg::kIconFileUnopenable, shell.icon_file);
    return;
  }
  const IconId previous = shell.tray_icon;
  shell.tray_icon = icon;
  if (shell.tray_added) form.platform.Tray().ModifyTrayIcon(form.window, shell.title, icon);
  if (previous != 0) form.platform.Tray().DestroyIcon(previous);
}

void ToggleSoundItems(TMainForm& form) {
  TPopupMenu1& menu = form.PopupMenu1;
  const bool show = !menu.PmSound.visible;
  menu.PmSound.visible = show;
  menu.PmLine02.visible = show;
  // Without a sound device the items come and go but sound stays off.
  if (!show) StopAllSound(form);
  form.shell.sound_available = show && form.shell.sound_device_present;
}

}  // namespace

void RunNs(CommandContext& c) {
  SetTitle(c);
}

void RunMcs(CommandContext& c) {
  LoadNamedCursor(c);
}

void RunAfs(CommandContext& c) {
  SetAbout(c);
}

void RunIs(CommandContext& c) {
  SetTrayIcon(c);
}

void RunNus(CommandContext& c) {
  ToggleSoundItems(c.form);
}

}  // namespace tk
