// Listing the virtual drives, and releasing them all at once: both work from
// the listing that subst.exe prints, captured through the command interpreter.
#include "platform/rt_error.h"
#include "platform/text_lines.h"
#include "ui/frmMWL_Pro.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kCaptureFile = "temp";
// How long a command interpreter still running after the fixed pause may take.
constexpr double kFinishWait = 10;

// The system's own subst.exe for the command interpreter's line. By its bare
// name the interpreter would look in its current folder first, the data
// folder, which the user can write (Wine's cmd does so whatever the
// environment says). Quoted, it stays one word in a path with blanks; in one
// without, cmd drops the two quotes and runs the same file.
std::string SystemSubst(const std::string& systemDirectory) {
    return "\"" + systemDirectory + "\\subst.exe\"";
}

// Runs one step whose failure is passed over.
template <class Step> void Try(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

std::string frmMWL_Pro::CaptureListing() {
    Path = sPath;
    std::string systemDirectory;
    Try([&] { systemDirectory = pf_.folders.SystemDirectory(); });
    Try([&] { pf_.files.ChangeDrive(Path.empty() ? ' ' : Path[0]); });
    Try([&] { pf_.files.ChangeDirectory(Path); });
    // An old capture must not pass for the current listing.
    Try([&] { pf_.files.Remove(Path + kCaptureFile); });
    std::unique_ptr<Process> interpreter;
    Try([&] {
        interpreter =
            pf_.processes.ShellExec(w_.Handle(), "Open", systemDirectory + "\\CMD.exe",
                                    " /C " + SystemSubst(systemDirectory) + " > temp", "", 0);
    });
    Pause(2);
    if (interpreter) Wait(kFinishWait, [&] { return interpreter->WaitForExit(0); });
    return systemDirectory;
}

std::vector<std::string> frmMWL_Pro::ReadCapture() {
    std::vector<std::string> lines;
    // A capture that was not written reads as an empty one.
    Try([&] { lines = SplitLines(pf_.files.ReadAll(Path + kCaptureFile)); });
    return lines;
}

void frmMWL_Pro::mnuView_Click() {
    if (w_.MsgBox("This will list all of your Virtual Drives", mbOkCancel | mbInformation,
                  "View Virtual Drives") == idCancel)
        return;
    w_.SetMousePointer(kPointerHourglass);
    CaptureListing();
    std::string listing;
    // subst.exe wrote its listing in the console's (OEM) code page.
    for (const std::string& line : ReadCapture()) listing += pf_.os.FromOemCodePage(line) + "\r\n";
    int flags = mbOk;
    if (listing.empty()) {
        listing = "There are no assigned Virtual Drives";
        flags = mbExclamation;
    }
    w_.MsgBox(listing, flags, "Assigned Virtual Drives");
    Try([&] { pf_.files.Remove(Path + kCaptureFile); });
    w_.SetMousePointer(kPointerDefault);
}

void frmMWL_Pro::mnuRepair_Click() {
    if (w_.MsgBox("This will restore MWL to its initial state,\r\n"
                  "i.e., remove all vitual drives, including\r\n"
                  "permanent virtual drives for Pro users!",
                  mbOkCancel | mbExclamation, "Restore MWL") != idOk)
        return;
    w_.SetMousePointer(kPointerHourglass);
    std::string systemDirectory = CaptureListing();

    std::vector<std::unique_ptr<Process>> releases;
    for (const std::string& line : ReadCapture()) {
        // Only a drive letter is handed to the command interpreter: an odd
        // line in the capture must never become part of a command.
        if (line.empty() || !std::isalpha(static_cast<unsigned char>(line[0])) ||
            static_cast<unsigned char>(line[0]) > 127)
            continue;
        Ltr = line.substr(0, 1);
        Try([&] {
            releases.push_back(pf_.processes.ShellExec(
                w_.Handle(), "Open", systemDirectory + "\\CMD.exe",
                " /C " + SystemSubst(systemDirectory) + " " + Ltr + ": /D", "", 0));
        });
        Pause(1);
    }
    // The lists are read once the releases have ended (or had their chance to).
    Wait(kFinishWait, [&] {
        return std::all_of(releases.begin(), releases.end(),
                           [](auto& release) { return !release || release->WaitForExit(0); });
    });
    Try([&] { pf_.files.Remove(Path + kCaptureFile); });
    RefreshLetterLists();
    // The released drives must not stay offered in the drive list.
    RefreshDriveList();

    try {
        // From the batch file's delete to the reset, no other window edits them.
        std::unique_ptr<FileLock> lock =
            HoldPermanentFiles("Restore left the permanent drives as they were.");
        if (!lock) return;
        Path = GetStartupFolder();
        if (!Path.empty()) {
            const std::string batch = Path + "\\subit.bat";
            try {
                pf_.files.Remove(batch);
            } catch (const RtError& e) {
                // No batch file (or no Startup folder at all): nothing to delete.
                if (!IsAbsent(batch, e.number())) throw;
            }
            // A delete can report success while another program keeps the
            // file; its lines would still run at log-on.
            if (!IsAbsent(batch, rtFileNotFound)) throw RtError(rtPermissionDenied);
        }
        WorkingMask = ResetPermanent(pf_.files, StateFilePath, StateRecord);
        PermanentKnown = true;
    } catch (const RtError& e) {
        // Restore says nothing when it succeeds; so when the permanent
        // drives could not be cleared it must say so, or they would come
        // back at the next log-on unannounced.
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox(std::string("Restore could not remove the permanent drives: ") +
                      RtDescription(e.number()) + ". Error " + std::to_string(e.number()),
                  mbCritical, kAppTitle);
    }
    w_.SetMousePointer(kPointerDefault);
}
