#include "platform/win32/win32_error.h"

#include "platform/rt_error.h"

// The portable table spells the codes as numbers; they must be the system's.
static_assert(win32::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(win32::kPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(win32::kAccessDenied == ERROR_ACCESS_DENIED);
static_assert(win32::kNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY);
static_assert(win32::kOutOfMemory == ERROR_OUTOFMEMORY);
static_assert(win32::kInvalidDrive == ERROR_INVALID_DRIVE);
static_assert(win32::kWriteProtect == ERROR_WRITE_PROTECT);
static_assert(win32::kBadUnit == ERROR_BAD_UNIT);
static_assert(win32::kNotReady == ERROR_NOT_READY);
static_assert(win32::kSharingViolation == ERROR_SHARING_VIOLATION);
static_assert(win32::kLockViolation == ERROR_LOCK_VIOLATION);
static_assert(win32::kHandleDiskFull == ERROR_HANDLE_DISK_FULL);
static_assert(win32::kBadNetPath == ERROR_BAD_NETPATH);
static_assert(win32::kNetNameDeleted == ERROR_NETNAME_DELETED);
static_assert(win32::kDevNotExist == ERROR_DEV_NOT_EXIST);
static_assert(win32::kBadNetName == ERROR_BAD_NET_NAME);
static_assert(win32::kFileExists == ERROR_FILE_EXISTS);
static_assert(win32::kDiskFull == ERROR_DISK_FULL);
static_assert(win32::kInvalidName == ERROR_INVALID_NAME);
static_assert(win32::kBadPathName == ERROR_BAD_PATHNAME);
static_assert(win32::kAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(win32::kFilenameExcedRange == ERROR_FILENAME_EXCED_RANGE);
static_assert(win32::kDirectory == ERROR_DIRECTORY);
static_assert(win32::kUnrecognizedVolume == ERROR_UNRECOGNIZED_VOLUME);
static_assert(win32::kMediaChanged == ERROR_MEDIA_CHANGED);
static_assert(win32::kNoMediaInDrive == ERROR_NO_MEDIA_IN_DRIVE);
static_assert(win32::kDeviceNotConnected == ERROR_DEVICE_NOT_CONNECTED);
static_assert(win32::kNetworkUnreachable == ERROR_NETWORK_UNREACHABLE);
static_assert(win32::kDeviceRemoved == ERROR_DEVICE_REMOVED);
static_assert(win32::kUnrecognizedMedia == ERROR_UNRECOGNIZED_MEDIA);
static_assert(static_cast<UINT>(RootType::NoRootDir) == DRIVE_NO_ROOT_DIR);
static_assert(static_cast<UINT>(RootType::Remote) == DRIVE_REMOTE);
static_assert(static_cast<UINT>(RootType::CdRom) == DRIVE_CDROM);
static_assert(static_cast<UINT>(RootType::RamDisk) == DRIVE_RAMDISK);

void ThrowLastError() {
    throw RtError(RtErrorFromWin32(GetLastError()));
}
