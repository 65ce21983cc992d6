// A fresh Mapwell for each test: the state file as installed, no mapping
// left from an earlier test, an empty subst log, and test folders on C:.
#pragma once

#include "driver.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

inline const std::string kWork = "C:\\e2e\\Work Files";
inline const std::string kMusic = "C:\\e2e\\Music";

inline std::string BatchFile() {
    return StartupFolder() + "\\subit.bat";
}

inline bool Contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

struct MapwellTest : ::testing::Test {
    MapwellProcess app;

    void SetUp() override {
        ReleaseStandInMappings();
        ClearSubstLog();
        DeleteFileA(BatchFile().c_str());
        DeleteFileA((StartupFolder() + "\\temp.dat").c_str());
        SetFileAttributesA(StateFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000000)));
        CreateDirectoryA("C:\\e2e", nullptr);
        CreateDirectoryA(kWork.c_str(), nullptr);
        CreateDirectoryA(kMusic.c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(kWork + "\\hello.txt", "hello"));
        BeforeStart();
        ASSERT_TRUE(app.StartReady()) << "no main window ready for a letter";
    }
    // What a fixture prepares on top, just before Mapwell starts.
    virtual void BeforeStart() {}
    void TearDown() override {
        app.Kill();
        ReleaseStandInMappings();
    }

    // Chooses a folder and a free letter, as a user does.
    void Choose(const std::string& folder, const std::string& letter) {
        ASSERT_TRUE(app.OpenFolder(folder))
            << "could not open " << folder << ", path field " << app.Text(ids::txtPath);
        ASSERT_TRUE(app.SelectListItem(ids::lstAvail, letter)) << letter;
    }
    // Adds a drive with the button and closes "Operation Completed!".
    void Add(const std::string& folder, const std::string& letter) {
        Choose(folder, letter);
        app.Click(ids::cmdOk);
        ASSERT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
    }
    // Removes a permanent drive ("E"), answering Yes; returns the text of a
    // box of Mapwell's own that came before "Done!" ("" when none did).
    std::string RemoveWithYes(const std::string& letter) {
        EXPECT_TRUE(app.SelectListItem(ids::lstUsedLtrs, letter + ":"));
        app.Click(ids::cmdRemove);
        EXPECT_EQ(app.Answer("Mapwell", IDYES, "remove-permanent-question"),
                  "This drive letter, " + letter +
                      ", is permanent, do you want it removed permanently?");
        std::string said;
        MessageBoxInfo box;
        EXPECT_TRUE(app.WaitForBox(box, 20));
        if (box.title == "Mapwell") said = app.Answer("Mapwell", IDOK, "batch-not-changed");
        EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        return said;
    }
    // As at the next log-on: the letter's mapping is gone, and cmd runs the
    // batch file, which must map it again to the folder that holds hello.txt.
    static void LogOnAgain(const std::string& letter, const std::string& batch) {
        ASSERT_EQ(RunAndWait("subst.exe " + letter + ": /D"), 0);
        ASSERT_FALSE(Contains(DriveLetters(), letter + ":"));
        EXPECT_EQ(RunAndWait("cmd.exe /C \"" + batch + "\""), 0);
        EXPECT_EQ(ReadFileBytes(letter + ":\\hello.txt"), "hello");
    }
};
