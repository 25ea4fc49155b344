#include "script/command_table.h"

#include <array>

#include "app/system_commands.h"
#include "imagery/imagery_commands.h"
#include "interaction/interaction_commands.h"
#include "motion/motion_commands.h"
#include "script/control_flow.h"
#include "script/flag_commands.h"
#include "sound/sound_commands.h"

namespace tk {

namespace {

constexpr std::array<CommandEntry, 97> kTable{{
    {">IDS", 3, RunPictureCommand},
    {">IDD", 4, RunPictureCommand},
    {">IDP", 5, RunPictureCommand},
    {">ACS", 10, RunAnimationCommand},
    {">ACD", 11, RunAnimationCommand},
    {">ACB", 12, RunAnimationCommand},
    {">ACE", 13, RunAnimationCommand},
    {">CIP", 14, RunAnimationCommand},
    {">CIE", 15, RunAnimationCommand},
    {">ACR", 16, RunAnimationCommand},
    {">MSP", 20, RunSpeechCommand},
    {">MSC", 21, RunSpeechCommand},
    {">MLS", 22, RunSpeechCommand},
    {">MFS", 23, RunSpeechCommand},
    {">MFN", 24, RunSpeechCommand},
    {">MPS", 25, RunSpeechCommand},
    {">SDS", 28, RunSpeechCommand},
    {">SEL", 29, RunSpeechCommand},
    {">CMS", 30, RunMapCommand},
    {">CMD", 31, RunMapCommand},
    {">CMA", 32, RunMapCommand},
    {">PMS", 35, RunMenuItemCommand},
    {">PMD", 36, RunMenuItemCommand},
    {">PMA", 37, RunMenuItemCommand},
    {">MVB", 40, RunWalkCommand},
    {">MVE", 41, RunWalkCommand},
    {">MVL", 42, RunWalkCommand},
    {">MVR", 43, RunWalkCommand},
    {">MVA", 44, RunWalkCommand},
    {">AWP", 50, RunSoundCommand},
    {">AMP", 51, RunSoundCommand},
    {">ACP", 52, RunSoundCommand},
    {">AWT", 57, RunSoundCommand},
    {">AMT", 58, RunSoundCommand},
    {">ACT", 59, RunSoundCommand},
    {">RJS", 60, RunControlCommand},
    {">RJP", 61, RunControlCommand},
    {">RJD", 62, RunControlCommand},
    {">CLL", 65, RunControlCommand},
    {">RCL", 66, RunControlCommand},
    {">CES", 70, RunEventCommand},
    {">CED", 71, RunEventCommand},
    {">CEA", 72, RunEventCommand},
    {">IES", 73, RunEventCommand},
    {">IED", 74, RunEventCommand},
    {">IEA", 75, RunEventCommand},
    {">DES", 76, RunEventCommand},
    {">DED", 77, RunEventCommand},
    {">DEA", 78, RunEventCommand},
    {">NS", 80, RunSystemCommand},
    {">MCS", 81, RunSystemCommand},
    {">AFS", 82, RunSystemCommand},
    {">IS", 83, RunSystemCommand},
    {">NUS", 84, RunSystemCommand},
    {">WCS", 85, RunClingCommand},
    {">WAT", 90, RunControlCommand},
    {">EXEC", 91, RunControlCommand},
    {">FNDP", 92, RunControlCommand},
    {">AE", 99, RunControlCommand},
    {">TMIP", 120, RunClockCommand},
    {">TMDL", 121, RunClockCommand},
    {">TCIP", 125, RunClockCommand},
    {">TCON", 126, RunClockCommand},
    {">TCOF", 127, RunClockCommand},
    {">TCRS", 128, RunClockCommand},
    {">TCDL", 129, RunClockCommand},
    {">DCIP", 130, RunClockCommand},
    {">DCID", 131, RunClockCommand},
    {">DPIS", 132, RunClockCommand},
    {">DPID", 133, RunClockCommand},
    {">DPFN", 134, RunClockCommand},
    {">DPFS", 135, RunClockCommand},
    {">DTIP", 136, RunClockCommand},
    {">DTSP", 137, RunClockCommand},
    {">DTID", 138, RunClockCommand},
    {">DAIP", 140, RunClockCommand},
    {">DADL", 141, RunClockCommand},
    {">FVS", 150, RunFlagCommand},
    {">FV+", 151, RunFlagCommand},
    {">FV-", 152, RunFlagCommand},
    {">FBS", 153, RunFlagCommand},
    {">FAD", 154, RunFlagCommand},
    {">FOR", 155, RunFlagCommand},
    {">DIDP", 156, RunFlagFileCommand},
    {">FFLD", 157, RunFlagFileCommand},
    {">FFSV", 158, RunFlagFileCommand},
    {">FFDP", 159, RunFlagFileCommand},
    {">FV*", 160, RunFlagCommand},
    {">FV/", 161, RunFlagCommand},
    {">FV%", 162, RunFlagCommand},
    {">FDTS", 163, RunFlagCommand},
    {">FDPS", 164, RunFlagCommand},
    {">JMP", 170, RunControlCommand},
    {">JVC", 171, RunControlCommand},
    {">JB0", 172, RunControlCommand},
    {">JB1", 173, RunControlCommand},
    {"None", 0, nullptr},
}};

bool NameMatches(std::string_view entry, std::string_view name) {
  if (entry.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != entry[i]) return false;
  }
  return true;
}

}  // namespace

std::span<const CommandEntry> CommandTable() {
  return kTable;
}

const CommandEntry& LookupCommand(std::string_view name) {
  for (const CommandEntry& entry : kTable) {
    if (entry.code == 0 || NameMatches(entry.name, name)) return entry;
  }
  return kTable.back();
}

}  // namespace tk
