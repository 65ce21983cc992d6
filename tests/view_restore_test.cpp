#include "fixture.h"

namespace {

// The system's subst.exe by its path: never one the interpreter would find
// first in its current folder.
const std::string kSubst = "\"C:\\Windows\\system32\\subst.exe\"";

struct Listing : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work");
        app.m.AddFolder("C:\\Music Files");
        app.m.AddFolder(kStartup);
        app.subst.Install(app.m);
        app.m.currentDirectory = "C:\\Work";
        ASSERT_TRUE(app.Start());
    }
    void Map(char letter, const std::string& folder) {
        app.subst.Run(app.m, {"subst.exe", std::string(1, letter) + ":", folder});
    }
    std::vector<SimLaunch> Interpreters() const {
        std::vector<SimLaunch> out;
        for (const SimLaunch& l : app.m.launches)
            if (l.shellExecute) out.push_back(l);
        return out;
    }
};

TEST_F(Listing, CaptureRunsTheInterpreterHiddenInTheDataFolder) {
    app.w.answers = {idOk, idOk};
    app.f.mnuView_Click();
    auto launches = Interpreters();
    ASSERT_EQ(launches.size(), 1u);
    const SimLaunch& l = launches[0];
    EXPECT_EQ(l.owner, app.w.Handle());
    EXPECT_EQ(l.verb, "Open");
    EXPECT_EQ(l.file, "C:\\Windows\\system32\\CMD.exe");
    EXPECT_EQ(l.parameters, " /C " + kSubst + " > temp");
    EXPECT_EQ(l.directory, "");
    EXPECT_EQ(l.show, 0);
    EXPECT_EQ(l.currentDirectory + "\\", kDataFolder) << "where the interpreter writes temp";
    EXPECT_EQ(app.f.Path, kDataFolder);
    // With no system folder to name, the interpreter of the current drive.
    app.m.systemDirectory = "";
    app.f.mnuView_Click();
    EXPECT_EQ(Interpreters().at(1).file, "\\CMD.exe");
}

TEST_F(Listing, NoMappingShowsTheExclamationBox) {
    app.f.mnuView_Click();
    ASSERT_EQ(app.w.boxes.size(), 2u);
    EXPECT_EQ(app.w.boxes[0].text, "This will list all of your Virtual Drives");
    EXPECT_EQ(app.w.boxes[0].flags, 65);
    EXPECT_EQ(app.w.boxes[0].title, "View Virtual Drives");
    EXPECT_EQ(app.w.boxes[1].text, "There are no assigned Virtual Drives");
    EXPECT_EQ(app.w.boxes[1].flags, 48);
    EXPECT_EQ(app.w.boxes[1].title, "Assigned Virtual Drives");
    EXPECT_EQ(app.w.boxes[1].pointerWhenShown, kPointerHourglass);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_FALSE(app.m.Exists(kDataFolder + "temp"));
}

TEST_F(Listing, TwoMappingsShowExactlyAsPrinted) {
    Map('E', "C:\\Work");
    Map('F', "C:\\Music Files");
    app.f.mnuView_Click();
    EXPECT_EQ(app.LastBox().text, "E:\\: => C:\\Work\r\nF:\\: => C:\\Music Files\r\n");
    EXPECT_EQ(app.LastBox().flags, 0);
    EXPECT_FALSE(app.m.Exists(kDataFolder + "temp"));
}

TEST_F(Listing, CancelLaunchesNothingAndChangesNothing) {
    app.m.AddFile(kBatch, "x\r\n");
    app.f.Path = "before";
    app.w.answers = {idCancel, idCancel};
    app.f.mnuView_Click();
    app.f.mnuRepair_Click();
    EXPECT_TRUE(app.m.launches.empty());
    EXPECT_EQ(app.f.Path, "before");
    EXPECT_EQ(app.m.currentDirectory, "C:\\Work");
    EXPECT_TRUE(app.m.Exists(kBatch));
}

TEST_F(Listing, AnOldCaptureIsNeverShownAsTheCurrentOne) {
    app.m.AddFile(kDataFolder + "temp", "Q:\\: => C:\\Stale\r\n");
    app.subst.writesCapture = false; // the interpreter did not get to write
    app.f.mnuView_Click();
    EXPECT_EQ(app.LastBox().text, "There are no assigned Virtual Drives");
}

TEST_F(Listing, RestoreReleasesEachListedDriveOneSecondApartAndResetsEverything) {
    Map('E', "C:\\Work");
    Map('F', "C:\\Music Files");
    app.f.RefreshLetterLists();
    std::string state = StateFileBytes(0x08000030, '\x11');
    app.m.AddFile(kStateFile, state);
    app.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
    app.f.WorkingMask = 0x08000030;

    app.f.mnuRepair_Click();
    ASSERT_EQ(app.w.boxes.size(), 1u) << "the question, and nothing after";
    EXPECT_EQ(app.w.boxes[0].text,
              "This will restore MWL to its initial state,\r\ni.e., remove all vitual drives, "
              "including\r\npermanent virtual drives for Pro users!");
    EXPECT_EQ(app.w.boxes[0].flags, 49);
    EXPECT_EQ(app.w.boxes[0].title, "Restore MWL");
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

// A delete that reports success while another program keeps subit.bat: its
// lines still run at log-on, so the permanent drives are not reset.
TEST_F(Listing, RestoreTellsWhenTheBatchFileOutlivesItsDelete) {
    app.m.AddFile(kStateFile, StateFileBytes(0x08000010));
    app.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
    app.m.KeepOnDelete(kBatch);
    app.f.mnuRepair_Click();
    EXPECT_EQ(app.LastBox().text,
              "Restore could not remove the permanent drives: Permission denied. Error 70");
    EXPECT_EQ(app.StoredMask(), 0x08000010);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

} // namespace
