// Undoing Make Permanent for one letter: its line leaves the startup batch
// file and its bit leaves the state file.
#include "permanent/batch_file.h"
#include "platform/path_text.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

namespace {

// How many other names the work file may take when "temp.dat" exists.
constexpr int kWorkFileNames = 99;

} // namespace

void frmMWL_Pro::ReplaceWhole(const std::string& file, const std::string& content) {
    // The new content goes beside the old and replaces it in one step, so the
    // file is always either the old one or the new one. The work file is one
    // Mapwell creates new: a "temp.dat" of the user's, or one an interrupted
    // run left, is neither overwritten nor read.
    const std::string folder = file.substr(0, file.find_last_of('\\') + 1);
    std::string work;
    for (int n = 0;; ++n) {
        work = folder + "temp" + (n ? std::to_string(n) : "") + ".dat";
        try {
            pf_.files.CreateNew(work, content);
            break;
        } catch (const RtError& e) {
            if (e.number() == rtFileAlreadyExists && n < kWorkFileNames) continue;
            if (e.number() == rtFileAlreadyExists) throw WorkFilesTaken(folder);
            // Part of the content may have been written before the failure.
            if (e.number() != rtFileAlreadyExists) RemoveQuietly(work);
            throw;
        }
    }
    try {
        pf_.files.Replace(work, file);
    } catch (const RtError&) {
        RemoveQuietly(work);
        throw;
    }
}

frmMWL_Pro::WorkFilesTaken::WorkFilesTaken(std::string in)
    : RtError(rtFileAlreadyExists), folder(std::move(in)) {}

std::string frmMWL_Pro::Describe(const RtError& e) const {
    if (auto* taken = dynamic_cast<const WorkFilesTaken*>(&e)) {
        std::string folder = taken->folder;
        if (folder.size() > 3 && PathText::EndsWithSeparator(folder)) folder.pop_back();
        return "Mapwell's work files in " + folder + " (temp.dat to temp" +
               std::to_string(kWorkFileNames) + ".dat) are all in use";
    }
    return RtDescription(e.number());
}

void frmMWL_Pro::RemoveQuietly(const std::string& path) {
    try {
        pf_.files.Remove(path);
    } catch (const RtError&) {
    }
}

bool frmMWL_Pro::DropFromBatchFile(const std::string& folder, const std::string& name,
                                   bool deleteWhenEmptied, std::vector<BatchEdit>& edits) {
    const std::string batch = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + name;
    std::string content;
    try {
        content = pf_.files.ReadAll(batch);
    } catch (const RtError& e) {
        // No batch file, or no folder for it: no line to drop. One that
        // cannot be reached (a server that is down) keeps its line.
        if (IsAbsent(batch, e.number())) return true;
        ReportBatchFailure(batch, e, "read");
        return false;
    }
    FilteredBatch kept = DropLetterLines(content, Ltr[0]);
    if (kept.dropped == 0) return true; // nothing to change: the file stays as it is
    try {
        if (deleteWhenEmptied && kept.lines == 1) {
            pf_.files.Remove(batch);
            // A file another program holds open, or one that cannot be
            // changed, may stay although the delete reported success; its
            // line would still run at log-on.
            if (!IsAbsent(batch, rtFileNotFound)) throw RtError(rtPermissionDenied);
        } else
            ReplaceWhole(batch, kept.text);
    } catch (const RtError& e) {
        ReportBatchFailure(batch, e, "changed");
        return false;
    }
    edits.push_back({batch, content});
    return true;
}

void frmMWL_Pro::ReportBatchFailure(const std::string& batch, const RtError& e, const char* what) {
    w_.SetMousePointer(kPointerDefault);
    w_.MsgBox("The startup batch file " + batch + " could not be " + what + ": " + Describe(e) +
                  ".\r\nDrive " + Ltr + ": stays permanent.",
              mbExclamation, kAppTitle);
}

bool frmMWL_Pro::UndoBatchEdits(const std::vector<BatchEdit>& edits) {
    bool whole = true;
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) {
        std::optional<std::string> now;
        bool read = true;
        try {
            now = ReadIfPresent(it->file);
        } catch (const RtError&) {
            read = false;
        }
        // A write that failed before changing anything leaves nothing to undo.
        if (read && now == it->before) continue;
        // An append cut short (a full disk) is cut off again: that needs no
        // free space, where a new copy of the old file would.
        const std::string& old = it->before.value_or("");
        bool appended = read && it->before && now && now->size() > old.size() &&
                        now->compare(0, old.size(), old) == 0;
        try {
            if (appended)
                pf_.files.Truncate(it->file, old.size());
            else if (it->before)
                ReplaceWhole(it->file, *it->before);
            else
                pf_.files.Remove(it->file);
        } catch (const RtError&) {
            whole = false;
        }
    }
    return whole;
}

void frmMWL_Pro::RemovePermanentEntry() {
    w_.SetMousePointer(kPointerHourglass);
    const bool nt = OSFamily == "NT" || OSFamily == "Vista";
    std::string startup = GetStartupFolder();
    Path = nt ? startup : "c:\\";
    if (startup.empty()) {
        // Make Permanent wrote the letter's line there, on every family:
        // without the folder the line cannot be dropped, so the letter stays
        // permanent, and the user is told it will be back.
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox("Your Startup folder could not be found, so the startup batch file cannot be "
                  "changed.\r\nDrive " +
                      Ltr + ": stays permanent and is mapped again at the next log-on.",
                  mbExclamation, kAppTitle);
        return;
    }
    // From reading the batch files to the unmark, no other window edits them.
    std::unique_ptr<FileLock> lock;
    try {
        lock = HoldPermanentFiles("Drive " + Ltr + ": stays permanent.");
    } catch (const RtError& e) {
        w_.SetMousePointer(kPointerDefault);
        w_.MsgBox("The state file " + StateFilePath + " could not be written: " +
                      RtDescription(e.number()) + ".\r\nDrive " + Ltr + ": stays permanent.",
                  mbExclamation, kAppTitle);
        return;
    }
    if (!lock) return;
    std::vector<BatchEdit> edits;
    bool dropped;
    if (nt) {
        dropped = DropFromBatchFile(Path, "subit.bat", true, edits);
    } else {
        // Make Permanent writes subit.bat on this family too.
        dropped = DropFromBatchFile(Path, "autoexec.bat", false, edits) &&
                  DropFromBatchFile(startup, "subit.bat", false, edits);
        if (!dropped) UndoBatchEdits(edits);
    }
    if (dropped) {
        // Only a letter whose line is gone stops being permanent, and only
        // a letter still marked keeps its line: the records never disagree
        // with what runs at log-on.
        try {
            WorkingMask = UnmarkPermanent(pf_.files, StateFilePath, Ltr, StateRecord);
            PermanentKnown = true;
        } catch (const RtError& e) {
            bool undone = UndoBatchEdits(edits);
            w_.SetMousePointer(kPointerDefault);
            w_.MsgBox("The state file " + StateFilePath + " could not be written: " +
                          RtDescription(e.number()) + ".\r\nDrive " + Ltr +
                          (undone ? ": stays permanent."
                                  : ": no longer comes back at log-on, but Mapwell still counts "
                                    "it as permanent."),
                      mbExclamation, kAppTitle);
        }
    }
    w_.SetMousePointer(kPointerDefault);
}
