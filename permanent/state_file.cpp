#include "permanent/state_file.h"

#include <cctype>

namespace {

int32_t ReadInt32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return static_cast<int32_t>(v);
}

void PutInt32(std::string& bytes, size_t at, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string ReadWholeRecord(RandomFile& file) {
    std::string rec = file.ReadAt(kStateRecordOffset, kStateRecordLength);
    rec.resize(kStateRecordLength, '\0');
    return rec;
}

} // namespace

int32_t LetterBit(const std::string& letter) {
    if (letter.size() != 1) return 0;
    int c = std::toupper(static_cast<unsigned char>(letter[0]));
    if (c < 'A' || c > 'Z') return 0;
    return static_cast<int32_t>(1u << (c - 'A'));
}

StateImage ReadStateRecord(RandomFile& file) {
    std::string rec = ReadWholeRecord(file);
    StateImage r;
    for (size_t i = 0; i < r.reserved.size(); ++i) r.reserved[i] = static_cast<uint8_t>(rec[i]);
    r.PermanentMask = ReadInt32(rec, kMaskOffsetInRecord);
    return r;
}

void WriteStateRecord(RandomFile& file, const StateImage& record) {
    std::string stored = file.ReadAt(kStateRecordOffset, kStateRecordLength);
    std::string rec = stored;
    rec.resize(kStateRecordLength, '\0');
    for (size_t i = 0; i < record.reserved.size(); ++i)
        rec[i] = static_cast<char>(record.reserved[i]);
    // The mask goes last, in a write of its own: a write that fails part way
    // (a full disk, a share gone) must not leave a new mask stored while the
    // caller, told of the failure, takes it as not written. Four bytes
    // inside one sector are written whole or not at all.
    std::string mask(4, '\0');
    PutInt32(mask, 0, record.PermanentMask);
    rec.replace(kMaskOffsetInRecord, 4,
                stored.size() >= kMaskOffsetInRecord + 4 ? stored.substr(kMaskOffsetInRecord, 4)
                                                         : std::string(4, '\0'));
    if (rec != stored) file.WriteAt(kStateRecordOffset, rec);
    file.WriteAt(kStateRecordOffset + kMaskOffsetInRecord, mask);
}

int32_t MarkPermanent(FileSystem& fs, const std::string& stateFilePath, const std::string& letter,
                      StateImage& image) {
    auto file = fs.OpenRandom(stateFilePath, FileSystem::Mode::ReadWrite);
    image = ReadStateRecord(*file);
    image.PermanentMask |= LetterBit(letter);
    WriteStateRecord(*file, image);
    return image.PermanentMask;
}

int32_t UnmarkPermanent(FileSystem& fs, const std::string& stateFilePath, const std::string& letter,
                        StateImage& image) {
    auto file = fs.OpenRandom(stateFilePath, FileSystem::Mode::ReadWrite);
    image = ReadStateRecord(*file);
    image.PermanentMask &= ~LetterBit(letter);
    WriteStateRecord(*file, image);
    return image.PermanentMask;
}

int32_t ResetPermanent(FileSystem& fs, const std::string& stateFilePath, StateImage& image) {
    auto file = fs.OpenRandom(stateFilePath, FileSystem::Mode::ReadWrite);
    image = ReadStateRecord(*file);
    image.PermanentMask = kResetMask;
    WriteStateRecord(*file, image);
    return image.PermanentMask;
}
