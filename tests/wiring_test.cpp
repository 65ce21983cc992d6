// The window reaches the handlers only through its event and menu tables:
// every row is driven through them, and each shows the effect only its own
// handler has.
#include "fixture.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace {

// What the user saw first, or what changed, after one event.
std::string Effect(App& a, size_t boxesBefore) {
    if (a.w.ended) return "ended";
    if (!a.w.abouts.empty()) return "About";
    if (!a.m.helpCalls.empty())
        return "help " + std::to_string(a.m.helpCalls[0].id) + " in " + a.m.helpCalls[0].file;
    if (!a.m.launches.empty()) return "launch " + a.m.launches[0].commandLine;
    if (a.w.boxes.size() > boxesBefore)
        return "box " + a.w.boxes[boxesBefore].title + ", focus " + a.w.focus;
    return "Ltr=" + a.f.Ltr + " Hold=" + a.f.Hold;
}

TEST(Wiring, EveryRowOfTheTablesRunsItsOwnHandler) {
    // Help is looked up beside the program, by full path.
    const std::string kHelp = "C:\\Program Files\\Mapwell\\mwl.chm";
    struct Row {
        int id;
        bool menu;
        ControlEvent event;
        int line; // the list line the control reports
        std::string effect;
    };
    const Row rows[] = {
        {ids::cmdOk, false, ControlEvent::Click, -1, "box ERROR!, focus lstAvail"},
        {ids::lstAvail, false, ControlEvent::Click, -1, "Ltr=E Hold=C:\\Work"},
        {ids::lstAvail, false, ControlEvent::DblClick, -1, "launch subst.exe E: \"C:\\Work\""},
        {ids::cmdDefault, false, ControlEvent::Click, -1, "box Make Permanent?, focus "},
        {ids::cmdRemove, false, ControlEvent::Click, -1, "box ERROR!, focus lstUsedLtrs"},
        {ids::lstUsedLtrs, false, ControlEvent::Click, -1, "Ltr=z Hold=C:\\Work"},
        {ids::lstUsedLtrs, false, ControlEvent::DblClick, -1,
         "box Nothing to do!, focus cmdCancel"},
        {ids::cmdCancel, false, ControlEvent::Click, -1, "ended"},
        {ids::dirList, false, ControlEvent::Click, 0, "Ltr= Hold=C:\\Work"},
        {ids::dirList, false, ControlEvent::DblClick, 0, "Ltr= Hold=C:\\"},
        {ids::DrvList, false, ControlEvent::Click, 1, "Ltr= Hold=D:\\"},
        {ids::mnuAbout, true, ControlEvent::Click, -1, "About"},
        {ids::mnuRepair, true, ControlEvent::Click, -1, "box Restore MWL, focus "},
        {ids::mnuView, true, ControlEvent::Click, -1, "box View Virtual Drives, focus "},
        {ids::mnuFileExit, true, ControlEvent::Click, -1, "ended"},
        {ids::MnuHelpIntro, true, ControlEvent::Click, -1, "help 100 in " + kHelp},
        {ids::mnuHelpCreate, true, ControlEvent::Click, -1, "help 110 in " + kHelp},
        {ids::mnuHelpCD, true, ControlEvent::Click, -1, "help 120 in " + kHelp},
        {ids::mnuHelpKB, true, ControlEvent::Click, -1, "help 140 in " + kHelp},
        {ids::mnuHelpPerm, true, ControlEvent::Click, -1, "help 130 in " + kHelp},
        {ids::mnuHelpRemove, true, ControlEvent::Click, -1, "help 150 in " + kHelp},
        {ids::mnuHelpMisc, true, ControlEvent::Click, -1, "help 165 in " + kHelp},
    };
    for (const Row& r : rows) {
        App app;
        app.m.AddFolder("C:\\Work");
        app.m.AddDrive('D', DriveKind::Fixed);
        app.m.AddDrive('Z', DriveKind::Network);
        ASSERT_TRUE(app.StartWithSubst());
        app.f.dirList().SetPath("C:\\Work");
        app.f.DrvList().Refresh();
        app.w.focus = "";
        app.w.answers = {idCancel};
        // Both lists show a selection the user made, which only some
        // handlers read; Ltr is left empty, as before any click.
        bool wantsAvail = r.id != ids::cmdOk;
        if (wantsAvail) app.w.avail.Select("E:");
        bool wantsUsed = r.id == ids::lstUsedLtrs;
        if (wantsUsed) app.w.used.Select("z:");
        if (r.id == ids::cmdDefault) app.f.Ltr = "E";
        size_t before = app.w.boxes.size();
        if (r.menu)
            EXPECT_TRUE(RunMenuCommand(app.f, r.id));
        else
            RunControlEvent(app.f, r.id, r.event, r.line);
        EXPECT_EQ(Effect(app, before), r.effect) << "control " << r.id;
    }
}

} // namespace
