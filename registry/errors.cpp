#include "registry/errors.h"

#include "platform/app.h"
#include "registry/raised_error.h"

namespace registry {
namespace {

const char* StandardText(std::int32_t number) {
  switch (number) {
    case kInvalidArgument:
      return "Invalid procedure call or argument";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case kTypeMismatch:
      return "Type mismatch";
    default:
      return "Application-defined or object-defined error";
  }
}

}  // namespace

std::string ClassSource() { return platform::ProgramName() + ".cRegistry"; }

void RaiseClassError(std::int32_t number, const std::string& description) {
  throw RaisedError(number, ClassSource(), description);
}

void RaiseGeneralError(std::int32_t number) {
  throw RaisedError(number, platform::ProgramName(), StandardText(number));
}

}  // namespace registry
