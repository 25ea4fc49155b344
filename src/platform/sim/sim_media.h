// Media devices of the simulated desktop. Nothing sounds; a play takes the
// length its file describes in virtual time and then posts its notice, and
// a play cut short posts one at once, as the real devices do.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/media.h"

namespace tk {

class SimPlatform;

class SimMedia : public MediaDevices {
 public:
  // The system's codes for the failures the fake devices know.
  static constexpr MediaError kInvalidDevice = 257;
  static constexpr MediaError kFileNotFound = 275;
  static constexpr MediaError kNotReady = 276;
  static constexpr MediaError kOutOfRange = 282;
  static constexpr MediaError kInvalidFile = 296;
  // Where the first track of a disc starts, after its lead-in.
  static constexpr std::uint32_t kFirstTrackMs = 2000;
  // Larger files are not opened.
  static constexpr std::size_t kMaxFileBytes = 64u << 20;

  explicit SimMedia(SimPlatform& sim) : sim_(sim) {}

  // --- what a test sets up ----------------------------------------------------
  // The disc in the drive: each track's length. No tracks: no disc.
  std::vector<std::uint32_t> cd_tracks_ms;

  // --- what a test observes ---------------------------------------------------
  struct PlayRecord {
    std::uint64_t at_ms = 0;
    MediaKind kind = MediaKind::kWave;
    std::string file;  // empty for the CD
    std::uint32_t from_ms = 0;
    std::uint32_t to_ms = 0;
  };
  std::vector<PlayRecord> plays;  // every play started, in order
  int notices = 0;                // notices delivered
  // How many plays of the file (the CD: of any track) were started.
  int PlaysOf(const std::string& file) const;
  // The file (the CD: "cd") a device of this kind plays now, "" when silent.
  std::string Sounding(MediaKind kind) const;
  std::size_t OpenDevices() const { return devices_.size(); }

  // --- MediaDevices -------------------------------------------------------------
  MediaOpened Open(MediaKind kind, const std::string& file) override;
  MediaError Play(MediaDeviceId device, const MediaRange& range, EndOfPlay on_end) override;
  MediaError Stop(MediaDeviceId device) override;
  MediaError SeekToStart(MediaDeviceId device) override;
  MediaStatus Position(MediaDeviceId device) override;
  MediaStatus TrackPosition(MediaDeviceId device, int track) override;
  MediaStatus TrackLength(MediaDeviceId device, int track) override;
  MediaError Close(MediaDeviceId device) override;

 private:
  struct Device {
    MediaKind kind = MediaKind::kWave;
    std::string file;
    std::uint32_t length_ms = 0;    // of the whole medium
    std::uint32_t position_ms = 0;  // while it does not play
    bool playing = false;
    std::uint64_t started_at_ms = 0;
    std::uint32_t from_ms = 0;
    std::uint32_t to_ms = 0;
    std::uint64_t end_post = 0;  // the posted end of the play
    EndOfPlay on_end;
  };
  Device* Find(MediaDeviceId device);
  std::uint32_t CurrentPosition(const Device& d) const;
  // Ends a play before its time; its notice is posted now.
  void CutShort(MediaDeviceId id, Device& d);
  void PostNotice(MediaDeviceId id, EndOfPlay on_end, std::uint64_t at_ms);
  MediaStatus TrackStatus(MediaDeviceId device, int track, bool length);

  SimPlatform& sim_;
  std::map<MediaDeviceId, Device> devices_;
  MediaDeviceId next_device_ = 1;
};

}  // namespace tk
