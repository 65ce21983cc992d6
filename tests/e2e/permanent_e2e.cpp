// Remove of permanent drives on the real program, with the user's files
// beside the batch file (Make Permanent is walked on every family).
#include "e2e_fixture.h"

namespace {

// E: and G: mapped and permanent before Mapwell starts, and a file of the
// user's named temp.dat beside the batch file.
struct PermanentPair : MapwellTest {
    void BeforeStart() override {
        ASSERT_TRUE(WriteFileBytes(BatchFile(), "subst E: \"" + kWork + "\"\r\nsubst G: \"" +
                                                    kMusic + "\"\r\n"));
        ASSERT_TRUE(WriteFileBytes(StartupFolder() + "\\temp.dat", "mine\r\n"));
        ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000050)));
        ASSERT_EQ(RunAndWait("subst.exe E: \"" + kWork + "\""), 0);
        ASSERT_EQ(RunAndWait("subst.exe G: \"" + kMusic + "\""), 0);
    }
};

TEST_F(PermanentPair, RemoveLeavesTheUsersFilesAndKeepsALineThatCannotGo) {
    // The work file is Mapwell's own: the user's temp.dat stays as it was.
    EXPECT_EQ(RemoveWithYes("E"), "");
    EXPECT_EQ(ReadFileBytes(BatchFile()), "subst G: \"" + kMusic + "\"\r\n");
    EXPECT_EQ(ReadFileBytes(StartupFolder() + "\\temp.dat"), "mine\r\n");
    EXPECT_FALSE(FileExists(StartupFolder() + "\\temp1.dat"));
    EXPECT_EQ(StoredMask(), 0x08000040);

    // Another program holds the batch file open: its delete reports success,
    // yet the file, and G's line in it, stay while the program holds it.
    HANDLE held = CreateFileA(BatchFile().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RemoveWithYes("G"), "The startup batch file " + BatchFile() +
                                      " could not be changed: Permission denied.\r\nDrive G: "
                                      "stays permanent.");
    EXPECT_EQ(StoredMask(), 0x08000040) << "G is still counted as permanent";
    CloseHandle(held);
}

} // namespace
