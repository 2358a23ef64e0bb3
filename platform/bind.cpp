#include "platform/bind.h"

namespace platform {
namespace {

std::string EntryText(const char* entry) {
  if (IS_INTRESOURCE(entry)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(entry));
  return entry;
}

}  // namespace

BindError::BindError(const std::string& dll, const std::string& entry)
    : std::runtime_error("cannot bind " + dll + "!" + entry), dll_(dll), entry_(entry) {}

FARPROC ResolveEntry(const char* dll, const char* entry) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);
  if (!module) throw BindError(dll, EntryText(entry));
  FARPROC address = GetProcAddress(module, entry);
  if (!address) throw BindError(dll, EntryText(entry));
  return address;
}

}  // namespace platform
