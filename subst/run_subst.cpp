// Adding a virtual drive, and the launcher and wait that every subst run shares.
#include "platform/dir_lookup.h"
#include "platform/path_text.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

#include <algorithm>
#include <cctype>

namespace {

// How long a started subst.exe may still take after the fixed pause before
// the lists are read anyway.
constexpr double kFinishWait = 10;
// A launch that yields no process is reported after this long.
constexpr double kNoProcessWait = 10;
// The slice a wait sleeps in: short enough that it ends on time, long enough
// that it costs no processor time worth counting.
constexpr double kWaitSlice = 0.02;

bool IsDriveRoot(const std::string& path) {
    return path.size() == 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

} // namespace

std::string frmMWL_Pro::SubstArgument(const std::string& folder) const {
    // Programs that read their arguments by the C run-time's rules take \"
    // as an escaped quote: "C:\Data\" would reach them as C:\Data" and map
    // nothing. A root has no blanks and goes unquoted; any other folder goes
    // quoted without a final backslash (a cancelled hidden-folder name leaves one).
    if (IsDriveRoot(folder)) return folder;
    std::string trimmed = folder;
    while (trimmed.size() > 3 && PathText::EndsWithSeparator(trimmed)) trimmed.pop_back();
    return Quote + trimmed + Quote;
}

bool frmMWL_Pro::FolderExists(const std::string& folder, uint32_t mask) {
    try {
        // An empty disk, or one that holds only hidden system folders, has no
        // entry to list, yet its root is there to be mapped.
        if (IsDriveRoot(folder)) return (pf_.files.Attributes(folder) & attrDirectory) != 0;
        return !Dir(pf_.files, folder, mask).empty();
    } catch (const RtError& e) {
        // A drive that vanished or is not ready: the folder is not there.
        if (e.number() == rtDeviceUnavailable || e.number() == rtDiskNotReady) return false;
        throw;
    }
}

void frmMWL_Pro::cmdOk_Click() {
    Ltr = w_.lstAvail().Text().substr(0, 1);
    if (Ltr.empty()) {
        ShowErrorMessage(3);
        w_.lstAvail().SetFocus();
        return;
    }
    w_.txtPath().SetText(Hold);
    std::string folder = w_.txtPath().Text();
    if (folder.size() == 3) {
        std::string r(1, Upper(folder[0]));
        std::string question = "It appears that you have selected a root folder (" + r +
                               ":\\), \r\nare you sure? Now both " + r + " and " + Ltr +
                               " will point there.";
        if (w_.MsgBox(question, mbYesNoCancel, "Are You Sure?") != idYes) return;
    }
    try {
        if (IsNetworkPath()) return;
    } catch (const RtError&) {
        // The path field names no drive that can be looked up.
        ShowErrorMessage(5);
        return;
    }
    Path = SubstArgument(folder);
    RunSubst();
}

void frmMWL_Pro::lstAvail_DblClick() {
    cmdOk_Click();
}

void frmMWL_Pro::RunSubst() {
    w_.SetMousePointer(kPointerHourglass);
    redo = 2;
    if (ScanDriveLetters(Ltr)) {
        if (Path != "/D") {
            if (MakingPermanent) {
                MakingPermanent = false;
                return;
            }
            ShowErrorMessage(6);
            return;
        }
    } else {
        w_.txtPath().SetText(Hold);
        // The folder list shows system folders, so they can be mapped too.
        uint32_t mask = attrDirectory | attrSystem;
        if (Hidden) {
            Hidden = false;
            mask |= attrHidden;
        }
        bool found = false;
        try {
            found = FolderExists(w_.txtPath().Text(), mask);
        } catch (const RtError& e) {
            // The folder above could not be read to its end: whether the
            // folder is there is not known, so it is not called missing.
            w_.SetMousePointer(kPointerDefault);
            ReportFolderFailure(w_.txtPath().Text(), e.number());
            return;
        }
        if (!found) {
            ShowErrorMessage(5);
            return;
        }
        if (OSFamily != "NT") {
            // The folder's drive letter: the first character after an opening quote.
            std::string folder = Path.substr(Path.rfind(Quote, 0) == 0 ? 1 : 0);
            char drive = folder.empty() ? '\0' : Upper(folder[0]);
            if (std::find(CDLtrs.begin(), CDLtrs.end(), drive) != CDLtrs.end() && drive) {
                w_.SetMousePointer(kPointerDefault);
                ShowErrorMessage(10);
                return;
            }
        }
    }

    double start = pf_.clock.Seconds();
    std::unique_ptr<Process> process;
    std::string system = pf_.folders.SystemDirectory();
    try {
        // The system's own subst.exe: without a system folder nothing is
        // started, which is reported as a launch that started nothing.
        if (!system.empty())
            process = pf_.processes.Shell(system + "\\subst.exe", "subst.exe " + Ltr + ": " + Path);
    } catch (const std::exception&) {
        // A launch that fails by raising counts as one that started nothing.
    }
    if (process) {
        Pause(2);
        // The pause stands in for waiting; a subst.exe still running after it
        // gets a little longer, so the lists do not show the old state.
        Wait(kFinishWait, [&] { return process->WaitForExit(0); });
        RefreshLetterLists();
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox("Operation Completed!", mbOk, "Done!");
        RefreshDriveList();
        return;
    }
    Wait(start + kNoProcessWait - pf_.clock.Seconds(), nullptr);
    ShowErrorMessage(11);
}

void frmMWL_Pro::Pause(double seconds) {
    Wait(seconds, nullptr);
}

void frmMWL_Pro::Wait(double seconds, const std::function<bool()>& done) {
    double start = pf_.clock.Seconds();
    // The window stays frozen as the waits require, but the thread sleeps
    // rather than spins.
    for (double left = seconds; left >= 0 && !(done && done());
         left = start + seconds - pf_.clock.Seconds())
        pf_.clock.Sleep(std::min(left + 0.001, kWaitSlice));
    // Keys and clicks given while the window was frozen were aimed at lists
    // that have changed since: acted on now, a double-click could map a
    // letter the user never chose. They go.
    w_.DiscardInput();
}
