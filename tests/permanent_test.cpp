// Make Permanent, Remove and RemovePermanentEntry against the startup batch
// file and the state file.
#include "fixture.h"

#include <functional>
#include <optional>

namespace {

struct Permanent : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work Files");
        app.m.AddFolder(kStartup);
        app.subst.Install(app.m);
        ASSERT_TRUE(app.Start());
    }
    void Make(const std::string& folder, const std::string& letter) {
        app.Choose(folder, letter + ":");
        app.f.cmdDefault_Click();
    }
    void Map(char letter) {
        app.subst.Run(app.m, {"subst.exe", std::string(1, letter) + ":", "C:\\Work Files"});
        app.f.RefreshLetterLists();
    }
    // RemovePermanentEntry for a letter, with the working mask given.
    void Drop(const std::string& letter, int32_t mask) {
        app.f.Ltr = letter;
        app.f.WorkingMask = mask;
        app.f.RemovePermanentEntry();
    }
};

TEST_F(Permanent, NewLetterMapsNowWritesItsLineAndMarksIt) {
    Make("C:\\Work Files", "X");
    ASSERT_EQ(app.w.boxes.size(), 2u);
    EXPECT_EQ(app.w.boxes[0].text, "This feature will place a file in your Startup Folder!\r\n\r\n"
                                   "Save \"X:\\\" as:  \"C:\\Work Files\"\r\npermanently?");
    EXPECT_EQ(app.w.boxes[0].flags, 1);
    EXPECT_EQ(app.w.boxes[0].title, "Make Permanent?");
    EXPECT_EQ(app.w.boxes[1].text, "Operation Completed!") << "from RunSubst, once";
    EXPECT_EQ(app.m.launches.at(0).commandLine, "subst.exe X: \"C:\\Work Files\"");
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst X: \"C:\\Work Files\"\r\n");
    EXPECT_EQ(app.m.FileBytes(kStateFile).substr(1366, 4), std::string("\x00\x00\x80\x08", 4));
    EXPECT_EQ(app.f.WorkingMask, 0x08800000);
    EXPECT_FALSE(app.f.MakingPermanent);
    EXPECT_EQ(app.f.Path, kStartup);

    // Once more: error 1, and neither file changes.
    std::string batch = app.m.FileBytes(kBatch), state = app.m.FileBytes(kStateFile);
    app.m.RemoveDrive('X');
    app.f.RefreshLetterLists();
    Make("C:\\Work Files", "X");
    EXPECT_EQ(app.Texts().back(), "This Letter, \"X\", is already assigned to a Folder!");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.m.FileBytes(kBatch), batch);
    EXPECT_EQ(app.m.FileBytes(kStateFile), state);
}

TEST_F(Permanent, AlreadyMappedLetterIsWrittenAndReportedOnceByMakePermanent) {
    Map('E');
    app.f.dirList().SetPath("C:\\Work Files");
    app.w.used.Select("E:");
    app.f.lstUsedLtrs_Click();
    app.f.cmdDefault_Click();
    EXPECT_TRUE(app.m.launches.empty()) << "RunSubst returned silently";
    EXPECT_EQ(app.Texts(), (std::vector<std::string>{app.w.boxes[0].text, "Operation Completed!"}));
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst E: \"C:\\Work Files\"\r\n");
    EXPECT_EQ(app.f.WorkingMask, 0x08000010);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_FALSE(app.f.MakingPermanent);
}

