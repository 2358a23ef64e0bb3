#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "platform/bind.h"
#include "platform/run_time_error.h"
#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace {

struct NumberedError : std::runtime_error {
  NumberedError() : std::runtime_error("numbered") {}
  std::int32_t Number() const { return 26001; }
  std::string Description() const { return "Failed to set registry value"; }
};

TEST(RunTimeError, ErrorsAreDescribedByTheirOwnNumberOrAGeneralOne) {
  platform::ReportErrorsOfType<NumberedError>();
  struct Case {
    std::exception_ptr error;
    std::int32_t number;
    std::string description;
  };
  const Case cases[] = {
      {std::make_exception_ptr(NumberedError()), 26001, "Failed to set registry value"},
      {std::make_exception_ptr(std::bad_alloc()), 7, "Out of memory"},
      {std::make_exception_ptr(platform::BindError("shell32.dll", "#2")), 453,
       "Can't find DLL entry point #2 in shell32.dll"},
      {std::make_exception_ptr(std::logic_error("broken")), 51, "broken"},
      {std::make_exception_ptr(42), 51, "Internal error"},
  };
  for (const Case& c : cases) {
    const platform::ErrorReport report = platform::DescribeError(c.error);
    EXPECT_EQ(report.number, c.number) << c.description;
    EXPECT_EQ(report.description, c.description);
  }
}

TEST(RunTimeError, BoxTextNamesNumberAndDescription) {
  EXPECT_EQ(platform::RunTimeErrorText({26001, "Failed"}), "Run-time error '26001':\r\n\r\nFailed");
  EXPECT_EQ(platform::RunTimeErrorText({-2147194455, ""}),
            "Run-time error '-2147194455':\r\n\r\nApplication-defined or object-defined error");
}

// An error that escapes an event handler of a real program: a stop box titled with the program's
// title, then the program ends with a failure status and no further box.
struct EscapeCase {
  const char* failingEvent;
  const char* text;
};

class ErrorEscapingAnEvent : public testing::TestWithParam<EscapeCase> {};

TEST_P(ErrorEscapingAnEvent, ShowsTheRunTimeErrorBoxThenEndsTheProgram) {
  auto program = test_support::Program::Start(FORM_PROBE_EXE, GetParam().failingEvent);
  const test_support::MessageBoxSeen box = test_support::WaitForMessageBox(program.Id(), 20000);
  ASSERT_NE(box.window, nullptr) << "no error box";
  EXPECT_EQ(box.title, "Form Probe");
  EXPECT_EQ(box.text, GetParam().text);
  EXPECT_TRUE(box.hasStopIcon);
  EXPECT_FALSE(box.hasInformationIcon);
  EXPECT_EQ(program.WaitForExit(300), std::nullopt) << "the box must be modal";
  ASSERT_TRUE(test_support::DismissMessageBox(box.window));
  EXPECT_EQ(program.WaitForExit(20000), platform::kRunTimeErrorExitStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Events, ErrorEscapingAnEvent,
    testing::Values(EscapeCase{"load", "Run-time error '26001':\r\n\r\nLoad failed"},
                    EscapeCase{"std", "Run-time error '51':\r\n\r\nSomething broke"},
                    EscapeCase{"resize", "Run-time error '-2147194455':\r\n\r\nResize failed"},
                    EscapeCase{"timer", "Run-time error '1001':\r\n\r\nTimer failed"}));

TEST(RunTimeError, AProgramWithoutErrorsEndsWithStatusZeroOnClose) {
  auto program = test_support::Program::Start(FORM_PROBE_EXE);
  HWND window = test_support::WaitForTopLevelWindow("Form Probe", program.Id(), 20000);
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(20000), 0u);
}

}  // namespace
