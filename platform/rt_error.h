// Run-time error numbers. The handlers' failure rules are written in terms of
// these numbers, so every layer below them reports failures as one of them.
#pragma once

#include <stdexcept>
#include <string>

enum RtErrorNumber : int {
    rtIllegalCall = 5,
    rtOutOfMemory = 7,
    rtSubscriptOutOfRange = 9,
    rtBadFileName = 52,
    rtFileNotFound = 53,
    rtFileAlreadyExists = 58,
    rtDiskFull = 61,
    rtDeviceUnavailable = 68,
    rtPermissionDenied = 70,
    rtDiskNotReady = 71,
    rtPathFileAccess = 75,
    rtPathNotFound = 76,
};

class RtError : public std::runtime_error {
public:
    explicit RtError(int number);
    int number() const { return number_; }

private:
    int number_;
};

// The run-time library's description of an error number ("Path not found").
const char* RtDescription(int number);

// 68 to 71, 75 and 76: the file-system failures several handlers treat alike.
inline bool IsFileSystemError(int n) {
    return (n >= 68 && n <= 71) || n == 75 || n == 76;
}
