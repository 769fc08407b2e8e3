#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32 {

namespace {
// The predefined roots are sign-extended handle values on 64-bit Windows, so
// the registry interface's 32-bit constants are mapped, not cast.
HKEY toHandle(Registry::Key key)
{
    if (key == Registry::ClassesRoot)
        return HKEY_CLASSES_ROOT;
    if (key == Registry::LocalMachine)
        return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(key);
}
}  // namespace

long Win32Registry::openKey(Key parent, const std::string& subKey, Key* result)
{
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(toHandle(parent), subKey.c_str(), 0, KEY_READ, &opened);
    if (status == ERROR_SUCCESS)
        *result = reinterpret_cast<Key>(opened);
    return status;
}

long Win32Registry::queryValue(Key key, const std::string& name, char* data, unsigned long* size)
{
    const HKEY handle = toHandle(key);
    if (!data || *size == 0) {
        DWORD needed = 0;
        const LONG status = ::RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, nullptr, &needed);
        if (status == ERROR_SUCCESS && data && needed > 0) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (status == ERROR_SUCCESS)
            *size = needed;
        return status;
    }
    // Windows leaves the caller's buffer undefined when the value does not
    // fit; reading through a buffer of our own keeps it untouched instead.
    std::vector<char> local(*size);
    DWORD got = DWORD(*size);
    const LONG status =
        ::RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(local.data()), &got);
    if (status == ERROR_SUCCESS)
        std::memcpy(data, local.data(), std::min<std::size_t>(got, *size));
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
        *size = got;
    return status;
}

long Win32Registry::closeKey(Key key) { return ::RegCloseKey(toHandle(key)); }

}  // namespace win32
