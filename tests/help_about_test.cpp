#include "fixture.h"
#include "ui/about.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace {

TEST(Help, EachMenuCommandOpensItsTopicBesideTheProgram) {
    App app;
    app.Start();
    app.m.AddFolder("C:\\Users\\me\\Music");
    app.f.dirList().SetPath("C:\\Users\\me\\Music");
    app.w.avail.Select("K:");
    app.f.lstAvail_Click();
    auto avail = app.w.avail.items;
    const int commands[] = {ids::MnuHelpIntro, ids::mnuHelpCreate, ids::mnuHelpCD,  ids::mnuHelpKB,
                            ids::mnuHelpPerm,  ids::mnuHelpRemove, ids::mnuHelpMisc};
    for (int id : commands) EXPECT_TRUE(RunMenuCommand(app.f, id));
    std::vector<uint32_t> topics;
    for (const auto& call : app.m.helpCalls) {
        topics.push_back(call.id);
        EXPECT_EQ(call.file, "C:\\Program Files\\Mapwell\\mwl.chm");
        EXPECT_EQ(call.owner, app.w.Handle());
    }
    EXPECT_EQ(topics, (std::vector<uint32_t>{100, 110, 120, 140, 130, 150, 165}));
    // Nothing of the program changes, help file or not.
    EXPECT_EQ(app.w.avail.items, avail);
    EXPECT_EQ(app.w.avail.Text(), "K:");
    EXPECT_EQ(app.f.Ltr, "K");
    EXPECT_EQ(app.f.Hold, "C:\\Users\\me\\Music");
    EXPECT_TRUE(app.w.boxes.empty());
}

TEST(About, TextsAndVersion) {
    AboutTexts t = frmAbout_Load();
    EXPECT_EQ(t.title, "Mapwell - Pro\xE2\x84\xA2");
    EXPECT_EQ(t.caption, "About Mapwell - Pro");
    EXPECT_EQ(t.version, "Version 3.0.2");
    EXPECT_EQ(VersionText(3, 0, 12), "Version 3.0.12");
    EXPECT_EQ(VersionText(10, 0, 0), "Version 10.0.0");
    EXPECT_NE(t.disclaimer.find("copy && share"), std::string::npos);
}

TEST(About, EveryShowingIsFreshAndClosingFocusesTheFreeLetters) {
    App app;
    app.Start();
    app.w.focus = "dirList";
    app.w.screenPointer = kPointerHourglass;
    RunMenuCommand(app.f, ids::mnuAbout);
    RunMenuCommand(app.f, ids::mnuAbout);
    ASSERT_EQ(app.w.abouts.size(), 2u);
    EXPECT_EQ(app.w.abouts[0].version, app.w.abouts[1].version);
    EXPECT_EQ(app.w.abouts[0].title, app.w.abouts[1].title);
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.w.screenPointer, kPointerDefault);
}

} // namespace
