// The drive list: the drives that exist, one selected. As with the folder
// list, the behaviour lives here and the control only draws lines.
#pragma once

#include "platform/platform.h"
#include "ui/controls.h"

#include <functional>
#include <string>
#include <vector>

class DriveList {
public:
    DriveList(Drives& drives, DriveComboControl& view) : drives_(drives), view_(view) {}

    // Raised after the current drive changed, before SetDrive returns.
    std::function<void()> onChange;

    // The current drive as "c:"; "" before the first Refresh.
    std::string Drive() const;
    // Takes the drive of `path` ("d:", "D:\Work"); a letter with no drive
    // is ignored. Raises the change when the drive differs, if asked to.
    void SetDrive(const std::string& path, bool raiseChange = true);
    // Re-reads the drives that exist, keeping the current one where it still
    // exists.
    void Refresh();
    // The user picked line `line` of the list.
    void Select(int line);

    // True when the drive of `path` ("d:", "D:\Work") is listed.
    bool Lists(const std::string& path) const;

private:
    void Render();

    Drives& drives_;
    DriveComboControl& view_;
    std::vector<char> letters_; // lower case, in order
    std::vector<DriveLine> lines_;
    char current_ = 0;
};
