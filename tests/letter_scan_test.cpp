#include "fixture.h"

#include <functional>

namespace {

std::vector<std::string> Letters(const std::string& from, const std::string& to) {
    std::vector<std::string> out;
    for (char c = from[0]; c <= to[0]; ++c) out.push_back(std::string(1, c) + ":");
    return out;
}

TEST(LetterLists, EachLetterOnceInOrderWithNetworkInLowerCaseAndProbesTouchNoList) {
    App app;
    app.m.AddDrive('D', DriveKind::CdRom, false); // empty CD-ROM drive
    app.m.AddDrive('E', DriveKind::Removable, true);
    app.m.AddDrive('Z', DriveKind::Network);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:", "D:", "E:", "z:"}));
    std::vector<std::string> avail = {"A:", "B:"};
    for (auto& l : Letters("F", "Y")) avail.push_back(l);
    EXPECT_EQ(app.w.avail.items, avail);
    EXPECT_TRUE(app.w.boxes.empty()) << "a drive that is not ready is no error";
    // A probe answers without touching the lists.
    for (auto [letter, inUse] : {std::pair{"F", false}, {"C", true}, {"z", true}, {"D", true}}) {
        app.f.redo = 2;
        EXPECT_EQ(app.f.ScanDriveLetters(letter), inUse) << letter;
        EXPECT_EQ(app.f.redo, 2);
    }
    EXPECT_EQ(app.w.avail.items, avail);
    EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:", "D:", "E:", "z:"}));
}

TEST(LetterLists, TwelfthCdRomReportsNineAndIsStillListed) {
    App app;
    app.m.version = {1, 4, 90};
    for (char c = 'D'; c <= 'P'; ++c) app.m.AddDrive(c, DriveKind::CdRom); // 13 drives
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.f.CDCount, 13);
    EXPECT_EQ(app.f.CDLtrs[10], 'N');
    ASSERT_EQ(app.w.boxes.size(), 2u); // O and P do not fit
    ExpectBox(app.w.boxes[0], "9", 16, "Error Number:");
    EXPECT_EQ(app.w.used.items.back(), "P:");
}

// Letters the system holds are never offered as free, and answers that only
// mean "no medium" raise no box at every refresh; other failures are named. The drives give the raw
// Win32 answers; the machine translates them as the real one does. (A subst
// drive whose folder has gone is tested end to end, on the real look-up.)
TEST(LetterLists, LettersTheSystemHoldsAreUsedWithoutABox) {
    struct Case {
        const char* name;
        std::function<void(SimDrive&)> arrange;
        std::string box; // "" for none
    };
    const Case cases[] = {
        {"a card reader without a card", [](SimDrive& d) { d.volumeError = 1112; }, ""},
        {"a device that is gone", [](SimDrive& d) { d.volumeError = 55; }, ""},
        {"a volume that refuses access", [](SimDrive& d) { d.volumeError = 5; }, "75"},
        {"a look-up that fails", [](SimDrive& d) { d.lookupError = rtPermissionDenied; }, "70"},
    };
    for (const Case& c : cases) {
        App app;
        app.m.AddDrive('G', DriveKind::Removable);
        c.arrange(app.m.Drive('G'));
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.w.used.items, (std::vector<std::string>{"C:", "G:"})) << c.name;
        EXPECT_EQ(app.w.avail.ListCount(), 24) << c.name;
        EXPECT_EQ(app.w.boxes.empty() ? "" : app.LastBox().text, c.box) << c.name;
        app.f.redo = 2;
        EXPECT_TRUE(app.f.ScanDriveLetters("G")) << c.name;
    }
}

} // namespace
