#include "registry/tests/support/registry_seam.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32.h"

namespace regtest {
namespace {

RegistrySeam* active = nullptr;

std::string Text(LPCSTR text) { return text ? text : ""; }

}  // namespace

// The wrappers that stand in for the advapi32 entries while a seam is alive.
struct SeamWrappers {
  static platform::Advapi32& Table() { return platform::advapi32(); }
  static RegistrySeam::Record Make(RegistrySeam::Call call, HKEY key) {
    RegistrySeam::Record r;
    r.call = call;
    r.key = key;
    return r;
  }

  static LONG WINAPI OpenKey(HKEY key, LPCSTR name, DWORD options, REGSAM access, PHKEY out) {
    auto r = Make(RegistrySeam::Call::OpenKey, key);
    r.name = Text(name);
    r.options = options;
    r.access = access;
    return active->Run(
        r, [&] { return Table().RegOpenKeyExA.Real()(key, name, options, access, out); }, out);
  }

  static LONG WINAPI CreateKey(HKEY key, LPCSTR name, DWORD reserved, LPSTR keyClass, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY out,
                               LPDWORD disposition) {
    auto r = Make(RegistrySeam::Call::CreateKey, key);
    r.name = Text(name);
    r.keyClass = Text(keyClass);
    r.options = options;
    r.access = access;
    r.hasSecurity = security != nullptr;
    if (security) r.security = *security;
    return active->Run(
        r,
        [&] {
          return Table().RegCreateKeyExA.Real()(key, name, reserved, keyClass, options, access,
                                                security, out, disposition);
        },
        out);
  }

  static LONG WINAPI QueryValue(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD size) {
    auto r = Make(RegistrySeam::Call::QueryValue, key);
    r.name = Text(name);
    r.capacity = size ? *size : 0;
    return active->Run(
        r, [&] { return Table().RegQueryValueExA.Real()(key, name, reserved, type, data, size); });
  }

  static LONG WINAPI SetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                              DWORD size) {
    auto r = Make(RegistrySeam::Call::SetValue, key);
    r.name = Text(name);
    r.type = type;
    if (data) r.data.assign(reinterpret_cast<const char*>(data), size);
    return active->Run(
        r, [&] { return Table().RegSetValueExA.Real()(key, name, reserved, type, data, size); });
  }

  static LONG WINAPI CloseKey(HKEY key) {
    auto r = Make(RegistrySeam::Call::CloseKey, key);
    return active->Run(r, [&] { return Table().RegCloseKey.Real()(key); });
  }

  static LONG WINAPI DeleteKey(HKEY key, LPCSTR name) {
    auto r = Make(RegistrySeam::Call::DeleteKey, key);
    r.name = Text(name);
    return active->Run(r, [&] { return Table().RegDeleteKeyA.Real()(key, name); });
  }

  static LONG WINAPI DeleteValue(HKEY key, LPCSTR name) {
    auto r = Make(RegistrySeam::Call::DeleteValue, key);
    r.name = Text(name);
    return active->Run(r, [&] { return Table().RegDeleteValueA.Real()(key, name); });
  }

  static LONG WINAPI QueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                  LPDWORD subkeys, LPDWORD longestSubkey, LPDWORD longestClass,
                                  LPDWORD values, LPDWORD longestValueName, LPDWORD longestValue,
                                  LPDWORD securityLength, PFILETIME lastWrite) {
    auto r = Make(RegistrySeam::Call::QueryInfoKey, key);
    return active->Run(r, [&] {
      const LONG result = Table().RegQueryInfoKeyA.Real()(
          key, keyClass, classLength, reserved, subkeys, longestSubkey, longestClass, values,
          longestValueName, longestValue, securityLength, lastWrite);
      if (result == ERROR_SUCCESS && longestValueName && active->underReport_) {
        *longestValueName = active->reportedLongest_;
      }
      return result;
    });
  }

  static LONG WINAPI EnumValue(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength,
                               LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    auto r = Make(RegistrySeam::Call::EnumValue, key);
    r.index = index;
    r.capacity = nameLength ? *nameLength : 0;
    r.wantsData = type || data || dataSize;
    return active->Run(r, [&] {
      return Table().RegEnumValueA.Real()(key, index, name, nameLength, reserved, type, data,
                                          dataSize);
    });
  }

  static LONG WINAPI EnumKey(HKEY key, DWORD index, LPSTR name, DWORD capacity) {
    auto r = Make(RegistrySeam::Call::EnumKey, key);
    r.index = index;
    r.capacity = capacity;
    return active->Run(r, [&] { return Table().RegEnumKeyA.Real()(key, index, name, capacity); });
  }
};

