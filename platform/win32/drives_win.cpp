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

RootType TypeOf(char letter) {
    return static_cast<RootType>(GetDriveTypeA(Root(letter).c_str()));
}

// A letter the system holds, even where its root cannot be read.
bool InLogicalDrives(char letter) {
    int bit = std::toupper(static_cast<unsigned char>(letter)) - 'A';
    return bit >= 0 && bit < 26 && (GetLogicalDrives() & (1u << bit)) != 0;
}

using WNetGetConnectionFn = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);

// mpr.dll is not one of the libraries the system always takes from its own
// folder, so it is not imported: that would look for it beside Mapwell.exe.
WNetGetConnectionFn NetConnection() {
    static WNetGetConnectionFn fn = [] {
        HMODULE mpr = LoadSystemLibrary("mpr.dll");
        return mpr ? reinterpret_cast<WNetGetConnectionFn>(
                         reinterpret_cast<void*>(GetProcAddress(mpr, "WNetGetConnectionA")))
                   : nullptr;
    }();
    return fn;
}

} // namespace

DriveKind Win32Drives::Kind(char letter) {
    if (!std::isalpha(static_cast<unsigned char>(letter)) || NoDevice(letter))
        throw RtError(rtDeviceUnavailable);
    // The system's list of letters costs another round trip to the mount
    // manager, and only a letter without a root needs it.
    RootType type = TypeOf(letter);
    return DriveKindOf(type, type == RootType::NoRootDir && InLogicalDrives(letter));
}

uint32_t Win32Drives::SerialNumber(char letter) {
    DWORD serial = 0;
    if (!GetVolumeInformationA(Root(letter).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr,
                               0)) {
        DWORD error = GetLastError();
        throw RtError(VolumeReadError(error, TypeOf(letter), InLogicalDrives(letter)));
    }
    return serial;
}

bool Win32Drives::IsVirtual(char letter) {
    // subst names its folder by an object-manager path ("\??\C:\Work");
    // a disk is a device ("\Device\HarddiskVolume2"), a share a redirector.
    std::string device = std::string(1, letter) + ":";
    char target[4096]; // a folder of up to MAX_PATH, and room to spare
    return QueryDosDeviceA(device.c_str(), target, sizeof(target)) &&
           std::string(target).rfind("\\??\\", 0) == 0;
}

DriveVolume Win32Drives::Volume(char letter, DriveKind kind) {
    if (kind == DriveKind::Network) return {Label(letter, kind)};
    // The label and the serial number from one call, as Label and
    // SerialNumber each read them.
    DriveVolume volume;
    char label[MAX_PATH + 1] = {};
    DWORD serial = 0;
    if (GetVolumeInformationA(Root(letter).c_str(), label, sizeof(label), &serial, nullptr, nullptr,
                              nullptr, 0)) {
        volume.label = label;
        volume.serial = serial;
    } else {
        DWORD error = GetLastError();
        volume.serialError = VolumeReadError(error, TypeOf(letter), InLogicalDrives(letter));
    }
    return volume;
}

std::string Win32Drives::Label(char letter, DriveKind kind) {
    char buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof(buffer);
    std::string device = std::string(1, letter) + ":";
    // Only a network drive has a share; asking the network providers about
    // any other drive costs as much as reading its label.
    WNetGetConnectionFn connection = kind == DriveKind::Network ? NetConnection() : nullptr;
    if (connection && connection(device.c_str(), buffer, &size) == NO_ERROR) return buffer;
    if (GetVolumeInformationA(Root(letter).c_str(), buffer, sizeof(buffer), nullptr, nullptr,
                              nullptr, nullptr, 0))
        return buffer;
    return "";
}
