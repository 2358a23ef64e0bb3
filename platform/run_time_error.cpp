#include "platform/run_time_error.h"

#include <windows.h>

#include <new>
#include <vector>

#include "platform/bind.h"
#include "platform/message_box.h"

namespace platform {
namespace {

// Numbers and texts of the general run-time errors the machinery reports itself.
constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kInternalError = 51;
constexpr std::int32_t kDllEntryNotFound = 453;

bool ending = false;

std::vector<ErrorReader>& Readers() {
  static std::vector<ErrorReader> readers;
  return readers;
}

}  // namespace

void AddErrorReader(ErrorReader reader) { Readers().push_back(std::move(reader)); }

ErrorReport DescribeError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return {kOutOfMemory, "Out of memory"};
  } catch (const BindError& e) {
    return {kDllEntryNotFound, "Can't find DLL entry point " + e.Entry() + " in " + e.Dll()};
  } catch (const std::exception& e) {
    for (auto reader = Readers().rbegin(); reader != Readers().rend(); ++reader)
      if (auto report = (*reader)(e)) return *report;
    return {kInternalError, e.what()};
  } catch (...) {
  }
  return {kInternalError, "Internal error"};
}

std::string RunTimeErrorText(const ErrorReport& report) {
  const std::string description = report.description.empty()
                                      ? "Application-defined or object-defined error"
                                      : report.description;
  return "Run-time error '" + std::to_string(report.number) + "':\r\n\r\n" + description;
}

bool ProgramIsEnding() noexcept { return ending; }

void EndWithUnhandledError() noexcept {
  // The box's own message loop keeps dispatching (timers, repaints): those events stay silent.
  ending = true;
  try {
    ShowMessageBox(RunTimeErrorText(DescribeError(std::current_exception())),
                   MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
    // The box could not be shown (no memory left): the program still ends as it must.
  }
  ExitProcess(kRunTimeErrorExitStatus);
}

}  // namespace platform
