// The Win32 functions that DiscPilot calls, one table per DLL, each entry bound on first use
// (platform/bind.h). The tables are process-wide and replaceable entry by entry, so that a test
// can wrap the real call (count handles) or refuse it.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include "platform/bind.h"

namespace platform {

// The MinGW headers define RtlMoveMemory only as a macro for memmove; kernel32 exports the
// function itself with this documented prototype.
using RtlMoveMemoryFn = VOID(WINAPI*)(PVOID destination, const VOID* source, SIZE_T length);

struct Advapi32 {
  PLATFORM_PROC("advapi32.dll", RegOpenKeyExA);
  PLATFORM_PROC("advapi32.dll", RegCreateKeyExA);
  PLATFORM_PROC("advapi32.dll", RegQueryValueExA);
  PLATFORM_PROC("advapi32.dll", RegSetValueExA);
  PLATFORM_PROC("advapi32.dll", RegCloseKey);
  PLATFORM_PROC("advapi32.dll", RegDeleteKeyA);
  PLATFORM_PROC("advapi32.dll", RegDeleteValueA);
  PLATFORM_PROC("advapi32.dll", RegQueryInfoKeyA);
  PLATFORM_PROC("advapi32.dll", RegEnumValueA);
  PLATFORM_PROC("advapi32.dll", RegEnumKeyA);
  PLATFORM_PROC("advapi32.dll", OpenProcessToken);
  PLATFORM_PROC("advapi32.dll", GetTokenInformation);
};

struct Kernel32 {
  PLATFORM_PROC("kernel32.dll", GetDriveTypeA);
  PLATFORM_PROC("kernel32.dll", GetVolumeInformationA);
  PLATFORM_PROC("kernel32.dll", ExpandEnvironmentStringsA);
  PLATFORM_PROC("kernel32.dll", Sleep);
  PLATFORM_PROC("kernel32.dll", SetErrorMode);
  Proc<RtlMoveMemoryFn> RtlMoveMemory{"kernel32.dll", "RtlMoveMemory"};
  PLATFORM_PROC("kernel32.dll", GetStartupInfoA);
  PLATFORM_PROC("kernel32.dll", GetCurrentProcess);
  PLATFORM_PROC("kernel32.dll", GetTickCount);
  PLATFORM_PROC("kernel32.dll", GetFullPathNameA);
  PLATFORM_PROC("kernel32.dll", FormatMessageA);
  PLATFORM_PROC("kernel32.dll", CreateProcessA);
  PLATFORM_PROC("kernel32.dll", ResumeThread);
  PLATFORM_PROC("kernel32.dll", WaitForSingleObject);
  PLATFORM_PROC("kernel32.dll", GetExitCodeProcess);
  PLATFORM_PROC("kernel32.dll", CloseHandle);
  PLATFORM_PROC("kernel32.dll", CreateJobObjectA);
  PLATFORM_PROC("kernel32.dll", AssignProcessToJobObject);
  PLATFORM_PROC("kernel32.dll", SetInformationJobObject);
  PLATFORM_PROC("kernel32.dll", CreateIoCompletionPort);
  PLATFORM_PROC("kernel32.dll", GetQueuedCompletionStatus);
};

struct User32 {
  PLATFORM_PROC("user32.dll", GetPropA);
  PLATFORM_PROC("user32.dll", SetPropA);
  PLATFORM_PROC("user32.dll", RemovePropA);
  PLATFORM_PROC("user32.dll", SetWindowLongA);
  PLATFORM_PROC("user32.dll", CallWindowProcA);
  PLATFORM_PROC("user32.dll", FlashWindow);
  PLATFORM_PROC("user32.dll", FindWindowA);
  PLATFORM_PROC("user32.dll", SendMessageA);
  PLATFORM_PROC("user32.dll", SendMessageTimeoutA);
  PLATFORM_PROC("user32.dll", FindWindowExA);
  PLATFORM_PROC("user32.dll", GetWindowThreadProcessId);
  PLATFORM_PROC("user32.dll", GetClassNameA);
  PLATFORM_PROC("user32.dll", IsWindowVisible);
};

// SHChangeNotifyRegister and SHChangeNotifyDeregister are exported by ordinal only on the
// oldest systems the game runs on, so they are always bound by ordinals 2 and 4.
struct Shell32 {
  Proc<decltype(&::SHChangeNotifyRegister)> SHChangeNotifyRegister{"shell32.dll", WORD{2}};
  Proc<decltype(&::SHChangeNotifyDeregister)> SHChangeNotifyDeregister{"shell32.dll", WORD{4}};
  PLATFORM_PROC("shell32.dll", SHGetSpecialFolderLocation);
  PLATFORM_PROC("shell32.dll", SHGetPathFromIDListA);
  PLATFORM_PROC("shell32.dll", SHGetFileInfoA);
};

struct Ole32 {
  PLATFORM_PROC("ole32.dll", CoTaskMemFree);
};

Advapi32& advapi32();
Kernel32& kernel32();
User32& user32();
Shell32& shell32();
Ole32& ole32();

}  // namespace platform
