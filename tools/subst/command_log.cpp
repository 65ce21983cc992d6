#include "command_log.h"

#include "../common/unique_handle.h"
#include "../common/utf8.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace bench {
namespace {

std::string EnvironmentVariable(const char* name) {
    std::string value;
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    while (needed > value.size()) {
        value.resize(needed);
        needed = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    }
    value.resize(needed); // 0 when unset; otherwise the length without the terminator
    return value;
}

} // namespace

void LogCommandLine() {
    const std::string path = EnvironmentVariable("SUBST_STANDIN_LOG");
    if (path.empty()) return;

    // FILE_APPEND_DATA alone makes every WriteFile land at the end, even with stand-ins started
    // in parallel appending to the same file.
    const UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    // The wide command line, as UTF-8: a name in any script is logged whole.
    std::string line = Utf8(GetCommandLineW());
    line += "\r\n";
    DWORD written = 0;
    if (!file.valid() ||
        !WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
        std::fprintf(stderr, "cannot append to SUBST_STANDIN_LOG %s (error %lu)\n", path.c_str(),
                     GetLastError());
}

} // namespace bench
