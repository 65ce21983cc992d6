#include "fixture.h"

#include <functional>

namespace {

struct Folders : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Data\\Alpha");
        app.m.AddFolder("C:\\Data\\Beta");
        app.m.AddFolder("C:\\Data\\Secret", attrHidden);
        app.m.AddFolder("C:\\Data\\System", attrSystem);
        app.m.AddFolder("C:\\Other");
        ASSERT_TRUE(app.Start());
        app.f.dirList().SetPath("C:\\Data");
    }
};

TEST_F(Folders, ListShowsFoldersAboveOpenAndSubFoldersClosedButNotHiddenOnes) {
    EXPECT_EQ(app.w.folders.lines, (std::vector<FolderLine>{{"C:\\", 0, true},
                                                            {"Data", 1, true},
                                                            {"Alpha", 2, false},
                                                            {"Beta", 2, false},
                                                            {"System", 2, false}}));
    EXPECT_EQ(app.w.folders.highlight, 1) << "the current folder";
    EXPECT_EQ(app.f.dirList().List(-1), "C:\\Data");
    EXPECT_EQ(app.f.dirList().List(-2), "C:\\");
    EXPECT_EQ(app.f.dirList().List(1), "C:\\Data\\Beta");
}

TEST_F(Folders, EnterOpensTheHighlightedFolderAsADoubleClickDoes) {
    app.f.dirList_Click(app.LineOf("Beta"));
    EXPECT_EQ(app.f.Hold, "C:\\Data") << "a single click only highlights";
    app.f.dirList_KeyPress('x');
    EXPECT_EQ(app.f.Hold, "C:\\Data");
    app.f.dirList_KeyPress(13);
    EXPECT_EQ(app.f.Hold, "C:\\Data\\Beta");
    app.f.dirList_DblClick(app.LineOf("Data"));
    EXPECT_EQ(app.f.Hold, "C:\\Data");
    EXPECT_EQ(app.w.path.text, "C:\\Data");
}

