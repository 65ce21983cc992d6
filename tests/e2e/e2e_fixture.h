// A fresh Mapwell for each test: the state file as installed, no mapping
// left from an earlier test, an empty subst log, and test folders on C:.
#pragma once

#include "driver.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

inline const std::string kWork = "C:\\e2e\\Work Files";
inline const std::string kMusic = "C:\\e2e\\Music";

inline bool Contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

struct MapwellTest : ::testing::Test {
    MapwellProcess app;

    void SetUp() override {
        ReleaseStandInMappings();
        ClearSubstLog();
        DeleteFileA((StartupFolder() + "\\subit.bat").c_str());
        SetFileAttributesA(StateFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000000)));
        CreateDirectoryA("C:\\e2e", nullptr);
        CreateDirectoryA(kWork.c_str(), nullptr);
        CreateDirectoryA(kMusic.c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(kWork + "\\hello.txt", "hello"));
        BeforeStart();
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.WaitForMainWindow()) << "no main window";
        ASSERT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::lstAvail; }));
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
};
