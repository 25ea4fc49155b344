// Flag files: any bytes load without harm, and what loaded saves and loads
// back the same (texts the record cannot carry as they are aside).
#include "script/flag_file.h"

#include <vector>

#include "fuzz_support.h"
#include "script/flags.h"

namespace {

using tk::fuzz::Broken;

tk::fuzz::Character& Loaded() {
  static tk::fuzz::Character* character = [] {
    tk::fuzz::WriteEmptyMap();
    tk::fuzz::WriteScript(
        "*TKScriptFile\n_BeginInitFlags:\nint:n,1;\nint:Count,-5;\nstr:s,x;\nstr:Name,;\n"
        "int:Other,2;\n_EndInitFlags:\n");
    auto* made = new tk::fuzz::Character();
    if (!made->Start()) Broken("the flag character starts");
    return made;
  }();
  return *character;
}

// Separators, references, blanks at the start and bytes a line cannot hold
// are taken apart or replaced when read: such texts do not come back as
// they were, by design of the record.
bool CarriesAsIs(const std::string& text) {
  if (!text.empty() && (text[0] == ' ' || text[0] == '\t')) return false;
  for (char c : text)
    if (c == ';' || c == '@' || c == '$' || !tk::StorableInLine(c)) return false;
  return true;
}

struct Values {
  std::vector<std::int32_t> ints;
  std::vector<std::string> texts;
};

Values Read(const tk::FlagLists& flags) {
  Values v;
  for (const auto& flag : flags.ints) v.ints.push_back(flag.value);
  for (const auto& flag : flags.strs) v.texts.push_back(flag.text);
  return v;
}

void Reset(tk::FlagLists& flags) {
  for (auto& flag : flags.ints) flag.value = 77;
  for (auto& flag : flags.strs) flag.text = "-";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tk::TMainForm& form = *Loaded().form;
  Reset(form.flags);
  tk::fuzz::TheFolder().Write("f.dat", tk::fuzz::AsText(data, size));
  tk::LoadFlagFile(form, "f.dat");
  const Values loaded = Read(form.flags);
  if (!tk::SaveFlagFile(form, "f.dat")) Broken("a flag file saves");
  Reset(form.flags);
  if (!tk::LoadFlagFile(form, "f.dat")) Broken("a saved flag file loads");
  const Values again = Read(form.flags);
  if (again.ints != loaded.ints) Broken("number flags come back");
  bool texts_carry = true;
  for (const std::string& text : loaded.texts) texts_carry = texts_carry && CarriesAsIs(text);
  if (texts_carry && again.texts != loaded.texts) Broken("text flags come back");
  return 0;
}
