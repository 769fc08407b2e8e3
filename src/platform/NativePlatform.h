#pragma once

#include "platform/Platform.h"

#include <memory>

// The platform the launcher was built for: POSIX on Linux, Win32 on Windows.
std::unique_ptr<Platform> makeNativePlatform();
