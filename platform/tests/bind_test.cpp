#include <gtest/gtest.h>

#include "platform/bind.h"
#include "platform/win32.h"

namespace {

TEST(ProcBinding, BindsByNameAndCallsTheRealEntry) {
  char buffer[MAX_PATH] = {};
  DWORD needed = platform::kernel32().ExpandEnvironmentStringsA("%WINDIR%", buffer, sizeof buffer);
  EXPECT_GT(needed, 1u);
  EXPECT_STRNE(buffer, "%WINDIR%");
}

TEST(ProcBinding, BindsByOrdinal) {
  auto& shell = platform::shell32();
  EXPECT_EQ(
      reinterpret_cast<void*>(shell.SHChangeNotifyRegister.Real()),
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), MAKEINTRESOURCEA(2))));
}

TEST(ProcBinding, MissingEntryThrowsNamingDllAndEntry) {
  platform::Proc<decltype(&::Sleep)> missing{"kernel32.dll", "NoSuchEntryPoint"};
  try {
    missing(0);
    FAIL() << "expected BindError";
  } catch (const platform::BindError& e) {
    EXPECT_EQ(e.Dll(), "kernel32.dll");
    EXPECT_EQ(e.Entry(), "NoSuchEntryPoint");
  }
}

TEST(ProcBinding, MissingDllThrowsWithOrdinalInTheMessage) {
  platform::Proc<decltype(&::Sleep)> missing{"nosuchlibrary.dll", WORD{7}};
  try {
    missing(0);
    FAIL() << "expected BindError";
  } catch (const platform::BindError& e) {
    EXPECT_EQ(e.Dll(), "nosuchlibrary.dll");
    EXPECT_EQ(e.Entry(), "#7");
    EXPECT_NE(std::string(e.what()).find("nosuchlibrary.dll!#7"), std::string::npos);
  }
}

UINT WINAPI FixedDriveType(LPCSTR) { return DRIVE_RAMDISK; }

TEST(ProcBinding, ReplacementIsCalledUntilRestored) {
  auto& kernel = platform::kernel32();
  kernel.GetDriveTypeA.Replace(&FixedDriveType);
  EXPECT_EQ(kernel.GetDriveTypeA("C:\\"), UINT{DRIVE_RAMDISK});
  kernel.GetDriveTypeA.Restore();
  EXPECT_EQ(kernel.GetDriveTypeA("C:\\"), UINT{DRIVE_FIXED});
}

}  // namespace
