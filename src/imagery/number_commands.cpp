#include "imagery/number_commands.h"

#include <optional>

#include "base/text.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/imagery_commands.h"
#include "imagery/number_images.h"
#include "script/command_context.h"

namespace tk {

namespace {

struct Placement {
  std::string file;
  int x = 0;
  int y = 0;
};

// File name, x, y; nothing after a Parameter Error.
std::optional<Placement> ReadPlacement(CommandContext& c) {
  Placement p{c.Param()};
  const auto x = c.Int();
  if (!x) return std::nullopt;
  const auto y = c.Int();
  if (!y) return std::nullopt;
  p.x = *x;
  p.y = *y;
  return p;
}

// A target the day arithmetic cannot reach (a month outside the year, a
// year or day beyond 16 bits) is a Parameter Error like a non-number.
std::optional<CalendarDate> ReadTargetDate(CommandContext& c) {
  const auto read = c.Ints<3>();
  if (!read) return std::nullopt;
  const CalendarDate date{(*read)[0], (*read)[1], (*read)[2]};
  if (IsCountableDate(date)) return date;
  c.Report(ErrorKind::kParameter);
  return std::nullopt;
}

}  // namespace

void RunTmip(CommandContext& c) {
  if (const auto p = ReadPlacement(c)) SetClockImage(c.form, p->file, p->x, p->y);
}

void RunTmdl(CommandContext& c) {
  DeleteClockImage(c.form);
}

void RunTcip(CommandContext& c) {
  if (const auto p = ReadPlacement(c)) SetCounterImage(c.form, p->file, p->x, p->y);
}

void RunTcon(CommandContext& c) {
  StartCounter(c.form);
}

void RunTcof(CommandContext& c) {
  StopCounter(c.form);
}

void RunTcrs(CommandContext& c) {
  ResetCounter(c.form);
}

void RunTcdl(CommandContext& c) {
  DeleteCounterImage(c.form);
}

void RunDcip(CommandContext& c) {
  const auto p = ReadPlacement(c);
  if (!p) return;
  if (const auto target = ReadTargetDate(c)) {
    SetDayCountImage(c.form, p->file, p->x, p->y, *target);
  }
}

void RunDcid(CommandContext& c) {
  DeleteDayCountImage(c.form);
}

void RunDaip(CommandContext& c) {
  if (const auto p = ReadPlacement(c)) SetDateImage(c.form, p->file, p->x, p->y);
}

void RunDadl(CommandContext& c) {
  DeleteDateImage(c.form);
}

void RunDpis(CommandContext& c) {
  LoadNumberStrip(c.form, c.Param());
}

void RunDpid(CommandContext& c) {
  ReleaseNumberStrip(c.form);
}

void RunDpfn(CommandContext& c) {
  c.form.numbers.font.name = BoundedText::Cut(c.Param(), kFontNameCapacity);
}

// Every number is read before any is kept, so a Parameter Error leaves the
// font as it was.
void RunDpfs(CommandContext& c) {
  const auto read = c.Ints<7>();
  if (!read) return;
  const auto& v = *read;
  TextImageFont& font = c.form.numbers.font;
  font.size = v[0];
  font.colour = static_cast<std::uint32_t>(v[1]);
  font.shadow = static_cast<std::uint32_t>(v[2]);
  font.bold = v[3] == 1;
  font.italic = v[4] == 1;
  font.underline = v[5] == 1;
  font.strikeout = v[6] == 1;
}

void RunDtip(CommandContext& c) {
  const std::string text = c.Param();
  const auto x = c.Int();
  if (!x) return;
  const auto y = c.Int();
  if (!y) return;
  const std::string name = ReadImageName(c);
  if (const auto width = c.Int()) ShowNumberImage(c.form, text, *x, *y, name, *width);
}

void RunDtid(CommandContext& c) {
  DeleteAnimations(c.form, ReadImageName(c));
}

}  // namespace tk
