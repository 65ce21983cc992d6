#include "app/os_family.h"
#include "fixture.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace {

TEST(OsFamily, FollowsPlatformAndVersion) {
    const std::pair<OsVersion, std::string> cases[] = {
        {{1, 4, 0}, "W95"}, {{1, 4, 10}, "W95"},  {{1, 4, 90}, "W95"}, {{1, 4, 3}, "Failed"},
        {{2, 5, 1}, "NT"},  {{2, 6, 1}, "Vista"}, {{2, 10, 0}, "NT"},  {{0, 0, 0}, "Failed"},
    };
    for (const auto& [version, family] : cases) {
        SimMachine m;
        m.version = version;
        EXPECT_EQ(GetOSFamily(m.platform().os), family)
            << version.platformId << " " << version.major << "." << version.minor;
    }
}

// The mask comes from record 2 of a state file of any kind (the fuzz seeds
// try other sizes and contents), a hidden one too; start-up never writes. A
// virus scanner or a backup program that holds the file for a moment costs
// no box: start-up tries again for about a second.
TEST(Startup, ShowsTheWindowReadyForALetter) {
    App app;
    app.m.AddFile(kStateFile, StateFileBytes(0x08000010), attrHidden);
    app.m.Lock(kStateFile);
    app.m.onSleep = [&] {
        if (app.m.sleptTotal >= 0.5) app.m.Lock(kStateFile, false);
    };
    app.m.currentDirectory = "C:\\Users\\me";
    app.m.AddFolder("C:\\Users\\me");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.w.caption, "Mapwell - Pro");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.w.screenPointer, kPointerDefault);
    EXPECT_TRUE(app.w.boxes.empty());
    EXPECT_EQ(app.f.sPath, kDataFolder);
    EXPECT_EQ(app.f.StateFilePath, kStateFile);
    EXPECT_EQ(app.f.OSFamily, "NT");
    EXPECT_EQ(app.f.Quote, "\"");
    EXPECT_EQ(app.f.WorkingMask, 0x08000010);
    // The folder list starts at the root of the current drive.
    EXPECT_EQ(app.f.dirList().Path(), "C:\\");
    EXPECT_EQ(app.w.path.text, "C:\\");
    EXPECT_EQ(app.f.Hold, "C:\\");
    // 5,790 twips high and centred on the 1024 x 768 screen (15,360 x 11,520
    // twips); the width stays 7,170.
    EXPECT_EQ(app.w.bounds.height, 5790);
    EXPECT_EQ(app.w.bounds.top, 2865);
    EXPECT_EQ(app.w.bounds.left, 4095);
    EXPECT_EQ(app.m.FileBytes(kStateFile), StateFileBytes(0x08000010));
}

