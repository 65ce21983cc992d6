// The About box frmAbout: what it shows. Texts are UTF-8 (the title carries
// the trade-mark sign).
#pragma once

#include <string>

struct AboutTexts {
    std::string caption;
    std::string title;
    std::string version;
    std::string disclaimer;  // "&&" shows one ampersand
    std::string description; // the copyright line
};

// "Version 3.0.2": each number in decimal, no leading zeros.
std::string VersionText(int major, int minor, int revision);
// The texts of a freshly loaded About box.
AboutTexts frmAbout_Load();