// The duplicate check and the removal agree on every family about which line
// is a letter's: only a subst line with the letter at its 7th character. The
// user's own lines (here with the letter at the 7th character) are theirs.
TEST(PermanentFamilies, OnlyALettersSubstLineBlocksItAndGoesWithIt) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string letter, line;
        bool owned;
    };
    const Case cases[] = {
        {"O", "@echo off", false},           {"E", "echo hello", false},
        {"T", "set PATH=C:\\DOS", false},    {"X", "SUBST x: \"C:\\Old\"", true},
        {"X", "Subst X: C:\\", true},        {"X", "short", false},
        {"X", "substX: \"C:\\Old\"", false},
    };
    for (OsVersion v : {OsVersion{2, 10, 0}, OsVersion{2, 6, 1}, OsVersion{1, 4, 10}}) {
        for (const Case& c : cases) {
            for (const std::string& mark : {std::string(), bom}) {
                const std::string content = mark + c.line + "\r\nsubst Y: \"C:\\Y\"\r\n";
                App app;
                app.m.version = v;
                app.m.AddFile(kBatch, content);
                app.m.AddFile("c:\\autoexec.bat", content);
                app.subst.Install(app.m);
                app.Start();
                SCOPED_TRACE(c.line + (mark.empty() ? "" : " after a BOM") + " on " +
                             app.f.OSFamily + " for " + c.letter);
                app.Choose("C:\\Work", c.letter + ":");
                app.f.cmdDefault_Click();
                EXPECT_EQ(app.m.FileBytes(kBatch) == content, c.owned) << "blocked";

                app.m.AddFile(kBatch, content);
                app.f.Ltr = c.letter;
                app.f.WorkingMask = 0x08000000 | LetterBit(c.letter);
                app.f.RemovePermanentEntry();
                std::string kept = c.owned ? mark + "subst Y: \"C:\\Y\"\r\n" : content;
                EXPECT_EQ(app.m.FileBytes(kBatch), kept);
                if (app.f.OSFamily == "W95") {
                    EXPECT_EQ(app.m.FileBytes("c:\\autoexec.bat"), kept);
                }
            }
        }
    }
}

// Each line reaches at log-on the folder it names, and continues no line of the user's.
TEST_F(Permanent, LinesAreWrittenSoTheLogOnMappingReachesTheSameFolder) {
    struct Case {
        std::string folder, before;
        uint32_t attrs; // of the batch file before
        std::string after;
    };
    const Case cases[] = {
        {"C:\\", "", 0, "subst X: C:\\\r\n"},                        // a root, unquoted
        {"C:\\100% Done", "", 0, "subst X: \"C:\\100%% Done\"\r\n"}, // % doubled
        {"C:\\Caf\xE9", "", 0, "subst X: \"C:\\Caf\x82\"\r\n"},      // OEM code page
        {"C:\\Work Files", "@echo off", 0, "@echo off\r\nsubst X: \"C:\\Work Files\"\r\n"},
        // A hidden or system batch file counts as absent: no duplicate check.
        {"C:\\Work Files", "subst X: \"C:\\Old\"\r\n", attrHidden,
         "subst X: \"C:\\Old\"\r\nsubst X: \"C:\\Work Files\"\r\n"},
        {"C:\\Work Files", "subst X: \"C:\\Old\"\r\n", attrSystem,
         "subst X: \"C:\\Old\"\r\nsubst X: \"C:\\Work Files\"\r\n"},
    };
    for (const Case& c : cases) {
        if (c.before.empty())
            app.m.Delete(kBatch);
        else
            app.m.AddFile(kBatch, c.before, c.attrs);
        app.m.RemoveDrive('X');
        app.f.RefreshLetterLists();
        Make(c.folder, "X");
        EXPECT_EQ(app.m.FileBytes(kBatch), c.after) << c.folder;
    }
}

TEST_F(Permanent, RefusalsWriteNothing) {
    struct Case {
        const char* name;
        std::function<void(App&)> arrange;
        std::string last; // the start of the last box's text
    };
    const Case cases[] = {
        {"Cancel at the question", [](App& a) { a.w.answers = {idCancel}; },
         "This feature will place"},
        {"no path", [](App& a) { a.f.Hold = ""; }, "No Path selected!"},
        {"no letter", [](App& a) { a.f.Ltr = ""; }, "You need to select a Virtual Drive Letter!"},
        {"an unknown family", [](App& a) { a.f.OSFamily = "Failed"; },
         "This feature is not supported at this\r\ntime"},
        {"no Startup folder", [](App& a) { a.m.startupAvailable = false; },
         "This feature is not supported at this\r\ntime"},
    };
    for (const Case& c : cases) {
        App a;
        a.m.AddFolder("C:\\Work Files");
        a.subst.Install(a.m);
        a.Start();
        a.Choose("C:\\Work Files", "X:");
        c.arrange(a);
        a.f.cmdDefault_Click();
        ASSERT_FALSE(a.w.boxes.empty()) << c.name;
        EXPECT_EQ(a.LastBox().text.substr(0, c.last.size()), c.last) << c.name;
        EXPECT_FALSE(a.m.Exists(kBatch)) << c.name;
        EXPECT_EQ(a.StoredMask(), 0x08000000) << c.name;
        EXPECT_FALSE(a.f.MakingPermanent) << c.name;
    }
}

