// Start-up and exit of the main window.
#include "app/os_family.h"
#include "app/startup_steps.h"
#include "platform/dir_lookup.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

#include <optional>

namespace {

constexpr int kOuterHeightTwips = 5790;
// A start-up step that keeps failing with an unexpected error is tried this
// many times in all, then skipped, so start-up always finishes.
constexpr int kStartupAttempts = 3;
// How long a state file that cannot be read is tried again, and how often.
constexpr double kLockedStateWait = 1;
constexpr double kLockedStateSlice = 0.05;

bool SkipsStep(int number) {
    return IsFileSystemError(number) || number == 69;
}

} // namespace

frmMWL_Pro::frmMWL_Pro(Platform& platform, MainWindow& window)
    : pf_(platform), w_(window), drives_(platform.drives),
      dirList_(platform.files, window.dirList()), drvList_(drives_, window.DrvList()) {
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
    StartupStep rest("pointer, placing, caption");
    RunStartupStep([&] { w_.SetScreenPointer(kPointerHourglass); });
    RunStartupStep([&] {
        TwipsRect r = w_.Bounds();
        r.height = kOuterHeightTwips;
        r.left = (w_.ScreenWidth() - r.width) / 2;
        r.top = (w_.ScreenHeight() - r.height) / 2;
        w_.SetBounds(r);
    });
    // The drive list and the letter lists look at the same drives.
    std::optional<RememberedDrives::Keeping> kinds(std::in_place, drives_);
    // The drive list starts at the current drive, as the folder list does.
    RunStartupStep([&] {
        StartupStep step("drive list");
        drvList_.Refresh();
        drvList_.SetDrive(pf_.files.CurrentDirectory());
    });
    drvList_.onChange = [this] { DrvList_Change(); };
    RunStartupStep([&] {
        StartupStep step("folder list");
        dirList_.SetPath("\\");
    });

    // The setup program puts the state file in the application-data folder
    // where it is now, which a roaming or managed profile may have moved
    // elsewhere; an older installation may have left it in the profile's
    // default one. That one is looked in only when the current folder answers
    // that there is no such file: a folder that cannot be read (a drive that
    // is gone, a server that is down) may hold the state file with the
    // permanent letters, and another file must not silently stand in for it.
    // Start-up then goes on with it, and says that it cannot be read.
    enum class Found { Yes, No, Unreadable };
    auto findStateFile = [&](FolderType type) {
        StartupStep step("state file");
        std::string folder;
        long result = 1;
        RunStartupStep([&] { result = pf_.folders.FolderPath(kCsidlAppData, type, folder); });
        // Only 0 yields a folder; 1 means there is none, and any other result
        // leaves nothing usable either.
        if (result != 0) return Found::No;
        folder += "\\Quillon Software\\Mapwell\\";
        Found found;
        try {
            found = Dir(pf_.files, folder + kStateFileName, attrHidden).empty() ? Found::No
                                                                                : Found::Yes;
        } catch (const std::exception&) {
            found = Found::Unreadable;
        }
        if (found != Found::No) {
            sPath = folder;
            StateFilePath = sPath + kStateFileName;
        }
        return found;
    };
    if (findStateFile(FolderType::Current) == Found::No &&
        findStateFile(FolderType::Default) == Found::No) {
        ShowErrorMessage(255);
        return false;
    }

    RunStartupStep([&] { OSFamily = GetOSFamily(pf_.os); });
    Quote = "\"";
    // Start-up only reads the state file, and never creates it.
    RunStartupStep([&] {
        StartupStep step("state file");
        file1_ = pf_.files.OpenRandom(StateFilePath, FileSystem::Mode::Read);
    });
    RunStartupStep([&] {
        StartupStep step("letter scan");
        RefreshLetterLists();
    });
    kinds.reset();
    {
        StartupStep step("state file");
        file1_.reset();
    }
    WorkingMask = StateRecord.PermanentMask;
    if (!PermanentKnown) {
        // The state file is there but could not be read. Going on as if no
        // letter were permanent would let Remove leave a drive's log-on line
        // behind without a word: the user hears of it now, and again at
        // each Remove until the file can be read. A virus scanner or a
        // backup program may hold it for a moment only, so it is tried
        // again for about a second first.
        double deadline = pf_.clock.Seconds() + kLockedStateWait;
        for (;;) {
            try {
                LoadPermanentMask();
                break;
            } catch (const RtError& e) {
                if (pf_.clock.Seconds() >= deadline) {
                    w_.MsgBox(UnreadableStateText(e.number()) +
                                  "\r\nUntil it can be read, Mapwell cannot tell which drives "
                                  "are permanent.",
                              mbExclamation, kAppTitle);
                    break;
                }
                pf_.clock.Sleep(kLockedStateSlice);
            }
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
