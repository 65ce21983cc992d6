// Adding, listing and restoring virtual drives on the real program.
#include "e2e_fixture.h"

namespace {

using Drives = MapwellTest;

// A folder with a blank is mapped for real. Once the folder has gone (deleted,
// or an unplugged stick), the system still holds the letter: at the next
// start it is listed as used, never offered as free, and Remove releases it.
TEST_F(Drives, MapsAFolderForRealAndReleasesItAfterTheFolderHasGone) {
    Choose(kWork, "E:");
    app.Click(ids::cmdOk);
    EXPECT_EQ(app.Answer("Done!", IDOK, "operation-completed"), "Operation Completed!");
    EXPECT_TRUE(Contains(app.ListItems(ids::lstUsedLtrs), "E:"));
    EXPECT_FALSE(Contains(app.ListItems(ids::lstAvail), "E:"));
    EXPECT_TRUE(Contains(DriveLetters(), "E:"));
    EXPECT_EQ(ReadFileBytes("E:\\hello.txt"), "hello") << "E: shows the folder";
    auto drives = app.ComboItems(ids::DrvList);
    EXPECT_TRUE(std::any_of(drives.begin(), drives.end(),
                            [](const std::string& d) { return d.rfind("e:", 0) == 0; }));
    ASSERT_EQ(SubstLog().size(), 1u);
    EXPECT_EQ(SubstLog()[0], "subst.exe E: \"C:\\e2e\\Work Files\"");

    app.Kill();
    ASSERT_TRUE(DeleteFileA((kWork + "\\hello.txt").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(kWork.c_str()));
    ASSERT_TRUE(Contains(DriveLetters(), "E:")) << "the system still holds the letter";
    MapwellProcess again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(again.WaitForMainWindow());
    ASSERT_TRUE(WaitUntil([&] { return again.FocusedId() == ids::lstAvail; }));
    EXPECT_TRUE(Contains(again.ListItems(ids::lstUsedLtrs), "E:"));
    EXPECT_FALSE(Contains(again.ListItems(ids::lstAvail), "E:"));
    MessageBoxInfo box;
    EXPECT_FALSE(again.FindBox(box)) << "no box at start-up: " << box.text;
    ClearSubstLog();
    ASSERT_TRUE(again.SelectListItem(ids::lstUsedLtrs, "E:"));
    again.Click(ids::cmdRemove);
    EXPECT_EQ(again.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_EQ(SubstLog(), std::vector<std::string>{"subst.exe E: /D"});
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_TRUE(WaitUntil([&] { return Contains(again.ListItems(ids::lstAvail), "E:"); }));
}

TEST_F(Drives, ViewListsTheMappingsAndRestoreReleasesThemAll) {
    Add(kWork, "E:");
    Add(kMusic, "L:");
    app.MenuCommand(ids::mnuView);
    EXPECT_EQ(app.Answer("View Virtual Drives", IDOK), "This will list all of your Virtual Drives");
    EXPECT_EQ(app.Answer("Assigned Virtual Drives", IDOK, "view-listing"),
              "E:\\: => C:\\e2e\\Work Files\r\nL:\\: => C:\\e2e\\Music\r\n");
    EXPECT_FALSE(FileExists(DataFolder() + "temp"));

    WriteFileBytes(StartupFolder() + "\\subit.bat", "subst E: \"C:\\e2e\\Work Files\"\r\n");
    WriteFileBytes(StateFilePath(), StateFileBytes(0x08000010));
    app.MenuCommand(ids::mnuRepair);
    EXPECT_EQ(app.Answer("Restore MWL", IDOK, "restore-question"),
              "This will restore MWL to its initial state,\r\ni.e., remove all vitual drives, "
              "including\r\npermanent virtual drives for Pro users!");
    EXPECT_TRUE(WaitUntil(
        [&] {
            auto avail = app.ListItems(ids::lstAvail);
            return Contains(avail, "E:") && Contains(avail, "L:");
        },
        30));
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_FALSE(Contains(DriveLetters(), "L:"));
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000000; }));
    EXPECT_FALSE(FileExists(StartupFolder() + "\\subit.bat"));
    MessageBoxInfo box;
    EXPECT_FALSE(WaitUntil([&] { return app.FindBox(box); }, 1)) << "no message: " << box.text;
}

} // namespace
