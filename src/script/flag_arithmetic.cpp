// FVS, the arithmetic and bit commands, and the date, time and screen readers.
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/text.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/flag_commands.h"
#include "script/flags.h"

namespace tk {

namespace {

// Scripts count on 32-bit wrap-around.
std::int32_t Wrap(std::uint32_t value) {
  return static_cast<std::int32_t>(value);
}
std::uint32_t Bits(std::int32_t value) {
  return static_cast<std::uint32_t>(value);
}

// Bit numbers are taken modulo 32; -1 is bit 31.
std::uint32_t BitMask(std::int32_t bit) {
  return 1u << (Bits(bit) & 31u);
}

void Fail(CommandContext& c) {
  c.Report(ErrorKind::kParameter);
}

void AddOrAppend(CommandContext& c, FoundFlags flags, const Operand& value) {
  if (IntFlag* flag = flags.int_flag) {
    const auto number = c.Number(value);
    if (!number) return Fail(c);
    flag->value = Wrap(Bits(flag->value) + Bits(*number));
  } else if (StrFlag* text = flags.str_flag) {
    text->text += c.Text(value);
  } else {
    Fail(c);
  }
}

void SubtractOrRemove(CommandContext& c, FoundFlags flags, const Operand& operand) {
  if (IntFlag* flag = flags.int_flag) {
    const auto number = c.Number(operand);
    if (!number) return Fail(c);
    flag->value = Wrap(Bits(flag->value) - Bits(*number));
  } else if (StrFlag* text = flags.str_flag) {
    const std::string value = c.Text(operand);
    const std::size_t at = value.empty() ? std::string::npos : text->text.find(value);
    if (at == std::string::npos) return Fail(c);
    text->text.erase(at, value.size());
  } else {
    Fail(c);
  }
}

void Multiply(CommandContext& c, IntFlag* flag, std::optional<std::int32_t> number) {
  if (!flag || !number) return Fail(c);
  flag->value = Wrap(Bits(flag->value) * Bits(*number));
}

// The quotient is taken in single precision, as scripts have always seen it
// (2^24 + 1 divided by 1 is 2^24). A quotient beyond the 32-bit range has no
// integer to store and fails like a bad divisor.
void Divide(CommandContext& c, IntFlag* flag, const std::string& divisor_text,
            const std::string& rounding_text) {
  const auto divisor = ParseDecimal(divisor_text);
  const auto rounding = ParseInt32(rounding_text);
  if (!flag || !divisor || *divisor == 0 || !rounding) return Fail(c);
  const float quotient = static_cast<float>(static_cast<double>(flag->value) / *divisor);
  double rounded = quotient;
  if (*rounding == 0) rounded += quotient > 0 ? 0.5 : -0.5;
  rounded = std::trunc(rounded);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    return Fail(c);
  }
  flag->value = static_cast<std::int32_t>(rounded);
}

// The divisor is truncated toward zero; the remainder has the sign of the
// flag's value. Computed in 64 bits so that the smallest value by -1 is 0.
void Remainder(CommandContext& c, IntFlag* flag, const std::string& divisor_text) {
  const auto divisor = ParseDecimal(divisor_text);
  if (!flag || !divisor) return Fail(c);
  const double whole = std::trunc(*divisor);
  if (whole == 0) return Fail(c);
  // Any divisor beyond the 32-bit range leaves every value as it is.
  if (std::fabs(whole) > 4294967296.0) return;
  flag->value = static_cast<std::int32_t>(static_cast<std::int64_t>(flag->value) %
                                          static_cast<std::int64_t>(whole));
}

void SetBit(CommandContext& c, IntFlag* flag, std::optional<std::int32_t> bit,
            std::optional<std::int32_t> bit_value) {
  if (!bit || !bit_value) return Fail(c);
  if (!flag) return;
  const std::uint32_t mask = BitMask(*bit);
  flag->value = Wrap(*bit_value % 2 != 0 ? Bits(flag->value) | mask : Bits(flag->value) & ~mask);
}

void Bitwise(CommandContext& c, IntFlag* flag, std::optional<std::int32_t> value, bool is_and) {
  if (!value) return Fail(c);
  if (!flag) return;
  flag->value = Wrap(is_and ? Bits(flag->value) & Bits(*value) : Bits(flag->value) | Bits(*value));
}

std::string DateTimePart(const LocalTime& now, std::int32_t part) {
  switch (part) {
    case 0:
      return std::to_string(now.year);
    case 1:
      return std::to_string(now.month);
    case 2:
      return std::to_string(now.day);
    case 3:
      return std::to_string(now.hour);
    case 4:
      return std::to_string(now.minute);
    case 5:
      return std::to_string(now.second);
    default:
      return "0";
  }
}

std::string ScreenSize(const Platform& platform, std::int32_t which) {
  switch (which) {
    case 0:
      return std::to_string(platform.ScreenWidth());
    case 1:
      return std::to_string(platform.ScreenHeight());
    default:
      return "0";
  }
}

// Every flag command names its flag first, then its first operand.
struct Operands {
  Operand name;
  Operand first;
};

// Built in place (the braces read left to right): moving an operand would
// copy its text buffer.
Operands ReadOperands(CommandContext& c) {
  return {c.ReadOperand(), c.ReadOperand()};
}

// The operand is a number choosing the text the flag takes. A flag that does
// not take the text is left alone without a report.
template <typename TextFor>
void SetFlagToChoice(CommandContext& c, TextFor&& text_for) {
  const auto [name, choice] = ReadOperands(c);
  if (const auto number = c.Number(choice)) {
    const std::string text = text_for(*number);
    FlagLists::SetFlagText(c.FlagsNamed(name), text);
  } else {
    Fail(c);
  }
}

}  // namespace

