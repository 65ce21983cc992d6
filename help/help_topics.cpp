// The Help menu: every command opens one topic of the help file, by its
// context id, in the system's HTML Help viewer.
#include "ui/frmMWL_Pro.h"

void frmMWL_Pro::ShowHelpTopic(uint32_t contextId) {
    // Looked up beside the program by full path, so the current folder (which
    // View and Restore change) never matters.
    std::string folder = pf_.folders.ProgramFolder();
    std::string file = folder.empty() ? kHelpFile : folder + "\\" + kHelpFile;
    pf_.help.ShowContext(w_.Handle(), file, contextId);
}
