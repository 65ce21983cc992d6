// A simulated Windows machine for the native tests: drives, folders and files
// in memory, a version, special folders, a virtual clock and a record of
// every process launched.
#pragma once

#include "platform/path_text.h"
#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct SimDrive {
    bool exists = false;
    DriveKind kind = DriveKind::Fixed;
    bool ready = true;
    uint32_t serial = 0x1234ABCD;
    std::string label;
    std::string currentDir; // "" means the root
    int lookupError = 0;    // a run-time error the look-up fails with
    // Raw Win32 answers, translated as the real machine translates them:
    // the letter is held by the system (set in its logical-drive mask) while
    // no drive answers at its root, as for a subst drive whose folder has gone;
    bool heldWithoutRoot = false;
    bool virtualDrive = false; // mapped to a folder by subst
    std::string virtualFolder; // the folder it shows, as the system names it
    // Bytes the disk can still take (-1: no limit). A write that needs more
    // writes what fits and fails: the disk is full.
    int64_t freeBytes = -1;
    // Every file operation on the drive fails with this raw Win32 error code
    // (a server that is down: 53, 67, 1231), translated as the real machine
    // translates it.
    uint32_t fileError = 0;
    // the Win32 error a volume read fails with (a card reader without a card).
    uint32_t volumeError = 0;
};

struct SimLaunch {
    bool shellExecute = false; // false: a plain command-line launch
    std::string program;       // the program a plain launch starts, by its path
    std::string commandLine;   // the whole line of a plain launch
    WindowHandle owner = nullptr;
    std::string verb, file, parameters, directory;
    int show = -1;
    double at = 0;                // clock time of the launch
    std::string currentDirectory; // the process's current directory then
};

class SimMachine : OsInfo, ShellFolders, Drives, FileSystem, Processes, Clock, Help {
public:
    SimMachine();
    Platform& platform() { return platform_; }

    // --- set-up ---
    OsVersion version{2, 10, 0};
    // Names are UTF-8, as everywhere in the program. The system's OEM code
    // page, in which the batch line is written and subst.exe's listing read,
    // is 437 (a few Western letters of it, see sim_machine.cpp).
    // Short (8.3) paths the volume keeps, by the long path.
    std::map<std::string, std::string> shortPaths;
    long appDataResult = 0;
    // The application-data folder where it is now, and where the profile
    // keeps it by default: the two differ when the folder is redirected.
    std::string appData = "C:\\Users\\me\\AppData\\Roaming";
    std::string appDataDefault = "C:\\Users\\me\\AppData\\Roaming";
    bool startupAvailable = true;
    std::string startup =
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    std::string systemDirectory = "C:\\Windows\\system32";
    std::string programFolder = "C:\\Program Files\\Mapwell";
    std::array<SimDrive, 26> drives{};

    SimDrive& Drive(char letter);
    void AddDrive(char letter, DriveKind kind, bool ready = true, const std::string& label = "");
    void RemoveDrive(char letter);
    // Creates the folder and every folder above it.
    void AddFolder(const std::string& path, uint32_t attrs = 0);
    void AddFile(const std::string& path, const std::string& bytes, uint32_t attrs = 0);
    bool Exists(const std::string& path) const;
    std::string FileBytes(const std::string& path) const;
    // The files in a folder (not below it), by name, with their bytes.
    std::map<std::string, std::string> FilesIn(const std::string& folder) const;
    void SetAttrs(const std::string& path, uint32_t attrs);
    void Delete(const std::string& path);
    // Another process holds the file open without sharing it: the file can
    // be found, but not opened (a sharing violation).
    void Lock(const std::string& path, bool locked = true);
    // Every opening of the file (to read, write, replace or delete it) fails
    // with this raw Win32 error code, translated as the real machine
    // translates it; 0 lets it open again.
    void FailOpen(const std::string& path, uint32_t win32Error);
    // A delete of the file reports success, yet the file stays (held open by
    // another program, or made immutable).
    void KeepOnDelete(const std::string& path);
    // Reading the folder's entries fails after `after` of them (0: at once)
    // with this raw Win32 error code (ERROR_MORE_DATA, as Windows' A calls
    // give for a long 8.3 alias), translated as the real machine translates it.
    void FailFind(const std::string& folder, size_t after, uint32_t win32Error);

    std::string currentDirectory = "C:\\";

    // --- fault injection ---
    // Every file operation and every launch counts one call; the call whose
    // number is failAt fails with run-time error `error` (0: none fails). A
    // write that fails partWay writes the first half of its bytes first.
    struct Faults {
        int failAt = 0;
        int error = 0;
        int calls = 0;
        std::string failed; // what the failing call was, for messages
        bool partWay = false;
        std::string failOn; // when set: every call of this operation fails instead
    } faults;
    // Runs before every file operation and launch, given its name and path:
    // what another program does meanwhile.
    std::function<void(const std::string& op, const std::string& path)> onCall;

