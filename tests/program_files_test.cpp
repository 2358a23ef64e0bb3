// What each program file carries, read as Windows reads it: its version information in Italian,
// its icon, and no manifest. Without a manifest asking for an execution level, Windows runs the
// programs as legacy ones, whose machine-wide registry writes land in the view the game reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/support/program_file.h"

namespace {

struct ProgramFileCase {
  const char* name;
  const char* exe;
  DWORD versionLS;  // the versions are 1.0.0.x
  std::map<std::string, std::string> strings;
  std::vector<test_support::IconImage> icons;  // smallest first
};

std::map<std::string, std::string> VersionStrings(
    const std::string& description, const std::string& comments, const std::string& product,
    const std::string& internalName, const std::string& fileName, const std::string& version) {
  return {{"Comments", comments},         {"FileDescription", description},
          {"ProductName", product},       {"InternalName", internalName},
          {"OriginalFilename", fileName}, {"FileVersion", version},
          {"ProductVersion", version}};
}

class ProgramFile : public testing::TestWithParam<ProgramFileCase> {};

TEST_P(ProgramFile, CarriesItsVersionInformationInItalian) {
  const ProgramFileCase& c = GetParam();
  std::vector<std::string> names;
  for (const auto& [name, value] : c.strings) names.push_back(name);
  const auto info = test_support::ReadVersionInfo(c.exe, names);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->fileVersionMS, 0x00010000u);
  EXPECT_EQ(info->fileVersionLS, c.versionLS);
  EXPECT_EQ(info->productVersionMS, 0x00010000u);
  EXPECT_EQ(info->productVersionLS, c.versionLS);
  EXPECT_EQ(info->language, 0x0410);
  EXPECT_EQ(info->codePage, 1200);
  EXPECT_EQ(info->strings, c.strings);
}

TEST_P(ProgramFile, CarriesItsIconInItalian) {
  auto images =
      test_support::ReadIconGroup(GetParam().exe, 1, MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN));
  std::sort(images.begin(), images.end(),
            [](const auto& a, const auto& b) { return a.width < b.width; });
  ASSERT_EQ(images.size(), GetParam().icons.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    EXPECT_EQ(images[i].width, GetParam().icons[i].width) << "image " << i;
    EXPECT_EQ(images[i].height, GetParam().icons[i].height) << "image " << i;
    EXPECT_EQ(images[i].bitCount, GetParam().icons[i].bitCount) << "image " << i;
  }
}

TEST_P(ProgramFile, CarriesNoManifest) {
  EXPECT_EQ(test_support::CountManifests(GetParam().exe), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramFile,
    testing::Values(
        // One 32 x 32 icon in 256 colours.
        ProgramFileCase{
            "discpilot",
            DISCPILOT_EXE,
            1,
            VersionStrings("Goalvista DiscPilot", "Goalvista DiscPilot", "Goalvista DiscPilot",
                           "discpilot", "discpilot.exe", "1.00.0001"),
            {{32, 32, 8}}},
        // The icons in 16 x 16 and 32 x 32, 16 colours.
        ProgramFileCase{"pilotstop",
                        PILOTSTOP_EXE,
                        4,
                        VersionStrings("DiscPilot Pilotstop", "DiscPilot Pilotstop", "Pilotstop",
                                       "Pilotstop", "Pilotstop.exe", "1.00.0004"),
                        {{16, 16, 4}, {32, 32, 4}}},
        ProgramFileCase{"pilotplay",
                        PILOTPLAY_EXE,
                        1,
                        VersionStrings("DiscPilot Pilotplay", "DiscPilot Pilotplay", "Pilotplay",
                                       "Pilotplay", "Pilotplay.exe", "1.00.0001"),
                        {{16, 16, 4}, {32, 32, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
