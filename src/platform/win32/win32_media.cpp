#include "platform/win32/win32_media.h"

#include "platform/win32/text_conversion.h"

namespace tk {

namespace {

const wchar_t* DeviceType(MediaKind kind) {
  switch (kind) {
    case MediaKind::kWave:
      return L"waveaudio";
    case MediaKind::kMidi:
      return L"sequencer";
    case MediaKind::kCdAudio:
      break;
  }
  return L"cdaudio";
}

template <typename Params>
MediaError Send(MediaDeviceId device, UINT command, DWORD flags, Params& params) {
  return mciSendCommandW(static_cast<MCIDEVICEID>(device), command, flags,
                         reinterpret_cast<DWORD_PTR>(&params));
}

MediaStatus Status(MediaDeviceId device, DWORD item, std::optional<int> track) {
  MCI_STATUS_PARMS params{};
  params.dwItem = item;
  DWORD flags = MCI_STATUS_ITEM | MCI_WAIT;
  if (track) {
    params.dwTrack = static_cast<DWORD>(*track);
    flags |= MCI_TRACK;
  }
  const MediaError error = Send(device, MCI_STATUS, flags, params);
  return {error == 0 ? static_cast<std::uint32_t>(params.dwReturn) : 0, error};
}

}  // namespace

// An audio CD counts in milliseconds from the start, so that track
// positions and lengths can be added.
MediaOpened Win32Media::Open(MediaKind kind, const std::string& file) {
  const std::wstring element = win32::WideFromSjis(file);
  MCI_OPEN_PARMSW params{};
  params.lpstrDeviceType = DeviceType(kind);
  DWORD flags = MCI_OPEN_TYPE | MCI_WAIT;
  if (kind != MediaKind::kCdAudio) {
    params.lpstrElementName = element.c_str();
    flags |= MCI_OPEN_ELEMENT;
  }
  if (const MediaError error = Send(0, MCI_OPEN, flags, params)) return {0, error};
  const MediaDeviceId device = params.wDeviceID;
  if (kind == MediaKind::kCdAudio) {
    MCI_SET_PARMS format{};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (const MediaError error = Send(device, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, format)) {
      Close(device);
      return {0, error};
    }
  }
  return {device, 0};
}

MediaError Win32Media::Play(MediaDeviceId device, const MediaRange& range, EndOfPlay on_end) {
  MCI_PLAY_PARMS params{};
  params.dwCallback = reinterpret_cast<DWORD_PTR>(notice_window_);
  DWORD flags = MCI_NOTIFY;
  if (range.from) {
    params.dwFrom = *range.from;
    flags |= MCI_FROM;
  }
  if (range.to) {
    params.dwTo = *range.to;
    flags |= MCI_TO;
  }
  // In place before the play starts: its notice is only posted, but the
  // notice of the play this one supersedes is already on its way.
  notices_[device] = std::move(on_end);
  return Send(device, MCI_PLAY, flags, params);
}

MediaError Win32Media::Stop(MediaDeviceId device) {
  MCI_GENERIC_PARMS params{};
  return Send(device, MCI_STOP, MCI_WAIT, params);
}

MediaError Win32Media::SeekToStart(MediaDeviceId device) {
  MCI_SEEK_PARMS params{};
  return Send(device, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, params);
}

MediaStatus Win32Media::Position(MediaDeviceId device) {
  return Status(device, MCI_STATUS_POSITION, std::nullopt);
}

MediaStatus Win32Media::TrackPosition(MediaDeviceId device, int track) {
  return Status(device, MCI_STATUS_POSITION, track);
}

MediaStatus Win32Media::TrackLength(MediaDeviceId device, int track) {
  return Status(device, MCI_STATUS_LENGTH, track);
}

MediaError Win32Media::Close(MediaDeviceId device) {
  MCI_GENERIC_PARMS params{};
  return Send(device, MCI_CLOSE, MCI_WAIT, params);
}

MediaDevices::EndOfPlay Win32Media::NoticeFor(MediaDeviceId device) const {
  const auto found = notices_.find(device);
  return found == notices_.end() ? EndOfPlay() : found->second;
}

}  // namespace tk
