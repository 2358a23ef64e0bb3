// Run-time binding of Win32 functions: a function is looked up in its DLL, by entry name or
// by export ordinal, the first time it is called, and the address is cached. The function's
// type is always the Windows headers' own declaration (decltype(&::Name)), so the calling
// convention and the arguments cannot drift from what the DLL exports.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace platform {

// Raised when a DLL cannot be loaded or does not export the entry; names both.
class BindError : public std::runtime_error {
 public:
  BindError(const std::string& dll, const std::string& entry);
  const std::string& Dll() const { return dll_; }
  const std::string& Entry() const { return entry_; }

 private:
  std::string dll_;
  std::string entry_;
};

// Loads dll (kept loaded for the life of the process) and returns the entry's address.
// entry is a name, or an ordinal made with MAKEINTRESOURCEA. Throws BindError; never returns null.
FARPROC ResolveEntry(const char* dll, const char* entry);

// One bound function. Calls go through operator(); Replace() swaps in another function of the
// same type (the seam that tests use to count or refuse calls), Real() is the DLL's own entry.
template <typename Fn>
class Proc {
 public:
  constexpr Proc(const char* dll, const char* name) : dll_(dll), entry_(name) {}
  constexpr Proc(const char* dll, WORD ordinal) : dll_(dll), entry_(MAKEINTRESOURCEA(ordinal)) {}

  Fn Real() {
    if (!real_) real_ = reinterpret_cast<Fn>(reinterpret_cast<void*>(ResolveEntry(dll_, entry_)));
    return real_;
  }
  Fn Current() { return replacement_ ? replacement_ : Real(); }
  void Replace(Fn replacement) { replacement_ = replacement; }
  void Restore() { replacement_ = nullptr; }

  template <typename... Args>
  auto operator()(Args... args) {
    return Current()(args...);
  }

 private:
  const char* dll_;
  const char* entry_;
  Fn real_ = nullptr;
  Fn replacement_ = nullptr;
};

}  // namespace platform

// PLATFORM_PROC(dll, Name) declares a member bound to the entry Name of dll, typed by the
// headers' declaration of ::Name.
#define PLATFORM_PROC(dll, Name) \
  ::platform::Proc<decltype(&::Name)> Name { dll, #Name }
