#include "fixture.h"
#include "ui/about.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace {

TEST(About, EveryShowingIsFreshAndClosingFocusesTheFreeLetters) {
    App app;
    app.Start();
    app.w.focus = "dirList";
    app.w.screenPointer = kPointerHourglass;
    RunMenuCommand(app.f, ids::mnuAbout);
    RunMenuCommand(app.f, ids::mnuAbout);
    ASSERT_EQ(app.w.abouts.size(), 2u);
    // Nothing of the first showing carries over: the caption is made anew.
    EXPECT_EQ(app.w.abouts[1].caption, "About Mapwell - Pro");
    EXPECT_EQ(app.w.focus, "lstAvail");
    EXPECT_EQ(app.w.screenPointer, kPointerDefault);
    EXPECT_EQ(VersionText(3, 0, 12), "Version 3.0.12") << "in full, without leading zeros";
}

} // namespace
