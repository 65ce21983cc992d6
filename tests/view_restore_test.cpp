#include "fixture.h"

#include <functional>

namespace {

// The system's subst.exe by its path: never one the interpreter would find
// first in its current folder.
const std::string kSubst = "\"C:\\Windows\\system32\\subst.exe\"";

struct Listing : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work");
        app.m.currentDirectory = "C:\\Work";
        ASSERT_TRUE(app.StartWithSubst());
    }
    std::vector<SimLaunch> Interpreters() const {
        std::vector<SimLaunch> out;
        for (const SimLaunch& l : app.m.launches)
            if (l.shellExecute) out.push_back(l);
        return out;
    }
};

// The interpreter starts in the system folder, and is told the capture's
// full path: it refuses a current folder on a share.
TEST_F(Listing, CaptureRunsTheInterpreterHiddenInTheSystemFolder) {
    app.w.answers = {idOk, idOk};
    app.f.mnuView_Click();
    auto launches = Interpreters();
    ASSERT_EQ(launches.size(), 1u);
    const SimLaunch& l = launches[0];
    EXPECT_EQ(l.owner, app.w.Handle());
    EXPECT_EQ(l.verb, "Open");
    EXPECT_EQ(l.file, "C:\\Windows\\system32\\CMD.exe");
    EXPECT_EQ(l.parameters, " /C \"" + kSubst + " > \"" + kDataFolder + "temp\"\"");
    EXPECT_EQ(l.directory, "C:\\Windows\\system32");
    EXPECT_EQ(l.show, 0);
    EXPECT_EQ(app.f.Path, kDataFolder);
    // With no system folder to name, the interpreter of the current drive.
    app.m.systemDirectory = "";
    app.f.mnuView_Click();
    EXPECT_EQ(Interpreters().at(1).file, "\\CMD.exe");
}

// Cancel launches and changes nothing. With no mapping, and an old capture
// the interpreter did not get to write over, View says there is none.
TEST_F(Listing, CancelChangesNothingAndAnOldCaptureIsNeverShown) {
    app.m.AddFile(kBatch, "x\r\n");
    app.f.Path = "before";
    app.w.answers = {idCancel, idCancel};
    app.f.mnuView_Click();
    app.f.mnuRepair_Click();
    EXPECT_TRUE(app.m.launches.empty());
    EXPECT_EQ(app.f.Path, "before");
    EXPECT_EQ(app.m.currentDirectory, "C:\\Work");
    EXPECT_TRUE(app.m.Exists(kBatch));

    app.w.boxes.clear();
    app.m.AddFile(kDataFolder + "temp", "Q:\\: => C:\\Stale\r\n");
    app.subst.writesCapture = false;
    app.f.mnuView_Click();
    ASSERT_EQ(app.w.boxes.size(), 2u);
    ExpectBox(app.w.boxes[0], "This will list all of your Virtual Drives", 65,
              "View Virtual Drives");
    ExpectBox(app.w.boxes[1], "There are no assigned Virtual Drives", 48,
              "Assigned Virtual Drives");
    EXPECT_EQ(app.w.boxes[1].pointerWhenShown, kPointerHourglass);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_FALSE(app.m.Exists(kDataFolder + "temp"));
}

TEST_F(Listing, RestoreReleasesEachListedDriveOneSecondApartAndResetsEverything) {
    app.Map('E', "C:\\Work");
    app.Map('F', "C:\\Music Files");
    std::string state = StateFileBytes(0x08000030, '\x11');
    app.m.AddFile(kStateFile, state);
    app.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
    app.f.WorkingMask = 0x08000030;

    app.f.mnuRepair_Click();
    ASSERT_EQ(app.w.boxes.size(), 1u) << "the question, and nothing after";
    ExpectBox(app.w.boxes[0],
              "This will restore MWL to its initial state,\r\ni.e., remove all vitual drives, "
              "including\r\npermanent virtual drives for Pro users!",
              49, "Restore MWL");
    auto l = Interpreters();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[1].parameters, " /C " + kSubst + " E: /D");
    EXPECT_EQ(l[2].parameters, " /C " + kSubst + " F: /D");
    EXPECT_GT(l[1].at - l[0].at, 2.0);
    EXPECT_GT(l[2].at - l[1].at, 1.0);
    EXPECT_LT(l[2].at - l[1].at, 1.1);
    EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:"}));
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_FALSE(app.m.Exists(kDataFolder + "temp"));
    std::string expected = state;
    expected.replace(1366, 4, std::string("\x00\x00\x00\x08", 4));
    EXPECT_EQ(app.m.FileBytes(kStateFile), expected) << "record 1 and reserved bytes kept";
    EXPECT_EQ(app.f.WorkingMask, 0x08000000);
    EXPECT_EQ(app.f.Path, kStartup);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

