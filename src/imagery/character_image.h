// The character's pictures: the image list, the back buffer the main window
// shows, and the commands IDS, IDD and IDP.
#pragma once

#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/text.h"

namespace tk {

class Layer;
class TMainForm;
struct Animation;

// Names are kept as a 32-byte buffer would keep them, cut where they enter
// so that every command naming a picture or animation compares the same bytes.
inline constexpr std::size_t kImageNameCapacity = 32;
inline std::string CutImageName(std::string_view name) {
  return BoundedText::Cut(name, kImageNameCapacity);
}

struct ImageEntry {
  std::string name;
  Bitmap bitmap;
  Region region;  // built once, when the picture is loaded
};

struct CharacterImages {
  std::vector<ImageEntry> entries;  // load order; the first of a name wins
  std::string current_name;         // of the last IDP that succeeded
  Bitmap back_buffer;               // exactly what the main window shows
  // On a scaled display, the back buffer at the window's factor, composed
  // from the same layers so that text images keep their finer text.
  Bitmap device_back;
  // Where a redraw composes before the back buffer takes what changed: the
  // back buffer's size, kept from one redraw to the next.
  Bitmap scratch;
  std::vector<const Layer*> layers;  // the layers of the latest redraw

  const ImageEntry* Find(const std::string& name) const;
};

// IDS: false (after the message box) when the file does not load.
bool LoadCharacterImage(TMainForm& form, const std::string& file, const std::string& name);
// IDD: an empty name deletes every entry.
void DeleteCharacterImages(TMainForm& form, const std::string& name);
// IDP: silently nothing for a name no entry has.
void ShowCharacterImage(TMainForm& form, const std::string& name);

// Copies `area` of the back buffer to the main window (on a scaled display,
// that of the device back buffer).
void PresentArea(TMainForm& form, const Rect& area);
// An animation's current frame drawn straight onto the device back buffer,
// as it was onto the back buffer; nothing on an unscaled display.
void DrawOntoDeviceBack(TMainForm& form, const Animation& animation, const Rect& clip);
// Recomposes `area` of the back buffer from the main window's layers (the
// current picture, then the running animations in list order); nothing
// reaches the screen. Returns the smallest rectangle around the pixels that
// changed, empty when none did.
Rect RecomposeArea(TMainForm& form, const Rect& area);
// Whether recomposing `area` would change the back buffer there; the back
// buffer is left as it was.
bool RecomposingWouldChange(TMainForm& form, const Rect& area);

bool IsPaletteDisplay(const TMainForm& form);

}  // namespace tk
