// Many cycles of every command on one running Mapwell: afterwards the lists,
// the drives and the files are exactly as expected, and the window objects
// the process holds did not grow.
#include "e2e_fixture.h"

#include <cstdlib>
#include <iostream>

namespace {

struct Counts {
    DWORD gdi, user, windows;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
    ++*reinterpret_cast<DWORD*>(lp);
    return TRUE;
}

struct WindowCount {
    DWORD pid, count;
};

BOOL CALLBACK CountTopLevel(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<WindowCount*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->pid) {
        ++c->count;
        EnumChildWindows(h, CountChild, reinterpret_cast<LPARAM>(&c->count));
    }
    return TRUE;
}

// Wine answers GetGuiResources with 0, so the windows the process owns are
// counted as well: those Wine does keep.
Counts GuiObjects(DWORD pid) {
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    WindowCount w{pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&w));
    Counts c{GetGuiResources(p, GR_GDIOBJECTS), GetGuiResources(p, GR_USEROBJECTS), w.count};
    CloseHandle(p);
    return c;
}

using Soak = MapwellTest;

TEST_F(Soak, CyclesOfEveryCommandLeaveNothingBehind) {
    int cycles = std::atoi(Env("SOAK_CYCLES").c_str());
    if (cycles <= 0) cycles = 50;
    const std::string batch = StartupFolder() + "\\subit.bat";
    ASSERT_TRUE(app.OpenFolder(kWork));
    Counts first{};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        // Add E.
        ASSERT_TRUE(app.SelectListItem(ids::lstAvail, "E:"));
        app.Click(ids::cmdOk);
        ASSERT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        // View.
        app.MenuCommand(ids::mnuView);
        ASSERT_NE(app.Answer("View Virtual Drives", IDOK), "<none>");
        ASSERT_EQ(app.Answer("Assigned Virtual Drives", IDOK), "E:\\: => " + kWork + "\r\n");
        // Make G permanent.
        ASSERT_TRUE(app.SelectListItem(ids::lstAvail, "G:"));
        app.Click(ids::cmdDefault);
        ASSERT_NE(app.Answer("Make Permanent?", IDOK), "<none>");
        ASSERT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        const std::string line = "subst G: \"" + kWork + "\"\r\n";
        ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(batch) == line; }));
        // Remove G, permanently.
        ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "G:"));
        app.Click(ids::cmdRemove);
        ASSERT_NE(app.Answer("Mapwell", IDYES), "<none>");
        ASSERT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        ASSERT_TRUE(WaitUntil([&] { return !FileExists(batch); }));
        // Restore releases E.
        app.MenuCommand(ids::mnuRepair);
        ASSERT_NE(app.Answer("Restore MWL", IDOK), "<none>");
        ASSERT_TRUE(WaitUntil(
            [&] {
                auto avail = app.ListItems(ids::lstAvail);
                return Contains(avail, "E:") && Contains(avail, "G:") && app.Running();
            },
            30));
        ASSERT_TRUE(WaitUntil([] { return StoredMask() == 0x08000000; }));
        if (cycle == 1) first = GuiObjects(app.pid());
    }
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_FALSE(Contains(DriveLetters(), "G:"));
    EXPECT_FALSE(FileExists(batch));
    EXPECT_EQ(ReadFileBytes(StateFilePath()), StateFileBytes(0x08000000));
    std::vector<std::string> used = app.ListItems(ids::lstUsedLtrs);
    EXPECT_EQ(used.size() + app.ListItems(ids::lstAvail).size(), 26u);
    // Per cycle: add, the listings of View and Restore, make permanent, remove,
    // and Restore's release.
    EXPECT_EQ(SubstLog().size(), static_cast<size_t>(6 * cycles));
    Counts last = GuiObjects(app.pid());
    std::cout << "soak: " << cycles << " cycles; GDI objects " << first.gdi << " -> " << last.gdi
              << ", USER objects " << first.user << " -> " << last.user << ", windows "
              << first.windows << " -> " << last.windows << "\n";
    EXPECT_LE(last.gdi, first.gdi);
    EXPECT_LE(last.user, first.user);
    EXPECT_GT(first.windows, 10u) << "the count must see the main window's controls";
    EXPECT_LE(last.windows, first.windows);
}

} // namespace
