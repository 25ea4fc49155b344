#include "frame_diff.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "event_hub.h"
#include "frame_stream.h"

namespace tkc {
namespace {

tk::Bitmap Screen(int width, int height, std::initializer_list<tk::Point> marked) {
  tk::Bitmap b(width, height);
  for (const tk::Point p : marked) b.Set(p.x, p.y, {1, 2, 3});
  return b;
}

// Cells of 4 pixels on a 16 x 12 screen.
TEST(ChangedRects, JoinChangedCellsAlongRowsAndDown) {
  struct Case {
    const char* what;
    std::initializer_list<tk::Point> marked;
    std::vector<tk::Rect> expected;
  };
  const Case cases[] = {
      {"nothing", {}, {}},
      {"one pixel", {{5, 5}}, {{4, 4, 8, 8}}},
      {"two cells side by side", {{3, 0}, {4, 0}}, {{0, 0, 8, 4}}},
      {"apart in a row", {{0, 0}, {12, 0}}, {{0, 0, 4, 4}, {12, 0, 16, 4}}},
      {"a column", {{9, 1}, {9, 6}, {9, 11}}, {{8, 0, 12, 12}}},
      {"spans differ", {{0, 0}, {4, 0}, {0, 4}}, {{0, 0, 8, 4}, {0, 4, 4, 8}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChangedRects(Screen(16, 12, {}), Screen(16, 12, c.marked), 4), c.expected) << c.what;
  }
}

TEST(ChangedRects, CellsAtTheEdgesAreCutToTheScreen) {
  EXPECT_EQ(ChangedRects(Screen(10, 6, {}), Screen(10, 6, {{9, 5}}), 4),
            (std::vector<tk::Rect>{{8, 4, 10, 6}}));
  EXPECT_EQ(ChangedRects(Screen(10, 6, {}), Screen(12, 6, {}), 4),
            (std::vector<tk::Rect>{{0, 0, 12, 6}}));
}

TEST(Base64, MatchesTheStandardVectors) {
  const std::pair<const char*, const char*> cases[] = {{"", ""},
                                                       {"f", "Zg=="},
                                                       {"fo", "Zm8="},
                                                       {"foo", "Zm9v"},
                                                       {"foob", "Zm9vYg=="},
                                                       {"fooba", "Zm9vYmE="},
                                                       {"foobar", "Zm9vYmFy"},
                                                       {"\xFF\xFE", "//4="}};
  for (const auto& [plain, encoded] : cases) EXPECT_EQ(Base64(plain), encoded) << plain;
}

int PngSide(const std::string& png, int at) {  // IHDR width (16) or height (20)
  return static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]);
}

TEST(EncodePngArea, HoldsOnlyThePartAskedForClippedToThePicture) {
  const tk::Bitmap b = Screen(20, 10, {});
  const std::string png = EncodePngArea(b, {15, 2, 30, 5});
  EXPECT_EQ(PngSide(png, 16), 5);
  EXPECT_EQ(PngSide(png, 20), 3);
  EXPECT_TRUE(EncodePngArea(b, {30, 0, 40, 5}).empty());
}

// The frames a page sees: the first whole, with what differs from a bare
// desktop; then only what changed; nothing while nothing does.
TEST(FrameStream, SendsWholeFramesThenChangesOnly) {
  EventHub hub;
  EventHub::Cursor cursor;
  hub.Connect(cursor);
  FrameStream frames({0x80, 0x60, 0x30});
  tk::Bitmap screen(64, 64);
  screen.Fill({0x80, 0x60, 0x30});
  screen.Set(40, 40, {0, 0, 0});
  ASSERT_TRUE(frames.Send(screen, true, hub));
  EXPECT_FALSE(frames.Send(screen, false, hub));
  screen.Set(1, 1, {0, 0, 0});
  ASSERT_TRUE(frames.Send(screen, false, hub));

  const auto events = hub.Wait(cursor, std::chrono::milliseconds(0));
  ASSERT_EQ(events.size(), 2u);
  const auto whole = nlohmann::json::parse(events[0].data);
  EXPECT_EQ(whole["desktop"], "#306080");
  ASSERT_EQ(whole["tiles"].size(), 1u);
  EXPECT_EQ(whole["tiles"][0]["x"], 32);
  const auto change = nlohmann::json::parse(events[1].data);
  EXPECT_FALSE(change.contains("desktop"));
  ASSERT_EQ(change["tiles"].size(), 1u);
  EXPECT_EQ(change["tiles"][0]["x"], 0);
  EXPECT_EQ(change["tiles"][0]["w"], kFrameCell);
}

}  // namespace
}  // namespace tkc
