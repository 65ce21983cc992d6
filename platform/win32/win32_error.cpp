#include "platform/win32/win32_error.h"

#include "platform/rt_error.h"

namespace {

struct Mapping {
    DWORD win32;
    int rt;
};

constexpr Mapping kMappings[] = {
    {ERROR_FILE_NOT_FOUND, rtFileNotFound},
    {ERROR_PATH_NOT_FOUND, rtPathNotFound},
    {ERROR_BAD_NETPATH, rtPathNotFound},
    {ERROR_BAD_PATHNAME, rtPathNotFound},
    {ERROR_DIRECTORY, rtPathNotFound},
    {ERROR_FILENAME_EXCED_RANGE, rtPathNotFound},
    {ERROR_INVALID_NAME, rtBadFileName},
    {ERROR_ACCESS_DENIED, rtPathFileAccess},
    {ERROR_SHARING_VIOLATION, rtPermissionDenied},
    {ERROR_LOCK_VIOLATION, rtPermissionDenied},
    {ERROR_WRITE_PROTECT, rtPermissionDenied},
    {ERROR_NOT_READY, rtDiskNotReady},
    {ERROR_INVALID_DRIVE, rtDeviceUnavailable},
    {ERROR_BAD_UNIT, rtDeviceUnavailable},
    {ERROR_DEV_NOT_EXIST, rtDeviceUnavailable},
    {ERROR_BAD_NET_NAME, rtDeviceUnavailable},
    {ERROR_UNRECOGNIZED_VOLUME, rtDiskNotReady},
    {ERROR_FILE_EXISTS, rtFileAlreadyExists},
    {ERROR_ALREADY_EXISTS, rtFileAlreadyExists},
    {ERROR_DISK_FULL, rtDiskFull},
    {ERROR_HANDLE_DISK_FULL, rtDiskFull},
    {ERROR_NOT_ENOUGH_MEMORY, rtOutOfMemory},
    {ERROR_OUTOFMEMORY, rtOutOfMemory},
};

} // namespace

int RtErrorFromWin32(DWORD code) {
    for (const Mapping& m : kMappings)
        if (m.win32 == code) return m.rt;
    // Anything else is still a failure of the file or device: report it as such
    // rather than let a handler pass over it.
    return rtPathFileAccess;
}

void ThrowLastError() {
    throw RtError(RtErrorFromWin32(GetLastError()));
}
