#include "frame_diff.h"

#include <algorithm>
#include <cstring>

#include "imagery/png_writer.h"

namespace tkc {

namespace {

bool CellDiffers(const tk::Bitmap& a, const tk::Bitmap& b, const tk::Rect& cell) {
  const std::size_t bytes = static_cast<std::size_t>(cell.Width()) * 3;
  for (int y = cell.top; y < cell.bottom; ++y) {
    if (std::memcmp(a.Row(y) + cell.left * 3, b.Row(y) + cell.left * 3, bytes) != 0) return true;
  }
  return false;
}

// The changed cells of one row of cells, neighbours joined.
std::vector<tk::Rect> ChangedRuns(const tk::Bitmap& before, const tk::Bitmap& now, int top,
                                  int cell) {
  std::vector<tk::Rect> runs;
  const int bottom = std::min(top + cell, now.height());
  for (int left = 0; left < now.width(); left += cell) {
    const tk::Rect r{left, top, std::min(left + cell, now.width()), bottom};
    if (!CellDiffers(before, now, r)) continue;
    if (!runs.empty() && runs.back().right == r.left) {
      runs.back().right = r.right;
    } else {
      runs.push_back(r);
    }
  }
  return runs;
}

}  // namespace

std::vector<tk::Rect> ChangedRects(const tk::Bitmap& before, const tk::Bitmap& now, int cell) {
  if (now.empty()) return {};
  if (before.width() != now.width() || before.height() != now.height()) return {now.Bounds()};
  cell = std::max(cell, 1);
  std::vector<tk::Rect> done;
  std::vector<tk::Rect> open;  // the rectangles that reach the row above
  for (int top = 0; top < now.height(); top += cell) {
    std::vector<tk::Rect> next;
    for (tk::Rect run : ChangedRuns(before, now, top, cell)) {
      const auto above = std::find_if(open.begin(), open.end(), [&](const tk::Rect& r) {
        return r.left == run.left && r.right == run.right;
      });
      if (above != open.end()) {
        run.top = above->top;
        open.erase(above);
      }
      next.push_back(run);
    }
    done.insert(done.end(), open.begin(), open.end());
    open = std::move(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

std::string EncodePngArea(const tk::Bitmap& bitmap, const tk::Rect& area) {
  const tk::Rect r = tk::Intersect(area, bitmap.Bounds());
  if (tk::IsEmpty(r)) return {};
  tk::Bitmap part(r.Width(), r.Height());
  tk::CopyPixels(bitmap, r.left, r.top, part, 0, 0, r.Width(), r.Height());
  return tk::EncodePng(part);
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], kDigits[(v >> 6) & 63], kDigits[v & 63]};
  }
  if (const std::size_t left = bytes.size() - i; left > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (left == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out +=
        {kDigits[v >> 18], kDigits[(v >> 12) & 63], left == 2 ? kDigits[(v >> 6) & 63] : '=', '='};
  }
  return out;
}

}  // namespace tkc
