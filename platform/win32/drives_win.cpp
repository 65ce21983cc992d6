// Drive look-up: type, volume serial number, label or network share.
#include "platform/rt_error.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

#include <winnetwk.h>

#include <cctype>

namespace {

std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

// True when the letter names no device at all. Most letters are free, and
// the type of a free letter takes a round trip to the mount manager (under
// Wine, another process); the device name is a look-up of its own.
bool NoDevice(char letter) {
    std::string device = std::string(1, letter) + ":";
    char target[MAX_PATH];
    return !QueryDosDeviceA(device.c_str(), target, sizeof(target)) &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

} // namespace

DriveKind Win32Drives::Kind(char letter) {
    if (!std::isalpha(static_cast<unsigned char>(letter)) || NoDevice(letter))
        throw RtError(rtDeviceUnavailable);
    switch (GetDriveTypeA(Root(letter).c_str())) {
    case DRIVE_NO_ROOT_DIR:
        throw RtError(rtDeviceUnavailable);
    case DRIVE_REMOVABLE:
        return DriveKind::Removable;
    case DRIVE_FIXED:
        return DriveKind::Fixed;
    case DRIVE_REMOTE:
        return DriveKind::Network;
    case DRIVE_CDROM:
        return DriveKind::CdRom;
    case DRIVE_RAMDISK:
        return DriveKind::RamDisk;
    default:
        return DriveKind::Unknown;
    }
}

uint32_t Win32Drives::SerialNumber(char letter) {
    DWORD serial = 0;
    if (!GetVolumeInformationA(Root(letter).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr,
                               0))
        ThrowLastError();
    return serial;
}

std::string Win32Drives::Label(char letter, DriveKind kind) {
    char buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof(buffer);
    std::string device = std::string(1, letter) + ":";
    // Only a network drive has a share; asking the network providers about
    // any other drive costs as much as reading its label.
    if (kind == DriveKind::Network && WNetGetConnectionA(device.c_str(), buffer, &size) == NO_ERROR)
        return buffer;
    if (GetVolumeInformationA(Root(letter).c_str(), buffer, sizeof(buffer), nullptr, nullptr,
                              nullptr, nullptr, 0))
        return buffer;
    return "";
}
