#include "platform/code_page_rules.h"

#include <algorithm>
#include <iterator>

namespace {

// The code pages for which both conversions take no flags but 0: the ISO-2022
// ones, ISCII (57002 to 57011), UTF-7 and Symbol.
constexpr uint32_t kNoFlags[] = {42, 50220, 50221, 50222, 50225, 50227, 50229, win32::kCpUtf7};

bool TakesNoFlags(uint32_t cp) {
    return std::find(std::begin(kNoFlags), std::end(kNoFlags), cp) != std::end(kNoFlags) ||
           (cp >= 57002 && cp <= 57011);
}

} // namespace

ToMultiByteRule ToMultiByteRuleFor(uint32_t codePage) {
    if (codePage == win32::kCpUtf8) return {win32::kWcErrInvalidChars, false};
    if (codePage == win32::kCpUtf7) return {0, false};
    if (codePage == 54936) return {win32::kWcErrInvalidChars, true}; // GB18030
    if (TakesNoFlags(codePage)) return {0, true};
    return {win32::kWcNoBestFitChars, true};
}

uint32_t ToWideFlagsFor(uint32_t codePage) {
    return TakesNoFlags(codePage) ? 0 : win32::kMbErrInvalidChars;
}
