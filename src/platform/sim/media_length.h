// How long the simulated media devices play a file: a wave's length from
// its header, a MIDI file's from its tempo and ticks. Both read untrusted
// bytes; anything malformed is no file of that kind.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tk::sim {

std::optional<std::uint32_t> WaveLengthMs(std::string_view bytes);
std::optional<std::uint32_t> MidiLengthMs(std::string_view bytes);

}  // namespace tk::sim
