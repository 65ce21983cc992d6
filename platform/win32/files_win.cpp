// Files and folders through the wide file API.
#include "platform/rt_error.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "platform/win32/wide_buffer.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

namespace {

void WriteAll(HANDLE file, const std::string& bytes);

class Win32RandomFile : public RandomFile {
public:
    explicit Win32RandomFile(UniqueFile file) : file_(std::move(file)) {}

    std::string ReadAt(uint64_t offset, size_t size) override {
        Seek(offset);
        std::string bytes(size, '\0');
        DWORD read = 0;
        if (!ReadFile(file_.get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr))
            ThrowLastError();
        bytes.resize(read);
        return bytes;
    }

    void WriteAt(uint64_t offset, const std::string& bytes) override {
        Seek(offset);
        WriteAll(file_.get(), bytes);
    }

private:
    void Seek(uint64_t offset) {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN)) ThrowLastError();
    }
    UniqueFile file_;
};

UniqueFile Open(const std::string& path, DWORD access, DWORD disposition) {
    UniqueFile f(CreateFileW(ToUtf16(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) ThrowLastError();
    return f;
}

// A write that the disk cannot take whole reports success with fewer bytes
// written, and leaves the last error of an earlier call ("already exists",
// from opening an existing file): the disk is full.
void WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        ThrowLastError();
    if (written != bytes.size()) throw RtError(RtErrorFromWin32(ERROR_DISK_FULL));
}

template <class Fill> std::string FillWideOrThrow(Fill fill) {
    std::string text;
    if (!FillWide(fill, text)) ThrowLastError();
    return text;
}

// Windows before 7 does not know the basic information level.
HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                nullptr, 0);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        h = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch,
                             nullptr, 0);
    return h;
}

} // namespace

void Win32Files::Find(const std::string& pattern,
                      const std::function<bool(const FoundEntry&)>& visit) {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirst(ToUtf16(pattern), data));
    if (!find) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
        throw RtError(RtErrorFromWin32(error));
    }
    for (;;) {
        if (!visit({ToUtf8(data.cFileName), data.dwFileAttributes})) return;
        // Only "no more files" is the end: any other failure leaves entries
        // unread, and a list cut short would pass for the whole folder.
        if (!FindNextFileW(find.get(), &data)) {
            if (GetLastError() == ERROR_NO_MORE_FILES) return;
            ThrowLastError();
        }
    }
}

uint32_t Win32Files::Attributes(const std::string& path) {
    DWORD attrs = GetFileAttributesW(ToUtf16(path).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) ThrowLastError();
    return attrs;
}

std::unique_ptr<RandomFile> Win32Files::OpenRandom(const std::string& path, Mode mode) {
    if (mode == Mode::Read)
        return std::make_unique<Win32RandomFile>(Open(path, GENERIC_READ, OPEN_EXISTING));
    return std::make_unique<Win32RandomFile>(Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS));
}

std::string Win32Files::ReadAll(const std::string& path) {
    UniqueFile f = Open(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f.get(), &size)) ThrowLastError();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        ThrowLastError();
    bytes.resize(read);
    return bytes;
}

void Win32Files::Append(const std::string& path, const std::string& bytes) {
    UniqueFile f = Open(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    WriteAll(f.get(), bytes);
}

void Win32Files::Truncate(const std::string& path, uint64_t length) {
    UniqueFile f(CreateFileW(ToUtf16(path).c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) ThrowLastError();
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFilePointerEx(f.get(), to, nullptr, FILE_BEGIN) || !SetEndOfFile(f.get()))
        ThrowLastError();
}

void Win32Files::CreateNew(const std::string& path, const std::string& bytes) {
    UniqueFile f = Open(path, GENERIC_WRITE, CREATE_NEW);
    WriteAll(f.get(), bytes);
    if (!FlushFileBuffers(f.get())) ThrowLastError();
}

void Win32Files::Replace(const std::string& source, const std::string& target) {
    if (!MoveFileExW(ToUtf16(source).c_str(), ToUtf16(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowLastError();
}

void Win32Files::Remove(const std::string& path) {
    if (!DeleteFileW(ToUtf16(path).c_str())) ThrowLastError();
}

void Win32Files::Copy(const std::string& source, const std::string& target) {
    if (!CopyFileW(ToUtf16(source).c_str(), ToUtf16(target).c_str(), TRUE)) ThrowLastError();
}

std::string Win32Files::CurrentDirectory() {
    return FillWideOrThrow([](wchar_t* b, DWORD n) { return GetCurrentDirectoryW(n, b); });
}

void Win32Files::ChangeDrive(char letter) {
    // "X:" alone goes to the folder the system keeps as that drive's current one.
    const wchar_t drive[] = {static_cast<wchar_t>(letter), L':', L'\0'};
    if (!SetCurrentDirectoryW(drive)) ThrowLastError();
}

void Win32Files::ChangeDirectory(const std::string& path) {
    if (!SetCurrentDirectoryW(ToUtf16(path).c_str())) ThrowLastError();
}

std::string Win32Files::DriveCurrentDirectory(char letter) {
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR) throw RtError(rtDeviceUnavailable);
    const wchar_t drive[] = {root[0], root[1], L'\0'};
    return FillWideOrThrow(
        [&](wchar_t* b, DWORD n) { return GetFullPathNameW(drive, n, b, nullptr); });
}

std::string Win32Files::ShortPath(const std::string& path) {
    const std::wstring wide = ToUtf16(path);
    std::string shortPath;
    if (!FillWide([&](wchar_t* b, DWORD n) { return GetShortPathNameW(wide.c_str(), b, n); },
                  shortPath))
        return "";
    return shortPath;
}

namespace {

// The one byte every lock covers: far past any record, so that it stands in
// no read's or write's way (a locked range refuses them even to the other
// handles of the process that holds it). Locking past the end is allowed.
OVERLAPPED LockedByte() {
    OVERLAPPED at{};
    at.OffsetHigh = 0x40000000;
    return at;
}

class Win32FileLock : public FileLock {
public:
    explicit Win32FileLock(UniqueFile file) : file_(std::move(file)) {}
    // Closing the handle would release the lock too, but only once the
    // system gets round to it; unlocked here, the next window has it at once.
    ~Win32FileLock() override {
        OVERLAPPED at = LockedByte();
        UnlockFileEx(file_.get(), 0, 1, 0, &at);
    }

private:
    UniqueFile file_;
};

} // namespace

std::unique_ptr<FileLock> Win32Files::TryLock(const std::string& path) {
    UniqueFile file(CreateFileW(ToUtf16(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    OVERLAPPED at = LockedByte();
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                    &at)) {
        if (GetLastError() == ERROR_LOCK_VIOLATION) return nullptr;
        ThrowLastError();
    }
    return std::make_unique<Win32FileLock>(std::move(file));
}
