// The drive letter inventory: which letters are free, which are used.
#include "app/startup_steps.h"
#include "platform/rt_error.h"
#include "ui/frmMWL_Pro.h"

#include <cctype>

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

void frmMWL_Pro::RefreshLetterLists() {
    try {
        w_.lstAvail().Clear();
        w_.lstUsedLtrs().Clear();
        redo = 0;
        for (char c = 'A'; c <= 'Z'; ++c) {
            std::string letter(1, c);
            if (!ScanDriveLetters(letter)) w_.lstAvail().AddItem(letter + ":");
        }
        // Only start-up holds the state file open while it refreshes.
        if (file1_) {
            StartupStep step("state file");
            StateRecord = ReadStateRecord(*file1_);
            PermanentKnown = true;
        }
    } catch (const std::exception&) {
        // A failing list or record read ends the refresh; what was listed stays.
    }
}

void frmMWL_Pro::ReportClassifyFailure(int number) {
    w_.MsgBox(std::to_string(number), mbCritical, "Error Number:");
}

bool frmMWL_Pro::ScanDriveLetters(const std::string& letter) {
    if (redo == 0) {
        CDCount = 0;
        redo = 1;
    }
    const bool probe = redo == 2;
    auto listUsed = [&](const std::string& shown) {
        if (!probe) w_.lstUsedLtrs().AddItem(shown + ":");
    };

    DriveKind kind;
    try {
        kind = drives_.Kind(letter.empty() ? ' ' : letter[0]);
    } catch (const RtError& e) {
        if (e.number() == rtDeviceUnavailable) return false;
        // A letter that cannot be checked is never offered as free.
        ReportClassifyFailure(e.number());
        listUsed(letter);
        return true;
    }

    if (kind == DriveKind::Network) {
        listUsed(Lower(letter));
        return true;
    }
    if (probe) return true;

    try {
        drives_.SerialNumber(letter[0]);
    } catch (const RtError& e) {
        // An empty floppy or CD-ROM drive is used all the same.
        if (e.number() != rtDiskNotReady) ReportClassifyFailure(e.number());
        listUsed(letter);
        return true;
    }

    if (kind == DriveKind::CdRom && OSFamily == "W95") {
        if (CDCount < CDLtrs.size())
            CDLtrs[CDCount] = letter[0];
        else
            ReportClassifyFailure(rtSubscriptOutOfRange);
        ++CDCount;
    }
    listUsed(letter);
    return true;
}

bool frmMWL_Pro::IsNetworkPath() {
    std::string text = w_.txtPath().Text();
    char drive = text.empty() ? ' ' : text[0];
    if (pf_.drives.Kind(drive) != DriveKind::Network) return false;
    ShowErrorMessage(12);
    return true;
}

void frmMWL_Pro::lstAvail_Click() {
    Ltr = w_.lstAvail().Text().substr(0, 1);
}

void frmMWL_Pro::lstUsedLtrs_Click() {
    Ltr = w_.lstUsedLtrs().Text().substr(0, 1);
}
