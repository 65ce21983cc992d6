// GDI draws and measures 8-bit text in the system's code page, even in a
// process that runs in UTF-8 by its manifest: text Mapwell draws itself goes
// through the W calls, converted from the process's own ANSI code page.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    return wide;
}
