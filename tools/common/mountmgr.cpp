#include "mountmgr.h"

#include "tool_error.h"
#include "utf8.h"

#include <winioctl.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace bench {
namespace {

// Wine's struct mountmgr_unix_drive (include/ddk/mountmgr.h). Its strings follow the header at
// the given byte offsets; an offset of 0 means "absent".
struct UnixDriveRequest {
    ULONG size; // whole buffer, header plus strings
    ULONG type; // GetDriveType code; DRIVE_NO_ROOT_DIR removes the letter
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
static_assert(sizeof(UnixDriveRequest) == 32, "must match Wine's layout byte for byte");

constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct HeapStringFree {
    void operator()(char* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

} // namespace

MountManager::MountManager()
    : device_(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (!device_.valid()) throw Win32Failure("cannot open Wine's mount manager");
}

void MountManager::DefineDrive(char letter, const std::string& unixPath, DriveKind kind) {
    if (unixPath.empty()) throw ToolError("empty Unix path for drive " + std::string(1, letter));
    Send(letter, static_cast<ULONG>(kind), unixPath);
}

void MountManager::RemoveDrive(char letter) {
    Send(letter, DRIVE_NO_ROOT_DIR, std::string());
}

void MountManager::Send(char letter, ULONG type, const std::string& unixPath) {
    const size_t pathBytes = unixPath.empty() ? 0 : unixPath.size() + 1;
    const size_t total = sizeof(UnixDriveRequest) + pathBytes;
    // Offsets are USHORT in the request.
    if (total > 0xFFFF) throw ToolError("path too long for the mount manager");

    std::vector<char> buffer(total, 0);
    UnixDriveRequest header{};
    header.size = static_cast<ULONG>(total);
    header.type = type;
    header.letter = static_cast<WCHAR>(letter);
    header.mount_point_offset = pathBytes ? static_cast<USHORT>(sizeof(header)) : 0;
    std::memcpy(buffer.data(), &header, sizeof(header));
    if (pathBytes) std::memcpy(buffer.data() + sizeof(header), unixPath.c_str(), pathBytes);

    DWORD returned = 0;
    if (!DeviceIoControl(device_.get(), kDefineUnixDrive, buffer.data(), header.size, nullptr, 0,
                         &returned, nullptr))
        throw Win32Failure("mount manager refused drive " + std::string(1, letter) + ":");
}

std::string UnixPathOf(const std::wstring& windowsPath) {
    using WineGetUnixFileName = char* (*)(const WCHAR*);
    // GCC flags a direct cast from FARPROC; going through void(*)() is the sanctioned route.
    const auto proc = reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (!proc) throw ToolError("not running under Wine (no wine_get_unix_file_name)");
    const auto toUnix = reinterpret_cast<WineGetUnixFileName>(proc);

    const std::unique_ptr<char, HeapStringFree> unixPath(toUnix(windowsPath.c_str()));
    if (!unixPath) throw ToolError("no Unix path for " + Utf8(windowsPath));
    return unixPath.get();
}

std::string UnixPathOf(const std::string& windowsPath) {
    // The path came in as ANSI bytes; widen with the same code page Wine used to make them.
    const std::wstring wide = WideFromCodePage(CP_ACP, windowsPath);
    if (wide.empty() && !windowsPath.empty())
        throw Win32Failure("cannot convert path " + windowsPath);
    return UnixPathOf(wide);
}

char ParseDriveArg(const wchar_t* arg) {
    if (!arg || std::wcslen(arg) != 2 || arg[0] > 127) return '\0';
    const char narrow[3] = {static_cast<char>(arg[0]),
                            static_cast<char>(arg[1] == L':' ? ':' : '?'), '\0'};
    return ParseDriveArg(narrow);
}

char ParseDriveArg(const char* arg) {
    if (!arg || std::strlen(arg) != 2 || arg[1] != ':') return '\0';
    const char c = arg[0];
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
    return '\0';
}

} // namespace bench
