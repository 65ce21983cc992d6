#include "fixture.h"

#include <functional>

namespace {

struct Add : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work Files\\Sub");
        app.subst.Install(app.m);
        ASSERT_TRUE(app.Start());
    }
    void Choose(const std::string& folder, const std::string& letter) {
        app.Choose(folder, letter);
    }
    size_t Launches() const { return app.m.launches.size(); }
};

TEST_F(Add, MapsTheChosenFolderAndReportsCompletion) {
    Choose("C:\\Work Files", "E:");
    double before = app.m.now;
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_EQ(app.m.launches[0].program, "C:\\Windows\\system32\\subst.exe")
        << "the system's own, never one found beside the program or in the current folder";
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: \"C:\\Work Files\"");
    EXPECT_EQ(app.m.launches[0].show, 0);
    ASSERT_EQ(app.w.boxes.size(), 1u);
    EXPECT_EQ(app.LastBox().text, "Operation Completed!");
    EXPECT_EQ(app.LastBox().flags, 0);
    EXPECT_EQ(app.LastBox().title, "Done!");
    EXPECT_EQ(app.LastBox().pointerWhenShown, kPointerDefault);
    EXPECT_GT(app.m.now - before, 2.0) << "the two-second pause";
    EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:", "E:"}));
    EXPECT_EQ(app.w.driveCombo.lines.size(), 2u) << "the drive list shows E";
    EXPECT_EQ(app.w.driveCombo.lines[1].text.substr(0, 2), "e:");
}

TEST_F(Add, RootFolderAsksFirstAndIsMappedUnquoted) {
    Choose("C:\\", "E:");
    for (int answer : {idNo, idCancel}) {
        app.w.answers = {answer};
        app.f.cmdOk_Click();
        EXPECT_EQ(Launches(), 0u);
        EXPECT_EQ(app.w.path.text, "C:\\");
    }
    app.w.answers = {idYes};
    app.f.cmdOk_Click();
    EXPECT_EQ(app.w.boxes[0].text, "It appears that you have selected a root folder (C:\\), \r\n"
                                   "are you sure? Now both C and E will point there.");
    EXPECT_EQ(app.w.boxes[0].flags, 3);
    EXPECT_EQ(app.w.boxes[0].title, "Are You Sure?");
    ASSERT_EQ(Launches(), 1u);
    // Quoted, the root would reach subst as C:" and map nothing.
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: C:\\");
    EXPECT_TRUE(app.m.Drive('E').exists);
}

TEST_F(Add, RootGivenInLowerCaseIsAskedAboutInUpperCase) {
    Choose("C:\\", "F:");
    app.f.Hold = "c:\\";
    app.w.answers = {idNo};
    app.f.cmdOk_Click();
    EXPECT_EQ(app.LastBox().text, "It appears that you have selected a root folder (C:\\), \r\n"
                                  "are you sure? Now both C and F will point there.");
}

TEST_F(Add, NoLetterSelectedReportsError3AndFocusesTheFreeLetters) {
    app.f.dirList().SetPath("C:\\Work Files");
    app.w.focus = "dirList";
    app.f.cmdOk_Click();
    EXPECT_EQ(app.LastBox().text, "You need to select a Virtual Drive Letter!");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(Launches(), 0u);
}

TEST_F(Add, RefusalsLaunchNothingAndLeaveTheArrow) {
    struct Case {
        const char* name;
        std::function<void(App&)> arrange;
        const char* text;
    };
    const Case cases[] = {
        {"network folder",
         [](App& a) {
             a.m.AddDrive('N', DriveKind::Network);
             a.m.AddFolder("N:\\Share");
             a.f.dirList().SetPath("N:\\Share");
         },
         "MWL does not work with network drives!"},
        {"letter taken meanwhile", [](App& a) { a.m.AddDrive('E', DriveKind::Fixed); },
         "This Letter, \"E\", is in use!"},
        {"folder removed meanwhile", [](App& a) { a.m.Delete("C:\\Work Files\\Sub"); },
         "Path not found!"},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddFolder("C:\\Work Files\\Sub");
        app.subst.Install(app.m);
        app.Start();
        app.Choose("C:\\Work Files\\Sub", "E:");
        c.arrange(app);
        app.f.cmdOk_Click();
        EXPECT_TRUE(app.m.launches.empty()) << c.name;
        ASSERT_FALSE(app.w.boxes.empty()) << c.name;
        EXPECT_EQ(app.LastBox().text, c.text) << c.name;
        EXPECT_EQ(app.w.pointer, kPointerDefault) << c.name;
    }
}

