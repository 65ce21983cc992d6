// Make Permanent, Remove and RemovePermanentEntry against the startup batch
// file and the state file.
#include "fixture.h"

#include <cctype>
#include <functional>
#include <optional>

namespace {

struct Permanent : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.AddFolder("C:\\Work Files");
        app.m.AddFolder(kStartup);
        ASSERT_TRUE(app.StartWithSubst());
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
        {"C:\\Caf\xC3\xA9", "", 0, "subst X: \"C:\\Caf\x82\"\r\n"},  // OEM code page
        {"C:\\Work Files", "@echo off", 0, "@echo off\r\nsubst X: \"C:\\Work Files\"\r\n"},
        // A lone CR ends no line for the interpreter, and it does not skip a
        // byte-order mark: the line must not be read as part of either.
        {"C:\\Work Files", "@echo off\r", 0, "@echo off\r\r\nsubst X: \"C:\\Work Files\"\r\n"},
        {"C:\\Work Files", "\xEF\xBB\xBF", 0, "\xEF\xBB\xBF\r\nsubst X: \"C:\\Work Files\"\r\n"},
        {"C:\\Work Files", "@echo off\n", 0, "@echo off\nsubst X: \"C:\\Work Files\"\r\n"},
        // A caret at the end takes the next character as it is, a line end too.
        {"C:\\Work Files", "echo a ^\r\n", 0, "echo a ^\r\n \r\nsubst X: \"C:\\Work Files\"\r\n"},
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

TEST(PermanentEdges, RefusalsWriteNothing) {
    struct Case {
        const char* name;
        std::string last; // the start of the last box's text
        std::function<void(App&)> arrange;
    };
    const std::string unsupported = "This feature is not supported at this\r\ntime";
    auto pickUsed = [](const char* letter) {
        return [letter](App& a) {
            a.m.AddDrive('N', DriveKind::Network);
            a.f.RefreshLetterLists();
            a.w.used.Select(letter);
            a.f.lstUsedLtrs_Click();
        };
    };
    const Case cases[] = {
        {"Cancel at the question", "This feature will place",
         [](App& a) { a.w.answers = {idCancel}; }},
        {"no path", "No Path selected!", [](App& a) { a.f.Hold = ""; }},
        {"no letter", "You need to select a Virtual Drive Letter!", [](App& a) { a.f.Ltr = ""; }},
        {"an unknown family", unsupported, [](App& a) { a.f.OSFamily = "Failed"; }},
        {"no Startup folder", unsupported, [](App& a) { a.m.startupAvailable = false; }},
        {"a letter a disk holds", "Drive C: is a disk or a network drive, not a virtual drive",
         pickUsed("C:")},
        {"a letter a share holds", "Drive n: is a disk or a network drive, not a virtual drive",
         pickUsed("n:")},
        // Made permanent, G would show Work Files until the next log-on, Sub from then on.
        {"a letter a virtual drive holds for another folder",
         "Drive G: shows the folder C:\\Work Files now, not C:\\Work Files\\Sub.\r\nTo make G: "
         "permanent for C:\\Work Files\\Sub, remove drive G: first; or pick C:\\Work Files",
         [](App& a) {
             a.subst.Run(a.m, {"subst.exe", "G:", "C:\\Work Files"});
             a.f.RefreshLetterLists();
             a.Choose("C:\\Work Files\\Sub", "X:");
             a.w.used.Select("G:");
             a.f.lstUsedLtrs_Click();
         }},
    };
    for (const Case& c : cases) {
        App a;
        a.m.AddFolder("C:\\Work Files");
        a.StartWithSubst();
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

// A write that fails once the line is going in (the mark cannot be stored; a
// full disk stops the append part way): the batch file goes back byte for
// byte, or away, so no half line runs and no line maps an unmarked drive.
TEST(PermanentEdges, AFailedWriteTakesTheLineBackOut) {
    struct Case {
        const char* name;
        std::function<void(App&)> arrange;
        std::string said;
    };
    const Case cases[] = {
        {"the state file locked", [](App& a) { a.m.Lock(kStateFile); },
         "The drive could not be made permanent: Permission denied. Error 70"},
        // Room for "subst " only: no room for a copy of the old file either.
        {"a disk that fills up during the append", [](App& a) { a.m.Drive('C').freeBytes = 6; },
         "The drive could not be made permanent: Disk full. Error 61"},
    };
    for (const Case& c : cases) {
        for (const std::optional<std::string>& before :
             {std::optional<std::string>(), std::optional<std::string>("@echo off"),
              std::optional<std::string>("\xEF\xBB\xBFsubst Q: \"C:\\Old\"\r\n")}) {
            SCOPED_TRACE(std::string(c.name) + ", " + (before ? *before : "no batch file"));
            App app;
            app.m.AddFolder(kStartup);
            if (before) app.m.AddFile(kBatch, *before);
            ASSERT_TRUE(app.StartWithSubst());
            app.Choose("C:\\Work Files", "X:");
            c.arrange(app);
            app.f.cmdDefault_Click();
            app.m.faults = {};
            app.m.Lock(kStateFile, false);
            EXPECT_EQ(app.m.Exists(kBatch), before.has_value());
            EXPECT_EQ(app.m.FileBytes(kBatch), before.value_or(""));
            EXPECT_FALSE(app.m.Exists(kStartup + "\\temp.dat"));
            EXPECT_EQ(app.StoredMask(), 0x08000000);
            EXPECT_FALSE(app.f.WorkingMask & LetterBit("X"));
            EXPECT_EQ(app.LastBox().text, c.said);
        }
    }
}

TEST(PermanentEdges, WhatTheFileRulesLeaveBehind) {
    const OsVersion nt{2, 10, 0}, vista{2, 6, 1}, w98{1, 4, 10}, unknown{1, 4, 3};
    struct Case {
        const char* name;
        OsVersion version;
        std::string file, content;               // a batch file before
        std::string after;                       // the batch file after; "-" when it is gone
        std::function<void(App&)> act = nullptr; // none: RemovePermanentEntry for X
        int32_t mask = 0x08000000;               // WorkingMask after
    };
    const Case cases[] = {
        {"Make Permanent of a folder gone meanwhile still writes and marks", nt, kBatch, "",
         "subst X: \"C:\\Gone\"\r\n",
         [](App& a) {
             a.Choose("C:\\Gone", "X:");
             a.m.Delete("C:\\Gone");
             a.f.cmdDefault_Click();
         },
         0x08800000},
        {"Make Permanent of a network folder writes nothing", nt, kBatch, "", "-",
         [](App& a) {
             a.m.AddDrive('N', DriveKind::Network);
             a.Choose("N:\\Share", "X:");
             a.f.cmdDefault_Click();
         }},
        {"Vista deletes a batch file whose only line went", vista, kBatch, "subst X: \"C:\\X\"\r\n",
         "-"},
        {"NT drops both lines of a letter written twice", nt, kBatch,
         "subst X: \"C:\\A\"\r\nrem mine\r\nsubst x: \"C:\\B\"\r\n", "rem mine\r\n"},
        {"a missing batch file has no line to drop", nt, kBatch, "", "-"},
        {"an unknown family edits autoexec.bat", unknown, "c:\\autoexec.bat",
         "PATH C:\\DOS\r\nsubst X: \"C:\\X\"\r\n", "PATH C:\\DOS\r\n"},
        {"a line a lone CR joins to the one before is nobody's", nt, kBatch,
         "echo a\rsubst X: \"C:\\X\"\r\n", "echo a\rsubst X: \"C:\\X\"\r\n"},
        {"kept lines keep their own ends, the last one gets CR LF", nt, kBatch,
         "rem a\nsubst X: \"C:\\X\"\r\nrem b", "rem a\nrem b\r\n"},
        {"W95 leaves an emptied autoexec.bat behind", w98, "c:\\autoexec.bat", "subst X: C:\\\r\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App app;
        app.m.version = c.version;
        app.m.AddFolder(kStartup);
        if (!c.content.empty()) app.m.AddFile(c.file, c.content);
        ASSERT_TRUE(app.StartWithSubst());
        if (c.act) {
            c.act(app);
        } else {
            app.f.Ltr = "X";
            app.f.WorkingMask = 0x08800000;
            app.f.RemovePermanentEntry();
        }
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
        app.m.AddFile(kStateFile, StateFileBytes(0x08000030));
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
    app.m.AddFile(kStateFile, StateFileBytes(0x09800000));
    app.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\nsubst Y: \"C:\\Y\"");
    // The user's own file, or one an interrupted run left: neither read nor touched.
    app.m.AddFile(kStartup + "\\temp.dat", "stale line\r\n");
    std::string cwd = app.m.currentDirectory;
    Drop("X", 0x09800000);
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst Y: \"C:\\Y\"\r\n");
    EXPECT_EQ(app.m.FileBytes(kStartup + "\\temp.dat"), "stale line\r\n");
    EXPECT_FALSE(app.m.Exists(kStartup + "\\temp1.dat"));
    EXPECT_EQ(app.m.currentDirectory, cwd);
    EXPECT_EQ(app.StoredMask(), 0x09000000);
    Drop("Y", 0x09000000);
    EXPECT_FALSE(app.m.Exists(kBatch));
    EXPECT_EQ(app.StoredMask(), 0x08000000);
    EXPECT_EQ(app.w.pointer, kPointerDefault);
    EXPECT_TRUE(app.w.boxes.empty());
}

// Each way the letter's line cannot leave: the letter stays permanent, both
// files stay as they were, and the user hears that the drive comes back.
TEST(PermanentEdges, ALineThatCannotGoKeepsTheLetterPermanentAndSaysSo) {
    const std::string content = "@echo off\r\nsubst X: \"C:\\X\"\r\n";
    const OsVersion nt{2, 10, 0}, w98{1, 4, 10};
    struct Case {
        const char* name;
        OsVersion family;
        std::string said;
        std::function<void(App&)> arrange;
    };
    const std::string comesBack = "Your Startup folder could not be found, so the startup batch "
                                  "file cannot be changed.\r\nDrive X: stays permanent and is "
                                  "mapped again at the next log-on.";
    const std::string locked = "The startup batch file " + kBatch +
                               " could not be changed: Permission denied.\r\nDrive X: stays "
                               "permanent.";
    const std::string unstored = "The state file " + kStateFile +
                                 " could not be written: Permission denied.\r\nDrive X: stays "
                                 "permanent.";
    auto noStartup = [](App& a) { a.m.startupAvailable = false; };
    // The Start Menu redirected to a server that is down: only "no such file"
    // means there is no line to drop.
    auto serverDown = [](uint32_t code) {
        return [code](App& a) {
            a.m.AddDrive('S', DriveKind::Network);
            a.m.startup = "S:\\Startup";
            a.m.AddFile("S:\\Startup\\subit.bat", "subst X: \"C:\\X\"\r\n");
            a.m.Drive('S').fileError = code;
        };
    };
    const std::string unreachable = "The startup batch file S:\\Startup\\subit.bat could not be "
                                    "read: Device unavailable.\r\nDrive X: stays permanent.";
    auto lockState = [](App& a) { a.m.Lock(kStateFile); };
    const Case cases[] = {
        {"no Startup folder", nt, comesBack, noStartup},
        {"no Startup folder on W95", w98, comesBack, noStartup},
        {"subit.bat locked on W95, after autoexec.bat was changed", w98,
         "The startup batch file " + kBatch +
             " could not be read: Permission denied.\r\nDrive X: stays permanent.",
         [](App& a) { a.m.Lock(kBatch); }},
        {"BAD_NETPATH", nt, unreachable, serverDown(53)},
        {"BAD_NET_NAME", nt, unreachable, serverDown(67)},
        {"NETWORK_UNREACHABLE", nt, unreachable, serverDown(1231)},
        {"Mapwell's work files all taken", nt,
         "The startup batch file " + kBatch + " could not be changed: Mapwell's work files in " +
             kStartup + " (temp.dat to temp99.dat) are all in use.\r\nDrive X: stays permanent.",
         [](App& a) {
             for (int n = 0; n <= 99; ++n) {
                 const std::string name = "temp" + (n ? std::to_string(n) : "") + ".dat";
                 a.m.AddFile(kStartup + "\\" + name, "the user's " + name);
             }
         }},
        {"the state file locked", nt, unstored, lockState},
        {"the state file locked on W95", w98, unstored, lockState},
        {"a delete that reports success but leaves the file", nt, locked,
         [](App& a) {
             a.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\n");
             a.m.KeepOnDelete(kBatch);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App app;
        app.m.version = c.family;
        app.m.AddFile(kStateFile, StateFileBytes(0x08800000));
        app.m.AddFolder(kStartup);
        app.m.AddFile(kBatch, content);
        app.m.AddFile("c:\\autoexec.bat", content);
        ASSERT_TRUE(app.Start());
        c.arrange(app);
        const auto files = app.m.FilesIn(app.m.startup);
        app.f.Ltr = "X";
        app.f.RemovePermanentEntry();
        app.m.Lock(kStateFile, false);
        EXPECT_EQ(app.m.FilesIn(app.m.startup), files) << "the user's files, byte for byte";
        EXPECT_EQ(app.m.FileBytes("c:\\autoexec.bat"), content);
        EXPECT_EQ(app.f.WorkingMask, 0x08800000);
        EXPECT_EQ(app.StoredMask(), 0x08800000);
        EXPECT_EQ(app.Texts(), std::vector<std::string>{c.said});
        EXPECT_EQ(app.LastBox().flags, mbExclamation);
        EXPECT_EQ(app.w.pointer, kPointerDefault);
    }
}

// Two Mapwell windows on one machine: window B's command runs inside window
// A's, at A's first `op` on the file `on`. Once A has begun its edit, B waits
// for it (and here gives up, saying so); before, B's edit stays, for A reads
// the files anew. Either way a letter has its line exactly when it is marked.
TEST(PermanentEdges, TwoWindowsAtOnceUndoNothingOfEachOther) {
    using Command = std::function<void(App&, frmMWL_Pro&, SimWindow&)>;
    auto make = [](char l) -> Command {
        return [l](App&, frmMWL_Pro& f, SimWindow& w) {
            f.dirList().SetPath(std::string("C:\\") + l);
            w.avail.Select(std::string(1, l) + ":");
            f.lstAvail_Click();
            f.cmdDefault_Click();
        };
    };
    auto remove = [](char l) -> Command {
        return [l](App& app, frmMWL_Pro& f, SimWindow& w) {
            app.subst.Run(app.m, {"subst.exe", std::string(1, l) + ":", std::string("C:\\") + l});
            f.RefreshLetterLists();
            w.used.Select(std::string(1, l) + ":");
            w.answers = {idYes};
            f.cmdRemove_Click();
        };
    };
    Command restore = [](App&, frmMWL_Pro& f, SimWindow&) { f.mnuRepair_Click(); };
    struct Case {
        const char* name;
        Command a;
        const char *op, *on;
        Command b;
        std::string marked; // the letters marked afterwards
        bool refused;       // B said it could not change the files
    };
    const Case cases[] = {
        {"Make Permanent in both", make('X'), "WriteAt", "HIMEM32", make('Y'), "QX", true},
        {"Remove in B", make('X'), "WriteAt", "HIMEM32", remove('Q'), "QX", true},
        {"Remove in A", remove('Q'), "Replace", "SUBIT.BAT", make('Y'), "", true},
        {"Restore in A", restore, "WriteAt", "HIMEM32", make('Y'), "", true},
        {"B before A's edit", remove('Q'), "TryLock", "HIMEM32", make('Y'), "Y", false},
        {"B before A's question", remove('Y'), "OpenRandom", "HIMEM32", make('Y'), "Q", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        App a;
        a.m.AddFile(kStateFile, StateFileBytes(0x08010000));
        a.m.AddFile(kBatch, "@echo off\r\nsubst Q: \"C:\\Q\"\r\n");
        for (const char* folder : {"C:\\Q", "C:\\X", "C:\\Y"}) a.m.AddFolder(folder);
        ASSERT_TRUE(a.StartWithSubst());
        a.subst.Run(a.m, {"subst.exe", "Q:", "C:\\Q"});
        SimWindow w2;
        frmMWL_Pro b{a.m.platform(), w2};
        ASSERT_TRUE(b.Form_Load());
        b.Form_Activate();
        bool ran = false;
        a.m.onCall = [&](const std::string& op, std::string path) {
            for (char& ch : path) ch = static_cast<char>(std::toupper(ch));
            if (ran || op != c.op || path.find(c.on) == std::string::npos) return;
            ran = true;
            c.b(a, b, w2);
        };
        c.a(a, a.f, a.w);
        ASSERT_TRUE(ran);
        std::string marked;
        for (char l : {'Q', 'X', 'Y'}) {
            bool mark = a.StoredMask() & LetterBit({l});
            if (mark) marked += l;
            std::string line = std::string("subst ") + l + ":";
            EXPECT_EQ(a.m.FileBytes(kBatch).find(line) != std::string::npos, mark) << l;
        }
        EXPECT_EQ(marked, c.marked);
        bool told = false;
        for (const SimBox& box : w2.boxes) told = told || box.text.rfind("Another Mapwell", 0) == 0;
        EXPECT_EQ(told, c.refused);
    }
}

} // namespace
