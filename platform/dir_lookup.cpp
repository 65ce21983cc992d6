#include "platform/dir_lookup.h"

#include "platform/rt_error.h"

std::string Dir(FileSystem& fs, const std::string& path, uint32_t attrMask) {
    std::string pattern = path;
    if (!pattern.empty() && (pattern.back() == '\\' || pattern.back() == ':')) pattern += "*";
    std::string found;
    try {
        fs.Find(pattern, [&](const FoundEntry& e) {
            uint32_t special = e.attrs & (attrHidden | attrSystem | attrDirectory);
            if (special & ~attrMask) return true;
            found = e.name;
            return false;
        });
    } catch (const RtError& e) {
        if (e.number() == rtFileNotFound || e.number() == rtPathNotFound) return "";
        throw;
    }
    return found;
}
