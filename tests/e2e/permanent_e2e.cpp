// Make Permanent and Remove on the real program, with the batch file and
// the state file on disk.
#include "e2e_fixture.h"

namespace {

using Permanent = MapwellTest;

TEST_F(Permanent, MakesALetterComeBackAtLogOnAndRemoveWithYesUndoesIt) {
    // A clean-up tool deleted the Startup folder: the shell makes it again.
    const std::string batch = StartupFolder() + "\\subit.bat";
    ASSERT_TRUE(RemoveDirectoryA(StartupFolder().c_str())) << "error " << GetLastError();
    Choose(kWork, "E:");
    app.Click(ids::cmdDefault);
    EXPECT_EQ(app.Answer("Make Permanent?", IDOK, "make-permanent-question"),
              "This feature will place a file in your Startup Folder!\r\n\r\n"
              "Save \"E:\\\" as:  \"C:\\e2e\\Work Files\"\r\npermanently?");
    EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
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

// A letter Add mapped is made permanent for the folder it shows; for another
// folder it is refused, with that folder named.
TEST_F(Permanent, AMappedLetterIsMadePermanentForTheFolderItShowsOnly) {
    const std::string batch = StartupFolder() + "\\subit.bat";
    Add(kWork, "E:");
    ASSERT_TRUE(app.OpenFolder(kMusic));
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "E:"));
    app.Click(ids::cmdDefault);
    EXPECT_EQ(
        app.Answer("Mapwell", IDOK, "make-permanent-other-folder"),
        "Drive E: shows the folder C:\\e2e\\Work Files now, not C:\\e2e\\Music.\r\nTo make E: "
        "permanent for C:\\e2e\\Music, remove drive E: first; or pick C:\\e2e\\Work Files to "
        "make it permanent as it is.");
    EXPECT_FALSE(FileExists(batch));

    ASSERT_TRUE(app.OpenFolder(kWork));
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "E:"));
    app.Click(ids::cmdDefault);
    EXPECT_NE(app.Answer("Make Permanent?", IDOK), "<none>");
    EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000010; })) << StoredMask();
    EXPECT_EQ(ReadFileBytes(batch), "subst E: \"C:\\e2e\\Work Files\"\r\n");
    EXPECT_EQ(SubstLog().size(), 1u) << "mapped once, by Add";
}

// E: and G: mapped and permanent before Mapwell starts, and a file of the
// user's named temp.dat beside the batch file.
struct PermanentPair : MapwellTest {
    void BeforeStart() override {
        ASSERT_TRUE(WriteFileBytes(Batch(), "subst E: \"" + kWork + "\"\r\nsubst G: \"" + kMusic +
                                                "\"\r\n"));
        ASSERT_TRUE(WriteFileBytes(StartupFolder() + "\\temp.dat", "mine\r\n"));
        ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000050)));
        ASSERT_EQ(RunAndWait("subst.exe E: \"" + kWork + "\""), 0);
        ASSERT_EQ(RunAndWait("subst.exe G: \"" + kMusic + "\""), 0);
    }
    void TearDown() override {
        MapwellTest::TearDown();
        DeleteFileA((StartupFolder() + "\\temp.dat").c_str());
    }
    static std::string Batch() { return StartupFolder() + "\\subit.bat"; }
    std::string RemoveWithYes(const std::string& letter) {
        EXPECT_TRUE(app.SelectListItem(ids::lstUsedLtrs, letter + ":"));
        app.Click(ids::cmdRemove);
        EXPECT_EQ(app.Answer("Mapwell", IDYES), "This drive letter, " + letter +
                                                    ", is permanent, do you want it removed "
                                                    "permanently?");
        // A box of Mapwell's own comes before "Done!" when the line stays.
        std::string said;
        MessageBoxInfo box;
        EXPECT_TRUE(app.WaitForBox(box, 20));
        if (box.title == "Mapwell") said = app.Answer("Mapwell", IDOK, "batch-not-changed");
        EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        return said;
    }
};

TEST_F(PermanentPair, RestoreReleasesBothAndKeepsTheUsersOwnLines) {
    const std::string mine = "@echo off\r\nnet use P: \\\\server\\share /persistent:no\r\n";
    const std::string start = "start \"\" \"C:\\Tools\\sync.exe\"\r\n";
    ASSERT_TRUE(WriteFileBytes(Batch(), mine + "subst E: \"" + kWork + "\"\r\n" + start +
                                            "subst G: \"" + kMusic + "\"\r\n"));
    app.MenuCommand(ids::mnuRepair);
    EXPECT_NE(app.Answer("Restore MWL", IDOK), "<none>");
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000000; }, 30)) << StoredMask();
    EXPECT_EQ(ReadFileBytes(Batch()), mine + start);
    EXPECT_EQ(ReadFileBytes(StartupFolder() + "\\temp.dat"), "mine\r\n");
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_FALSE(Contains(DriveLetters(), "G:"));
    MessageBoxInfo box;
    EXPECT_FALSE(app.FindBox(box)) << box.text;
}

TEST_F(PermanentPair, RemoveLeavesTheUsersFilesAndKeepsALineThatCannotGo) {
    // The work file is Mapwell's own: the user's temp.dat stays as it was.
    EXPECT_EQ(RemoveWithYes("E"), "");
    EXPECT_EQ(ReadFileBytes(Batch()), "subst G: \"" + kMusic + "\"\r\n");
    EXPECT_EQ(ReadFileBytes(StartupFolder() + "\\temp.dat"), "mine\r\n");
    EXPECT_FALSE(FileExists(StartupFolder() + "\\temp1.dat"));
    EXPECT_EQ(StoredMask(), 0x08000040);

    // Another program holds the batch file open: its delete reports success,
    // yet the file, and G's line in it, stay while the program holds it.
    HANDLE held = CreateFileA(Batch().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RemoveWithYes("G"), "The startup batch file " + Batch() +
                                      " could not be changed: Permission denied.\r\nDrive G: "
                                      "stays permanent.");
    EXPECT_EQ(StoredMask(), 0x08000040) << "G is still counted as permanent";
    CloseHandle(held);
}

} // namespace
