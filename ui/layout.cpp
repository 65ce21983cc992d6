#include "ui/layout.h"

#include "ui/control_ids.h"
#include "ui/frmMWL_Pro.h"

namespace {

using K = ControlKind;
using F = ControlFont;

constexpr ControlDef kControls[] = {
    // id, name, kind, caption, tool tip, left, top, width, height, tab, font, info background
    {ids::lstAvail, "lstAvail", K::ListBox, "", nullptr, 6480, 0, 375, 4860, 0, F::SansBold, true},
    {ids::txtPath, "txtPath", K::TextBox, "", " Selected Path", 720, 1080, 5535, 285, 1, F::Default,
     false},
    {ids::DrvList, "DrvList", K::DriveList, "", " Drive List", 2040, 1560, 4215, 315, 2, F::Default,
     false},
    {ids::dirList, "dirList", K::FolderList, "", " Folder List", 2040, 2040, 4215, 2790, 3,
     F::Default, false},
    {ids::cmdOk, "cmdOk", K::Button, "&Add Virtual Drive", " Create virtual drive. ", 720, 1560,
     1095, 500, 4, F::Default, false},
    {ids::cmdDefault, "cmdDefault", K::Button, "&Make Permanent",
     " Make virtual drive letter permanent. ", 720, 3360, 1095, 500, 5, F::Default, false},
    {ids::cmdCancel, "cmdCancel", K::Button, "&Exit", " Do nothing and exit program. ", 720, 2520,
     1095, 375, 6, F::Default, false},
    {ids::cmdRemove, "cmdRemove", K::Button, "&Remove Virtual Drive",
     " Click Letter in Use, then Click to remove that letter's virtual drive. ", 720, 4315, 1095,
     500, 7, F::Default, false},
    {ids::lstUsedLtrs, "lstUsedLtrs", K::ListBox, "", " Lower case letters are network drives ",
     120, 0, 375, 4860, 8, F::SansBold, true},
    {ids::Label3, "Label3", K::Label, "Used Drive Letters", nullptr, 600, 0, 1335, 495, 9, F::Sans,
     false},
    {ids::Label1, "Label1", K::LabelRight, "Available Virtual Drive Letters", nullptr, 4800, 0,
     1575, 495, 10, F::Sans, false},
    {ids::Label2, "Label2", K::Label, "Full path: (C:\\FolderName\\SubFolder)", nullptr, 1080, 720,
     3375, 255, 11, F::Sans, false},
};

// id, level, name, caption, shortcut, handler, help topic
constexpr MenuDef kMenu[] = {
    {0, 0, "mnuFile", "&File", nullptr, nullptr, 0},
    {ids::mnuAbout, 1, "mnuAbout", "&About", nullptr, &frmMWL_Pro::mnuAbout_Click, 0},
    {0, 1, "first", "-", nullptr, nullptr, 0},
    {ids::mnuRepair, 1, "mnuRepair", "&Restore", nullptr, &frmMWL_Pro::mnuRepair_Click, 0},
    {0, 1, "mnuExitSep", "-", nullptr, nullptr, 0},
    {ids::mnuFileExit, 1, "mnuFileExit", "E&xit", nullptr, &frmMWL_Pro::mnuFileExit_Click, 0},
    {ids::mnuView, 0, "mnuView", "&View Virtual Drives", nullptr, &frmMWL_Pro::mnuView_Click, 0},
    {0, 0, "mnuHelp", "&Help", nullptr, nullptr, 0},
    {ids::MnuHelpIntro, 1, "MnuHelpIntro", "&Introduction", "F1", nullptr, 100},
    {ids::mnuHelpCreate, 1, "mnuHelpCreate", "&Create Virtual Drive", nullptr, nullptr, 110},
    {ids::mnuHelpCD, 1, "mnuHelpCD", "Create a &Virtual CD", nullptr, nullptr, 120},
    {ids::mnuHelpKB, 1, "mnuHelpKB", "&Using the Keyboard", nullptr, nullptr, 140},
    {ids::mnuHelpPerm, 1, "mnuHelpPerm", "&Make Permanent", nullptr, nullptr, 130},
    {ids::mnuHelpRemove, 1, "mnuHelpRemove", "Remove Virtual &Drive", nullptr, nullptr, 150},
    {ids::mnuHelpMisc, 1, "mnuHelpMisc", "Misc. &Functions", nullptr, nullptr, 165},
};

struct EventDef {
    int id;
    ControlEvent event;
    Handler handler;
};

constexpr EventDef kEvents[] = {
    {ids::cmdCancel, ControlEvent::Click, &frmMWL_Pro::cmdCancel_Click},
    {ids::cmdOk, ControlEvent::Click, &frmMWL_Pro::cmdOk_Click},
    {ids::lstAvail, ControlEvent::Click, &frmMWL_Pro::lstAvail_Click},
    {ids::lstAvail, ControlEvent::DblClick, &frmMWL_Pro::lstAvail_DblClick},
    {ids::cmdDefault, ControlEvent::Click, &frmMWL_Pro::cmdDefault_Click},
    {ids::cmdRemove, ControlEvent::Click, &frmMWL_Pro::cmdRemove_Click},
    {ids::lstUsedLtrs, ControlEvent::Click, &frmMWL_Pro::lstUsedLtrs_Click},
    {ids::lstUsedLtrs, ControlEvent::DblClick, &frmMWL_Pro::lstUsedLtrs_DblClick},
};

} // namespace

std::span<const ControlDef> MainControls() {
    return kControls;
}
std::span<const MenuDef> MainMenu() {
    return kMenu;
}

bool RunMenuCommand(frmMWL_Pro& form, int id) {
    for (const MenuDef& m : kMenu) {
        if (m.id != id || id == 0) continue;
        if (m.handler) (form.*m.handler)();
        if (m.helpContext) form.ShowHelpTopic(m.helpContext);
        return true;
    }
    return false;
}

void RunControlEvent(frmMWL_Pro& form, int id, ControlEvent event, int line) {
    // The two browsing lists tell which line; the logic maps it to its entry.
    if (id == ids::dirList) {
        if (event == ControlEvent::Click)
            form.dirList_Click(line);
        else
            form.dirList_DblClick(line);
        return;
    }
    if (id == ids::DrvList) {
        form.DrvList_Select(line);
        return;
    }
    for (const EventDef& e : kEvents)
        if (e.id == id && e.event == event) (form.*e.handler)();
}
