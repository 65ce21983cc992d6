// Win32 failures reach the user as the run-time error of the same meaning.
#include "fixture.h"

namespace {

// The state file answers its opening with a raw Win32 error code, which the
// machine translates as the real one does; start-up names the failure. One
// code per meaning, as winerror.h documents it: a locked file or a
// write-protected disk is "permission denied", a drive without a readable
// medium "disk not ready", a drive or share that is not there "device
// unavailable"; a code nobody expects still reaches the user as an access error.
TEST(Win32Errors, EachMeaningReachesTheUserAsTheErrorOfTheSameMeaning) {
    const std::pair<uint32_t, const char*> meanings[] = {
        {2, "File not found. Error 53"},            // ERROR_FILE_NOT_FOUND
        {206, "Path not found. Error 76"},          // ERROR_FILENAME_EXCED_RANGE
        {1, "Path/File access error. Error 75"},    // ERROR_INVALID_FUNCTION
        {14, "Out of memory. Error 7"},             // ERROR_OUTOFMEMORY
        {67, "Device unavailable. Error 68"},       // ERROR_BAD_NET_NAME
        {53, "Device unavailable. Error 68"},       // ERROR_BAD_NETPATH: a server that is down
        {32, "Permission denied. Error 70"},        // ERROR_SHARING_VIOLATION
        {1112, "Disk not ready. Error 71"},         // ERROR_NO_MEDIA_IN_DRIVE
        {112, "Disk full. Error 61"},               // ERROR_DISK_FULL
        {80, "File already exists. Error 58"},      // ERROR_FILE_EXISTS
        {123, "Bad file name or number. Error 52"}, // ERROR_INVALID_NAME
    };
    for (const auto& [code, shown] : meanings) {
        App app;
        app.m.FailOpen(kStateFile, code);
        ASSERT_TRUE(app.Start()) << code;
        ASSERT_EQ(app.w.boxes.size(), 1u) << code;
        EXPECT_EQ(app.LastBox().text.substr(0, app.LastBox().text.find("\r\n")),
                  "The state file " + kStateFile + " could not be read: " + shown)
            << "Win32 error " << code;
    }
}

} // namespace
