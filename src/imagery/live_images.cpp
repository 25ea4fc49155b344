// The clock, counter, day-count and date images. Each sleeps until its value
// can next change rather than polling: the clock redraws on the form's
// second beat, just after each turn of the second; the counter's timer
// sleeps until its next count, the day count's and the date's until midnight.
#include <algorithm>
#include <functional>
#include <vector>

#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/number_images.h"

namespace tk {

namespace {

constexpr unsigned kSecondMs = 1000;
constexpr unsigned kMinuteMs = 60 * kSecondMs;
constexpr unsigned kDayPollMs = 50;
constexpr int kSeparatorCell = 10;

std::uint64_t Ticks(TMainForm& form) {
  return form.numbers.ticks.Extend(form.platform.TickCount());
}

void PushTwoDigits(std::vector<int>& cells, int value) {
  const int v = (value % 100 + 100) % 100;
  cells.push_back(v / 10);
  cells.push_back(v % 10);
}

std::vector<int> TimeCells(int hours, int minutes, int seconds) {
  std::vector<int> cells;
  PushTwoDigits(cells, hours);
  cells.push_back(kSeparatorCell);
  PushTwoDigits(cells, minutes);
  cells.push_back(kSeparatorCell);
  PushTwoDigits(cells, seconds);
  return cells;
}

void Show(TMainForm& form, const LiveImage& image, const char* name, int cell_count,
          const std::vector<int>& cells) {
  ReplaceImageAnimation(form, name, ComposeCells(image.strip, cell_count, cells), image.x, image.y);
}

// Takes the place whatever the load does; true when this is the image's
// first strip, which makes it live.
bool Place(TMainForm& form, LiveImage& image, const std::string& file, int x, int y) {
  const bool loaded = LoadDigitStrip(form, image.strip, file);
  image.x = x;
  image.y = y;
  return loaded && !image.live;
}

void MakeLive(TMainForm& form, LiveImage& image, std::function<void()> on_tick) {
  image.live = true;
  image.timer = Timer(form.platform, std::move(on_tick));
  image.last_value = -1;
  image.wakes = 0;
}

void Retire(TMainForm& form, LiveImage& image, const char* name) {
  image.timer = Timer();
  image.strip = Bitmap();
  image.live = false;
  DeleteAnimations(form, name);
}

// --- clock ---------------------------------------------------------------

// On the second beat, which wakes just after each turn of the second.
void ShowClock(TMainForm& form) {
  const LocalTime now = form.platform.Now();
  Show(form, form.numbers.clock, kTimeImage, kTimeCells,
       TimeCells(now.hour, now.minute, now.second));
}

// --- counter -------------------------------------------------------------

// Shows the last of `counts` counts; each shows the value before its
// increment, so the first shows `next` itself.
void ShowCounts(TMainForm& form, std::uint64_t counts) {
  CounterImage& c = form.numbers.counter;
  const int shown = static_cast<int>((c.next + (counts - 1) % kCounterSpan) % kCounterSpan);
  c.next = (shown + 1) % kCounterSpan;
  Show(form, c, kCounterImage, kTimeCells, TimeCells(shown / 3600, shown / 60 % 60, shown % 60));
}

// Counts run on the tick count from TCON, so a late wake does not delay the
// next count. Returns how many fell due by `now`, and moves past them.
std::uint64_t TakeDueCounts(CounterImage& c, std::uint64_t now) {
  if (now < c.next_due) return 0;
  const std::uint64_t due = (now - c.next_due) / kSecondMs + 1;
  c.next_due += due * kSecondMs;
  return due;
}

// One held up by a busy program counts what it missed.
void CounterTick(TMainForm& form) {
  CounterImage& c = form.numbers.counter;
  ++c.wakes;
  const std::uint64_t now = Ticks(form);
  if (const std::uint64_t counts = TakeDueCounts(c, now)) ShowCounts(form, counts);
  c.timer.Start(static_cast<unsigned>(c.next_due - now));
}

// --- day count and date --------------------------------------------------

// Until just before midnight, a minute at most so that a clock set by hand
// is noticed soon; in the day's last second, polls, since the second's own
// phase is unknown here.
unsigned UntilNextDay(const LocalTime& now) {
  const int left = SecondsToMidnight(now);
  if (left <= 1) return kDayPollMs;
  return std::min(static_cast<unsigned>(left - 1) * kSecondMs, kMinuteMs);
}

bool DayChanged(LiveImage& image, const LocalTime& now) {
  const int day =
      static_cast<int>((static_cast<std::int64_t>(now.year) * 16 + now.month) * 32 + now.day);
  if (day == image.last_value) return false;
  image.last_value = day;
  return true;
}

std::vector<int> DigitCells(std::int64_t n) {
  std::vector<int> cells;
  for (char c : std::to_string(n)) cells.push_back(c - '0');
  return cells;
}

void DayCountTick(TMainForm& form) {
  DayCountImage& d = form.numbers.day_count;
  ++d.wakes;
  const LocalTime now = form.platform.Now();
  if (DayChanged(d, now) && IsCountableDate(DateOf(now))) {
    Show(form, d, kDaysCountImage, kTimeCells, DigitCells(DaysApart(DateOf(now), d.target)));
  }
  d.timer.Start(UntilNextDay(now));
}

int DateCell(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == ' ') return 10;
  if (c == '/') return 11;
  return kBlankCell;
}

void DateTick(TMainForm& form) {
  constexpr std::size_t kMaxDateCells = 16;
  LiveImage& d = form.numbers.date;
  ++d.wakes;
  const LocalTime now = form.platform.Now();
  if (DayChanged(d, now)) {
    std::vector<int> cells;
    for (char c : DateText(now, kMaxDateCells)) cells.push_back(DateCell(c));
    Show(form, d, kDateImage, kDateCells, cells);
  }
  d.timer.Start(UntilNextDay(now));
}

}  // namespace

