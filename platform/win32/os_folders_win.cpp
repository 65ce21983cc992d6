// Operating-system version, the OEM code page and special folders.
#include "platform/code_page_rules.h"
#include "platform/win32/utf16.h"
#include "platform/win32/wide_buffer.h"
#include "platform/win32/win32_platform.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

OsVersion Win32Os::Version() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), L' ');
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    // A failed call leaves the fields zero, which reads as an unknown family.
    GetVersionExW(&info);
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

namespace {

// The system's OEM code page, in which the command interpreter reads a batch
// file at log-on and console programs write their output. A process that
// runs in UTF-8 by its manifest is told 65001 by GetOEMCP, so it is read
// where Windows keeps it.
UINT SystemOemCodePage() {
    wchar_t value[16] = {};
    DWORD size = sizeof(value);
    UINT cp = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Nls\\CodePage",
                     L"OEMCP", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS)
        cp = static_cast<UINT>(std::wcstoul(value, nullptr, 10));
    return cp && IsValidCodePage(cp) ? cp : GetOEMCP();
}

bool ToWide(UINT cp, DWORD flags, const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    int n = static_cast<int>(text.size());
    int size = MultiByteToWideChar(cp, flags, text.data(), n, nullptr, 0);
    if (size <= 0) return false;
    wide.assign(static_cast<size_t>(size), L'\0');
    return MultiByteToWideChar(cp, flags, text.data(), n, wide.data(), size) == size;
}

// Size, then bytes, as strict as the code page allows: a character it cannot
// hold fails the conversion where the code page lets that be said.
bool FromWide(UINT cp, const std::wstring& wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    ToMultiByteRule rule = ToMultiByteRuleFor(cp);
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

bool Win32Os::ToOemCodePage(const std::string& text, std::string& oem) {
    const std::wstring wide = ToUtf16(text);
    const UINT cp = SystemOemCodePage();
    std::wstring back;
    // Where no flag may forbid a look-alike, the way back tells: a folder
    // name must come back exactly as it went.
    if (FromWide(cp, wide, oem) && ToWide(cp, ToWideFlagsFor(cp), oem, back) && back == wide)
        return true;
    oem.clear();
    return false;
}

std::string Win32Os::FromOemCodePage(const std::string& oem) {
    std::wstring wide;
    // Flags 0, valid for every code page: what is no text of it is replaced.
    ToWide(SystemOemCodePage(), 0, oem, wide);
    return ToUtf8(wide);
}

long Win32Folders::FolderPath(int csidl, FolderType type, std::string& path) {
    wchar_t buffer[MAX_PATH] = {}; // the size the call takes
    DWORD flags = type == FolderType::Current ? SHGFP_TYPE_CURRENT : SHGFP_TYPE_DEFAULT;
    HRESULT hr = SHGetFolderPathW(nullptr, csidl, nullptr, flags, buffer);
    if (hr == S_OK) path = ToUtf8(buffer);
    return hr == S_OK ? 0 : hr == S_FALSE ? 1 : static_cast<long>(hr);
}

bool Win32Folders::SpecialFolderPath(int csidl, std::string& path) {
    wchar_t buffer[MAX_PATH] = {}; // the size the call takes
    // A Startup folder that a clean-up tool deleted is made again: the
    // shell's own folder, which it runs at every log-on.
    if (SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer) !=
        S_OK)
        return false;
    path = ToUtf8(buffer);
    return true;
}

std::string Win32Folders::SystemDirectory() {
    std::string system;
    if (!FillWide([](wchar_t* b, DWORD n) { return GetSystemDirectoryW(b, n); }, system)) return "";
    return system;
}

HMODULE LoadSystemLibrary(const char* name) {
    std::string system = Win32Folders().SystemDirectory();
    return system.empty() ? nullptr : LoadLibraryW(ToUtf16(system + "\\" + name).c_str());
}

std::string Win32Folders::ProgramFolder() {
    std::string path;
    if (!FillWide([](wchar_t* b, DWORD n) { return GetModuleFileNameW(nullptr, b, n); }, path))
        return "";
    return path.substr(0, path.find_last_of('\\'));
}
