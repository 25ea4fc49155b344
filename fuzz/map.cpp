// The clickable map: any file loads or is refused without harm, and the
// pointer's hover and clicks over what loaded stay harmless too.
#include "fuzz_support.h"
#include "interaction/clickable_map.h"

namespace {

tk::fuzz::Character& Started() {
  static tk::fuzz::Character* character = [] {
    tk::fuzz::WriteEmptyMap();
    tk::fuzz::WriteScript("*TKScriptFile\n_FirstAction:\n>AE;\nHead:\n>AE;\nA:\n>AE;\n");
    auto* made = new tk::fuzz::Character(50'000);
    if (!made->Start()) tk::fuzz::Broken("the map character starts");
    return made;
  }();
  return *character;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  tk::fuzz::Character& c = Started();
  const bool plain_text = data[0] & 1;
  tk::fuzz::TheFolder().Write("m.map", tk::fuzz::AsText(data + 1, size - 1));
  tk::LoadMapFile(*c.form, "m.map", plain_text);
  // Points at the corners, the middle and far outside of small regions.
  for (const int x : {-1, 0, 5, 50, 2147483647}) {
    for (const int y : {-2147483647 - 1, 0, 7, 60}) {
      tk::MapHoverTest(*c.form, x, y);
      tk::MapClickTest(*c.form, x, y);
    }
  }
  c.Allow(80'000);  // each click's action gets a fresh allowance
  return 0;
}
