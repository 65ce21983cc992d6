#include "drives/remembered_drives.h"

DriveKind RememberedDrives::Kind(char letter) {
    if (!keeping_) return system_.Kind(letter);
    std::optional<DriveKind>& kept = kinds_[static_cast<unsigned char>(letter)];
    if (!kept) kept = system_.Kind(letter);
    return *kept;
}
