// Removing a virtual drive.
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

#include <cctype>

void frmMWL_Pro::cmdRemove_Click() {
    Ltr = w_.lstUsedLtrs().Text().substr(0, 1);
    if (Ltr.empty()) {
        ShowErrorMessage(3);
        w_.lstUsedLtrs().SetFocus();
        return;
    }
    // The used list shows network drives in lower case.
    if (std::islower(static_cast<unsigned char>(Ltr[0]))) {
        w_.MsgBox("This is a Network drive, it cannot be removed!", mbInformation,
                  "Nothing to do!");
        w_.cmdCancel().SetFocus();
        return;
    }
    // Read anew: another Mapwell window may have made drives permanent since.
    try {
        LoadPermanentMask();
    } catch (const RtError& e) {
        if (!PermanentKnown) {
            if (w_.MsgBox(UnreadableStateText(e.number()) + "\r\nIf drive " + Ltr +
                              ": is permanent, its line stays in the startup batch file and "
                              "maps it again at the next log-on.",
                          mbOkCancel | mbExclamation, kAppTitle) != idOk)
                return;
        }
    }
    if (WorkingMask & LetterBit(Ltr)) {
        int answer = w_.MsgBox("This drive letter, " + Ltr +
                                   ", is permanent, do you want it removed permanently?",
                               mbYesNoCancel, kAppTitle);
        if (answer == idCancel) return;
        if (answer == idYes) RemovePermanentEntry();
    }
    std::string saved = Path;
    Path = "/D";
    RunSubst();
    Path = saved;
}

void frmMWL_Pro::lstUsedLtrs_DblClick() {
    cmdRemove_Click();
}
