// Operating-system version and special folders.
#include "platform/code_page_rules.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

#include <shlobj.h>

#include <cstdlib>
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

CodePage Win32Os::AnsiCodePage() {
    // A process keeps its code page for its whole life.
    if (ansi_) return *ansi_;
    CodePage& cp = ansi_.emplace();
    cp.number = GetACP();
    CPINFO info{};
    // Pairs of first and last lead byte, ended by a pair of zeros.
    if (GetCPInfo(CP_ACP, &info))
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                cp.lead[static_cast<size_t>(b)] = true;
    return cp;
}

namespace {

// The system's OEM code page, in which the command interpreter reads a batch
// file at log-on. A process that runs in UTF-8 by its manifest is told 65001
// by GetOEMCP, so it is read where Windows keeps it.
UINT SystemOemCodePage() {
    char value[16] = {};
    DWORD size = sizeof(value);
    UINT cp = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Nls\\CodePage",
                     "OEMCP", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS)
        cp = static_cast<UINT>(std::strtoul(value, nullptr, 10));
    return cp && IsValidCodePage(cp) ? cp : GetOEMCP();
}

bool ToWide(UINT cp, const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    int n = static_cast<int>(text.size());
    DWORD flags = ToWideFlagsFor(cp == CP_ACP ? GetACP() : cp);
    int size = MultiByteToWideChar(cp, flags, text.data(), n, nullptr, 0);
    if (size <= 0) return false;
    wide.assign(static_cast<size_t>(size), L'\0');
    return MultiByteToWideChar(cp, flags, text.data(), n, wide.data(), size) == size;
}

// Size, then bytes. `exact`: a character the code page cannot hold fails
// the conversion, where the code page allows saying so; otherwise it may
// become a look-alike or the default character.
bool FromWide(UINT cp, const std::wstring& wide, bool exact, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    ToMultiByteRule rule = exact ? ToMultiByteRuleFor(cp == CP_ACP ? GetACP() : cp)
                                 : ToMultiByteRule{}; // flags 0, no pointer: valid for every page
    BOOL usedDefault = FALSE;
    BOOL* used = rule.usedDefault ? &usedDefault : nullptr;
    int w = static_cast<int>(wide.size());
    int size = WideCharToMultiByte(cp, rule.flags, wide.data(), w, nullptr, 0, nullptr, used);
    if (size <= 0 || usedDefault) return false;
    out.assign(static_cast<size_t>(size), '\0');
    return WideCharToMultiByte(cp, rule.flags, wide.data(), w, out.data(), size, nullptr, used) ==
               size &&
           !usedDefault;
}

} // namespace

bool Win32Os::ToOemCodePage(const std::string& ansi, std::string& oem) {
    oem.clear();
    std::wstring wide, back;
    UINT cp = SystemOemCodePage();
    // Where no flag may forbid a look-alike, the way back tells: a folder
    // name must come back exactly as it went.
    return ToWide(CP_ACP, ansi, wide) && FromWide(cp, wide, true, oem) && ToWide(cp, oem, back) &&
           back == wide;
}

std::string Win32Os::FromOemCodePage(const std::string& oem) {
    std::wstring wide;
    std::string ansi;
    // Not text of that code page after all: shown as it came.
    if (!ToWide(SystemOemCodePage(), oem, wide) || !FromWide(CP_ACP, wide, false, ansi)) return oem;
    return ansi;
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
    // The shell makes a known folder on demand, as when a clean-up tool has
    // deleted it; a system that names no such folder still answers a failure.
    if (SHGetSpecialFolderLocation(nullptr, csidl | CSIDL_FLAG_CREATE, &pidl) != S_OK) return false;
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
