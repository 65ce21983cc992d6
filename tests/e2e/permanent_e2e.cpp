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

} // namespace
