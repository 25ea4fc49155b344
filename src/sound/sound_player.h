// The sound player: one media device per sound kind, repetition driven by
// the devices' end-of-play notices, pausing for the sound switch.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "form/trace.h"
#include "platform/media.h"

namespace tk {

// As the commands and the animation ties number them.
enum class SoundKind { kWave = 1, kMidi = 2, kCd = 3 };

// The sound-ended notice numbers a kind one higher; 0 names none.
int SoundEndedNumber(SoundKind kind);

struct SoundChannel {
  MediaDeviceId device = 0;
  bool open = false;
  bool playing = false;           // started and not yet ended by the repeat logic or a stop
  bool paused = false;            // stopped by the sound switch, to be resumed
  std::int32_t repeat_count = 0;  // plays left, this one included; 0 or less: endless
  // A stop the program issued: the notice of the play it cut short is only
  // swallowed. It belongs to the device stopped, which a new file may have
  // replaced by the time that notice arrives.
  bool commanded_stop = false;
  MediaDeviceId stopped_device = 0;
  std::string file = "0";  // wave and MIDI: the file of the open device
};

class SoundPlayer {
 public:
  enum class Result { kDone, kOpenFailed, kBadTrack };
  // Told the kind whose play ended (SoundEndedNumber), 0 for a device of none.
  using SoundEnded = std::function<void(int)>;

  SoundPlayer(MediaDevices& media, SoundEnded on_sound_ended);
  // Closes every device; a CD that sounds is stopped first.
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // AWP and AMP. With sound off the file is opened and nothing plays.
  Result PlayFile(SoundKind kind, std::int32_t count, const std::string& file, bool sound_on);
  // ACP. The track text is read only once the CD is open and sound is on.
  Result PlayCd(std::int32_t count, const std::string& track, bool sound_on);
  // AWT, AMT, ACT: does nothing unless the kind plays.
  void Stop(SoundKind kind);
  // The sound switch: each playing kind flips between paused and sounding.
  void PauseOrResumeAll();
  // The media devices' notice.
  void OnEndOfPlay(MediaDeviceId device);

  bool IsPlayingAndNotPaused(SoundKind kind) const;
  bool IsPaused(SoundKind kind) const { return Channel(kind).paused; }
  const SoundChannel& Channel(SoundKind kind) const;
  int cd_track() const { return cd_track_; }
  MediaError last_error() const { return last_error_; }

  TraceSink* trace = nullptr;  // hears each open, play, end, stop and pause

 private:
  SoundChannel& ChannelOf(SoundKind kind);
  bool Succeeded(MediaError error);
  void Close(SoundKind kind);
  bool OpenFile(SoundKind kind, const std::string& file);
  MediaDevices::EndOfPlay Notice() const;
  bool Start(SoundKind kind);
  bool StartCdTrack(std::optional<std::uint32_t> from);
  void Repeat(SoundKind kind);
  void Pause(SoundKind kind);
  void Resume(SoundKind kind);
  bool SwallowCommandedStop(MediaDeviceId device);
  // The sound of a kind as the trace names it: its file, or the CD track.
  std::string TracedName(SoundKind kind) const;
  void Trace(SoundNote note, SoundKind kind, std::int32_t value = 0) const;

  MediaDevices& media_;
  SoundEnded on_sound_ended_;
  std::array<SoundChannel, 3> channels_;
  std::int32_t cd_track_ = 0;
  std::uint32_t cd_pause_position_ = 0;
  MediaError last_error_ = 0;
  // Notices may arrive after the player is gone; they find it no longer.
  std::shared_ptr<SoundPlayer*> self_;
};

}  // namespace tk
