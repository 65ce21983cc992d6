// The state file's bytes as installation writes them, for every kind of test:
// two records of 1,250 bytes, the mask of permanent letters at offset 1,366
// (byte 116 of record 2), a 32-bit integer with its low byte first.
#pragma once

#include <cstdint>
#include <string>

inline constexpr size_t kMaskAt = 1366;

// A state file with `mask` in record 2 and `fill` in every other byte.
inline std::string StateFileBytes(int32_t mask, char fill = '\0') {
    std::string bytes(2500, fill);
    for (size_t i = 0; i < 4; ++i)
        bytes[kMaskAt + i] = static_cast<char>((static_cast<uint32_t>(mask) >> (8 * i)) & 0xFF);
    return bytes;
}

// The mask stored in state-file bytes; a file that ends before it reads as
// zeros there.
inline int32_t MaskIn(const std::string& bytes) {
    uint32_t v = 0;
    for (size_t i = 4; i-- > 0;)
        v = (v << 8) | (kMaskAt + i < bytes.size() ? static_cast<uint8_t>(bytes[kMaskAt + i]) : 0u);
    return static_cast<int32_t>(v);
}
