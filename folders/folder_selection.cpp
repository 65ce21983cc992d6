// Choosing the folder: the drive list, the folder list, the path field, and
// hidden folders reached by typing their name.
#include "platform/path_text.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

namespace {

constexpr size_t kShownWhole = 66;
constexpr size_t kShownTail = 63;

// The path field shows a long path by its end, counted in characters so
// that no character is cut in two.
std::string DisplayForm(const std::string& path) {
    if (PathText::Length(path) <= kShownWhole) return path;
    return "....." + PathText::Tail(path, kShownTail);
}

// A typed name must name one folder inside the parent: no separators,
// wildcards or reserved characters, and not "." or "..". Windows drops
// trailing blanks and dots from names, so a name ending in them cannot name
// the folder as typed. An empty name is the parent itself.
bool IsPlainFolderName(const std::string& name) {
    if (name.empty()) return true;
    if (name == "." || name == "..") return false;
    if (name.back() == ' ' || name.back() == '.') return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 ||
            std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return false;
    return true;
}

} // namespace

void frmMWL_Pro::DrvList_Change() {
    try {
        dirList_.SetPath(drvList_.Drive());
    } catch (const RtError& e) {
        // The drive list goes back to the folder list's drive, and the folder
        // list stays where it was rather than jump to whatever folder the
        // system keeps current. A drive without a medium, or one that has
        // gone, goes back without a word; any other failure (a folder that
        // cannot be read to its end) is named, never shown as a shorter list.
        std::string drive = drvList_.Drive();
        drvList_.SetDrive(dirList_.Path(), false);
        if (e.number() != rtDeviceUnavailable && e.number() != rtDiskNotReady)
            ReportFolderFailure(PathText::Upper(drive), e.number());
    }
}

void frmMWL_Pro::RefreshDriveList() {
    std::string before = drvList_.Drive();
    drvList_.Refresh();
    if (drvList_.Drive().empty() || (drvList_.Drive() == before && drvList_.Lists(dirList_.Path())))
        return;
    // The shown drive has gone, and the list moved to its first drive: the
    // folder list follows, to its root as at start-up, so that neither the
    // path field nor Hold names a drive that is gone. A hidden folder on a
    // gone drive is gone with it.
    if (Hidden && !drvList_.Lists(HiddenFolder)) Hidden = false;
    try {
        dirList_.SetPath(drvList_.Drive() + "\\");
    } catch (const RtError&) {
        // That drive cannot be opened either: the folder list stays.
    }
}

void frmMWL_Pro::dirList_Change() {
    try {
        std::string full;
        if (Hidden) {
            if (!IsPlainFolderName(SubFolder)) throw RtError(rtPathNotFound);
            dirList_.SetPath(HiddenFolder);
            full = HiddenFolder;
        } else {
            full = dirList_.Path();
        }
        w_.txtPath().SetText(DisplayForm(full));
        Hold = full;
    } catch (const RtError& e) {
        if (e.number() == rtPathNotFound) {
            w_.MsgBox("Sorry we couldn't find that sub-folder.\r\n\"" + SubFolder + "\"",
                      mbInformation, "Path not found!");
            dirList_MouseDown(2, 4, 0, 0);
        } else {
            w_.MsgBox("Error " + std::to_string(e.number()) + " (" + RtDescription(e.number()) +
                          ") in procedure dirList_Change of Form frmMWL_Pro",
                      mbOk, kAppTitle);
        }
    }
}

void frmMWL_Pro::dirList_KeyPress(int keyAscii) {
    if (keyAscii != 13) return;
    std::string target = dirList_.List(dirList_.ListIndex());
    // Such a folder can exist on disk, but Windows drops the ending whenever
    // the path is used: mapped, it would show the folder without it.
    if (target.size() > 3 && (target.back() == '.' || target.back() == ' ')) {
        w_.MsgBox("The folder " + target +
                      " cannot be opened:\r\nWindows drops a dot or blank at the end of a "
                      "folder name, so another folder would be used.",
                  mbExclamation, kAppTitle);
        return;
    }
    try {
        dirList_.SetPath(target);
    } catch (const RtError& e) {
        ReportFolderFailure(target, e.number());
    }
}

void frmMWL_Pro::dirList_MouseDown(int button, int shift, int /*x*/, int /*y*/) {
    std::string parent = Hold;
    if (button != 2) return;
    if (shift != 4 && w_.MsgBox("Do you want to add a hidden folder?", mbYesNoCancel | mbQuestion,
                                "Hidden Folder Name") != idYes)
        return;
    if (PathText::EndsWithSeparator(parent)) parent = parent.substr(0, 2);
    std::string name = w_.InputBox(parent + "\\", "Enter Folder Name");
    // Cancel (the box gives no name) changes nothing: the folder list and
    // the folder chosen stay, and later picks are not sent back here.
    if (name.empty()) return;
    SubFolder = name;
    bool wasHidden = Hidden;
    std::string wasFolder = HiddenFolder;
    Path = parent + "\\" + SubFolder;
    HiddenFolder = Path;
    Hidden = true;
    dirList_Change();
    // A name that was not found and then given up with Cancel: the hidden
    // folder is what it was before this box.
    if (!PathText::Same(Hold, HiddenFolder)) {
        Hidden = wasHidden;
        HiddenFolder = wasFolder;
    }
}

void frmMWL_Pro::dirList_Click(int line) {
    dirList_.SetListIndex(dirList_.IndexOfLine(line));
}

void frmMWL_Pro::dirList_DblClick(int line) {
    dirList_Click(line);
    dirList_KeyPress(13);
}

void frmMWL_Pro::DrvList_Select(int line) {
    drvList_.Select(line);
}

void frmMWL_Pro::ReportFolderFailure(const std::string& folder, int number) {
    w_.MsgBox("The folder " + folder + " cannot be opened:\r\n" + RtDescription(number) + ".",
              mbExclamation, kAppTitle);
}
