#include "fixture.h"

#include <functional>
#include <optional>

namespace {

const std::string kStartup =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
const std::string kBatch = kStartup + "\\subit.bat";

struct Permanent : ::testing::Test {
    App app;
    void SetUp() override { Boot(); }
    void Boot(OsVersion version = {2, 10, 0}) {
        app.m.version = version;
        app.m.AddFolder("C:\\Work Files");
        app.m.AddFolder(kStartup);
        app.subst.Install(app.m);
        ASSERT_TRUE(app.Start());
    }
    void Choose(const std::string& folder, const std::string& letter) {
        app.Choose(folder, letter);
    }
    int32_t StoredMask() {
        std::string b = app.m.FileBytes(kStateFile);
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[1366 + i]);
        return static_cast<int32_t>(v);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const SimBox& b : app.w.boxes) out.push_back(b.text);
        return out;
    }
};

TEST_F(Permanent, NewLetterMapsNowWritesItsLineAndMarksIt) {
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    ASSERT_EQ(app.w.boxes.size(), 2u);
    EXPECT_EQ(app.w.boxes[0].text, "This feature will place a file in your Startup Folder!\r\n\r\n"
                                   "Save \"X:\\\" as:  \"C:\\Work Files\"\r\npermanently?");
    EXPECT_EQ(app.w.boxes[0].flags, 1);
    EXPECT_EQ(app.w.boxes[0].title, "Make Permanent?");
    EXPECT_EQ(app.w.boxes[1].text, "Operation Completed!") << "from RunSubst, once";
    EXPECT_EQ(app.m.launches.at(0).commandLine, "subst.exe X: \"C:\\Work Files\"");
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst X: \"C:\\Work Files\"\r\n");
    EXPECT_EQ(StoredMask(), 0x08800000);
    EXPECT_EQ(app.m.FileBytes(kStateFile).substr(1366, 4), std::string("\x00\x00\x80\x08", 4));
    EXPECT_EQ(app.f.WorkingMask, 0x08800000);
    EXPECT_FALSE(app.f.MakingPermanent);
    EXPECT_EQ(app.f.Path, kStartup);
}

TEST_F(Permanent, AlreadyMappedLetterIsWrittenAndReportedOnceByMakePermanent) {
    app.subst.Run(app.m, {"subst.exe", "E:", "C:\\Work Files"});
    app.f.RefreshLetterLists();
    app.f.dirList().SetPath("C:\\Work Files");
    app.w.used.Select("E:");
    app.f.lstUsedLtrs_Click();
    app.f.cmdDefault_Click();
    EXPECT_TRUE(app.m.launches.empty()) << "RunSubst returned silently";
    EXPECT_EQ(Texts().back(), "Operation Completed!");
    EXPECT_EQ(app.w.boxes.size(), 2u);
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst E: \"C:\\Work Files\"\r\n");
    EXPECT_EQ(app.f.WorkingMask, 0x08000010);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_FALSE(app.f.MakingPermanent);
}

TEST_F(Permanent, SameLetterAgainReportsError1AndChangesNoFile) {
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    std::string batch = app.m.FileBytes(kBatch), state = app.m.FileBytes(kStateFile);
    app.m.RemoveDrive('X');
    app.f.RefreshLetterLists();
    app.w.avail.Select("X:");
    app.f.lstAvail_Click();
    app.f.cmdDefault_Click();
    EXPECT_EQ(Texts().back(), "This Letter, \"X\", is already assigned to a Folder!");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.m.FileBytes(kBatch), batch);
    EXPECT_EQ(app.m.FileBytes(kStateFile), state);
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
                std::string where = c.line + (mark.empty() ? "" : " after a BOM") + " on " +
                                    app.f.OSFamily + " for " + c.letter;
                app.Choose("C:\\Work", c.letter + ":");
                app.f.cmdDefault_Click();
                bool blocked = app.m.FileBytes(kBatch) == content;
                EXPECT_EQ(blocked, c.owned) << where;

                app.m.AddFile(kBatch, content);
                app.f.Ltr = c.letter;
                app.f.WorkingMask = 0x08000000 | LetterBit(c.letter);
                app.f.RemovePermanentEntry();
                std::string kept = c.owned ? mark + "subst Y: \"C:\\Y\"\r\n" : content;
                EXPECT_EQ(app.m.FileBytes(kBatch), kept) << where;
                if (app.f.OSFamily == "W95") {
                    EXPECT_EQ(app.m.FileBytes("c:\\autoexec.bat"), kept) << where;
                }
            }
        }
    }
}

