// The program's bitmap resource reaches the engine as a BMP file the
// engine's own reader takes, the same prompt strip on every platform.
#include "contract/harness.h"
#include "imagery/bmp_reader.h"

namespace tk::contract {
namespace {

using ResourceContract = ContractTest;

TEST_F(ResourceContract, ThePromptStripIsFourFramesOnGreen) {
  const auto bytes = platform.ReadResourceBitmap("PROMPT01", 1 << 20);
  ASSERT_TRUE(bytes.has_value());
  const auto strip =
      ParseBmp(ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
  ASSERT_TRUE(strip.has_value());
  ASSERT_EQ(strip->width(), 64);
  ASSERT_EQ(strip->height(), 16);
  constexpr Bgr kGreen{0, 255, 0}, kBlack{}, kWhite{255, 255, 255}, kCyan{255, 255, 0};
  EXPECT_EQ(strip->At(0, 0), kGreen);
  EXPECT_EQ(strip->At(1, 2), kBlack);  // the first arrow's top edge
  EXPECT_EQ(strip->At(3, 3), kWhite);
  EXPECT_EQ(strip->At(5, 4), kCyan);
  EXPECT_EQ(strip->At(17, 2), kGreen);  // the second arrow hangs 2 pixels lower
  EXPECT_EQ(strip->At(17, 4), kBlack);
  EXPECT_EQ(platform.ReadResourceBitmap("NOSUCHBITMAP", 1 << 20), std::nullopt);
  EXPECT_EQ(platform.ReadResourceBitmap("PROMPT01", 10), std::nullopt);
}

}  // namespace
}  // namespace tk::contract
