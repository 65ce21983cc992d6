// The machine as users have it: a folder name Windows changes, a state file
// another program holds, a full disk, programs planted where Windows would
// look first.
#include "e2e_fixture.h"

namespace {

using Machine = MapwellTest;

// Windows drops a final dot from a name whenever the path is used, so a
// folder "Data." would map "Data": picked, it is refused and nothing changes.
TEST_F(Machine, AFolderWhoseNameEndsInADotIsRefusedWhenPicked) {
    CreateDirectoryA("C:\\e2e\\Data", nullptr);
    // Only a path the system takes as it stands can make such a folder.
    CreateDirectoryA("\\\\?\\C:\\e2e\\Data.", nullptr);
    ASSERT_TRUE(app.OpenFolder("C:\\e2e"));
    ASSERT_TRUE(app.OpenFolderLine("Data.")) << "the folder list shows it";
    EXPECT_EQ(app.Answer("Mapwell", IDOK),
              "The folder C:\\e2e\\Data. cannot be opened:\r\nWindows drops a dot or blank at "
              "the end of a folder name, so another folder would be used.");
    EXPECT_EQ(app.Text(ids::txtPath), "C:\\e2e");
    RemoveDirectoryA("\\\\?\\C:\\e2e\\Data.");
}

// Make Permanent of the work folder on E:, which maps it and then cannot make
// it permanent: the box says why, the batch file keeps its bytes (no line,
// nor half of one, maps E: at log-on) and E: is not marked.
void ExpectMakePermanentUndone(MapwellTest& t, const std::string& before, const std::string& said,
                               const std::string& shot) {
    t.Choose(kWork, "E:");
    t.app.Click(ids::cmdDefault);
    EXPECT_NE(t.app.Answer("Make Permanent?", IDOK), "<none>");
    EXPECT_EQ(t.app.Answer("Done!", IDOK), "Operation Completed!") << "mapped all the same";
    EXPECT_EQ(t.app.Answer("Mapwell", IDOK, shot), said);
    const std::string after = ReadFileBytes(BatchFile());
    EXPECT_TRUE(after == before) << "it ends in "
                                 << after.substr(std::max<size_t>(after.size(), 2) - 2);
    EXPECT_EQ(StoredMask(), 0x08000000);
    EXPECT_FALSE(FileExists(StartupFolder() + "\\temp.dat"));
}

TEST_F(Machine, AStateFileThatCannotBeWrittenLeavesTheBatchFileAsItWas) {
    ASSERT_TRUE(WriteFileBytes(BatchFile(), "@echo off"));
    // Another program holds the state file and shares it for reading only.
    HANDLE held = CreateFileA(StateFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectMakePermanentUndone(*this, "@echo off",
                              "The drive could not be made permanent: Permission denied. Error 70",
                              "make-permanent-failed");
    CloseHandle(held);
}

// The Startup folder on a disk that fills up while Make Permanent appends:
// a 16 KiB tmpfs mounted on it, with room for six more bytes.
struct FullStartupDisk : MapwellTest {
    std::string mounted, refused;
    void BeforeStart() override {
        std::string unix = UnixPath(StartupFolder());
        if (RunUnixShell("mount -t tmpfs -o size=16k tmpfs '" + unix + "'", refused) == 0)
            mounted = unix;
    }
    void TearDown() override {
        MapwellTest::TearDown();
        std::string said;
        if (!mounted.empty())
            RunUnixShell("umount '" + mounted + "' || umount -l '" + mounted + "'", said);
    }
};

TEST_F(FullStartupDisk, AnAppendCutShortIsCutBackAndTheBoxNamesTheFullDisk) {
    if (mounted.empty()) GTEST_SKIP() << "no tmpfs on the Startup folder: mount said " << refused;
    // Four pages: subit.bat takes one but for six bytes, three files the rest.
    const std::string before = "@echo off\r\nrem " + std::string(4073, 'x') + "\r\n";
    ASSERT_TRUE(WriteFileBytes(BatchFile(), before));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(
            WriteFileBytes(StartupFolder() + "\\fill" + std::to_string(i), std::string(4096, 'f')));
    ULARGE_INTEGER room{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(StartupFolder().c_str(), &room, nullptr, nullptr));
    ASSERT_EQ(room.QuadPart, 0u);
    ExpectMakePermanentUndone(*this, before,
                              "The drive could not be made permanent: Disk full. Error 61",
                              "make-permanent-disk-full");
}

// Beside the program (the per-user install folder) and in the current folder
// (the data folder, once View has run) the user can write: Windows would
// look there first for a program or library named by its bare name.
TEST_F(Machine, ProgramsAndLibrariesPlantedWhereWindowsLooksFirstNeverRun) {
    app.Kill(); // this test runs a copy of its own
    const std::string exe = Env("MAPWELL_EXE");
    const std::string built = exe.substr(0, exe.find_last_of('\\') + 1);
    const std::string copied = "C:\\e2e\\copied\\";
    const std::string mark = "C:\\planted-ran.txt";
    const std::string planted = built + "planted\\planted_program.exe";
    DeleteFileA(mark.c_str());
    CreateDirectoryA(copied.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(exe.c_str(), (copied + "Mapwell.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "mwl.chm").c_str(), (copied + "mwl.chm").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(planted.c_str(), (copied + "subst.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "planted\\planted_library.dll").c_str(),
                          (copied + "hhctrl.ocx").c_str(), FALSE));

    // Wine takes its own libraries first whatever the search; told to prefer
    // one found on disk, it searches as Windows does.
    const char order[] = "native,builtin";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER,
                              "Software\\Wine\\AppDefaults\\Mapwell.exe\\DllOverrides",
                              "hhctrl.ocx", REG_SZ, order, sizeof(order)),
              ERROR_SUCCESS);

