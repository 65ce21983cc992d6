// The folder list: the current folder with the folders above it and its
// sub-folders below it. The behaviour lives here, so the simulated machine
// drives exactly what the Win32 control shows; the control only draws lines.
#pragma once

#include "platform/platform.h"
#include "ui/controls.h"

#include <functional>
#include <string>
#include <vector>

class DirList {
public:
    DirList(FileSystem& fs, FolderListControl& view) : fs_(fs), view_(view) {}

    // Raised after the shown folder changed, before SetPath returns.
    std::function<void()> onChange;

    // The shown folder: a root ends with "\" (C:\), any other folder does not.
    const std::string& Path() const { return path_; }
    // "\" is the root of the current drive, "X:" that drive's current folder
    // as the system keeps it. Throws RtError(76) for a folder that does not
    // exist (68/71 for a drive that is absent or not ready). Setting the
    // folder already shown changes nothing and raises no change.
    void SetPath(const std::string& path);

    // Lines are numbered as the classic folder list numbers them: the current
    // folder is -1, the folders above it -2, -3, ... up to the root, and its
    // sub-folders 0 .. ListCount() - 1.
    int ListCount() const { return static_cast<int>(subFolders_.size()); }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // Full path of an entry; "" outside the list.
    std::string List(int index) const;

    // The control's own line for an index (0 = root, top of the list).
    int LineOfIndex(int index) const;
    int IndexOfLine(int line) const;
    int LineCount() const { return static_cast<int>(ancestors_.size() + subFolders_.size()); }

private:
    std::string Resolve(const std::string& path);
    // Reads a folder's lines; changes nothing when that fails.
    void Load(const std::string& path);
    void Render();

    FileSystem& fs_;
    FolderListControl& view_;
    std::string path_;
    std::vector<std::string> ancestors_;  // root first, current folder last
    std::vector<std::string> subFolders_; // full paths, sorted by name
    int listIndex_ = -1;
};

// "C:\Data\Work" -> "C:\Data"; "C:\Data" -> "C:\"; a root stays itself.
std::string ParentFolder(const std::string& path);
// Joins a folder and a name with exactly one backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
// The name of a folder within its parent; a root is its own name.
std::string FolderName(const std::string& path);
