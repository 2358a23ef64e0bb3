// The start-up scan, one run of the real discpilot.exe per case, over the real drives of the test
// prefix (CD-ROM drives D:, E:, F:; hard disk H: labelled FIFA2001).
#include <gtest/gtest.h>

#include <string>

#include "main/tests/test_prefix.h"

namespace discpilot_test {
namespace {

struct ScanCase {
  const char* name;
  const char* discInD;  // "" for no disc
  const char* discInE;
  bool driveFolderOfFPresent;
  const char* expectedDrive;  // nullptr: nothing written, no key created
};

class StartUpScan : public TestPrefix, public testing::WithParamInterface<ScanCase> {};

TEST_P(StartUpScan, WritesTheLastCdDriveHoldingTheGameDisc) {
  const ScanCase& c = GetParam();
  SetDisc('d', c.discInD);
  SetDisc('e', c.discInE);
  SetDriveFolderPresent('f', c.driveFolderOfFPresent);

  const RunResult run = RunDiscpilot();
  ASSERT_TRUE(run.windowShown);
  EXPECT_EQ(run.exitStatus, 0u);

  if (c.expectedDrive) {
    const auto value = ReadGameValue(kDriveValueName);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, DWORD{REG_SZ});
    EXPECT_EQ(value->data, c.expectedDrive);
  } else {
    EXPECT_FALSE(KeyExists(kGameParentKeyPath)) << "no game disc: no key may be created";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Discs, StartUpScan,
    testing::Values(
        ScanCase{"GameDiscInD", "FIFA2001", "OTHERDISC", true, "D:\\"},
        ScanCase{"LowerCaseLabelInE", "OTHERDISC", "fifa2001", true, "E:\\"},
        ScanCase{"LongerLabelInAnyCase", "fIfA2001 WORLD CUP", "OTHERDISC", true, "D:\\"},
        ScanCase{"LabelWithSpace", "FIFA 2001", "OTHERDISC", true, nullptr},
        ScanCase{"SevenCharacterLabel", "FIFA200", "OTHERDISC", true, nullptr},
        ScanCase{"LabelWithGameNameInside", "MYFIFA2001", "OTHERDISC", true, nullptr},
        ScanCase{"NoDiscInAnyCdDrive", "", "", true, nullptr},
        ScanCase{"UnreadableCdDrive", "", "", false, nullptr},
        // H: is a hard disk labelled FIFA2001 in every case: only CD-ROM drives are examined.
        ScanCase{"OnlyTheHardDiskCarriesTheLabel", "OTHERDISC", "OTHERDISC", true, nullptr},
        ScanCase{"TwoGameDiscsLeaveTheLaterDrive", "FIFA2001", "FIFA2001", true, "E:\\"}),
    [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

class StartUpScanKeepsWhatIsThere : public TestPrefix {};

TEST_F(StartUpScanKeepsWhatIsThere, OtherValuesOfTheKeySurviveAWrite) {
  WriteGameValue(kDriveValueName, REG_SZ, "X:\\");
  WriteGameValue("Installed From", REG_SZ, "X:\\setup");
  WriteGameValue("Version", REG_DWORD, std::string("\xEF\xBE\xAD\xDE", 4));

  const RunResult run = RunDiscpilot();
  ASSERT_TRUE(run.windowShown);

  EXPECT_EQ(ReadGameValue(kDriveValueName)->data, "D:\\");
  const auto installed = ReadGameValue("Installed From");
  ASSERT_TRUE(installed.has_value());
  EXPECT_EQ(installed->data, "X:\\setup");
  const auto version = ReadGameValue("Version");
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->type, DWORD{REG_DWORD});
  EXPECT_EQ(version->data, std::string("\xEF\xBE\xAD\xDE", 4));
}

TEST_F(StartUpScanKeepsWhatIsThere, NoGameDiscLeavesThePreviousDrive) {
  WriteGameValue(kDriveValueName, REG_SZ, "X:\\");
  SetDisc('d', "OTHERDISC");

  const RunResult run = RunDiscpilot();
  ASSERT_TRUE(run.windowShown);

  const auto value = ReadGameValue(kDriveValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, "X:\\");
}

}  // namespace
}  // namespace discpilot_test