TEST_F(Permanent, HiddenOrSystemBatchFileCountsAsAbsent) {
    for (uint32_t attrs : {uint32_t(attrHidden), uint32_t(attrSystem)}) {
        app.m.AddFile(kBatch, "subst X: \"C:\\Old\"\r\n", attrs);
        Choose("C:\\Work Files", "X:");
        app.f.cmdDefault_Click();
        EXPECT_EQ(app.m.FileBytes(kBatch),
                  "subst X: \"C:\\Old\"\r\nsubst X: \"C:\\Work Files\"\r\n");
        app.m.RemoveDrive('X');
        app.f.RefreshLetterLists();
    }
}

TEST_F(Permanent, CancelEmptyPathAndNoLetterChangeNothing) {
    app.w.answers = {idCancel};
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    EXPECT_TRUE(app.m.launches.empty());
    EXPECT_FALSE(app.m.Exists(kBatch));

    app.f.Hold = "";
    app.w.boxes.clear();
    app.f.cmdDefault_Click();
    EXPECT_EQ(Texts(), std::vector<std::string>{"No Path selected!"}) << "before any question";

    app.f.Ltr = "";
    app.f.cmdDefault_Click();
    EXPECT_EQ(Texts().back(), "You need to select a Virtual Drive Letter!");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_EQ(app.m.FileBytes(kStateFile), StateFileBytes(0x08000000));
}

TEST_F(Permanent, LinesAreWrittenSoTheLogOnMappingReachesTheSameFolder) {
    struct Case {
        std::string folder, line;
    };
    const Case cases[] = {
        {"C:\\", "subst R: C:\\\r\n"},                        // a root, unquoted
        {"C:\\100% Done", "subst S: \"C:\\100%% Done\"\r\n"}, // % doubled
        {"C:\\Caf\xE9", "subst T: \"C:\\Caf\x82\"\r\n"},      // in the OEM code page
    };
    for (const Case& c : cases) {
        app.m.Delete(kBatch);
        std::string letter(1, c.line[6]);
        Choose(c.folder, letter + ":");
        app.f.cmdDefault_Click();
        EXPECT_EQ(app.m.FileBytes(kBatch), c.line) << c.folder;
    }
}

TEST_F(Permanent, AFolderTheOemCodePageCannotNameIsRefusedClearly) {
    Choose("C:\\Price \x80", "X:");
    app.f.cmdDefault_Click();
    ASSERT_EQ(app.w.boxes.size(), 1u);
    EXPECT_NE(app.LastBox().text.find("cannot be written in the startup batch file"),
              std::string::npos);
    EXPECT_TRUE(app.m.launches.empty());
    EXPECT_FALSE(app.m.Exists(kBatch));
}

TEST_F(Permanent, AUserLastLineWithoutItsEndIsNotContinued) {
    app.m.AddFile(kBatch, "@echo off");
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    EXPECT_EQ(app.m.FileBytes(kBatch), "@echo off\r\nsubst X: \"C:\\Work Files\"\r\n");
}

TEST_F(Permanent, UnknownFamilyHidesTheButtonAndReportsError2) {
    app.f.OSFamily = "Failed";
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    EXPECT_FALSE(app.w.makePermanent.visible);
    EXPECT_EQ(Texts().back(),
              "This feature is not supported at this\r\ntime on your Operating System.");
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_FALSE(app.f.MakingPermanent);
}

TEST_F(Permanent, NoStartupFolderReportsError2) {
    app.m.startupAvailable = false;
    Choose("C:\\Work Files", "X:");
    app.f.cmdDefault_Click();
    EXPECT_EQ(app.LastBox().text.substr(0, 37), "This feature is not supported at this");
    EXPECT_EQ(StoredMask(), 0x08000000);
}

TEST_F(Permanent, AFileFailureEndsTheCommandWithItsNumber) {
    app.m.AddFile(kBatch, "subst Q: \"C:\\Old\"\r\n", attrReadOnly);
    Choose("C:\\Work Files", "X:");
    app.w.focus = "";
    app.f.cmdDefault_Click();
    EXPECT_EQ(app.LastBox().flags, 16);
    EXPECT_EQ(app.LastBox().text.substr(app.LastBox().text.size() - 2), "75");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst Q: \"C:\\Old\"\r\n");
    EXPECT_EQ(StoredMask(), 0x08000000) << "not marked when the line was not written";
    EXPECT_FALSE(app.f.MakingPermanent);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

