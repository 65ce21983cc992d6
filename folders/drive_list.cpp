#include "folders/drive_list.h"

#include "platform/rt_error.h"

#include <algorithm>
#include <cctype>

namespace {

DriveIcon IconOf(DriveKind kind) {
    switch (kind) {
    case DriveKind::Removable:
        return DriveIcon::Removable;
    case DriveKind::Fixed:
        return DriveIcon::Fixed;
    case DriveKind::Network:
        return DriveIcon::Network;
    case DriveKind::CdRom:
        return DriveIcon::CdRom;
    case DriveKind::RamDisk:
        return DriveIcon::RamDisk;
    default:
        return DriveIcon::Unknown;
    }
}

char LowerLetter(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

std::string DriveList::Drive() const {
    return current_ ? std::string(1, current_) + ":" : std::string();
}

void DriveList::Refresh() {
    letters_.clear();
    lines_.clear();
    for (char c = 'A'; c <= 'Z'; ++c) {
        DriveKind kind;
        try {
            kind = drives_.Kind(c);
        } catch (const RtError&) {
            continue;
        }
        std::string label = drives_.Label(c, kind);
        std::string text = std::string(1, LowerLetter(c)) + ":";
        if (!label.empty()) text += " [" + label + "]";
        letters_.push_back(LowerLetter(c));
        lines_.push_back({text, IconOf(kind)});
    }
    if (std::find(letters_.begin(), letters_.end(), current_) == letters_.end())
        current_ = letters_.empty() ? 0 : letters_.front();
    Render();
}

bool DriveList::Lists(const std::string& path) const {
    return !path.empty() &&
           std::find(letters_.begin(), letters_.end(), LowerLetter(path[0])) != letters_.end();
}

void DriveList::SetDrive(const std::string& path, bool raiseChange) {
    if (!Lists(path)) return;
    char letter = LowerLetter(path[0]);
    bool changed = letter != current_;
    current_ = letter;
    Render();
    if (changed && raiseChange && onChange) onChange();
}

void DriveList::Select(int line) {
    if (line < 0 || line >= static_cast<int>(letters_.size())) return;
    SetDrive(std::string(1, letters_[line]));
}

void DriveList::Render() {
    view_.SetLines(lines_);
    auto it = std::find(letters_.begin(), letters_.end(), current_);
    view_.SetSelection(it == letters_.end() ? -1 : static_cast<int>(it - letters_.begin()));
}