    MapwellProcess copy;
    ASSERT_TRUE(copy.StartReady(copied, copied + "Mapwell.exe"));
    copy.MenuCommand(ids::mnuView); // the data folder becomes the current one
    EXPECT_NE(copy.Answer("View Virtual Drives", IDOK), "<none>");
    EXPECT_NE(copy.Answer("Assigned Virtual Drives", IDOK), "<none>");
    ASSERT_TRUE(CopyFileA(planted.c_str(), (DataFolder() + "subst.exe").c_str(), FALSE));
    ASSERT_TRUE(copy.OpenFolder(kWork));
    ASSERT_TRUE(copy.SelectListItem(ids::lstAvail, "E:"));
    copy.Click(ids::cmdOk);
    EXPECT_EQ(copy.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_TRUE(Contains(DriveLetters(), "E:")) << "mapped by the system's subst.exe";
    // View and Restore run the command interpreter in the data folder, where
    // the planted copy now waits: both must reach the system's subst.exe.
    copy.MenuCommand(ids::mnuView);
    EXPECT_NE(copy.Answer("View Virtual Drives", IDOK), "<none>");
    EXPECT_EQ(copy.Answer("Assigned Virtual Drives", IDOK), "E:\\: => C:\\e2e\\Work Files\r\n");
    copy.MenuCommand(ids::mnuRepair);
    EXPECT_NE(copy.Answer("Restore MWL", IDOK), "<none>");
    EXPECT_TRUE(WaitUntil([] { return !Contains(DriveLetters(), "E:"); }, 60))
        << "released by the system's subst.exe";
    EXPECT_TRUE(WaitUntil([&] { return Contains(copy.ListItems(ids::lstAvail), "E:"); }, 60));
    // Help opens through the system's viewer, not the library planted beside the copy.
    copy.PressKey(copy.control(ids::lstAvail), VK_F1);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowA(nullptr, "Mapwell Help") != nullptr; }))
        << "the system's help viewer";
    copy.Kill();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Mapwell.exe");
    DeleteFileA((DataFolder() + "subst.exe").c_str());
    EXPECT_FALSE(FileExists(mark)) << ReadFileBytes(mark);
}

} // namespace
