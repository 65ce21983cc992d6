// Fixture drives for the bench's Wine prefixes:
//   winedrive X: fixed|cdrom|network FOLDER   make X: a drive of that type showing FOLDER
//   winedrive X: /remove                      take X: away again
//   winedrive X: /info                        print what Windows calls report for X:
// Errors: one line on stderr, exit code 1.
#include "../common/mountmgr.h"
#include "../common/tool_error.h"
#include "../common/utf8.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

namespace bench {
namespace {

constexpr const char* kUsage =
    "usage: winedrive X: fixed|cdrom|network FOLDER | winedrive X: /remove | winedrive X: /info";

std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

DriveKind ParseKind(const std::string& word) {
    if (word == "fixed") return DriveKind::Fixed;
    if (word == "cdrom") return DriveKind::CdRom;
    if (word == "network") return DriveKind::Network;
    throw ToolError("unknown drive type " + word + " (fixed, cdrom or network)");
}

void Define(char letter, DriveKind kind, const std::string& folder) {
    if (GetDriveTypeA(Root(letter).c_str()) != DRIVE_NO_ROOT_DIR)
        throw ToolError("drive " + std::string(1, letter) + ": is already in use");
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw ToolError("no such folder: " + folder);
    MountManager().DefineDrive(letter, UnixPathOf(folder), kind);
}

void Remove(char letter) {
    // Taking C: away leaves a prefix nothing can start in.
    if (letter == 'C') throw ToolError("refusing to remove C:");
    MountManager().RemoveDrive(letter);
}

// One line of key=value for scripts, e.g.
// type=3 volume=1 error=0 label="" serial=0x45000000 fs="NTFS"
void Info(char letter) {
    const std::string root = Root(letter);
    char label[MAX_PATH + 1] = "";
    char fileSystem[MAX_PATH + 1] = "";
    DWORD serial = 0;
    const BOOL volume = GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, nullptr,
                                              nullptr, fileSystem, sizeof fileSystem);
    const DWORD volumeError = volume ? 0 : GetLastError();
    // The letter's device name: a folder ("\??\C:\Work") for a subst drive.
    const std::wstring device{static_cast<wchar_t>(letter), L':'};
    wchar_t target[4096] = L"";
    QueryDosDeviceW(device.c_str(), target, 4096);
    std::printf("type=%u volume=%d error=%lu label=\"%s\" serial=0x%08lX fs=\"%s\" device=\"%s\"\n",
                GetDriveTypeA(root.c_str()), volume ? 1 : 0, volumeError, label, serial, fileSystem,
                Utf8(target).c_str());
}

void Run(int argc, char** argv) {
    if (argc < 3) throw ToolError(kUsage);
    const char letter = ParseDriveArg(argv[1]);
    if (!letter) throw ToolError(std::string("not a drive letter: ") + argv[1]);

    const std::string action = argv[2];
    if (argc == 3 && action == "/remove") return Remove(letter);
    if (argc == 3 && action == "/info") return Info(letter);
    if (argc == 4) return Define(letter, ParseKind(action), argv[3]);
    throw ToolError(kUsage);
}

} // namespace
} // namespace bench

int main(int argc, char** argv) {
    try {
        bench::Run(argc, argv);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
