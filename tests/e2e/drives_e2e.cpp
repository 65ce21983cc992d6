// Adding, listing and restoring virtual drives on the real program.
#include "e2e_fixture.h"

namespace {

using Drives = MapwellTest;

// A folder with a blank is mapped for real. Once the folder has gone (deleted,
// or an unplugged stick), the system still holds the letter: at the next
// start it is listed as used, never offered as free, and Remove releases it.
// A disk with nothing on it is found, as its root can be reached.
TEST_F(Drives, MapsAFolderForRealAndReleasesItAfterTheFolderHasGone) {
    Choose(kWork, "E:");
    app.Click(ids::cmdOk);
    EXPECT_EQ(app.Answer("Done!", IDOK, "operation-completed"), "Operation Completed!");
    EXPECT_TRUE(Contains(app.ListItems(ids::lstUsedLtrs), "E:"));
    EXPECT_FALSE(Contains(app.ListItems(ids::lstAvail), "E:"));
    EXPECT_TRUE(Contains(DriveLetters(), "E:"));
    EXPECT_EQ(ReadFileBytes("E:\\hello.txt"), "hello") << "E: shows the folder";
    ASSERT_EQ(SubstLog().size(), 1u);
    EXPECT_EQ(SubstLog()[0], "subst.exe E: \"C:\\e2e\\Work Files\"");

    app.Kill();
    ASSERT_TRUE(DeleteFileA((kWork + "\\hello.txt").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(kWork.c_str()));
    ASSERT_TRUE(Contains(DriveLetters(), "E:")) << "the system still holds the letter";
    MapwellProcess again;
    ASSERT_TRUE(again.StartReady());
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

    // The root of a disk with nothing on it maps too, after the root question.
    const std::string root = Env("E2E_EMPTY_LETTER") + ":\\";
    ASSERT_TRUE(again.OpenFolder(root));
    ASSERT_TRUE(again.SelectListItem(ids::lstAvail, "H:"));
    again.Click(ids::cmdOk);
    EXPECT_NE(again.Answer("Are You Sure?", IDYES), "<none>");
    EXPECT_EQ(again.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_EQ(SubstLog().back(), "subst.exe H: " + root);
}

// Remove and Restore take away the drive the folder browser shows: the drive
// list drops it, and the folder list, the path field (and so Add) follow to
// the root of the drive the list moves to. View lists the drives as subst
// does; Restore releases them all and takes only the letters' lines out of
// the batch file, leaving the user's own and the user's temp.dat. A drive
// that cannot be opened leaves the folder list where it was.
TEST_F(Drives, ViewAndRestoreAndTheFolderBrowserFollowingWhatTheyRelease) {
    auto showE = [&] {
        ASSERT_TRUE(app.SelectDrive("e:"));
        ASSERT_TRUE(WaitUntil([&] { return app.Text(ids::txtPath) == "E:\\"; }))
            << app.Text(ids::txtPath);
    };
    auto followed = [&] {
        auto drives = app.ComboItems(ids::DrvList);
        return app.Text(ids::txtPath) == "C:\\" &&
               std::none_of(drives.begin(), drives.end(),
                            [](const std::string& d) { return d.rfind("e:", 0) == 0; });
    };
    Add(kWork, "E:");
    showE();
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "E:"));
    app.Click(ids::cmdRemove);
    EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_TRUE(WaitUntil(followed)) << app.Text(ids::txtPath);

    Add(kWork, "E:");
    Add(kMusic, "L:");
    showE();
    app.MenuCommand(ids::mnuView);
    EXPECT_EQ(app.Answer("View Virtual Drives", IDOK), "This will list all of your Virtual Drives");
    EXPECT_EQ(app.Answer("Assigned Virtual Drives", IDOK, "view-listing"),
              "E:\\: => C:\\e2e\\Work Files\r\nL:\\: => C:\\e2e\\Music\r\n");
    EXPECT_FALSE(FileExists(DataFolder() + "temp"));

    const std::string mine = "@echo off\r\nnet use P: \\\\server\\share /persistent:no\r\n";
    const std::string start = "start \"\" \"C:\\Tools\\sync.exe\"\r\n";
    ASSERT_TRUE(WriteFileBytes(BatchFile(), mine + "subst E: \"" + kWork + "\"\r\n" + start +
                                                "subst L: \"" + kMusic + "\"\r\n"));
    ASSERT_TRUE(WriteFileBytes(StartupFolder() + "\\temp.dat", "mine\r\n"));
    ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000810)));
    app.MenuCommand(ids::mnuRepair);
    EXPECT_EQ(app.Answer("Restore MWL", IDOK, "restore-question"),
              "This will restore MWL to its initial state,\r\ni.e., remove all vitual drives, "
              "including\r\npermanent virtual drives for Pro users!");
    EXPECT_TRUE(WaitUntil(followed, 60)) << app.Text(ids::txtPath);
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000000; })) << StoredMask();
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_FALSE(Contains(DriveLetters(), "L:"));
    EXPECT_EQ(ReadFileBytes(BatchFile()), mine + start);
    EXPECT_EQ(ReadFileBytes(StartupFolder() + "\\temp.dat"), "mine\r\n");
    MessageBoxInfo box;
    EXPECT_FALSE(WaitUntil([&] { return app.FindBox(box); }, 1)) << "no message: " << box.text;

    // Released behind Mapwell's back, E: is still listed; picked, it cannot
    // be opened: the drive list goes back and the folder list stays.
    Add(kWork, "E:");
    ASSERT_EQ(RunAndWait("subst.exe E: /D"), 0);
    ASSERT_TRUE(app.SelectDrive("e:"));
    HWND combo = app.control(ids::DrvList);
    EXPECT_TRUE(WaitUntil([&] {
        LRESULT at = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        return at >= 0 && app.ComboItems(ids::DrvList)[at].rfind("c:", 0) == 0;
    }));
    EXPECT_EQ(app.Text(ids::txtPath), kWork);
}

} // namespace
