// The simulated devices' play lengths, read from untrusted file headers.
#include "platform/sim/media_length.h"

#include <gtest/gtest.h>

#include "support/sound_files.h"

namespace tk {
namespace {

using testing::MidiFile;
using testing::PutBig;
using testing::WaveFile;

TEST(MediaLength, WaveLengthComesFromItsByteRateAndData) {
  EXPECT_EQ(sim::WaveLengthMs(WaveFile(0)), 0u);
  EXPECT_EQ(sim::WaveLengthMs(WaveFile(1234)), 1234u);
  std::string padded = WaveFile(250);
  padded.insert(12, std::string("LIST\x03\0\0\0abc\0", 12));  // odd chunk, padded
  EXPECT_EQ(sim::WaveLengthMs(padded), 250u);
  std::string cut = WaveFile(1000);
  cut.resize(cut.size() - 4000);
  EXPECT_EQ(sim::WaveLengthMs(cut), 500u) << "a cut-off file plays what it has";

  std::string no_rate = WaveFile(10);
  no_rate[28] = no_rate[29] = no_rate[30] = no_rate[31] = 0;
  const std::string broken[] = {"",
                                "RIFF",
                                WaveFile(10).substr(0, 40),
                                no_rate,
                                "RIFX" + WaveFile(10).substr(4),
                                WaveFile(10).replace(12, 4, "data")};
  for (const std::string& bytes : broken) EXPECT_FALSE(sim::WaveLengthMs(bytes)) << bytes.size();
}

TEST(MediaLength, MidiLengthFollowsTempoAndTicks) {
  EXPECT_EQ(sim::MidiLengthMs(MidiFile(480, 960, 500000)), 1000u);
  EXPECT_EQ(sim::MidiLengthMs(MidiFile(96, 96 * 3, 250000)), 750u);
  EXPECT_EQ(sim::MidiLengthMs(MidiFile(480, 200000, 1000000)), 416666u) << "long deltas";
  // Frames and ticks a frame instead of a tempo: 25 fps x 40 ticks.
  std::string smpte = MidiFile(0, 2000, 500000);
  smpte[12] = static_cast<char>(-25);
  smpte[13] = 40;
  EXPECT_EQ(sim::MidiLengthMs(smpte), 2000u);
}

TEST(MediaLength, ATempoChangeMidwayAndSeveralTracks) {
  // Track 1: 480 ticks at 120 a minute, then a tempo of 60 a minute and 480 more.
  std::string tempo_track = {'\x00', '\xFF', '\x51', '\x03', '\x07', '\xA1', '\x20',
                             '\x83', '\x60', '\xFF', '\x51', '\x03', '\x0F', '\x42',
                             '\x40', '\x83', '\x60', '\xFF', '\x2F', '\x00'};
  // Track 2: sysex, a program change by running status, ends at tick 100.
  std::string notes = {'\x00', '\xF0', '\x02', '\x7E', '\xF7', '\x00', '\xC0',
                       '\x05', '\x64', '\x90', '\x3C', '\x40', '\x00', '\x3C',
                       '\x00', '\x00', '\xFF', '\x2F', '\x00'};
  std::string m = "MThd";
  PutBig(m, 6, 4);
  PutBig(m, 1, 2);
  PutBig(m, 2, 2);
  PutBig(m, 480, 2);
  for (const std::string* track : {&tempo_track, &notes}) {
    m += "MTrk";
    PutBig(m, static_cast<std::uint32_t>(track->size()), 4);
    m += *track;
  }
  EXPECT_EQ(sim::MidiLengthMs(m), 1500u);
  EXPECT_EQ(sim::MidiLengthMs(m.substr(0, m.size() - 3)), std::nullopt) << "a cut track";
}

TEST(MediaLength, MalformedMidiIsNoMidi) {
  const std::string good = MidiFile(480, 960, 500000);
  std::string no_division = good;
  no_division[12] = no_division[13] = 0;
  std::string data_first = good;
  data_first[30] = 0x3C;  // data with no status before it
  std::string system = good;
  system[30] = static_cast<char>(0xF2);
  std::string endless_delta = good;
  endless_delta.replace(22, 4, "\xFF\xFF\xFF\xFF");
  const std::string broken[] = {"",         "MThd", good.substr(0, 20), no_division,
                                data_first, system, endless_delta,      "RIFF" + good.substr(4)};
  for (const std::string& bytes : broken) EXPECT_FALSE(sim::MidiLengthMs(bytes)) << bytes.size();
}

}  // namespace
}  // namespace tk
