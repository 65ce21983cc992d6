// Make Permanent: map the folder now and have it mapped again at every log-on.
#include "permanent/batch_file.h"
#include "platform/path_text.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

namespace {

// Clears a flag however the scope is left.
struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
};

} // namespace

void frmMWL_Pro::cmdDefault_Click() {
    const std::string head = "This feature will place a file in your Startup Folder!";
    ClearOnExit clear{MakingPermanent};
    try {
        w_.txtPath().SetText(Hold);
        if (Ltr.empty()) {
            ShowErrorMessage(3);
            w_.lstAvail().SetFocus();
            return;
        }
        if (HeldByADrive(Ltr[0])) {
            // The line could never map a letter a disk or a share holds, and
            // a network letter, shown in lower case, would be written so.
            w_.MsgBox("Drive " + Ltr +
                          ": is a disk or a network drive, not a virtual drive, so it cannot be "
                          "made permanent.\r\nChoose a free letter.",
                      mbExclamation, kAppTitle);
            w_.lstAvail().SetFocus();
            return;
        }
        std::string folder = w_.txtPath().Text();
        if (folder.empty()) {
            ShowErrorMessage(4);
            return;
        }
        if (IsNetworkPath()) return;
        // The drive would show the folder it shows now until the next log-on,
        // and the line would map another one from then on.
        if (std::string shown = ShowsAnotherFolder(Ltr[0], folder); !shown.empty()) {
            w_.MsgBox("Drive " + Ltr + ": shows the folder " + shown + " now, not " + folder +
                          ".\r\nTo make " + Ltr + ": permanent for " + folder + ", remove drive " +
                          Ltr + ": first; or pick " + shown + " to make it permanent as it is.",
                      mbExclamation, kAppTitle);
            w_.lstAvail().SetFocus();
            return;
        }
        Path = SubstArgument(folder);

        // The command interpreter reads the batch file in the system's OEM
        // code page: a folder it cannot name there would map another folder
        // at log-on. The folder's short name, where the volume keeps one,
        // names the same folder in plain letters.
        std::string line;
        bool writable = pf_.os.ToOemCodePage(BatchLine(Ltr, Path), line);
        if (!writable) {
            std::string shortName = pf_.files.ShortPath(folder);
            writable = !shortName.empty() &&
                       pf_.os.ToOemCodePage(BatchLine(Ltr, SubstArgument(shortName)), line);
        }
        if (!writable) {
            w_.MsgBox("The folder " + folder +
                          "\r\nhas characters that cannot be written in the startup batch file, "
                          "so it cannot be made permanent.",
                      mbCritical, kAppTitle);
            return;
        }

        std::string question = head + "\r\n\r\nSave " + Quote + Ltr + ":\\" + Quote +
                               " as:  " + Path + "\r\npermanently?";
        if (w_.MsgBox(question, mbOkCancel, "Make Permanent?") != idOk) return;

        MakingPermanent = true;
        w_.SetFocusToWindow();
        RunSubst();

        if (OSFamily == "Failed") {
            w_.cmdDefault().SetVisible(false);
            ShowErrorMessage(2);
            return;
        }
        Path = GetStartupFolder();
        if (Path.empty()) {
            ShowErrorMessage(2);
            return;
        }
        std::string batch = Path + "\\subit.bat";
        // From the duplicate check to the mark, no other window edits the files.
        std::unique_ptr<FileLock> lock =
            HoldPermanentFiles("Drive " + Ltr + ": was not made permanent.");
        if (!lock) {
            w_.lstAvail().SetFocus();
            return;
        }
        if (IsOrdinaryFile(batch) && !CanAddPermanentEntry(batch)) {
            w_.lstAvail().SetFocus();
            return;
        }
        std::optional<std::string> before = ReadIfPresent(batch);
        try {
            // A last line the user left without its end, or with a caret
            // that joins the next line, must not take ours into it.
            pf_.files.Append(batch, LineEndsBeforeAppend(before.value_or("")) + line + "\r\n");
            WorkingMask = MarkPermanent(pf_.files, StateFilePath, Ltr, StateRecord);
            PermanentKnown = true;
        } catch (const RtError& e) {
            // Half a line (a disk that filled up) would run at log-on as some
            // other command, and a line whose letter is not marked would map
            // the drive at every log-on while Remove never offers to drop it:
            // the batch file goes back to what it was.
            if (!UndoBatchEdits({{batch, before}})) {
                ReportPermanentFailure(e.number(), "\r\nThe startup batch file " + batch +
                                                       " may still hold its line, or part of it.");
                return;
            }
            throw;
        }

        if (MakingPermanent) return; // RunSubst has reported already
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox("Operation Completed!", mbOk, "Done!");
    } catch (const RtError& e) {
        // Every file failure ends the command and says so: carrying on would
        // report as done what was not written.
        ReportPermanentFailure(e.number(), "");
    }
}

void frmMWL_Pro::ReportPermanentFailure(int number, const std::string& more) {
    w_.SetMousePointer(kPointerDefault);
    w_.MsgBox(std::string("The drive could not be made permanent: ") + RtDescription(number) +
                  ". Error " + std::to_string(number) + more,
              mbCritical, kAppTitle);
    w_.lstAvail().SetFocus();
}

std::optional<std::string> frmMWL_Pro::ReadIfPresent(const std::string& path) {
    try {
        return pf_.files.ReadAll(path);
    } catch (const RtError& e) {
        if (IsAbsent(path, e.number())) return std::nullopt;
        throw;
    }
}

bool frmMWL_Pro::HeldByADrive(char letter) {
    try {
        pf_.drives.Kind(letter);
    } catch (const RtError&) {
        return false; // a free letter, or one RunSubst will report
    }
    return !pf_.drives.IsVirtual(letter);
}

std::string frmMWL_Pro::ShowsAnotherFolder(char letter, const std::string& folder) {
    // A folder the system does not name cannot be told apart: RunSubst goes
    // on as for any letter in use.
    std::string shown = pf_.drives.IsVirtual(letter) ? pf_.drives.VirtualFolder(letter) : "";
    // Compared as the file system compares names, without a final backslash.
    auto bare = [&](std::string path) {
        while (path.size() > 3 && PathText::EndsWithSeparator(path)) path.pop_back();
        return path;
    };
    return shown.empty() || PathText::Same(bare(shown), bare(folder)) ? "" : shown;
}

bool frmMWL_Pro::IsOrdinaryFile(const std::string& path) {
    try {
        return !(pf_.files.Attributes(path) & (attrHidden | attrSystem | attrDirectory));
    } catch (const RtError& e) {
        if (e.number() == rtFileNotFound || e.number() == rtPathNotFound) return false;
        throw;
    }
}

bool frmMWL_Pro::CanAddPermanentEntry(const std::string& batchFile) {
    // On every family only a subst line that runs is a letter's line: a
    // user's own "@echo off" does not block O, nor a release "subst X: /D" X.
    if (!MapsLetter(pf_.files.ReadAll(batchFile), Ltr.empty() ? '\0' : Ltr[0])) return true;
    ShowErrorMessage(1);
    return false;
}

bool frmMWL_Pro::IsAbsent(const std::string& path, int number) {
    if (number != rtFileNotFound && number != rtPathNotFound) return false;
    // Only a second look that finds nothing makes "not found" mean absent.
    try {
        pf_.files.Attributes(path);
        return false;
    } catch (const RtError& e) {
        return e.number() == rtFileNotFound || e.number() == rtPathNotFound;
    }
}
