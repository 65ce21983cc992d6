#include "platform/path_text.h"

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Bytes of the character that starts at `at`: as many as its first byte
// announces and the text holds, so a character cut short ends there.
size_t CharSize(const std::string& s, size_t at) {
    auto b = static_cast<unsigned char>(s[at]);
    size_t announced = b >= 0xF8 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    size_t size = 1;
    while (size < announced && at + size < s.size() &&
           IsContinuation(static_cast<unsigned char>(s[at + size])))
        ++size;
    return size;
}

} // namespace

namespace PathText {

size_t Length(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) ++n;
    return n;
}

std::string Tail(const std::string& s, size_t count) {
    size_t length = Length(s);
    if (length <= count) return s;
    size_t i = 0;
    for (size_t skip = length - count; skip > 0; --skip) i += CharSize(s, i);
    return s.substr(i);
}

std::vector<std::string> Split(const std::string& s) {
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == '\\' || c == '/')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace PathText
