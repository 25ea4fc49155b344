// Media devices as the sound player relies on them: every play reports its
// end once, through its callback from the message loop, whether it ran to
// its end or was cut short.
#include "contract/harness.h"
#include "support/sound_files.h"

namespace tk::contract {
namespace {

class MediaContract : public ContractTest {
 protected:
  MediaDevices& media() { return platform.Media(); }
  MediaDeviceId OpenWave(std::uint32_t ms) {
    EXPECT_TRUE(platform.WriteFileReplacing("tone.wav", testing::WaveFile(ms)));
    const MediaOpened opened = media().Open(MediaKind::kWave, "tone.wav");
    EXPECT_EQ(opened.error, 0u);
    EXPECT_NE(opened.device, 0u);
    return opened.device;
  }
  MediaError Play(MediaDeviceId device) {
    return media().Play(device, {}, [this](MediaDeviceId id) { noticed.push_back(id); });
  }
  bool NoticesReach(std::size_t count) {
    return PassUntil(
        *harness, [&] { return noticed.size() >= count; }, 5000);
  }

  std::vector<MediaDeviceId> noticed;
};

TEST_F(MediaContract, WhatCannotBeOpenedOrIsNotOpenFails) {
  const MediaOpened missing = media().Open(MediaKind::kWave, "missing.wav");
  EXPECT_NE(missing.error, 0u);
  EXPECT_EQ(missing.device, 0u);
  EXPECT_NE(media().Open(MediaKind::kMidi, "missing.mid").error, 0u);
  EXPECT_NE(media().Open(MediaKind::kCdAudio, "").error, 0u) << "no disc in a drive";
  constexpr MediaDeviceId kNeverOpened = 4000;
  EXPECT_NE(media().Stop(kNeverOpened), 0u);
  EXPECT_NE(media().Close(kNeverOpened), 0u);
  EXPECT_NE(media().Position(kNeverOpened).error, 0u);
}

TEST_F(MediaContract, APlayReportsItsEndOnceFromTheMessageLoop) {
  const MediaDeviceId device = OpenWave(200);
  ASSERT_EQ(Play(device), 0u);
  EXPECT_TRUE(noticed.empty()) << "never from inside the call";
  ASSERT_TRUE(NoticesReach(1));
  harness->Pass(300);
  EXPECT_EQ(noticed, std::vector<MediaDeviceId>{device});
  // Back at the start, it plays and reports again.
  EXPECT_EQ(media().SeekToStart(device), 0u);
  ASSERT_EQ(Play(device), 0u);
  EXPECT_TRUE(NoticesReach(2));
  EXPECT_EQ(media().Close(device), 0u);
}

TEST_F(MediaContract, AStoppedPlayStillReportsAndTheDeviceStaysUsable) {
  const MediaDeviceId device = OpenWave(5000);
  ASSERT_EQ(Play(device), 0u);
  EXPECT_EQ(media().Stop(device), 0u);
  EXPECT_EQ(media().Stop(device), 0u) << "stopping a stopped device";
  ASSERT_TRUE(NoticesReach(1));
  EXPECT_EQ(noticed[0], device);
  EXPECT_EQ(media().Position(device).error, 0u);
  EXPECT_EQ(media().SeekToStart(device), 0u);
  ASSERT_EQ(Play(device), 0u);
  EXPECT_EQ(media().Close(device), 0u);
  EXPECT_TRUE(NoticesReach(2)) << "a close cuts the play short, which reports too";
  EXPECT_NE(media().Stop(device), 0u) << "closed";
}

}  // namespace
}  // namespace tk::contract