    // --- processes ---
    std::vector<SimLaunch> launches;
    // Decides what a launch does; returning false means no process started.
    std::function<bool(SimLaunch&)> onLaunch;
    // How long a started process keeps running (clock seconds).
    double processRunTime = 0;

    // --- clock ---
    double now = 1000.0;
    double sleptTotal = 0;
    int sleepCalls = 0;
    // Runs at every sleep: what the rest of the machine (or the user) does
    // while the program waits.
    std::function<void()> onSleep;

    // --- help ---
    struct HelpCall {
        WindowHandle owner;
        std::string file;
        uint32_t id;
    };
    std::vector<HelpCall> helpCalls;

private:
    struct Node {
        std::string path; // as created, for the names the machine reports
        bool dir = false;
        uint32_t attrs = 0;
        std::string data;
        uint32_t openError = 0; // a raw Win32 error code
        bool keepOnDelete = false;
        uint32_t findError = 0; // a raw Win32 error code, after findAfter entries
        size_t findAfter = 0;
    };
    void CheckUnlocked(const std::string& path) const;
    void Tick(const char* op, const std::string& path);
    // As Tick, but a write that is to fail part way returns true instead:
    // the caller writes through Write, which fails after half the bytes.
    bool TickWrite(const char* op, const std::string& path);
    void Write(char drive, std::string& data, size_t at, const std::string& bytes, bool failing);
    // The free bytes of a drive's disk; null when there is no limit.
    int64_t* FreeBytes(char drive);
    // The disk of a file gets back the bytes it no longer holds.
    void Free(const std::string& path, size_t bytes);
    std::string Key(const std::string& path) const;
    std::string ParentKey(const std::string& key) const;
    std::string LastName(const std::string& path) const;
    const Node* Find(const std::string& path) const;
    Node* Find(const std::string& path);
    void CheckDrive(const std::string& path) const;
    Node& FileForWrite(const std::string& path);
    std::string Absolute(const std::string& path) const;

    // OsInfo
    OsVersion Version() override { return version; }
    bool ToOemCodePage(const std::string& text, std::string& oem) override;
    std::string FromOemCodePage(const std::string& oem) override;
    // ShellFolders
    long FolderPath(int csidl, FolderType type, std::string& path) override;
    bool SpecialFolderPath(int csidl, std::string& path) override;
    std::string SystemDirectory() override { return systemDirectory; }
    std::string ProgramFolder() override { return programFolder; }
    // Drives
    DriveKind Kind(char letter) override;
    uint32_t SerialNumber(char letter) override;
    std::string Label(char letter, DriveKind kind) override;
    bool IsVirtual(char letter) override { return Drive(letter).virtualDrive; }
    std::string VirtualFolder(char letter) override { return Drive(letter).virtualFolder; }
    // FileSystem
    void Find(const std::string& pattern,
              const std::function<bool(const FoundEntry&)>& visit) override;
    uint32_t Attributes(const std::string& path) override;
    std::unique_ptr<RandomFile> OpenRandom(const std::string& path, Mode mode) override;
    std::string ReadAll(const std::string& path) override;
    void Append(const std::string& path, const std::string& bytes) override;
    void Truncate(const std::string& path, uint64_t length) override;
    void CreateNew(const std::string& path, const std::string& bytes) override;
    void Replace(const std::string& source, const std::string& target) override;
    void Remove(const std::string& path) override;
    void Copy(const std::string& source, const std::string& target) override;
    std::unique_ptr<FileLock> TryLock(const std::string& path) override;
    std::string CurrentDirectory() override { return currentDirectory; }
    void ChangeDrive(char letter) override;
    void ChangeDirectory(const std::string& path) override;
    std::string DriveCurrentDirectory(char letter) override;
    std::string ShortPath(const std::string& path) override;
    // Processes
    std::unique_ptr<Process> Shell(const std::string& program,
                                   const std::string& commandLine) override;
    std::unique_ptr<Process> ShellExec(WindowHandle owner, const std::string& verb,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int show) override;
    std::unique_ptr<Process> Launch(SimLaunch launch);
    // Clock
    double Seconds() override { return now; }
    void Sleep(double seconds) override;
    // Help
    void ShowContext(WindowHandle owner, const std::string& file, uint32_t id) override {
        helpCalls.push_back({owner, file, id});
    }

    friend class SimRandomFile;
    friend class SimFileLock;
    friend class SimProcess;
    std::map<std::string, Node> nodes_;
    std::set<std::string> locked_; // files whose lock is held
    uint32_t nextPid_ = 100;
    Platform platform_;
};
