#include "frame_stream.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "frame_diff.h"

namespace tkc {

namespace {

std::string CssColour(tk::Bgr c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

}  // namespace

bool FrameStream::Send(const tk::Bitmap& screen, bool whole, EventHub& hub) {
  if (screen.empty()) return false;
  tk::Bitmap bare;
  if (whole) {
    bare.Reset(screen.width(), screen.height());
    bare.Fill(desktop_);
  }
  const std::vector<tk::Rect> changed = ChangedRects(whole ? bare : shown_, screen);
  if (!whole && changed.empty()) return false;
  nlohmann::json tiles = nlohmann::json::array();
  for (const tk::Rect& r : changed) {
    tiles.push_back({{"x", r.left},
                     {"y", r.top},
                     {"w", r.Width()},
                     {"h", r.Height()},
                     {"png", Base64(EncodePngArea(screen, r))}});
  }
  nlohmann::json frame = {
      {"width", screen.width()}, {"height", screen.height()}, {"tiles", std::move(tiles)}};
  if (whole) frame["desktop"] = CssColour(desktop_);
  hub.Publish("frame", frame.dump());
  shown_ = screen;
  return true;
}

}  // namespace tkc
