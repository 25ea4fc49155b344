// The built tenkoro.exe carries what Windows reads before it runs a line of
// the program: its manifest and its version. A mistake in either shows only
// on Windows (a program that will not start, a blurred or stretched
// character, an empty Details tab), so it is checked here, in the file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "exe/pe_resources.h"

namespace tk::pe {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::string& Program() {
  static const std::string bytes = ReadWhole(TK_PROGRAM_EXE);
  return bytes;
}

// Windows refuses to start a program whose manifest is not well-formed XML
// ("side-by-side configuration is incorrect"). Returns what is wrong, or "".
std::string XmlNestingFault(const std::string& xml) {
  std::vector<std::string> open;
  for (std::size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at)) {
    if (xml.compare(at, 4, "<!--") == 0) {
      const std::size_t end = xml.find("-->", at);
      if (end == std::string::npos) return "an unclosed comment";
      at = end + 3;
      continue;
    }
    const std::size_t end = xml.find('>', at);
    if (end == std::string::npos) return "an unclosed tag";
    const std::string tag = xml.substr(at + 1, end - at - 1);
    at = end + 1;
    if (tag.starts_with('?')) continue;
    const bool closing = tag.starts_with('/');
    std::string name = tag.substr(closing ? 1 : 0);
    name = name.substr(0, name.find_first_of(" \t\r\n/"));
    if (closing) {
      if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
      open.pop_back();
    } else if (!tag.ends_with('/')) {
      open.push_back(name);
    }
  }
  return open.empty() ? "" : "<" + open.back() + "> is never closed";
}

TEST(ProgramResources, ManifestDeclaresWhatWindowsNeeds) {
  const auto manifest = FindResource(Program(), kTypeManifest, 1);
  ASSERT_TRUE(manifest) << "tenkoro.exe has no manifest (type 24, id 1)";
  EXPECT_TRUE(manifest->starts_with("<?xml")) << *manifest;
  EXPECT_EQ(XmlNestingFault(*manifest), "");
  const char* required[] = {
      // Per-monitor DPI awareness, with the older form for Windows 8.1 and early 10.
      "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
      "PerMonitorV2, PerMonitor</dpiAwareness>",
      "<dpiAware "
      "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
      "publicKeyToken=\"6595b64144ccf1df\"",
      "<requestedExecutionLevel level=\"asInvoker\"",
      "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // 7
      "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // 8
      "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // 8.1
      "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // 10 and 11
  };
  for (const char* text : required) {
    EXPECT_NE(manifest->find(text), std::string::npos) << "the manifest lacks " << text;
  }
}

TEST(ProgramResources, VersionMatchesTheProject) {
  const auto resource = FindResource(Program(), kTypeVersion, 1);
  ASSERT_TRUE(resource) << "tenkoro.exe has no version resource (type 16, id 1)";
  VersionInfo info = ParseVersionInfo(*resource);
  EXPECT_EQ(info.file_version, TK_VERSION ".0");
  EXPECT_EQ(info.product_version, TK_VERSION ".0");
  EXPECT_EQ(info.strings["FileVersion"], TK_VERSION);
  EXPECT_EQ(info.strings["ProductVersion"], TK_VERSION);
  EXPECT_EQ(info.strings["ProductName"], "Tenkoro");
  EXPECT_EQ(info.strings["OriginalFilename"], "tenkoro.exe");
  for (const char* key : {"FileDescription", "CompanyName", "LegalCopyright"}) {
    EXPECT_NE(info.strings[key], "") << key;
  }
}

// The reader must tell a missing resource and a foreign file apart from a
// present one, or the checks above could pass on nothing.
TEST(ProgramResources, ReaderReportsAbsenceAndForeignFiles) {
  // The driver is built without resources of its own.
  const std::string driver = ReadWhole(TK_DRIVER_EXE);
  EXPECT_FALSE(FindResource(driver, kTypeManifest, 1));
  EXPECT_FALSE(FindResource(driver, kTypeVersion, 1));
  EXPECT_FALSE(FindResource(Program(), kTypeVersion, 2));
  EXPECT_THROW(FindResource("#!/bin/sh\n", kTypeManifest, 1), FormatError);
  // Cut inside the headers' section table or resource data.
  EXPECT_THROW(FindResource(Program().substr(0, 0x200), kTypeManifest, 1), FormatError);
  EXPECT_THROW(ParseVersionInfo(std::string("\x40\x00\x34\x00", 4)), FormatError);
}

TEST(ProgramResources, NestingCheckFindsBrokenXml) {
  EXPECT_EQ(XmlNestingFault("<?xml?><a><b x=\"1\"/><!-- <c> --></a>"), "");
  EXPECT_NE(XmlNestingFault("<a><b></a>"), "");
  EXPECT_NE(XmlNestingFault("<a>"), "");
  EXPECT_NE(XmlNestingFault("<a><!-- </a>"), "");
}

}  // namespace
}  // namespace tk::pe