TEST_F(Add, HiddenFolderIsFoundOnceThenNoMore) {
    app.m.AddFolder("C:\\Work Files\\Secret", attrHidden);
    app.f.dirList().SetPath("C:\\Work Files");
    app.w.inputs = {"Secret"};
    app.f.dirList_MouseDown(2, 4, 0, 0);
    EXPECT_EQ(app.f.Hold, "C:\\Work Files\\Secret");
    app.w.avail.Select("E:");
    app.f.lstAvail_Click();
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_FALSE(app.f.Hidden);
    // Not chosen anew: looked up as an ordinary folder, which it is not.
    app.w.avail.Select("F:");
    app.f.lstAvail_Click();
    app.f.cmdOk_Click();
    EXPECT_EQ(Launches(), 1u);
    EXPECT_EQ(app.LastBox().text, "Path not found!");
}

TEST(AddOnW95, CdRomFoldersAreRefusedOnlyOnW95) {
    for (OsVersion v : {OsVersion{1, 4, 10}, OsVersion{2, 10, 0}, OsVersion{2, 6, 1}}) {
        App app;
        app.m.version = v;
        app.m.AddDrive('D', DriveKind::CdRom);
        app.subst.Install(app.m);
        app.Start();
        app.Choose("D:\\Disc", "E:");
        app.f.cmdOk_Click();
        SCOPED_TRACE(app.f.OSFamily);
        if (app.f.OSFamily == "W95") {
            EXPECT_TRUE(app.m.launches.empty());
            EXPECT_EQ(app.LastBox().title, "Wrong Operating System");
            EXPECT_EQ(app.w.pointer, kPointerDefault);
        } else {
            EXPECT_EQ(app.m.launches.size(), 1u);
        }
    }
}

TEST_F(Add, ACancelledHiddenNameMapsTheChosenFolderWithoutItsFinalBackslash) {
    app.f.dirList().SetPath("C:\\Work Files");
    app.f.dirList_MouseDown(2, 4, 0, 0); // the name box, cancelled
    ASSERT_EQ(app.f.Hold, "C:\\Work Files\\");
    app.w.avail.Select("E:");
    app.f.lstAvail_Click();
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: \"C:\\Work Files\"");
    EXPECT_EQ(app.subst.mapped['E'], "C:\\Work Files") << "as a C program reads its arguments";
}

TEST_F(Add, DriveRootsWithNothingVisibleAreFoundAndMapped) {
    struct Case {
        const char* name;
        std::function<void(SimMachine&)> arrange;
        bool maps;
    };
    const Case cases[] = {
        {"an empty disk", [](SimMachine&) {}, true},
        {"a stick with only System Volume Information",
         [](SimMachine& m) {
             m.AddFolder("D:\\System Volume Information", attrHidden | attrSystem);
         },
         true},
        {"a drive that stopped answering", [](SimMachine& m) { m.Drive('D').ready = false; },
         false},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddDrive('D', DriveKind::Removable);
        app.subst.Install(app.m);
        app.Start();
        app.Choose("D:\\", "E:");
        c.arrange(app.m);
        app.f.cmdOk_Click(); // Yes to the root question
        EXPECT_EQ(app.m.launches.size(), c.maps ? 1u : 0u) << c.name;
        EXPECT_EQ(app.LastBox().text, c.maps ? "Operation Completed!" : "Path not found!")
            << c.name;
        EXPECT_EQ(app.m.Drive('E').exists, c.maps) << c.name;
    }
}

TEST_F(Add, WithoutASystemFolderNothingIsStarted) {
    app.m.systemDirectory = "";
    Choose("C:\\Work Files", "E:");
    app.f.cmdOk_Click();
    EXPECT_EQ(Launches(), 0u);
    EXPECT_EQ(app.LastBox().text.substr(0, 29), "An unknown error occured, try");
}

TEST_F(Add, TheDriveListKeepsItsDriveAcrossTheRefresh) {
    app.m.AddDrive('F', DriveKind::Fixed);
    app.m.AddFolder("F:\\Music");
    app.f.DrvList().Refresh();
    app.f.DrvList().SetDrive("f:"); // as a user picks it
    Choose("F:\\Music", "E:");
    ASSERT_EQ(app.f.DrvList().Drive(), "f:");
    app.f.cmdOk_Click();
    ASSERT_EQ(app.LastBox().text, "Operation Completed!");
    EXPECT_EQ(app.f.DrvList().Drive(), "f:");
    ASSERT_GE(app.w.driveCombo.selection, 0);
    EXPECT_EQ(app.w.driveCombo.lines[app.w.driveCombo.selection].text.substr(0, 2), "f:");
}

