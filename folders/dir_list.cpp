#include "folders/dir_list.h"

#include "platform/path_text.h"
#include "platform/rt_error.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

bool IsDriveSpec(const std::string& p) {
    return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

// "C:\a\.\b\..\c\" -> "C:\a\c"; the root keeps its backslash.
std::string Canonical(const std::string& absolute) {
    std::string root = PathText::Upper(absolute.substr(0, 2)) + "\\";
    std::vector<std::string> parts;
    for (const std::string& part : PathText::Split(absolute.substr(2))) {
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    std::string out = root;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
    return out;
}

} // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (PathText::EndsWithSeparator(folder)) return folder + name;
    return folder + "\\" + name;
}

std::string ParentFolder(const std::string& path) {
    if (path.size() <= 3) return path;
    size_t cut = path.rfind('\\');
    if (cut == std::string::npos || cut < 2) return path;
    if (cut == 2) return path.substr(0, 3);
    return path.substr(0, cut);
}

std::string FolderName(const std::string& path) {
    size_t cut = path.rfind('\\');
    if (path.size() <= 3 || cut == std::string::npos) return path;
    return path.substr(cut + 1);
}

std::string DirList::Resolve(const std::string& path) {
    std::string absolute;
    if (path.empty()) throw RtError(rtPathNotFound);
    if (IsDriveSpec(path)) {
        if (path.size() == 2)
            absolute = fs_.DriveCurrentDirectory(path[0]);
        else if (path[2] == '\\' || path[2] == '/')
            absolute = path;
        else
            absolute = JoinPath(fs_.DriveCurrentDirectory(path[0]), path.substr(2));
    } else if (path[0] == '\\' || path[0] == '/') {
        std::string base = path_.empty() ? fs_.CurrentDirectory() : path_;
        absolute = base.substr(0, 2) + path;
    } else {
        absolute = JoinPath(path_.empty() ? fs_.CurrentDirectory() : path_, path);
    }
    std::string canonical = Canonical(absolute);
    uint32_t attrs = 0;
    try {
        attrs = fs_.Attributes(canonical);
    } catch (const RtError& e) {
        if (e.number() == rtFileNotFound) throw RtError(rtPathNotFound);
        throw;
    }
    if (!(attrs & attrDirectory)) throw RtError(rtPathNotFound);
    return canonical;
}

void DirList::SetPath(const std::string& path) {
    std::string resolved = Resolve(path);
    if (!path_.empty() && PathText::Same(resolved, path_)) return;
    // The new folder is read completely before any of it is shown, so a
    // failure leaves the list as it was.
    Load(resolved);
    path_ = resolved;
    listIndex_ = -1;
    Render();
    if (onChange) onChange();
}

void DirList::Load(const std::string& path) {
    std::vector<std::string> ancestors, subFolders;
    for (std::string p = path;; p = ParentFolder(p)) {
        ancestors.push_back(p);
        if (ParentFolder(p) == p) break;
    }
    std::reverse(ancestors.begin(), ancestors.end());

    std::vector<std::string> names;
    fs_.Find(JoinPath(path, "*"), [&](const FoundEntry& e) {
        // Hidden folders are reached only by typing their name.
        if ((e.attrs & attrDirectory) && !(e.attrs & attrHidden) && e.name != "." && e.name != "..")
            names.push_back(e.name);
        return true;
    });
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return PathText::Upper(a) < PathText::Upper(b);
    });
    for (const std::string& n : names) subFolders.push_back(JoinPath(path, n));
    ancestors_ = std::move(ancestors);
    subFolders_ = std::move(subFolders);
}

int DirList::LineOfIndex(int index) const {
    int current = static_cast<int>(ancestors_.size()) - 1;
    return current + 1 + index;
}

int DirList::IndexOfLine(int line) const {
    int current = static_cast<int>(ancestors_.size()) - 1;
    return line - current - 1;
}

std::string DirList::List(int index) const {
    int line = LineOfIndex(index);
    int nAnc = static_cast<int>(ancestors_.size());
    if (line < 0 || line >= LineCount()) return "";
    return line < nAnc ? ancestors_[line] : subFolders_[line - nAnc];
}

void DirList::SetListIndex(int index) {
    int line = LineOfIndex(index);
    if (line < 0 || line >= LineCount()) return;
    listIndex_ = index;
    view_.SetHighlight(line);
}

void DirList::Render() {
    std::vector<FolderLine> lines;
    int depth = 0;
    for (const std::string& a : ancestors_) lines.push_back({FolderName(a), depth++, true});
    for (const std::string& s : subFolders_) lines.push_back({FolderName(s), depth, false});
    view_.SetLines(lines);
    view_.SetHighlight(LineOfIndex(listIndex_));
}
