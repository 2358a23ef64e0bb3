// RegistrySeam: while one is alive, every registry call that the code makes through
// platform::advapi32() goes through a wrapper that records it, keeps count of the keys opened
// and closed, and refuses (or throws from) the calls a test chooses; all others reach the real
// registry. Calls a test makes straight to advapi32 pass by it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace regtest {

class RegistrySeam {
 public:
  enum class Call {
    OpenKey,       // RegOpenKeyExA
    CreateKey,     // RegCreateKeyExA
    QueryValue,    // RegQueryValueExA
    SetValue,      // RegSetValueExA
    CloseKey,      // RegCloseKey
    DeleteKey,     // RegDeleteKeyA
    DeleteValue,   // RegDeleteValueA
    QueryInfoKey,  // RegQueryInfoKeyA
    EnumValue,     // RegEnumValueA
    EnumKey,       // RegEnumKeyA
  };

  // One call as the code made it.
  struct Record {
    Call call = Call::OpenKey;
    HKEY key = nullptr;              // the key (or root) the call works on
    std::string name;                // subkey path (open, create, delete key) or value name
    REGSAM access = 0;               // open, create
    DWORD options = 0;               // open, create
    std::string keyClass;            // create
    bool hasSecurity = false;        // create: security attributes passed
    SECURITY_ATTRIBUTES security{};  // create: as passed
    DWORD type = 0;                  // set
    std::string data;                // set: the bytes passed
    DWORD index = 0;                 // enum value, enum key
    DWORD capacity = 0;              // enum value, enum key, query value: buffer size offered
    bool wantsData = false;          // enum value: type or data asked for as well
    LONG result = 0;                 // what the call returned
  };
  using Condition = std::function<bool(const Record&)>;

  RegistrySeam();
  ~RegistrySeam();
  RegistrySeam(const RegistrySeam&) = delete;
  RegistrySeam& operator=(const RegistrySeam&) = delete;

  // Calls of `call` for which `when` holds (every one without it) return `result` without
  // reaching the registry. QueryInfoKey may instead under-report: see UnderReportLongestName.
  void Refuse(Call call, LONG result, Condition when = {});
  // Calls of `call` for which `when` holds throw `error` instead of reaching the registry.
  void Throw(Call call, std::exception_ptr error, Condition when = {});
  // RegQueryInfoKeyA reports this as the longest value-name length (as a system that counts
  // characters for names needing several bytes each would).
  void UnderReportLongestName(DWORD length);

  // Keys opened or created (successfully) and not yet closed.
  int KeysOpen() const { return static_cast<int>(open_.size()); }
  int KeysOpened() const { return opened_; }
  // Closes of handles that were not opened through the seam (roots, stale handles).
  int StrayCloses() const { return strayCloses_; }

  const std::vector<Record>& Log() const { return log_; }
  std::vector<Record> Calls(Call call) const;
  // Forgets the faults, the log and the count of keys opened (open keys stay counted).
  void Reset();

  // Conditions.
  static Condition AtIndex(DWORD index);
  static Condition NameContains(const std::string& text);

 private:
  friend struct SeamWrappers;
  LONG Run(Record record, const std::function<LONG()>& real, HKEY* opened = nullptr);

  struct Fault {
    Call call;
    LONG result;
    std::exception_ptr error;
    Condition when;
  };

  std::vector<Fault> faults_;
  std::vector<Record> log_;
  std::vector<HKEY> open_;
  int opened_ = 0;
  int strayCloses_ = 0;
  bool underReport_ = false;
  DWORD reportedLongest_ = 0;
};

// A test fixture that installs a seam for the test's duration and checks at its end that every
// key the code opened was closed again.
class SeamTest : public ::testing::Test {
 protected:
  void TearDown() override;
  RegistrySeam seam_;
};

}  // namespace regtest
