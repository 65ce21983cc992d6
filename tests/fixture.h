// A Mapwell on a simulated machine, ready to be started.
#pragma once

#include "platform/rt_error.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_subst.h"
#include "state_file_bytes.h"
#include "ui/frmMWL_Pro.h"
#include "ui/sim/sim_window.h"

#include <gtest/gtest.h>

#include <string>

inline const std::string kDataFolder =
    "C:\\Users\\me\\AppData\\Roaming\\Quillon Software\\Mapwell\\";
inline const std::string kStateFile = kDataFolder + "himem32.mwl";
inline const std::string kStartup =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
inline const std::string kBatch = kStartup + "\\subit.bat";

// A state file whose record 1 and reserved fields, which a careless write
// would disturb, hold a pattern, with `mask` at offset 1,366.
inline std::string Patterned(int32_t mask) {
    std::string bytes = StateFileBytes(mask);
    for (size_t i = 0; i < 1366; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    for (size_t i = 1370; i < 2500; ++i) bytes[i] = static_cast<char>(i * 5 + 1);
    return bytes;
}

// A box as the user saw it.
inline void ExpectBox(const SimBox& box, const std::string& text, int flags,
                      const std::string& title) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.flags, flags) << text;
    EXPECT_EQ(box.title, title) << text;
}

struct App {
    SimMachine m;
    SimWindow w;
    SimSubst subst;
    frmMWL_Pro f{m.platform(), w};

    App() {
        m.AddFile(kStateFile, StateFileBytes(0x08000000));
        m.AddFolder(kStartup);
    }

    // Form_Load then, when it lets the window show, Form_Activate.
    bool Start() {
        bool shown = f.Form_Load();
        if (shown) f.Form_Activate();
        return shown;
    }
    bool StartWithSubst() {
        subst.Install(m);
        return Start();
    }
    // Box i, or the last one; a box that never came fails the test, and the
    // tests after it still run.
    const SimBox& Box(size_t i) const {
        static const SimBox none = [] {
            SimBox b;
            b.text = "<no box>";
            return b;
        }();
        if (i < w.boxes.size()) return w.boxes[i];
        ADD_FAILURE() << "box " << i << " was never shown; " << w.boxes.size() << " were";
        return none;
    }
    const SimBox& LastBox() const { return Box(w.boxes.empty() ? 0 : w.boxes.size() - 1); }
    int32_t StoredMask() const { return MaskIn(m.FileBytes(kStateFile)); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const SimBox& b : w.boxes) out.push_back(b.text);
        return out;
    }

    // The folder list's line that shows this name; -1 when none does.
    int LineOf(const std::string& name) const {
        for (size_t i = 0; i < w.folders.lines.size(); ++i)
            if (w.folders.lines[i].text == name) return static_cast<int>(i);
        return -1;
    }

    // Maps a letter as subst.exe does (the folder made when missing), and
    // reads the letter lists again.
    void Map(char letter, const std::string& folder = "C:\\Work Files") {
        if (!m.Exists(folder)) m.AddFolder(folder);
        subst.Run(m, {"subst.exe", std::string(1, letter) + ":", folder});
        f.RefreshLetterLists();
    }
    // Remove of a used letter ("E:"), as a user picks it and clicks.
    void Remove(const std::string& letter) {
        ASSERT_TRUE(w.used.Select(letter)) << letter;
        f.cmdRemove_Click();
    }

    // Picks a folder (made when missing) and a free letter, as a user does.
    void Choose(const std::string& folder, const std::string& letter) {
        if (!m.Exists(folder)) m.AddFolder(folder);
        f.dirList().SetPath(folder);
        ASSERT_TRUE(w.avail.Select(letter)) << letter;
        f.lstAvail_Click();
    }
};
