#include "screen_font.h"

#include <cstdlib>
#include <string>

#include "console_text.h"

#ifdef TKC_FREETYPE
#include "platform/sim/freetype/freetype_text.h"
#elif defined(TKC_GDI)
#include "platform/win32/gdi_text.h"
#endif

namespace tkc {

namespace {

constexpr char kFallback[] = "; text is drawn as blocks";

}  // namespace

#ifdef TKC_FREETYPE

std::unique_ptr<tk::TextRenderer> OpenScreenFont() {
  const std::optional<tk::GothicFontFiles> files = tk::FindGothicFonts(std::getenv("TKC_FONT"));
  if (!files) {
    Fail(std::string("no Japanese font: install fonts-ipafont-gothic or name a font file in "
                     "TKC_FONT") +
         kFallback);
    return nullptr;
  }
  std::string error;
  std::unique_ptr<tk::TextRenderer> font = tk::FreeTypeText::Open(*files, error);
  if (!font) Fail(error + kFallback);
  return font;
}

#elif defined(TKC_GDI)

std::unique_ptr<tk::TextRenderer> OpenScreenFont() {
  return std::make_unique<tk::win32::GdiText>();
}

#else

std::unique_ptr<tk::TextRenderer> OpenScreenFont() {
  Fail(std::string("this tkc was built without FreeType") + kFallback);
  return nullptr;
}

#endif

}  // namespace tkc
