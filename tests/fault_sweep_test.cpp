// Every file operation and launch of each command, made to fail in turn with
// each class of run-time error: the program keeps running, the files are
// either the old or the new ones, and the user is told what happened.
#include "fixture.h"

#include <functional>
#include <map>

namespace {

const std::string kOldBatch = "@echo off\r\nsubst Q: \"C:\\Old\"\r\n";
struct Fault {
    int error;
    bool partWay; // a write that leaves half its bytes behind
};
const Fault kFaults[] = {{53, false}, {68, false}, {70, false}, {71, false},
                         {75, false}, {76, false}, {57, false}, {61, true}};
const OsVersion kFamilies[] = {{2, 10, 0}, {1, 4, 10}}; // "NT", and "W95" with autoexec.bat
const std::string kAutoexec = "c:\\autoexec.bat";

bool ToldOfAFailure(const App& app, size_t from) {
    for (size_t i = from; i < app.w.boxes.size(); ++i)
        if (app.w.boxes[i].flags == mbCritical || app.w.boxes[i].flags == mbExclamation)
            return true;
    return false;
}

// Every file in the folders the commands write in, by name, with its bytes;
// the files a scenario's check judges by name only.
std::map<std::string, std::string> Files(const App& app, bool removes) {
    std::map<std::string, std::string> files;
    for (const std::string& folder : {kStartup, kDataFolder, std::string("C:\\")})
        for (const auto& [name, bytes] : app.m.FilesIn(folder)) {
            bool judged =
                name == "subit.bat" || name == "himem32.mwl" || (removes && name == "autoexec.bat");
            files[(folder.back() == '\\' ? folder : folder + "\\") + name] = judged ? "" : bytes;
        }
    return files;
}

struct Scenario {
    const char* name;
    std::function<void(App&)> arrange; // before the faults are armed
    std::function<void(App&)> act;
    // Checks what the user was told against what happened.
    std::function<void(App&, size_t firstBox, const std::string& where)> check;
};

void Prepare(App& app, OsVersion family) {
    app.m.version = family;
    app.m.AddFile(kAutoexec, kOldBatch);
    app.m.AddFolder("C:\\Work");
    app.m.AddFolder("C:\\Old");
    app.m.AddFile(kStateFile, Patterned(0x08010000)); // Q is permanent
    app.m.AddFile(kBatch, kOldBatch);
    ASSERT_TRUE(app.StartWithSubst());
    app.f.dirList().SetPath("C:\\Work");
}

// A command that puts the letter's line in or takes it out: the batch file is
// the old one or `done`, it holds the line exactly when the letter is marked,
// and a letter left as it was is explained.
std::function<void(App&, size_t, const std::string&)>
LineAndMark(const char* letter, const std::string& done, bool marks) {
    return [=](App& a, size_t from, const std::string& where) {
        std::string batch = a.m.FileBytes(kBatch);
        EXPECT_TRUE(batch == kOldBatch || batch == done) << where;
        if (a.f.OSFamily == "W95" && !marks) {
            EXPECT_EQ(a.m.FileBytes(kAutoexec), batch) << where << ": both files or neither";
        }
        bool marked = MaskIn(a.m.FileBytes(kStateFile)) & LetterBit(letter);
        EXPECT_EQ((batch == done) == marks, marked) << where << ": the line and the mark agree";
        EXPECT_EQ(bool(a.f.WorkingMask & LetterBit(letter)), marked) << where;
        if (marked != marks) {
            EXPECT_TRUE(ToldOfAFailure(a, from)) << where;
        }
    };
}

const Scenario kScenarios[] = {
    {"Make Permanent",
     [](App& a) {
         a.w.avail.Select("X:");
         a.f.lstAvail_Click();
     },
     [](App& a) { a.f.cmdDefault_Click(); },
     LineAndMark("X", kOldBatch + "subst X: \"C:\\Work\"\r\n", true)},
    {"Remove a permanent drive",
     [](App& a) {
         a.Map('Q', "C:\\Old");
         a.w.used.Select("Q:");
         a.f.lstUsedLtrs_Click();
     },
     [](App& a) { a.f.cmdRemove_Click(); }, LineAndMark("Q", "@echo off\r\n", false)},
    {"Restore", [](App& a) { a.Map('E', "C:\\Work"); }, [](App& a) { a.f.mnuRepair_Click(); },
     [](App& a, size_t from, const std::string& where) {
         // Q's line goes, the user's own line stays.
         bool dropped = a.m.FileBytes(kBatch) == "@echo off\r\n";
         EXPECT_TRUE(dropped || a.m.FileBytes(kBatch) == kOldBatch) << where;
         bool reset = MaskIn(a.m.FileBytes(kStateFile)) == 0x08000000;
         if (!dropped || !reset) {
             EXPECT_TRUE(ToldOfAFailure(a, from)) << where;
         }
     }},
    {"Add",
     [](App& a) {
         a.w.avail.Select("E:");
         a.f.lstAvail_Click();
     },
     [](App& a) { a.f.cmdOk_Click(); },
     [](App& a, size_t, const std::string& where) {
         bool mapped = a.m.Drive('E').exists;
         EXPECT_EQ(a.LastBox().text == "Operation Completed!", mapped) << where;
     }},
};

TEST(FaultSweep, EveryStepOfEveryCommandFailsSafely) {
    int points = 0;
    for (OsVersion family : kFamilies) {
        for (const Scenario& s : kScenarios) {
            // A first run counts the calls.
            int calls;
            {
                App app;
                Prepare(app, family);
                s.arrange(app);
                app.m.faults = {};
                s.act(app);
                calls = app.m.faults.calls;
            }
            ASSERT_GT(calls, 0) << s.name;
            for (Fault fault : kFaults) {
                for (int at = 1; at <= calls; ++at) {
                    App app;
                    Prepare(app, family);
                    s.arrange(app);
                    size_t firstBox = app.w.boxes.size();
                    const bool removes = std::string(s.name).rfind("Remove", 0) == 0;
                    const auto files = Files(app, removes);
                    app.m.faults = {};
                    app.m.faults.failAt = at;
                    app.m.faults.error = fault.error;
                    app.m.faults.partWay = fault.partWay;
                    EXPECT_NO_THROW(s.act(app));
                    app.m.faults.error = 0;
                    std::string where = std::string(s.name) + " on " + app.f.OSFamily + ": " +
                                        app.m.faults.failed + " -> " + std::to_string(fault.error);
                    ++points;
                    EXPECT_FALSE(app.w.ended) << where;
                    EXPECT_EQ(app.w.pointer, kPointerDefault) << where;
                    EXPECT_FALSE(app.f.MakingPermanent) << where;
                    std::string state = app.m.FileBytes(kStateFile);
                    EXPECT_EQ(state, Patterned(MaskIn(state))) << where << ": all but the mask";
                    auto after = Files(app, removes);
                    // A capture whose delete failed stays, to be deleted before the next one.
                    if (app.m.faults.failed.find(kDataFolder + "temp") != std::string::npos)
                        after.erase(kDataFolder + "temp");
                    EXPECT_EQ(after, files) << where << ": no file left or lost";
                    s.check(app, firstBox, where);
                    // Still usable: the lists come back whole.
                    app.f.RefreshLetterLists();
                    EXPECT_EQ(app.w.avail.ListCount() + app.w.used.ListCount(), 26) << where;
                }
            }
        }
    }
    std::cout << "fault points swept: " << points << "\n";
}

TEST(FaultSweep, StartUpEitherStartsOrShowsError255AloneAndNeverWrites) {
    int calls;
    {
        App app;
        app.m.AddFile(kStateFile, Patterned(0x08010000));
        app.Start();
        calls = app.m.faults.calls;
    }
    for (Fault fault : kFaults) {
        int error = fault.error;
        for (int at = 1; at <= calls; ++at) {
            App app;
            app.m.AddFile(kStateFile, Patterned(0x08010000));
            app.m.faults = {};
            app.m.faults.failAt = at;
            app.m.faults.error = error;
            bool shown = false;
            EXPECT_NO_THROW(shown = app.Start());
            std::string where = app.m.faults.failed + " -> " + std::to_string(error);
            if (!shown) {
                ASSERT_EQ(app.w.boxes.size(), 1u) << where;
                EXPECT_EQ(app.LastBox().text.substr(0, 35), "There is a missing or corrupt file!");
            } else {
                EXPECT_EQ(app.w.caption, "Mapwell - Pro") << where;
                EXPECT_EQ(app.w.focus, "lstAvail") << where;
                // Never as if no letter were permanent without a word.
                if (app.f.PermanentKnown) {
                    EXPECT_EQ(app.f.WorkingMask, 0x08010000) << where;
                } else {
                    EXPECT_TRUE(ToldOfAFailure(app, 0)) << where;
                }
            }
            EXPECT_EQ(app.m.FileBytes(kStateFile), Patterned(0x08010000)) << where;
        }
    }
}

} // namespace
