// Start-up and exit of the main window.
#include "app/os_family.h"
#include "platform/dir_lookup.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

namespace {

constexpr int kOuterHeightTwips = 5790;
// A start-up step that keeps failing with an unexpected error is tried this
// many times in all, then skipped, so start-up always finishes.
constexpr int kStartupAttempts = 3;

bool SkipsStep(int number) {
    return IsFileSystemError(number) || number == 69;
}

} // namespace

frmMWL_Pro::frmMWL_Pro(Platform& platform, MainWindow& window)
    : pf_(platform), w_(window), dirList_(platform.files, platform.os, window.dirList()),
      drvList_(platform.drives, window.DrvList()) {
    dirList_.onChange = [this] { dirList_Change(); };
}

template <class Step> void frmMWL_Pro::RunStartupStep(Step step) {
    for (int attempt = 1; attempt <= kStartupAttempts; ++attempt) {
        try {
            step();
            return;
        } catch (const RtError& e) {
            if (SkipsStep(e.number())) return;
        } catch (const std::exception&) {
        }
    }
}

bool frmMWL_Pro::Form_Load() {
    RunStartupStep([&] { w_.SetScreenPointer(kPointerHourglass); });
    RunStartupStep([&] {
        TwipsRect r = w_.Bounds();
        r.height = kOuterHeightTwips;
        r.left = (w_.ScreenWidth() - r.width) / 2;
        r.top = (w_.ScreenHeight() - r.height) / 2;
        w_.SetBounds(r);
    });
    // The drive list starts at the current drive, as the folder list does.
    RunStartupStep([&] {
        drvList_.Refresh();
        drvList_.SetDrive(pf_.files.CurrentDirectory());
    });
    drvList_.onChange = [this] { DrvList_Change(); };
    RunStartupStep([&] { dirList_.SetPath("\\"); });

    long result = 1;
    RunStartupStep([&] { result = pf_.folders.FolderPath(kCsidlAppData, sPath); });
    // Only 0 yields a folder; 1 means there is none, and any other result
    // leaves nothing usable either.
    if (result != 0) {
        ShowErrorMessage(255);
        return false;
    }
    sPath += "\\Quillon Software\\Mapwell\\";
    StateFilePath = sPath + kStateFileName;

    // A look-up that fails cannot vouch for the file either.
    bool present = false;
    RunStartupStep([&] { present = !Dir(pf_.files, Text(), StateFilePath, attrHidden).empty(); });
    if (!present) {
        ShowErrorMessage(255);
        return false;
    }

    RunStartupStep([&] { OSFamily = GetOSFamily(pf_.os); });
    Quote = "\"";
    // Start-up only reads the state file, and never creates it.
    RunStartupStep([&] { file1_ = pf_.files.OpenRandom(StateFilePath, FileSystem::Mode::Read); });
    RunStartupStep([&] { RefreshLetterLists(); });
    file1_.reset();
    WorkingMask = StateRecord.PermanentMask;
    if (!PermanentKnown) {
        // The state file is there but could not be read. Going on as if no
        // letter were permanent would let Remove leave a drive's log-on line
        // behind without a word: the user hears of it now, and again at
        // each Remove until the file can be read.
        try {
            LoadPermanentMask();
        } catch (const RtError& e) {
            w_.MsgBox(
                UnreadableStateText(e.number()) +
                    "\r\nUntil it can be read, Mapwell cannot tell which drives are permanent.",
                mbExclamation, kAppTitle);
        }
    }
    RunStartupStep([&] { w_.SetCaption(w_.Caption() + " - Pro"); });
    return true;
}

void frmMWL_Pro::LoadPermanentMask() {
    auto file = pf_.files.OpenRandom(StateFilePath, FileSystem::Mode::Read);
    StateRecord = ReadStateRecord(*file);
    WorkingMask = StateRecord.PermanentMask;
    PermanentKnown = true;
}

std::string frmMWL_Pro::UnreadableStateText(int number) const {
    return "The state file " + StateFilePath + " could not be read: " + RtDescription(number) +
           ". Error " + std::to_string(number);
}

void frmMWL_Pro::Form_Activate() {
    w_.SetScreenPointer(kPointerDefault);
    w_.lstAvail().SetFocus();
}

void frmMWL_Pro::cmdCancel_Click() {
    w_.EndProgram();
}

void frmMWL_Pro::mnuFileExit_Click() {
    cmdCancel_Click();
}
