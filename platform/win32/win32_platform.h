// The real machine: each service of platform.h on the Win32 API.
#pragma once

#include "platform/platform.h"

#include <windows.h>

class Win32Os : public OsInfo {
public:
    OsVersion Version() override;
    bool ToOemCodePage(const std::string& text, std::string& oem) override;
    std::string FromOemCodePage(const std::string& oem) override;
};

class Win32Folders : public ShellFolders {
public:
    long FolderPath(int csidl, FolderType type, std::string& path) override;
    bool SpecialFolderPath(int csidl, std::string& path) override;
    std::string SystemDirectory() override;
    std::string ProgramFolder() override;
};

class Win32Drives : public Drives {
public:
    DriveKind Kind(char letter) override;
    uint32_t SerialNumber(char letter) override;
    std::string Label(char letter, DriveKind kind) override;
    DriveVolume Volume(char letter, DriveKind kind) override;
    bool IsVirtual(char letter) override;
    std::string VirtualFolder(char letter) override;
};

class Win32Files : public FileSystem {
public:
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
    std::string CurrentDirectory() override;
    void ChangeDrive(char letter) override;
    void ChangeDirectory(const std::string& path) override;
    std::string DriveCurrentDirectory(char letter) override;
    std::string ShortPath(const std::string& path) override;
};

class Win32Processes : public Processes {
public:
    std::unique_ptr<Process> Shell(const std::string& program,
                                   const std::string& commandLine) override;
    std::unique_ptr<Process> ShellExec(WindowHandle owner, const std::string& verb,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int show) override;
};

class Win32Clock : public Clock {
public:
    double Seconds() override;
    void Sleep(double seconds) override;
};

class Win32Help : public Help {
public:
    void ShowContext(WindowHandle owner, const std::string& file, uint32_t contextId) override;
};

// A library of the system's own folder, loaded by its full path: by bare name
// it would be looked for beside Mapwell.exe first. Null when it cannot be had.
HMODULE LoadSystemLibrary(const char* name);

struct Win32Platform {
    Win32Os os;
    Win32Folders folders;
    Win32Drives drives;
    Win32Files files;
    Win32Processes processes;
    Win32Clock clock;
    Win32Help help;
    Platform platform{os, folders, drives, files, processes, clock, help};
};
