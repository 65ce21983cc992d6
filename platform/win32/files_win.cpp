// Files and folders through the ANSI file API.
#include "platform/rt_error.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"

#include <vector>

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
    UniqueFile f(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
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

// Calls `fill(buffer, size)`, which returns the length written or the size
// needed, with a bigger buffer until the result fits.
template <class Fill> std::string GrowString(Fill fill) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) ThrowLastError();
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(n + 1);
    }
}

} // namespace

void Win32Files::Find(const std::string& pattern,
                      const std::function<bool(const FoundEntry&)>& visit) {
    WIN32_FIND_DATAA data;
    UniqueFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
        throw RtError(RtErrorFromWin32(error));
    }
    do {
        if (!visit({data.cFileName, data.dwFileAttributes})) return;
    } while (FindNextFileA(find.get(), &data));
}

uint32_t Win32Files::Attributes(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
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
    if (!MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowLastError();
}

void Win32Files::Remove(const std::string& path) {
    if (!DeleteFileA(path.c_str())) ThrowLastError();
}

void Win32Files::Copy(const std::string& source, const std::string& target) {
    if (!CopyFileA(source.c_str(), target.c_str(), TRUE)) ThrowLastError();
}

std::string Win32Files::CurrentDirectory() {
    return GrowString([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); });
}

void Win32Files::ChangeDrive(char letter) {
    // "X:" alone goes to the folder the system keeps as that drive's current one.
    std::string drive = std::string(1, letter) + ":";
    if (!SetCurrentDirectoryA(drive.c_str())) ThrowLastError();
}

void Win32Files::ChangeDirectory(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) ThrowLastError();
}

std::string Win32Files::DriveCurrentDirectory(char letter) {
    std::string drive = std::string(1, letter) + ":";
    std::string root = drive + "\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) throw RtError(rtDeviceUnavailable);
    return GrowString(
        [&](char* b, DWORD n) { return GetFullPathNameA(drive.c_str(), n, b, nullptr); });
}

std::string Win32Files::ShortPath(const std::string& path) {
    try {
        return GrowString([&](char* b, DWORD n) { return GetShortPathNameA(path.c_str(), b, n); });
    } catch (const RtError&) {
        return "";
    }
}
