#include "sound/sound_player.h"

#include "base/text.h"

namespace tk {

namespace {

MediaKind MediaKindOf(SoundKind kind) {
  switch (kind) {
    case SoundKind::kWave:
      return MediaKind::kWave;
    case SoundKind::kMidi:
      return MediaKind::kMidi;
    case SoundKind::kCd:
      break;
  }
  return MediaKind::kCdAudio;
}

constexpr SoundKind kKinds[] = {SoundKind::kWave, SoundKind::kMidi, SoundKind::kCd};

}  // namespace

int SoundEndedNumber(SoundKind kind) {
  return static_cast<int>(kind) + 1;
}

SoundPlayer::SoundPlayer(MediaDevices& media, SoundEnded on_sound_ended)
    : media_(media),
      on_sound_ended_(std::move(on_sound_ended)),
      self_(std::make_shared<SoundPlayer*>(this)) {}

SoundPlayer::~SoundPlayer() {
  Close(SoundKind::kWave);
  Close(SoundKind::kMidi);
  SoundChannel& cd = ChannelOf(SoundKind::kCd);
  if (cd.open && cd.playing && !cd.paused) media_.Stop(cd.device);
  Close(SoundKind::kCd);
}

const SoundChannel& SoundPlayer::Channel(SoundKind kind) const {
  return channels_[static_cast<std::size_t>(kind) - 1];
}

SoundChannel& SoundPlayer::ChannelOf(SoundKind kind) {
  return channels_[static_cast<std::size_t>(kind) - 1];
}

std::string SoundPlayer::TracedName(SoundKind kind) const {
  if (kind != SoundKind::kCd) return Channel(kind).file;
  return cd_track_ == 0 ? "CD" : "CD track " + std::to_string(cd_track_);
}

void SoundPlayer::Trace(SoundNote note, SoundKind kind, std::int32_t value) const {
  if (trace) trace->Sound(note, TracedName(kind), value);
}

bool SoundPlayer::IsPlayingAndNotPaused(SoundKind kind) const {
  const SoundChannel& channel = Channel(kind);
  return channel.playing && !channel.paused;
}

bool SoundPlayer::Succeeded(MediaError error) {
  last_error_ = error;
  return error == 0;
}

void SoundPlayer::Close(SoundKind kind) {
  SoundChannel& channel = ChannelOf(kind);
  if (!channel.open || !Succeeded(media_.Close(channel.device))) return;
  channel.device = 0;
  channel.open = false;
  channel.playing = false;
  channel.file = "0";
}

bool SoundPlayer::OpenFile(SoundKind kind, const std::string& file) {
  const MediaOpened opened = media_.Open(MediaKindOf(kind), file);
  if (!Succeeded(opened.error)) {
    if (trace)
      trace->Sound(SoundNote::kOpenFailed, kind == SoundKind::kCd ? "CD" : file,
                   static_cast<std::int32_t>(opened.error));
    return false;
  }
  SoundChannel& channel = ChannelOf(kind);
  channel.device = opened.device;
  channel.open = true;
  if (kind != SoundKind::kCd) channel.file = file;
  if (trace) trace->Sound(SoundNote::kOpened, kind == SoundKind::kCd ? "CD" : file, 0);
  return true;
}

// Notices come back to this player as long as it lives.
MediaDevices::EndOfPlay SoundPlayer::Notice() const {
  return [self = std::weak_ptr<SoundPlayer*>(self_)](MediaDeviceId device) {
    if (const auto player = self.lock()) (*player)->OnEndOfPlay(device);
  };
}

// Plays from where the device stands.
bool SoundPlayer::Start(SoundKind kind) {
  return Succeeded(media_.Play(ChannelOf(kind).device, {}, Notice()));
}

// From `from` (the track's start when nothing) to the track's end.
bool SoundPlayer::StartCdTrack(std::optional<std::uint32_t> from) {
  const MediaDeviceId device = ChannelOf(SoundKind::kCd).device;
  const MediaStatus position = media_.TrackPosition(device, cd_track_);
  if (!Succeeded(position.error)) return false;
  const MediaStatus length = media_.TrackLength(device, cd_track_);
  if (!Succeeded(length.error)) return false;
  const MediaRange range{from.value_or(position.value), position.value + length.value};
  return Succeeded(media_.Play(device, range, Notice()));
}

SoundPlayer::Result SoundPlayer::PlayFile(SoundKind kind, std::int32_t count,
                                          const std::string& file, bool sound_on) {
  SoundChannel& channel = ChannelOf(kind);
  if (channel.playing) Stop(kind);
  if (file != channel.file) {
    Close(kind);
    if (!OpenFile(kind, file)) return Result::kOpenFailed;
  }
  if (sound_on && Start(kind)) {
    channel.repeat_count = count;
    channel.playing = true;
    Trace(SoundNote::kPlayed, kind, count);
  }
  return Result::kDone;
}

SoundPlayer::Result SoundPlayer::PlayCd(std::int32_t count, const std::string& track,
                                        bool sound_on) {
  SoundChannel& channel = ChannelOf(SoundKind::kCd);
  if (channel.playing) Stop(SoundKind::kCd);
  Close(SoundKind::kCd);
  if (!OpenFile(SoundKind::kCd, "")) return Result::kOpenFailed;
  if (!sound_on) return Result::kDone;
  const auto number = ParseInt32(track);
  if (!number) return Result::kBadTrack;
  const std::int32_t previous_track = cd_track_;
  cd_track_ = *number;
  if (!StartCdTrack(std::nullopt)) {
    cd_track_ = previous_track;
    return Result::kDone;
  }
  channel.repeat_count = count;
  channel.playing = true;
  Trace(SoundNote::kPlayed, SoundKind::kCd, count);
  return Result::kDone;
}

// The mark is set only when the stop cuts short a play that still sounds:
// a paused or finished play has no notice left to swallow, and a mark
// without one would swallow the end of the next play instead.
void SoundPlayer::Stop(SoundKind kind) {
  SoundChannel& channel = ChannelOf(kind);
  if (!channel.playing) return;
  if (!Succeeded(media_.Stop(channel.device))) return;
  if (!channel.paused) {
    channel.commanded_stop = true;
    channel.stopped_device = channel.device;
  }
  channel.playing = false;
  channel.paused = false;
  Trace(SoundNote::kStopped, kind);
  if (kind != SoundKind::kCd) Succeeded(media_.SeekToStart(channel.device));
}

void SoundPlayer::Pause(SoundKind kind) {
  SoundChannel& channel = ChannelOf(kind);
  if (kind == SoundKind::kCd) {
    const MediaStatus position = media_.Position(channel.device);
    if (!Succeeded(position.error)) return;
    cd_pause_position_ = position.value;
  }
  if (!Succeeded(media_.Stop(channel.device))) return;
  channel.paused = true;
  channel.commanded_stop = true;
  channel.stopped_device = channel.device;
  Trace(SoundNote::kPaused, kind);
}

void SoundPlayer::Resume(SoundKind kind) {
  const bool resumed = kind == SoundKind::kCd ? StartCdTrack(cd_pause_position_) : Start(kind);
  if (!resumed) return;
  ChannelOf(kind).paused = false;
  Trace(SoundNote::kResumed, kind);
}

void SoundPlayer::PauseOrResumeAll() {
  for (const SoundKind kind : kKinds) {
    const SoundChannel& channel = Channel(kind);
    if (!channel.playing) continue;
    if (channel.paused) {
      Resume(kind);
    } else {
      Pause(kind);
    }
  }
}

// The mark goes with the device it was set for, found whether or not that
// device is still open.
bool SoundPlayer::SwallowCommandedStop(MediaDeviceId device) {
  for (const SoundKind kind : kKinds) {
    SoundChannel& channel = ChannelOf(kind);
    if (!channel.commanded_stop || channel.stopped_device != device) continue;
    channel.commanded_stop = false;
    channel.stopped_device = 0;
    const bool still_open = channel.open && channel.device == device;
    on_sound_ended_(still_open ? SoundEndedNumber(kind) : 0);
    return true;
  }
  return false;
}

void SoundPlayer::Repeat(SoundKind kind) {
  SoundChannel& channel = ChannelOf(kind);
  if (channel.repeat_count > 0 && --channel.repeat_count == 0) {
    if (kind != SoundKind::kCd) Succeeded(media_.SeekToStart(channel.device));
    channel.playing = false;
    Trace(SoundNote::kEnded, kind);
    return;
  }
  if (kind == SoundKind::kCd) {
    // The play has ended already: this stop cuts nothing short, so it
    // leaves no mark behind.
    if (channel.repeat_count > 0 && Succeeded(media_.Stop(channel.device))) {
      channel.playing = false;
    }
    if (StartCdTrack(std::nullopt)) channel.playing = true;
    return;
  }
  if (Succeeded(media_.SeekToStart(channel.device))) Start(kind);
}

void SoundPlayer::OnEndOfPlay(MediaDeviceId device) {
  if (SwallowCommandedStop(device)) return;
  for (const SoundKind kind : kKinds) {
    const SoundChannel& channel = Channel(kind);
    if (!channel.open || channel.device != device) continue;
    if (channel.playing && !channel.paused) Repeat(kind);
    on_sound_ended_(SoundEndedNumber(kind));
    return;
  }
  on_sound_ended_(0);
}

}  // namespace tk
