#include "drives/remembered_drives.h"

#include "platform/rt_error.h"

namespace {

size_t Slot(char letter) {
    return static_cast<unsigned char>(letter);
}

} // namespace

DriveKind RememberedDrives::Kind(char letter) {
    if (!keeping_) return system_.Kind(letter);
    std::optional<DriveKind>& kept = kinds_[Slot(letter)];
    if (!kept) kept = system_.Kind(letter);
    return *kept;
}

std::string RememberedDrives::Label(char letter, DriveKind kind) {
    if (!keeping_ || kind == DriveKind::Network) return system_.Label(letter, kind);
    DriveVolume volume = system_.Volume(letter, kind);
    volumes_[Slot(letter)] = volume;
    return volume.label;
}

uint32_t RememberedDrives::SerialNumber(char letter) {
    std::optional<DriveVolume>& kept = volumes_[Slot(letter)];
    if (!keeping_ || !kept) return system_.SerialNumber(letter);
    DriveVolume volume = *kept;
    kept.reset();
    if (volume.serialError) throw RtError(volume.serialError);
    return volume.serial;
}
