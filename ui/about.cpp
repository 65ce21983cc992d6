#include "ui/about.h"

#include "ui/frmMWL_Pro.h"

std::string VersionText(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

AboutTexts frmAbout_Load() {
    AboutTexts t;
    t.title = "Mapwell - Pro\u2122";
    t.caption = std::string("About ") + kAppTitle + " - Pro";
    t.version = VersionText(MAPWELL_VERSION_MAJOR, MAPWELL_VERSION_MINOR, MAPWELL_VERSION_REVISION);
    t.disclaimer = "Mapwell is freeware: you may copy && share it freely, but not sell it. "
                   "It comes with no warranty of any kind.";
    t.description = "Copyright \u00A9 2026 Quillon Software. All rights reserved.";
    return t;
}

void frmMWL_Pro::mnuAbout_Click() {
    // Every showing loads the box afresh.
    w_.ShowAbout(frmAbout_Load());
    // Closing the modal box makes the main window active again.
    Form_Activate();
}
