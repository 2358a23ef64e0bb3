#include "platform/token.h"

#include <windows.h>

#include "platform/win32.h"

namespace platform {

bool RegistryWritesVirtualised() {
  HANDLE token = nullptr;
  if (!advapi32().OpenProcessToken(kernel32().GetCurrentProcess(), TOKEN_QUERY, &token))
    return false;
  DWORD enabled = 0;
  DWORD size = 0;
  const BOOL known = advapi32().GetTokenInformation(token, TokenVirtualizationEnabled, &enabled,
                                                    sizeof enabled, &size);
  kernel32().CloseHandle(token);
  return known && enabled != 0;
}

}  // namespace platform
