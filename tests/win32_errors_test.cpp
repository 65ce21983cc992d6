// Win32 failures reach the user as the run-time error of the same meaning.
#include "fixture.h"

namespace {

// The state file answers every opening with a raw Win32 error code, which the
// machine translates as the real one does; start-up names the failure. Each
// number is what the code means (winerror.h) read against the run-time errors'
// meanings: 70 is a write-protected disk or a locked file, 71 a drive without
// a medium it can read.
TEST(Win32Errors, EachCodeReachesTheUserAsTheErrorOfTheSameMeaning) {
    struct Meaning {
        const char* shown; // the failure as the box names it
        std::vector<uint32_t> codes;
    };
    const Meaning meanings[] = {
        {"File not found. Error 53", {2}}, // FILE_NOT_FOUND
        // PATH_NOT_FOUND, BAD_PATHNAME, FILENAME_EXCED_RANGE, DIRECTORY
        {"Path not found. Error 76", {3, 161, 206, 267}},
        {"Path/File access error. Error 75", {5, 1}}, // ACCESS_DENIED; INVALID_FUNCTION, any other
        {"Out of memory. Error 7", {8, 14}},          // NOT_ENOUGH_MEMORY, OUTOFMEMORY
        // INVALID_DRIVE, BAD_UNIT, DEV_NOT_EXIST, BAD_NET_NAME, DEVICE_NOT_CONNECTED and _REMOVED;
        // a server that cannot be reached: BAD_NETPATH, NETNAME_DELETED, NETWORK_UNREACHABLE
        {"Device unavailable. Error 68", {15, 20, 55, 67, 1167, 1617, 53, 64, 1231}},
        {"Permission denied. Error 70", {19, 32, 33}}, // WRITE_PROTECT, SHARING_, LOCK_VIOLATION
        // NOT_READY, UNRECOGNIZED_VOLUME, MEDIA_CHANGED, NO_MEDIA_IN_DRIVE, UNRECOGNIZED_MEDIA
        {"Disk not ready. Error 71", {21, 1005, 1110, 1112, 1785}},
        {"Disk full. Error 61", {39, 112}},           // HANDLE_DISK_FULL, DISK_FULL
        {"File already exists. Error 58", {80, 183}}, // FILE_EXISTS, ALREADY_EXISTS
        {"Bad file name or number. Error 52", {123}}, // INVALID_NAME
    };
    for (const Meaning& m : meanings)
        for (uint32_t code : m.codes) {
            App app;
            app.m.FailOpen(kStateFile, code);
            ASSERT_TRUE(app.Start()) << code;
            ASSERT_EQ(app.w.boxes.size(), 1u) << code;
            EXPECT_EQ(app.LastBox().text.substr(0, app.LastBox().text.find("\r\n")),
                      "The state file " + kStateFile + " could not be read: " + m.shown)
                << "Win32 error " << code;
        }
}

} // namespace
