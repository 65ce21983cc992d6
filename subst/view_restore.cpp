// Listing the virtual drives, and releasing them all at once: both work from
// the listing that subst.exe prints, captured through the command interpreter.
#include "permanent/batch_file.h"
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
    // The command interpreter refuses a current folder on a share (AppData
    // on a server): it starts in the system folder, and is told where the
    // capture goes by its full path. With more than two quotes in the command,
    // cmd takes off the first and the last one: one more pair goes around it.
    Try([&] {
        interpreter = pf_.processes.ShellExec(w_.Handle(), "Open", systemDirectory + "\\CMD.exe",
                                              " /C \"" + SystemSubst(systemDirectory) + " > \"" +
                                                  Path + kCaptureFile + "\"\"",
                                              systemDirectory, 0);
    });
    Pause(2);
    if (interpreter) Wait(kFinishWait, [&] { return interpreter->WaitForExit(0); });
    return systemDirectory;
}

bool frmMWL_Pro::ReadCapture(std::vector<std::string>& lines) {
    lines.clear();
    try {
        lines = SplitLines(pf_.files.ReadAll(Path + kCaptureFile));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void frmMWL_Pro::mnuView_Click() {
    if (w_.MsgBox("This will list all of your Virtual Drives", mbOkCancel | mbInformation,
                  "View Virtual Drives") == idCancel)
        return;
    w_.SetMousePointer(kPointerHourglass);
    CaptureListing();
    std::vector<std::string> lines;
    ReadCapture(lines); // a capture that was not written reads as an empty one
    std::string listing;
    // subst.exe wrote its listing in the console's (OEM) code page.
    for (const std::string& line : lines) listing += pf_.os.FromOemCodePage(line) + "\r\n";
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
    std::vector<std::string> capture;
    if (!ReadCapture(capture)) {
        // Which drives are mapped is not known: clearing the permanent ones
        // while releasing none would leave the user's drives half restored.
        Try([&] { pf_.files.Remove(Path + kCaptureFile); });
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox("Restore could not read the list of virtual drives, so it changed nothing.",
                  mbExclamation, kAppTitle);
        return;
    }

    std::vector<std::unique_ptr<Process>> releases;
    for (const std::string& line : capture) {
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

    // Restore says nothing when it succeeds; so when the permanent drives
    // could not be cleared it must say so, or they would come back at the
    // next log-on unannounced.
    auto stayPermanent = [&](const std::string& why) {
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox(why + "\r\nThe permanent drives stay permanent and are mapped again at the "
                        "next log-on.",
                  mbExclamation, kAppTitle);
    };
    try {
        // From the batch file's delete to the reset, no other window edits them.
        std::unique_ptr<FileLock> lock =
            HoldPermanentFiles("Restore left the permanent drives as they were.");
        if (!lock) return;
        Path = GetStartupFolder();
        if (Path.empty()) {
            // A Startup folder that cannot be reached may hold the lines.
            if (MayHavePermanentDrives())
                return stayPermanent("Your Startup folder could not be found, so the startup "
                                     "batch file cannot be changed.");
        } else {
            const std::string batch = Path + "\\subit.bat";
            std::optional<std::string> content;
            try {
                content = ReadIfPresent(batch);
            } catch (const RtError& e) {
                // Only a file known to be absent holds no line: one that
                // cannot be reached (a server that is down) keeps them.
                return stayPermanent("The startup batch file " + batch + " could not be read: " +
                                     Describe(e) + ". Error " + std::to_string(e.number()));
            }
            if (content) DropEveryLettersLines(batch, *content);
        }
        WorkingMask = ResetPermanent(pf_.files, StateFilePath, StateRecord);
        PermanentKnown = true;
    } catch (const RtError& e) {
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox(std::string("Restore could not remove the permanent drives: ") + Describe(e) +
                      ". Error " + std::to_string(e.number()),
                  mbCritical, kAppTitle);
    }
    w_.SetMousePointer(kPointerDefault);
}

void frmMWL_Pro::DropEveryLettersLines(const std::string& batch, const std::string& content) {
    // The lines of the user's own (@echo off, a net use, a program to start)
    // stay: only the letters' lines go, by the rule Remove drops them by.
    std::string kept = content;
    size_t dropped = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        FilteredBatch f = DropLetterLines(kept, letter);
        if (f.dropped == 0) continue;
        kept = f.text;
        dropped += f.dropped;
    }
    if (dropped == 0) return; // no letter's line: the file stays byte for byte
    size_t text = kept.rfind(kUtf8Bom, 0) == 0 ? 3 : 0;
    if (kept.find_first_not_of(" \t\r\n", text) != std::string::npos) {
        ReplaceWhole(batch, kept);
        return;
    }
    // Nothing else left in it.
    try {
        pf_.files.Remove(batch);
    } catch (const RtError& e) {
        if (!IsAbsent(batch, e.number())) throw;
    }
    // A delete can report success while another program keeps the file; its
    // lines would still run at log-on.
    if (!IsAbsent(batch, rtFileNotFound)) throw RtError(rtPermissionDenied);
}

bool frmMWL_Pro::MayHavePermanentDrives() {
    try {
        LoadPermanentMask(); // another window may have made drives permanent
    } catch (const RtError&) {
    }
    constexpr int32_t kLetters = (1 << 26) - 1;
    return !PermanentKnown || (WorkingMask & kLetters) != 0;
}
