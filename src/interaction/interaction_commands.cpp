#include "interaction/interaction_commands.h"

#include "base/text.h"
#include "form/main_form.h"
#include "interaction/clickable_map.h"
#include "interaction/script_menu_items.h"
#include "script/command_context.h"

namespace tk {

namespace {

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

void RunCms(CommandContext& c) {
  if (auto region = ReadRegion(c)) c.form.map.insert(c.form.map.begin(), std::move(*region));
}

void RunCmd(CommandContext& c) {
  const auto region = ReadRegion(c);
  if (!region) return;
  ClickableMap& map = c.form.map;
  const auto it = std::find_if(map.begin(), map.end(), [&](const MapRegion& r) {
    return EqualsIgnoreCase(r.line, region->line);
  });
  if (it != map.end()) map.erase(it);
}

void RunCma(CommandContext& c) {
  c.form.map.clear();
}

void RunPms(CommandContext& c) {
  const std::string caption = c.Param();
  AddScriptMenuItem(c.form, caption, c.Param());
}

void RunPmd(CommandContext& c) {
  const std::string caption = c.Param();
  DeleteScriptMenuItems(c.form, caption, c.Param());
}

void RunPma(CommandContext& c) {
  DeleteScriptMenuItems(c.form, "", "");
}

void LoadClickableMap(TMainForm& form, const std::string& file_name) {
  LoadMapFile(form, file_name, file_name == "tk_map.txt");
}

}  // namespace tk
