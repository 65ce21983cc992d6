// Text Windows writes into a caller's buffer, however long it is.
#pragma once

#include "platform/win32/utf16.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

// Calls `fill(buffer, size)` with a bigger buffer until the text fits, and
// gives it as UTF-8; false when `fill` returns 0 (the last error tells why).
// `fill` returns the length it wrote, without the NUL; when the buffer is too
// small, either the size it needs (GetCurrentDirectoryW, GetFullPathNameW,
// GetShortPathNameW, GetSystemDirectoryW) or the buffer's own size, the text
// cut (GetModuleFileNameW).
template <class Fill> bool FillWide(Fill fill, std::string& text) {
    constexpr DWORD kLongest = 32768; // UTF-16 units of the longest path Windows takes
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD n = fill(buffer.data(), size);
        if (n == 0) return false;
        if (n < size) {
            text = ToUtf8(std::wstring_view(buffer.data(), n));
            return true;
        }
        if (size >= kLongest) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        buffer.resize(std::min<DWORD>(std::max(n + 1, size * 2), kLongest));
    }
}
