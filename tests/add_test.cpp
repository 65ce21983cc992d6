#include "fixture.h"

#include <functional>

namespace {

struct Add : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work Files\\Sub");
        ASSERT_TRUE(app.StartWithSubst());
    }
    size_t Launches() const { return app.m.launches.size(); }
};

TEST_F(Add, MapsTheChosenFolderAndReportsCompletion) {
    app.m.AddDrive('F', DriveKind::Fixed);
    app.m.AddFolder("F:\\Music");
    app.f.DrvList().Refresh();
    app.f.DrvList().SetDrive("f:"); // as a user picks it
    app.Choose("F:\\Music", "E:");
    double before = app.m.now;
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_EQ(app.m.launches[0].program, "C:\\Windows\\system32\\subst.exe")
        << "the system's own, never one found beside the program or in the current folder";
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: \"F:\\Music\"");
    EXPECT_EQ(app.m.launches[0].show, 0);
    ASSERT_EQ(app.w.boxes.size(), 1u);
    ExpectBox(app.LastBox(), "Operation Completed!", 0, "Done!");
    EXPECT_EQ(app.LastBox().pointerWhenShown, kPointerDefault);
    EXPECT_GT(app.m.now - before, 2.0) << "the two-second pause";
    EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:", "E:", "F:"}));
    // The drive list shows E, and keeps the drive the user picked across the refresh.
    ASSERT_EQ(app.w.driveCombo.lines.size(), 3u);
    EXPECT_EQ(app.w.driveCombo.lines[1].text.substr(0, 2), "e:");
    EXPECT_EQ(app.f.DrvList().Drive(), "f:");
    EXPECT_EQ(app.w.driveCombo.lines.at(app.w.driveCombo.selection).text.substr(0, 2), "f:");
}

TEST_F(Add, RootFolderAsksFirstAndIsMappedUnquoted) {
    app.Choose("C:\\", "E:");
    for (int answer : {idNo, idCancel}) {
        app.w.answers = {answer};
        app.f.cmdOk_Click();
        EXPECT_EQ(Launches(), 0u);
        EXPECT_EQ(app.w.path.text, "C:\\");
    }
    app.f.Hold = "c:\\"; // a root given in lower case is asked about in upper case
    app.w.answers = {idYes};
    app.f.cmdOk_Click();
    ExpectBox(app.Box(0),
              "It appears that you have selected a root folder (C:\\), \r\n"
              "are you sure? Now both C and E will point there.",
              3, "Are You Sure?");
    ASSERT_EQ(Launches(), 1u);
    // Quoted, the root would reach subst as C:" and map nothing.
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: c:\\");
    EXPECT_TRUE(app.m.Drive('E').exists);
}

