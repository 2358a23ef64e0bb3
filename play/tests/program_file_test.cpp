// What pilotplay.exe carries: its version information in Italian and its icon in two sizes and
// 16 colours, and no manifest (it stays a legacy program like discpilot).
#include <gtest/gtest.h>

#include "tests/support/program_file.h"

namespace {

TEST(PilotplayFile, CarriesItsVersionInformationInItalian) {
  const auto info = test_support::ReadVersionInfo(
      PILOTPLAY_EXE, {"Comments", "FileDescription", "ProductName", "InternalName",
                      "OriginalFilename", "FileVersion", "ProductVersion"});
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->fileVersionMS, 0x00010000u);
  EXPECT_EQ(info->fileVersionLS, 0x00000001u);
  EXPECT_EQ(info->productVersionMS, 0x00010000u);
  EXPECT_EQ(info->productVersionLS, 0x00000001u);
  EXPECT_EQ(info->language, 0x0410);
  EXPECT_EQ(info->codePage, 1200);
  const std::map<std::string, std::string> expected = {
      {"Comments", "DiscPilot Pilotplay"},   {"FileDescription", "DiscPilot Pilotplay"},
      {"ProductName", "Pilotplay"},          {"InternalName", "Pilotplay"},
      {"OriginalFilename", "Pilotplay.exe"}, {"FileVersion", "1.00.0001"},
      {"ProductVersion", "1.00.0001"}};
  EXPECT_EQ(info->strings, expected);
}

TEST(PilotplayFile, CarriesItsIconIn16And32PixelsWith16Colours) {
  const auto images =
      test_support::ReadIconGroup(PILOTPLAY_EXE, 1, MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN));
  ASSERT_EQ(images.size(), 2u);
  for (const auto& image : images) {
    EXPECT_EQ(image.width, image.height);
    EXPECT_EQ(image.bitCount, 4);
  }
  EXPECT_EQ(images[0].width + images[1].width, 16 + 32);
}

TEST(PilotplayFile, CarriesNoManifest) {
  EXPECT_EQ(test_support::CountManifests(PILOTPLAY_EXE), 0);
}

}  // namespace
