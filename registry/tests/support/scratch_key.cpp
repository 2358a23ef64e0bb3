#include "registry/tests/support/scratch_key.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace regtest {
namespace {

constexpr char kTestsRoot[] = "Software\\DiscPilot tests";

class Key {
 public:
  Key(HKEY root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

void Check(LONG result, const char* what, const std::string& path) {
  if (result != ERROR_SUCCESS) {
    throw std::runtime_error(std::string(what) + " " + path + " failed: " + std::to_string(result));
  }
}

}  // namespace

ScratchKey::ScratchKey() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "scratch";
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '_';
  }
  path_ = std::string(kTestsRoot) + "\\" + name;
  DeleteTree(HKEY_CURRENT_USER, path_);
  MakeKey(HKEY_CURRENT_USER, path_);
}

ScratchKey::~ScratchKey() {
  DeleteTree(HKEY_CURRENT_USER, path_);
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestsRoot);  // only when no other test's key is left
}

std::optional<StoredValue> ReadValue(HKEY root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_QUERY_VALUE);
  if (!key.get()) return std::nullopt;
  StoredValue value;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.assign(size, '\0');
  Check(RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type,
                         reinterpret_cast<BYTE*>(value.data.data()), &size),
        "reading", path + " " + name);
  value.data.resize(size);
  return value;
}

void WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& data) {
  MakeKey(root, path);
  Key key(root, path, KEY_SET_VALUE);
  Check(RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size())),
        "writing", path + " " + name);
}

bool KeyPresent(HKEY root, const std::string& path) {
  return Key(root, path, KEY_QUERY_VALUE).get() != nullptr;
}

void MakeKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  Check(RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr),
        "creating", path);
  RegCloseKey(key);
}

void MakeKey(HKEY root, const std::string& path, const std::string& name) {
  Key parent(root, path, KEY_CREATE_SUB_KEY);
  MakeKey(parent.get(), name);
}

void DeleteTree(HKEY root, const std::string& path) {
  {
    Key key(root, path, KEY_ENUMERATE_SUB_KEYS);
    if (!key.get()) return;
    for (const std::string& name : SubkeyNames(key.get(), "")) DeleteTree(key.get(), name);
  }
  RegDeleteKeyA(root, path.c_str());
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  Key key(root, path, KEY_ENUMERATE_SUB_KEYS);
  if (!key.get()) return names;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  Key key(root, path, KEY_QUERY_VALUE);
  if (!key.get()) return names;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD length = sizeof name;
    if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace regtest
