// Win32 failures as run-time errors; the table itself is platform/win32_codes.cpp.
#pragma once

#include "platform/win32_codes.h"

#include <windows.h>

// Throws RtError for GetLastError().
[[noreturn]] void ThrowLastError();
