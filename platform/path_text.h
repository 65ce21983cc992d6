// Paths are UTF-8 text. No byte of a multi-byte character is below 0x80, so
// every backslash, slash, colon, dot, blank and ASCII letter in a path is a
// character of its own: splits, trims and comparisons go by byte. Only
// counting characters (the path field shows a long path by its last ones)
// walks the text by character.
#pragma once

#include <string>
#include <vector>

namespace PathText {

// Characters in `s`; a byte that starts no UTF-8 character counts as one.
size_t Length(const std::string& s);
// The last `count` characters (all of `s` when it has fewer).
std::string Tail(const std::string& s, size_t count);
// The parts between backslashes and slashes, empty ones included.
std::vector<std::string> Split(const std::string& s);
// ASCII letters in upper case, every other byte as it is: the file system's
// case-insensitive comparison of the names Mapwell shows.
std::string Upper(std::string s);

inline bool Same(const std::string& a, const std::string& b) {
    return Upper(a) == Upper(b);
}
inline bool EndsWithSeparator(const std::string& s) {
    return !s.empty() && s.back() == '\\';
}

} // namespace PathText