void SetClockImage(TMainForm& form, const std::string& file, int x, int y) {
  LiveImage& clock = form.numbers.clock;
  if (!Place(form, clock, file, x, y)) return;
  clock.live = true;
  form.second_beat.Listen(SecondBeat::kClockImage, [&form] { ShowClock(form); });
  form.second_beat.Want(SecondBeat::kClockImage, true);
  ShowClock(form);
}

void DeleteClockImage(TMainForm& form) {
  form.second_beat.Want(SecondBeat::kClockImage, false);
  Retire(form, form.numbers.clock, kTimeImage);
}

void SetCounterImage(TMainForm& form, const std::string& file, int x, int y) {
  CounterImage& c = form.numbers.counter;
  if (!Place(form, c, file, x, y)) return;
  MakeLive(form, c, [&form] { CounterTick(form); });
  ShowCounts(form, 1);
}

void StartCounter(TMainForm& form) {
  CounterImage& c = form.numbers.counter;
  if (!c.live) return;
  c.next_due = Ticks(form) + kSecondMs;
  c.timer.Start(kSecondMs);
}

void StopCounter(TMainForm& form) {
  form.numbers.counter.timer.Stop();
}

// A running counter keeps its picture and its pace: zero shows at the next
// count, or now if that count is already due. The counts it missed before
// the reset are gone with the rest.
void ResetCounter(TMainForm& form) {
  CounterImage& c = form.numbers.counter;
  c.next = 0;
  if (!c.live) return;
  if (!c.timer.running() || TakeDueCounts(c, Ticks(form)) > 0) ShowCounts(form, 1);
}

void DeleteCounterImage(TMainForm& form) {
  Retire(form, form.numbers.counter, kCounterImage);
  form.numbers.counter.next = 0;
}

void SetDayCountImage(TMainForm& form, const std::string& file, int x, int y,
                      const CalendarDate& target) {
  DayCountImage& d = form.numbers.day_count;
  const bool first = Place(form, d, file, x, y);
  d.target = target;
  if (!first) return;
  MakeLive(form, d, [&form] { DayCountTick(form); });
  DayCountTick(form);
}

void DeleteDayCountImage(TMainForm& form) {
  Retire(form, form.numbers.day_count, kDaysCountImage);
}

void SetDateImage(TMainForm& form, const std::string& file, int x, int y) {
  if (!Place(form, form.numbers.date, file, x, y)) return;
  MakeLive(form, form.numbers.date, [&form] { DateTick(form); });
  DateTick(form);
}

void DeleteDateImage(TMainForm& form) {
  Retire(form, form.numbers.date, kDateImage);
}

}  // namespace tk