TEST_F(Add, ALaunchThatStartsNothingReportsError11AfterTenSeconds) {
    app.m.onLaunch = [](SimLaunch&) { return false; };
    Choose("C:\\Work Files", "E:");
    auto used = app.w.used.items;
    double before = app.m.now;
    app.f.cmdOk_Click();
    EXPECT_GT(app.m.now - before, 10.0);
    EXPECT_EQ(app.LastBox().text, "An unknown error occured, try your operation again!\r\n"
                                  "If the problem persists let us know.");
    EXPECT_EQ(app.w.used.items, used) << "no refresh";
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

TEST_F(Add, ASlowSubstIsWaitedForBeforeTheListsAreRead) {
    app.m.processRunTime = 5;
    Choose("C:\\Work Files", "E:");
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_GE(app.m.now - app.m.launches[0].at, 5.0);
}

TEST_F(Add, FolderNamesReachSubstWholeAndUnaltered) {
    std::string odd = "C:\\A&B ^%x%(1)! \xE9t\xE9";
    std::string longName = "C:\\" + std::string(200, 'L');
    for (const std::string& folder : {odd, longName}) {
        app.m.launches.clear();
        Choose(folder, "H:");
        app.f.cmdOk_Click();
        ASSERT_EQ(Launches(), 1u);
        EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe H: \"" + folder + "\"");
        EXPECT_EQ(CrtArgs(app.m.launches[0].commandLine)[2], folder);
        app.m.RemoveDrive('H');
        app.f.RefreshLetterLists();
    }
}

TEST_F(Add, InUseWhileMakingPermanentReturnsSilently) {
    app.f.Ltr = "C";
    app.f.Path = "\"C:\\Work Files\"";
    app.f.MakingPermanent = true;
    app.f.RunSubst();
    EXPECT_FALSE(app.f.MakingPermanent);
    EXPECT_TRUE(app.w.boxes.empty());
    EXPECT_EQ(Launches(), 0u);
}

TEST_F(Add, ARemovalOfALetterNoLongerInUseStillLaunches) {
    app.f.dirList().SetPath("C:\\Work Files");
    app.f.Ltr = "E";
    app.f.Path = "/D";
    app.f.RunSubst();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: /D");
}

TEST_F(Add, PauseNeverReturnsEarlyAndSleepsRatherThanSpins) {
    for (double seconds : {2.0, 1.0, 0.0}) {
        double before = app.m.now;
        int sleeps = app.m.sleepCalls;
        app.f.Pause(seconds);
        EXPECT_GT(app.m.now - before, seconds);
        EXPECT_LT(app.m.now - before, seconds + 0.05);
        EXPECT_LE(app.m.sleepCalls - sleeps, seconds / 0.02 + 2) << "slices, not a spin";
    }
}

// A user who keeps clicking and typing while the window is frozen: none of
// it may reach the window once it reacts again, after any command's waits.
TEST(Waits, InputGivenWhileFrozenIsThrownAwayAtTheEndOfEachWait) {
    struct Case {
        const char* name;
        std::function<void(App&)> act;
    };
    const Case cases[] = {
        {"Add", [](App& a) { a.f.cmdOk_Click(); }},
        {"Make Permanent", [](App& a) { a.f.cmdDefault_Click(); }},
        {"Remove",
         [](App& a) {
             a.w.used.Select("F:");
             a.f.cmdRemove_Click();
         }},
        {"View", [](App& a) { a.f.mnuView_Click(); }},
        {"Restore", [](App& a) { a.f.mnuRepair_Click(); }},
        {"Add with no process",
         [](App& a) {
             a.m.onLaunch = [](SimLaunch&) { return false; };
             a.f.cmdOk_Click();
         }},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddFolder("C:\\Work");
        app.subst.Install(app.m);
        app.Start();
        app.subst.Run(app.m, {"subst.exe", "F:", "C:\\Work"});
        app.f.RefreshLetterLists();
        app.Choose("C:\\Work", "E:");
        app.m.onSleep = [&app] { ++app.w.pendingInput; };
        c.act(app);
        EXPECT_GT(app.m.sleepCalls, 0) << c.name;
        EXPECT_EQ(app.w.pendingInput, 0) << c.name;
        for (const SimBox& box : app.w.boxes) EXPECT_EQ(box.pendingInput, 0) << c.name;
    }
}

} // namespace