// The mark cannot be stored after the line went in: the batch file goes back
// byte for byte (or away), so it never maps a drive the records call ordinary.
TEST_F(Permanent, AMarkThatCannotBeStoredTakesTheLineBackOut) {
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::optional<std::string>& before :
         {std::optional<std::string>(), std::optional<std::string>("@echo off"),
          std::optional<std::string>(bom + "subst Q: \"C:\\Old\"\r\n")}) {
        if (before)
            app.m.AddFile(kBatch, *before);
        else
            app.m.Delete(kBatch);
        app.m.Lock(kStateFile);
        app.w.boxes.clear();
        Choose("C:\\Work Files", "X:");
        app.f.cmdDefault_Click();
        std::string where = before ? "\"" + *before + "\"" : "no batch file";
        EXPECT_EQ(app.m.Exists(kBatch), before.has_value()) << where;
        if (before) {
            EXPECT_EQ(app.m.FileBytes(kBatch), *before) << where;
        }
        EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat")) << where;
        EXPECT_FALSE(app.f.WorkingMask & LetterBit("X")) << where;
        EXPECT_EQ(app.LastBox().text,
                  "The drive could not be made permanent: Permission denied. Error 70")
            << where;
        // The records agree, so the next try works as the first would have.
        app.m.Lock(kStateFile, false);
        app.m.RemoveDrive('X');
        app.f.RefreshLetterLists();
        Choose("C:\\Work Files", "X:");
        app.f.cmdDefault_Click();
        EXPECT_EQ(Texts().back(), "Operation Completed!") << where;
        EXPECT_TRUE(app.f.WorkingMask & LetterBit("X")) << where;
        app.m.RemoveDrive('X');
        app.f.WorkingMask = 0x08000000;
        app.m.AddFile(kStateFile, StateFileBytes(0x08000000));
        app.f.RefreshLetterLists();
    }
}

// RemovePermanentEntry for X, which is marked permanent.
void DropX(App& a) {
    a.f.Ltr = "X";
    a.f.WorkingMask = 0x08800000;
    a.f.RemovePermanentEntry();
}

