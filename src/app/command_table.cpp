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

// Delete commands (CMD, CED, IED, DED, PMD, RJD) take their label as text: it
// only has to match what was added, and a label never added deletes nothing.
constexpr std::array<CommandEntry, 97> kTable{{
    {">IDS", 3, RunIds, "PT"},
    {">IDD", 4, RunIdd, "T"},
    {">IDP", 5, RunIdp, "T"},
    {">ACS", 10, RunAcs, "PTNNNN"},
    {">ACD", 11, RunAcd, "T"},
    {">ACB", 12, RunAcb, "TNNN"},
    {">ACE", 13, RunAce, "TN"},
    {">CIP", 14, RunCip, "TNN"},
    {">CIE", 15, RunCie, ""},
    {">ACR", 16, RunAcr, "N"},
    {">MSP", 20, RunMsp, "M"},
    {">MSC", 21, RunMsc, ""},
    {">MLS", 22, RunMls, "NNNN"},
    {">MFS", 23, RunMfs, "NNNNN"},
    {">MFN", 24, RunMfn, "T"},
    {">MPS", 25, RunMps, "pNNNN"},
    {">SDS", 28, RunSds, "LE"},
    {">SEL", 29, RunSel, "NN"},
    {">CMS", 30, RunCms, "NNNNKL"},
    {">CMD", 31, RunCmd, "NNNNKT"},
    {">CMA", 32, RunCma, ""},
    {">PMS", 35, RunPms, "Tl"},
    {">PMD", 36, RunPmd, "TT"},
    {">PMA", 37, RunPma, ""},
    {">MVB", 40, RunMvb, "NNN"},
    {">MVE", 41, RunMve, ""},
    {">MVL", 42, RunMvl, "lllllllll"},
    {">MVR", 43, RunMvr, "NNNNl"},
    {">MVA", 44, RunMva, "NNNNl"},
    {">AWP", 50, RunAwp, "NS"},
    {">AMP", 51, RunAmp, "NS"},
    {">ACP", 52, RunAcp, "NN"},
    {">AWT", 57, RunAwt, ""},
    {">AMT", 58, RunAmt, ""},
    {">ACT", 59, RunAct, ""},
    {">RJS", 60, RunRjs, "TL"},
    {">RJP", 61, RunRjp, "T"},
    {">RJD", 62, RunRjd, "TT"},
    {">CLL", 65, RunCll, "L"},
    {">RCL", 66, RunRcl, "T"},
    {">CES", 70, RunCes, "::L"},
    {">CED", 71, RunCed, "::T"},
    {">CEA", 72, RunCea, ""},
    {">IES", 73, RunIes, "NVL"},
    {">IED", 74, RunIed, "NVT"},
    {">IEA", 75, RunIea, ""},
    {">DES", 76, RunDes, "NNNNL"},
    {">DED", 77, RunDed, "NNNNT"},
    {">DEA", 78, RunDea, ""},
    {">NS", 80, RunNs, "T"},
    {">MCS", 81, RunMcs, "Ck"},
    {">AFS", 82, RunAfs, "TTnp"},
    {">IS", 83, RunIs, "I"},
    {">NUS", 84, RunNus, ""},
    {">WCS", 85, RunWcs, "NNTll"},
    {">WAT", 90, RunWat, "N"},
    {">EXEC", 91, RunExec, "TT"},
    {">FNDP", 92, RunFndp, "FTTll"},
    {">AE", 99, RunAe, ""},
    {">TMIP", 120, RunTmip, "PNN"},
    {">TMDL", 121, RunTmdl, ""},
    {">TCIP", 125, RunTcip, "PNN"},
    {">TCON", 126, RunTcon, ""},
    {">TCOF", 127, RunTcof, ""},
    {">TCRS", 128, RunTcrs, ""},
    {">TCDL", 129, RunTcdl, ""},
    {">DCIP", 130, RunDcip, "PNNNNN"},
    {">DCID", 131, RunDcid, ""},
    {">DPIS", 132, RunDpis, "P"},
    {">DPID", 133, RunDpid, ""},
    {">DPFN", 134, RunDpfn, "T"},
    {">DPFS", 135, RunDpfs, "NNNNNNN"},
    {">DTIP", 136, RunDtip, "TNNTN"},
    {">DTSP", 137, RunDtsp, "TNNTN"},
    {">DTID", 138, RunDtid, "T"},
    {">DAIP", 140, RunDaip, "PNN"},
    {">DADL", 141, RunDadl, ""},
    {">FVS", 150, RunFvs, "FT"},
    {">FV+", 151, RunFvAdd, "FT"},
    {">FV-", 152, RunFvSubtract, "FT"},
    {">FBS", 153, RunFbs, "FNN"},
    {">FAD", 154, RunFad, "FN"},
    {">FOR", 155, RunFor, "FN"},
    {">DIDP", 156, RunInputDialogCommand, "FNTTTll"},
    {">FFLD", 157, RunFlagFileLoad, "T"},
    {">FFSV", 158, RunFlagFileSave, "T"},
    {">FFDP", 159, RunFlagFileDialog, "NTTll"},
    {">FV*", 160, RunFvMultiply, "FN"},
    {">FV/", 161, RunFvDivide, "FDN"},
    {">FV%", 162, RunFvRemainder, "FD"},
    {">FDTS", 163, RunFdts, "FN"},
    {">FDPS", 164, RunFdps, "FN"},
    {">JMP", 170, RunJmp, "L"},
    {">JVC", 171, RunJvc, "FTNL"},
    {">JB0", 172, RunJb0, "FNL"},
    {">JB1", 173, RunJb1, "FNL"},
    {"None", 0, nullptr, ""},
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
