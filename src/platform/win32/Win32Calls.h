#pragma once
// What the Win32 layer's files share: the Windows headers, trimmed, and the
// last error as a code that never says success.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace win32 {
// Some calls fail without setting an error; never report that as success.
inline unsigned long lastError()
{
    const DWORD error = ::GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}
}  // namespace win32
