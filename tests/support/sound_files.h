// Wave and MIDI files made for tests, with lengths known in advance.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tk::testing {

inline void PutLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

inline void PutBig(std::string& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// `ms` of silence, 8000 bytes a second (8 kHz, 8 bits, mono).
inline std::string WaveFile(std::uint32_t ms) {
  const std::uint32_t data = ms * 8;
  std::string w = "RIFF";
  PutLittle(w, 36 + data, 4);
  w += "WAVEfmt ";
  PutLittle(w, 16, 4);
  PutLittle(w, 1, 2);     // PCM
  PutLittle(w, 1, 2);     // mono
  PutLittle(w, 8000, 4);  // samples a second
  PutLittle(w, 8000, 4);  // bytes a second
  PutLittle(w, 1, 2);     // block
  PutLittle(w, 8, 2);     // bits
  w += "data";
  PutLittle(w, data, 4);
  w.append(data, '\x80');
  return w;
}

// A one-track MIDI file: a tempo (microseconds a quarter note) at tick 0,
// one note held for `ticks`, at `division` ticks a quarter note.
inline std::string MidiFile(std::uint32_t division, std::uint32_t ticks, std::uint32_t tempo) {
  std::string track = {'\x00', '\xFF', '\x51', '\x03'};
  PutBig(track, tempo, 3);
  track += {'\x00', '\x90', '\x3C', '\x40'};
  // The delta as a variable-length quantity.
  std::string delta(1, static_cast<char>(ticks & 0x7F));
  for (std::uint32_t rest = ticks >> 7; rest != 0; rest >>= 7) {
    delta.insert(delta.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
  }
  track += delta + std::string{'\x3C', '\x00'};  // running status: note off by velocity 0
  track += {'\x00', '\xFF', '\x2F', '\x00'};
  std::string m = "MThd";
  PutBig(m, 6, 4);
  PutBig(m, 0, 2);
  PutBig(m, 1, 2);
  PutBig(m, division, 2);
  m += "MTrk";
  PutBig(m, static_cast<std::uint32_t>(track.size()), 4);
  return m + track;
}

}  // namespace tk::testing
