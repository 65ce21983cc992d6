#include "ui/frmMWL_Pro.h"

std::string frmMWL_Pro::GetStartupFolder() {
    std::string path;
    if (!pf_.folders.SpecialFolderPath(kCsidlStartup, path)) return "";
    return path;
}
