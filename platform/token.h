// What Windows does with this program's writes, as its access token tells.
#pragma once

namespace platform {

// Whether Windows redirects this program's writes below HKEY_LOCAL_MACHINE\Software into a view
// of the user's own (registry virtualisation, on for legacy programs run without elevation on
// Vista and later). False where the system does not say (Windows XP, Wine).
bool RegistryWritesVirtualised();

}  // namespace platform
