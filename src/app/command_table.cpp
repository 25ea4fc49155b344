#include "app/command_table.h"

#include <array>

#include "app/system_commands.h"
#include "imagery/imagery_commands.h"
#include "imagery/number_commands.h"
#include "imagery/text_image.h"
#include "interaction/interaction_commands.h"
#include "motion/cling.h"
#include "motion/cling_state.h"
#include "motion/event_commands.h"
#include "motion/walk_commands.h"
#include "script/control_flow.h"
#include "script/flag_commands.h"
#include "script/flag_file.h"
#include "script/input_dialog.h"
#include "sound/sound_commands.h"

namespace tk {

namespace {

constexpr std::array<CommandEntry, 97> kTable{{
    {">IDS", 3, RunIds},
    {">IDD", 4, RunIdd},
    {">IDP", 5, RunIdp},
    {">ACS", 10, RunAcs},
    {">ACD", 11, RunAcd},
    {">ACB", 12, RunAcb},
    {">ACE", 13, RunAce},
    {">CIP", 14, RunCip},
    {">CIE", 15, RunCie},
    {">ACR", 16, RunAcr},
    {">MSP", 20, RunMsp},
    {">MSC", 21, RunMsc},
    {">MLS", 22, RunMls},
    {">MFS", 23, RunMfs},
    {">MFN", 24, RunMfn},
    {">MPS", 25, RunMps},
    {">SDS", 28, RunSds},
    {">SEL", 29, RunSel},
    {">CMS", 30, RunCms},
    {">CMD", 31, RunCmd},
    {">CMA", 32, RunCma},
    {">PMS", 35, RunPms},
    {">PMD", 36, RunPmd},
    {">PMA", 37, RunPma},
    {">MVB", 40, RunMvb},
    {">MVE", 41, RunMve},
    {">MVL", 42, RunMvl},
    {">MVR", 43, RunMvr},
    {">MVA", 44, RunMva},
    {">AWP", 50, RunAwp},
    {">AMP", 51, RunAmp},
    {">ACP", 52, RunAcp},
    {">AWT", 57, RunAwt},
    {">AMT", 58, RunAmt},
    {">ACT", 59, RunAct},
    {">RJS", 60, RunRjs},
    {">RJP", 61, RunRjp},
    {">RJD", 62, RunRjd},
    {">CLL", 65, RunCll},
    {">RCL", 66, RunRcl},
    {">CES", 70, RunCes},
    {">CED", 71, RunCed},
    {">CEA", 72, RunCea},
    {">IES", 73, RunIes},
    {">IED", 74, RunIed},
    {">IEA", 75, RunIea},
    {">DES", 76, RunDes},
    {">DED", 77, RunDed},
    {">DEA", 78, RunDea},
    {">NS", 80, RunNs},
    {">MCS", 81, RunMcs},
    {">AFS", 82, RunAfs},
    {">IS", 83, RunIs},
    {">NUS", 84, RunNus},
    {">WCS", 85, RunWcs},
    {">WAT", 90, RunWat},
    {">EXEC", 91, RunExec},
    {">FNDP", 92, RunFndp},
    {">AE", 99, RunAe},
    {">TMIP", 120, RunTmip},
    {">TMDL", 121, RunTmdl},
    {">TCIP", 125, RunTcip},
    {">TCON", 126, RunTcon},
    {">TCOF", 127, RunTcof},
    {">TCRS", 128, RunTcrs},
    {">TCDL", 129, RunTcdl},
    {">DCIP", 130, RunDcip},
    {">DCID", 131, RunDcid},
    {">DPIS", 132, RunDpis},
    {">DPID", 133, RunDpid},
    {">DPFN", 134, RunDpfn},
    {">DPFS", 135, RunDpfs},
    {">DTIP", 136, RunDtip},
    {">DTSP", 137, RunDtsp},
    {">DTID", 138, RunDtid},
    {">DAIP", 140, RunDaip},
    {">DADL", 141, RunDadl},
    {">FVS", 150, RunFvs},
    {">FV+", 151, RunFvAdd},
    {">FV-", 152, RunFvSubtract},
    {">FBS", 153, RunFbs},
    {">FAD", 154, RunFad},
    {">FOR", 155, RunFor},
    {">DIDP", 156, RunInputDialogCommand},
    {">FFLD", 157, RunFlagFileLoad},
    {">FFSV", 158, RunFlagFileSave},
    {">FFDP", 159, RunFlagFileDialog},
    {">FV*", 160, RunFvMultiply},
    {">FV/", 161, RunFvDivide},
    {">FV%", 162, RunFvRemainder},
    {">FDTS", 163, RunFdts},
    {">FDPS", 164, RunFdps},
    {">JMP", 170, RunJmp},
    {">JVC", 171, RunJvc},
    {">JB0", 172, RunJb0},
    {">JB1", 173, RunJb1},
    {"None", 0, nullptr},
}};

}  // namespace

std::span<const CommandEntry> CommandTable() {
  return kTable;
}

const CommandIndex& Commands() {
  static const CommandIndex index(kTable);
  return index;
}

const CommandEntry& LookupCommand(std::string_view name) {
  return Commands().Find(name);
}

}  // namespace tk
