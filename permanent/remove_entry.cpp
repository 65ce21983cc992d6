// Undoing Make Permanent for one letter: its line leaves the startup batch
// file and its bit leaves the state file.
#include "permanent/batch_file.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

bool frmMWL_Pro::DropFromBatchFile(const std::string& folder, const std::string& name,
                                   bool substLinesOnly, bool deleteWhenEmptied) {
    const std::string batch = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + name;
    const std::string work = batch.substr(0, batch.size() - name.size()) + "temp.dat";
    std::string content;
    try {
        content = pf_.files.ReadAll(batch);
    } catch (const RtError& e) {
        // No batch file, or no folder for it: no line to drop.
        if (IsAbsent(batch, e.number())) return true;
        ReportBatchFailure(batch, e.number());
        return false;
    }
    FilteredBatch kept = DropLetterLines(content, Ltr[0], substLinesOnly);
    if (kept.dropped == 0) return true; // nothing to change: the file stays as it is
    try {
        if (deleteWhenEmptied && kept.lines == 1) {
            pf_.files.Remove(batch);
        } else {
            // The new content goes beside the old and replaces it in one step,
            // so the batch file is always either the old one or the new one.
            pf_.files.WriteNew(work, kept.text);
            pf_.files.Replace(work, batch);
        }
    } catch (const RtError& e) {
        try {
            pf_.files.Remove(work);
        } catch (const RtError&) {
        }
        ReportBatchFailure(batch, e.number());
        return false;
    }
    return true;
}

void frmMWL_Pro::ReportBatchFailure(const std::string& batch, int number) {
    w_.SetMousePointer(kPointerDefault);
    w_.MsgBox("The startup batch file " + batch + " could not be changed: " +
                  RtDescription(number) + ".\r\nDrive " + Ltr + ": stays permanent.",
              mbExclamation, kAppTitle);
}

void frmMWL_Pro::RemovePermanentEntry() {
    w_.SetMousePointer(kPointerHourglass);
    bool dropped;
    if (OSFamily == "NT" || OSFamily == "Vista") {
        Path = GetStartupFolder();
        dropped = Path.empty() || DropFromBatchFile(Path, "subit.bat", false, true);
    } else {
        Path = "c:\\";
        dropped = DropFromBatchFile(Path, "autoexec.bat", true, false);
        // Make Permanent writes subit.bat on this family too.
        std::string startup = GetStartupFolder();
        if (dropped && !startup.empty())
            dropped = DropFromBatchFile(startup, "subit.bat", true, false);
    }
    if (dropped) {
        // Only a letter whose line is gone stops being permanent, so the
        // records never disagree with what runs at log-on.
        WorkingMask &= ~LetterBit(Ltr);
        try {
            StoreWorkingMask(pf_.files, StateFilePath, WorkingMask, StateRecord);
        } catch (const RtError& e) {
            w_.MsgBox("The state file " + StateFilePath +
                          " could not be written: " + RtDescription(e.number()) + ".",
                      mbExclamation, kAppTitle);
        }
    }
    w_.SetMousePointer(kPointerDefault);
}