// The state file is looked for in the application-data folder where it is
// now (a roaming profile may redirect it), then, only when that folder answers
// that there is no such file, where the profile keeps it by default (an older
// installation). Found in neither, or with no folder at all: the error 255
// box alone, and nothing written. A folder that cannot be read is never passed
// over: start-up says which one it is.
TEST(Startup, FindsTheStateFileWhereItIsOrShowsError255Alone) {
    const std::string redirected = "D:\\Profiles\\me\\AppData";
    const std::string redirectedData = redirected + "\\Quillon Software\\Mapwell\\";
    const std::string unreadable = "The state file " + redirectedData +
                                   "himem32.mwl could not be read: Device unavailable. Error 68";
    struct Case {
        const char* name;
        long result;
        bool inRedirected, inDefault;
        std::string dataFolder; // "": the program ends
        int down = 0;           // D: answers this Win32 error; -1: D: is gone
        std::string said = "";  // the start of the one box shown
    };
    const Case cases[] = {
        {"redirected, file there", 0, true, false, redirectedData},
        {"redirected, file in both", 0, true, true, redirectedData},
        {"redirected, file left in the default", 0, false, true, kDataFolder},
        {"redirected, no file", 0, false, false, ""},
        {"no folder", 1, true, true, ""},
        {"a failure", -2147024894L, true, true, ""},
        {"redirected to a server that is down", 0, false, true, redirectedData, 53, unreadable},
        {"redirected to a server out of reach", 0, false, true, redirectedData, 1231, unreadable},
        {"redirected to a drive that is gone", 0, false, true, redirectedData, -1, unreadable},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddDrive('D', DriveKind::Fixed);
        app.m.appData = redirected;
        app.m.appDataResult = c.result;
        if (!c.inDefault) app.m.Delete(kStateFile);
        if (c.inRedirected)
            app.m.AddFile(redirectedData + "himem32.mwl", StateFileBytes(0x08000010));
        if (c.down > 0) app.m.Drive('D').fileError = static_cast<uint32_t>(c.down);
        if (c.down < 0) app.m.RemoveDrive('D');
        EXPECT_EQ(app.Start(), !c.dataFolder.empty()) << c.name;
        if (c.dataFolder.empty()) {
            ASSERT_EQ(app.w.boxes.size(), 1u) << c.name;
            ExpectBox(app.LastBox(),
                      "There is a missing or corrupt file! Remove and reinstall the software, \r\n"
                      "if the problem persists e-mail us at www.quillonsoftware.com/contact!",
                      16, "ERROR!");
        } else {
            EXPECT_EQ(app.Texts().empty() ? "" : app.Texts()[0].substr(0, c.said.size()), c.said)
                << c.name;
            EXPECT_EQ(app.f.sPath, c.dataFolder) << c.name;
            EXPECT_EQ(app.f.StateFilePath, c.dataFolder + "himem32.mwl") << c.name;
            EXPECT_EQ(app.f.PermanentKnown, c.down == 0) << c.name;
            if (c.down == 0) {
                EXPECT_EQ(app.f.WorkingMask, c.inRedirected ? 0x08000010 : 0x08000000) << c.name;
            }
        }
        EXPECT_EQ(app.m.Exists(kStateFile), c.inDefault) << "never created";
        EXPECT_EQ(app.m.Exists(redirectedData + "himem32.mwl"), c.inRedirected) << c.name;
    }
}

// A state file that is there but cannot be read: the program starts, says so,
// and never lets Remove pass a permanent letter by in silence.
TEST(Startup, AnUnreadableStateFileIsReportedAndRemoveStillAsks) {
    App app;
    app.m.AddFile(kStateFile, StateFileBytes(0x08000010)); // E is permanent
    app.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
    app.m.Lock(kStateFile);
    ASSERT_TRUE(app.StartWithSubst());
    app.Map('E', "C:\\Work");
    EXPECT_LT(app.m.sleptTotal, 2) << "gives up after about a second";
    ASSERT_EQ(app.w.boxes.size(), 1u);
    EXPECT_EQ(app.LastBox().text, "The state file " + kStateFile +
                                      " could not be read: Permission denied. Error 70\r\n"
                                      "Until it can be read, Mapwell cannot tell which drives "
                                      "are permanent.");
    EXPECT_EQ(app.LastBox().flags, mbExclamation);
    EXPECT_EQ(app.w.focus, "lstAvail");

    // Still locked: Remove says what it cannot know, and Cancel keeps the drive.
    app.w.answers = {idCancel};
    app.Remove("E:");
    EXPECT_EQ(app.LastBox().flags, mbOkCancel | mbExclamation);
    EXPECT_NE(app.LastBox().text.find("If drive E: is permanent"), std::string::npos);
    EXPECT_TRUE(app.m.launches.empty());

    // Readable again: the next Remove learns that E is permanent and asks.
    app.m.Lock(kStateFile, false);
    app.Remove("E:");
    EXPECT_EQ(app.w.boxes.back().text, "Operation Completed!");
    EXPECT_EQ(app.w.boxes[app.w.boxes.size() - 2].text,
              "This drive letter, E, is permanent, do you want it removed permanently?");
    EXPECT_FALSE(app.m.Exists(kBatch));
}

} // namespace
