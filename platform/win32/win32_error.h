// The one place where Win32 error codes become run-time error numbers.
#pragma once

#include <windows.h>

int RtErrorFromWin32(DWORD code);
// Throws RtError for GetLastError().
[[noreturn]] void ThrowLastError();
