// The per-user state file "himem32.mwl": fixed records of 1,250 bytes, of
// which only the first 120 bytes of record 2 mean anything: four reserved
// fields carried through unchanged, then the mask of permanent letters.
#pragma once

#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <string>

constexpr int kStateRecordLength = 1250;
constexpr int kStateRecordNumber = 2;
constexpr uint64_t kStateRecordOffset = (kStateRecordNumber - 1) * kStateRecordLength;
constexpr size_t kStateImageSize = 120;
constexpr size_t kMaskOffsetInRecord = 116;
// Restore's value: bit 27 set, no letter permanent.
constexpr int32_t kResetMask = 0x08000000;

struct StateImage {
    // Bytes 0 to 115 of the record: a 32-bit integer, two 52-byte texts and a
    // 64-bit value, none of them interpreted.
    std::array<uint8_t, kMaskOffsetInRecord> reserved{};
    int32_t PermanentMask = 0;
    bool operator==(const StateImage&) const = default;
};

// Bit of a letter A..Z in a mask; 0 for anything else.
int32_t LetterBit(const std::string& letter);

// Record 2 of an open state file. A file shorter than 2,500 bytes reads as
// zeros where it ends.
StateImage ReadStateRecord(RandomFile& file);
// Writes the image back over record 2, keeping the rest of the record, so the
// file is at least 2,500 bytes long afterwards.
void WriteStateRecord(RandomFile& file, const StateImage& record);

// The three sequences that change the stored mask. Each opens the file by its
// full path, reads record 2, writes it back and closes it; failures propagate
// as RtError to the caller, which has its own rule for them.

// Sets the letter's bit; returns the stored mask (the new working mask).
int32_t MarkPermanent(FileSystem& fs, const std::string& stateFilePath, const std::string& letter,
                      StateImage& image);
// Clears the letter's bit; returns the stored mask. Only that bit changes:
// another Mapwell window may have marked a letter since this one last read.
int32_t UnmarkPermanent(FileSystem& fs, const std::string& stateFilePath, const std::string& letter,
                        StateImage& image);
// Stores the reset mask; returns it.
int32_t ResetPermanent(FileSystem& fs, const std::string& stateFilePath, StateImage& image);
