// Errors that no event handler trapped. The form machinery catches every exception at the
// boundary of an event (nothing crosses a window procedure or the message loop) and treats it
// as an unhandled run-time error: a stop box with the error's number and description, titled
// with the application title, then the program ends with kRunTimeErrorExitStatus.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace platform {

constexpr unsigned kRunTimeErrorExitStatus = 1;

// What the user is told about an error: its number and description.
struct ErrorReport {
  std::int32_t number;
  std::string description;
};

// Reads the number and description of one kind of error; nothing when the exception is of
// another kind.
using ErrorReader = std::function<std::optional<ErrorReport>(const std::exception&)>;

// Makes the program's own error types known to the report (the last added is asked first).
void AddErrorReader(ErrorReader reader);

// Makes an error type with Number() and Description() known, such as the registry's raised
// error: the program calls this once at start.
template <typename Error>
void ReportErrorsOfType() {
  AddErrorReader([](const std::exception& e) -> std::optional<ErrorReport> {
    if (const auto* error = dynamic_cast<const Error*>(&e))
      return ErrorReport{error->Number(), error->Description()};
    return std::nullopt;
  });
}

// The report for an exception. Types made known above give their own number and description;
// running out of memory is 7 "Out of memory"; a Win32 entry that cannot be bound is 453 with the
// library and entry named; anything else is 51 "Internal error" with its text.
ErrorReport DescribeError(std::exception_ptr error);

// The text of the run-time error box: "Run-time error '<number>':", an empty line, the
// description (a number without a description reads "Application-defined or object-defined
// error").
std::string RunTimeErrorText(const ErrorReport& report);

// Called inside a catch block at an event boundary: shows the box for the exception being
// handled and ends the program at once, as an unhandled run-time error does. No further event
// runs; windows go with the process.
[[noreturn]] void EndWithUnhandledError() noexcept;

// Whether an unhandled error is ending the program (its box is up): no event runs any more.
bool ProgramIsEnding() noexcept;

// Runs body where an error must not end the program (one notification among many): an error
// that body ends with is handed to onError as its report instead. What onError itself throws is
// dropped: there is nowhere left to report it, and it must not reach the system's dispatch.
template <typename Body, typename OnError>
void ReportErrorsTo(OnError&& onError, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    try {
      onError(DescribeError(std::current_exception()));
    } catch (...) {
    }
  }
}

// Runs one event handler at the boundary between the form machinery and the program's code.
template <typename Handler>
void RaiseEvent(Handler&& handler) noexcept {
  if (ProgramIsEnding()) return;
  try {
    handler();
  } catch (...) {
    EndWithUnhandledError();
  }
}

}  // namespace platform
