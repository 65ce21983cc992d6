// Drive look-up: type, volume serial number, label or network share.
#include "platform/rt_error.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

#include <winnetwk.h>

#include <cctype>
#include <vector>

namespace {

std::wstring Device(char letter) {
    return {static_cast<wchar_t>(letter), L':'};
}

std::wstring Root(char letter) {
    return Device(letter) + L"\\";
}

// The name the object manager gives the letter (for subst, the folder);
// false, with the last error set, when it has none.
bool DeviceTarget(char letter, std::wstring& target) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        if (QueryDosDeviceW(Device(letter).c_str(), buffer.data(),
                            static_cast<DWORD>(buffer.size()))) {
            target = buffer.data(); // the first name: the one in force
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() >= 32768) return false;
        buffer.resize(buffer.size() * 2);
    }
}

// True when the letter names no device at all. Most letters are free, and
// the type of a free letter takes a round trip to the mount manager (under
// Wine, another process); the device name is a look-up of its own.
bool NoDevice(char letter) {
    std::wstring target;
    return !DeviceTarget(letter, target) && GetLastError() == ERROR_FILE_NOT_FOUND;
}

RootType TypeOf(char letter) {
    return static_cast<RootType>(GetDriveTypeW(Root(letter).c_str()));
}

// A letter the system holds, even where its root cannot be read.
bool InLogicalDrives(char letter) {
    int bit = std::toupper(static_cast<unsigned char>(letter)) - 'A';
    return bit >= 0 && bit < 26 && (GetLogicalDrives() & (1u << bit)) != 0;
}

using WNetGetConnectionFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);

// mpr.dll is not one of the libraries the system always takes from its own
// folder, so it is not imported: that would look for it beside Mapwell.exe.
WNetGetConnectionFn NetConnection() {
    static WNetGetConnectionFn fn = [] {
        HMODULE mpr = LoadSystemLibrary("mpr.dll");
        return mpr ? reinterpret_cast<WNetGetConnectionFn>(
                         reinterpret_cast<void*>(GetProcAddress(mpr, "WNetGetConnectionW")))
                   : nullptr;
    }();
    return fn;
}

// The share a network letter is connected to; false when there is none.
bool Share(char letter, std::string& share) {
    WNetGetConnectionFn connection = NetConnection();
    if (!connection) return false;
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD result = connection(Device(letter).c_str(), buffer.data(), &size);
    if (result == ERROR_MORE_DATA) { // `size` now says how much it needs
        buffer.resize(size);
        result = connection(Device(letter).c_str(), buffer.data(), &size);
    }
    if (result != NO_ERROR) return false;
    share = ToUtf8(buffer.data());
    return true;
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
    if (!GetVolumeInformationW(Root(letter).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr,
                               0)) {
        DWORD error = GetLastError();
        throw RtError(VolumeReadError(error, TypeOf(letter), InLogicalDrives(letter)));
    }
    return serial;
}

bool Win32Drives::IsVirtual(char letter) {
    // subst names its folder by an object-manager path ("\??\C:\Work");
    // a disk is a device ("\Device\HarddiskVolume2"), a share a redirector.
    std::wstring target;
    return DeviceTarget(letter, target) && target.rfind(L"\\??\\", 0) == 0;
}

std::string Win32Drives::VirtualFolder(char letter) {
    // subst's device name is the folder behind "\??\"; a folder on a share
    // reads "\??\UNC\server\share\...".
    std::wstring folder;
    if (!DeviceTarget(letter, folder)) return "";
    if (folder.rfind(L"\\??\\UNC\\", 0) == 0) return "\\\\" + ToUtf8(folder.substr(8));
    if (folder.rfind(L"\\??\\", 0) == 0) return ToUtf8(folder.substr(4));
    return "";
}

DriveVolume Win32Drives::Volume(char letter, DriveKind kind) {
    if (kind == DriveKind::Network) return {Label(letter, kind)};
    // The label and the serial number from one call, as Label and
    // SerialNumber each read them.
    DriveVolume volume;
    wchar_t label[MAX_PATH + 1] = {}; // the longest label the call can give
    DWORD serial = 0;
    if (GetVolumeInformationW(Root(letter).c_str(), label, MAX_PATH + 1, &serial, nullptr, nullptr,
                              nullptr, 0)) {
        volume.label = ToUtf8(label);
        volume.serial = serial;
    } else {
        DWORD error = GetLastError();
        volume.serialError = VolumeReadError(error, TypeOf(letter), InLogicalDrives(letter));
    }
    return volume;
}

std::string Win32Drives::Label(char letter, DriveKind kind) {
    // Only a network drive has a share; asking the network providers about
    // any other drive costs as much as reading its label.
    std::string share;
    if (kind == DriveKind::Network && Share(letter, share)) return share;
    wchar_t label[MAX_PATH + 1] = {}; // the longest label the call can give
    if (GetVolumeInformationW(Root(letter).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                              nullptr, 0))
        return ToUtf8(label);
    return "";
}
