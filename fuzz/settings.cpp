// tk.ini: any bytes, then a start and an exit; the file written at exit
// must read back with the window's position in it.
#include "app/settings.h"

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    tk::fuzz::WriteEmptyMap();
    tk::fuzz::WriteScript("*TKScriptFile\n_FirstAction:\n>AE;\n_LastAction:\n>AE;\n");
    return true;
  }();
  (void)ready;
  tk::fuzz::TheFolder().Write("tk.ini", tk::fuzz::AsText(data, size));
  {
    tk::fuzz::Character c;
    c.Start();
  }
  const auto written = tk::SimPlatform(tk::fuzz::TheFolder().Path(), tk::fuzz::TheFolder().Path())
                           .ReadFile("tk.ini", 1 << 20);
  if (!written) tk::fuzz::Broken("tk.ini is written at exit");
  const tk::ProfileFile settings(*written);
  if (settings.GetInt("WndPos", "X_Pos", 1) != settings.GetInt("WndPos", "X_Pos", 2))
    tk::fuzz::Broken("the position is saved");
  return 0;
}
