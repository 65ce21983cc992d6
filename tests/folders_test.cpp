#include "fixture.h"

#include <deque>
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

// A right click asks whether to add a hidden folder, Alt+right click goes
// straight to the name box, other buttons do nothing. Only a plain name of a
// folder inside the chosen one is taken, and stays chosen when the folder
// list moves on; any other name says so and asks again without the question
// (cancelled here). A name ending in a dot or a blank would reach Secret one
// time and the folder named with that ending (made as it stands) the next.
// No, Cancel or an empty name box changes nothing.
TEST_F(Folders, ARightClickTakesOnlyThePlainNameOfAFolderThere) {
    app.m.AddFolder("C:\\Data\\Secret ", attrHidden);
    app.m.AddFolder("C:\\Top", attrHidden);
    const std::string ask = "Hidden Folder Name (35): Do you want to add a hidden folder?";
    auto notFound = [](const std::string& name) {
        return "Path not found! (64): Sorry we couldn't find that sub-folder.\r\n\"" + name + "\"";
    };
    const std::string data = "C:\\Data", secret = "C:\\Data\\Secret", in = "C:\\Data\\";
    struct Case {
        int button, shift;
        std::deque<int> answers;
        std::deque<std::string> inputs;
        std::vector<std::string> boxes, prompts; // the name boxes' prompts
        std::string chosen, from = "C:\\Data";
    };
    std::vector<Case> cases = {
        {1, 0, {}, {"Secret"}, {}, {}, data},
        {4, 4, {}, {"Secret"}, {}, {}, data},
        {2, 4, {}, {"Secret"}, {}, {in}, secret},
        {2, 0, {idYes}, {"Secret"}, {ask}, {in}, secret},
        {2, 2, {idYes}, {"Secret"}, {ask}, {in}, secret},
        {2, 5, {idYes}, {"Secret"}, {ask}, {in}, secret},
        {2, 0, {idNo}, {"Secret"}, {ask}, {}, data},
        {2, 0, {idCancel}, {"Secret"}, {ask}, {}, data},
        {2, 4, {}, {}, {}, {in}, data},
        {2, 0, {idYes, idOk}, {"Nope", "Secret"}, {ask, notFound("Nope")}, {in, in}, secret},
        {2, 4, {}, {"Top"}, {}, {"C:\\"}, "C:\\Top", "C:\\"},
    };
    const std::string names[] = {"..", "..\\Other", "a/b",     "C:\\Other",
                                 "*",  "Secret.",   "Secret ", std::string(250, 'x')};
    for (const std::string& name : names)
        cases.push_back({2, 4, {}, {name}, {notFound(name)}, {in, in}, data});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + "/" + std::to_string(c.shift) + " " +
                     (c.inputs.empty() ? "" : c.inputs.front()));
        app.f.Hidden = false;
        app.f.dirList().SetPath(c.from);
        app.w.boxes.clear();
        app.w.inputBoxes.clear();
        app.w.answers = c.answers;
        app.w.inputs = c.inputs;
        app.f.dirList_MouseDown(c.button, c.shift, 0, 0);
        std::vector<std::string> boxes, prompts;
        for (const SimBox& b : app.w.boxes)
            boxes.push_back(b.title + " (" + std::to_string(b.flags) + "): " + b.text);
        for (const SimWindow::Input& i : app.w.inputBoxes) {
            prompts.push_back(i.prompt);
            EXPECT_EQ(i.title, "Enter Folder Name");
        }
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(app.f.Hold, c.chosen);
        EXPECT_EQ(app.w.path.text, c.chosen);
        EXPECT_EQ(app.f.dirList().Path(), c.chosen);
        EXPECT_EQ(app.f.Hidden, c.chosen != c.from);
        if (app.f.Hidden) {
            EXPECT_EQ(app.f.Path, c.chosen);
        }
        app.f.dirList().SetPath("C:\\Other");
        EXPECT_EQ(app.f.Hold, app.f.Hidden ? c.chosen : "C:\\Other");
    }
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

} // namespace
