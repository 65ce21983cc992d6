#include "platform/win32/utf16.h"

#include <windows.h>

#include <climits>

std::wstring ToUtf16(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    const int n = static_cast<int>(utf8.size());
    // Size first, then the characters; flags 0 replaces what is not UTF-8.
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, wide.data(), size);
    return wide;
}

std::string ToUtf8(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX) return {};
    const int n = static_cast<int>(utf16.size());
    // UTF-8 takes no default character and no best-fit flag.
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data(), size, nullptr, nullptr);
    return out;
}
