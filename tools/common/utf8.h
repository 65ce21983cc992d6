// The stand-in keeps folder names as UTF-8 inside and as UTF-16 at the system's edges, so a
// name in any script survives whole, as it does through the system's own subst.exe.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

inline std::wstring WideFromCodePage(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), n);
    return wide;
}

inline std::string CodePageFromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
    return text;
}

inline std::wstring Wide(const std::string& utf8) {
    return WideFromCodePage(CP_UTF8, utf8);
}

inline std::string Utf8(const std::wstring& wide) {
    return CodePageFromWide(CP_UTF8, wide);
}

} // namespace bench
