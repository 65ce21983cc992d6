// Two Mapwell windows at once: each edit of the permanent drives' files (the
// state file, subit.bat, autoexec.bat) reads a file and writes it back a few
// milliseconds later. Interleaved, one window would write over what the other
// just wrote: a letter's line without its mark, or a mark without its line.
// So every such edit holds the state file's lock for its whole span.
#include "ui/frmMWL_Pro.h"

namespace {

// How long another window's edit is waited for, and how often it is looked at.
constexpr double kLockWait = 2;
constexpr double kLockSlice = 0.05;

} // namespace

std::unique_ptr<FileLock> frmMWL_Pro::HoldPermanentFiles(const std::string& outcome) {
    const double deadline = pf_.clock.Seconds() + kLockWait;
    for (;;) {
        if (std::unique_ptr<FileLock> lock = pf_.files.TryLock(StateFilePath)) return lock;
        if (pf_.clock.Seconds() >= deadline) break;
        pf_.clock.Sleep(kLockSlice);
    }
    w_.SetMousePointer(kPointerDefault);
    w_.MsgBox("Another Mapwell window is changing the permanent drives just now.\r\n" + outcome +
                  " Try again in a moment.",
              mbExclamation, kAppTitle);
    return nullptr;
}