TEST(PermanentEdges, WhatTheFileRulesLeaveBehind) {
    struct Case {
        const char* name;
        OsVersion version;
        std::function<void(App&)> act;
        std::function<void(App&)> check;
    };
    const std::string autoexec = "c:\\autoexec.bat";
    const Case cases[] = {
        {"Make Permanent of a folder gone meanwhile still writes and marks",
         {2, 10, 0},
         [](App& a) {
             a.Choose("C:\\Gone", "X:");
             a.m.Delete("C:\\Gone");
             a.f.cmdDefault_Click();
         },
         [](App& a) {
             EXPECT_EQ(a.w.boxes[1].text, "Path not found!");
             EXPECT_EQ(a.m.FileBytes(kBatch), "subst X: \"C:\\Gone\"\r\n");
             EXPECT_EQ(a.f.WorkingMask, 0x08800000);
         }},
        {"Make Permanent of a network folder writes nothing",
         {2, 10, 0},
         [](App& a) {
             a.m.AddDrive('N', DriveKind::Network);
             a.Choose("N:\\Share", "X:");
             a.f.cmdDefault_Click();
         },
         [](App& a) {
             EXPECT_EQ(a.LastBox().text, "MWL does not work with network drives!");
             EXPECT_TRUE(a.m.launches.empty());
             EXPECT_FALSE(a.m.Exists(kBatch));
             EXPECT_EQ(a.f.WorkingMask, 0x08000000);
         }},
        {"Vista deletes a batch file whose only line went",
         {2, 6, 1},
         [](App& a) {
             a.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\n");
             DropX(a);
         },
         [](App& a) { EXPECT_FALSE(a.m.Exists(kBatch)); }},
        {"NT drops both lines of a letter written twice",
         {2, 10, 0},
         [](App& a) {
             a.m.AddFile(kBatch, "subst X: \"C:\\A\"\r\nrem mine\r\nsubst x: \"C:\\B\"\r\n");
             DropX(a);
         },
         [](App& a) { EXPECT_EQ(a.m.FileBytes(kBatch), "rem mine\r\n"); }},
        {"an unknown family edits autoexec.bat",
         {1, 4, 3},
         [&autoexec](App& a) {
             a.m.AddFile(autoexec, "PATH C:\\DOS\r\nsubst X: \"C:\\X\"\r\n");
             DropX(a);
         },
         [&autoexec](App& a) {
             EXPECT_EQ(a.f.OSFamily, "Failed");
             EXPECT_EQ(a.m.FileBytes(autoexec), "PATH C:\\DOS\r\n");
             EXPECT_EQ(a.f.WorkingMask, 0x08000000);
         }},
        {"Restore of a permanent drive, then a new mapping there is removed unasked",
         {2, 10, 0},
         [](App& a) {
             a.m.AddFile(kBatch, "subst E: \"C:\\Work\"\r\n");
             a.m.AddFile(kStateFile, StateFileBytes(0x08000010));
             a.f.WorkingMask = 0x08000010;
             a.subst.Run(a.m, {"subst.exe", "E:", "C:\\Work"});
             a.f.mnuRepair_Click();
             a.Choose("C:\\Work", "E:");
             a.f.cmdOk_Click();
             a.w.boxes.clear();
             a.w.used.Select("E:");
             a.f.cmdRemove_Click();
         },
         [](App& a) {
             EXPECT_EQ(a.w.boxes.size(), 1u);
             EXPECT_EQ(a.LastBox().text, "Operation Completed!");
             EXPECT_FALSE(a.m.Drive('E').exists);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App app;
        app.m.version = c.version;
        app.m.AddFolder(kStartup);
        app.subst.Install(app.m);
        ASSERT_TRUE(app.Start());
        c.act(app);
        c.check(app);
    }
}

// --- Remove ---

struct Remove : Permanent {
    void Map(char letter) {
        app.subst.Run(app.m, {"subst.exe", std::string(1, letter) + ":", "C:\\Work Files"});
        app.f.RefreshLetterLists();
    }
    void Pick(const std::string& entry) {
        ASSERT_TRUE(app.w.used.Select(entry)) << entry;
        app.f.lstUsedLtrs_Click();
    }
};

TEST_F(Remove, NetworkDriveIsRefused) {
    app.m.AddDrive('Z', DriveKind::Network);
    app.f.RefreshLetterLists();
    Pick("z:");
    app.f.cmdRemove_Click();
    EXPECT_EQ(app.LastBox().text, "This is a Network drive, it cannot be removed!");
    EXPECT_EQ(app.LastBox().flags, 64);
    EXPECT_EQ(app.LastBox().title, "Nothing to do!");
    EXPECT_EQ(app.w.focus, "cmdCancel");
    EXPECT_TRUE(app.m.launches.empty());
}

TEST_F(Remove, NoSelectionReportsError3) {
    app.f.cmdRemove_Click();
    EXPECT_EQ(app.LastBox().text, "You need to select a Virtual Drive Letter!");
    EXPECT_EQ(app.w.focus, "lstUsedLtrs");
}

TEST_F(Remove, OrdinaryDriveIsReleasedWithoutAQuestionAndPathIsKept) {
    Map('E');
    Pick("E:");
    app.f.Path = "kept";
    app.f.lstUsedLtrs_DblClick();
    ASSERT_EQ(app.m.launches.size(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: /D");
    EXPECT_EQ(Texts(), std::vector<std::string>{"Operation Completed!"});
    EXPECT_EQ(app.f.Path, "kept");
    EXPECT_EQ(app.w.used.items, std::vector<std::string>{"C:"});
}

TEST_F(Remove, PermanentDriveAsksYesNoOrCancel) {
    for (int answer : {idCancel, idNo, idYes}) {
        app.m.launches.clear();
        app.w.boxes.clear();
        Map('E');
        app.m.AddFile(kBatch, "subst E: \"C:\\Work Files\"\r\nsubst F: \"C:\\F\"\r\n");
        app.f.WorkingMask = 0x08000030;
        Pick("E:");
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
        if (answer == idYes) {
            EXPECT_EQ(StoredMask(), 0x08000020);
            EXPECT_EQ(app.f.Path, kStartup) << "what RemovePermanentEntry left";
        }
    }
}

TEST_F(Remove, ASubstDriveWhoseFolderHasGoneIsReleased) {
    Map('E');
    app.m.Drive('E') = SimDrive{};
    app.m.Drive('E').heldWithoutRoot = true;
    app.f.RefreshLetterLists();
    Pick("E:");
    app.f.cmdRemove_Click();
    ASSERT_EQ(app.m.launches.size(), 1u);
    EXPECT_EQ(app.m.launches[0].commandLine, "subst.exe E: /D");
    EXPECT_EQ(Texts(), std::vector<std::string>{"Operation Completed!"});
    EXPECT_TRUE(app.w.avail.Select("E:")) << "free again";
}

TEST_F(Remove, LetterAIsBitZero) {
    Map('A');
    app.f.WorkingMask = 0x08000001;
    Pick("A:");
    app.w.answers = {idNo};
    app.f.cmdRemove_Click();
    EXPECT_EQ(app.w.boxes[0].text.substr(0, 21), "This drive letter, A,");
}

// --- RemovePermanentEntry ---

struct Entry : Permanent {
    void Drop(const std::string& letter, int32_t mask) {
        app.f.Ltr = letter;
        app.f.WorkingMask = mask;
        app.f.RemovePermanentEntry();
    }
};

TEST_F(Entry, OnNTOnlyTheLettersLinesGoAndALoneLineTakesTheFileWithIt) {
    app.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\nsubst Y: \"C:\\Y\"");
    app.m.AddFile(kStartup + "\\temp.dat", "stale line\r\n");
    std::string cwd = app.m.currentDirectory;
    Drop("X", 0x08800000 | 0x01000000);
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst Y: \"C:\\Y\"\r\n");
    EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat"));
    EXPECT_EQ(app.m.currentDirectory, cwd);
    EXPECT_EQ(StoredMask(), 0x09000000);
    Drop("Y", 0x09000000);
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_EQ(StoredMask(), 0x08000000);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_TRUE(app.w.boxes.empty());
}

TEST_F(Entry, OnW95AnAutoexecLeftEmptyStaysBehind) {
    app.f.OSFamily = "W95";
    const std::string autoexec = "c:\\autoexec.bat";
    app.m.AddFile(autoexec, "subst Q: C:\\\r\n");
    Drop("Q", 0x08010000);
    EXPECT_TRUE(app.m.Exists(autoexec));
    EXPECT_EQ(app.m.FileBytes(autoexec), "");
}

TEST_F(Entry, OddBatchFilesKeepEveryOtherLineWhole) {
    std::string big;
    for (int i = 0; i < 10000; ++i) big += "rem line " + std::to_string(i) + "\r\n";
    const std::string longLine = "rem " + std::string(70000, 'y');
    struct Case {
        std::string content, expected;
    };
    const Case cases[] = {
        // Lines ended by a lone CR are lines too; the rewrite ends each with CR LF.
        {"subst X: C:\\\rrem keep\r", "rem keep\r\n"},
        {std::string("rem a\0b\r\nsubst X: C:\\\r\n", 18), std::string("rem a\0b\r\n", 9)},
        {big + "subst X: \"C:\\X\"\r\n", big},
        {longLine + "\r\nsubst X: \"C:\\X\"\r\n", longLine + "\r\n"},
    };
    for (const Case& c : cases) {
        app.m.AddFile(kBatch, c.content);
        Drop("X", 0x08800000);
        EXPECT_TRUE(app.m.FileBytes(kBatch) == c.expected)
            << "case of " << c.content.size() << " bytes";
        EXPECT_TRUE(app.w.boxes.empty());
    }
}

TEST_F(Entry, MissingBatchFileHasNothingToDropAndTheBitStillClears) {
    Drop("X", 0x08800000);
    EXPECT_TRUE(app.w.boxes.empty());
    EXPECT_EQ(StoredMask(), 0x08000000);
}

TEST_F(Entry, WithoutAStartupFolderTheLetterStaysPermanentAndTheUserIsTold) {
    app.m.AddFile(kStateFile, StateFileBytes(0x09000000));
    app.m.startupAvailable = false;
    Drop("Y", 0x09000000);
    EXPECT_EQ(app.f.WorkingMask, 0x09000000);
    EXPECT_EQ(StoredMask(), 0x09000000);
    EXPECT_EQ(Texts(), std::vector<std::string>{"This feature is not supported at this\r\n"
                                                "time on your Operating System."});
    EXPECT_EQ(app.w.pointer, kPointerDefault);
}

TEST_F(Entry, AnUnmarkThatCannotBeStoredPutsTheLinesBack) {
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

TEST_F(Entry, ABatchFileThatCannotBeReplacedStaysWholeAndTheLetterStaysPermanent) {
    const std::string content = "subst X: \"C:\\X\"\r\nsubst Y: \"C:\\Y\"\r\n";
    app.m.AddFile(kBatch, content, attrReadOnly);
    Drop("X", 0x09800000);
    EXPECT_EQ(app.m.FileBytes(kBatch), content);
    EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat"));
    EXPECT_EQ(app.f.WorkingMask, 0x09800000);
    EXPECT_EQ(StoredMask(), 0x08000000) << "not written";
    ASSERT_EQ(app.w.boxes.size(), 1u);
    EXPECT_NE(app.LastBox().text.find("Drive X: stays permanent."), std::string::npos);
}

} // namespace