// Restore drops every letter's line and keeps the user's own; a file with
// nothing else left goes.
TEST_F(Listing, RestoreKeepsTheUsersOwnLines) {
    const std::string mine = "@echo off\r\nnet use P: \\\\server\\share /persistent:no\r\n";
    const std::string start = "start \"\" \"C:\\Tools\\sync.exe\"";
    const std::pair<std::string, std::string> cases[] = {
        {mine + "subst E: \"C:\\Work\"\r\n" + start + "\r\n", mine + start + "\r\n"},
        {mine + start, mine + start}, // no letter's line: byte for byte
        {"subst E: \"C:\\Work\"\r\nsubst F: \"C:\\F\"\r\n", "-"},
        {"\xEF\xBB\xBFsubst E: \"C:\\Work\"\r\n", "-"},
    };
    for (const auto& [before, after] : cases) {
        app.m.AddFile(kStateFile, StateFileBytes(0x08000010));
        app.m.AddFile(kBatch, before);
        app.f.mnuRepair_Click();
        EXPECT_EQ(app.m.Exists(kBatch) ? app.m.FileBytes(kBatch) : "-", after) << before;
        EXPECT_EQ(app.StoredMask(), 0x08000000) << before;
    }
}

// Whenever Restore cannot tell that the letters' lines are gone, they stay
// marked, and the user hears why.
TEST_F(Listing, RestoreKeepsThePermanentDrivesWhenTheirLinesMayStay) {
    const std::string stays = "\r\nThe permanent drives stay permanent and are mapped again at "
                              "the next log-on.";
    struct Case {
        const char* name;
        std::function<void(App&)> arrange;
        std::string said;
    };
    const Case cases[] = {
        // Its lines still run at log-on.
        {"a delete that reports success but leaves the file",
         [](App& a) { a.m.KeepOnDelete(kBatch); },
         "Restore could not remove the permanent drives: Permission denied. Error 70"},
        {"the Startup folder on a server that is down",
         [](App& a) {
             a.m.AddDrive('S', DriveKind::Network);
             a.m.startup = "S:\\Startup";
             a.m.Drive('S').fileError = 53;
         },
         "The startup batch file S:\\Startup\\subit.bat could not be read: Device unavailable. "
         "Error 68" +
             stays},
        {"no Startup folder", [](App& a) { a.m.startupAvailable = false; },
         "Your Startup folder could not be found, so the startup batch file cannot be changed." +
             stays},
        // Nothing is known of the drives mapped now.
        {"a capture that was not written", [](App& a) { a.subst.writesCapture = false; },
         "Restore could not read the list of virtual drives, so it changed nothing."},
    };
    for (const Case& c : cases) {
        App a;
        a.m.AddFile(kStateFile, StateFileBytes(0x08000010));
        a.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
        ASSERT_TRUE(a.StartWithSubst());
        c.arrange(a);
        a.f.mnuRepair_Click();
        EXPECT_EQ(a.LastBox().text, c.said) << c.name;
        EXPECT_EQ(a.StoredMask(), 0x08000010) << c.name;
        EXPECT_EQ(a.f.WorkingMask, 0x08000010) << c.name;
        EXPECT_EQ(a.m.FileBytes(kBatch), "subst E: \"C:\\Work\"\r\n") << c.name;
        EXPECT_EQ(a.w.pointer, kPointerDefault) << c.name;
    }
}

// AppData on a server: the interpreter, which refuses such a current folder,
// still writes the capture there. subst.exe prints it in the OEM code page
// (437 here, where ü is 81), and View shows it converted.
TEST(ListingOnAShare, ViewAndRestoreSeeTheDrives) {
    App app;
    const std::string data = "\\\\server\\profiles\\me\\Quillon Software\\Mapwell\\";
    app.m.appData = app.m.appDataDefault = "\\\\server\\profiles\\me";
    app.m.AddFile(data + "himem32.mwl", StateFileBytes(0x08000000));
    ASSERT_TRUE(app.StartWithSubst());
    ASSERT_EQ(app.f.sPath, data);
    app.Map('E', "C:\\M\xC3\xBCller");
    app.f.mnuView_Click();
    EXPECT_EQ(app.LastBox().text, "E:\\: => C:\\M\xC3\xBCller\r\n");
    app.f.mnuRepair_Click();
    EXPECT_FALSE(app.m.Drive('E').exists) << "released";
}

} // namespace
