// Make Permanent and Remove on the real program, with the batch file and
// the state file on disk.
#include "e2e_fixture.h"

namespace {

using Permanent = MapwellTest;

TEST_F(Permanent, MakesALetterComeBackAtLogOnAndRemoveWithYesUndoesIt) {
    Choose(kWork, "E:");
    app.Click(ids::cmdDefault);
    EXPECT_EQ(app.Answer("Make Permanent?", IDOK, "make-permanent-question"),
              "This feature will place a file in your Startup Folder!\r\n\r\n"
              "Save \"E:\\\" as:  \"C:\\e2e\\Work Files\"\r\npermanently?");
    EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
    std::string batch = StartupFolder() + "\\subit.bat";
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000010; })) << StoredMask();
    EXPECT_EQ(ReadFileBytes(batch), "subst E: \"C:\\e2e\\Work Files\"\r\n");
    EXPECT_TRUE(Contains(DriveLetters(), "E:"));

    // As at the next log-on: the mapping is gone, the batch file brings it back.
    ASSERT_EQ(RunAndWait("subst.exe E: /D"), 0);
    ASSERT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_EQ(RunAndWait("cmd.exe /C \"" + batch + "\""), 0);
    EXPECT_TRUE(Contains(DriveLetters(), "E:"));
    EXPECT_EQ(ReadFileBytes("E:\\hello.txt"), "hello");

    // Remove, answering Yes to the permanent question.
    app.Kill();
    MapwellProcess again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(again.WaitForMainWindow());
    ASSERT_TRUE(again.SelectListItem(ids::lstUsedLtrs, "E:"));
    again.Click(ids::cmdRemove);
    EXPECT_EQ(again.Answer("Mapwell", IDYES, "remove-permanent-question"),
              "This drive letter, E, is permanent, do you want it removed permanently?");
    EXPECT_EQ(again.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_FALSE(FileExists(batch)) << "its only line was dropped";
    EXPECT_EQ(StoredMask(), 0x08000000);
    EXPECT_TRUE(WaitUntil([&] { return Contains(again.ListItems(ids::lstAvail), "E:"); }));
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
}

TEST_F(Permanent, TheSameLetterTwiceIsRefused) {
    WriteFileBytes(StartupFolder() + "\\subit.bat", "subst X: \"C:\\Old\"\r\n");
    Choose(kWork, "X:");
    app.Click(ids::cmdDefault);
    app.Answer("Make Permanent?", IDOK);
    app.Answer("Done!", IDOK);
    EXPECT_EQ(app.Answer("ERROR!", IDOK, "error-1"),
              "This Letter, \"X\", is already assigned to a Folder!");
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::lstAvail; }));
    EXPECT_EQ(ReadFileBytes(StartupFolder() + "\\subit.bat"), "subst X: \"C:\\Old\"\r\n");
    EXPECT_EQ(StoredMask(), 0x08000000);
}

TEST_F(Permanent, NetworkDrivesAreNeitherMappedFromNorRemoved) {
    std::string net = Env("E2E_NETWORK_LETTER");
    std::string lower(1, static_cast<char>(tolower(net[0])));
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, lower + ":"));
    app.Click(ids::cmdRemove);
    EXPECT_EQ(app.Answer("Nothing to do!", IDOK, "network-refused"),
              "This is a Network drive, it cannot be removed!");
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::cmdCancel; }));
    EXPECT_TRUE(SubstLog().empty());
}

} // namespace