void RunFvs(CommandContext& c) {
  const auto [name, text] = ReadOperands(c);
  if (!FlagLists::SetFlagText(c.FlagsNamed(name), c.Text(text))) Fail(c);
}

void RunFvAdd(CommandContext& c) {
  const auto [name, value] = ReadOperands(c);
  AddOrAppend(c, c.FlagsNamed(name), value);
}

void RunFvSubtract(CommandContext& c) {
  const auto [name, value] = ReadOperands(c);
  SubtractOrRemove(c, c.FlagsNamed(name), value);
}

void RunFvMultiply(CommandContext& c) {
  const auto [name, value] = ReadOperands(c);
  Multiply(c, c.FlagsNamed(name).int_flag, c.Number(value));
}

void RunFvDivide(CommandContext& c) {
  const auto [name, divisor] = ReadOperands(c);
  const std::string rounding = c.Param();
  Divide(c, c.FlagsNamed(name).int_flag, c.Text(divisor), rounding);
}

void RunFvRemainder(CommandContext& c) {
  const auto [name, divisor] = ReadOperands(c);
  Remainder(c, c.FlagsNamed(name).int_flag, c.Text(divisor));
}

void RunFbs(CommandContext& c) {
  const auto [name, bit] = ReadOperands(c);
  const Operand bit_value = c.ReadOperand();
  SetBit(c, c.FlagsNamed(name).int_flag, c.Number(bit), c.Number(bit_value));
}

void RunFad(CommandContext& c) {
  const auto [name, value] = ReadOperands(c);
  Bitwise(c, c.FlagsNamed(name).int_flag, c.Number(value), true);
}

void RunFor(CommandContext& c) {
  const auto [name, value] = ReadOperands(c);
  Bitwise(c, c.FlagsNamed(name).int_flag, c.Number(value), false);
}

void RunFdts(CommandContext& c) {
  SetFlagToChoice(c, [&](std::int32_t part) { return DateTimePart(c.form.platform.Now(), part); });
}

void RunFdps(CommandContext& c) {
  SetFlagToChoice(c, [&](std::int32_t which) { return ScreenSize(c.form.platform, which); });
}

}  // namespace tk
