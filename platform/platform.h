// The operating-system services Mapwell uses, behind narrow interfaces.
// Two implementations: win32/ (the real machine) and sim/ (a simulated
// machine that the native tests configure). Every failure surfaces as an
// RtError carrying a run-time error number (see rt_error.h). Text crosses
// these interfaces as UTF-8, whatever code pages the system uses; only the
// bytes of files that Windows' own tools read or write (the startup batch
// file, subst.exe's listing) are in a code page, named where they are made.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// --- operating system -------------------------------------------------------

struct OsVersion {
    uint32_t platformId = 0; // 1: Windows 9x family, 2: NT family
    uint32_t major = 0;
    uint32_t minor = 0;
};

class OsInfo {
public:
    virtual ~OsInfo() = default;
    // As GetVersionExW fills it; a failed call leaves every field 0.
    virtual OsVersion Version() = 0;
    // The same text in the system's OEM code page, which the command
    // interpreter reads batch files in at log-on; false when a character has
    // no exact form there. (Not named AnsiToOem: windows.h makes that name a
    // macro.)
    virtual bool ToOemCodePage(const std::string& text, std::string& oem) = 0;
    // Text a console program wrote in the system's OEM code page; bytes that
    // are no text of that code page show as replacement characters.
    virtual std::string FromOemCodePage(const std::string& oem) = 0;
};

// --- special folders --------------------------------------------------------

constexpr int kCsidlStartup = 7;
constexpr int kCsidlAppData = 26;

// Where a special folder is now (folder redirection in a roaming or managed
// profile moves it) or where the profile keeps it by default.
enum class FolderType { Current, Default };

class ShellFolders {
public:
    virtual ~ShellFolders() = default;
    // SHGetFolderPathW(SHGFP_TYPE_CURRENT or _DEFAULT): the result code (0
    // success, 1 the folder does not exist, anything else a failure) and the
    // path.
    virtual long FolderPath(int csidl, FolderType type, std::string& path) = 0;
    // Where the folder is now, made again when it is missing (a clean-up tool
    // may have deleted the Startup folder); false when the system names no
    // such folder.
    virtual bool SpecialFolderPath(int csidl, std::string& path) = 0;
    // The system folder (C:\Windows\system32); "" when it cannot be read.
    virtual std::string SystemDirectory() = 0;
    // The folder Mapwell.exe was started from, without a final backslash.
    virtual std::string ProgramFolder() = 0;
};

// --- drives -----------------------------------------------------------------

// Numbered as the scripting runtime's Drive.DriveType.
enum class DriveKind { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5 };

// What Label and SerialNumber say of a drive, from one look at its volume.
struct DriveVolume {
    std::string label;
    uint32_t serial = 0;
    int serialError = 0; // the RtError SerialNumber throws; 0 when it does not
};

class Drives {
public:
    virtual ~Drives() = default;
    // Throws RtError(68) when no drive exists at the letter.
    virtual DriveKind Kind(char letter) = 0;
    // The volume serial number; throws RtError(71) when the drive is not ready.
    virtual uint32_t SerialNumber(char letter) = 0;
    // Volume label, or for a network drive (of that kind, as Kind said) its
    // share ("\\server\share"); "" when there is none or the drive is not
    // ready. Never throws.
    virtual std::string Label(char letter, DriveKind kind) = 0;
    // Label and SerialNumber together, where the system answers both in one
    // look-up; a network drive's serial number is not asked (serialError 0).
    // By default the two asks.
    virtual DriveVolume Volume(char letter, DriveKind kind);
    // True when the system maps the letter to a folder (a subst drive), even
    // one whose folder has gone; false for disks, shares and free letters.
    virtual bool IsVirtual(char letter) = 0;
    // The folder a virtual drive shows now ("C:\Work Files"); "" for any
    // other letter, or when the system does not say.
    virtual std::string VirtualFolder(char letter) = 0;
};

// --- files ------------------------------------------------------------------

enum FileAttr : uint32_t {
    attrReadOnly = 0x1,
    attrHidden = 0x2,
    attrSystem = 0x4,
    attrDirectory = 0x10,
    attrArchive = 0x20,
};

struct FoundEntry {
    std::string name;
    uint32_t attrs = 0;
};

// A file opened for random access. Closed when destroyed.
class RandomFile {
public:
    virtual ~RandomFile() = default;
    // Reads up to `size` bytes at `offset`; past the end of the file the
    // result is shorter.
    virtual std::string ReadAt(uint64_t offset, size_t size) = 0;
    virtual void WriteAt(uint64_t offset, const std::string& bytes) = 0;
};

