#include "platform/win32_codes.h"

#include "platform/rt_error.h"

namespace {

struct Mapping {
    uint32_t win32;
    int rt;
};

constexpr Mapping kMappings[] = {
    {win32::kFileNotFound, rtFileNotFound},
    {win32::kPathNotFound, rtPathNotFound},
    {win32::kBadPathName, rtPathNotFound},
    {win32::kDirectory, rtPathNotFound},
    {win32::kFilenameExcedRange, rtPathNotFound},
    {win32::kInvalidName, rtBadFileName},
    {win32::kAccessDenied, rtPathFileAccess},
    {win32::kSharingViolation, rtPermissionDenied},
    {win32::kLockViolation, rtPermissionDenied},
    {win32::kWriteProtect, rtPermissionDenied},
    {win32::kNotReady, rtDiskNotReady},
    // A card reader without a card, a medium the system cannot read or one
    // that was changed: the drive is there, its medium is not.
    {win32::kUnrecognizedVolume, rtDiskNotReady},
    {win32::kNoMediaInDrive, rtDiskNotReady},
    {win32::kUnrecognizedMedia, rtDiskNotReady},
    {win32::kMediaChanged, rtDiskNotReady},
    // No such drive or device, one unplugged or gone, a share that is not there.
    // A server that cannot be reached is one of them, never "not found": a
    // file there may well exist, and must not be taken for absent.
    {win32::kInvalidDrive, rtDeviceUnavailable},
    {win32::kBadNetPath, rtDeviceUnavailable},
    {win32::kNetNameDeleted, rtDeviceUnavailable},
    {win32::kNetworkUnreachable, rtDeviceUnavailable},
    {win32::kBadUnit, rtDeviceUnavailable},
    {win32::kDevNotExist, rtDeviceUnavailable},
    {win32::kBadNetName, rtDeviceUnavailable},
    {win32::kDeviceNotConnected, rtDeviceUnavailable},
    {win32::kDeviceRemoved, rtDeviceUnavailable},
    {win32::kFileExists, rtFileAlreadyExists},
    {win32::kAlreadyExists, rtFileAlreadyExists},
    {win32::kDiskFull, rtDiskFull},
    {win32::kHandleDiskFull, rtDiskFull},
    {win32::kNotEnoughMemory, rtOutOfMemory},
    {win32::kOutOfMemory, rtOutOfMemory},
};

} // namespace

int RtErrorFromWin32(uint32_t code) {
    for (const Mapping& m : kMappings)
        if (m.win32 == code) return m.rt;
    return rtPathFileAccess;
}

namespace {

struct RootKind {
    RootType root;
    DriveKind kind;
};

constexpr RootKind kRootKinds[] = {
    {RootType::Removable, DriveKind::Removable}, {RootType::Fixed, DriveKind::Fixed},
    {RootType::Remote, DriveKind::Network},      {RootType::CdRom, DriveKind::CdRom},
    {RootType::RamDisk, DriveKind::RamDisk},
};

} // namespace

DriveKind DriveKindOf(RootType type, bool inLogicalDrives) {
    if (type == RootType::NoRootDir && !inLogicalDrives) throw RtError(rtDeviceUnavailable);
    for (const RootKind& rk : kRootKinds)
        if (rk.root == type) return rk.kind;
    return DriveKind::Unknown;
}

RootType RootTypeOf(DriveKind kind) {
    for (const RootKind& rk : kRootKinds)
        if (rk.kind == kind) return rk.root;
    return RootType::Unknown;
}

int VolumeReadError(uint32_t code, RootType type, bool inLogicalDrives) {
    int number = RtErrorFromWin32(code);
    // The system still holds the letter: whatever the volume says, the
    // drive is in use and must not be offered as free, nor be reported at
    // every refresh.
    if (inLogicalDrives && (type == RootType::NoRootDir || number == rtDeviceUnavailable))
        return rtDiskNotReady;
    return number;
}
