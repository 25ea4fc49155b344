// The clickable map: rectangles over the character's client area, each with
// a cursor name and an action label. Identity is the canonical region line;
// the parsed values are kept beside it so the tests need no second parse.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class TMainForm;

struct MapRegion {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string cursor;
  std::string label;
  std::string line;  // "10,20,60,80,CSHAND,Head"

  // Strictly inside, corners in either order: border lines are outside.
  bool Contains(int x, int y) const;
};

MapRegion MakeRegion(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                     std::string cursor, std::string label);

// Regions in priority order: the first that contains a point wins.
struct ClickableMap : std::vector<MapRegion> {
  using std::vector<MapRegion>::vector;
};

inline constexpr char kMapMarker[] = "*TKClickableMapFile";
inline constexpr char kMapLogLabel[] = "In clickable map file";

// Reads a record's text after its '>'; nothing when one of the four numbers
// is not a decimal integer.
std::optional<MapRegion> ParseMapRecord(TMainForm& form, std::string_view record);

// Start-up's loader; reports its own failures and returns whether it loaded.
bool LoadMapFile(TMainForm& form, const std::string& file_name, bool plain_text);

void MapHoverTest(TMainForm& form, int x, int y);
void MapClickTest(TMainForm& form, int x, int y);

}  // namespace tk
