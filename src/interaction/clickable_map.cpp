#include "interaction/clickable_map.h"

#include <algorithm>

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "form/trace.h"
#include "script/encoded_file.h"
#include "script/error_log.h"
#include "script/flags.h"
#include "script/params.h"
#include "script/runner.h"

namespace tk {

bool MapRegion::Contains(int x, int y) const {
  const auto [left, right] = std::minmax(x1, x2);
  const auto [top, bottom] = std::minmax(y1, y2);
  return left < x && x < right && top < y && y < bottom;
}

MapRegion MakeRegion(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                     std::string cursor, std::string label) {
  MapRegion region{x1, y1, x2, y2, std::move(cursor), std::move(label), {}};
  region.line = std::to_string(x1) + "," + std::to_string(y1) + "," + std::to_string(x2) + "," +
                std::to_string(y2) + "," + region.cursor + "," + region.label;
  return region;
}

std::optional<MapRegion> ParseMapRecord(TMainForm& form, std::string_view record) {
  std::size_t pos = 0;
  std::int32_t corner[4] = {};
  bool valid = true;
  for (std::int32_t& value : corner) {
    std::string text;
    pos = ReadParam(record, pos, kParamCapacity, ParamMode::kPlain, form.flags, text);
    const auto parsed = ParseInt32(text);
    valid = valid && parsed.has_value();
    value = parsed.value_or(0);
  }
  if (!valid) return std::nullopt;
  std::string cursor, label;
  pos = ReadParam(record, pos, kCursorNameCapacity, ParamMode::kPlain, form.flags, cursor);
  ReadParam(record, pos, kParamCapacity, ParamMode::kPlain, form.flags, label);
  return MakeRegion(corner[0], corner[1], corner[2], corner[3], std::move(cursor),
                    std::move(label));
}

bool LoadMapFile(TMainForm& form, const std::string& file_name, bool plain_text) {
  Lines lines;
  const bool read = plain_text ? ReadTextFile(form.platform, file_name, lines)
                               : ReadEncodedFile(form.platform, file_name, lines);
  if (!read) {
    form.ShowError(msg::kMapUnreadable, file_name);
    return false;
  }
  if (std::none_of(lines.begin(), lines.end(),
                   [](const std::string& line) { return EqualsIgnoreCase(line, kMapMarker); })) {
    form.ShowError(msg::kMapUnrecognised, file_name);
    return false;
  }
  form.map.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] != '>') continue;
    if (auto region = ParseMapRecord(form, std::string_view(line).substr(1))) {
      form.map.push_back(std::move(*region));
    } else {
      LogScriptError(form, line, kMapLogLabel, ErrorKind::kParameter, static_cast<long long>(i));
    }
  }
  return true;
}

namespace {

// Where a click hit, for the trace: the point and the region, in the
// window's pixels as the map gives them.
std::string ClickDetail(const MapRegion& region, int x, int y) {
  return "at " + std::to_string(x) + "," + std::to_string(y) + " in area " +
         std::to_string(region.x1) + "," + std::to_string(region.y1) + "," +
         std::to_string(region.x2) + "," + std::to_string(region.y2);
}

}  // namespace

// The override ends as the walk over the list leaves it: the first region
// that contains the point sets its cursor; passing any other lifts it.
void MapHoverTest(TMainForm& form, int x, int y) {
  if (!form.CanStartAction(ActionTrigger::kMapHover) || form.map.empty()) return;
  const auto hit = std::find_if(form.map.begin(), form.map.end(),
                                [&](const MapRegion& r) { return r.Contains(x, y); });
  form.platform.SetCursorOverride(hit == form.map.end() ? kNoCursor
                                                        : form.CursorForName(hit->cursor));
}

// A click that cannot start its region's action is told to the trace with
// the reason; without a trace it is not even looked up.
void MapClickTest(TMainForm& form, int x, int y) {
  const bool may_start = form.CanStartAction(ActionTrigger::kMapClick);
  if (!may_start && !form.trace) return;
  for (const MapRegion& region : form.map) {
    if (region.Contains(x, y)) {
      const std::string label = region.label;  // the action may change the map
      ActionCause cause{ActionCause::Kind::kClick, {}};
      if (form.trace) cause.detail = ClickDetail(region, x, y);
      if (may_start) {
        RunAction(form, label, cause);
      } else {
        form.trace->ActionRefused(label, cause, form.StartRefusal(ActionTrigger::kMapClick));
      }
      return;
    }
  }
}

}  // namespace tk
