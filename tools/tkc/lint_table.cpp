#include "lint_table.h"

#include <array>

namespace tkc {

namespace {

// Every command the program knows. Delete commands (CMD, CED, IED, DED,
// PMD, RJD) take their label as text: it only has to match what was added,
// and a label that was never added deletes nothing.
constexpr std::array<CommandParams, 96> kParams{{
    {">IDS", "PT"},     {">IDD", "T"},      {">IDP", "T"},         {">ACS", "PTNNNN"},
    {">ACD", "T"},      {">ACB", "TNNN"},   {">ACE", "TN"},        {">CIP", "TNN"},
    {">CIE", ""},       {">ACR", "N"},      {">MSP", "M"},         {">MSC", ""},
    {">MLS", "NNNN"},   {">MFS", "NNNNN"},  {">MFN", "T"},         {">MPS", "pNNNN"},
    {">SDS", "LE"},     {">SEL", "NN"},     {">CMS", "NNNNKL"},    {">CMD", "NNNNKT"},
    {">CMA", ""},       {">PMS", "Tl"},     {">PMD", "TT"},        {">PMA", ""},
    {">MVB", "NNN"},    {">MVE", ""},       {">MVL", "lllllllll"}, {">MVR", "NNNNl"},
    {">MVA", "NNNNl"},  {">AWP", "NS"},     {">AMP", "NS"},        {">ACP", "NN"},
    {">AWT", ""},       {">AMT", ""},       {">ACT", ""},          {">RJS", "TL"},
    {">RJP", "T"},      {">RJD", "TT"},     {">CLL", "L"},         {">RCL", "T"},
    {">CES", "::L"},    {">CED", "::T"},    {">CEA", ""},          {">IES", "NVL"},
    {">IED", "NVT"},    {">IEA", ""},       {">DES", "NNNNL"},     {">DED", "NNNNT"},
    {">DEA", ""},       {">NS", "T"},       {">MCS", "Ck"},        {">AFS", "TTnp"},
    {">IS", "I"},       {">NUS", ""},       {">WCS", "NNTll"},     {">WAT", "N"},
    {">EXEC", "TT"},    {">FNDP", "FTTll"}, {">AE", ""},           {">TMIP", "PNN"},
    {">TMDL", ""},      {">TCIP", "PNN"},   {">TCON", ""},         {">TCOF", ""},
    {">TCRS", ""},      {">TCDL", ""},      {">DCIP", "PNNNNN"},   {">DCID", ""},
    {">DPIS", "P"},     {">DPID", ""},      {">DPFN", "T"},        {">DPFS", "NNNNNNN"},
    {">DTIP", "TNNTN"}, {">DTSP", "TNNTN"}, {">DTID", "T"},        {">DAIP", "PNN"},
    {">DADL", ""},      {">FVS", "FT"},     {">FV+", "FT"},        {">FV-", "FT"},
    {">FBS", "FNN"},    {">FAD", "FN"},     {">FOR", "FN"},        {">DIDP", "FNTTTll"},
    {">FFLD", "T"},     {">FFSV", "T"},     {">FFDP", "NTTll"},    {">FV*", "FN"},
    {">FV/", "FDN"},    {">FV%", "FD"},     {">FDTS", "FN"},       {">FDPS", "FN"},
    {">JMP", "L"},      {">JVC", "FTNL"},   {">JB0", "FNL"},       {">JB1", "FNL"},
}};

}  // namespace

std::optional<CommandParams> FindCommandParams(std::string_view table_name) {
  for (const CommandParams& row : kParams) {
    if (row.name == table_name) return row;
  }
  return std::nullopt;
}

}  // namespace tkc
