#include "interaction/interaction_commands.h"

#include "app/main_form.h"
#include "interaction/clickable_map.h"
#include "interaction/script_menu_items.h"
#include "script/command_context.h"
#include "script/text.h"

namespace tk {

namespace {

enum Code { kCms = 30, kCmd = 31, kCma = 32, kPms = 35, kPmd = 36, kPma = 37 };

// CMS and CMD: four integers, a cursor name and a label, all read with the
// same limit; a bad number stops the command.
std::optional<MapRegion> ReadRegion(CommandContext& c) {
  std::int32_t corner[4] = {};
  for (std::int32_t& value : corner) {
    const auto parsed = c.Int();
    if (!parsed) return std::nullopt;
    value = *parsed;
  }
  std::string cursor = c.Param();
  std::string label = c.Param();
  return MakeRegion(corner[0], corner[1], corner[2], corner[3], std::move(cursor),
                    std::move(label));
}

}  // namespace

void RunMapCommand(CommandContext& c) {
  ClickableMap& map = c.form.map;
  if (c.code == kCma) {
    map.clear();
    return;
  }
  auto region = ReadRegion(c);
  if (!region) return;
  if (c.code == kCms) {
    map.insert(map.begin(), std::move(*region));
  } else if (c.code == kCmd) {
    const auto it = std::find_if(map.begin(), map.end(), [&](const MapRegion& r) {
      return EqualsIgnoreCase(r.line, region->line);
    });
    if (it != map.end()) map.erase(it);
  }
}

void RunMenuItemCommand(CommandContext& c) {
  if (c.code == kPma) {
    DeleteScriptMenuItems(c.form, "", "");
    return;
  }
  const std::string caption = c.Param();
  const std::string label = c.Param();
  if (c.code == kPms) {
    AddScriptMenuItem(c.form, caption, label);
  } else if (c.code == kPmd) {
    DeleteScriptMenuItems(c.form, caption, label);
  }
}

void LoadClickableMap(TMainForm& form, const std::string& file_name) {
  LoadMapFile(form, file_name, file_name == "tk_map.txt");
}

}  // namespace tk
