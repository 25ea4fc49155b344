// Media devices through the media control interface. Play notices go to the
// application window as MM_MCINOTIFY, which hands them back here.
#pragma once

#include <map>

#include "platform/media.h"
#include "platform/win32/win32_api.h"

namespace tk {

class Win32Media : public MediaDevices {
 public:
  explicit Win32Media(HWND notice_window) : notice_window_(notice_window) {}
  Win32Media(const Win32Media&) = delete;
  Win32Media& operator=(const Win32Media&) = delete;

  // The callback of the latest play on the device that MM_MCINOTIFY names;
  // empty when it never played.
  EndOfPlay NoticeFor(MediaDeviceId device) const;

  MediaOpened Open(MediaKind kind, const std::string& file) override;
  MediaError Play(MediaDeviceId device, const MediaRange& range, EndOfPlay on_end) override;
  MediaError Stop(MediaDeviceId device) override;
  MediaError SeekToStart(MediaDeviceId device) override;
  MediaStatus Position(MediaDeviceId device) override;
  MediaStatus TrackPosition(MediaDeviceId device, int track) override;
  MediaStatus TrackLength(MediaDeviceId device, int track) override;
  MediaError Close(MediaDeviceId device) override;

 private:
  HWND notice_window_;
  // Kept after a close: the notice of a play the close cut short comes later.
  std::map<MediaDeviceId, EndOfPlay> notices_;
};

}  // namespace tk
