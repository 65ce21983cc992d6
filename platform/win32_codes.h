// The Win32 answers the program acts on, and the run-time error numbers they
// become. Portable on purpose: the real machine translates its answers here,
// and the simulated machine produces the same raw answers and translates them
// the same way, so the native tests run through this one table.
#pragma once

#include "platform/platform.h"

#include <cstdint>

// Win32 error codes (winerror.h) that the table below names.
namespace win32 {
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kOutOfMemory = 14;
constexpr uint32_t kInvalidDrive = 15;
constexpr uint32_t kWriteProtect = 19;
constexpr uint32_t kBadUnit = 20;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kLockViolation = 33;
constexpr uint32_t kHandleDiskFull = 39;
constexpr uint32_t kBadNetPath = 53;
constexpr uint32_t kNetNameDeleted = 64;
constexpr uint32_t kDevNotExist = 55;
constexpr uint32_t kBadNetName = 67;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kBadPathName = 161;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kFilenameExcedRange = 206;
constexpr uint32_t kDirectory = 267;
constexpr uint32_t kUnrecognizedVolume = 1005;
constexpr uint32_t kMediaChanged = 1110;
constexpr uint32_t kNoMediaInDrive = 1112;
constexpr uint32_t kDeviceNotConnected = 1167;
constexpr uint32_t kNetworkUnreachable = 1231;
constexpr uint32_t kDeviceRemoved = 1617;
constexpr uint32_t kUnrecognizedMedia = 1785;
} // namespace win32

// The run-time error number of a Win32 error code. Codes the table does not
// know become 75, so a failure is reported rather than passed over.
int RtErrorFromWin32(uint32_t code);

// GetDriveTypeA's answers.
enum class RootType : uint32_t {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// The kind of the drive at a letter, from its root's type and whether the
// letter is set in the system's logical-drive mask. Only a letter that no
// drive holds throws RtError(68). A letter the system holds but whose root
// cannot be reached (a subst drive whose folder has gone) is Unknown: it is
// in use, and can be released.
DriveKind DriveKindOf(RootType type, bool inLogicalDrives);

// What GetDriveTypeA answers for a drive of that kind: the simulated machine
// gives the real one's answers.
RootType RootTypeOf(DriveKind kind);

// The run-time error of a volume read (for its serial number) that failed
// with `code`. Every "no medium" answer, and any failure of a letter the
// system holds without a reachable root, reads as 71: a drive that is there
// but not ready.
int VolumeReadError(uint32_t code, RootType type, bool inLogicalDrives);
