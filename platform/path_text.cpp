#include "platform/path_text.h"

namespace {

constexpr uint32_t kUtf8 = 65001;

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length a UTF-8 lead byte announces; 1 for a byte that starts nothing.
size_t Utf8Announced(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF7) return 4;
    if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
    if (b >= 0xC0) return 2;
    return 1;
}

} // namespace

size_t PathText::CharSize(const std::string& s, size_t at) const {
    if (at >= s.size()) return 1;
    auto b = static_cast<unsigned char>(s[at]);
    if (cp_.number == kUtf8) {
        size_t size = 1, announced = Utf8Announced(b);
        while (size < announced && at + size < s.size() &&
               IsContinuation(static_cast<unsigned char>(s[at + size])))
            ++size;
        return size;
    }
    // A lead byte at the very end, or before a NUL, is a character of its own.
    if (cp_.lead[b] && at + 1 < s.size() && s[at + 1] != '\0') return 2;
    return 1;
}

size_t PathText::Length(const std::string& s) const {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) ++n;
    return n;
}

size_t PathText::LastSeparator(const std::string& s) const {
    size_t last = std::string::npos;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i))
        if (s[i] == '\\') last = i;
    return last;
}

bool PathText::EndsWithSeparator(const std::string& s) const {
    return LastChar(s) == "\\";
}

std::string PathText::LastChar(const std::string& s) const {
    size_t start = 0;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) start = i;
    return s.substr(start);
}

std::string PathText::DropLast(const std::string& s) const {
    return s.substr(0, s.size() - LastChar(s).size());
}

std::string PathText::Tail(const std::string& s, size_t count) const {
    size_t length = Length(s);
    if (length <= count) return s;
    size_t i = 0;
    for (size_t skip = length - count; skip > 0; --skip) i += CharSize(s, i);
    return s.substr(i);
}

std::vector<std::string> PathText::Split(const std::string& s) const {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < s.size();) {
        size_t n = CharSize(s, i);
        if (n == 1 && (s[i] == '\\' || s[i] == '/'))
            parts.emplace_back();
        else
            parts.back().append(s, i, n);
        i += n;
    }
    return parts;
}

std::string PathText::Upper(const std::string& s) const {
    std::string out = s;
    for (size_t i = 0; i < out.size(); i += CharSize(out, i))
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    return out;
}
