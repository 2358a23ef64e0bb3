#include <gtest/gtest.h>

#include "platform/app.h"

namespace {

struct ArgumentsCase {
  const char* commandLine;
  const char* arguments;
};

class CommandLineArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineArguments, AreTheTextAfterTheProgramName) {
  EXPECT_EQ(platform::ArgumentsOf(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineArguments,
    testing::Values(ArgumentsCase{"pilotstop.exe", ""}, ArgumentsCase{"pilotstop.exe   ", ""},
                    ArgumentsCase{"pilotstop.exe x", "x"},
                    ArgumentsCase{"\"C:\\Program Files\\pilotstop.exe\" /s", "/s"},
                    ArgumentsCase{"\"C:\\a b\\pilotstop.exe\"", ""},
                    ArgumentsCase{"C:\\pilotstop.exe  a  b ", "a  b "}));

TEST(ProgramName, IsTheExeFileNameWithoutExtension) {
  EXPECT_EQ(platform::ProgramName(), "platform_test");
}

}  // namespace
