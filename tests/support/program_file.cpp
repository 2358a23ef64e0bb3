#include "tests/support/program_file.h"

#include <cstdio>

#include "tests/support/process.h"

namespace test_support {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The program file loaded as data, freed when the object goes.
class DataFile {
 public:
  explicit DataFile(const std::string& exePath)
      : module_(LoadLibraryExA(WindowsPath(exePath).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataFile() {
    if (module_) FreeLibrary(module_);
  }
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

BOOL CALLBACK CountResource(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

std::optional<VersionInfo> ReadVersionInfo(const std::string& exePath,
                                           const std::vector<std::string>& stringNames) {
  const std::string exe = WindowsPath(exePath);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(exe.c_str(), 0, size, data.data())) return std::nullopt;

  VersionInfo info;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    info.fileVersionMS = fixed->dwFileVersionMS;
    info.fileVersionLS = fixed->dwFileVersionLS;
    info.productVersionMS = fixed->dwProductVersionMS;
    info.productVersionLS = fixed->dwProductVersionLS;
  }
  WORD* translation = nullptr;
  if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translation), &length) &&
      length >= 4) {
    info.language = translation[0];
    info.codePage = translation[1];
  }
  char block[16];
  std::snprintf(block, sizeof block, "%04x%04x", info.language, info.codePage);
  for (const std::string& name : stringNames) {
    char* text = nullptr;
    const std::string query = std::string("\\StringFileInfo\\") + block + "\\" + name;
    if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) &&
        text)
      info.strings[name] = text;
  }
  return info;
}

std::vector<IconImage> ReadIconGroup(const std::string& exePath, WORD id, WORD language) {
  std::vector<IconImage> images;
  DataFile file(exePath);
  if (!file.get()) return images;
  HRSRC group = FindResourceExA(file.get(), RT_GROUP_ICON, MAKEINTRESOURCEA(id), language);
  if (!group) return images;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(file.get(), group)));
  const WORD count = reinterpret_cast<const WORD*>(data)[2];
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(data + 6);
  for (WORD i = 0; i < count; ++i)
    images.push_back({entries[i].width, entries[i].height, entries[i].bitCount});
  return images;
}

int CountManifests(const std::string& exePath) {
  DataFile file(exePath);
  int manifests = 0;
  if (file.get())
    EnumResourceNamesA(file.get(), RT_MANIFEST, CountResource,
                       reinterpret_cast<LONG_PTR>(&manifests));
  return manifests;
}

}  // namespace test_support
