// Operating-system version and special folders.
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

OsVersion Win32Os::Version() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info); // 148
    std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    // A failed call leaves the fields zero, which reads as an unknown family.
    GetVersionExA(&info);
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

bool Win32Os::ToOemCodePage(const std::string& ansi, std::string& oem) {
    if (ansi.empty()) {
        oem.clear();
        return true;
    }
    int n = static_cast<int>(ansi.size());
    std::wstring wide(static_cast<size_t>(n), L'\0');
    int w = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), n, wide.data(), n);
    if (w <= 0) return false;
    // No "best fit": a character without an exact OEM form must fail, not
    // turn into a look-alike that names another folder.
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), w, nullptr, 0,
                                   nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return false;
    oem.assign(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), w, oem.data(), size, nullptr,
                        &usedDefault);
    return !usedDefault;
}

long Win32Folders::FolderPath(int csidl, FolderType type, std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD flags = type == FolderType::Current ? SHGFP_TYPE_CURRENT : SHGFP_TYPE_DEFAULT;
    HRESULT hr = SHGetFolderPathA(nullptr, csidl, nullptr, flags, buffer);
    if (hr == S_OK) path.assign(buffer, strnlen(buffer, sizeof(buffer)));
    return hr == S_OK ? 0 : hr == S_FALSE ? 1 : static_cast<long>(hr);
}

bool Win32Folders::SpecialFolderPath(int csidl, std::string& path) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &pidl) != S_OK) return false;
    // The shell's own path limit; the buffer only has to hold MAX_PATH.
    char buffer[300] = {};
    SHGetPathFromIDListA(pidl, buffer);
    CoTaskMemFree(pidl);
    path.assign(buffer, strnlen(buffer, sizeof(buffer)));
    return true;
}

std::string Win32Folders::SystemDirectory() {
    char buffer[255] = {};
    UINT n = GetSystemDirectoryA(buffer, sizeof(buffer));
    // 0 is a failure; a length that does not fit means nothing usable was written.
    if (n == 0 || n >= sizeof(buffer)) return "";
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
}

HMODULE LoadSystemLibrary(const char* name) {
    std::string system = Win32Folders().SystemDirectory();
    return system.empty() ? nullptr : LoadLibraryA((system + "\\" + name).c_str());
}

std::string Win32Folders::ProgramFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return "";
        // A full buffer means the name was cut: try again with more room.
        if (n < buffer.size()) {
            std::string path(buffer.data(), n);
            return path.substr(0, path.find_last_of('\\'));
        }
        buffer.resize(buffer.size() * 2);
    }
}
