#include "box_gloss.h"

#include <iterator>

#include "base/messages.h"

namespace tkc {

namespace {

struct Gloss {
  const char* text;
  const char* english;
};

constexpr Gloss kGlosses[] = {
    {tk::msg::kScriptUnreadable, "The script file cannot be read."},
    {tk::msg::kScriptUnrecognised, "The script file was not recognised."},
    {tk::msg::kCommandError, "Command error."},
    {tk::msg::kDebugMode, "Running in debug mode."},
    {tk::msg::kFileOpenError, "A file could not be opened."},
    {tk::msg::kLabelNotFound, "Label not found."},
    {tk::msg::kParameterError, "Parameter error."},
    {tk::msg::kRepeatsHeldBack,
     "The same message keeps coming; from now on it only goes to the error log."},
    {tk::msg::kErrorLogUnopenable, "The error log file cannot be opened."},
    {tk::msg::kRecursiveCall, "A call command called its own action again."},
    {tk::msg::kMvrRecursion, "MVR started its own action again."},
    {tk::msg::kMvaRecursion, "MVA started its own action again."},
    {tk::msg::kCallNesting, "Calls are nested too deep."},
    {tk::msg::kRecursiveJump, "A jump command jumped into its own action again."},
    {tk::msg::kFlagFileUnwritable, "The flag file could not be saved."},
    {tk::msg::kFlagFileUnreadable, "The flag file cannot be read."},
    {tk::msg::kFlagFileUnrecognised, "The flag file was not recognised."},
    {tk::msg::kImageFileUnopenable, "The image file cannot be opened."},
    {tk::msg::kCursorFileUnopenable, "The cursor file cannot be opened."},
    {tk::msg::kIconFileUnopenable, "The icon file cannot be opened."},
    {tk::msg::kMapUnreadable, "The clickable map file cannot be read."},
    {tk::msg::kMapUnrecognised, "The clickable map file was not recognised."},
};

}  // namespace

std::string EnglishGloss(const std::string& box_text) {
  for (const Gloss& gloss : kGlosses) {
    if (box_text == gloss.text) return gloss.english;
  }
  return {};
}

}  // namespace tkc
