// Where text crosses into Windows. Mapwell holds every text as UTF-8 and
// calls Windows through its wide (UTF-16) functions only, converting here and
// nowhere else. Code pages appear only where Windows' own tools need them
// (the startup batch file, subst.exe's listing): see os_folders_win.cpp.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to UTF-16. A byte that is not UTF-8 becomes U+FFFD, so a damaged
// name never names another file.
std::wstring ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view utf16);
// A NUL-terminated UTF-16 text that Windows filled in (a null pointer reads
// as empty).
inline std::string ToUtf8(const wchar_t* utf16) {
    return utf16 ? ToUtf8(std::wstring_view(utf16)) : std::string();
}
