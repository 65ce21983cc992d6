#include "platform/platform.h"
#include "platform/rt_error.h"

DriveVolume Drives::Volume(char letter, DriveKind kind) {
    DriveVolume volume{Label(letter, kind)};
    if (kind == DriveKind::Network) return volume;
    try {
        volume.serial = SerialNumber(letter);
    } catch (const RtError& e) {
        volume.serialError = e.number();
    }
    return volume;
}
