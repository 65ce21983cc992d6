// Win32 failures reach the user as the run-time error of the same meaning.
#include "fixture.h"

namespace {

// The state file answers every opening with a raw Win32 error code, which
// the machine translates as the real one does; start-up names the failure.
// Each expected number is what the code means (winerror.h) read against the
// run-time errors: 7 out of memory, 52 bad file name, 53 file not found,
// 58 file already exists, 61 disk full, 68 device unavailable, 70 permission
// denied (a write-protected disk or a locked file), 71 disk not ready (no
// medium, or one that cannot be read), 75 path/file access error, 76 path
// not found.
TEST(Win32Errors, EachCodeReachesTheUserAsTheErrorOfTheSameMeaning) {
    struct Row {
        uint32_t code;
        const char* shown; // the failure as the box names it
    };
    const Row rows[] = {
        {2, "File not found. Error 53"},            // FILE_NOT_FOUND
        {3, "Path not found. Error 76"},            // PATH_NOT_FOUND
        {5, "Path/File access error. Error 75"},    // ACCESS_DENIED
        {8, "Out of memory. Error 7"},              // NOT_ENOUGH_MEMORY
        {14, "Out of memory. Error 7"},             // OUTOFMEMORY
        {15, "Device unavailable. Error 68"},       // INVALID_DRIVE
        {19, "Permission denied. Error 70"},        // WRITE_PROTECT
        {20, "Device unavailable. Error 68"},       // BAD_UNIT: no such device
        {21, "Disk not ready. Error 71"},           // NOT_READY
        {32, "Permission denied. Error 70"},        // SHARING_VIOLATION
        {33, "Permission denied. Error 70"},        // LOCK_VIOLATION
        {39, "Disk full. Error 61"},                // HANDLE_DISK_FULL
        {53, "Path not found. Error 76"},           // BAD_NETPATH
        {55, "Device unavailable. Error 68"},       // DEV_NOT_EXIST: a resource gone
        {67, "Device unavailable. Error 68"},       // BAD_NET_NAME: no such share
        {80, "File already exists. Error 58"},      // FILE_EXISTS
        {112, "Disk full. Error 61"},               // DISK_FULL
        {123, "Bad file name or number. Error 52"}, // INVALID_NAME
        {161, "Path not found. Error 76"},          // BAD_PATHNAME
        {183, "File already exists. Error 58"},     // ALREADY_EXISTS
        {206, "Path not found. Error 76"},          // FILENAME_EXCED_RANGE
        {267, "Path not found. Error 76"},          // DIRECTORY: not a folder name
        {1005, "Disk not ready. Error 71"},         // UNRECOGNIZED_VOLUME
        {1110, "Disk not ready. Error 71"},         // MEDIA_CHANGED
        {1112, "Disk not ready. Error 71"},         // NO_MEDIA_IN_DRIVE
        {1167, "Device unavailable. Error 68"},     // DEVICE_NOT_CONNECTED
        {1617, "Device unavailable. Error 68"},     // DEVICE_REMOVED
        {1785, "Disk not ready. Error 71"},         // UNRECOGNIZED_MEDIA
        {1, "Path/File access error. Error 75"},    // INVALID_FUNCTION, or any other
    };
    for (const Row& r : rows) {
        App app;
        app.m.FailOpen(kStateFile, r.code);
        ASSERT_TRUE(app.Start()) << r.code;
        ASSERT_EQ(app.w.boxes.size(), 1u) << r.code;
        EXPECT_EQ(app.LastBox().text.substr(0, app.LastBox().text.find("\r\n")),
                  "The state file " + kStateFile + " could not be read: " + r.shown)
            << "Win32 error " << r.code;
    }
}

} // namespace
