// Which flags the conversions between code pages may be given. The
// documentation of MultiByteToWideChar and WideCharToMultiByte forbids some
// flags for some code pages, and the call then fails (ERROR_INVALID_FLAGS,
// ERROR_INVALID_PARAMETER); Wine does not enforce this, so the choice is a
// pure function that the native tests hold against the documented rules.
#pragma once

#include <cstdint>

// The flag values of winnls.h.
namespace win32 {
constexpr uint32_t kMbErrInvalidChars = 0x08;
constexpr uint32_t kWcErrInvalidChars = 0x80;
constexpr uint32_t kWcNoBestFitChars = 0x400;
constexpr uint32_t kCpUtf7 = 65000;
constexpr uint32_t kCpUtf8 = 65001;
} // namespace win32

struct ToMultiByteRule {
    uint32_t flags = 0;
    // Whether a used-default-character pointer may be passed: the only way to
    // learn that a character had no form in the code page, where the code
    // page has a default character at all.
    bool usedDefault = false;
};

// WideCharToMultiByte into `codePage`, as strict as that code page allows:
// a character without an exact form must be found out, never replaced by a
// look-alike that names another folder.
ToMultiByteRule ToMultiByteRuleFor(uint32_t codePage);
// MultiByteToWideChar from `codePage`: invalid input fails where allowed.
uint32_t ToWideFlagsFor(uint32_t codePage);
