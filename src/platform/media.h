// Media devices: a service of its own beside Platform. One device plays one
// wave file, one MIDI file or the tracks of an audio CD; plays run on their
// own and report their end through a callback, delivered from the message
// loop like a timer tick.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tk {

enum class MediaKind { kWave, kMidi, kCdAudio };

using MediaDeviceId = std::uint32_t;  // 0: no device
using MediaError = std::uint32_t;     // 0: success, else the system's error code

struct MediaOpened {
  MediaDeviceId device = 0;
  MediaError error = 0;
};

struct MediaStatus {
  std::uint32_t value = 0;  // milliseconds
  MediaError error = 0;
};

// Where a play starts and ends, in milliseconds; nothing means the current
// position and the end of the medium.
struct MediaRange {
  std::optional<std::uint32_t> from;
  std::optional<std::uint32_t> to;
};

class MediaDevices {
 public:
  // Told the device whose play ended. Every play started reports once: when
  // it reaches its end, and also when a stop, a close or a newer play cuts
  // it short, possibly after the device was closed. Never called from
  // inside a call of this interface.
  using EndOfPlay = std::function<void(MediaDeviceId)>;

  virtual ~MediaDevices() = default;
  // A wave or MIDI device plays `file` (a Shift-JIS name, relative names in
  // the current directory); an audio CD device takes no file and counts in
  // milliseconds.
  virtual MediaOpened Open(MediaKind kind, const std::string& file) = 0;
  virtual MediaError Play(MediaDeviceId device, const MediaRange& range, EndOfPlay on_end) = 0;
  virtual MediaError Stop(MediaDeviceId device) = 0;
  virtual MediaError SeekToStart(MediaDeviceId device) = 0;
  virtual MediaStatus Position(MediaDeviceId device) = 0;
  // Where a track of the CD starts and how long it is.
  virtual MediaStatus TrackPosition(MediaDeviceId device, int track) = 0;
  virtual MediaStatus TrackLength(MediaDeviceId device, int track) = 0;
  virtual MediaError Close(MediaDeviceId device) = 0;
};

}  // namespace tk