// How each Add ends: its last box, whether subst.exe was started, and the
// arrow pointer again.
TEST(AddOutcomes, EachEndsInItsOwnBox) {
    const std::string done = "Operation Completed!", notFound = "Path not found!",
                      unknown = "An unknown error occured, try your operation again!\r\n"
                                "If the problem persists let us know.";
    const OsVersion nt{2, 10, 0}, vista{2, 6, 1}, w98{1, 4, 10};
    struct Case {
        const char* name;
        OsVersion version;
        std::string folder;
        std::function<void(App&)> arrange;
        std::string box;
        bool started;
        std::string line = ""; // the command line subst.exe was given
    };
    const Case cases[] = {
        {"a network folder", nt, "N:\\Share", nullptr, "MWL does not work with network drives!",
         false},
        {"a letter taken meanwhile", nt, "C:\\Work Files",
         [](App& a) { a.m.AddDrive('E', DriveKind::Fixed); }, "This Letter, \"E\", is in use!",
         false},
        {"a folder removed meanwhile", nt, "C:\\Work Files",
         [](App& a) { a.m.Delete("C:\\Work Files"); }, notFound, false},
        // A root is found when it can be reached, entries to list or not.
        {"an empty disk", nt, "D:\\", nullptr, done, true},
        {"a stick with only System Volume Information", nt, "D:\\",
         [](App& a) { a.m.AddFolder("D:\\System Volume Information", attrHidden | attrSystem); },
         done, true},
        {"a disk that stopped answering", nt, "D:\\", [](App& a) { a.m.Drive('D').ready = false; },
         notFound, false},
        // A system folder is listed, so it can be mapped.
        {"a system folder", nt, "C:\\Work Files", [](App& a) { a.m.SetAttrs("C:\\Work Files", 4); },
         done, true},
        // Part of C:\ read: whether the folder is there is not known.
        {"a folder above that cannot be read to its end", nt, "C:\\Work Files",
         [](App& a) { a.m.FailFind("C:\\", 0, 234); },
         "The folder C:\\Work Files cannot be opened:\r\nPath/File access error.", false},
        {"a CD-ROM folder on W95", w98, "R:\\Disc", nullptr,
         "CD ROM drives are not supported for the Windows 98 family!", false},
        {"a CD-ROM folder on NT", nt, "R:\\Disc", nullptr, done, true},
        {"a CD-ROM folder on Vista", vista, "R:\\Disc", nullptr, done, true},
        {"a launch that starts nothing", nt, "C:\\Work Files",
         [](App& a) { a.m.onLaunch = [](SimLaunch&) { return false; }; }, unknown, true},
        {"no system folder to start subst.exe from", nt, "C:\\Work Files",
         [](App& a) { a.m.systemDirectory = ""; }, unknown, false},
        {"a name with the interpreter's signs and accents", nt,
         "C:\\A&B ^%x%(1)! \xC3\xA9t\xC3\xA9", nullptr, done, true,
         "subst.exe E: \"C:\\A&B ^%x%(1)! \xC3\xA9t\xC3\xA9\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App app;
        app.m.version = c.version;
        app.m.AddDrive('D', DriveKind::Removable);
        app.m.AddDrive('N', DriveKind::Network);
        app.m.AddDrive('R', DriveKind::CdRom);
        app.StartWithSubst();
        app.Choose(c.folder, "E:");
        if (c.arrange) c.arrange(app);
        auto used = app.w.used.items;
        double before = app.m.now;
        app.f.cmdOk_Click(); // Yes to a root's question
        EXPECT_EQ(app.LastBox().text, c.box);
        EXPECT_EQ(!app.m.launches.empty(), c.started);
        EXPECT_EQ(app.w.pointer, kPointerDefault);
        if (c.box == done) {
            EXPECT_TRUE(app.m.Drive('E').exists);
        }
        if (!c.line.empty()) {
            EXPECT_EQ(app.m.launches.at(0).commandLine, c.line);
        }
        if (c.box == unknown) {
            EXPECT_GT(app.m.now - before, 10.0);
            EXPECT_EQ(app.w.used.items, used) << "no refresh";
        }
    }
}

TEST_F(Add, ASlowSubstIsWaitedForBeforeTheListsAreRead) {
    app.m.processRunTime = 5;
    app.Choose("C:\\Work Files", "E:");
    app.f.cmdOk_Click();
    ASSERT_EQ(Launches(), 1u);
    EXPECT_GE(app.m.now - app.m.launches[0].at, 5.0);
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
        {"Remove", [](App& a) { a.Remove("F:"); }},
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
        app.StartWithSubst();
        app.Map('F');
        app.Choose("C:\\Work Files", "E:");
        app.m.onSleep = [&app] { ++app.w.pendingInput; };
        c.act(app);
        EXPECT_GT(app.m.sleepCalls, 0) << c.name;
        EXPECT_EQ(app.w.pendingInput, 0) << c.name;
        for (const SimBox& box : app.w.boxes) EXPECT_EQ(box.pendingInput, 0) << c.name;
    }
}

} // namespace
