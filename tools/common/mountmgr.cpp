#include "mountmgr.h"

#include "tool_error.h"

#include <winioctl.h>

#include <cstring>
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

std::string UnixPathOf(const std::string& windowsPath) {
    using WineGetUnixFileName = char* (*)(const WCHAR*);
    // GCC flags a direct cast from FARPROC; going through void(*)() is the sanctioned route.
    const auto proc = reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (!proc) throw ToolError("not running under Wine (no wine_get_unix_file_name)");
    const auto toUnix = reinterpret_cast<WineGetUnixFileName>(proc);

    // The path came in as ANSI bytes; widen with the same code page Wine used to make them.
    const int wideLen = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (wideLen <= 0) throw Win32Failure("cannot convert path " + windowsPath);
    std::vector<WCHAR> wide(static_cast<size_t>(wideLen));
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), wideLen);

    const std::unique_ptr<char, HeapStringFree> unixPath(toUnix(wide.data()));
    if (!unixPath) throw ToolError("no Unix path for " + windowsPath);
    return unixPath.get();
}

char ParseDriveArg(const char* arg) {
    if (!arg || std::strlen(arg) != 2 || arg[1] != ':') return '\0';
    const char c = arg[0];
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return c;
    return '\0';
}

} // namespace bench
