#include "platform/sim/sim_media.h"

#include <algorithm>
#include <numeric>

#include "platform/sim/media_length.h"
#include "platform/sim/sim_platform.h"

namespace tk {

int SimMedia::PlaysOf(const std::string& file) const {
  return static_cast<int>(std::count_if(plays.begin(), plays.end(),
                                        [&](const PlayRecord& p) { return p.file == file; }));
}

std::string SimMedia::Sounding(MediaKind kind) const {
  for (const auto& [id, d] : devices_) {
    if (d.kind == kind && d.playing) return kind == MediaKind::kCdAudio ? "cd" : d.file;
  }
  return "";
}

SimMedia::Device* SimMedia::Find(MediaDeviceId device) {
  const auto found = devices_.find(device);
  return found == devices_.end() ? nullptr : &found->second;
}

MediaOpened SimMedia::Open(MediaKind kind, const std::string& file) {
  Device d;
  d.kind = kind;
  if (kind == MediaKind::kCdAudio) {
    if (cd_tracks_ms.empty()) return {0, kNotReady};
    d.length_ms = std::accumulate(cd_tracks_ms.begin(), cd_tracks_ms.end(), kFirstTrackMs);
  } else {
    const auto bytes = sim_.ReadFile(file, kMaxFileBytes);
    if (!bytes) return {0, kFileNotFound};
    const auto length =
        kind == MediaKind::kWave ? sim::WaveLengthMs(*bytes) : sim::MidiLengthMs(*bytes);
    if (!length) return {0, kInvalidFile};
    d.file = file;
    d.length_ms = *length;
  }
  const MediaDeviceId id = next_device_++;
  devices_.emplace(id, std::move(d));
  return {id, 0};
}

std::uint32_t SimMedia::CurrentPosition(const Device& d) const {
  if (!d.playing) return d.position_ms;
  const std::uint64_t played = sim_.NowMs() - d.started_at_ms;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(d.to_ms, d.from_ms + played));
}

void SimMedia::PostNotice(MediaDeviceId id, EndOfPlay on_end, std::uint64_t at_ms) {
  sim_.PostAt(at_ms, [this, id, on_end = std::move(on_end)] {
    ++notices;
    if (on_end) on_end(id);
  });
}

void SimMedia::CutShort(MediaDeviceId id, Device& d) {
  if (!d.playing) return;
  d.position_ms = CurrentPosition(d);
  d.playing = false;
  sim_.CancelPost(d.end_post);
  PostNotice(id, std::move(d.on_end), sim_.NowMs());
}

MediaError SimMedia::Play(MediaDeviceId id, const MediaRange& range, EndOfPlay on_end) {
  Device* d = Find(id);
  if (d == nullptr) return kInvalidDevice;
  const std::uint32_t from = range.from.value_or(CurrentPosition(*d));
  const std::uint32_t to = range.to.value_or(d->length_ms);
  if (from > to || to > d->length_ms) return kOutOfRange;
  CutShort(id, *d);  // a newer play supersedes the one under way
  d->playing = true;
  d->started_at_ms = sim_.NowMs();
  d->from_ms = from;
  d->to_ms = to;
  d->on_end = on_end;
  plays.push_back({sim_.NowMs(), d->kind, d->file, from, to});
  // An end notice travels through the message queue, so even an empty play
  // ends a moment later: a sound repeated for ever then lets time pass
  // instead of looping in one instant.
  constexpr std::uint32_t kShortestPlayMs = 1;
  d->end_post =
      sim_.PostAt(sim_.NowMs() + std::max(to - from, kShortestPlayMs), [this, id, on_end] {
        if (Device* ended = Find(id)) {
          ended->playing = false;
          ended->position_ms = ended->to_ms;
        }
        ++notices;
        if (on_end) on_end(id);
      });
  return 0;
}

MediaError SimMedia::Stop(MediaDeviceId id) {
  Device* d = Find(id);
  if (d == nullptr) return kInvalidDevice;
  CutShort(id, *d);
  return 0;
}

// Seeking stops a play first, as the real devices do.
MediaError SimMedia::SeekToStart(MediaDeviceId id) {
  Device* d = Find(id);
  if (d == nullptr) return kInvalidDevice;
  CutShort(id, *d);
  d->position_ms = d->kind == MediaKind::kCdAudio ? kFirstTrackMs : 0;
  return 0;
}

MediaStatus SimMedia::Position(MediaDeviceId id) {
  const Device* d = Find(id);
  if (d == nullptr) return {0, kInvalidDevice};
  return {CurrentPosition(*d), 0};
}

MediaStatus SimMedia::TrackStatus(MediaDeviceId id, int track, bool length) {
  const Device* d = Find(id);
  if (d == nullptr || d->kind != MediaKind::kCdAudio) return {0, kInvalidDevice};
  if (track < 1 || static_cast<std::size_t>(track) > cd_tracks_ms.size()) return {0, kOutOfRange};
  const auto index = static_cast<std::size_t>(track - 1);
  if (length) return {cd_tracks_ms[index], 0};
  const auto start = cd_tracks_ms.begin();
  return {std::accumulate(start, start + static_cast<std::ptrdiff_t>(index), kFirstTrackMs), 0};
}

MediaStatus SimMedia::TrackPosition(MediaDeviceId id, int track) {
  return TrackStatus(id, track, false);
}

MediaStatus SimMedia::TrackLength(MediaDeviceId id, int track) {
  return TrackStatus(id, track, true);
}

MediaError SimMedia::Close(MediaDeviceId id) {
  Device* d = Find(id);
  if (d == nullptr) return kInvalidDevice;
  CutShort(id, *d);
  devices_.erase(id);
  return 0;
}

}  // namespace tk
