#include "platform/sim/media_length.h"

#include <algorithm>
#include <limits>
#include <map>

namespace tk::sim {

namespace {

// Reads forward through the bytes; every read past the end fails.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }
  std::optional<std::uint32_t> Byte() {
    if (AtEnd()) return std::nullopt;
    return static_cast<unsigned char>(bytes_[pos_++]);
  }
  std::optional<std::uint32_t> Little(int count) { return Number(count, false); }
  std::optional<std::uint32_t> Big(int count) { return Number(count, true); }
  std::optional<std::string_view> Take(std::size_t count) {
    if (count > Left()) return std::nullopt;
    const std::string_view taken = bytes_.substr(pos_, count);
    pos_ += count;
    return taken;
  }
  bool Skip(std::size_t count) { return Take(count).has_value(); }
  // A MIDI variable-length quantity: at most four bytes.
  std::optional<std::uint32_t> VarLength() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const auto b = Byte();
      if (!b) return std::nullopt;
      value = (value << 7) | (*b & 0x7F);
      if ((*b & 0x80) == 0) return value;
    }
    return std::nullopt;
  }

 private:
  std::optional<std::uint32_t> Number(int count, bool big_endian) {
    const auto raw = Take(static_cast<std::size_t>(count));
    if (!raw) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const int index = big_endian ? i : count - 1 - i;
      value = (value << 8) | static_cast<unsigned char>((*raw)[static_cast<std::size_t>(index)]);
    }
    return value;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::uint32_t ClampMs(double ms) {
  constexpr double kMost = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(std::clamp(ms, 0.0, kMost));
}

// --- MIDI ---------------------------------------------------------------------

struct MidiTrack {
  std::uint64_t end_tick = 0;
  std::map<std::uint64_t, std::uint32_t> tempos;  // tick -> microseconds per quarter note
};

// Bytes of data after a channel status byte.
int ChannelDataBytes(std::uint32_t status) {
  const std::uint32_t type = status & 0xF0;
  return type == 0xC0 || type == 0xD0 ? 1 : 2;
}

bool ReadMetaEvent(Cursor& in, std::uint64_t tick, MidiTrack& track, bool& ended) {
  const auto type = in.Byte();
  const auto length = in.VarLength();
  if (!type || !length) return false;
  const auto data = in.Take(*length);
  if (!data) return false;
  if (*type == 0x2F) ended = true;
  if (*type == 0x51 && data->size() == 3) {
    std::uint32_t tempo = 0;
    for (const char c : *data) tempo = (tempo << 8) | static_cast<unsigned char>(c);
    if (tempo > 0) track.tempos[tick] = tempo;
  }
  return true;
}

// One track's events up to its end-of-track event or its last byte.
std::optional<MidiTrack> ReadTrack(std::string_view bytes) {
  Cursor in(bytes);
  MidiTrack track;
  std::uint32_t running_status = 0;
  bool ended = false;
  while (!ended && !in.AtEnd()) {
    const auto delta = in.VarLength();
    auto status = in.Byte();
    if (!delta || !status) return std::nullopt;
    track.end_tick += *delta;
    if (*status == 0xFF) {
      if (!ReadMetaEvent(in, track.end_tick, track, ended)) return std::nullopt;
    } else if (*status == 0xF0 || *status == 0xF7) {
      const auto length = in.VarLength();
      if (!length || !in.Skip(*length)) return std::nullopt;
    } else if (*status >= 0xF0) {
      return std::nullopt;  // no system message belongs in a file
    } else {
      int data_bytes = 0;
      if (*status & 0x80) {
        running_status = *status;
        data_bytes = ChannelDataBytes(running_status);
      } else if (running_status != 0) {
        data_bytes = ChannelDataBytes(running_status) - 1;  // this byte was data
      } else {
        return std::nullopt;
      }
      if (!in.Skip(static_cast<std::size_t>(data_bytes))) return std::nullopt;
    }
  }
  return track;
}

double MidiMs(std::uint64_t end_tick, const std::map<std::uint64_t, std::uint32_t>& tempos,
              std::uint32_t division) {
  if (division & 0x8000) {  // frames per second and ticks per frame
    const int fps = -static_cast<std::int8_t>(division >> 8);
    const double rate = (fps == 29 ? 29.97 : fps) * static_cast<double>(division & 0xFF);
    return rate > 0 ? static_cast<double>(end_tick) * 1000.0 / rate : -1;
  }
  double ms = 0;
  std::uint64_t tick = 0;
  std::uint32_t tempo = 500000;  // 120 beats a minute until a tempo says otherwise
  for (const auto& [at, next_tempo] : tempos) {
    if (at >= end_tick) break;
    ms += static_cast<double>(at - tick) * tempo / 1000.0 / division;
    tick = at;
    tempo = next_tempo;
  }
  return ms + static_cast<double>(end_tick - tick) * tempo / 1000.0 / division;
}

}  // namespace

std::optional<std::uint32_t> WaveLengthMs(std::string_view bytes) {
  Cursor in(bytes);
  const auto riff = in.Take(4);
  const auto riff_size = in.Little(4);
  const auto wave = in.Take(4);
  if (!riff || *riff != "RIFF" || !riff_size || !wave || *wave != "WAVE") return std::nullopt;
  std::optional<std::uint32_t> byte_rate;
  while (!in.AtEnd()) {
    const auto id = in.Take(4);
    const auto size = in.Little(4);
    if (!id || !size) return std::nullopt;
    if (*id == "data") {
      if (!byte_rate || *byte_rate == 0) return std::nullopt;
      // A cut-off file plays what it has.
      const std::uint64_t data = std::min<std::uint64_t>(*size, in.Left());
      return ClampMs(static_cast<double>(data) * 1000.0 / *byte_rate);
    }
    if (*id == "fmt ") {
      const auto format = in.Take(*size);
      if (!format || format->size() < 16) return std::nullopt;
      Cursor fields(*format);
      fields.Skip(8);
      byte_rate = fields.Little(4);
    } else if (!in.Skip(*size)) {
      return std::nullopt;
    }
    if (*size % 2 == 1) in.Skip(1);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> MidiLengthMs(std::string_view bytes) {
  Cursor in(bytes);
  const auto id = in.Take(4);
  const auto header_size = in.Big(4);
  if (!id || *id != "MThd" || !header_size || *header_size < 6) return std::nullopt;
  const auto header = in.Take(*header_size);
  if (!header) return std::nullopt;
  Cursor fields(*header);
  fields.Skip(2);
  const auto track_count = fields.Big(2);
  const auto division = fields.Big(2);
  if (!track_count || *track_count == 0 || !division || *division == 0) return std::nullopt;
  std::uint64_t end_tick = 0;
  std::map<std::uint64_t, std::uint32_t> tempos;
  for (std::uint32_t found = 0; found < *track_count;) {
    const auto chunk = in.Take(4);
    const auto size = in.Big(4);
    if (!chunk || !size) return std::nullopt;
    const auto body = in.Take(*size);
    if (!body) return std::nullopt;
    if (*chunk != "MTrk") continue;  // chunks of other kinds are skipped
    const auto track = ReadTrack(*body);
    if (!track) return std::nullopt;
    end_tick = std::max(end_tick, track->end_tick);
    tempos.insert(track->tempos.begin(), track->tempos.end());
    ++found;
  }
  const double ms = MidiMs(end_tick, tempos, *division);
  if (ms < 0) return std::nullopt;
  return ClampMs(ms);
}

}  // namespace tk::sim