// What cannot be opened is named in a message, and the folder list, the path
// field, Hold and the drive list stay where they were: a folder that vanished
// since the list was drawn, one that cannot be read to its end (never shown
// as a shorter list), one whose name ends in a dot or a blank (which Windows
// would reach without that ending, so nothing is ever mapped or written for
// it), a drive without a medium (without a word), a drive whose root cannot
// be read to its end, and a typed name on a drive that stopped answering.
TEST_F(Folders, WhatCannotBeOpenedIsNamedAndTheSelectionStays) {
    app.m.AddFolder("C:\\Data\\Dot.");
    app.m.AddFolder("C:\\Data\\Blank ");
    app.m.AddFolder("C:\\Data\\Alpha\\One");
    app.m.AddFolder("C:\\Data\\Alpha\\Two");
    app.m.FailFind("C:\\Data\\Alpha", 3, 234); // ".", ".." and One; ERROR_MORE_DATA
    app.m.AddDrive('D', DriveKind::CdRom, false);
    app.m.AddDrive('E', DriveKind::Fixed);
    app.m.AddFolder("E:\\Data\\Two");
    app.m.FailFind("E:\\", 1, 234);
    app.m.Drive('C').currentDir = "C:\\Other"; // not where the list goes back to
    app.f.DrvList().Refresh();
    app.f.dirList().SetPath("C:\\");
    app.f.dirList().SetPath("C:\\Data");
    auto open = [](const char* name) {
        return [name](App& a) { a.f.dirList_DblClick(a.LineOf(name)); };
    };
    const std::string dropped = "Windows drops a dot or blank at the end of a folder name, so "
                                "another folder would be used.";
    struct Case {
        std::function<void(App&)> act;
        std::string said; // "": no box
        int flags = mbExclamation;
        std::string stays = "C:\\Data";
    };
    const Case cases[] = {
        {[](App& a) {
             a.f.dirList_Click(a.LineOf("Beta"));
             a.m.Delete("C:\\Data\\Beta");
             a.f.dirList_KeyPress(13);
         },
         "The folder C:\\Data\\Beta cannot be opened:\r\nPath not found."},
        {open("Alpha"), "The folder C:\\Data\\Alpha cannot be opened:\r\nPath/File access error."},
        {open("Dot."), "The folder C:\\Data\\Dot. cannot be opened:\r\n" + dropped},
        {open("Blank "), "The folder C:\\Data\\Blank  cannot be opened:\r\n" + dropped},
        {[](App& a) { a.f.DrvList_Select(1); }, ""},
        {[](App& a) { a.f.DrvList_Select(2); },
         "The folder E: cannot be opened:\r\nPath/File access error."},
        {[](App& a) {
             a.f.dirList().SetPath("E:\\Data");
             a.m.Drive('E').ready = false;
             a.w.inputs = {"Two"};
             a.f.dirList_MouseDown(2, 4, 0, 0);
         },
         "Error 71 (Disk not ready) in procedure dirList_Change of Form frmMWL_Pro", mbOk,
         "E:\\Data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        app.w.boxes.clear();
        c.act(app);
        ASSERT_EQ(app.w.boxes.size(), c.said.empty() ? 0u : 1u);
        if (!c.said.empty()) ExpectBox(app.LastBox(), c.said, c.flags, "Mapwell");
        EXPECT_EQ(app.f.dirList().Path(), c.stays);
        EXPECT_EQ(app.f.Hold, c.stays);
        EXPECT_EQ(app.f.DrvList().Drive(), "c:");
    }
}

TEST_F(Folders, RightButtonMatrixOfTheHiddenFolderFlow) {
    struct Press {
        int button, shift;
        bool asks, opensBox;
    };
    const Press presses[] = {
        {1, 0, false, false}, {4, 4, false, false}, {2, 4, false, true},
        {2, 0, true, true},   {2, 2, true, true},   {2, 5, true, true},
    };
    for (const Press& p : presses) {
        app.w.boxes.clear();
        app.w.inputBoxes.clear();
        app.w.answers = {idYes};
        app.f.dirList_MouseDown(p.button, p.shift, 0, 0);
        EXPECT_EQ(!app.w.boxes.empty(), p.asks) << p.button << "/" << p.shift;
        if (p.asks) {
            EXPECT_EQ(app.w.boxes[0].text, "Do you want to add a hidden folder?");
            EXPECT_EQ(app.w.boxes[0].flags, 35);
            EXPECT_EQ(app.w.boxes[0].title, "Hidden Folder Name");
        }
        EXPECT_EQ(!app.w.inputBoxes.empty(), p.opensBox) << p.button << "/" << p.shift;
        app.f.Hidden = false;
        app.f.dirList().SetPath("C:\\Data");
        app.f.Hold = "C:\\Data";
    }
    for (int answer : {idNo, idCancel}) {
        app.w.answers = {answer};
        app.w.inputBoxes.clear();
        app.f.dirList_MouseDown(2, 0, 0, 0);
        EXPECT_TRUE(app.w.inputBoxes.empty());
        EXPECT_FALSE(app.f.Hidden);
    }
    // Cancel in the name box changes nothing either, and later picks work.
    app.f.dirList_MouseDown(2, 4, 0, 0);
    EXPECT_EQ(app.w.inputBoxes.size(), 1u);
    EXPECT_FALSE(app.f.Hidden);
    EXPECT_EQ(app.f.Hold, "C:\\Data");
    EXPECT_EQ(app.w.path.text, "C:\\Data");
    app.f.dirList().SetPath("C:\\Other");
    EXPECT_EQ(app.f.Hold, "C:\\Other");
}

TEST_F(Folders, TypedNameIsJoinedToTheChosenFolder) {
    app.w.inputs = {"Secret"};
    app.f.dirList_MouseDown(2, 4, 0, 0);
    EXPECT_EQ(app.w.inputBoxes[0].prompt, "C:\\Data\\");
    EXPECT_EQ(app.w.inputBoxes[0].title, "Enter Folder Name");
    EXPECT_EQ(app.f.Path, "C:\\Data\\Secret");
    EXPECT_EQ(app.f.Hold, "C:\\Data\\Secret");
    EXPECT_EQ(app.w.path.text, "C:\\Data\\Secret");
    EXPECT_TRUE(app.f.Hidden);

    app.m.AddFolder("C:\\Top", attrHidden);
    app.f.Hidden = false;
    app.f.dirList().SetPath("C:\\");
    app.w.inputs = {"Top"};
    app.f.dirList_MouseDown(2, 4, 0, 0);
    EXPECT_EQ(app.w.inputBoxes[1].prompt, "C:\\");
    EXPECT_EQ(app.f.Path, "C:\\Top");
}

TEST_F(Folders, MissingTypedFolderSaysSoAndAsksAgainWithoutTheQuestion) {
    app.w.answers = {idYes, idOk};
    app.w.inputs = {"Nope", "Secret"};
    app.f.dirList_MouseDown(2, 0, 0, 0);
    ASSERT_EQ(app.w.boxes.size(), 2u);
    EXPECT_EQ(app.w.boxes[1].text, "Sorry we couldn't find that sub-folder.\r\n\"Nope\"");
    EXPECT_EQ(app.w.boxes[1].flags, 64);
    EXPECT_EQ(app.w.boxes[1].title, "Path not found!");
    ASSERT_EQ(app.w.inputBoxes.size(), 2u);
    EXPECT_EQ(app.w.inputBoxes[1].prompt, "C:\\Data\\");
    EXPECT_EQ(app.f.Hold, "C:\\Data\\Secret");
}

// View, Restore, Remove and a refused Add all reuse Path; the typed hidden
// folder must outlive each of them, a drive picked and a name box cancelled,
// so the next folder change and Add still reach it.
TEST(HiddenFolder, OutlivesEveryCommandThatReusesPath) {
    struct Case {
        const char* name;
        std::function<void(App&)> act;
    };
    const Case cases[] = {
        {"a drive picked", [](App& a) { a.f.DrvList_Select(1); }},
        {"a cancelled name box", [](App& a) { a.f.dirList_MouseDown(2, 4, 0, 0); }},
        {"View", [](App& a) { a.f.mnuView_Click(); }},
        {"Restore", [](App& a) { a.f.mnuRepair_Click(); }},
        {"Remove",
         [](App& a) {
             a.Map('F', "C:\\Other");
             a.Remove("F:");
         }},
        {"a refused Add",
         [](App& a) {
             a.m.AddDrive('E', DriveKind::Fixed); // taken meanwhile
             a.f.cmdOk_Click();
             a.m.RemoveDrive('E');
             a.f.RefreshLetterLists();
         }},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddFolder("C:\\Data\\Secret", attrHidden);
        app.m.AddFolder("C:\\Data\\System", attrSystem);
        app.m.AddFolder("C:\\Other");
        app.m.AddDrive('D', DriveKind::Fixed);
        app.StartWithSubst();
        app.Choose("C:\\Data", "E:");
        app.w.inputs = {"Secret"};
        app.f.dirList_MouseDown(2, 4, 0, 0);
        c.act(app);
        app.f.dirList().SetPath("C:\\Other"); // a folder change
        EXPECT_EQ(app.f.Hold, "C:\\Data\\Secret") << c.name;
        EXPECT_EQ(app.w.path.text, "C:\\Data\\Secret") << c.name;
        app.m.launches.clear();
        app.w.avail.Select("E:");
        app.f.cmdOk_Click();
        ASSERT_FALSE(app.m.launches.empty()) << c.name << ": " << app.LastBox().text;
        EXPECT_EQ(app.m.launches.back().commandLine, "subst.exe E: \"C:\\Data\\Secret\"") << c.name;
        // Mapped, it is chosen no more: looked up as an ordinary folder, which it is not.
        EXPECT_FALSE(app.f.Hidden) << c.name;
        app.w.avail.Select("F:");
        app.f.cmdOk_Click();
        EXPECT_EQ(app.LastBox().text, "Path not found!") << c.name;
    }
}

// Remove and Restore release drives. The drive list drops them; when it moves
// off the drive it showed, the folder list, the path field and Hold follow
// to the root of its new drive (not to the folder the system keeps current
// there, which View and Restore leave at the data folder). A hidden folder
// on the gone drive goes with it.
TEST(DriveList, TheFolderListFollowsTheDrivesAfterRemoveAndRestore) {
    struct Case {
        const char* name;
        bool hidden;
        std::function<void(App&)> release;
    };
    auto remove = [](App& a) { a.Remove("E:"); };
    const Case cases[] = {
        {"Remove", false, remove},
        {"Remove, hidden folder", true, remove},
        {"Restore", false, [](App& a) { a.f.mnuRepair_Click(); }},
    };
    for (const Case& c : cases) {
        App app;
        ASSERT_TRUE(app.StartWithSubst());
        app.Map('E');
        app.m.AddFolder("E:\\Secret", attrHidden);
        app.f.DrvList().Refresh();
        app.f.DrvList_Select(1); // e:, as the user picks it
        ASSERT_EQ(app.f.Hold, "E:\\") << c.name;
        if (c.hidden) {
            app.w.inputs = {"Secret"};
            app.f.dirList_MouseDown(2, 4, 0, 0);
            ASSERT_EQ(app.f.Hold, "E:\\Secret") << c.name;
        }
        app.w.boxes.clear();
        c.release(app);
        EXPECT_EQ(app.w.driveCombo.lines, (std::vector<DriveLine>{{"c: [System]"}})) << c.name;
        EXPECT_EQ(app.f.DrvList().Drive(), "c:") << c.name;
        EXPECT_EQ(app.f.dirList().Path(), "C:\\") << c.name;
        EXPECT_EQ(app.w.path.text, "C:\\") << c.name;
        EXPECT_EQ(app.f.Hold, "C:\\") << c.name;
        EXPECT_FALSE(app.f.Hidden) << c.name;
        for (const SimBox& b : app.w.boxes)
            EXPECT_EQ(b.text.find("dirList_Change"), std::string::npos) << c.name;
    }
}

TEST_F(Folders, BadTypedNamesNeverLeaveTheChosenFolder) {
    // Each takes the "Path not found!" route; the repeated box is then
    // cancelled. A name ending in a dot or a blank would reach Secret one
    // time and the folder named with that ending (made as it stands) the next.
    app.m.AddFolder("C:\\Data\\Secret ", attrHidden);
    const std::string names[] = {"..", "..\\Other", "a/b",     "C:\\Other",
                                 "*",  "Secret.",   "Secret ", std::string(250, 'x')};
    for (const std::string& name : names) {
        app.f.Hidden = false;
        app.f.dirList().SetPath("C:\\Data");
        app.f.Hold = "C:\\Data";
        app.w.boxes.clear();
        app.w.inputs = {name};
        app.f.dirList_MouseDown(2, 4, 0, 0);
        ASSERT_FALSE(app.w.boxes.empty()) << name;
        EXPECT_EQ(app.w.boxes[0].title, "Path not found!") << name;
        // The second box was cancelled: nothing changed.
        EXPECT_EQ(app.f.Hold, "C:\\Data") << name;
        EXPECT_EQ(app.f.dirList().Path(), "C:\\Data") << name;
        EXPECT_FALSE(app.f.Hidden) << name;
    }
}

} // namespace