// The mark cannot be stored after the line went in: the batch file goes back
// byte for byte (or away), so it never maps a drive the records call ordinary.
TEST_F(Permanent, AMarkThatCannotBeStoredTakesTheLineBackOut) {
    for (const std::optional<std::string>& before :
         {std::optional<std::string>(), std::optional<std::string>("@echo off"),
          std::optional<std::string>("\xEF\xBB\xBFsubst Q: \"C:\\Old\"\r\n")}) {
        std::string where = before ? *before : "no batch file";
        if (before)
            app.m.AddFile(kBatch, *before);
        else
            app.m.Delete(kBatch);
        app.m.Lock(kStateFile);
        app.m.RemoveDrive('X');
        app.f.RefreshLetterLists();
        Make("C:\\Work Files", "X");
        EXPECT_EQ(app.m.Exists(kBatch), before.has_value()) << where;
        EXPECT_EQ(app.m.FileBytes(kBatch), before.value_or("")) << where;
        EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat")) << where;
        EXPECT_FALSE(app.f.WorkingMask & LetterBit("X")) << where;
        EXPECT_EQ(app.LastBox().text,
                  "The drive could not be made permanent: Permission denied. Error 70")
            << where;
    }
}

TEST(PermanentEdges, WhatTheFileRulesLeaveBehind) {
    struct Case {
        const char* name;
        OsVersion version;
        std::string file, content; // a batch file before
        std::function<void(App&)> act;
        std::string after; // the batch file after; "-" when it is gone
        int32_t mask;      // WorkingMask after
    };
    auto dropX = [](App& a) {
        a.f.Ltr = "X";
        a.f.WorkingMask = 0x08800000;
        a.f.RemovePermanentEntry();
    };
    const Case cases[] = {
        {"Make Permanent of a folder gone meanwhile still writes and marks",
         {2, 10, 0},
         kBatch,
         "",
         [](App& a) {
             a.Choose("C:\\Gone", "X:");
             a.m.Delete("C:\\Gone");
             a.f.cmdDefault_Click();
         },
         "subst X: \"C:\\Gone\"\r\n",
         0x08800000},
        {"Make Permanent of a network folder writes nothing",
         {2, 10, 0},
         kBatch,
         "",
         [](App& a) {
             a.m.AddDrive('N', DriveKind::Network);
             a.Choose("N:\\Share", "X:");
             a.f.cmdDefault_Click();
         },
         "-",
         0x08000000},
        {"Vista deletes a batch file whose only line went",
         {2, 6, 1},
         kBatch,
         "subst X: \"C:\\X\"\r\n",
         dropX,
         "-",
         0x08000000},
        {"NT drops both lines of a letter written twice",
         {2, 10, 0},
         kBatch,
         "subst X: \"C:\\A\"\r\nrem mine\r\nsubst x: \"C:\\B\"\r\n",
         dropX,
         "rem mine\r\n",
         0x08000000},
        {"a missing batch file has no line to drop",
         {2, 10, 0},
         kBatch,
         "",
         dropX,
         "-",
         0x08000000},
        {"an unknown family edits autoexec.bat",
         {1, 4, 3},
         "c:\\autoexec.bat",
         "PATH C:\\DOS\r\nsubst X: \"C:\\X\"\r\n",
         dropX,
         "PATH C:\\DOS\r\n",
         0x08000000},
        {"W95 leaves an emptied autoexec.bat behind",
         {1, 4, 10},
         "c:\\autoexec.bat",
         "subst X: C:\\\r\n",
         dropX,
         "",
         0x08000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App app;
        app.m.version = c.version;
        app.m.AddFolder(kStartup);
        if (!c.content.empty()) app.m.AddFile(c.file, c.content);
        app.subst.Install(app.m);
        ASSERT_TRUE(app.Start());
        c.act(app);
        EXPECT_EQ(app.m.Exists(c.file) ? app.m.FileBytes(c.file) : "-", c.after);
        EXPECT_EQ(app.f.WorkingMask, c.mask);
    }
}

TEST_F(Permanent, RemoveReleasesAnOrdinaryDriveUnaskedAndKeepsPath) {
    Map('E');
    app.w.used.Select("E:");
    app.f.Path = "kept";
    app.f.lstUsedLtrs_DblClick();
    ASSERT_EQ(app.m.launches.size(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: /D");
    EXPECT_EQ(app.Texts(), std::vector<std::string>{"Operation Completed!"});
    EXPECT_EQ(app.f.Path, "kept");
    EXPECT_EQ(app.w.used.items, std::vector<std::string>{"C:"});
}

TEST_F(Permanent, RemoveAsksAboutAPermanentDriveYesNoOrCancel) {
    for (int answer : {idCancel, idNo, idYes}) {
        app.m.launches.clear();
        app.w.boxes.clear();
        Map('E');
        app.m.AddFile(kBatch, "subst E: \"C:\\Work Files\"\r\nsubst F: \"C:\\F\"\r\n");
        app.f.WorkingMask = 0x08000030;
        app.w.used.Select("E:");
        app.w.answers = {answer};
        app.f.cmdRemove_Click();
        EXPECT_EQ(app.w.boxes[0].text,
                  "This drive letter, E, is permanent, do you want it removed permanently?");
        EXPECT_EQ(app.w.boxes[0].flags, 3);
        EXPECT_EQ(app.w.boxes[0].title, "Mapwell");
        EXPECT_EQ(app.m.launches.size(), answer == idCancel ? 0u : 1u);
        bool dropped = answer == idYes;
        EXPECT_EQ(app.m.FileBytes(kBatch),
                  dropped ? "subst F: \"C:\\F\"\r\n"
                          : "subst E: \"C:\\Work Files\"\r\nsubst F: \"C:\\F\"\r\n");
        EXPECT_EQ(app.f.WorkingMask, dropped ? 0x08000020 : 0x08000030);
        if (dropped) {
            EXPECT_EQ(app.StoredMask(), 0x08000020);
        }
    }
}

TEST_F(Permanent, RemoveReleasesASubstDriveWhoseFolderHasGone) {
    Map('E');
    app.m.Drive('E') = SimDrive{};
    app.m.Drive('E').heldWithoutRoot = true;
    app.f.RefreshLetterLists();
    app.w.used.Select("E:");
    app.f.cmdRemove_Click();
    ASSERT_EQ(app.m.launches.size(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: /D");
    EXPECT_EQ(app.Texts(), std::vector<std::string>{"Operation Completed!"});
    EXPECT_TRUE(app.w.avail.Select("E:")) << "free again";
}

TEST_F(Permanent, EntryDropsOnlyTheLettersLinesAndALoneLineTakesTheFile) {
    app.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\nsubst Y: \"C:\\Y\"");
    app.m.AddFile(kStartup + "\\temp.dat", "stale line\r\n");
    std::string cwd = app.m.currentDirectory;
    Drop("X", 0x09800000);
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst Y: \"C:\\Y\"\r\n");
    EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat"));
    EXPECT_EQ(app.m.currentDirectory, cwd);
    EXPECT_EQ(app.StoredMask(), 0x09000000);
    Drop("Y", 0x09000000);
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_EQ(app.StoredMask(), 0x08000000);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_TRUE(app.w.boxes.empty());
}

TEST_F(Permanent, EntryWithoutAStartupFolderKeepsTheLetterPermanentAndSaysSo) {
    app.m.AddFile(kStateFile, StateFileBytes(0x09000000));
    app.m.startupAvailable = false;
    Drop("Y", 0x09000000);
    EXPECT_EQ(app.f.WorkingMask, 0x09000000);
    EXPECT_EQ(app.StoredMask(), 0x09000000);
    EXPECT_EQ(app.Texts(), std::vector<std::string>{"This feature is not supported at this\r\n"
                                                    "time on your Operating System."});
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

TEST_F(Permanent, EntryWhoseUnmarkCannotBeStoredPutsTheLinesBack) {
    for (const char* family : {"NT", "W95"}) {
        const std::string content = "@echo off\r\nsubst X: \"C:\\X\"\r\n";
        app.f.OSFamily = family;
        app.m.AddFile(kBatch, content);
        app.m.AddFile("c:\\autoexec.bat", content);
        app.m.Lock(kStateFile);
        app.w.boxes.clear();
        Drop("X", 0x08800000);
        EXPECT_EQ(app.m.FileBytes(kBatch), content) << family;
        EXPECT_EQ(app.m.FileBytes("c:\\autoexec.bat"), content) << family;
        EXPECT_EQ(app.f.WorkingMask, 0x08800000) << family;
        ASSERT_EQ(app.w.boxes.size(), 1u) << family;
        EXPECT_NE(app.LastBox().text.find("Drive X: stays permanent."), std::string::npos);
        app.m.Lock(kStateFile, false);
    }
}

} // namespace