// A lock on a file, held until it is destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Calls `visit` for each entry matching `pattern` (a path whose last
    // component may hold * and ?), "." and ".." included where the folder
    // has them, until it returns false. A pattern that matches nothing is
    // not an error; a folder that cannot be read to its end throws, part way
    // through or not, so that no caller takes part of a folder for all of it.
    virtual void Find(const std::string& pattern,
                      const std::function<bool(const FoundEntry&)>& visit) = 0;
    // Attributes of an existing file or folder; throws 53 or 76 when absent.
    virtual uint32_t Attributes(const std::string& path) = 0;

    // Read: an existing file, for reading only (nothing is ever created).
    // ReadWrite: for reading and writing, creating the file when it is absent.
    enum class Mode { Read, ReadWrite };
    virtual std::unique_ptr<RandomFile> OpenRandom(const std::string& path, Mode mode) = 0;
    virtual std::string ReadAll(const std::string& path) = 0;
    // Appends, creating the file when it is absent.
    virtual void Append(const std::string& path, const std::string& bytes) = 0;
    // Cuts an existing file back to its first `length` bytes. It needs no
    // free space, so it can take back an append that a full disk cut short.
    virtual void Truncate(const std::string& path, uint64_t length) = 0;
    // Creates a new file; throws 58 when a file of that name exists, which is
    // never touched.
    virtual void CreateNew(const std::string& path, const std::string& bytes) = 0;
    // Replaces `target` with `source` in one step (the target need not exist).
    virtual void Replace(const std::string& source, const std::string& target) = 0;
    virtual void Remove(const std::string& path) = 0;
    // Fails when `target` exists.
    virtual void Copy(const std::string& source, const std::string& target) = 0;
    // Locks an existing file against every other holder of its lock (another
    // Mapwell process, or another handle of this one), without waiting: null
    // while another one holds it. The lock lies past the file's bytes, so it
    // keeps no one from reading or writing them.
    virtual std::unique_ptr<FileLock> TryLock(const std::string& path) = 0;

    // The current directory of the process (with its drive).
    virtual std::string CurrentDirectory() = 0;
    virtual void ChangeDrive(char letter) = 0;
    virtual void ChangeDirectory(const std::string& path) = 0;
    // The current folder of a drive as the system keeps it ("C:\Work"); the
    // root when the drive has none recorded. Throws 68/71 for a drive that
    // is absent or not ready.
    virtual std::string DriveCurrentDirectory(char letter) = 0;
    // The short (8.3) form of an existing path; "" when the volume keeps
    // none or it cannot be had.
    virtual std::string ShortPath(const std::string& path) = 0;
};

// --- processes --------------------------------------------------------------

// A started process. The handle is released when destroyed; the process
// itself is not affected.
class Process {
public:
    virtual ~Process() = default;
    virtual uint32_t Id() const = 0;
    // True once the process has ended, waiting at most `seconds`.
    virtual bool WaitForExit(double seconds) = 0;
};

using WindowHandle = void*;

class Processes {
public:
    virtual ~Processes() = default;
    // Starts `program` (a full path) with `commandLine` in a hidden window,
    // without waiting; null when no process could be started. The program is
    // named by its path, never searched for: a search would try the program's
    // own folder and the current one, which the user can write, first.
    virtual std::unique_ptr<Process> Shell(const std::string& program,
                                           const std::string& commandLine) = 0;
    // ShellExecuteExW; null when nothing was started.
    virtual std::unique_ptr<Process> ShellExec(WindowHandle owner, const std::string& verb,
                                               const std::string& file,
                                               const std::string& parameters,
                                               const std::string& directory, int show) = 0;
};

// --- clock ------------------------------------------------------------------

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds on a clock that never goes back and does not wrap at midnight.
    virtual double Seconds() = 0;
    // Gives up the processor for a while; messages are not dispatched.
    virtual void Sleep(double seconds) = 0;
};

// --- help -------------------------------------------------------------------

class Help {
public:
    virtual ~Help() = default;
    // HtmlHelpW(owner, file, HH_HELP_CONTEXT, id); the result is not used.
    virtual void ShowContext(WindowHandle owner, const std::string& file, uint32_t contextId) = 0;
};

// Everything the program sees of the machine.
struct Platform {
    OsInfo& os;
    ShellFolders& folders;
    Drives& drives;
    FileSystem& files;
    Processes& processes;
    Clock& clock;
    Help& help;
};
