// Stand-in for the system subst.exe inside the bench's Wine prefixes, where Wine's own subst.exe
// maps nothing. It behaves the way Mapwell relies on:
//   subst                 list the stand-in's mappings, "E:\: => C:\Work" CR LF each, by letter
//   subst X: FOLDER       map X: to FOLDER (a fixed drive, live for the whole prefix), named
//                         to QueryDosDevice as "\??\FOLDER", as the system's subst names it
//   subst X: /D           remove a mapping the stand-in made
// Errors: one line on stderr, exit code 1, nothing changed.
#include "../common/mountmgr.h"
#include "../common/tool_error.h"
#include "../common/utf8.h"
#include "command_log.h"
#include "records.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <exception>
#include <string>

// wmain's argc/argv are the C run-time's split of the wide command line, as the system command
// reads it: `E: "C:\"` arrives as `C:"` and fails as a missing folder, while a name in any
// script arrives whole (ソ is one character, not 83 and a backslash). Globbing would be a second,
// foreign rule on top of that.
extern "C" {
int _dowildcard = 0;
}

namespace bench {
namespace {

std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

bool LetterInUse(char letter) {
    return GetDriveTypeA(Root(letter).c_str()) != DRIVE_NO_ROOT_DIR;
}

// Held by the system: in its logical-drive mask, as a mapping whose folder has gone still is.
bool LetterHeld(char letter) {
    const int bit = std::toupper(static_cast<unsigned char>(letter)) - 'A';
    return bit >= 0 && bit < 26 && (GetLogicalDrives() & (1u << bit)) != 0;
}

// The device name Windows' subst gives a letter: QueryDosDevice answers "\??\C:\Work", which
// tells a virtual drive from a disk. Wine's file system does not follow such a name, but defined
// before the mount manager maps the letter, the name stays while files resolve through the mount;
// defined after it, DefineDosDevice fails with 183. Releasing the letter through the mount
// manager removes both.
void NameLikeSubst(char letter, const std::string& folder) {
    const std::wstring device{static_cast<wchar_t>(letter), L':'};
    if (!DefineDosDeviceW(0, device.c_str(), Wide(folder).c_str()))
        throw Win32Failure("cannot name drive " + std::string(1, letter) + ": after its folder");
}

// Takes the name back: best effort, as a letter released through the mount manager has lost it.
void ForgetName(char letter) {
    const std::wstring device{static_cast<wchar_t>(letter), L':'};
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
}

// The folder as the system's subst keeps it: a full path.
std::string FullPath(const std::string& folder) {
    const std::wstring wide = Wide(folder);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) throw Win32Failure("no full path for " + folder);
    full.resize(n);
    return Utf8(full);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A mount survives `wineserver -k` through dosdevices/x:, but a letter can still vanish behind
// our back (winedrive /remove, a hand-edited prefix). Put recorded letters back first, so the
// record and the prefix agree before any command looks at them. Best effort: a failure here shows
// up as the later command's own error. (A letter that outlived a wineserver restart keeps its
// mount but not its subst name: the name can only come before the mount.)
void RestoreVanishedDrives() {
    try {
        for (const SubstRecord& record : AllRecords()) {
            if (LetterInUse(record.letter) || !IsFolder(record.target)) continue;
            NameLikeSubst(record.letter, FullPath(record.target));
            MountManager().DefineDrive(record.letter, UnixPathOf(Wide(record.target)),
                                       DriveKind::Fixed);
        }
    } catch (const ToolError&) {
    }
}

void List() {
    // Text mode would turn the "\r\n" into "\r\r\n" in a redirected file.
    _setmode(_fileno(stdout), _O_BINARY);
    // A console program writes a redirected listing in the OEM code page, as the system's does.
    for (const SubstRecord& record : AllRecords())
        std::printf("%c:\\: => %s\r\n", record.letter,
                    CodePageFromWide(GetOEMCP(), Wide(record.target)).c_str());
    std::fflush(stdout);
}

void Map(char letter, const std::string& folder) {
    if (LetterInUse(letter))
        throw ToolError("Drive already in use - " + std::string(1, letter) + ":");
    if (!IsFolder(folder)) throw ToolError("Path not found - " + folder);

    NameLikeSubst(letter, FullPath(folder));
    // The name goes again unless the letter is mapped whole.
    struct Named {
        char letter;
        bool mapped = false;
        ~Named() {
            if (!mapped) ForgetName(letter);
        }
    } named{letter};
    MountManager mountManager;
    try {
        mountManager.DefineDrive(letter, UnixPathOf(Wide(folder)), DriveKind::Fixed);
        if (GetDriveTypeA(Root(letter).c_str()) != DRIVE_FIXED)
            throw ToolError("mount manager accepted " + std::string(1, letter) +
                            ": but the drive did not appear");
        SaveRecord(letter, folder);
        named.mapped = true;
    } catch (...) {
        mountManager.RemoveDrive(letter);
        throw;
    }
}

void Unmap(char letter) {
    // Only what we made: C:, Z: and fixture drives belong to the prefix.
    if (!RecordedTarget(letter))
        throw ToolError("Invalid parameter - " + std::string(1, letter) + ": is not substituted");
    // The system's subst releases a mapping whose folder has gone as well.
    if (LetterHeld(letter)) MountManager().RemoveDrive(letter);
    ForgetName(letter);
    ForgetRecord(letter);
}

void Run(int argc, wchar_t** argv) {
    if (argc == 1) return List();
    if (argc != 3) throw ToolError("Incorrect number of parameters");

    const char letter = ParseDriveArg(argv[1]);
    if (!letter) throw ToolError("Invalid parameter - " + Utf8(argv[1]));

    const std::string second = Utf8(argv[2]);
    if (second == "/D" || second == "/d") return Unmap(letter);
    if (!second.empty() && second[0] == '/') throw ToolError("Invalid switch - " + second);
    Map(letter, second);
}

} // namespace
} // namespace bench

int wmain(int argc, wchar_t** argv) {
    bench::LogCommandLine();
    try {
        bench::RestoreVanishedDrives();
        bench::Run(argc, argv);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
