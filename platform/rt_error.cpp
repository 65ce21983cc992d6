#include "platform/rt_error.h"

namespace {

struct Description {
    int number;
    const char* text;
};

constexpr Description kDescriptions[] = {
    {rtIllegalCall, "Invalid procedure call or argument"},
    {rtOutOfMemory, "Out of memory"},
    {rtSubscriptOutOfRange, "Subscript out of range"},
    {rtBadFileName, "Bad file name or number"},
    {rtFileNotFound, "File not found"},
    {rtFileAlreadyExists, "File already exists"},
    {rtDiskFull, "Disk full"},
    {rtDeviceUnavailable, "Device unavailable"},
    {rtPermissionDenied, "Permission denied"},
    {rtDiskNotReady, "Disk not ready"},
    {rtPathFileAccess, "Path/File access error"},
    {rtPathNotFound, "Path not found"},
};

} // namespace

RtError::RtError(int number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number) {}

const char* RtDescription(int number) {
    for (const Description& d : kDescriptions)
        if (d.number == number) return d.text;
    return "Application-defined or object-defined error";
}
