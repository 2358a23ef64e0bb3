#include <gtest/gtest.h>

#include <string>

#include "main/game_disc.h"
#include "main/tests/test_prefix.h"
#include "registry/raised_error.h"

namespace discpilot_test {
namespace {

// This process reads each drive's label once, so these cases use the prefix's discs as made.
struct DiscCase {
  const char* rootPath;
  bool isGameDisc;
};

class GameDisc : public testing::TestWithParam<DiscCase> {};

TEST_P(GameDisc, IsJudgedByTheVolumeLabelAtThePath) {
  EXPECT_EQ(IsGameDisc(GetParam().rootPath), GetParam().isGameDisc) << GetParam().rootPath;
}

INSTANTIATE_TEST_SUITE_P(
    PrefixDrives, GameDisc,
    testing::Values(DiscCase{"D:\\", true},     // CD-ROM, FIFA2001
                    DiscCase{"d:\\", true},     // the same drive in lower case
                    DiscCase{"E:\\", false},    // CD-ROM, OTHERDISC
                    DiscCase{"F:\\", false},    // CD-ROM without a disc
                    DiscCase{"H:\\", true},     // hard disk: the scan never asks, the test does
                    DiscCase{"Q:\\", false},    // no such drive: the query fails
                    DiscCase{"C:\\", false}));  // the system drive, no label

class GameDrive : public TestPrefix {};

TEST_F(GameDrive, IsStoredAsTextCreatingTheKey) {
  StoreGameDrive("E:\\");
  const auto value = ReadGameValue(kDriveValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, DWORD{REG_SZ});
  EXPECT_EQ(value->data, "E:\\");
  StoreGameDrive("d:\\");
  EXPECT_EQ(ReadGameValue(kDriveValueName)->data, "d:\\");
}

TEST_F(GameDrive, ARefusedWriteIsRaised) {
  ASSERT_NO_FATAL_FAILURE(RefuseGameKeyCreation());
  EXPECT_THROW(StoreGameDrive("D:\\"), RaisedError);
  EXPECT_FALSE(KeyExists(kGameKeyPath));
}

}  // namespace
}  // namespace discpilot_test
