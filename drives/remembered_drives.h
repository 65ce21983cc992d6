// The drives, with each letter's kind kept while start-up looks at them: the
// drive list and the letter lists both ask every letter's kind, and each ask
// is a look-up by the system (under Wine a round trip to another process).
// Only a kind the system gave is kept; a failure is asked again, so the
// second look tries where the first could not.
#pragma once

#include "platform/platform.h"

#include <array>
#include <optional>

class RememberedDrives final : public Drives {
public:
    explicit RememberedDrives(Drives& system) : system_(system) {}

    // Keeps the kinds while it lives; at any other time every ask goes to
    // the system.
    class Keeping {
    public:
        explicit Keeping(RememberedDrives& drives) : drives_(drives) { drives_.keeping_ = true; }
        ~Keeping() {
            drives_.keeping_ = false;
            drives_.kinds_ = {};
        }
        Keeping(const Keeping&) = delete;
        Keeping& operator=(const Keeping&) = delete;

    private:
        RememberedDrives& drives_;
    };
    DriveKind Kind(char letter) override;
    uint32_t SerialNumber(char letter) override { return system_.SerialNumber(letter); }
    std::string Label(char letter, DriveKind kind) override { return system_.Label(letter, kind); }
    bool IsVirtual(char letter) override { return system_.IsVirtual(letter); }

private:
    Drives& system_;
    bool keeping_ = false;
    std::array<std::optional<DriveKind>, 256> kinds_{};
};
