// Make Permanent, Remove and RemovePermanentEntry against the startup batch
// file and the state file.
#include "fixture.h"

#include <cctype>
#include <functional>

namespace {

struct Permanent : ::testing::Test {
    App app;
    void SetUp() override { ASSERT_TRUE(app.StartWithSubst()); }
    void Make(const std::string& folder, const std::string& letter) {
        app.Choose(folder, letter + ":");
        app.f.cmdDefault_Click();
    }
};

TEST_F(Permanent, NewLetterMapsNowWritesItsLineAndMarksIt) {
    Make("C:\\Work Files", "X");
    ASSERT_EQ(app.w.boxes.size(), 2u);
    ExpectBox(app.w.boxes[0],
              "This feature will place a file in your Startup Folder!\r\n\r\n"
              "Save \"X:\\\" as:  \"C:\\Work Files\"\r\npermanently?",
              1, "Make Permanent?");
    EXPECT_EQ(app.w.boxes[1].text, "Operation Completed!") << "from RunSubst, once";
    EXPECT_EQ(app.m.launches.at(0).commandLine, "subst.exe X: \"C:\\Work Files\"");
    EXPECT_EQ(app.m.FileBytes(kBatch), "subst X: \"C:\\Work Files\"\r\n");
    EXPECT_EQ(app.m.FileBytes(kStateFile).substr(1366, 4), std::string("\x00\x00\x80\x08", 4));
    EXPECT_EQ(app.f.WorkingMask, 0x08800000);
    EXPECT_FALSE(app.f.MakingPermanent);
    EXPECT_EQ(app.f.Path, kStartup);
}

TEST_F(Permanent, AlreadyMappedLetterIsWrittenAndReportedOnceByMakePermanent) {
    app.Map('E');
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

// Each line reaches at log-on the folder it names (what the user's lines
// before it do to it, the fuzz seeds of the batch file tell).
TEST_F(Permanent, LinesAreWrittenSoTheLogOnMappingReachesTheSameFolder) {
    struct Case {
        std::string folder;
        uint32_t attrs; // of a batch file that maps X already
        std::string after;
    };
    const std::string old = "subst X: \"C:\\Old\"\r\n";
    const Case cases[] = {
        {"C:\\", 0, "subst X: C:\\\r\n"},                        // a root, unquoted
        {"C:\\100% Done", 0, "subst X: \"C:\\100%% Done\"\r\n"}, // % doubled
        {"C:\\Caf\xC3\xA9", 0, "subst X: \"C:\\Caf\x82\"\r\n"},  // OEM code page
        // A hidden or system batch file counts as absent: no duplicate check.
        {"C:\\Work Files", attrHidden, old + "subst X: \"C:\\Work Files\"\r\n"},
        {"C:\\Work Files", attrSystem, old + "subst X: \"C:\\Work Files\"\r\n"},
    };
    for (const Case& c : cases) {
        if (c.attrs)
            app.m.AddFile(kBatch, old, c.attrs);
        else
            app.m.Delete(kBatch);
        app.m.RemoveDrive('X');
        app.f.RefreshLetterLists();
        Make(c.folder, "X");
        EXPECT_EQ(app.m.FileBytes(kBatch), c.after) << c.folder;
    }
}

// A letter released behind Mapwell's back is still listed, and still released.
TEST_F(Permanent, RemoveReleasesAnOrdinaryDriveUnaskedAndKeepsPath) {
    app.Map('E');
    app.m.RemoveDrive('E');
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
        app.Map('E');
        app.m.AddFile(kBatch, "subst E: \"C:\\Work Files\"\r\nsubst F: \"C:\\F\"\r\n");
        app.m.AddFile(kStateFile, StateFileBytes(0x08000030));
        app.w.answers = {answer};
        app.Remove("E:");
        ExpectBox(app.Box(0),
                  "This drive letter, E, is permanent, do you want it removed permanently?", 3,
                  "Mapwell");
        EXPECT_EQ(app.m.launches.size(), answer == idCancel ? 0u : 1u);
        bool dropped = answer == idYes;
        EXPECT_EQ(app.m.FileBytes(kBatch),
                  dropped ? "subst F: \"C:\\F\"\r\n"
                          : "subst E: \"C:\\Work Files\"\r\nsubst F: \"C:\\F\"\r\n");
        EXPECT_EQ(app.f.WorkingMask, dropped ? 0x08000020 : 0x08000030);
        EXPECT_EQ(app.StoredMask(), dropped ? 0x08000020 : 0x08000030);
    }
}

// Make Permanent of X and the removal of X's entry, each way they can end:
// what the batch file holds afterwards (autoexec.bat too, where the family
// keeps lines there), whether X is marked, and the box the user is left with.
// Every other file of the Startup folder stays byte for byte.
TEST(PermanentEdges, EachWayMakePermanentAndRemoveEnd) {
    const OsVersion vista{2, 6, 1}, w98{1, 4, 10}, unknown{1, 4, 3};
    struct Case {
        const char* name;
        bool make;          // Make Permanent of C:\Work Files on X; else the removal of X's entry
        std::string before; // subit.bat and c:\autoexec.bat; "-": neither is there
        std::string after;  // the family's batch file; "-": gone, "=": as it was
        bool marked;        // X marked afterwards (before: on removal only)
        std::string said;   // the start of the last box; "": any
        std::function<void(App&)> arrange = nullptr;
        OsVersion family = {2, 10, 0};
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
    const std::string content = "@echo off\r\nsubst X: \"C:\\X\"\r\n";
    const std::string comesBack = "Your Startup folder could not be found, so the startup batch "
                                  "file cannot be changed.\r\nDrive X: stays permanent and is "
                                  "mapped again at the next log-on.";
    const std::string unstored = "The state file " + kStateFile +
                                 " could not be written: Permission denied.\r\nDrive X: stays "
                                 "permanent.";
    auto noStartup = [](App& a) { a.m.startupAvailable = false; };
    auto lockState = [](App& a) { a.m.Lock(kStateFile); };
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
    auto price = [](const char* shortName) {
        return [shortName](App& a) {
            if (*shortName) a.m.shortPaths["C:\\Price \xE2\x82\xAC"] = shortName;
            a.Choose("C:\\Price \xE2\x82\xAC", "X:");
        };
    };
    const std::string cannot = "The folder C:\\Price \xE2\x82\xAC\r\nhas characters that cannot "
                               "be written in the startup batch file, so it cannot be made "
                               "permanent.";
    std::vector<Case> cases = {
        {"Cancel at the question", true, "-", "-", false, "This feature will place",
         [](App& a) { a.w.answers = {idCancel}; }},
        {"no path", true, "-", "-", false, "No Path selected!", [](App& a) { a.f.Hold = ""; }},
        {"no letter", true, "-", "-", false, "You need to select a Virtual Drive Letter!",
         [](App& a) { a.f.Ltr = ""; }},
        {"an unknown family", true, "-", "-", false, unsupported,
         [](App& a) { a.f.OSFamily = "Failed"; }},
        {"no Startup folder", true, "-", "-", false, unsupported, noStartup},
        {"a letter a disk holds", true, "-", "-", false,
         "Drive C: is a disk or a network drive, not a virtual drive", pickUsed("C:")},
        {"a letter a share holds", true, "-", "-", false,
         "Drive n: is a disk or a network drive, not a virtual drive", pickUsed("n:")},
        // Made permanent, G would show Work Files until the next log-on, Sub from then on.
        {"a letter a virtual drive holds for another folder", true, "-", "-", false,
         "Drive G: shows the folder C:\\Work Files now, not C:\\Work Files\\Sub.\r\nTo make G: "
         "permanent for C:\\Work Files\\Sub, remove drive G: first; or pick C:\\Work Files",
         [](App& a) {
             a.Map('G');
             a.Choose("C:\\Work Files\\Sub", "X:");
             a.w.used.Select("G:");
             a.f.lstUsedLtrs_Click();
         }},
        {"a network folder", true, "-", "-", false, "MWL does not work with network drives!",
         [](App& a) {
             a.m.AddDrive('N', DriveKind::Network);
             a.Choose("N:\\Share", "X:");
         }},
        // cmd reads the batch file in the OEM code page: a name it cannot
        // hold there goes by its short name, or not at all.
        {"a name the OEM code page cannot hold, by its short name", true, "-",
         "subst X: \"C:\\PRICE~1\"\r\n", true, "", price("C:\\PRICE~1")},
        {"a name the OEM code page cannot hold, nor its short name", true, "-", "-", false, cannot,
         price("C:\\PRICE\xE2\x82\xAC~1")},
        {"a name the OEM code page cannot hold, and no short name", true, "-", "-", false, cannot,
         price("")},
        {"a folder gone meanwhile is still written and marked", true, "-",
         "subst X: \"C:\\Work Files\"\r\n", true, "", [](App& a) { a.m.Delete("C:\\Work Files"); }},
        {"Vista deletes a batch file whose only line went", false, "subst X: \"C:\\X\"\r\n", "-",
         false, "", nullptr, vista},
        {"NT drops both lines of a letter written twice", false,
         "subst X: \"C:\\A\"\r\nrem mine\r\nsubst x: \"C:\\B\"\r\n", "rem mine\r\n", false, ""},
        {"a missing batch file has no line to drop", false, "-", "-", false, ""},
        {"an unknown family edits autoexec.bat", false, "PATH C:\\DOS\r\nsubst X: \"C:\\X\"\r\n",
         "PATH C:\\DOS\r\n", false, "", nullptr, unknown},
        // The user's own file, or one an interrupted run left: neither read nor touched.
        {"a temp.dat beside the batch file", false, "subst X: \"C:\\X\"\r\nsubst Y: \"C:\\Y\"",
         "subst Y: \"C:\\Y\"\r\n", false, "",
         [](App& a) { a.m.AddFile(kStartup + "\\temp.dat", "stale line\r\n"); }},
        // Each way the letter's line cannot leave: the letter stays permanent,
        // both files stay as they were, and the user hears that the drive comes back.
        {"no Startup folder", false, content, "=", true, comesBack, noStartup},
        {"no Startup folder on W95", false, content, "=", true, comesBack, noStartup, w98},
        {"subit.bat locked on W95, after autoexec.bat was changed", false, content, "=", true,
         "The startup batch file " + kBatch +
             " could not be read: Permission denied.\r\nDrive X: stays permanent.",
         [](App& a) { a.m.Lock(kBatch); }, w98},
        {"BAD_NETPATH", false, content, "=", true, unreachable, serverDown(53)},
        {"BAD_NET_NAME", false, content, "=", true, unreachable, serverDown(67)},
        {"NETWORK_UNREACHABLE", false, content, "=", true, unreachable, serverDown(1231)},
        {"Mapwell's work files all taken", false, content, "=", true,
         "The startup batch file " + kBatch + " could not be changed: Mapwell's work files in " +
             kStartup + " (temp.dat to temp99.dat) are all in use.\r\nDrive X: stays permanent.",
         [](App& a) {
             for (int n = 0; n <= 99; ++n) {
                 const std::string name = "temp" + (n ? std::to_string(n) : "") + ".dat";
                 a.m.AddFile(kStartup + "\\" + name, "the user's " + name);
             }
         }},
        {"the state file locked", false, content, "=", true, unstored, lockState},
        {"the state file locked on W95", false, content, "=", true, unstored, lockState, w98},
        {"a delete that reports success but leaves the file", false, content, "=", true,
         "The startup batch file " + kBatch +
             " could not be changed: Permission denied.\r\nDrive X: stays permanent.",
         [](App& a) {
             a.m.AddFile(kBatch, "subst X: \"C:\\X\"\r\n");
             a.m.KeepOnDelete(kBatch);
         }},
    };
    // A write that fails once the line is going in (the mark cannot be
    // stored; a full disk stops the append part way, with no room for a copy
    // of the old file either): the batch file goes back byte for byte, or
    // away, so no half line runs and no line maps an unmarked drive.
    for (const std::string before : {"-", "@echo off", "\xEF\xBB\xBFsubst Q: \"C:\\Old\"\r\n"}) {
        cases.push_back({"the state file locked", true, before, "=", false,
                         "The drive could not be made permanent: Permission denied. Error 70",
                         lockState});
        cases.push_back({"a disk that fills up during the append", true, before, "=", false,
                         "The drive could not be made permanent: Disk full. Error 61",
                         [](App& a) { a.m.Drive('C').freeBytes = 6; }});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", before: " + c.before);
        App app;
        app.m.version = c.family;
        app.m.AddFile(kStateFile, StateFileBytes(c.make ? 0x08000000 : 0x08800000));
        if (c.before != "-") {
            app.m.AddFile(kBatch, c.before);
            app.m.AddFile("c:\\autoexec.bat", c.before);
        }
        ASSERT_TRUE(app.StartWithSubst());
        if (c.make) app.Choose("C:\\Work Files", "X:");
        if (c.arrange) c.arrange(app);
        auto files = app.m.FilesIn(app.m.startup);
        const std::string after = c.after != "="             ? c.after
                                  : files.count("subit.bat") ? files["subit.bat"]
                                                             : "-";
        if (c.make) {
            app.f.cmdDefault_Click();
        } else {
            app.f.Ltr = "X";
            app.f.RemovePermanentEntry();
        }
        app.m.Lock(kStateFile, false);
        auto now = app.m.FilesIn(app.m.startup);
        EXPECT_EQ(now.count("subit.bat") ? now["subit.bat"] : "-", after);
        files.erase("subit.bat");
        now.erase("subit.bat");
        EXPECT_EQ(now, files) << "the user's files, byte for byte";
        // Only a removal edits autoexec.bat, on the families that keep lines there.
        const bool editsAutoexec = !c.make && c.family.platformId != 2;
        EXPECT_EQ(app.m.Exists("c:\\autoexec.bat") ? app.m.FileBytes("c:\\autoexec.bat") : "-",
                  editsAutoexec ? after : c.before);
        EXPECT_EQ(app.StoredMask(), c.marked ? 0x08800000 : 0x08000000);
        EXPECT_EQ(app.f.WorkingMask, c.marked ? 0x08800000 : 0x08000000);
        EXPECT_EQ(app.w.boxes.empty() ? "" : app.LastBox().text.substr(0, c.said.size()), c.said);
        EXPECT_EQ(app.w.pointer, kPointerDefault);
        EXPECT_FALSE(app.f.MakingPermanent);
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
