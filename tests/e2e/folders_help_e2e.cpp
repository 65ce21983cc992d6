// Folder selection, help and the About box on the real program.
#include "e2e_fixture.h"

#include <commctrl.h>

namespace {

using Folders = MapwellTest;

TEST_F(Folders, PickingDrivesAndFoldersMovesThePathField) {
    std::string fixed = Env("E2E_FIXED_LETTER");
    std::string drive = std::string(1, static_cast<char>(tolower(fixed[0]))) + ":";
    ASSERT_TRUE(app.SelectDrive(drive));
    EXPECT_TRUE(WaitUntil([&] { return app.Text(ids::txtPath) == fixed + ":\\"; }))
        << app.Text(ids::txtPath);
    ASSERT_TRUE(app.OpenFolder(kWork));
    EXPECT_EQ(app.Text(ids::txtPath), kWork);
    MapwellProcess::Screenshot(app.main(), "folder-chosen");
}

TEST_F(Folders, EachKindOfDriveHasItsOwnIcon) {
    // A line's item data is the icon it is drawn with.
    std::vector<std::string> lines = app.ComboItems(ids::DrvList);
    std::vector<LRESULT> images = app.ComboData(ids::DrvList);
    ASSERT_EQ(images.size(), lines.size());
    auto imageOf = [&](const std::string& letter) -> LRESULT {
        char lower = static_cast<char>(tolower(letter[0]));
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i][0] == lower) return images[i];
        return -2; // no such line
    };
    LRESULT fixedC = imageOf("C"), fixed = imageOf(Env("E2E_FIXED_LETTER"));
    LRESULT network = imageOf(Env("E2E_NETWORK_LETTER")), cdrom = imageOf(Env("E2E_CDROM_LETTER"));
    EXPECT_GE(fixedC, 0);
    EXPECT_EQ(fixed, fixedC) << "two fixed disks, one icon";
    EXPECT_GE(network, 0);
    EXPECT_GE(cdrom, 0);
    EXPECT_NE(network, fixedC);
    EXPECT_NE(cdrom, fixedC);
    EXPECT_NE(cdrom, network);
    // And the closed list shows the current drive's icon before its text.
    ScreenPixels p = CaptureClient(app.control(ids::DrvList));
    ASSERT_GT(p.height, 0);
    int drawn = 0; // inside the list's own frame
    for (int y = 4; y < p.height - 4; ++y)
        for (int x = 4; x < GetSystemMetrics(SM_CXSMICON); ++x)
            drawn += p.at(x, y) != GetSysColor(COLOR_WINDOW);
    EXPECT_GT(drawn, GetSystemMetrics(SM_CXSMICON)) << "no icon in the closed drive list";
}

TEST_F(Folders, ALongPathIsShownByItsEnd) {
    std::string path = "C:\\e2e";
    for (const char* part :
         {"\\a-rather-long-folder-name", "\\and-another-long-folder-name", "\\the-last-folder"}) {
        path += part;
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ASSERT_GT(path.size(), 66u);
    ASSERT_TRUE(app.OpenFolder(path));
    EXPECT_EQ(app.Text(ids::txtPath), "....." + path.substr(path.size() - 63));
}

using HelpAbout = MapwellTest;

TEST_F(HelpAbout, AboutShowsTheVersionAndGivesTheFocusBack) {
    app.MenuCommand(ids::mnuAbout);
    MessageBoxInfo box;
    ASSERT_TRUE(WaitUntil([&] { return app.FindBox(box); }));
    EXPECT_EQ(box.title, "About Mapwell - Pro");
    wchar_t title[64] = {};
    SendMessageW(GetDlgItem(box.hwnd, 202), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
    EXPECT_EQ(std::wstring(title), L"Mapwell - Pro\u2122");
    char version[64] = {};
    SendMessageA(GetDlgItem(box.hwnd, 203), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(version));
    EXPECT_STREQ(version, "Version 3.0.2");
    MapwellProcess::Screenshot(box.hwnd, "about");
    app.AnswerBox(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.hwnd); }));
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::lstAvail; }));
}

TEST(VersionResource, ReadsThreeZeroTwo) {
    std::string exe = Env("MAPWELL_EXE");
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len));
    EXPECT_EQ(info->dwFileVersionMS, 0x00030000u);
    EXPECT_EQ(info->dwFileVersionLS, 0x00020000u);
}

#pragma pack(push, 2)
struct IconGroupEntry { // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(IconResource, HoldsTwoHundredFiftySixColourImagesBesideTheTrueColourOnes) {
    HMODULE exe = LoadLibraryExA(Env("MAPWELL_EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    auto* group = static_cast<const BYTE*>(LockResource(LoadResource(exe, found)));
    WORD count = *reinterpret_cast<const WORD*>(group + 4);
    auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 6);
    std::vector<std::pair<int, int>> images; // size, bits per pixel
    for (WORD i = 0; i < count; ++i) images.push_back({entries[i].width, entries[i].bitCount});
    FreeLibrary(exe);
    for (int size : {48, 32, 16})
        for (int bits : {8, 32})
            EXPECT_NE(std::find(images.begin(), images.end(), std::pair{size, bits}), images.end())
                << size << " x " << size << ", " << bits << " bits";
}

} // namespace
