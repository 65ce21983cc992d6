// Drive letters through Wine's mount manager. Wine's DefineDosDevice only makes a link that the
// file system ignores; the mount manager is what makes a letter real, at once, for every process
// of the prefix. It also writes dosdevices/x: and HKLM\Software\Wine\Drives, so the letter
// outlives the wineserver.
#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <string>

namespace bench {

// The values are the GetDriveType codes the mount manager takes as its drive type.
enum class DriveKind : ULONG {
    Fixed = DRIVE_FIXED,
    Network = DRIVE_REMOTE,
    CdRom = DRIVE_CDROM,
};

class MountManager {
public:
    MountManager(); // throws ToolError when the device cannot be opened (not under Wine)

    // letter is 'A'..'Z' (either case); unixPath is a folder's path as Wine's Unix side sees it.
    void DefineDrive(char letter, const std::string& unixPath, DriveKind kind);
    void RemoveDrive(char letter);

private:
    void Send(char letter, ULONG type, const std::string& unixPath);

    UniqueHandle device_;
};

// Windows path (ANSI) -> Unix path, via Wine's kernel32 export wine_get_unix_file_name.
// The folder need not exist. Throws ToolError when not running under Wine.
std::string UnixPathOf(const std::string& windowsPath);
std::string UnixPathOf(const std::wstring& windowsPath);

// "X:" or "x:" -> 'X'; anything else -> '\0'.
char ParseDriveArg(const char* arg);
char ParseDriveArg(const wchar_t* arg);

} // namespace bench
