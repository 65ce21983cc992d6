// The drives, with what start-up learns of each letter kept while it looks:
// the drive list and the letter lists both ask every letter's kind, and each
// asks the volume of every drive (one its label, the other its serial
// number); each ask is a look-up by the system (under Wine a round trip to
// another process). A kind the system gave is kept for the second ask, a
// failure is asked again; the volume's one look answers both.
#pragma once

#include "platform/platform.h"

#include <array>
#include <optional>

class RememberedDrives final : public Drives {
public:
    explicit RememberedDrives(Drives& system) : system_(system) {}

    // Keeps what the system says while it lives; at any other time every
    // ask goes to the system.
    class Keeping {
    public:
        explicit Keeping(RememberedDrives& drives) : drives_(drives) { drives_.keeping_ = true; }
        ~Keeping() {
            drives_.keeping_ = false;
            drives_.kinds_ = {};
            drives_.volumes_ = {};
        }
        Keeping(const Keeping&) = delete;
        Keeping& operator=(const Keeping&) = delete;

    private:
        RememberedDrives& drives_;
    };

    DriveKind Kind(char letter) override;
    // The first ask of a letter's serial number after its label is answered
    // from the same look.
    uint32_t SerialNumber(char letter) override;
    std::string Label(char letter, DriveKind kind) override;
    bool IsVirtual(char letter) override { return system_.IsVirtual(letter); }
    std::string VirtualFolder(char letter) override { return system_.VirtualFolder(letter); }

private:
    Drives& system_;
    bool keeping_ = false;
    std::array<std::optional<DriveKind>, 256> kinds_{};
    std::array<std::optional<DriveVolume>, 256> volumes_{};
};
