#include "interaction/script_menu_items.h"

#include <algorithm>

#include "form/main_form.h"
#include "form/popup_menu.h"
#include "script/runner.h"

namespace tk {

void AddScriptMenuItem(TMainForm& form, const std::string& caption, const std::string& label) {
  if (caption.empty() && label.empty()) return;
  TPopupMenu1& menu = form.PopupMenu1;
  menu.script_items.push_back({caption, label, menu.next_item_number++, true});
}

void DeleteScriptMenuItems(TMainForm& form, const std::string& caption, const std::string& label) {
  TPopupMenu1& menu = form.PopupMenu1;
  if (caption.empty()) {
    menu.script_items.clear();
  } else {
    std::erase_if(menu.script_items, [&](const ScriptMenuItem& item) {
      return item.caption == caption && item.label == label;
    });
  }
  // Numbers are reused only once no item can still carry one.
  if (menu.script_items.empty()) menu.next_item_number = 0;
}

bool ChooseScriptMenuItem(TMainForm& form, int number) {
  const auto& items = form.PopupMenu1.script_items;
  const auto it = std::find_if(items.begin(), items.end(),
                               [&](const ScriptMenuItem& item) { return item.number == number; });
  if (it == items.end()) return false;
  const std::string label = it->label;  // the action may delete the item
  RunAction(form, label, {ActionCause::Kind::kMenu, it->caption});
  return true;
}

}  // namespace tk