RegistrySeam::RegistrySeam() {
  if (active) throw std::logic_error("only one RegistrySeam at a time");
  active = this;
  auto& t = platform::advapi32();
  t.RegOpenKeyExA.Replace(&SeamWrappers::OpenKey);
  t.RegCreateKeyExA.Replace(&SeamWrappers::CreateKey);
  t.RegQueryValueExA.Replace(&SeamWrappers::QueryValue);
  t.RegSetValueExA.Replace(&SeamWrappers::SetValue);
  t.RegCloseKey.Replace(&SeamWrappers::CloseKey);
  t.RegDeleteKeyA.Replace(&SeamWrappers::DeleteKey);
  t.RegDeleteValueA.Replace(&SeamWrappers::DeleteValue);
  t.RegQueryInfoKeyA.Replace(&SeamWrappers::QueryInfoKey);
  t.RegEnumValueA.Replace(&SeamWrappers::EnumValue);
  t.RegEnumKeyA.Replace(&SeamWrappers::EnumKey);
}

RegistrySeam::~RegistrySeam() {
  auto& t = platform::advapi32();
  t.RegOpenKeyExA.Restore();
  t.RegCreateKeyExA.Restore();
  t.RegQueryValueExA.Restore();
  t.RegSetValueExA.Restore();
  t.RegCloseKey.Restore();
  t.RegDeleteKeyA.Restore();
  t.RegDeleteValueA.Restore();
  t.RegQueryInfoKeyA.Restore();
  t.RegEnumValueA.Restore();
  t.RegEnumKeyA.Restore();
  // Close what the code left open, so that one faulty test does not leak into the next.
  for (HKEY key : open_) RegCloseKey(key);
  active = nullptr;
}

void RegistrySeam::Refuse(Call call, LONG result, Condition when) {
  faults_.push_back({call, result, nullptr, std::move(when)});
}

void RegistrySeam::Throw(Call call, std::exception_ptr error, Condition when) {
  faults_.push_back({call, ERROR_SUCCESS, std::move(error), std::move(when)});
}

void RegistrySeam::Reset() {
  faults_.clear();
  log_.clear();
  opened_ = 0;
  underReport_ = false;
}

void RegistrySeam::UnderReportLongestName(DWORD length) {
  underReport_ = true;
  reportedLongest_ = length;
}

std::vector<RegistrySeam::Record> RegistrySeam::Calls(Call call) const {
  std::vector<Record> calls;
  std::copy_if(log_.begin(), log_.end(), std::back_inserter(calls),
               [call](const Record& r) { return r.call == call; });
  return calls;
}

RegistrySeam::Condition RegistrySeam::AtIndex(DWORD index) {
  return [index](const Record& r) { return r.index == index; };
}

RegistrySeam::Condition RegistrySeam::NameContains(const std::string& text) {
  return [text](const Record& r) { return r.name.find(text) != std::string::npos; };
}

LONG RegistrySeam::Run(Record record, const std::function<LONG()>& real, HKEY* opened) {
  for (const Fault& fault : faults_) {
    if (fault.call != record.call || (fault.when && !fault.when(record))) continue;
    record.result = fault.result;
    log_.push_back(record);
    if (fault.error) std::rethrow_exception(fault.error);
    return fault.result;
  }
  record.result = real();
  log_.push_back(record);
  if (record.result == ERROR_SUCCESS && opened) {
    open_.push_back(*opened);
    ++opened_;
  }
  if (record.result == ERROR_SUCCESS && record.call == Call::CloseKey) {
    const auto it = std::find(open_.begin(), open_.end(), record.key);
    if (it == open_.end()) {
      ++strayCloses_;
    } else {
      open_.erase(it);
    }
  }
  return record.result;
}

void SeamTest::TearDown() {
  EXPECT_EQ(seam_.KeysOpen(), 0) << "keys left open";
  EXPECT_EQ(seam_.StrayCloses(), 0) << "handles closed that were never opened";
}

}  // namespace regtest
