// Numbers worn on the character: a clock, a counter, a day count and the
// date, kept up to date by timers of their own, and number pictures the
// script places. Each is drawn from a digit strip (equal cells side by side)
// and shown as a one-frame animation, so it is composed and removed like
// any other.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/bitmap.h"
#include "base/messages.h"
#include "form/second_pacer.h"
#include "imagery/calendar.h"
#include "platform/timer.h"

namespace tk {

class TMainForm;

// The font of the script's text images; names are kept as a 32-byte buffer
// would keep them.
inline constexpr std::size_t kFontNameCapacity = 32;
struct TextImageFont {
  std::string name = msg::kFormFontName;
  int size = 10;
  std::uint32_t colour = 0x800000;  // 0x00BBGGRR
  std::uint32_t shadow = 0;         // 0: no shadow
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

// A live image: a strip at a place, redrawn by its timer when its value
// changes. It is live from its first strip until its delete command.
struct LiveImage {
  Bitmap strip;
  int x = 0;
  int y = 0;
  bool live = false;
  Timer timer;
  int last_value = -1;  // the second or day last drawn; -1 draws the first
  unsigned wakes = 0;   // how often the timer woke, for those who pace it
};

inline constexpr int kCounterSpan = 100 * 3600;  // 00:00:00 to 99:59:59
struct CounterImage : LiveImage {
  int next = 0;                // seconds the next count shows
  std::uint64_t next_due = 0;  // tick of the next count while counting
};

struct DayCountImage : LiveImage {
  CalendarDate target;
};

struct NumberImages {
  LiveImage clock;  // on the form's second beat: no timer of its own
  CounterImage counter;
  DayCountImage day_count;
  LiveImage date;
  Bitmap number_strip;  // DTIP draws nothing without one
  TextImageFont font;
  MonotonicTicks ticks;
};

// Animation names of the live images.
inline constexpr char kTimeImage[] = "_TimeImage";
inline constexpr char kCounterImage[] = "_CounterImage";
inline constexpr char kDaysCountImage[] = "_DaysCountImage";
inline constexpr char kDateImage[] = "_DateImage";

// Cells per strip: the digits, then the marks of each kind.
inline constexpr int kTimeCells = 11;    // separator
inline constexpr int kDateCells = 12;    // space, "/"
inline constexpr int kNumberCells = 12;  // space, "-"
inline constexpr int kBlankCell = -1;    // a cell the strip has not: its key colour

// One cell of `strip` (cut into `cell_count` equal cells) per entry of
// `cells`, side by side; empty when the cells have no pixels or the picture
// would be too large.
Bitmap ComposeCells(const Bitmap& strip, int cell_count, std::span<const int> cells);

// Loads a strip; on failure shows the box, logs nothing and keeps `strip`.
bool LoadDigitStrip(TMainForm& form, Bitmap& strip, const std::string& file);

// Shows `picture` at (x, y) as the one-frame animation `name`, in place of
// every animation of that name; an empty picture only removes them. A
// `fine` picture, `fine_factor` times larger, shows on a display of that
// factor instead of the picture's blocks.
void ReplaceImageAnimation(TMainForm& form, const std::string& name, const Bitmap& picture, int x,
                           int y, Bitmap fine = {}, int fine_factor = 0);

// The live images. Each set command loads its strip (a failure shows a box
// and keeps the strip there was) and takes the place either way; the first
// strip makes the image live and draws it.
void SetClockImage(TMainForm& form, const std::string& file, int x, int y);
void DeleteClockImage(TMainForm& form);
void SetCounterImage(TMainForm& form, const std::string& file, int x, int y);
void StartCounter(TMainForm& form);
void StopCounter(TMainForm& form);
void ResetCounter(TMainForm& form);
void DeleteCounterImage(TMainForm& form);
void SetDayCountImage(TMainForm& form, const std::string& file, int x, int y,
                      const CalendarDate& target);
void DeleteDayCountImage(TMainForm& form);
void SetDateImage(TMainForm& form, const std::string& file, int x, int y);
void DeleteDateImage(TMainForm& form);

// The script's number pictures.
void LoadNumberStrip(TMainForm& form, const std::string& file);
void ReleaseNumberStrip(TMainForm& form);
// `text` in a field of `width` characters as printf pads it ("%5s", "%-5s").
void ShowNumberImage(TMainForm& form, const std::string& text, int x, int y,
                     const std::string& name, int width);

}  // namespace tk
