// The one error policy of the bench tools: anything that stops a command throws ToolError with
// the line the user sees; main() prints it on stderr and exits with 1.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace bench {

struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Appends " (error N)" so a failing call in a test log can be looked up.
inline ToolError Win32Failure(const std::string& what, DWORD code = GetLastError()) {
    return ToolError(what + " (error " + std::to_string(code) + ")");
}

} // namespace bench
